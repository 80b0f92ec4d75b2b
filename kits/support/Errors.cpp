#include <Errors.h>

#include <errno.h>

#include <SupportDefs.h>

namespace {

struct ErrnoMapping {
	int			error;
	status_t	status;
};

// Host errno values with a code of their own; the first match of a status
// is the errno it turns back into.
const ErrnoMapping kErrnoMappings[] = {
	{ ENOMEM, B_NO_MEMORY },
	{ EIO, B_IO_ERROR },
	{ EACCES, B_PERMISSION_DENIED },
	{ EPERM, B_NOT_ALLOWED },
	{ EINVAL, B_BAD_VALUE },
	{ ETIMEDOUT, B_TIMED_OUT },
	{ EINTR, B_INTERRUPTED },
	{ EAGAIN, B_WOULD_BLOCK },
	{ ECANCELED, B_CANCELED },
	{ EBUSY, B_BUSY },
	{ EBADF, B_FILE_ERROR },
	{ EEXIST, B_FILE_EXISTS },
	{ ENOENT, B_ENTRY_NOT_FOUND },
	{ ENAMETOOLONG, B_NAME_TOO_LONG },
	{ ENOTDIR, B_NOT_A_DIRECTORY },
	{ ENOTEMPTY, B_DIRECTORY_NOT_EMPTY },
	{ ENOSPC, B_DEVICE_FULL },
	{ EROFS, B_READ_ONLY_DEVICE },
	{ EISDIR, B_IS_A_DIRECTORY },
	{ EMFILE, B_NO_MORE_FDS },
	{ EXDEV, B_CROSS_DEVICE_LINK },
	{ ELOOP, B_LINK_LIMIT },
	{ EPIPE, B_BUSTED_PIPE },
	{ ENOTSUP, B_UNSUPPORTED },
	{ ENOSYS, B_UNSUPPORTED },
	{ ESRCH, B_BAD_THREAD_ID },
	{ ENOEXEC, B_NOT_AN_EXECUTABLE },
	{ EFAULT, B_BAD_ADDRESS },
};

struct StatusText {
	status_t	status;
	const char*	text;
};

const StatusText kStatusTexts[] = {
	{ B_OK, "No error" },
	{ B_ERROR, "General system error" },
	{ B_NO_MEMORY, "Out of memory" },
	{ B_IO_ERROR, "I/O error" },
	{ B_PERMISSION_DENIED, "Permission denied" },
	{ B_BAD_INDEX, "Index not in range for the data set" },
	{ B_BAD_TYPE, "Bad argument type passed to function" },
	{ B_BAD_VALUE, "Bad value passed to function" },
	{ B_MISMATCHED_VALUES, "Mismatched values passed to function" },
	{ B_NAME_NOT_FOUND, "Name not found" },
	{ B_NAME_IN_USE, "Name in use" },
	{ B_TIMED_OUT, "Operation timed out" },
	{ B_INTERRUPTED, "Interrupted system call" },
	{ B_WOULD_BLOCK, "Operation would block" },
	{ B_CANCELED, "Operation canceled" },
	{ B_NO_INIT, "Initialization failed" },
	{ B_BUSY, "Device/File/Resource busy" },
	{ B_NOT_ALLOWED, "Operation not allowed" },
	{ B_BAD_DATA, "Bad data" },
	{ B_DONT_DO_THAT, "Don't do that" },
	{ B_BAD_THREAD_ID, "Bad thread ID" },
	{ B_BAD_TEAM_ID, "Bad team ID" },
	{ B_BAD_PORT_ID, "Bad port ID" },
	{ B_BAD_IMAGE_ID, "Bad image ID" },
	{ B_BAD_ADDRESS, "Bad address" },
	{ B_NOT_AN_EXECUTABLE, "Not an executable" },
	{ B_BAD_REPLY, "Bad reply" },
	{ B_DUPLICATE_REPLY, "Duplicate reply" },
	{ B_MESSAGE_TO_SELF, "Can't send synchronous message to self" },
	{ B_BAD_HANDLER, "Bad handler" },
	{ B_ALREADY_RUNNING, "Already running" },
	{ B_LAUNCH_FAILED, "Launch failed" },
	{ B_FILE_ERROR, "Bad file descriptor" },
	{ B_FILE_EXISTS, "File or Directory already exists" },
	{ B_ENTRY_NOT_FOUND, "No such file or directory" },
	{ B_NAME_TOO_LONG, "File or Directory name too long" },
	{ B_NOT_A_DIRECTORY, "Not a directory" },
	{ B_DIRECTORY_NOT_EMPTY, "Directory not empty" },
	{ B_DEVICE_FULL, "No space left on device" },
	{ B_READ_ONLY_DEVICE, "Read-only file system" },
	{ B_IS_A_DIRECTORY, "Is a directory" },
	{ B_NO_MORE_FDS, "Too many open files" },
	{ B_CROSS_DEVICE_LINK, "Cross-device link" },
	{ B_LINK_LIMIT, "Too many symbolic links" },
	{ B_BUSTED_PIPE, "Broken pipe" },
	{ B_UNSUPPORTED, "Operation not supported" },
};

}	// namespace


int32_t
status_for_errno(int error)
{
	if (error == 0)
		return B_OK;
	if (error < 0)
		return error;	// already a status code
	for (const ErrnoMapping& mapping : kErrnoMappings) {
		if (mapping.error == error)
			return mapping.status;
	}
	return B_POSIX_ERROR_BASE + error;
}


int
errno_for_status(int32_t status)
{
	if (status == B_OK)
		return 0;
	for (const ErrnoMapping& mapping : kErrnoMappings) {
		if (mapping.status == status)
			return mapping.error;
	}
	if (status > B_POSIX_ERROR_BASE && status < B_POSIX_ERROR_BASE + 0x1000)
		return status - B_POSIX_ERROR_BASE;
	return EIO;
}


const char*
strerror_status(int32_t status)
{
	for (const StatusText& entry : kStatusTexts) {
		if (entry.status == status)
			return entry.text;
	}
	return "Unknown error";
}
