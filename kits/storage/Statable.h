/*
 * BStatable: what every node and entry can tell about itself from stat(2).
 */
#ifndef _STATABLE_H
#define _STATABLE_H

#include <sys/stat.h>
#include <sys/types.h>
#include <time.h>

#include <string>

#include <SupportDefs.h>

struct node_ref {
	node_ref();
	node_ref(dev_t device, ino_t node);
	node_ref(const node_ref& other);

	bool operator==(const node_ref& other) const;
	bool operator!=(const node_ref& other) const;
	node_ref& operator=(const node_ref& other);

	dev_t	device;
	ino_t	node;
};

class BStatable {
public:
	virtual						~BStatable();

	virtual	status_t			GetStat(struct stat* st) const = 0;

			bool				IsFile() const;
			bool				IsDirectory() const;
			bool				IsSymLink() const;

			status_t			GetNodeRef(node_ref* ref) const;
			status_t			GetOwner(uid_t* owner) const;
			status_t			GetGroup(gid_t* group) const;
			status_t			GetPermissions(mode_t* permissions) const;
			status_t			GetSize(off_t* size) const;
			status_t			GetModificationTime(time_t* mtime) const;
			status_t			GetAccessTime(time_t* atime) const;
			status_t			GetCreationTime(time_t* ctime) const;

			status_t			SetOwner(uid_t owner);
			status_t			SetGroup(gid_t group);
			status_t			SetPermissions(mode_t permissions);
			status_t			SetModificationTime(time_t mtime);
			status_t			SetAccessTime(time_t atime);

private:
	// The host path the setters work on, and whether a link there is
	// followed (a node) or changed itself (an entry).
	virtual	status_t			_StatTarget(std::string& path,
									bool& follow) const = 0;
};

#endif	// _STATABLE_H
