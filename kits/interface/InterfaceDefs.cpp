// Small interface kit functions: system colours, modifiers, constants.
#include <InterfaceDefs.h>

#include <Beep.h>
#include <EventLoop.h>
#include <GraphicsDefs.h>
#include <Point.h>
#include <Rect.h>

#include "Host.h"
#include "InterfacePrivate.h"

#include <atomic>
#include <cstdio>
#include <mutex>

const pattern B_SOLID_HIGH = { { 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff } };
const pattern B_MIXED_COLORS = { { 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55 } };
const pattern B_SOLID_LOW = { { 0, 0, 0, 0, 0, 0, 0, 0 } };

const rgb_color B_TRANSPARENT_COLOR = { 0x77, 0x74, 0x77, 0x00 };
const rgb_color B_TRANSPARENT_32_BIT = { 0x77, 0x74, 0x77, 0x00 };
const uint8 B_TRANSPARENT_8_BIT = 0xff;
const screen_id B_MAIN_SCREEN_ID = { 0 };
const BPoint B_ORIGIN(0, 0);

namespace {

std::atomic<uint32> sLastModifiers(0);
std::once_flag sInitOnce;

void InitOnce()
{
	if (!BPrivate::host_init())
		return;
	BPrivate::HostHooks hooks;
	hooks.processEvents = BPrivate::host_process_events;
	hooks.wake = BPrivate::host_wake;
	BPrivate::set_host_hooks(hooks);
	set_beep_hook(BPrivate::host_beep);
}

}	// namespace


namespace BPrivate {

void init_interface_kit()
{
	std::call_once(sInitOnce, InitOnce);
}


void set_last_modifiers(uint32 modifiers)
{
	sLastModifiers.store(modifiers);
}

}	// namespace BPrivate


uint32 modifiers()
{
	return sLastModifiers.load();
}


status_t get_click_speed(bigtime_t* interval)
{
	if (interval == NULL)
		return B_BAD_VALUE;
	*interval = BPrivate::host_double_click_interval();
	return B_OK;
}


rgb_color ui_color(color_which which)
{
	switch (which) {
		case B_PANEL_BACKGROUND_COLOR:
		case B_MENU_BACKGROUND_COLOR:
			return make_color(216, 216, 216);
		case B_WINDOW_TAB_COLOR:
			return make_color(255, 203, 0);
		case B_WINDOW_INACTIVE_TAB_COLOR:
			return make_color(232, 232, 232);
		case B_KEYBOARD_NAVIGATION_COLOR:
			return make_color(0, 0, 229);
		case B_DESKTOP_COLOR:
			return make_color(51, 102, 152);
		case B_MENU_SELECTION_BACKGROUND_COLOR:
			return make_color(152, 152, 152);
		case B_MENU_ITEM_TEXT_COLOR:
		case B_MENU_SELECTED_ITEM_TEXT_COLOR:
		case B_PANEL_TEXT_COLOR:
		case B_DOCUMENT_TEXT_COLOR:
		case B_CONTROL_TEXT_COLOR:
			return make_color(0, 0, 0);
		case B_MENU_SELECTED_BORDER_COLOR:
			return make_color(0, 0, 0);
		case B_DOCUMENT_BACKGROUND_COLOR:
		case B_CONTROL_BACKGROUND_COLOR:
		case B_SHINE_COLOR:
			return make_color(255, 255, 255);
		case B_CONTROL_BORDER_COLOR:
		case B_SHADOW_COLOR:
			return make_color(0, 0, 0);
		case B_CONTROL_HIGHLIGHT_COLOR:
		case B_NAVIGATION_BASE_COLOR:
			return make_color(0, 0, 229);
		case B_SUCCESS_COLOR:
			return make_color(0, 255, 0);
		case B_FAILURE_COLOR:
			return make_color(255, 0, 0);
	}
	return make_color(216, 216, 216);
}


rgb_color keyboard_navigation_color()
{
	return ui_color(B_KEYBOARD_NAVIGATION_COLOR);
}


rgb_color tint_color(rgb_color color, float tint)
{
	rgb_color result;
	result.alpha = color.alpha;
	if (tint < 1.0f) {
		// Lighten towards white.
		result.red = (uint8)(255.0f - (255.0f - color.red) * tint);
		result.green = (uint8)(255.0f - (255.0f - color.green) * tint);
		result.blue = (uint8)(255.0f - (255.0f - color.blue) * tint);
	} else {
		float factor = 2.0f - tint;
		if (factor < 0.0f)
			factor = 0.0f;
		result.red = (uint8)(color.red * factor);
		result.green = (uint8)(color.green * factor);
		result.blue = (uint8)(color.blue * factor);
	}
	return result;
}


void BPoint::ConstrainTo(BRect r)
{
	if (x < r.left)
		x = r.left;
	if (x > r.right)
		x = r.right;
	if (y < r.top)
		y = r.top;
	if (y > r.bottom)
		y = r.bottom;
}


void BPoint::PrintToStream() const
{
	printf("BPoint(x:%.0f, y:%.0f)\n", x, y);
}


void BRect::PrintToStream() const
{
	printf("BRect(l:%.1f, t:%.1f, r:%.1f, b:%.1f)\n", left, top, right, bottom);
}
