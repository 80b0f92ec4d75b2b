/*
 * BSymLink: a symbolic link itself (never followed).
 */
#ifndef _SYM_LINK_H
#define _SYM_LINK_H

#include <Node.h>
#include <StorageDefs.h>

class BDirectory;
class BPath;

class BSymLink : public BNode {
public:
								BSymLink();
								BSymLink(const BSymLink& link);
								BSymLink(const entry_ref* ref);
								BSymLink(const BEntry* entry);
								BSymLink(const char* path);
								BSymLink(const BDirectory* dir, const char* path);
	virtual						~BSymLink();

			status_t			SetTo(const entry_ref* ref);
			status_t			SetTo(const BEntry* entry);
			status_t			SetTo(const char* path);
			status_t			SetTo(const BDirectory* dir, const char* path);

	// Copies the link's contents, zero-terminated and cut to `size` bytes;
	// returns the full length of the contents or an error.
			ssize_t				ReadLink(char* buffer, size_t size);

	// The path the link points to, resolved against `dirPath` (or `dir`)
	// when the contents are relative.
			ssize_t				MakeLinkedPath(const char* dirPath, BPath* path);
			ssize_t				MakeLinkedPath(const BDirectory* dir,
									BPath* path);

			bool				IsAbsolute();

			BSymLink&			operator=(const BSymLink& link);

private:
			status_t			_Contents(std::string& contents) const;
};

#endif	// _SYM_LINK_H
