/*
 * The About window and the image translator test.
 *
 * Building the About view reads the program's GIF picture and a test JPEG
 * through the translation kit and tells the user when either cannot be read:
 * the image elements depend on both formats. At every start the window is
 * built once just for this test and quit without being shown.
 */
#ifndef QUILLORA_ABOUT_WINDOW_H
#define QUILLORA_ABOUT_WINDOW_H

#include <View.h>
#include <Window.h>

class BBitmap;

class About_Window : public BWindow {
public:
	About_Window();
	virtual void Quit();
};

class About_View : public BView {
public:
	About_View(BRect frame);
	virtual ~About_View();
	virtual void AttachedToWindow();

	// Only looks whether the test pictures are there (for batch runs,
	// where decoding them would be most of a short run).
	static void ReportMissingImages();

	BBitmap* bitmap;
};

#endif	// QUILLORA_ABOUT_WINDOW_H
