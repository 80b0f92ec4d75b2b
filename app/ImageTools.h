/*
 * Turns an image reference of a page (a BACKGROUND or an image source) into
 * an absolute path, from the settings' image directory and the page's own
 * directory.
 */
#ifndef QUILLORA_IMAGE_TOOLS_H
#define QUILLORA_IMAGE_TOOLS_H

#include <stddef.h>

class ImageTools {
public:
	// Writes the resolved path into out and tells whether a file can be
	// opened for reading there. False, with out untouched, when an argument
	// is null. out needs AbsoluteImagePathLength(image, pagePath) bytes. The
	// image directory is the one of the running program's settings
	// (Config::Current()); none is used when there are no settings.
	static bool AbsoluteImagePath(char* out, const char* image,
		const char* pagePath);
	// The same with the image directory given.
	static bool AbsoluteImagePath(char* out, const char* image,
		const char* pagePath, const char* imageDirectory);

	// Bytes that out must hold for these arguments (terminator included).
	static size_t AbsoluteImagePathLength(const char* image,
		const char* pagePath);
	static size_t AbsoluteImagePathLength(const char* image,
		const char* pagePath, const char* imageDirectory);
};

#endif	// QUILLORA_IMAGE_TOOLS_H
