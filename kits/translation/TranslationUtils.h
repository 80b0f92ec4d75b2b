/*
 * BTranslationUtils: reading pictures into bitmaps.
 *
 * Pictures are decoded by the host's image readers: at least GIF, JPEG and
 * PNG. Every call returns a new B_RGBA32 bitmap the caller owns, or NULL
 * when the data is missing or not a picture that can be read.
 */
#ifndef _TRANSLATION_UTILS_H
#define _TRANSLATION_UTILS_H

#include <SupportDefs.h>

class BBitmap;
class BPositionIO;
class BTranslatorRoster;
struct entry_ref;

class BTranslationUtils {
public:
	// A file path (BeOS "/boot/..." paths are translated to the host's).
	// BeOS looked in the application's resources first; there are none here.
	static BBitmap* GetBitmap(const char* name, BTranslatorRoster* roster = NULL);
	static BBitmap* GetBitmap(uint32 type, int32 id, BTranslatorRoster* roster = NULL);
	static BBitmap* GetBitmap(uint32 type, const char* name, BTranslatorRoster* roster = NULL);
	static BBitmap* GetBitmapFile(const char* name, BTranslatorRoster* roster = NULL);
	static BBitmap* GetBitmap(const entry_ref* ref, BTranslatorRoster* roster = NULL);
	// Reads the stream from its current position to its end.
	static BBitmap* GetBitmap(BPositionIO* stream, BTranslatorRoster* roster = NULL);

private:
	BTranslationUtils();
};

#endif	// _TRANSLATION_UTILS_H
