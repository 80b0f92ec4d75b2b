/*
 * BDirectory: an open directory, to walk its entries and to create new
 * files, folders and links in it.
 *
 * Paths given to a directory are relative to it; absolute paths (and BeOS
 * locations under /boot) are used as they are, even on a BDirectory that
 * could not be opened, as BeOS did.
 */
#ifndef _DIRECTORY_H
#define _DIRECTORY_H

#include <dirent.h>

#include <Node.h>
#include <StorageDefs.h>

class BEntry;
class BFile;
class BSymLink;
struct entry_ref;

class BDirectory : public BNode {
public:
								BDirectory();
								BDirectory(const BDirectory& dir);
								BDirectory(const entry_ref* ref);
								BDirectory(const node_ref* nref);
								BDirectory(const BEntry* entry);
								BDirectory(const char* path);
								BDirectory(const BDirectory* dir, const char* path);
	virtual						~BDirectory();

			status_t			SetTo(const entry_ref* ref);
			status_t			SetTo(const node_ref* nref);
			status_t			SetTo(const BEntry* entry);
			status_t			SetTo(const char* path);
			status_t			SetTo(const BDirectory* dir, const char* path);
	virtual	void				Unset();

			status_t			GetEntry(BEntry* entry) const;
			bool				IsRootDirectory() const;

			status_t			FindEntry(const char* path, BEntry* entry,
									bool traverse = false) const;
	// True when `path` names an existing entry of one of the kinds in
	// `nodeFlags`.
			bool				Contains(const char* path,
									int32 nodeFlags = B_ANY_NODE) const;
			bool				Contains(const BEntry* entry,
									int32 nodeFlags = B_ANY_NODE) const;

			status_t			GetStatFor(const char* path, struct stat* st) const;

	// Walk the entries ("." and ".." left out); B_ENTRY_NOT_FOUND at the end.
			status_t			GetNextEntry(BEntry* entry, bool traverse = false);
			status_t			GetNextRef(entry_ref* ref);
			status_t			Rewind();
			int32				CountEntries();

			status_t			CreateDirectory(const char* path, BDirectory* dir);
			status_t			CreateFile(const char* path, BFile* file,
									bool failIfExists = false);
			status_t			CreateSymLink(const char* path,
									const char* linkToPath, BSymLink* link);

			BDirectory&			operator=(const BDirectory& dir);

private:
			status_t			_NextName(std::string& name);

			DIR*				fDir;
};

// Creates `path` and every missing folder above it with `mode`; an existing
// directory is fine, an existing non-directory is B_FILE_EXISTS.
status_t create_directory(const char* path, mode_t mode);

#endif	// _DIRECTORY_H
