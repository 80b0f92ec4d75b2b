// A selection across elements. Each text element is a text view of its own
// with its own selection; a selection that runs over several of them is the
// texts between its two ends selected whole and the ends selected in part.
// The engine remembers the two ends (where the user began and where the
// caret is) so that extending it again, deleting it or dropping it reaches
// every text it covers, whatever style runs lie between them.

#include "WYSIWYG_Engine.h"

#include <vector>

#include "WText.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_View.h"

bool
WYSIWYG_Engine::_Follows(WYSIWYG_Element* element, WYSIWYG_Element* other)
{
	WYSIWYG_Element* forward = other;
	WYSIWYG_Element* backward = other;
	while (forward != nullptr || backward != nullptr) {
		if (forward != nullptr) {
			forward = forward->next;
			if (forward == element)
				return true;
		}
		if (backward != nullptr) {
			backward = backward->previous;
			if (backward == element)
				return false;
		}
	}
	return false;
}

void
WYSIWYG_Engine::_ForgetRange()
{
	firstSelection = nullptr;
	lastSelection = nullptr;
	fRangeAnchor = nullptr;
	fRangeActive = nullptr;
}

WText*
WYSIWYG_Engine::RangeAnchor(int32* offset) const
{
	if (offset != nullptr)
		*offset = fRangeAnchorOffset;
	return HasRange() ? fRangeAnchor : nullptr;
}

WText*
WYSIWYG_Engine::RangeActive(int32* offset) const
{
	if (offset != nullptr)
		*offset = fRangeActiveOffset;
	return HasRange() ? fRangeActive : nullptr;
}

void
WYSIWYG_Engine::SelectRange(WText* anchor, int32 anchorOffset, WText* active,
	int32 activeOffset)
{
	if (anchor == nullptr || active == nullptr)
		return;
	if (anchorOffset > anchor->TextLength())
		anchorOffset = anchor->TextLength();
	if (activeOffset > active->TextLength())
		activeOffset = active->TextLength();
	if (anchorOffset < 0)
		anchorOffset = 0;
	if (activeOffset < 0)
		activeOffset = 0;

	// The texts of the old range that the new one leaves lose their
	// selection; those it keeps are selected again below.
	ClearRange();
	if (anchor == active) {
		active->MakeFocus(true);
		if (anchorOffset < activeOffset)
			active->Select(anchorOffset, activeOffset);
		else
			active->Select(activeOffset, anchorOffset);
		return;
	}

	bool forward = _Follows(active, anchor);
	WText* from = forward ? anchor : active;
	WText* to = forward ? active : anchor;
	int32 fromOffset = forward ? anchorOffset : activeOffset;
	int32 toOffset = forward ? activeOffset : anchorOffset;
	firstSelection = from;
	lastSelection = to;
	fRangeAnchor = anchor;
	fRangeAnchorOffset = anchorOffset;
	fRangeActive = active;
	fRangeActiveOffset = activeOffset;

	// The focus first: a text that gives it up would drop its selection
	// if it were no part of a range.
	active->MakeFocus(true);
	for (WYSIWYG_Element* element = from; element != nullptr;
			element = element->next) {
		if (WText* text = dynamic_cast<WText*>(element)) {
			int32 start = text == from ? fromOffset : 0;
			int32 end = text == to ? toOffset : text->TextLength();
			text->Select(start, end);
		}
		if (element == to)
			break;
	}
}

void
WYSIWYG_Engine::ClearRange()
{
	if (!HasRange())
		return;
	WYSIWYG_Element* from = firstSelection;
	WYSIWYG_Element* to = lastSelection;
	WText* active = fRangeActive;
	int32 activeOffset = fRangeActiveOffset;
	_ForgetRange();
	for (WYSIWYG_Element* element = from; element != nullptr;
			element = element->next) {
		if (WText* text = dynamic_cast<WText*>(element)) {
			int32 caret = text == active ? activeOffset : 0;
			if (caret > text->TextLength())
				caret = text->TextLength();
			text->Select(caret, caret);
		}
		if (element == to)
			break;
	}
}

WText*
WYSIWYG_Engine::EraseRange()
{
	if (!HasRange())
		return nullptr;
	WText* from = dynamic_cast<WText*>(firstSelection);
	WYSIWYG_Element* to = lastSelection;
	_ForgetRange();
	if (from == nullptr)
		return nullptr;
	int32 caret = 0, unused;
	from->GetSelection(&caret, &unused);

	std::vector<WText*> changed;
	for (WYSIWYG_Element* element = from; element != nullptr;
			element = element->next) {
		if (WText* text = dynamic_cast<WText*>(element)) {
			int32 start, end;
			text->GetSelection(&start, &end);
			if (start < end) {
				text->Delete(start, end);
				changed.push_back(text);
			}
			text->Select(start, start);
		}
		if (element == to)
			break;
	}
	from->Select(caret, caret);
	from->MakeFocus(true);

	// Each line that lost bytes is laid out again; a line is done once,
	// and a text that an earlier layout took into its neighbour is no
	// longer in the chain.
	WYSIWYG_Element* lineDone = nullptr;
	for (WText* text : changed) {
		if (text != first && text->previous == nullptr)
			continue;
		WYSIWYG_Element* lineFirst = text->FirstOnLine();
		if (lineFirst == lineDone)
			continue;
		Place(text->previous != nullptr ? text->previous : text, false);
		lineDone = lineFirst;
	}
	ResetScrollRange();
	return from;
}
