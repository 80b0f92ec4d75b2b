// BScreen: the main screen's frame from the host.
#include <Screen.h>

#include <Errors.h>

#include "Host.h"
#include "InterfacePrivate.h"

BScreen::BScreen(screen_id)
{
	BPrivate::init_interface_kit();
	int32 x, y, width, height;
	BPrivate::host_screen_frame(&x, &y, &width, &height);
	fFrame.Set((float)x, (float)y, (float)(x + width - 1), (float)(y + height - 1));
}


BScreen::BScreen(BWindow*)
	:
	BScreen(B_MAIN_SCREEN_ID)
{
}


BScreen::~BScreen()
{
}


bool BScreen::IsValid()
{
	return fFrame.IsValid();
}


status_t BScreen::SetToNext()
{
	return B_ERROR;
}


color_space BScreen::ColorSpace()
{
	return B_RGB32;
}


BRect BScreen::Frame()
{
	return fFrame;
}


screen_id BScreen::ID()
{
	return B_MAIN_SCREEN_ID;
}


rgb_color BScreen::DesktopColor()
{
	return make_color(51, 102, 152);
}
