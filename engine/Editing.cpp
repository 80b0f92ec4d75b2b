// Inserting a style pair at the caret: the opening style change, an empty
// text for the user to type into and the closing style change go in after
// one element, are linked all four before anything is laid out, and only
// the lines they touch are laid out again. A pair that chooses the font kind
// (bold, fixed, headings ...) first ends the kind open at the caret, as
// plain text does.

#include "WYSIWYG_Engine.h"

#include <Window.h>

#include "EndLine.h"
#include "Environment.h"
#include "Parser.h"
#include "TextChange.h"
#include "WText.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_View.h"

namespace {

// Whether two environments give the elements after them the same look.
bool
SameLook(const Environment* a, const Environment* b)
{
	return a->fontType == b->fontType && a->font == b->font
		&& a->italic == b->italic && a->underlined == b->underlined
		&& a->leftMargin == b->leftMargin && a->rightMargin == b->rightMargin
		&& a->hAlignment == b->hAlignment
		&& a->currentAnchor == b->currentAnchor
		&& a->currentList == b->currentList
		&& a->preformatted == b->preformatted && a->color == b->color;
}

}	// namespace

bool
WYSIWYG_Engine::IsStylePairTag(int32 tag, bool* fontKind)
{
	if (tag < 0)
		tag = -tag;
	bool kind = false;
	bool pair = true;
	switch (tag) {
		// Ending the open font kind first.
		case 6: case 10: case 17: case 21: case 47: case 64: case 67:
		case 70: case 71: case 73: case 74: case 84:
		case 32: case 33: case 34: case 35: case 36: case 37:
			kind = true;
			break;
		// Closing nothing.
		case 11: case 15: case 16: case 26: case 42: case 86: case 88:
			break;
		default:
			pair = false;
	}
	if (fontKind != nullptr)
		*fontKind = kind;
	return pair;
}

WText*
WYSIWYG_Engine::_LinkText(WYSIWYG_Element* after)
{
	WYSIWYG_Element* oldNext = after->next;
	WText* text = new WText(after, oldNext, this, nullptr);
	after->SetNext(text);
	if (oldNext != nullptr)
		oldNext->SetPrevious(text);
	else
		fLastHint = text;
	if (view->LockLooper()) {
		view->AddChild(text);
		view->UnlockLooper();
	}
	text->SetText("");
	if (dynamic_cast<WText*>(after) != nullptr)
		SetDontJoin(text, true);
	return text;
}

WYSIWYG_Element*
WYSIWYG_Engine::_InsertPair(WYSIWYG_Element* after, int32 tag)
{
	bool locked = window != nullptr && window->Lock();
	WYSIWYG_Element* oldNext = after->next;
	// Made unlinked, so that making them walks nothing; then linked all
	// four at once.
	TextChange* opening = new TextChange(tag, after, nullptr, this, nullptr);
	WText* text = new WText(opening, nullptr, this, nullptr);
	TextChange* closing = new TextChange(-tag, text, nullptr, this, nullptr);
	after->next = opening;
	opening->next = text;
	text->next = closing;
	closing->next = oldNext;
	if (oldNext != nullptr)
		oldNext->previous = closing;
	else
		fLastHint = closing;
	if (view->LockLooper()) {
		view->AddChild(text);
		view->UnlockLooper();
	}
	text->SetText("");

	// The environments of the three, without walking on: when the closing
	// end gives back what was in force before the pair, nothing after it
	// changes.
	fDoWalking = true;
	opening->Do();
	text->Do();
	closing->Do();
	fDoWalking = false;
	fDoContinue = nullptr;
	// Unless the walk runs, the lines below the pair's keep their places:
	// the layout of the pair's lines moves them as a whole.
	if (oldNext != nullptr
		&& !SameLook(closing->environment, after->environment))
		Do(oldNext);

	WYSIWYG_Element* following = closing->next;
	if (following == nullptr || (dynamic_cast<WText*>(following) == nullptr
			&& dynamic_cast<EndLine*>(following) == nullptr))
		_LinkText(closing);
	if (locked)
		window->Unlock();

	if (!IsLoading()) {
		// The line of the caret, the pair's own line when it begins one,
		// and the line after the pair when the pair ends one.
		Place(after, false);
		WYSIWYG_Element* pair[] = { text, closing, closing->next };
		for (WYSIWYG_Element* element : pair) {
			if (element != nullptr && element->previous != nullptr)
				Place(element, false);
		}
		ResetScrollRange();
		text->MakeFocus(true);
	}
	return text;
}

// Whether inserting `tag` in `text` would be refused because its font kind
// is the one open there already (for plain text: no font kind is open).
// Asked before anything is split or a selection taken away, so that a
// refused insertion leaves the text and the selected words as they were.
bool
WYSIWYG_Engine::_FontKindOpenAt(WText* text, int32 tag)
{
	bool fontKind = false;
	if (tag != 0 && (!IsStylePairTag(tag, &fontKind) || !fontKind))
		return false;
	int32 counts[Parser::kTagCount] = {};
	int32 italic;
	bool underline;
	return OpenTAGs(text, counts, italic, underline) == (tag < 0 ? -tag : tag);
}
