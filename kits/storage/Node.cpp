/*
 * BNode over an O_PATH descriptor; attributes as "user." extended attributes.
 */
#include <Node.h>

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <vector>

#include <BootPaths.h>
#include <Directory.h>
#include <Entry.h>

#include "StorageUtils.h"

using namespace BPrivate;

BNode::BNode()
	:
	fFd(-1),
	fCStatus(B_NO_INIT)
{
}

BNode::BNode(const entry_ref* ref)
	:
	BNode()
{
	SetTo(ref);
}

BNode::BNode(const BEntry* entry)
	:
	BNode()
{
	SetTo(entry);
}

BNode::BNode(const char* path)
	:
	BNode()
{
	SetTo(path);
}

BNode::BNode(const BDirectory* dir, const char* path)
	:
	BNode()
{
	SetTo(dir, path);
}

BNode::BNode(const BNode& node)
	:
	BStatable(),
	fFd(-1),
	fCStatus(B_NO_INIT)
{
	*this = node;
}

BNode::~BNode()
{
	Unset();
}

status_t
BNode::InitCheck() const
{
	return fCStatus;
}

status_t
BNode::GetStat(struct stat* st) const
{
	if (st == NULL)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return fCStatus;
	if (fstat(fFd, st) != 0)
		return status_for_errno(errno);
	return B_OK;
}

status_t
BNode::SetTo(const entry_ref* ref)
{
	Unset();
	if (ref == NULL)
		return fCStatus = B_BAD_VALUE;
	std::string path;
	status_t status = path_for_ref(ref, path);
	if (status != B_OK)
		return fCStatus = status;
	return _SetToPath(path, O_PATH);
}

status_t
BNode::SetTo(const BEntry* entry)
{
	Unset();
	if (entry == NULL)
		return fCStatus = B_BAD_VALUE;
	if (entry->InitCheck() != B_OK)
		return fCStatus = entry->InitCheck();
	return _SetToPath(entry->_Path(), O_PATH);
}

status_t
BNode::SetTo(const char* path)
{
	return SetTo(NULL, path);
}

status_t
BNode::SetTo(const BDirectory* dir, const char* path)
{
	std::string host;
	status_t status = path_in_directory(dir, path, host);
	if (status != B_OK) {
		Unset();
		return fCStatus = status;
	}
	return _SetToPath(make_absolute(host), O_PATH);
}

void
BNode::Unset()
{
	if (fFd >= 0)
		close(fFd);
	fFd = -1;
	fPath.clear();
	fCStatus = B_NO_INIT;
}

status_t
BNode::_SetToPath(const std::string& hostPath, int flags, mode_t mode)
{
	Unset();
	int fd = open(hostPath.c_str(), flags | O_CLOEXEC, mode);
	if (fd < 0)
		return fCStatus = status_for_errno(errno);

	// Keep the path the node is known by with its directory part resolved,
	// so that relative paths keep working after a change of directory.
	std::string resolved;
	if (resolve_directory_part(make_absolute(hostPath), resolved) != B_OK)
		resolved = make_absolute(hostPath);
	_Adopt(fd, resolved);

	struct stat st;
	if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
		char* real = realpath(resolved.c_str(), NULL);
		if (real != NULL)
			remember_directory(real, st.st_dev, st.st_ino);
		free(real);
	}
	return B_OK;
}

void
BNode::_Adopt(int fd, const std::string& hostPath)
{
	fFd = fd;
	fPath = hostPath;
	fCStatus = B_OK;
}

status_t
BNode::_Fail(status_t status)
{
	Unset();
	fCStatus = status;
	return status;
}

status_t
BNode::Lock()
{
	return fCStatus != B_OK ? fCStatus : B_UNSUPPORTED;
}

status_t
BNode::Unlock()
{
	return fCStatus != B_OK ? fCStatus : B_UNSUPPORTED;
}

status_t
BNode::Sync()
{
	if (fCStatus != B_OK)
		return fCStatus;
	int fd = open(fPath.c_str(), O_RDONLY | O_CLOEXEC);
	if (fd < 0)
		return status_for_errno(errno);
	status_t status = fsync(fd) == 0 ? B_OK : status_for_errno(errno);
	close(fd);
	return status;
}

static std::string
AttributeName(const char* name)
{
	return std::string("user.") + name;
}

ssize_t
BNode::WriteAttr(const char* name, type_code /*type*/, off_t offset,
	const void* buffer, size_t length)
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (name == NULL || offset < 0 || (buffer == NULL && length > 0))
		return B_BAD_VALUE;

	std::vector<char> data;
	if (offset > 0) {
		// Writing inside an attribute keeps the bytes before `offset`.
		ssize_t size = getxattr(fPath.c_str(), AttributeName(name).c_str(),
			NULL, 0);
		if (size > 0) {
			data.resize(size);
			size = getxattr(fPath.c_str(), AttributeName(name).c_str(),
				data.data(), data.size());
			data.resize(size > 0 ? size : 0);
		}
	}
	if (data.size() < (size_t)offset + length)
		data.resize((size_t)offset + length);
	if (length > 0)
		memcpy(data.data() + offset, buffer, length);
	if (setxattr(fPath.c_str(), AttributeName(name).c_str(), data.data(),
			data.size(), 0) != 0)
		return errno == ENOTSUP ? B_UNSUPPORTED : status_for_errno(errno);
	return length;
}

ssize_t
BNode::ReadAttr(const char* name, type_code /*type*/, off_t offset,
	void* buffer, size_t length) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (name == NULL || offset < 0 || (buffer == NULL && length > 0))
		return B_BAD_VALUE;
	ssize_t size = getxattr(fPath.c_str(), AttributeName(name).c_str(), NULL, 0);
	if (size < 0) {
		if (errno == ENODATA)
			return B_ENTRY_NOT_FOUND;
		return errno == ENOTSUP ? B_UNSUPPORTED : status_for_errno(errno);
	}
	std::vector<char> data(size);
	size = getxattr(fPath.c_str(), AttributeName(name).c_str(), data.data(),
		data.size());
	if (size < 0)
		return status_for_errno(errno);
	if (offset >= size)
		return 0;
	size_t count = std::min((size_t)(size - offset), length);
	memcpy(buffer, data.data() + offset, count);
	return count;
}

status_t
BNode::RemoveAttr(const char* name)
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (name == NULL)
		return B_BAD_VALUE;
	if (removexattr(fPath.c_str(), AttributeName(name).c_str()) != 0)
		return errno == ENODATA ? B_ENTRY_NOT_FOUND : status_for_errno(errno);
	return B_OK;
}

BNode&
BNode::operator=(const BNode& node)
{
	if (this == &node)
		return *this;
	Unset();
	if (node.fCStatus == B_OK) {
		int fd = fcntl(node.fFd, F_DUPFD_CLOEXEC, 0);
		if (fd < 0)
			fCStatus = status_for_errno(errno);
		else
			_Adopt(fd, node.fPath);
	} else
		fCStatus = node.fCStatus;
	return *this;
}

bool
BNode::operator==(const BNode& node) const
{
	if (fCStatus != B_OK || node.fCStatus != B_OK)
		return fCStatus == node.fCStatus;
	node_ref mine, theirs;
	return GetNodeRef(&mine) == B_OK && node.GetNodeRef(&theirs) == B_OK
		&& mine == theirs;
}

bool
BNode::operator!=(const BNode& node) const
{
	return !(*this == node);
}

status_t
BNode::_StatTarget(std::string& path, bool& follow) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	path = fPath;
	// A BSymLink's node is the link itself.
	follow = !IsSymLink();
	return B_OK;
}
