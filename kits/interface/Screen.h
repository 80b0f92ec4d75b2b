/*
 * BScreen: the main screen. Without a display (the offscreen platform) the
 * host reports a fixed size.
 */
#ifndef _SCREEN_H
#define _SCREEN_H

#include <GraphicsDefs.h>
#include <Rect.h>

class BWindow;

class BScreen {
public:
	BScreen(screen_id id = B_MAIN_SCREEN_ID);
	BScreen(BWindow* window);
	~BScreen();

	bool IsValid();
	status_t SetToNext();
	color_space ColorSpace();
	BRect Frame();
	screen_id ID();
	rgb_color DesktopColor();

private:
	BRect fFrame;
};

#endif	// _SCREEN_H
