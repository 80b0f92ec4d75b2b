/*
 * find_directory: the standard BeOS folders, as host folders (see BootPaths.h).
 */
#ifndef _FIND_DIRECTORY_H
#define _FIND_DIRECTORY_H

#include <StorageDefs.h>

class BPath;
class BVolume;

typedef enum {
	B_DESKTOP_DIRECTORY					= 0,
	B_TRASH_DIRECTORY,

	B_BEOS_DIRECTORY					= 1000,
	B_BEOS_SYSTEM_DIRECTORY,
	B_BEOS_ADDONS_DIRECTORY,
	B_BEOS_BOOT_DIRECTORY,
	B_BEOS_FONTS_DIRECTORY,
	B_BEOS_LIB_DIRECTORY,
	B_BEOS_SERVERS_DIRECTORY,
	B_BEOS_APPS_DIRECTORY,
	B_BEOS_BIN_DIRECTORY,
	B_BEOS_ETC_DIRECTORY,
	B_BEOS_DOCUMENTATION_DIRECTORY,
	B_BEOS_PREFERENCES_DIRECTORY,

	B_USER_DIRECTORY					= 3000,
	B_USER_CONFIG_DIRECTORY,
	B_USER_ADDONS_DIRECTORY,
	B_USER_BOOT_DIRECTORY,
	B_USER_FONTS_DIRECTORY,
	B_USER_LIB_DIRECTORY,
	B_USER_SETTINGS_DIRECTORY,
	B_USER_DESKBAR_DIRECTORY,

	B_APPS_DIRECTORY					= 4000,
	B_PREFERENCES_DIRECTORY,
	B_UTILITIES_DIRECTORY
} directory_which;

// Writes the folder into `path` (`length` bytes). With `createIt` a missing
// folder is created. Folders without a host counterpart give B_BAD_VALUE.
status_t find_directory(directory_which which, dev_t volume, bool createIt,
	char* path, int32 length);
status_t find_directory(directory_which which, BPath* path,
	bool createIt = false, BVolume* volume = NULL);

#endif	// _FIND_DIRECTORY_H
