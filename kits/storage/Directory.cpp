/*
 * BDirectory and create_directory().
 */
#include <Directory.h>

#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <BootPaths.h>
#include <Entry.h>
#include <File.h>
#include <SymLink.h>

#include "StorageUtils.h"

using namespace BPrivate;

BDirectory::BDirectory()
	:
	fDir(NULL)
{
}

BDirectory::BDirectory(const BDirectory& dir)
	:
	BNode(),
	fDir(NULL)
{
	*this = dir;
}

BDirectory::BDirectory(const entry_ref* ref)
	:
	fDir(NULL)
{
	SetTo(ref);
}

BDirectory::BDirectory(const node_ref* nref)
	:
	fDir(NULL)
{
	SetTo(nref);
}

BDirectory::BDirectory(const BEntry* entry)
	:
	fDir(NULL)
{
	SetTo(entry);
}

BDirectory::BDirectory(const char* path)
	:
	fDir(NULL)
{
	SetTo(path);
}

BDirectory::BDirectory(const BDirectory* dir, const char* path)
	:
	fDir(NULL)
{
	SetTo(dir, path);
}

BDirectory::~BDirectory()
{
	Unset();
}

status_t
BDirectory::SetTo(const entry_ref* ref)
{
	std::string host;
	status_t status = path_for_ref(ref, host);
	if (status != B_OK)
		return _Fail(status);
	Unset();
	return _SetToPath(host, O_RDONLY | O_DIRECTORY);
}

status_t
BDirectory::SetTo(const node_ref* nref)
{
	if (nref == NULL)
		return _Fail(B_BAD_VALUE);
	entry_ref ref(nref->device, nref->node, ".");
	return SetTo(&ref);
}

status_t
BDirectory::SetTo(const BEntry* entry)
{
	if (entry == NULL || entry->InitCheck() != B_OK)
		return _Fail(entry == NULL ? B_BAD_VALUE : entry->InitCheck());
	std::string host = entry->_Path();
	Unset();
	return _SetToPath(host, O_RDONLY | O_DIRECTORY);
}

status_t
BDirectory::SetTo(const char* path)
{
	return SetTo(NULL, path);
}

status_t
BDirectory::SetTo(const BDirectory* dir, const char* path)
{
	std::string host;
	status_t status = path_in_directory(dir, path, host);
	if (status != B_OK)
		return _Fail(status);
	Unset();
	return _SetToPath(make_absolute(host), O_RDONLY | O_DIRECTORY);
}

void
BDirectory::Unset()
{
	if (fDir != NULL)
		closedir(fDir);
	fDir = NULL;
	BNode::Unset();
}

status_t
BDirectory::GetEntry(BEntry* entry) const
{
	if (entry == NULL)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK) {
		entry->Unset();
		return InitCheck();
	}
	return entry->SetTo(this, ".");
}

bool
BDirectory::IsRootDirectory() const
{
	return InitCheck() == B_OK && strcmp(_Path(), "/") == 0;
}

status_t
BDirectory::FindEntry(const char* path, BEntry* entry, bool traverse) const
{
	if (path == NULL || entry == NULL)
		return B_BAD_VALUE;
	status_t status = entry->SetTo(this, path, traverse);
	if (status == B_OK && !entry->Exists())
		status = B_ENTRY_NOT_FOUND;
	if (status != B_OK)
		entry->Unset();
	return status;
}

static bool
MatchesFlavor(const struct stat& st, int32 nodeFlags)
{
	if (S_ISLNK(st.st_mode))
		return (nodeFlags & B_SYMLINK_NODE) != 0;
	if (S_ISDIR(st.st_mode))
		return (nodeFlags & B_DIRECTORY_NODE) != 0;
	return (nodeFlags & B_FILE_NODE) != 0;
}

bool
BDirectory::Contains(const char* path, int32 nodeFlags) const
{
	if (path == NULL || InitCheck() != B_OK)
		return false;
	std::string host = boot_path(path);
	if (!host.empty() && host[0] == '/') {
		// An absolute path: is it somewhere below this directory?
		BEntry entry(host.c_str());
		return Contains(&entry, nodeFlags);
	}
	struct stat st;
	return GetStatFor(path, &st) == B_OK && MatchesFlavor(st, nodeFlags);
}

bool
BDirectory::Contains(const BEntry* entry, int32 nodeFlags) const
{
	if (entry == NULL || entry->InitCheck() != B_OK || InitCheck() != B_OK)
		return false;
	struct stat st;
	if (entry->GetStat(&st) != B_OK || !MatchesFlavor(st, nodeFlags))
		return false;
	std::string dir = _Path();
	std::string inner = entry->_Path();
	if (dir == "/")
		return inner != "/";
	return inner.size() > dir.size() && inner.compare(0, dir.size(), dir) == 0
		&& inner[dir.size()] == '/';
}

status_t
BDirectory::GetStatFor(const char* path, struct stat* st) const
{
	if (path == NULL || st == NULL)
		return B_BAD_VALUE;
	std::string host;
	status_t status = path_in_directory(this, path, host);
	if (status != B_OK)
		return status;
	if (lstat(host.c_str(), st) != 0)
		return status_for_errno(errno);
	return B_OK;
}

status_t
BDirectory::_NextName(std::string& name)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (fDir == NULL) {
		int fd = open(_Path(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
		if (fd < 0)
			return status_for_errno(errno);
		fDir = fdopendir(fd);
		if (fDir == NULL) {
			status_t status = status_for_errno(errno);
			close(fd);
			return status;
		}
	}
	for (;;) {
		errno = 0;
		struct dirent* entry = readdir(fDir);
		if (entry == NULL)
			return errno != 0 ? status_for_errno(errno) : B_ENTRY_NOT_FOUND;
		if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0)
			continue;
		name = entry->d_name;
		return B_OK;
	}
}

status_t
BDirectory::GetNextEntry(BEntry* entry, bool traverse)
{
	if (entry == NULL)
		return B_BAD_VALUE;
	std::string name;
	status_t status = _NextName(name);
	if (status == B_OK)
		status = entry->SetTo(this, name.c_str(), traverse);
	if (status != B_OK)
		entry->Unset();
	return status;
}

status_t
BDirectory::GetNextRef(entry_ref* ref)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	std::string name;
	status_t status = _NextName(name);
	if (status != B_OK)
		return status;
	return make_ref(_Path(), name.c_str(), ref);
}

status_t
BDirectory::Rewind()
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (fDir != NULL)
		rewinddir(fDir);
	return B_OK;
}

int32
BDirectory::CountEntries()
{
	if (InitCheck() != B_OK)
		return InitCheck();
	// Counted on a stream of its own, so a walk in progress is not disturbed.
	DIR* dir = opendir(_Path());
	if (dir == NULL)
		return status_for_errno(errno);
	int32 count = 0;
	while (struct dirent* entry = readdir(dir)) {
		if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
			count++;
	}
	closedir(dir);
	return count;
}

status_t
BDirectory::CreateDirectory(const char* path, BDirectory* dir)
{
	if (path == NULL)
		return B_BAD_VALUE;
	std::string host;
	status_t status = path_in_directory(this, path, host, true);
	if (status != B_OK)
		return status;
	if (mkdir(host.c_str(), 0777) != 0)
		return status_for_errno(errno);
	return dir != NULL ? dir->SetTo(host.c_str()) : B_OK;
}

status_t
BDirectory::CreateFile(const char* path, BFile* file, bool failIfExists)
{
	if (path == NULL)
		return B_BAD_VALUE;
	std::string host;
	status_t status = path_in_directory(this, path, host, true);
	if (status != B_OK)
		return status;
	uint32 mode = B_READ_WRITE | B_CREATE_FILE | B_ERASE_FILE
		| (failIfExists ? B_FAIL_IF_EXISTS : 0);
	BFile local;
	BFile* target = file != NULL ? file : &local;
	return target->SetTo(host.c_str(), mode);
}

status_t
BDirectory::CreateSymLink(const char* path, const char* linkToPath,
	BSymLink* link)
{
	if (path == NULL || linkToPath == NULL)
		return B_BAD_VALUE;
	std::string host;
	status_t status = path_in_directory(this, path, host, true);
	if (status != B_OK)
		return status;
	// A link to a BeOS location points to where that location is here, so
	// that the link works on the host.
	std::string target = boot_path(linkToPath);
	if (symlink(target.c_str(), host.c_str()) != 0)
		return status_for_errno(errno);
	return link != NULL ? link->SetTo(host.c_str()) : B_OK;
}

BDirectory&
BDirectory::operator=(const BDirectory& dir)
{
	if (this != &dir) {
		Unset();
		BNode::operator=(dir);
	}
	return *this;
}

status_t
create_directory(const char* path, mode_t mode)
{
	if (path == NULL || path[0] == '\0')
		return B_BAD_VALUE;
	std::string host = make_absolute(boot_path_for_create(path));

	// Walk down from the root, making what is missing.
	size_t position = 0;
	while (position < host.size()) {
		size_t next = host.find('/', position + 1);
		if (next == std::string::npos)
			next = host.size();
		std::string partial = host.substr(0, next);
		position = next;
		if (partial == "/" || partial.back() == '/')
			continue;
		if (mkdir(partial.c_str(), mode) == 0)
			continue;
		int error = errno;
		struct stat st;
		if (stat(partial.c_str(), &st) != 0)
			return status_for_errno(error);
		if (!S_ISDIR(st.st_mode))
			return next >= host.size() ? B_FILE_EXISTS : B_NOT_A_DIRECTORY;
	}
	return B_OK;
}
