// The keys of a text element. Ordinary bytes are typed by the text view
// itself (through the insertion rule); each key of the table below has a
// small handler of its own, and the changed lines are laid out again once
// the whole key event has been handled.
//
// The page is marked modified by the keys that edit (Backspace, Delete,
// Enter, Space, Tab in a list, the non-breaking space, Insert) and by typed
// bytes only when the text really changed: moving, selecting, Escape and
// Command combinations that no menu item takes leave the page as saved.

#include "WText.h"

#include <Clipboard.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <Window.h>

#include <cctype>
#include <utility>

#include "Anchor.h"
#include "EndLine.h"
#include "HorizontalLine.h"
#include "List_Element.h"
#include "Page.h"
#include "TextChange.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

namespace {

// The list item's tag id in the parser's tag table (LI).
const int32 kListItemTag = 49;

// What the handlers share while one key event is handled.
struct KeyContext {
	WText* current;		// the text further bytes of the event go to
	int32 modifiers;
	bool hasMessage;	// the window has a current message
	bool edited;		// the chain or a text changed
	// The elements before those that were taken out (both ends of a
	// pair, which may lie lines apart): their lines are joined with the
	// next ones and are laid out again.
	WYSIWYG_Element* joinedAt[2];
	// An item or a list end went: the lines after them up to the next
	// item or list tag take another indent.
	bool indentChanged;
	Page* page;

	bool Shift() const { return (modifiers & B_SHIFT_KEY) != 0; }
	bool Control() const { return (modifiers & B_CONTROL_KEY) != 0; }
	void Modified()
	{
		edited = true;
		if (page != nullptr)
			page->NotSaved();
	}
};

bool
IsTableKey(char byte)
{
	switch ((uchar)byte) {
		case B_HOME:
		case B_END:
		case B_INSERT:
		case B_BACKSPACE:
		case B_TAB:
		case B_ENTER:
		case B_PAGE_UP:
		case B_PAGE_DOWN:
		case B_LEFT_ARROW:
		case B_RIGHT_ARROW:
		case B_UP_ARROW:
		case B_DOWN_ARROW:
		case ' ':
		case B_DELETE:
		case kNonBreakingSpace:
			return true;
	}
	return false;
}

// Bytes of the character that begins at bytes (1 for a byte that begins
// none): key bytes are UTF-8.
int32
Utf8Length(const char* bytes, int32 available)
{
	uint8 lead = (uint8)bytes[0];
	int32 length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
	if (length > available)
		return 1;
	for (int32 i = 1; i < length; i++) {
		if (((uint8)bytes[i] & 0xc0) != 0x80)
			return 1;
	}
	return length;
}

// A character back or forward, whole in the text's encoding.
int32
StepBack(WText* text, int32 offset)
{
	return offset > 0 ? text->PreviousCharacter(offset) : 0;
}

int32
StepForward(WText* text, int32 offset)
{
	int32 length = text->TextLength();
	return offset < length ? text->NextCharacter(offset) : length;
}

bool
IsWordByte(char byte)
{
	uchar c = (uchar)byte;
	return c < 0x80 && isalnum(c);
}

// Where Control+Left goes from offset: back over the word before it, or
// over the separators to just after the word before them.
int32
WordBack(WText* text, int32 offset)
{
	const char* bytes = text->Text();
	int32 i = offset;
	if (i > 0 && IsWordByte(bytes[i - 1])) {
		while (i > 0 && IsWordByte(bytes[i - 1]))
			i--;
	} else {
		while (i > 0 && !IsWordByte(bytes[i - 1]))
			i--;
	}
	return i;
}

// Where Control+Right goes: over the run of word or of other bytes at
// offset.
int32
WordForward(WText* text, int32 offset)
{
	const char* bytes = text->Text();
	int32 length = text->TextLength();
	int32 i = offset;
	bool word = i < length && IsWordByte(bytes[i]);
	while (i < length && IsWordByte(bytes[i]) == word)
		i++;
	return i;
}

void
Focus(WText* text, int32 start, int32 end)
{
	text->Select(start, end);
	text->MakeFocus(true);
	text->Select(start, end);
}

void
FocusAt(WText* text, int32 caret)
{
	Focus(text, caret, caret);
}

// The nearest text before or after element, never element itself.
WText*
TextBefore(WYSIWYG_Element* element)
{
	for (WYSIWYG_Element* e = element->previous; e != nullptr; e = e->previous) {
		if (WText* text = dynamic_cast<WText*>(e))
			return text;
	}
	return nullptr;
}

WText*
TextAfter(WYSIWYG_Element* element)
{
	for (WYSIWYG_Element* e = element->next; e != nullptr; e = e->next) {
		if (WText* text = dynamic_cast<WText*>(e))
			return text;
	}
	return nullptr;
}

// The first and the last text of the line that holds element.
WText*
FirstTextOfLine(WYSIWYG_Element* element)
{
	WText* found = nullptr;
	for (WYSIWYG_Element* e = element; e != nullptr; e = e->previous) {
		if (WText* text = dynamic_cast<WText*>(e))
			found = text;
		if (e->previous == nullptr || e->previous->eolStatus != 0)
			break;
	}
	return found;
}

WText*
LastTextOfLine(WYSIWYG_Element* element)
{
	WText* found = nullptr;
	for (WYSIWYG_Element* e = element; e != nullptr; e = e->next) {
		if (WText* text = dynamic_cast<WText*>(e))
			found = text;
		if (e->eolStatus != 0)
			break;
	}
	return found;
}

// Extends the selection of the current text to (text, offset): across
// elements this is the engine's range, which keeps its anchor.
void
ExtendTo(KeyContext& context, WText* text, int32 offset, int32 anchorOffset)
{
	WYSIWYG_Engine* engine = context.current->engine;
	int32 rangeOffset;
	WText* anchor = engine->RangeAnchor(&rangeOffset);
	if (anchor == nullptr) {
		anchor = context.current;
		rangeOffset = anchorOffset;
	}
	engine->SelectRange(anchor, rangeOffset, text, offset);
	context.current = text;
}

void
KeyHome(KeyContext& context)
{
	WText* text = context.current;
	WYSIWYG_Engine* engine = text->engine;
	WText* target = context.Control()
		? dynamic_cast<WText*>(engine->FirstElement()) : nullptr;
	if (target == nullptr)
		target = FirstTextOfLine(text);
	if (target == nullptr)
		return;
	if (context.Shift()) {
		int32 start, end;
		text->GetSelection(&start, &end);
		ExtendTo(context, target, 0, end);
		return;
	}
	engine->ClearRange();
	FocusAt(target, 0);
	context.current = target;
}

void
KeyEnd(KeyContext& context)
{
	WText* text = context.current;
	WYSIWYG_Engine* engine = text->engine;
	WText* target = nullptr;
	if (context.Control()) {
		WYSIWYG_Element* last = engine->LastElement();
		target = dynamic_cast<WText*>(last);
		if (target == nullptr && last != nullptr)
			target = TextBefore(last);
	}
	if (target == nullptr)
		target = LastTextOfLine(text);
	if (target == nullptr)
		return;
	if (context.Shift()) {
		int32 start, end;
		text->GetSelection(&start, &end);
		ExtendTo(context, target, target->TextLength(), start);
		return;
	}
	engine->ClearRange();
	FocusAt(target, target->TextLength());
	context.current = target;
}

// The end of the selection that Shift with Left or Right moves: the
// active end of a range, else the start (Left) or the end (Right) of the
// text's own selection. The other end stays where it is.
int32
MovingEnd(KeyContext& context, bool left, int32* fixed)
{
	WText* text = context.current;
	WYSIWYG_Engine* engine = text->engine;
	int32 start, end;
	text->GetSelection(&start, &end);
	int32 activeOffset;
	if (context.Shift() && engine->RangeActive(&activeOffset) == text) {
		*fixed = -1;
		return activeOffset;
	}
	if (!context.Shift())
		engine->ClearRange();
	*fixed = left ? end : start;
	return left || !context.Shift() ? start : end;
}

// Left and Right: a character (Control: a word) along the text, or to
// the neighbouring text at either end. With Shift the selection follows,
// across elements too.
void
KeyLeftRight(KeyContext& context, bool left)
{
	WText* text = context.current;
	int32 fixed;
	int32 moving = MovingEnd(context, left, &fixed);
	if (moving == (left ? 0 : text->TextLength())) {
		WText* neighbour = left ? TextBefore(text) : TextAfter(text);
		if (neighbour == nullptr)
			return;
		int32 caret = left ? neighbour->TextLength() : 0;
		if (context.Shift())
			ExtendTo(context, neighbour, caret, fixed);
		else {
			FocusAt(neighbour, caret);
			context.current = neighbour;
		}
		return;
	}
	if (!context.hasMessage)
		return;
	int32 to;
	if (left)
		to = context.Control() ? WordBack(text, moving) : StepBack(text, moving);
	else {
		to = context.Control() ? WordForward(text, moving)
			: StepForward(text, moving);
	}
	if (!context.Shift())
		text->Select(to, to);
	else if (fixed < 0)
		ExtendTo(context, text, to, 0);
	else
		text->Select(left ? to : fixed, left ? fixed : to);
}

// Up and Down: the text of the line above or below that lies under the
// caret, with the caret as near the same column as its characters allow.
// Lines without a text are passed over.
void
KeyUpDown(KeyContext& context, bool up)
{
	WText* text = context.current;
	WYSIWYG_Engine* engine = text->engine;
	int32 start, end;
	text->GetSelection(&start, &end);
	float x = text->Frame().left + text->PointAt(start).x;

	WYSIWYG_Element* line = up ? text->FirstOnLine() : text->LastOnLine();
	while (true) {
		WYSIWYG_Element* lineFirst;
		WYSIWYG_Element* lineLast;
		if (up) {
			lineLast = line->previous;
			if (lineLast == nullptr)
				return;
			lineFirst = lineLast->FirstOnLine();
			line = lineFirst;
		} else {
			lineFirst = line->next;
			if (lineFirst == nullptr)
				return;
			lineLast = lineFirst->LastOnLine();
			line = lineLast;
		}
		WText* best = nullptr;
		int32 caret = 0;
		for (WYSIWYG_Element* e = lineFirst; e != nullptr; e = e->next) {
			if (WText* candidate = dynamic_cast<WText*>(e)) {
				BRect frame = candidate->Frame();
				if (best != nullptr && x < frame.left)
					break;
				best = candidate;
				float inside = x - frame.left;
				caret = inside <= 0 ? 0 : candidate->OffsetAt(
					BPoint(inside, (frame.bottom - frame.top) / 2));
				if (x <= frame.right)
					break;
			}
			if (e == lineLast)
				break;
		}
		if (best != nullptr) {
			engine->ClearRange();
			FocusAt(best, caret);
			context.current = best;
			return;
		}
	}
}

// Page Up and Page Down: the first text whose bottom lies below the point
// a visible height above or below the current text.
void
KeyPage(KeyContext& context, bool up)
{
	WText* text = context.current;
	WYSIWYG_Engine* engine = text->engine;
	if (engine->view == nullptr)
		return;
	BRect bounds = engine->view->Bounds();
	float height = bounds.bottom - bounds.top;
	float y = text->Frame().top + (up ? -height : height);

	WText* target = nullptr;
	int32 caret = 0;
	if (up) {
		// Back from the current text while texts still reach below y.
		for (WYSIWYG_Element* e = text; e != nullptr; e = e->previous) {
			WText* candidate = dynamic_cast<WText*>(e);
			if (candidate == nullptr)
				continue;
			if (candidate->Frame().bottom <= y)
				break;
			target = candidate;
		}
		if (target == nullptr || target == text)
			target = TextAfter(engine->FirstElement());
		if (target == nullptr)
			target = dynamic_cast<WText*>(engine->FirstElement());
	} else {
		for (WYSIWYG_Element* e = text->next; e != nullptr; e = e->next) {
			WText* candidate = dynamic_cast<WText*>(e);
			if (candidate != nullptr && candidate->Frame().bottom > y) {
				target = candidate;
				break;
			}
		}
		if (target == nullptr) {
			WYSIWYG_Element* last = engine->LastElement();
			target = dynamic_cast<WText*>(last);
			if (target == nullptr && last != nullptr)
				target = TextBefore(last);
			if (target != nullptr)
				caret = target->TextLength();
		}
	}
	if (target == nullptr)
		return;
	engine->ClearRange();
	FocusAt(target, caret);
	context.current = target;
}

void
TypeNonBreakingSpace(KeyContext& context)
{
	WText* text = context.current;
	int32 start, end;
	text->GetSelection(&start, &end);
	if (start < end)
		text->Delete(start, end);
	text->Insert(start, &kNonBreakingSpace, 1);
	text->Select(start + 1, start + 1);
	context.Modified();
}

void
KeySpace(KeyContext& context, const char* byte)
{
	if (context.hasMessage) {
		if (context.Shift())
			TypeNonBreakingSpace(context);
		else
			context.current->BTextView::KeyDown(byte, 1);
	}
	context.Modified();
}

// A link that encloses no text goes with its partner, an item that holds
// no text goes, and a list without items goes with its partner. `before`
// gets the element before each end taken out, in chain order; `indent` is
// set when the lines after them may now be indented differently.
bool
RemoveEmptyLinkOrList(WYSIWYG_Engine* engine, WYSIWYG_Element* element,
	WYSIWYG_Element* before[2], bool* indent)
{
	WYSIWYG_Element* partner = nullptr;
	bool opening = true;
	if (Anchor* anchor = dynamic_cast<Anchor*>(element)) {
		if (anchor->HasText())
			return false;
		partner = anchor->FindOpeningClosing();
		opening = anchor->OpenTAG();
	} else if (List_Element* item = dynamic_cast<List_Element*>(element)) {
		if (item->HasText())
			return false;
		*indent = true;
	} else if (List* list = dynamic_cast<List*>(element)) {
		if (list->HasElements())
			return false;
		partner = list->FindOpeningClosing();
		opening = list->OpenClose();
		// The lines after a list's end took the margin it ends with.
		*indent = true;
	} else
		return false;
	before[0] = element->previous;
	before[1] = nullptr;
	if (partner != nullptr) {
		before[1] = partner->previous;
		if (!opening)
			std::swap(before[0], before[1]);
		// Ends side by side: the one before the pair stands for both.
		if (before[1] == (opening ? element : partner))
			before[1] = before[0];
	}
	WYSIWYG_Element* previous = element->previous;
	engine->Delete(partner);
	engine->Delete(element);
	// What lay in the link or list no longer names it, and the numbered
	// items after a removed one count one less.
	bool linked = previous != nullptr
		&& (previous == engine->FirstElement() || previous->previous != nullptr);
	engine->Do(linked ? previous : nullptr);
	if (linked && partner == nullptr)
		engine->RenumberItems(previous);
	return true;
}

// The elements that Backspace and Delete take out when they meet them next
// to the caret: line breaks, rules and style pairs that enclose no text.
// `before` gets the element before each one taken out, in chain order: the
// other end of a pair may lie lines away from the caret.
bool
RemoveNeighbour(WYSIWYG_Engine* engine, WYSIWYG_Element* element,
	WYSIWYG_Element* before[2], bool* indent)
{
	before[0] = element->previous;
	before[1] = nullptr;
	*indent = false;
	if (dynamic_cast<EndLine*>(element) != nullptr && element->IsTAG()) {
		engine->Delete(element);
		return true;
	}
	if (HorizontalLine* rule = dynamic_cast<HorizontalLine*>(element)) {
		rule->Erase();
		engine->Delete(element);
		return true;
	}
	if (TextChange* change = dynamic_cast<TextChange*>(element)) {
		if (change->HasText())
			return false;
		TextChange* partner = change->FindOpeningClosing();
		if (partner != nullptr) {
			before[1] = partner->previous;
			if (partner->Type() > 0)
				std::swap(before[0], before[1]);
		}
		engine->Delete(partner);
		engine->Delete(element);
		return true;
	}
	return RemoveEmptyLinkOrList(engine, element, before, indent);
}

// Backspace at the start of a text and Delete at its end: the first thing
// met in that direction goes. A text loses its nearest character; a line
// break, a rule, an empty style or link pair, an empty list item or a list
// without items is taken out; a tag that still
// encloses text is passed over to the text beyond it. Empty texts on the
// way are passed over too, so that every press changes something; when
// nothing is left in that direction nothing happens.
void
EraseAcross(KeyContext& context, bool backward)
{
	WText* text = context.current;
	WYSIWYG_Engine* engine = text->engine;
	WYSIWYG_Element* element = backward ? text->previous : text->next;
	while (element != nullptr) {
		if (WText* neighbour = dynamic_cast<WText*>(element)) {
			int32 length = neighbour->TextLength();
			if (length > 0) {
				if (backward) {
					FocusAt(neighbour, length);
					neighbour->Delete(StepBack(neighbour, length), length);
					int32 rest = neighbour->TextLength();
					neighbour->Select(rest, rest);
				} else {
					FocusAt(neighbour, 0);
					neighbour->Delete(0, StepForward(neighbour, 0));
					neighbour->Select(0, 0);
				}
				context.current = neighbour;
				context.Modified();
				return;
			}
		} else {
			WYSIWYG_Element* before[2];
			if (RemoveNeighbour(engine, element, before,
					&context.indentChanged)) {
				context.joinedAt[0] = before[0];
				context.joinedAt[1] = before[1];
				context.Modified();
				return;
			}
		}
		element = backward ? element->previous : element->next;
	}
}

void
KeyBackspace(KeyContext& context, const char* byte)
{
	WText* text = context.current;
	WYSIWYG_Engine* engine = text->engine;
	if (engine->HasRange()) {
		context.current = engine->EraseRange();
		context.Modified();
		return;
	}
	int32 start, end;
	text->GetSelection(&start, &end);
	if (end != 0 || text->previous == nullptr) {
		text->BTextView::KeyDown(byte, 1);
		context.Modified();
		return;
	}
	EraseAcross(context, true);
}

void
KeyDelete(KeyContext& context, const char* byte)
{
	WText* text = context.current;
	WYSIWYG_Engine* engine = text->engine;
	if (context.Control()) {
		text->Cut(be_clipboard);
		context.edited = true;
		return;
	}
	if (engine->HasRange()) {
		context.current = engine->EraseRange();
		context.Modified();
		return;
	}
	int32 start, end;
	text->GetSelection(&start, &end);
	if (start != text->TextLength() || text->next == nullptr) {
		text->BTextView::KeyDown(byte, 1);
		context.Modified();
		return;
	}
	EraseAcross(context, false);
}

void
KeyInsert(KeyContext& context)
{
	if (context.hasMessage && context.Control()) {
		context.current->Copy(be_clipboard);
		return;
	}
	if (context.hasMessage && context.Shift()) {
		context.current->engine->ClearRange();
		context.current->Paste(be_clipboard);
		context.edited = true;
		return;
	}
	context.Modified();
}

void
KeyTab(KeyContext& context)
{
	WText* text = context.current;
	if (text->CurrentList() == nullptr)
		return;
	WYSIWYG_Element* made = text->engine->InsertAt(text, kListItemTag, nullptr);
	// Typing goes on in the new item: in the text made for it, or in the
	// one that followed where it went in.
	WText* next = dynamic_cast<WText*>(made);
	if (next == nullptr && made != nullptr)
		next = dynamic_cast<WText*>(made->next);
	if (next != nullptr) {
		FocusAt(next, 0);
		context.current = next;
	}
	context.Modified();
}

void
KeyEnter(KeyContext& context)
{
	context.current->engine->ClearRange();
	WText* made = context.current->Enter();
	if (made != nullptr) {
		made->MakeFocus(true);
		context.current = made;
	}
	context.Modified();
}

int32
CurrentModifiers(BWindow* window, bool* hasMessage)
{
	BMessage* message = window != nullptr ? window->CurrentMessage() : nullptr;
	*hasMessage = message != nullptr;
	int32 modifiers = 0;
	if (message != nullptr && message->FindInt32("modifiers", &modifiers) != B_OK)
		modifiers = 0;
	return modifiers;
}

// Whether element is still linked into its engine's chain.
bool
InChain(WYSIWYG_Element* element)
{
	return element != nullptr && element->engine != nullptr
		&& (element == element->engine->FirstElement()
			|| element->previous != nullptr);
}

}	// namespace

void
WText::KeyDown(const char* bytes, int32 numBytes)
{
	int32 length = TextLength();
	int32 start, end;
	GetSelection(&start, &end);
	if (end > length)
		Select(length, length);
	if (numBytes < 1 || engine == nullptr)
		return;
	ScrollToSelection();

	KeyContext context;
	context.current = this;
	context.modifiers = CurrentModifiers(Window(), &context.hasMessage);
	context.edited = false;
	context.joinedAt[0] = context.joinedAt[1] = nullptr;
	context.indentChanged = false;
	context.page = GetPage();

	int32 i = 0;
	while (i < numBytes) {
		if (!IsTableKey(bytes[i])) {
			int32 runEnd = i;
			while (runEnd < numBytes && !IsTableKey(bytes[runEnd]))
				runEnd++;
			WText* text = context.current;
			int32 before = text->fEdits;
			for (int32 k = i; k < runEnd;) {
				int32 size = Utf8Length(bytes + k, runEnd - k);
				if (text->fEdits == before)
					engine->ClearRange();
				text->BTextView::KeyDown(bytes + k, size);
				k += size;
			}
			if (text->fEdits != before)
				context.Modified();
			i = runEnd;
			continue;
		}
		const char* byte = bytes + i;
		switch ((uchar)bytes[i]) {
			case B_HOME: KeyHome(context); break;
			case B_END: KeyEnd(context); break;
			case B_INSERT: KeyInsert(context); break;
			case B_BACKSPACE: KeyBackspace(context, byte); break;
			case B_TAB: KeyTab(context); break;
			case B_ENTER: KeyEnter(context); break;
			case B_PAGE_UP: KeyPage(context, true); break;
			case B_PAGE_DOWN: KeyPage(context, false); break;
			case B_LEFT_ARROW: KeyLeftRight(context, true); break;
			case B_RIGHT_ARROW: KeyLeftRight(context, false); break;
			case B_UP_ARROW: KeyUpDown(context, true); break;
			case B_DOWN_ARROW: KeyUpDown(context, false); break;
			case ' ':
				engine->ClearRange();
				KeySpace(context, byte);
				break;
			case B_DELETE: KeyDelete(context, byte); break;
			case kNonBreakingSpace:
				engine->ClearRange();
				TypeNonBreakingSpace(context);
				break;
		}
		i++;
	}

	// Lay out again around the text that holds the caret now (the one
	// that got the key may have been taken into its neighbour).
	WText* holder = InChain(context.current) ? context.current
		: InChain(this) ? this : nullptr;
	if (holder == nullptr)
		return;
	if (context.edited) {
		// Every line between the two ends of a range taken out lost its
		// look; a hard break between them ends no layout early.
		WYSIWYG_Element* from = context.joinedAt[0];
		WYSIWYG_Element* to = context.joinedAt[1];
		if (from != to && InChain(from) && InChain(to))
			engine->PlaceListLines(from, to);
		for (WYSIWYG_Element* joined : context.joinedAt) {
			if (!InChain(joined))
				continue;
			if (context.indentChanged)
				engine->PlaceListLines(joined);
			else
				engine->Place(joined, false);
		}
		engine->PlaceText(holder);
	}
	if (InChain(holder))
		holder->ScrollToSelection();
}
