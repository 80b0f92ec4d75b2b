/*
 * Image references of a page resolved against the image directory of the
 * settings and the page's own directory.
 */
#include "ImageTools.h"

#include <string.h>

#include <File.h>

#include "Config.h"
#include "Functions.h"


static const char*
SettingsImageDirectory()
{
	Config* config = Config::Current();
	return config != nullptr ? config->imageDirectory : nullptr;
}


size_t
ImageTools::AbsoluteImagePathLength(const char* image, const char* pagePath)
{
	return AbsoluteImagePathLength(image, pagePath, SettingsImageDirectory());
}


size_t
ImageTools::AbsoluteImagePathLength(const char* image, const char* pagePath,
	const char* imageDirectory)
{
	// The work path is at most page path + directory + image, and resolving
	// its steps never makes it longer.
	return piecelength(image, pagePath, imageDirectory) + 1;
}


bool
ImageTools::AbsoluteImagePath(char* out, const char* image,
	const char* pagePath)
{
	return AbsoluteImagePath(out, image, pagePath, SettingsImageDirectory());
}


bool
ImageTools::AbsoluteImagePath(char* out, const char* image,
	const char* pagePath, const char* imageDirectory)
{
	if (out == nullptr || image == nullptr || pagePath == nullptr)
		return false;

	const char* dir = imageDirectory;
	bool useDirectory = dir != nullptr && strlen(dir) >= 2;

	char* work = new char[AbsoluteImagePathLength(image, pagePath, dir)];
	work[0] = '\0';
	if (image[0] == '/') {
		endstrcpys(work, image);
	} else if (useDirectory && dir[0] == '/') {
		endstrcpys(work, dir, image);
	} else {
		// A relative image directory is taken relative to the page's folder.
		const char* slash = strrchr(pagePath, '/');
		size_t folderLength = slash != nullptr ? (size_t)(slash - pagePath) + 1 : 0;
		memcpy(work, pagePath, folderLength);
		work[folderLength] = '\0';
		endstrcpys(work, useDirectory ? dir : nullptr, image);
	}
	ProcessPath(out, work);
	delete[] work;

	BFile file(out, B_READ_ONLY);
	return file.InitCheck() == B_OK;
}
