/*
 * BPath: an absolute path string.
 *
 * Paths are kept as host paths: a BeOS location such as
 * "/boot/home/config/settings/x" is translated when it is set, and Path()
 * returns where the file really is. Relative paths, ".", ".." and doubled
 * slashes are resolved against the current directory; the directory part must
 * exist for that. Asking for normalisation also resolves links in the
 * directory part; the leaf is never followed.
 */
#ifndef _PATH_H
#define _PATH_H

#include <string>

#include <StorageDefs.h>

class BDirectory;
class BEntry;
struct entry_ref;

class BPath {
public:
								BPath();
								BPath(const BPath& path);
								BPath(const entry_ref* ref);
								BPath(const BEntry* entry);
								BPath(const char* dir, const char* leaf = NULL,
									bool normalize = false);
								BPath(const BDirectory* dir, const char* leaf,
									bool normalize = false);
	virtual						~BPath();

			status_t			InitCheck() const;

			status_t			SetTo(const entry_ref* ref);
			status_t			SetTo(const BEntry* entry);
			status_t			SetTo(const char* path, const char* leaf = NULL,
									bool normalize = false);
			status_t			SetTo(const BDirectory* dir, const char* leaf = NULL,
									bool normalize = false);
			void				Unset();

			status_t			Append(const char* path, bool normalize = false);

	// NULL when not initialised.
			const char*			Path() const;
	// The last component; "" for "/", NULL when not initialised.
			const char*			Leaf() const;
			status_t			GetParent(BPath* path) const;

			bool				operator==(const BPath& item) const;
			bool				operator==(const char* path) const;
			bool				operator!=(const BPath& item) const;
			bool				operator!=(const char* path) const;
			BPath&				operator=(const BPath& item);
			BPath&				operator=(const char* path);

private:
	friend class BEntry;

	// Sets the path from a host path (no /boot translation).
			status_t			_SetHost(const std::string& host,
									const char* leaf, bool normalize);

			std::string			fName;
			status_t			fCStatus;
};

#endif	// _PATH_H
