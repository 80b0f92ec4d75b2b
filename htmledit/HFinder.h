/*
 * HFinder: find and replace in the HTML editor's text.
 *
 * A scan over the bytes of the view's text from where the last match ended.
 * Replace changes the match in place as one edit that "Undo/Redo" takes
 * back; Replace all goes once from the position to the end of the text and
 * makes all its replacements as one edit, so one Undo restores the text as
 * it was. A replacement is never searched again: the scan resumes after
 * it, and Replace all never wraps, so it ends whatever the texts are.
 */
#ifndef QUILLORA_H_FINDER_H
#define QUILLORA_H_FINDER_H

#include "RFinder.h"

class BWindow;
class HTML_View;

class HFinder : public RFinder {
public:
	HFinder(HTML_View* view, BWindow* window);

	virtual bool Find();
	virtual void Reset();

	// Fields, in this order.
	HTML_View* textView;
	int32 matchStart;
	int32 position;

private:
	// The first match at or after `from` in the text; its length in
	// *length. -1 when there is none.
	int32 _NextMatch(const char* text, int32 length, int32 from,
		int32* matchLength);
	void _ReplaceAll(const char* text, int32 length, int32 at,
		int32 matchLength);
};

#endif	// QUILLORA_H_FINDER_H
