/*
 * BBitmap: pixels in memory. B_RGBA32 and B_RGB32 are supported (4 bytes a
 * pixel: blue, green, red, alpha); other colour spaces give an invalid bitmap.
 */
#ifndef _BITMAP_H
#define _BITMAP_H

#include <GraphicsDefs.h>
#include <Rect.h>

class BView;

enum {
	B_BITMAP_CLEAR_TO_WHITE = 0x00000001,
	B_BITMAP_ACCEPTS_VIEWS = 0x00000002,
	B_BITMAP_IS_AREA = 0x00000004,
	B_BITMAP_IS_LOCKED = 0x00000008,
	B_BITMAP_IS_CONTIGUOUS = 0x00000010,
	B_BITMAP_IS_OFFSCREEN = 0x00000020,
	B_BITMAP_WILL_OVERLAY = 0x00000040,
	B_BITMAP_RESERVE_OVERLAY_CHANNEL = 0x00000080,
	B_BITMAP_NO_SERVER_LINK = 0x00000100
};

#define B_ANY_BYTES_PER_ROW -1

class BBitmap {
public:
	BBitmap(BRect bounds, uint32 flags, color_space colorSpace,
		int32 bytesPerRow = B_ANY_BYTES_PER_ROW, screen_id screenID = B_MAIN_SCREEN_ID);
	BBitmap(BRect bounds, color_space colorSpace, bool acceptsViews = false,
		bool needsContiguous = false);
	BBitmap(const BBitmap* source, bool acceptsViews = false, bool needsContiguous = false);
	virtual ~BBitmap();

	status_t InitCheck() const;
	bool IsValid() const;

	void* Bits() const;
	int32 BitsLength() const;
	int32 BytesPerRow() const;
	color_space ColorSpace() const;
	BRect Bounds() const;
	uint32 Flags() const;

	// Copies `length` bytes of `colorSpace` pixels (B_RGBA32, B_RGB32 or
	// B_RGB24) starting at byte `offset` of the bitmap's bits.
	void SetBits(const void* data, int32 length, int32 offset, color_space colorSpace);

private:
	BBitmap(const BBitmap&);
	BBitmap& operator=(const BBitmap&);

	uint8* fBits;
	int32 fBitsLength;
	int32 fBytesPerRow;
	color_space fColorSpace;
	BRect fBounds;
	uint32 fFlags;
	status_t fInitStatus;
};

#endif	// _BITMAP_H
