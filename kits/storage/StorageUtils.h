/*
 * Path helpers shared by the storage kit's classes (not a public interface).
 */
#ifndef _STORAGE_UTILS_H
#define _STORAGE_UTILS_H

#include <sys/types.h>

#include <string>

#include <SupportDefs.h>

class BNode;

namespace BPrivate {

// `path` made absolute against the current directory (no other change).
std::string make_absolute(const std::string& path);

// "a/b" + "c" with exactly one slash between them.
std::string join_path(const std::string& dir, const std::string& leaf);

// Splits an absolute path into its directory and last component; trailing
// slashes are dropped first. For "/" the directory is "/" and the leaf "".
void split_path(const std::string& path, std::string& dir, std::string& leaf);

// True when `path` is relative or holds ".", ".." or doubled slashes.
bool needs_normalization(const std::string& path);

// Turns an absolute path into the same entry with its directory part resolved
// (links, ".", ".." and doubled slashes gone). The directory must exist; the
// leaf need not and is not followed (except "." and "..", which are resolved).
status_t resolve_directory_part(const std::string& path, std::string& out);

// The host path for `path` given relative to the directory node `dir`
// (absolute paths and /boot locations ignore `dir`; without `dir` relative
// paths start at the current directory). When `forCreate` is set,
// the folder a /boot location maps onto is created if missing.
status_t path_in_directory(const BNode* dir, const char* path,
	std::string& out, bool forCreate = false);

// Remembers an opened directory, so refs and node_refs naming it (device and
// inode) can be turned back into its path.
void remember_directory(const std::string& path, dev_t device, ino_t node);

// Reads the link at `path`; false when it is no link.
bool read_link(const std::string& path, std::string& contents);

}	// namespace BPrivate

#endif	// _STORAGE_UTILS_H
