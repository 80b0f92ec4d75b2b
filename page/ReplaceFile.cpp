/*
 * replace_file(): a new file beside the old one, renamed over it.
 */
#include "ReplaceFile.h"

#include <Entry.h>
#include <Errors.h>
#include <File.h>

#include <unistd.h>

#include <atomic>
#include <string>


status_t
replace_file(const char* path, const FilePiece* pieces, int32 count,
	const BEntry* model, mode_t permissions, bool* notCreated)
{
	if (notCreated != nullptr)
		*notCreated = false;
	if (path == nullptr || path[0] == '\0')
		return B_BAD_VALUE;

	std::string finalPath = path;
	size_t slash = finalPath.rfind('/');
	std::string directory = slash == std::string::npos
		? std::string() : finalPath.substr(0, slash + 1);
	std::string leaf = finalPath.substr(slash == std::string::npos ? 0
		: slash + 1);

	// Several threads may write at once (a save and a recovery copy); the
	// counter keeps their names apart within this process, the process id
	// from other processes.
	static std::atomic<int> sCounter(0);
	std::string temporaryPath;
	BFile temporary;
	status_t status = B_ERROR;
	for (int attempt = 0; attempt < 100; attempt++) {
		temporaryPath = directory + "." + leaf + ".quillora-"
			+ std::to_string(getpid()) + "-" + std::to_string(++sCounter);
		status = temporary.SetTo(temporaryPath.c_str(),
			B_WRITE_ONLY | B_CREATE_FILE | B_FAIL_IF_EXISTS);
		if (status != B_FILE_EXISTS)
			break;
	}
	if (status != B_OK) {
		if (notCreated != nullptr)
			*notCreated = true;
		return status;
	}

	// The file keeps its owner and group where we may give them (an
	// administrator saving someone's file leaves it theirs), then its
	// permissions, which a change of owner may have cleared bits of.
	if (model != nullptr && model->Exists()) {
		uid_t owner;
		gid_t group;
		if (model->GetGroup(&group) == B_OK)
			temporary.SetGroup(group);
		if (model->GetOwner(&owner) == B_OK)
			temporary.SetOwner(owner);
		mode_t modelPermissions;
		if (model->GetPermissions(&modelPermissions) == B_OK)
			temporary.SetPermissions(modelPermissions);
	} else if (permissions != kDefaultPermissions)
		status = temporary.SetPermissions(permissions);

	for (int32 i = 0; i < count && status == B_OK; i++) {
		if (pieces[i].length > 0)
			status = temporary.WriteExactly(pieces[i].data, pieces[i].length);
	}
	if (status == B_OK)
		status = temporary.Sync();
	temporary.Unset();
	if (status == B_OK) {
		BEntry written(temporaryPath.c_str());
		status = written.Rename(finalPath.c_str(), true);
	}
	if (status != B_OK) {
		BEntry leftover(temporaryPath.c_str());
		leftover.Remove();
	}
	return status;
}
