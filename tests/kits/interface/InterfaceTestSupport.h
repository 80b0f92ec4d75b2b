// Helpers of the interface kit tests: snapshots read back as pixels, and
// host events fed to a window the way the backend delivers them.
#ifndef QUILLORA_INTERFACE_TEST_SUPPORT_H
#define QUILLORA_INTERFACE_TEST_SUPPORT_H

#include <EventLoop.h>
#include <OS.h>
#include <Window.h>

#include "HostImage.h"
#include "HostWindow.h"
#include "TempFolder.h"
#include "WindowPrivate.h"

#include <cstdio>
#include <string>
#include <vector>
#include <unistd.h>

namespace test {

struct Pixels {
	int32 width = 0;
	int32 height = 0;
	std::vector<uint8> data;	// blue, green, red, alpha

	rgb_color At(int32 x, int32 y) const
	{
		const uint8* p = data.data() + ((size_t)y * width + x) * 4;
		return make_color(p[2], p[1], p[0], p[3]);
	}
};

// Renders the window to a PNG file and decodes that file again.
inline Pixels Snapshot(BWindow* window)
{
	Pixels pixels;
	quillora_test::TempFolder folder("snapshot");
	std::string path = folder / "snapshot.png";
	if (window->Snapshot(path.c_str()) != B_OK)
		return pixels;
	std::string bytes = quillora_test::ReadFile(path);
	BPrivate::HostDecodedImage image;
	if (BPrivate::host_decode_image(bytes.data(), bytes.size(), &image)) {
		pixels.width = image.width;
		pixels.height = image.height;
		pixels.data = image.pixels;
	}
	return pixels;
}

inline BPrivate::HostMouseEvent Mouse(BPrivate::HostMouseKind kind, float x, float y,
	uint32 buttons, bigtime_t when)
{
	BPrivate::HostMouseEvent event = {};
	event.kind = kind;
	event.x = x;
	event.y = y;
	event.buttons = buttons;
	event.when = when;
	return event;
}

inline void Settle()
{
	BPrivate::dispatch_until_idle();
}

}	// namespace test

// Compares a snapshot pixel with an expected colour, naming the place.
#define EXPECT_PIXEL(pixels, x, y, r, g, b) \
	do { \
		rgb_color _c = (pixels).At((x), (y)); \
		EXPECT_TRUE(_c.red == (r) && _c.green == (g) && _c.blue == (b)) \
			<< "pixel (" << (x) << ", " << (y) << ") is " << (int)_c.red << "," \
			<< (int)_c.green << "," << (int)_c.blue << " not " << (r) << "," << (g) \
			<< "," << (b); \
	} while (false)

#endif	// QUILLORA_INTERFACE_TEST_SUPPORT_H
