/*
 * MIME type names the kits use for files the system itself knows.
 */
#ifndef _MIME_H
#define _MIME_H

#include <StorageDefs.h>

#define B_APP_MIME_TYPE			"application/x-vnd.Be-elfexecutable"
#define B_DIRECTORY_MIME_TYPE	"application/x-vnd.Be-directory"
#define B_SYMLINK_MIME_TYPE		"application/x-vnd.Be-symlink"
#define B_FILE_MIME_TYPE		"application/octet-stream"

#include <MimeType.h>

#endif	// _MIME_H
