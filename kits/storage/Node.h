/*
 * BNode: an open file system node (file, directory or link target).
 *
 * A node is held by an O_PATH descriptor, so it can be looked at (stat) even
 * when its contents may not be read; BFile and BDirectory open real
 * descriptors of their own. Attributes are host extended attributes in the
 * "user." namespace; on a file system without them the calls fail with
 * B_UNSUPPORTED.
 */
#ifndef _NODE_H
#define _NODE_H

#include <string>

#include <Statable.h>
#include <StorageDefs.h>

class BDirectory;
class BEntry;
struct entry_ref;

class BNode : public BStatable {
public:
								BNode();
								BNode(const entry_ref* ref);
								BNode(const BEntry* entry);
								BNode(const char* path);
								BNode(const BDirectory* dir, const char* path);
								BNode(const BNode& node);
	virtual						~BNode();

			status_t			InitCheck() const;

	virtual	status_t			GetStat(struct stat* st) const;

			status_t			SetTo(const entry_ref* ref);
			status_t			SetTo(const BEntry* entry);
			status_t			SetTo(const char* path);
			status_t			SetTo(const BDirectory* dir, const char* path);
	virtual	void				Unset();

			status_t			Lock();
			status_t			Unlock();
			status_t			Sync();

			ssize_t				WriteAttr(const char* name, type_code type,
									off_t offset, const void* buffer,
									size_t length);
			ssize_t				ReadAttr(const char* name, type_code type,
									off_t offset, void* buffer,
									size_t length) const;
			status_t			RemoveAttr(const char* name);

			BNode&				operator=(const BNode& node);
			bool				operator==(const BNode& node) const;
			bool				operator!=(const BNode& node) const;

	// The host path this node was opened by (after /boot translation);
	// empty when not initialised.
			const char*			_Path() const { return fPath.c_str(); }

protected:
	// Opens `hostPath` (already translated, absolute) with `flags`; used by
	// the subclasses with their own open flags.
			status_t			_SetToPath(const std::string& hostPath,
									int flags, mode_t mode = 0);
			void				_Adopt(int fd, const std::string& hostPath);
	// Unsets the node and keeps `status` as its InitCheck(); returns it.
			status_t			_Fail(status_t status);
			int					_Fd() const { return fFd; }

private:
	virtual	status_t			_StatTarget(std::string& path,
									bool& follow) const;

			int					fFd;
			status_t			fCStatus;
			std::string			fPath;
};

#endif	// _NODE_H
