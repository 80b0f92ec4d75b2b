/*
 * HTML_View: the text view of the HTML source editor.
 *
 * The page file is read into it and the parser always reads the page from
 * it. Its text uses line feeds only; CR LF pairs from files and from the
 * generated document are turned into single line feeds on the way in.
 */
#ifndef QUILLORA_HTML_VIEW_H
#define QUILLORA_HTML_VIEW_H

#include <TextView.h>

class HWindow;
class Page;

class HTML_View : public BTextView {
public:
	HTML_View(BRect frame, Page* page, HWindow* window);

	// Reads the whole page file into the view, parses it and marks the page
	// saved.
	void Load();
	void ProcessEndLines();
	virtual void KeyDown(const char* bytes, int32 numBytes);

	// Fields, in this order.
	Page* page;
	HWindow* window;
};

#endif	// QUILLORA_HTML_VIEW_H
