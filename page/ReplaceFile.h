/*
 * Replacing a file's content so that it is never half written: the new bytes
 * go into a new file beside it, which is then renamed over it. The page's
 * saves and the recovery copies of unsaved changes are written this way.
 */
#ifndef QUILLORA_REPLACE_FILE_H
#define QUILLORA_REPLACE_FILE_H

#include <SupportDefs.h>

#include <sys/types.h>

class BEntry;

// One piece of what the file is to hold.
struct FilePiece {
	const char* data;
	size_t length;
};

// New files get the permissions the system gives a new file.
constexpr mode_t kDefaultPermissions = mode_t(-1);

// Writes the pieces, one after the other, into a new hidden file in the
// folder of `path` and renames it over `path`: afterwards `path` holds either
// all of its old bytes or all of the new ones, also when the disk fills up
// or the program is killed half-way. The new file takes the owner, group and
// permissions of `model` where given, else `permissions`. On failure nothing
// is left behind and the reason is returned; `notCreated` (may be null) is
// set when the new file could not even be made (a folder that takes no new
// file), so that the caller may write in place instead. Safe to call from
// any thread.
status_t replace_file(const char* path, const FilePiece* pieces, int32 count,
	const BEntry* model, mode_t permissions, bool* notCreated);

#endif	// QUILLORA_REPLACE_FILE_H
