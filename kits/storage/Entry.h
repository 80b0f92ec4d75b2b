/*
 * entry_ref and BEntry: a named place in a directory, which may or may not
 * hold a node.
 *
 * An entry is kept as the real path of its directory plus its leaf name, so an
 * entry whose file does not exist yet ("abstract" entry) is valid as long as
 * its directory exists. entry_ref names the directory by device and inode as
 * on BeOS; the kit remembers which directory path each ref was made from, so
 * a ref turns back into an entry within the process that made it.
 */
#ifndef _ENTRY_H
#define _ENTRY_H

#include <string>

#include <Statable.h>
#include <StorageDefs.h>

class BDirectory;
class BPath;

struct entry_ref {
								entry_ref();
								entry_ref(dev_t dev, ino_t dir, const char* name);
								entry_ref(const entry_ref& ref);
								~entry_ref();

			status_t			set_name(const char* name);

			bool				operator==(const entry_ref& ref) const;
			bool				operator!=(const entry_ref& ref) const;
			entry_ref&			operator=(const entry_ref& ref);

			dev_t				device;
			ino_t				directory;
			char*				name;
};

class BEntry : public BStatable {
public:
								BEntry();
								BEntry(const BDirectory* dir, const char* path,
									bool traverse = false);
								BEntry(const entry_ref* ref, bool traverse = false);
								BEntry(const char* path, bool traverse = false);
								BEntry(const BEntry& entry);
	virtual						~BEntry();

			status_t			InitCheck() const;
			bool				Exists() const;

	// The entry's own stat: a link is not followed.
	virtual	status_t			GetStat(struct stat* st) const;

			status_t			SetTo(const BDirectory* dir, const char* path,
									bool traverse = false);
			status_t			SetTo(const entry_ref* ref, bool traverse = false);
			status_t			SetTo(const char* path, bool traverse = false);
			void				Unset();

			status_t			GetRef(entry_ref* ref) const;
			status_t			GetPath(BPath* path) const;
			status_t			GetParent(BEntry* entry) const;
			status_t			GetParent(BDirectory* dir) const;
	// `buffer` must hold B_FILE_NAME_LENGTH bytes.
			status_t			GetName(char* buffer) const;

	// `path` is a new name in the same directory, or a relative or absolute
	// path; without `clobber` an existing entry there is an error.
			status_t			Rename(const char* path, bool clobber = false);
			status_t			MoveTo(BDirectory* dir, const char* path = NULL,
									bool clobber = false);
			status_t			Remove();

			bool				operator==(const BEntry& item) const;
			bool				operator!=(const BEntry& item) const;
			BEntry&				operator=(const BEntry& item);

	// Host path of the entry (after /boot translation); empty when not
	// initialised.
			const char*			_Path() const { return fPath.c_str(); }

private:
			status_t			_SetToHostPath(std::string path, bool traverse);
	virtual	status_t			_StatTarget(std::string& path,
									bool& follow) const;

			std::string			fPath;
			status_t			fCStatus;
};

// Makes a ref for `path`; its directory must exist, the leaf need not.
status_t get_ref_for_path(const char* path, entry_ref* ref);

bool operator<(const entry_ref& a, const entry_ref& b);

namespace BPrivate {

// The host path a ref stands for; B_ENTRY_NOT_FOUND when its directory is not
// known in this process or is gone.
status_t path_for_ref(const entry_ref* ref, std::string& path);

// Fills `ref` for the entry `leaf` in the existing directory `dirPath` (a
// resolved host path) and remembers the directory.
status_t make_ref(const std::string& dirPath, const char* leaf, entry_ref* ref);

}	// namespace BPrivate

#endif	// _ENTRY_H
