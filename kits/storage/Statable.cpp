/*
 * BStatable and node_ref.
 */
#include <Statable.h>

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

node_ref::node_ref()
	:
	device((dev_t)-1),
	node((ino_t)-1)
{
}

node_ref::node_ref(dev_t device, ino_t node)
	:
	device(device),
	node(node)
{
}

node_ref::node_ref(const node_ref& other)
	:
	device(other.device),
	node(other.node)
{
}

bool
node_ref::operator==(const node_ref& other) const
{
	return device == other.device && node == other.node;
}

bool
node_ref::operator!=(const node_ref& other) const
{
	return !(*this == other);
}

node_ref&
node_ref::operator=(const node_ref& other)
{
	device = other.device;
	node = other.node;
	return *this;
}

BStatable::~BStatable()
{
}

bool
BStatable::IsFile() const
{
	struct stat st;
	return GetStat(&st) == B_OK && S_ISREG(st.st_mode);
}

bool
BStatable::IsDirectory() const
{
	struct stat st;
	return GetStat(&st) == B_OK && S_ISDIR(st.st_mode);
}

bool
BStatable::IsSymLink() const
{
	struct stat st;
	return GetStat(&st) == B_OK && S_ISLNK(st.st_mode);
}

#define STAT_GETTER(method, type, expression) \
status_t \
BStatable::method(type* value) const \
{ \
	if (value == NULL) \
		return B_BAD_VALUE; \
	struct stat st; \
	status_t status = GetStat(&st); \
	if (status == B_OK) \
		*value = (expression); \
	return status; \
}

STAT_GETTER(GetNodeRef, node_ref, node_ref(st.st_dev, st.st_ino))
STAT_GETTER(GetOwner, uid_t, st.st_uid)
STAT_GETTER(GetGroup, gid_t, st.st_gid)
STAT_GETTER(GetPermissions, mode_t, st.st_mode & ~S_IFMT)
STAT_GETTER(GetSize, off_t, st.st_size)
STAT_GETTER(GetModificationTime, time_t, st.st_mtime)
STAT_GETTER(GetAccessTime, time_t, st.st_atime)
// The host keeps no creation time everywhere; the change time stands in.
STAT_GETTER(GetCreationTime, time_t, st.st_ctime)

status_t
BStatable::SetOwner(uid_t owner)
{
	std::string path;
	bool follow;
	status_t status = _StatTarget(path, follow);
	if (status != B_OK)
		return status;
	if (fchownat(AT_FDCWD, path.c_str(), owner, (gid_t)-1,
			follow ? 0 : AT_SYMLINK_NOFOLLOW) != 0)
		return status_for_errno(errno);
	return B_OK;
}

status_t
BStatable::SetGroup(gid_t group)
{
	std::string path;
	bool follow;
	status_t status = _StatTarget(path, follow);
	if (status != B_OK)
		return status;
	if (fchownat(AT_FDCWD, path.c_str(), (uid_t)-1, group,
			follow ? 0 : AT_SYMLINK_NOFOLLOW) != 0)
		return status_for_errno(errno);
	return B_OK;
}

status_t
BStatable::SetPermissions(mode_t permissions)
{
	std::string path;
	bool follow;
	status_t status = _StatTarget(path, follow);
	if (status != B_OK)
		return status;
	// Links have no permissions of their own on this host.
	if (fchmodat(AT_FDCWD, path.c_str(), permissions & 07777,
			follow ? 0 : AT_SYMLINK_NOFOLLOW) != 0)
		return errno == ENOTSUP ? B_UNSUPPORTED : status_for_errno(errno);
	return B_OK;
}

static status_t
SetTime(const std::string& path, bool follow, time_t time, bool modification)
{
	struct timespec times[2];
	times[0].tv_nsec = times[1].tv_nsec = UTIME_OMIT;
	struct timespec& which = times[modification ? 1 : 0];
	which.tv_sec = time;
	which.tv_nsec = 0;
	if (utimensat(AT_FDCWD, path.c_str(), times,
			follow ? 0 : AT_SYMLINK_NOFOLLOW) != 0)
		return status_for_errno(errno);
	return B_OK;
}

status_t
BStatable::SetModificationTime(time_t mtime)
{
	std::string path;
	bool follow;
	status_t status = _StatTarget(path, follow);
	return status != B_OK ? status : SetTime(path, follow, mtime, true);
}

status_t
BStatable::SetAccessTime(time_t atime)
{
	std::string path;
	bool follow;
	status_t status = _StatTarget(path, follow);
	return status != B_OK ? status : SetTime(path, follow, atime, false);
}
