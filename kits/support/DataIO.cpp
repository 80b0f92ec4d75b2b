#include <DataIO.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <limits>

// #pragma mark - BDataIO

BDataIO::BDataIO()
{
}


BDataIO::~BDataIO()
{
}


ssize_t
BDataIO::Read(void*, size_t)
{
	return B_UNSUPPORTED;
}


ssize_t
BDataIO::Write(const void*, size_t)
{
	return B_UNSUPPORTED;
}


status_t
BDataIO::Flush()
{
	return B_OK;
}


status_t
BDataIO::ReadExactly(void* buffer, size_t size, size_t* _bytesRead)
{
	size_t done = 0;
	status_t error = B_OK;
	while (done < size) {
		ssize_t read = Read((char*)buffer + done, size - done);
		if (read < 0) {
			error = (status_t)read;
			break;
		}
		if (read == 0) {
			error = B_PARTIAL_READ_OR_END;
			break;
		}
		done += read;
	}
	if (_bytesRead != NULL)
		*_bytesRead = done;
	return error;
}


status_t
BDataIO::WriteExactly(const void* buffer, size_t size, size_t* _bytesWritten)
{
	size_t done = 0;
	status_t error = B_OK;
	while (done < size) {
		ssize_t written = Write((const char*)buffer + done, size - done);
		if (written < 0) {
			error = (status_t)written;
			break;
		}
		if (written == 0) {
			error = B_PARTIAL_WRITE_OR_END;
			break;
		}
		done += written;
	}
	if (_bytesWritten != NULL)
		*_bytesWritten = done;
	return error;
}


// #pragma mark - BPositionIO

BPositionIO::BPositionIO()
{
}


BPositionIO::~BPositionIO()
{
}


ssize_t
BPositionIO::Read(void* buffer, size_t size)
{
	off_t position = Position();
	ssize_t result = ReadAt(position, buffer, size);
	if (result > 0)
		Seek(position + result, SEEK_SET);
	return result;
}


ssize_t
BPositionIO::Write(const void* buffer, size_t size)
{
	off_t position = Position();
	ssize_t result = WriteAt(position, buffer, size);
	if (result > 0)
		Seek(position + result, SEEK_SET);
	return result;
}


status_t
BPositionIO::ReadAtExactly(off_t position, void* buffer, size_t size,
	size_t* _bytesRead)
{
	size_t done = 0;
	status_t error = B_OK;
	while (done < size) {
		ssize_t read = ReadAt(position + done, (char*)buffer + done,
			size - done);
		if (read < 0) {
			error = (status_t)read;
			break;
		}
		if (read == 0) {
			error = B_PARTIAL_READ_OR_END;
			break;
		}
		done += read;
	}
	if (_bytesRead != NULL)
		*_bytesRead = done;
	return error;
}


status_t
BPositionIO::WriteAtExactly(off_t position, const void* buffer, size_t size,
	size_t* _bytesWritten)
{
	size_t done = 0;
	status_t error = B_OK;
	while (done < size) {
		ssize_t written = WriteAt(position + done, (const char*)buffer + done,
			size - done);
		if (written < 0) {
			error = (status_t)written;
			break;
		}
		if (written == 0) {
			error = B_PARTIAL_WRITE_OR_END;
			break;
		}
		done += written;
	}
	if (_bytesWritten != NULL)
		*_bytesWritten = done;
	return error;
}


status_t
BPositionIO::SetSize(off_t)
{
	return B_ERROR;
}


status_t
BPositionIO::GetSize(off_t* size) const
{
	if (size == NULL)
		return B_BAD_VALUE;
	// Seek is not const on the platform either; the position is restored.
	BPositionIO* self = const_cast<BPositionIO*>(this);
	off_t current = self->Position();
	if (current < 0)
		return (status_t)current;
	off_t end = self->Seek(0, SEEK_END);
	self->Seek(current, SEEK_SET);
	if (end < 0)
		return (status_t)end;
	*size = end;
	return B_OK;
}


// Positions computed from user values must not overflow off_t.
static off_t
compute_position(off_t base, off_t offset)
{
	if ((offset > 0 && base > std::numeric_limits<off_t>::max() - offset)
		|| base + offset < 0)
		return B_BAD_VALUE;
	return base + offset;
}


// #pragma mark - BMemoryIO

BMemoryIO::BMemoryIO(void* data, size_t length)
	: fReadOnly(false), fBuffer((char*)data), fLength(length),
	  fBufferSize(length), fPosition(0)
{
}


BMemoryIO::BMemoryIO(const void* data, size_t length)
	: fReadOnly(true), fBuffer((char*)data), fLength(length),
	  fBufferSize(length), fPosition(0)
{
}


BMemoryIO::~BMemoryIO()
{
}


ssize_t
BMemoryIO::ReadAt(off_t position, void* buffer, size_t size)
{
	if (buffer == NULL || position < 0)
		return B_BAD_VALUE;
	if ((uint64)position >= fLength)
		return 0;
	size_t available = fLength - (size_t)position;
	if (size > available)
		size = available;
	memcpy(buffer, fBuffer + position, size);
	return size;
}


ssize_t
BMemoryIO::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (fReadOnly)
		return B_NOT_ALLOWED;
	if (buffer == NULL || position < 0)
		return B_BAD_VALUE;
	if ((uint64)position >= fBufferSize)
		return 0;
	size_t room = fBufferSize - (size_t)position;
	if (size > room)
		size = room;
	memcpy(fBuffer + position, buffer, size);
	if ((size_t)position + size > fLength)
		fLength = (size_t)position + size;
	return size;
}


off_t
BMemoryIO::Seek(off_t position, uint32 seekMode)
{
	off_t result;
	switch (seekMode) {
		case SEEK_SET:
			result = position;
			break;
		case SEEK_CUR:
			result = compute_position(fPosition, position);
			break;
		case SEEK_END:
			result = compute_position(fLength, position);
			break;
		default:
			return B_BAD_VALUE;
	}
	if (result < 0)
		return B_BAD_VALUE;
	fPosition = (size_t)result;
	return result;
}


off_t
BMemoryIO::Position() const
{
	return fPosition;
}


status_t
BMemoryIO::SetSize(off_t size)
{
	if (fReadOnly)
		return B_NOT_ALLOWED;
	if (size < 0)
		return B_BAD_VALUE;
	if ((uint64)size > fBufferSize)
		return B_NO_MEMORY;
	fLength = (size_t)size;
	return B_OK;
}


// #pragma mark - BMallocIO

static const size_t kDefaultBlockSize = 256;


BMallocIO::BMallocIO()
	: fBlockSize(kDefaultBlockSize), fMallocSize(0), fLength(0), fData(NULL),
	  fPosition(0)
{
}


BMallocIO::~BMallocIO()
{
	free(fData);
}


ssize_t
BMallocIO::ReadAt(off_t position, void* buffer, size_t size)
{
	if (buffer == NULL || position < 0)
		return B_BAD_VALUE;
	if ((uint64)position >= fLength)
		return 0;
	size_t available = fLength - (size_t)position;
	if (size > available)
		size = available;
	memcpy(buffer, fData + position, size);
	return size;
}


ssize_t
BMallocIO::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (buffer == NULL || position < 0)
		return B_BAD_VALUE;
	if (size == 0)
		return 0;
	if ((uint64)position > std::numeric_limits<size_t>::max() - size)
		return B_NO_MEMORY;
	size_t end = (size_t)position + size;
	if (end > fLength) {
		status_t error = SetSize(end);
		if (error != B_OK)
			return error;
	}
	memcpy(fData + position, buffer, size);
	return size;
}


off_t
BMallocIO::Seek(off_t position, uint32 seekMode)
{
	off_t result;
	switch (seekMode) {
		case SEEK_SET:
			result = position;
			break;
		case SEEK_CUR:
			result = compute_position(fPosition, position);
			break;
		case SEEK_END:
			result = compute_position(fLength, position);
			break;
		default:
			return B_BAD_VALUE;
	}
	if (result < 0)
		return B_BAD_VALUE;
	fPosition = result;
	return result;
}


off_t
BMallocIO::Position() const
{
	return fPosition;
}


status_t
BMallocIO::SetSize(off_t size)
{
	if (size < 0)
		return B_BAD_VALUE;
	if ((uint64)size > std::numeric_limits<size_t>::max() - fBlockSize)
		return B_NO_MEMORY;
	size_t newSize = (size_t)size;
	if (newSize == 0) {
		free(fData);
		fData = NULL;
		fMallocSize = 0;
		fLength = 0;
		return B_OK;
	}
	size_t newMallocSize = (newSize + fBlockSize - 1) / fBlockSize
		* fBlockSize;
	if (newMallocSize != fMallocSize) {
		char* data = (char*)realloc(fData, newMallocSize);
		if (data == NULL)
			return B_NO_MEMORY;
		fData = data;
		fMallocSize = newMallocSize;
	}
	if (newSize > fLength)
		memset(fData + fLength, 0, newSize - fLength);
	fLength = newSize;
	return B_OK;
}


void
BMallocIO::SetBlockSize(size_t blockSize)
{
	fBlockSize = blockSize > 0 ? blockSize : 1;
}


const void*
BMallocIO::Buffer() const
{
	return fData;
}


size_t
BMallocIO::BufferLength() const
{
	return fLength;
}
