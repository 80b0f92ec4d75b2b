// Layout: breaking the chain into lines that fit the main view, the flow of
// text between text elements, vertical and horizontal alignment, shifting
// the lines below a change, and the scroll range.
//
// A split made while a line is laid out (WText::JoinSplit -> SplitText)
// asks for the line to be laid out again, and that layout may re-flow the
// rest of the paragraph and shift the rest of the document. The Place that
// is already running does exactly that work right after the split returns,
// so the nested request is dropped and the scroll range is set once when the
// outermost Place ends. Positions come out as if every request had run;
// opening a page stays linear.

#include "WYSIWYG_Engine.h"

#include <ScrollBar.h>
#include <ScrollView.h>
#include <Window.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "Alerts.h"
#include "CrashProtector.h"
#include "HorizontalLine.h"
#include "List_Element.h"
#include "WText.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_View.h"

namespace {

inline bool
IsText(WYSIWYG_Element* element)
{
	return dynamic_cast<WText*>(element) != nullptr;
}

inline bool
IsListItem(WYSIWYG_Element* element)
{
	return dynamic_cast<List_Element*>(element) != nullptr;
}

inline bool
IsRule(WYSIWYG_Element* element)
{
	return dynamic_cast<HorizontalLine*>(element) != nullptr;
}

inline bool
IsListEnd(WYSIWYG_Element* element)
{
	List* list = dynamic_cast<List*>(element);
	return list != nullptr && !list->openTag;
}

// Whether `element` takes no room and forces no break: a blank text, or a
// tag without a view of its own.
bool
ShowsNothing(WYSIWYG_Element* element)
{
	if (element->BreakBefore() != 0 || element->BreakAfter() != 0)
		return false;
	if (WText* text = dynamic_cast<WText*>(element)) {
		for (const char* byte = text->Text(); *byte != '\0'; byte++) {
			if (!isspace((uchar)*byte))
				return false;
		}
		return true;
	}
	return element->View() == nullptr;
}

// Whether `element` ends a nested list and nothing from there up to the
// next list item shows: blank texts and tags that take no room and force
// no break. That end then begins no line of its own, so no empty line
// stands between the two items (a browser shows none there either; after
// an outermost list it keeps the space between two lists).
bool
NestedEndBeforeItem(WYSIWYG_Element* element)
{
	List* end = dynamic_cast<List*>(element);
	if (end == nullptr || end->openTag || end->level < 2)
		return false;
	for (element = element->next; element != nullptr;
			element = element->next) {
		if (IsListItem(element))
			return true;
		if (!ShowsNothing(element))
			return false;
	}
	return false;
}

// Whether the line `following` begins only because the one above was full
// (no break, margin or rule between them): it then gives the line above
// whatever of it fits there once it changes, as a layout of the whole page
// would.
bool
SoftBreakBefore(WYSIWYG_Element* following)
{
	WYSIWYG_Element* last = following->previous;
	return last != nullptr && last->BreakAfter() == 0
		&& following->BreakBefore() == 0
		&& following->LeftMargin() == last->LeftMargin()
		&& following->RightMargin() == last->RightMargin()
		&& !IsRule(following) && !IsRule(last);
}

// Whether `element` ends a nested list.
bool
IsNestedEnd(WYSIWYG_Element* element)
{
	List* list = dynamic_cast<List*>(element);
	return list != nullptr && !list->openTag && list->level >= 2;
}

inline float
Height(const BRect& frame)
{
	return frame.bottom - frame.top;
}

// Text views made by a split or a join get the same height as every other
// text view of their font, so a line's height does not depend on which
// path last sized its pieces.
void
FitSplitSize(WText* text)
{
	text->SizeToText();
}

// How far above the line's text top (T) the top of an element `h` high
// goes on a line whose text is `H` high (below it when negative), by its
// vertical alignment; `known` is false for a value outside 3 to 7.
float
Reach(WYSIWYG_Element* element, float h, float H, bool* known)
{
	*known = true;
	switch (element->VAlignment()) {
		case 3:
			return 0;
		case 4:
			return (h - H) / 2;
		case 5:
			return h / 2 - 3 * H / 4;
		case 6:
			return h - H;
		case 7:
			return IsText(element) ? h - H : h - 5 * H / 6;
		default:
			*known = false;
			return 0;
	}
}

// How far an element raises the line's text top: as far as it reaches
// above it, but for a text, which is bottom-aligned with the line's first
// text and sticks out above it without pushing the line down.
float
Rise(WYSIWYG_Element* element, float h, float H, bool* known)
{
	float reach = Reach(element, h, H, known);
	if (IsText(element) && element->VAlignment() == 7)
		return 0;
	return reach;
}

// The text height of the line from `lineFirst` to `stop`: the height of
// its first text, or of the chain's first element when it has none.
float
TextHeight(WYSIWYG_Element* lineFirst, WYSIWYG_Element* stop,
	WYSIWYG_Element* chainFirst)
{
	for (WYSIWYG_Element* other = lineFirst; other != stop;
			other = other->next) {
		if (IsText(other))
			return Height(other->WFrame());
	}
	return Height(chainFirst->WFrame());
}

// Releases the window lock when it goes out of scope.
class WindowLock {
public:
	explicit WindowLock(BWindow* window)
		: fWindow(window), fLocked(window != nullptr && window->Lock()) {}
	~WindowLock() { if (fLocked) fWindow->Unlock(); }
private:
	BWindow* fWindow;
	bool fLocked;
};

}	// namespace

void
WYSIWYG_Engine::SetDontJoin(WYSIWYG_Element* element, bool value)
{
	if (element == nullptr)
		return;
	element->dontJoin = value;
	if (value)
		fDontJoin.insert(element);
	else
		fDontJoin.erase(element);
}

std::unordered_set<WYSIWYG_Element*>
WYSIWYG_Engine::_ClearDontJoin()
{
	std::unordered_set<WYSIWYG_Element*> marked;
	marked.swap(fDontJoin);
	for (WYSIWYG_Element* element : marked)
		element->dontJoin = false;
	return marked;
}

void
WYSIWYG_Engine::_PlaceOnward(WYSIWYG_Element* element)
{
	std::unordered_set<WYSIWYG_Element*> marked = _ClearDontJoin();
	Place(element, false);
	// A text that lost its mark may now give words to the text before it.
	for (WYSIWYG_Element* text : marked) {
		bool linked = text == first || text->previous != nullptr;
		if (linked)
			Place(text->previous != nullptr ? text->previous : text, false);
	}
}

void
WYSIWYG_Engine::Place(WYSIWYG_Element* element, bool all)
{
	if (view == nullptr || view->Window() == nullptr) {
		CrashProtector();
		return;
	}
	if (element == nullptr) {
		element = first;
		all = true;
	}
	if (element == nullptr)
		return;
	// An element a join took out of the chain has no line.
	if (element != first && element->previous == nullptr)
		return;
	// A nested request (a split during this layout) is done by the running
	// Place when the split returns.
	if (fPlaceDepth > 0)
		return;

	// A line that begins with a list's end may belong to the line above
	// once it holds nothing to show (NestedEndBeforeItem), and one that
	// begins where the line above was full may give it its first words
	// when they changed (a split or a deletion made them narrower): what
	// it holds is what changed, so the line above is laid out with it. A
	// change further on in the line leaves the line above as it is.
	if (!all) {
		WYSIWYG_Element* lineFirst = element->FirstOnLine();
		if (lineFirst->previous != nullptr && (IsListEnd(lineFirst)
				|| (element == lineFirst && SoftBreakBefore(lineFirst))))
			element = lineFirst->previous;
	}

	fPlaceDepth++;
	fShiftedInPlace = false;
	// Splits set the mark on their new piece and the split's caller clears
	// it at once, so one clearing serves every line of the pass.
	if (all) {
		_ClearDontJoin();
		fUnplaced.clear();
	} else
		_MarkNestedEndsReaching(element);
	_PlaceLines(element, all);
	// Lines that changed where this layout did not reach (below a hard
	// break, where it stopped re-flowing): each from the line before it,
	// since words may flow back there, and from its own beginning when a
	// hard break keeps the line before from reaching it.
	while (!fUnplaced.empty()) {
		WYSIWYG_Element* unplaced = *fUnplaced.begin();
		if (unplaced != first && unplaced->previous == nullptr) {
			fUnplaced.erase(fUnplaced.begin());
			continue;
		}
		_PlaceLines(unplaced->previous != nullptr ? unplaced->previous
			: unplaced, false);
		if (fUnplaced.erase(unplaced) > 0)
			_PlaceLines(unplaced, false);
	}
	fPlaceDepth--;
	// Lines were placed; unless the shift that followed them vouched for
	// the rest of the chain, nothing is known about where lines sit.
	if (!fShiftedInPlace)
		fSettledFrom = nullptr;

	if (fPlaceDepth == 0 && fScrollRangePending) {
		fScrollRangePending = false;
		ResetScrollRange();
	}
}

void
WYSIWYG_Engine::_PlaceLines(WYSIWYG_Element* element, bool all)
{
	WYSIWYG_Element* current = element;
	while (current != nullptr) {
		bool chainEnded = false;
		WYSIWYG_Element* last = _PlaceLine(current, &chainEnded);
		if (chainEnded || last == nullptr || last->next == nullptr)
			break;
		WYSIWYG_Element* following = last->next;
		// A line that begins elsewhere than it began (the line above now
		// ends before an element in its middle, or before a new one) no
		// longer holds what it was laid out with: it is laid out too.
		if (!all && following->beginsLine && (last->BreakAfter() != 0
				|| following->BreakBefore() != 0
				|| following->LeftMargin() != last->LeftMargin()
				|| following->RightMargin() != last->RightMargin()
				|| IsRule(following)) && !IsListEnd(following)) {
			// A hard break: nothing below can re-flow, the lines only move.
			// The line a list's end begins may have been part of the line
			// above until now: it is laid out.
			ShiftLines(following);
			break;
		}
		current = following;
	}
}

// A nested list end shares the line above when nothing from it up to the
// next item shows (NestedEndBeforeItem): a change at `element` may change
// that for every nested end whose reading reaches it, that is every one
// before it with only elements that show nothing between. Their lines are
// laid out again.
void
WYSIWYG_Engine::_MarkNestedEndsReaching(WYSIWYG_Element* element)
{
	for (WYSIWYG_Element* e = element; e != nullptr; e = e->previous) {
		if (e != element && IsListItem(e))
			return;
		if (IsNestedEnd(e))
			MarkUnplaced(e);
		if (e != element && !ShowsNothing(e))
			return;
	}
}

void
WYSIWYG_Engine::MarkUnplaced(WYSIWYG_Element* element)
{
	if (element != nullptr && !IsLoading())
		fUnplaced.insert(element);
}

WYSIWYG_Element*
WYSIWYG_Engine::_PlaceLine(WYSIWYG_Element* element, bool* chainEnded)
{
	*chainEnded = false;
	WYSIWYG_Element* lineFirst = element->FirstOnLine();
	float top = element->LineTop();
	bool ruleLine = false;
	if (IsRule(lineFirst)) {
		top += 26;
		ruleLine = true;
		if (lineFirst->next == nullptr)
			error("Error: there isn't any text after Horizontal line");
		else
			lineFirst = lineFirst->next;
	}

	BRect bounds(0, 0, 0, 0);
	if (view->LockLooper()) {
		bounds = view->Bounds();
		view->UnlockLooper();
	}
	float usable = (bounds.right - bounds.left - 5 - 5)
		- (lineFirst->LeftMargin() + lineFirst->RightMargin());

	// Pass 1: which elements make the line. A view covers its width plus
	// one pixel (a BRect's width leaves out its last column), and pass 3
	// moves on by exactly that much; counting less would let a line of many
	// pieces run past the right edge of the page, under the scroll bar.
	float used = 0;
	bool anyView = false;
	bool firstText = true;
	WYSIWYG_Element* last = nullptr;
	WYSIWYG_Element* e = lineFirst;
	while (e != nullptr) {
		// An element the line ends before keeps its status: it begins the
		// next line, which a hard break leaves as it is.
		int32 oldStatus = e->eolStatus;
		e->eolStatus = 0;
		e->JoinSplit(usable - used - 5, firstText);
		if (IsText(e))
			firstText = false;
		BRect elementBounds = e->WBounds();
		float width = elementBounds.right - elementBounds.left;
		bool hasView = e->View() != nullptr;
		float step = hasView ? width + 1 : width;
		WYSIWYG_Element* before = e->previous;

		if (used + width > usable) {
			bool onlyItems = true;
			if (e != lineFirst) {
				// The element may only stay when nothing with a view but
				// list items' bullets comes before it on the line: a
				// bullet is never left alone at the end of a line.
				for (WYSIWYG_Element* other = lineFirst; other != e;
						other = other->next) {
					if (other->View() != nullptr && !IsListItem(other)) {
						onlyItems = false;
						break;
					}
				}
			}
			if (e == lineFirst || onlyItems) {
				e->eolStatus = 1;
				used += step;
				anyView = anyView || hasView;
				last = e;
			} else {
				e->eolStatus = oldStatus;
				before->eolStatus = 1;
				last = before;
			}
			break;
		}
		if (e != lineFirst && e->BreakBefore() != 0) {
			e->eolStatus = oldStatus;
			before->eolStatus = 1;
			last = before;
			break;
		}
		if (before != nullptr && e != lineFirst
			&& ((before->LeftMargin() != 0 && e->LeftMargin() == 0
					&& !NestedEndBeforeItem(e))
				|| before->RightMargin() != e->RightMargin())) {
			e->eolStatus = oldStatus;
			before->eolStatus = 1;
			last = before;
			break;
		}
		if (e->BreakAfter() != 0) {
			e->eolStatus = 1;
			used += step;
			anyView = anyView || hasView;
			last = e;
			break;
		}
		if (e != lineFirst && IsRule(e)) {
			e->eolStatus = oldStatus;
			before->eolStatus = 1;
			last = before;
			break;
		}
		used += step;
		anyView = anyView || hasView;
		e = e->next;
	}
	// What alignment shares out is the line from its first pixel to its
	// last.
	if (anyView)
		used -= 1;
	WYSIWYG_Element* stop = last != nullptr ? last->next : nullptr;

	const float H = TextHeight(lineFirst, stop, first);

	WindowLock lock(window);

	// Pass 2: how far the tallest element raises the line's text.
	float rise = 0;
	for (WYSIWYG_Element* other = lineFirst; other != stop;
			other = other->next) {
		BRect frame = other->WFrame();
		if (!(frame.right > 0))
			continue;
		bool known;
		float value = Rise(other, Height(frame), H, &known);
		if (!known) {
			error("Error - unknown alignment flag");
			errorINT((int)other->VAlignment());
		}
		if (value > rise)
			rise = value;
	}

	float spacing = lineFirst->BreakBefore();
	if (lineFirst->previous != nullptr
		&& lineFirst->previous->BreakAfter() > spacing)
		spacing = lineFirst->previous->BreakAfter();
	const float T = top + rise + spacing;

	float leftMargin = lineFirst->LeftMargin();
	float rightMargin = lineFirst->RightMargin();
	float viewWidth = bounds.right - bounds.left;
	float x;
	switch (lineFirst->HAlignment()) {
		case 0:
			x = leftMargin + 5;
			break;
		case 1:
			x = leftMargin + 5 + ((viewWidth - 14)
				- (leftMargin + 10 + rightMargin) - used) / 2;
			break;
		case 2:
			x = leftMargin + 5 + ((viewWidth - 14)
				- (leftMargin + 10 + rightMargin) - used);
			break;
		default:
			error("Internal error: incorrect halignment setting");
			x = 0;
	}
	// Centring and right alignment share out 14 pixels less than a line may
	// hold, so a nearly full line would start left of the margin, its first
	// piece cut off by the view's left edge: it starts at the margin.
	int32 alignment = lineFirst->HAlignment();
	if ((alignment == 1 || alignment == 2) && x < leftMargin + 5)
		x = leftMargin + 5;

	// Pass 3: positions.
	float previousY = rise;
	for (WYSIWYG_Element* other = lineFirst; other != stop;
			other = other->next) {
		BRect frame = other->WFrame();
		if (frame.right > 0) {
			float h = Height(frame);
			float y;
			switch (other->VAlignment()) {
				case 3:
					y = T;
					break;
				case 4:
					y = T + (H - h) / 2;
					break;
				case 5:
					y = T + 3 * H / 4 - h / 2;
					break;
				case 6:
					y = T + H - h;
					break;
				case 7:
					y = IsText(other) ? T + H - h : T + 5 * H / 6 - h;
					break;
				default:
					y = previousY;
			}
			previousY = y;
			if (BView* elementView = other->View()) {
				if (frame.left != x || frame.top != y)
					elementView->MoveTo(x, y);
			}
			BRect elementBounds = other->WBounds();
			x += elementBounds.right - elementBounds.left + 1;
		}
		other->WasPlaced();
		other->beginsLine = other == lineFirst;
		if (!fUnplaced.empty())
			fUnplaced.erase(other);
	}

	// A rule begins the line it is drawn in.
	if (ruleLine && IsRule(lineFirst->previous))
		lineFirst->previous->beginsLine = true;
	if (ruleLine && lineFirst->previous != nullptr) {
		if (HorizontalLine* rule
				= dynamic_cast<HorizontalLine*>(lineFirst->previous)) {
			rule->Erase();
			rule->Draw(rule->LineTop() + 13);
		}
	}

	if (last == nullptr)
		*chainEnded = true;
	return last;
}

void
WYSIWYG_Engine::ShiftLines(WYSIWYG_Element* element)
{
	if (element == nullptr)
		return;
	{
		WindowLock lock(window);
		WYSIWYG_Element* lineFirst = element->FirstOnLine();
		WYSIWYG_Element* startFirst = lineFirst;
		// A shift that begins inside the settled lines may stop at its
		// first line that stays where it is. Finding out whether it begins
		// there costs the distance to their beginning, which a shift from
		// above them would walk anyway.
		bool settled = fSettledFrom != nullptr && lineFirst != fSettledFrom
			&& _Follows(lineFirst, fSettledFrom);
		// LineTop of each further line follows from the line above as it
		// has just been moved, so it is carried along instead of being
		// looked up again.
		float lineTop = lineFirst->LineTop();
		while (lineFirst != nullptr) {
			float top = lineTop;
			float spacing = lineFirst->BreakBefore();
			if (lineFirst->previous != nullptr
				&& lineFirst->previous->BreakAfter() > spacing)
				spacing = lineFirst->previous->BreakAfter();
			if (spacing == 0.01f)
				spacing = 0;

			WYSIWYG_Element* last = lineFirst;
			while (last->eolStatus == 0 && last->next != nullptr)
				last = last->next;
			WYSIWYG_Element* stop = last->next;

			// The line's views sit around its text top as pass 3 put them:
			// the highest reaches above it by `reach`, and the text top is
			// `rise` below the line's top. A text taller than the line's
			// first sticks out above without pushing the line down, so the
			// highest view is not always at the line's top. Only a line
			// with a view taller than its text, or without a text, needs
			// them worked out.
			float minTop = 900000.0f;
			float tallest = 0;
			for (WYSIWYG_Element* e = lineFirst; e != stop; e = e->next) {
				if (BView* elementView = e->View()) {
					BRect frame = elementView->Frame();
					if (frame.top < minTop)
						minTop = frame.top;
					if (Height(frame) > tallest)
						tallest = Height(frame);
				}
			}
			float lineAt = minTop;
			float H = -1;
			for (WYSIWYG_Element* e = lineFirst; e != stop && H < 0;
					e = e->next) {
				if (IsText(e))
					H = Height(e->View()->Frame());
			}
			if (minTop < 900000.0f && (H < 0 || tallest > H)) {
				if (H < 0)
					H = Height(first->WFrame());
				float rise = 0;
				float reach = -900000.0f;
				for (WYSIWYG_Element* e = lineFirst; e != stop; e = e->next) {
					if (BView* elementView = e->View()) {
						bool known;
						float h = Height(elementView->Frame());
						float value = Reach(e, h, H, &known);
						if (known && value > reach)
							reach = value;
						value = Rise(e, h, H, &known);
						if (value > rise)
							rise = value;
					}
				}
				if (reach > -900000.0f && reach != rise)
					lineAt += reach - rise;
			}

			WYSIWYG_Element* moveFrom = lineFirst;
			if (HorizontalLine* rule = dynamic_cast<HorizontalLine*>(lineFirst)) {
				rule->Erase();
				rule->Draw(lineTop + 13);
				top += 26;
				if (rule->next == nullptr)
					error("Error: there isn't any text after Horizontal line");
				else
					moveFrom = rule->next;
			}

			float delta = top + spacing - lineAt;
			if (lineFirst == fSettledFrom)
				settled = true;
			if (settled && delta == 0)
				break;
			if (settled && minTop < 900000.0f) {
				// Each line from here on sits where the one above puts it,
				// so they all move by the same amount: no line needs to be
				// measured.
				_MoveRest(lineFirst, minTop, delta);
				break;
			}
			float maxBottom = 0;
			bool hasView = false;
			for (WYSIWYG_Element* e = moveFrom; e != stop; e = e->next) {
				if (BView* elementView = e->View()) {
					if (delta != 0)
						elementView->MoveBy(0, delta);
				}
			}
			for (WYSIWYG_Element* e = lineFirst; e != stop; e = e->next) {
				if (BView* elementView = e->View()) {
					hasView = true;
					float bottom = elementView->Frame().bottom;
					if (bottom > maxBottom)
						maxBottom = bottom;
				}
			}
			if (hasView)
				lineTop = maxBottom + 2;
			lineFirst = stop;
		}
		fSettledFrom = startFirst;
		if (fPlaceDepth > 0)
			fShiftedInPlace = true;
	}
	ResetScrollRange();
}

void
WYSIWYG_Engine::_MoveRest(WYSIWYG_Element* lineFirst, float top, float delta)
{
	// The lines from `lineFirst` on hold every view at or below `top`, but
	// for views of the lines just laid out above them, which may have
	// grown into that band: those stay. Line bottoms only grow down the
	// page, so the search ends at the first line above that ends higher.
	std::vector<BView*> staying;
	WYSIWYG_Element* last = lineFirst->previous;
	while (last != nullptr) {
		WYSIWYG_Element* lineStart = last->FirstOnLine();
		bool hasView = false;
		float maxBottom = 0;
		for (WYSIWYG_Element* e = lineStart; e != last->next; e = e->next) {
			if (BView* elementView = e->View()) {
				BRect frame = elementView->Frame();
				hasView = true;
				if (frame.bottom > maxBottom)
					maxBottom = frame.bottom;
				if (frame.top >= top)
					staying.push_back(elementView);
			}
		}
		if (hasView && maxBottom < top)
			break;
		last = lineStart->previous;
	}

	// The main view's children lie in one array, so going through them
	// all is far quicker than following the chain from element to element.
	for (int32 i = 0, count = view->CountChildren(); i < count; i++) {
		BView* child = view->ChildAt(i);
		if (child->Frame().top < top)
			continue;
		if (!staying.empty()
			&& std::find(staying.begin(), staying.end(), child)
				!= staying.end())
			continue;
		child->MoveBy(0, delta);
	}

	// The rules below are drawn where their lines are now by the update;
	// their old bands must be drawn over too.
	BRect bounds = view->Bounds();
	float from = delta < 0 ? top + delta : top;
	if (from < bounds.top)
		from = bounds.top;
	if (from <= bounds.bottom)
		view->Invalidate(BRect(bounds.left, from, bounds.right, bounds.bottom));
}

void
WYSIWYG_Engine::ResetScrollRange()
{
	if (fPlaceDepth > 0) {
		fScrollRangePending = true;
		return;
	}
	if (view == nullptr || scrollView == nullptr)
		return;
	WindowLock lock(window);
	BRect bounds = view->Bounds();
	float visible = bounds.bottom - bounds.top;
	WYSIWYG_Element* last = LastElement();
	float bottom = last != nullptr ? last->LineBottom() : 0;
	float range = bottom + 2 + 13 - visible;
	if (range < 0)
		range = 0;
	BScrollBar* bar = scrollView->ScrollBar(B_VERTICAL);
	if (bar == nullptr)
		return;
	bar->SetRange(0, range);
	// A document that fits shows a full knob.
	float proportion = range > 0 ? visible / range : 1.0f;
	if (proportion > 1.0f)
		proportion = 1.0f;
	bar->SetProportion(proportion);
	bar->SetSteps(visible / 25, visible * 8 / 10);
}

WText*
WYSIWYG_Engine::SplitText(WText* text, int32 position, bool force)
{
	if (text == nullptr)
		return nullptr;
	int32 length = text->TextLength();
	if (!(position > 0 && position < length)) {
		if (!force)
			return nullptr;
		position = position < length ? 0 : length;
	}

	int32 start = 0, end = 0;
	if (text->LockLooper()) {
		text->GetSelection(&start, &end);
		if (start < position && end > position)
			text->Select(start, position);
		text->UnlockLooper();
	}

	WYSIWYG_Element* oldNext = text->next;
	WText* added = new WText(text, oldNext, this, nullptr);
	if (oldNext != nullptr)
		oldNext->SetPrevious(added);
	text->SetNext(added);
	added->ShareEnvironment();
	if (oldNext == nullptr)
		fLastHint = added;

	{
		WindowLock lock(window);
		view->AddChild(added);
		// Handing the tail over as it lies keeps cutting a long run line
		// by line linear; the same comes out as through Insert and Delete.
		if (!text->MoveTail(position, added)) {
			added->Insert(0, text->Text() + position, length - position);
			FitSplitSize(added);
			if (position < length)
				text->Delete(position, length);
			FitSplitSize(text);
		}
		SetDontJoin(added, true);
		added->BTextView::KeyDown("", 0);
		// The page's white space after the text is after its tail now.
		added->trailingSpace.swap(text->trailingSpace);
	}

	Place(text, false);

	if (start >= position) {
		int32 rest = text->TextLength();
		bool hadFocus = text->IsFocus();
		text->Select(rest, rest);
		added->Select(start - position, end - position);
		if (hadFocus)
			added->MakeFocus(true);
	}
	return added;
}

void
WYSIWYG_Engine::JoinText(WText* text, int32 count)
{
	if (text == nullptr)
		return;
	WText* following = dynamic_cast<WText*>(text->next);
	if (following == nullptr)
		return;
	int32 length = following->TextLength();
	if (length == 0) {
		if (!following->HasPageSpace())
			Delete(following);
		return;
	}
	if (count <= 0)
		return;
	if (count > length)
		count = length;

	WindowLock lock(window);
	// The bytes come after everything the text holds; a caret at its end
	// stays where the user left it instead of being pushed behind them.
	int32 ownStart, ownEnd;
	text->GetSelection(&ownStart, &ownEnd);
	// The page's white space around the texts stays at the ends it belongs
	// to: before the first text's bytes and after the last text's.
	if (text->TextLength() == 0 && text->leadingSpace.empty()) {
		text->leadingSpace.swap(following->leadingSpace);
		text->leadingSpaceShown = following->leadingSpaceShown;
	}
	text->trailingSpace.clear();
	if (count == length)
		text->trailingSpace.swap(following->trailingSpace);
	text->Insert(text->TextLength(), following->Text(), count);
	text->Select(ownStart, ownEnd);
	FitSplitSize(text);
	int32 start, end;
	following->GetSelection(&start, &end);
	following->Delete(0, count);
	FitSplitSize(following);
	if (start < count && following->IsFocus()) {
		text->MakeFocus(true);
		int32 caret = text->TextLength() - count + start;
		text->Select(caret, caret);
	} else {
		start = start - count < 0 ? 0 : start - count;
		end = end - count < 0 ? 0 : end - count;
		following->Select(start, end);
	}
	if (following->TextLength() == 0)
		Delete(following);
	text->BTextView::KeyDown("", 0);
}
