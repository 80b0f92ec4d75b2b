/*
 * HWindow: the HTML source editor window of one page.
 *
 * Holds the page's HTML text in an HTML_View. It starts hidden; the visual
 * window's "Show HTML editor" shows it. It never closes by itself: closing it
 * hides it while the visual window is visible, and otherwise asks the
 * application to close the page.
 */
#ifndef QUILLORA_H_WINDOW_H
#define QUILLORA_H_WINDOW_H

#include <Window.h>

#include "MessageCode.h"

class BMenu;
class BMenuBar;
class BScrollView;
class HFinder;
class HTML_View;
class Page;
class WYSIWYG_Engine;

class HWindow : public BWindow {
public:
	HWindow(BRect frame, char* title, Page* page);
	virtual ~HWindow();

	virtual void MessageReceived(BMessage* message);
	virtual void WindowActivated(bool active);
	virtual bool QuitRequested();
	virtual void Quit();
	virtual void Show();

	// Fields, in this order.
	HTML_View* htmlView;
	BScrollView* scrollView;
	BMenuBar* menuBar;
	Page* page;
	WYSIWYG_Engine* engine;
	HFinder* finder;

private:
	void _BuildMenus();
	void _PostToApplication(uint32 what, bool withIndex);
	void _QuitFinder();
};

#endif	// QUILLORA_H_WINDOW_H
