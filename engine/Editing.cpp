// Inserting a style or link pair at the caret: the opening end, an empty
// text for the user to type into and the closing end go in after one
// element, are linked all four before anything is laid out, and only the
// lines they touch are laid out again. A pair that chooses the font kind
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
		// A list item indents what follows it, not itself.
		&& a->leftMarginAfter == b->leftMarginAfter
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

void
WYSIWYG_Engine::_TextAfter(WYSIWYG_Element* tag)
{
	WYSIWYG_Element* following = tag->next;
	if (following == nullptr || (dynamic_cast<WText*>(following) == nullptr
			&& dynamic_cast<EndLine*>(following) == nullptr))
		_LinkText(tag);
}

WYSIWYG_Element*
WYSIWYG_Engine::_InsertPair(WYSIWYG_Element* after, int32 tag,
	WYSIWYG_Element* caretElement)
{
	// Made unlinked, so that making them walks nothing.
	TextChange* opening = new TextChange(tag, after, nullptr, this, nullptr);
	TextChange* closing = new TextChange(-tag, opening, nullptr, this,
		nullptr);
	return _LinkPair(after, opening, closing, caretElement);
}

WText*
WYSIWYG_Engine::_LinkPair(WYSIWYG_Element* after, WYSIWYG_Element* opening,
	WYSIWYG_Element* closing, WYSIWYG_Element* caretElement)
{
	bool locked = window != nullptr && window->Lock();
	// As before a single element: a pair never follows another tag
	// directly (a caret at the start of a text after a line break or a
	// picture inserts after that tag, and an open font kind may have been
	// ended right there). The text is laid out with the pair.
	if (dynamic_cast<WText*>(after) == nullptr)
		after = _LinkText(after);
	WYSIWYG_Element* oldNext = after->next;
	// The ends come unlinked; the text between them is made so too, and
	// the four are linked at once.
	opening->previous = after;
	WText* text = new WText(opening, nullptr, this, nullptr);
	closing->previous = text;
	after->next = opening;
	opening->next = text;
	text->next = closing;
	closing->next = oldNext;
	if (oldNext != nullptr)
		oldNext->previous = closing;
	else
		fLastHint = closing;
	// Linked directly (no walk at each link): their lines are noted here.
	MarkUnplaced(after);
	MarkUnplaced(oldNext);
	if (view->LockLooper()) {
		view->AddChild(text);
		view->UnlockLooper();
	}
	text->SetText("");
	_SettleNew(after, closing);

	_TextAfter(closing);
	if (locked)
		window->Unlock();

	if (!IsLoading()) {
		// The line of the caret (from the element the caret was in: what
		// ended the open font kind there has no line yet), the pair's own
		// line when it begins one, the line after the pair when the pair
		// ends one, and what followed the caret: after a hard break that
		// line is only moved down, yet it begins elsewhere now (a range
		// the font kind split goes on there).
		Place(caretElement, false);
		WYSIWYG_Element* pair[] = { text, closing, closing->next, oldNext };
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

void
WYSIWYG_Engine::_SettleNew(WYSIWYG_Element* after, WYSIWYG_Element* last)
{
	// The environments of the new elements, without walking on: when the
	// last of them gives back what was in force after `after`, nothing
	// after them changes.
	fDoWalking = true;
	for (WYSIWYG_Element* element = after->next; element != nullptr;
			element = element->next) {
		fDoContinue = nullptr;
		element->Do();
		if (element == last)
			break;
	}
	fDoWalking = false;
	fDoContinue = nullptr;
	// Unless the walk runs, the lines below the new elements keep their
	// places: the layout of their lines moves them as a whole.
	if (last->next != nullptr
		&& !SameLook(last->environment, after->environment))
		Do(last->next);
}
