/*
 * BFile over an ordinary descriptor opened with the caller's mode.
 */
#include <File.h>

#include <errno.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <BootPaths.h>
#include <Directory.h>
#include <Entry.h>

#include "StorageUtils.h"

using namespace BPrivate;

static const uint32 kAccessMask = O_ACCMODE;

BFile::BFile()
	:
	fMode(0)
{
}

BFile::BFile(const BFile& file)
	:
	BNode(),
	BPositionIO(),
	fMode(0)
{
	*this = file;
}

BFile::BFile(const entry_ref* ref, uint32 openMode)
	:
	fMode(0)
{
	SetTo(ref, openMode);
}

BFile::BFile(const BEntry* entry, uint32 openMode)
	:
	fMode(0)
{
	SetTo(entry, openMode);
}

BFile::BFile(const char* path, uint32 openMode)
	:
	fMode(0)
{
	SetTo(path, openMode);
}

BFile::BFile(const BDirectory* dir, const char* path, uint32 openMode)
	:
	fMode(0)
{
	SetTo(dir, path, openMode);
}

BFile::~BFile()
{
}

status_t
BFile::SetTo(const entry_ref* ref, uint32 openMode)
{
	std::string host;
	status_t status = path_for_ref(ref, host);
	if (status != B_OK)
		return _Fail(status);
	return _Open(host, openMode);
}

status_t
BFile::SetTo(const BEntry* entry, uint32 openMode)
{
	if (entry == NULL || entry->InitCheck() != B_OK)
		return _Fail(entry == NULL ? B_BAD_VALUE : entry->InitCheck());
	return _Open(entry->_Path(), openMode);
}

status_t
BFile::SetTo(const char* path, uint32 openMode)
{
	return SetTo(NULL, path, openMode);
}

status_t
BFile::SetTo(const BDirectory* dir, const char* path, uint32 openMode)
{
	std::string host;
	status_t status = path_in_directory(dir, path, host,
		(openMode & B_CREATE_FILE) != 0);
	if (status != B_OK)
		return _Fail(status);
	return _Open(make_absolute(host), openMode);
}

status_t
BFile::_Open(const std::string& hostPath, uint32 openMode)
{
	Unset();
	// Only the modes the kit knows pass; O_PATH or O_DIRECTORY would give a
	// descriptor a file cannot work with.
	int flags = openMode & (kAccessMask | O_CREAT | O_TRUNC | O_EXCL | O_APPEND);
	status_t status = _SetToPath(hostPath, flags, 0666);
	if (status == status_for_errno(ETXTBSY) && (flags & O_TRUNC) == 0) {
		// A running program cannot be opened for writing here, while BeOS
		// allowed it (programs opened themselves to write their attributes).
		// Open it for reading: the node is usable, and IsWritable(), Write()
		// and SetSize() tell the truth about its contents.
		flags = (flags & ~(kAccessMask | O_CREAT | O_EXCL)) | O_RDONLY;
		status = _SetToPath(hostPath, flags, 0666);
	}
	if (status != B_OK)
		return status;

	struct stat st;
	status = GetStat(&st);
	if (status == B_OK && S_ISDIR(st.st_mode))
		status = B_IS_A_DIRECTORY;
	else if (status == B_OK && !S_ISREG(st.st_mode))
		status = B_BAD_VALUE;
	if (status != B_OK)
		return _Fail(status);
	fMode = flags;
	return B_OK;
}

void
BFile::Unset()
{
	BNode::Unset();
	fMode = 0;
}

bool
BFile::IsReadable() const
{
	return InitCheck() == B_OK
		&& ((fMode & kAccessMask) == O_RDONLY || (fMode & kAccessMask) == O_RDWR);
}

bool
BFile::IsWritable() const
{
	return InitCheck() == B_OK
		&& ((fMode & kAccessMask) == O_WRONLY || (fMode & kAccessMask) == O_RDWR);
}

ssize_t
BFile::Read(void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (!IsReadable())
		return B_PERMISSION_DENIED;
	if (buffer == NULL && size > 0)
		return B_BAD_VALUE;
	ssize_t count;
	do
		count = read(_Fd(), buffer, size);
	while (count < 0 && errno == EINTR);
	return count < 0 ? status_for_errno(errno) : count;
}

ssize_t
BFile::ReadAt(off_t location, void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (!IsReadable())
		return B_PERMISSION_DENIED;
	if ((buffer == NULL && size > 0) || location < 0)
		return B_BAD_VALUE;
	ssize_t count;
	do
		count = pread(_Fd(), buffer, size, location);
	while (count < 0 && errno == EINTR);
	return count < 0 ? status_for_errno(errno) : count;
}

ssize_t
BFile::Write(const void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (!IsWritable())
		return B_PERMISSION_DENIED;
	if (buffer == NULL && size > 0)
		return B_BAD_VALUE;
	ssize_t count;
	do
		count = write(_Fd(), buffer, size);
	while (count < 0 && errno == EINTR);
	return count < 0 ? status_for_errno(errno) : count;
}

ssize_t
BFile::WriteAt(off_t location, const void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (!IsWritable())
		return B_PERMISSION_DENIED;
	if ((buffer == NULL && size > 0) || location < 0)
		return B_BAD_VALUE;
	ssize_t count;
	do
		count = pwrite(_Fd(), buffer, size, location);
	while (count < 0 && errno == EINTR);
	return count < 0 ? status_for_errno(errno) : count;
}

off_t
BFile::Seek(off_t offset, uint32 seekMode)
{
	if (InitCheck() != B_OK)
		return B_FILE_ERROR;
	if (seekMode != SEEK_SET && seekMode != SEEK_CUR && seekMode != SEEK_END)
		return B_BAD_VALUE;
	off_t position = lseek(_Fd(), offset, seekMode);
	return position < 0 ? status_for_errno(errno) : position;
}

off_t
BFile::Position() const
{
	if (InitCheck() != B_OK)
		return B_FILE_ERROR;
	off_t position = lseek(_Fd(), 0, SEEK_CUR);
	return position < 0 ? status_for_errno(errno) : position;
}

status_t
BFile::SetSize(off_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (size < 0)
		return B_BAD_VALUE;
	if (!IsWritable())
		return B_PERMISSION_DENIED;
	if (ftruncate(_Fd(), size) != 0)
		return status_for_errno(errno);
	return B_OK;
}

status_t
BFile::GetSize(off_t* size) const
{
	return BStatable::GetSize(size);
}

BFile&
BFile::operator=(const BFile& file)
{
	if (this != &file) {
		BNode::operator=(file);
		fMode = InitCheck() == B_OK ? file.fMode : 0;
	}
	return *this;
}
