/*
 * HFinder: find and replace in the HTML editor's text.
 */
#include "HFinder.h"

#include <Beep.h>
#include <Font.h>
#include <TextView.h>
#include <Window.h>

#include <string>

#include "HTML_View.h"
#include "Page.h"


HFinder::HFinder(HTML_View* view, BWindow* window)
	:
	RFinder(window),
	textView(view),
	matchStart(0),
	position(0)
{
	// Shown once so that the dialog's looper runs, then hidden until
	// "Find…".
	Show();
	Hide();
}


void
HFinder::Reset()
{
	matchStart = 0;
	position = 0;
}


int32
HFinder::_NextMatch(const char* text, int32 length, int32 from,
	int32* matchLength)
{
	const FindPattern& pattern = Pattern();
	// From character to character: a match never begins inside one.
	for (int32 i = from; i < length;
			i += pattern.CharacterLength(text + i, length - i)) {
		if (!pattern.MayStartWith((uint8)text[i]))
			continue;
		int32 found = Compare((char*)text + i, AtWordStart(text, i));
		if (found > 0) {
			*matchLength = found;
			return i;
		}
	}
	return -1;
}


bool
HFinder::Find()
{
	if (textView == nullptr || !textView->LockLooper())
		return false;

	// The text is in the page's own encoding.
	Page* page = textView->page;
	PrepareSearch(page != nullptr ? page->encoding : uint8(B_ISO_8859_1));

	// The text may have changed since the last search: a position beyond
	// its end starts over instead of reading past it.
	int32 length = textView->TextLength();
	if (position > length || matchStart > position)
		Reset();
	int32 from = position;

	const char* text = textView->Text();
	int32 matchLength = 0;
	int32 at = _NextMatch(text, length, position, &matchLength);
	bool found = at >= 0;
	if (found && !single && replace)
		_ReplaceAll(text, length, at, matchLength);
	else if (found && single) {
		matchStart = at;
		position = at + matchLength;
		textView->Select(matchStart, position);
		textView->ScrollToSelection();
		if (replace) {
			const std::string& replacement = Replacement();
			BPrivate::replace_text(textView, matchStart, position,
				replacement.data(), int32(replacement.size()));
			// The search goes on after the replacement, never inside it.
			position = matchStart + int32(replacement.size());
			if (textView->page != nullptr)
				textView->page->NotSaved();
		}
	} else if (found) {
		// Every match to the end in turn, without replacing: the last one
		// stays selected.
		while (at >= 0) {
			matchStart = at;
			position = at + matchLength;
			at = _NextMatch(text, length, position, &matchLength);
		}
		textView->Select(matchStart, position);
		textView->ScrollToSelection();
	}
	textView->UnlockLooper();

	if (found) {
		// A search for every match ran to the end of the text.
		if (!single)
			beep();
		return true;
	}
	if (wrap && single && from != 0) {
		Reset();
		Find();
		return false;
	}
	beep();
	return false;
}


void
HFinder::_ReplaceAll(const char* text, int32 length, int32 at,
	int32 matchLength)
{
	// The text from the first match to the end of the last one, with every
	// match replaced, goes in as one edit: one Undo takes it all back, and
	// the view is changed once however many matches there are.
	const std::string& replacement = Replacement();
	int32 first = at;
	int32 end = at;
	std::string changed;
	changed.reserve(size_t(length - at));
	while (at >= 0) {
		changed.append(text + end, size_t(at - end));
		changed.append(replacement);
		end = at + matchLength;
		matchStart = first + int32(changed.size())
			- int32(replacement.size());
		at = _NextMatch(text, length, end, &matchLength);
	}
	BPrivate::replace_text(textView, first, end, changed.data(),
		int32(changed.size()));
	position = first + int32(changed.size());
	textView->ScrollToSelection();
	if (textView->page != nullptr)
		textView->page->NotSaved();
}
