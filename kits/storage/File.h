/*
 * BFile: an open regular file, read and written through BPositionIO.
 *
 * Read() and Write() use and move the file position; ReadAt() and WriteAt()
 * leave it where it is. With B_OPEN_AT_END every write goes to the end.
 */
#ifndef _FILE_H
#define _FILE_H

#include <DataIO.h>
#include <Node.h>
#include <StorageDefs.h>

class BFile : public BNode, public BPositionIO {
public:
								BFile();
								BFile(const BFile& file);
								BFile(const entry_ref* ref, uint32 openMode);
								BFile(const BEntry* entry, uint32 openMode);
								BFile(const char* path, uint32 openMode);
								BFile(const BDirectory* dir, const char* path,
									uint32 openMode);
	virtual						~BFile();

			status_t			SetTo(const entry_ref* ref, uint32 openMode);
			status_t			SetTo(const BEntry* entry, uint32 openMode);
			status_t			SetTo(const char* path, uint32 openMode);
			status_t			SetTo(const BDirectory* dir, const char* path,
									uint32 openMode);
	virtual	void				Unset();

			bool				IsReadable() const;
			bool				IsWritable() const;

	virtual	ssize_t				Read(void* buffer, size_t size);
	virtual	ssize_t				ReadAt(off_t location, void* buffer, size_t size);
	virtual	ssize_t				Write(const void* buffer, size_t size);
	virtual	ssize_t				WriteAt(off_t location, const void* buffer,
									size_t size);

	virtual	off_t				Seek(off_t offset, uint32 seekMode);
	virtual	off_t				Position() const;

	virtual	status_t			SetSize(off_t size);
	virtual	status_t			GetSize(off_t* size) const;

			BFile&				operator=(const BFile& file);

private:
			status_t			_Open(const std::string& hostPath,
									uint32 openMode);

			uint32				fMode;
};

#endif	// _FILE_H
