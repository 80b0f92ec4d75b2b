/*
 * BStatable and node_ref.
 */
#include <Statable.h>

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
