// BBitmap: 32-bit pixels in memory.
#include <Bitmap.h>

#include <Errors.h>

#include <cstdlib>
#include <cstring>

namespace {

bool Supported(color_space space)
{
	return space == B_RGBA32 || space == B_RGB32;
}

}	// namespace


BBitmap::BBitmap(BRect bounds, uint32 flags, color_space colorSpace, int32 bytesPerRow,
	screen_id)
	:
	fBits(NULL),
	fBitsLength(0),
	fBytesPerRow(0),
	fColorSpace(colorSpace),
	fBounds(bounds),
	fFlags(flags),
	fInitStatus(B_NO_INIT)
{
	if (!Supported(colorSpace) || !bounds.IsValid()) {
		fInitStatus = B_BAD_VALUE;
		return;
	}
	int64 width = (int64)bounds.IntegerWidth() + 1;
	int64 height = (int64)bounds.IntegerHeight() + 1;
	// Guard the size arithmetic: a corrupt image header must not wrap it.
	if (width <= 0 || height <= 0 || width > 65536 || height > 65536) {
		fInitStatus = B_BAD_VALUE;
		return;
	}
	int64 minimumRow = width * 4;
	int64 row = bytesPerRow >= minimumRow ? bytesPerRow : minimumRow;
	int64 length = row * height;
	if (length > 0x7fffffff) {
		fInitStatus = B_NO_MEMORY;
		return;
	}
	fBits = (uint8*)calloc((size_t)length, 1);
	if (fBits == NULL) {
		fInitStatus = B_NO_MEMORY;
		return;
	}
	if (flags & B_BITMAP_CLEAR_TO_WHITE)
		memset(fBits, 0xff, (size_t)length);
	fBytesPerRow = (int32)row;
	fBitsLength = (int32)length;
	fInitStatus = B_OK;
}


BBitmap::BBitmap(BRect bounds, color_space colorSpace, bool acceptsViews, bool)
	:
	BBitmap(bounds, acceptsViews ? (uint32)B_BITMAP_ACCEPTS_VIEWS : 0, colorSpace)
{
}


BBitmap::BBitmap(const BBitmap* source, bool acceptsViews, bool)
	:
	BBitmap(source != NULL ? source->Bounds() : BRect(),
		acceptsViews ? (uint32)B_BITMAP_ACCEPTS_VIEWS : 0,
		source != NULL ? source->ColorSpace() : B_NO_COLOR_SPACE,
		source != NULL ? source->BytesPerRow() : B_ANY_BYTES_PER_ROW)
{
	if (fInitStatus == B_OK && source != NULL && source->IsValid())
		memcpy(fBits, source->Bits(), (size_t)fBitsLength);
}


BBitmap::~BBitmap()
{
	free(fBits);
}


status_t BBitmap::InitCheck() const
{
	return fInitStatus;
}


bool BBitmap::IsValid() const
{
	return fInitStatus == B_OK;
}


void* BBitmap::Bits() const
{
	return fBits;
}


int32 BBitmap::BitsLength() const
{
	return fBitsLength;
}


int32 BBitmap::BytesPerRow() const
{
	return fBytesPerRow;
}


color_space BBitmap::ColorSpace() const
{
	return fColorSpace;
}


BRect BBitmap::Bounds() const
{
	return fBounds.OffsetToCopy(0, 0);
}


uint32 BBitmap::Flags() const
{
	return fFlags;
}


void BBitmap::SetBits(const void* data, int32 length, int32 offset, color_space colorSpace)
{
	if (!IsValid() || data == NULL || length <= 0 || offset < 0 || offset >= fBitsLength)
		return;
	const uint8* source = (const uint8*)data;
	if (colorSpace == B_RGBA32 || colorSpace == B_RGB32) {
		int32 count = length < fBitsLength - offset ? length : fBitsLength - offset;
		memcpy(fBits + offset, source, (size_t)count);
		if (colorSpace == B_RGB32 && fColorSpace == B_RGBA32) {
			for (int32 i = 3; i < count; i += 4)
				fBits[offset + i] = 255;
		}
		return;
	}
	if (colorSpace == B_RGB24) {
		// Three bytes (blue, green, red) a pixel in; four out.
		uint8* target = fBits + offset;
		uint8* end = fBits + fBitsLength;
		for (int32 i = 0; i + 2 < length && target + 3 < end; i += 3, target += 4) {
			target[0] = source[i];
			target[1] = source[i + 1];
			target[2] = source[i + 2];
			target[3] = 255;
		}
	}
}
