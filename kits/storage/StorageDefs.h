/*
 * Limits, open modes and node kinds shared by the storage kit's classes.
 */
#ifndef _STORAGE_DEFS_H
#define _STORAGE_DEFS_H

#include <fcntl.h>
#include <limits.h>

#include <SupportDefs.h>

// A name is one path component; Linux allows 255 bytes plus the terminator.
#define B_FILE_NAME_LENGTH		256
#define B_PATH_NAME_LENGTH		PATH_MAX
#define B_ATTR_NAME_LENGTH		(B_FILE_NAME_LENGTH - 1)
#define B_MIME_TYPE_LENGTH		(B_ATTR_NAME_LENGTH - 15)
#define B_MAX_SYMLINKS			40

// Open modes of BFile. They are the host's open(2) flags, so they combine and
// pass through unchanged.
#define B_READ_ONLY			O_RDONLY
#define B_WRITE_ONLY		O_WRONLY
#define B_READ_WRITE		O_RDWR
#define B_FAIL_IF_EXISTS	O_EXCL
#define B_CREATE_FILE		O_CREAT
#define B_ERASE_FILE		O_TRUNC
#define B_OPEN_AT_END		O_APPEND

// What kind of node an entry is; used by BDirectory::Contains and friends.
enum node_flavor {
	B_FILE_NODE			= 0x01,
	B_SYMLINK_NODE		= 0x02,
	B_DIRECTORY_NODE	= 0x04,
	B_ANY_NODE			= 0x07
};

#endif	// _STORAGE_DEFS_H
