/*
 * Byte streams: BDataIO reads and writes, BPositionIO adds a position,
 * BMemoryIO works on a caller's buffer, BMallocIO on a buffer it grows itself.
 */
#ifndef _DATA_IO_H
#define _DATA_IO_H

#include <SupportDefs.h>

class BDataIO {
public:
								BDataIO();
	virtual						~BDataIO();

	virtual	ssize_t				Read(void* buffer, size_t size);
	virtual	ssize_t				Write(const void* buffer, size_t size);

	virtual	status_t			Flush();

	// Loop until everything was transferred or an error/end came.
			status_t			ReadExactly(void* buffer, size_t size,
									size_t* _bytesRead = NULL);
			status_t			WriteExactly(const void* buffer, size_t size,
									size_t* _bytesWritten = NULL);

private:
								BDataIO(const BDataIO&);
			BDataIO&			operator=(const BDataIO&);
};

class BPositionIO : public BDataIO {
public:
								BPositionIO();
	virtual						~BPositionIO();

	// BDataIO: read and write at the current position and advance it.
	virtual	ssize_t				Read(void* buffer, size_t size);
	virtual	ssize_t				Write(const void* buffer, size_t size);

	virtual	ssize_t				ReadAt(off_t position, void* buffer,
									size_t size) = 0;
	virtual	ssize_t				WriteAt(off_t position, const void* buffer,
									size_t size) = 0;

			status_t			ReadAtExactly(off_t position, void* buffer,
									size_t size, size_t* _bytesRead = NULL);
			status_t			WriteAtExactly(off_t position,
									const void* buffer, size_t size,
									size_t* _bytesWritten = NULL);

	// seekMode is SEEK_SET, SEEK_CUR or SEEK_END; returns the new position
	// or a negative status code.
	virtual	off_t				Seek(off_t position, uint32 seekMode) = 0;
	virtual	off_t				Position() const = 0;

	virtual	status_t			SetSize(off_t size);
	virtual	status_t			GetSize(off_t* size) const;
};

// Reads and writes a fixed buffer owned by the caller. Writing never grows
// it: writes past the end are cut off (or fail when nothing fits).
class BMemoryIO : public BPositionIO {
public:
								BMemoryIO(void* data, size_t length);
								BMemoryIO(const void* data, size_t length);
	virtual						~BMemoryIO();

	virtual	ssize_t				ReadAt(off_t position, void* buffer,
									size_t size);
	virtual	ssize_t				WriteAt(off_t position, const void* buffer,
									size_t size);

	virtual	off_t				Seek(off_t position, uint32 seekMode);
	virtual	off_t				Position() const;

	// Only shrinking, or growing back up to the buffer's length.
	virtual	status_t			SetSize(off_t size);

private:
			bool				fReadOnly;
			char*				fBuffer;
			size_t				fLength;
			size_t				fBufferSize;
			size_t				fPosition;
};

// Grows its own buffer as written. Writing past the end fills the gap with
// zeros. Buffer() stays valid until the next write or SetSize.
class BMallocIO : public BPositionIO {
public:
								BMallocIO();
	virtual						~BMallocIO();

	virtual	ssize_t				ReadAt(off_t position, void* buffer,
									size_t size);
	virtual	ssize_t				WriteAt(off_t position, const void* buffer,
									size_t size);

	virtual	off_t				Seek(off_t position, uint32 seekMode);
	virtual	off_t				Position() const;

	virtual	status_t			SetSize(off_t size);

			void				SetBlockSize(size_t blockSize);

			const void*			Buffer() const;
			size_t				BufferLength() const;

private:
								BMallocIO(const BMallocIO&);
			BMallocIO&			operator=(const BMallocIO&);

			size_t				fBlockSize;
			size_t				fMallocSize;
			size_t				fLength;
			char*				fData;
			off_t				fPosition;
};

#endif	// _DATA_IO_H
