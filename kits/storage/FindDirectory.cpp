/*
 * find_directory over the BeOS locations of BootPaths.h.
 */
#include <FindDirectory.h>

#include <stdio.h>

#include <BootPaths.h>
#include <Directory.h>
#include <Path.h>

static const char*
BeOSLocation(directory_which which)
{
	switch (which) {
		case B_DESKTOP_DIRECTORY:
			return "/boot/home/Desktop";
		case B_USER_DIRECTORY:
			return "/boot/home";
		case B_USER_CONFIG_DIRECTORY:
			return "/boot/home/config";
		case B_USER_SETTINGS_DIRECTORY:
			return "/boot/home/config/settings";
		case B_APPS_DIRECTORY:
			return "/boot/home/config/be/Applications";
		default:
			return NULL;
	}
}

status_t
find_directory(directory_which which, dev_t /*volume*/, bool createIt,
	char* path, int32 length)
{
	if (path == NULL || length <= 0)
		return B_BAD_VALUE;
	const char* location = BeOSLocation(which);
	if (location == NULL)
		return B_BAD_VALUE;
	std::string host = BPrivate::boot_path(location);
	if (createIt) {
		status_t status = create_directory(location, 0755);
		if (status != B_OK)
			return status;
	}
	if (host.size() >= (size_t)length)
		return B_NAME_TOO_LONG;
	snprintf(path, length, "%s", host.c_str());
	return B_OK;
}

status_t
find_directory(directory_which which, BPath* path, bool createIt,
	BVolume* /*volume*/)
{
	if (path == NULL)
		return B_BAD_VALUE;
	const char* location = BeOSLocation(which);
	if (location == NULL)
		return B_BAD_VALUE;
	if (createIt) {
		status_t status = create_directory(location, 0755);
		if (status != B_OK)
			return status;
	}
	return path->SetTo(location);
}
