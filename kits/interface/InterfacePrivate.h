/*
 * Kit-private helpers of the interface kit.
 */
#ifndef _QUILLORA_INTERFACE_PRIVATE_H
#define _QUILLORA_INTERFACE_PRIVATE_H

#include <GraphicsDefs.h>
#include <Rect.h>

namespace BPrivate {

// Brings the host up (once) and gives the event loop its hooks and beep()
// its sound. Every window, font and bitmap path calls it first.
void init_interface_kit();

// The modifier bits of the last input message a window dispatched.
void set_last_modifiers(uint32 modifiers);

// Pixel edges of a rectangle: BeOS coordinates are pixel centres, so a
// rectangle's inclusive edges round to the nearest pixel.
inline int32 pixel_floor(float v)
{
	return (int32)std::floor(v + 0.5f);
}

// The rectangle in whole pixels (left/top rounded, right/bottom rounded).
inline BRect pixel_rect(const BRect& r)
{
	return BRect((float)pixel_floor(r.left), (float)pixel_floor(r.top),
		(float)pixel_floor(r.right), (float)pixel_floor(r.bottom));
}

}	// namespace BPrivate

#endif	// _QUILLORA_INTERFACE_PRIVATE_H
