/*
 * Pixel buffers, image decoding and encoding. Qt-free.
 *
 * Pixels are 32 bits in host byte order as 0xAARRGGBB, which in memory on
 * little-endian machines is blue, green, red, alpha: the layout of B_RGBA32.
 */
#ifndef _QUILLORA_HOST_IMAGE_H
#define _QUILLORA_HOST_IMAGE_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace BPrivate {

class HostImage {
public:
	// An image that owns its pixels, filled with white. An opaque image
	// ignores alpha (a window's buffer). The pixels are made when they are
	// first needed: windows that are never drawn cost no memory.
	HostImage(int32_t width, int32_t height, bool opaque);
	// An image over someone else's pixels (a BBitmap's bits); they must
	// outlive it.
	HostImage(void* bits, int32_t width, int32_t height, int32_t bytesPerRow, bool hasAlpha);
	~HostImage();

	int32_t Width() const;
	int32_t Height() const;
	uint8_t* Bits();
	const uint8_t* Bits() const;
	int32_t BytesPerRow() const;
	uint32_t PixelAt(int32_t x, int32_t y) const;	// 0xAARRGGBB; 0 outside

	// Changes the size; the pixels become white.
	void Resize(int32_t width, int32_t height);

	// Writes the image as a PNG file; false on failure.
	bool WritePNG(const char* path) const;

	void* Impl() const;	// the host's image object, with its pixels

	// For the host window that shows this buffer: its store (see fStore)
	// holds the pixels from now on, or with null this image again. Either
	// way the pixels become white.
	void LendTo(void* store);

private:
	HostImage(const HostImage&);
	HostImage& operator=(const HostImage&);

	void* fImpl;
	// A window's buffer shown by a host window lives in that window's own
	// screen buffer (its backing store) when the host keeps one in this
	// image's form, so a shown window holds its pixels once, not twice.
	// Null otherwise, or when that buffer cannot take them (scaled screens).
	mutable void* fStore;
	// Size and kind of owned pixels not made yet (fPending).
	mutable bool fPending;
	int32_t fWidth;
	int32_t fHeight;
	bool fOpaque;
};

struct HostDecodedImage {
	int32_t width = 0;
	int32_t height = 0;
	std::vector<uint8_t> pixels;	// width * height * 4, B_RGBA32 layout
};

// Decodes GIF, JPEG, PNG (and whatever else the host reads). False when the
// data is not an image the host can read.
bool host_decode_image(const void* data, size_t length, HostDecodedImage* image);

// Encodes 32-bit pixels into `format` ("PNG", "JPEG", "GIF" where the host
// writes it) at `path`.
bool host_encode_image(const uint8_t* pixels, int32_t width, int32_t height,
	int32_t bytesPerRow, bool hasAlpha, const char* format, const char* path);

}	// namespace BPrivate

#endif	// _QUILLORA_HOST_IMAGE_H
