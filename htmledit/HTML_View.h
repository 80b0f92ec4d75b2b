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
	// Puts a document into the view as Load() puts the file's bytes: decides
	// the page's encoding from them and parses it. The page counts as saved
	// unless it had to be converted (UTF-16, UTF-32); a caller that loads
	// something other than the page file marks it not saved afterwards.
	void LoadText(const char* text, size_t length);
	void ProcessEndLines();
	virtual void KeyDown(const char* bytes, int32 numBytes);

	// Fields, in this order.
	Page* page;
	HWindow* window;

protected:
	// Every change of the text: the page learns that its HTML text has
	// edits of its own (the page's own fillings clear that again).
	virtual void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs);
	virtual void DeleteText(int32 fromOffset, int32 toOffset);

private:
	// The two halves of LoadText(): the bytes into the view (the page's
	// encoding decided), then the page parsed from the view. Load() lets the
	// file's bytes go between them.
	void _SetSource(const char* text, size_t length);
	void _ParseSource();

	// 2 or 4 when the bytes last set were UTF-16 or UTF-32 (and are UTF-8
	// now), else 0.
	int32 fWideSource = 0;
};

#endif	// QUILLORA_HTML_VIEW_H
