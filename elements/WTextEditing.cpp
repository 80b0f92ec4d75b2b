// Keyboard, focus and scrolling of a text element. Ordinary bytes are typed
// by the text view itself (through the insertion rule); the keys that cross
// element boundaries are handled here, and the changed lines are laid out
// again when the key has been handled.

#include "WText.h"

#include <InterfaceDefs.h>
#include <Message.h>
#include <Window.h>

#include "EndLine.h"
#include "Page.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

namespace {

bool
IsHandledKey(char byte)
{
	switch ((uchar)byte) {
		case B_BACKSPACE:
		case B_ENTER:
		case B_LEFT_ARROW:
		case B_RIGHT_ARROW:
		case B_DELETE:
		case ' ':
			return true;
	}
	return false;
}

// Bytes of the UTF-8 character at bytes (1 for a byte that begins none).
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

// Takes the last character of a text away and puts the caret at its end.
void
DeleteLastCharacter(WText* text)
{
	int32 length = text->TextLength();
	if (length > 0)
		text->Delete(text->PreviousCharacter(length), length);
	length = text->TextLength();
	text->Select(length, length);
}

// Takes the first character of a text away and puts the caret at its start.
void
DeleteFirstCharacter(WText* text)
{
	if (text->TextLength() > 0)
		text->Delete(0, text->NextCharacter(0));
	text->Select(0, 0);
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

}	// namespace

void
WText::KeyDown(const char* bytes, int32 numBytes)
{
	int32 length = TextLength();
	int32 start, end;
	GetSelection(&start, &end);
	if (end > length)
		Select(length, length);
	if (numBytes < 1)
		return;
	ScrollToSelection();

	Page* page = GetPage();
	WText* current = this;
	int32 i = 0;
	while (i < numBytes) {
		if (!IsHandledKey(bytes[i])) {
			int32 runEnd = i;
			while (runEnd < numBytes && !IsHandledKey(bytes[runEnd]))
				runEnd++;
			// The text view types one character per call; key bytes are
			// UTF-8, so a character may be several of them.
			for (int32 k = i; k < runEnd;) {
				int32 length = Utf8Length(bytes + k, runEnd - k);
				current->BTextView::KeyDown(bytes + k, length);
				k += length;
			}
			if (page != nullptr)
				page->NotSaved();
			i = runEnd;
			continue;
		}
		bool hasMessage;
		int32 modifiers = CurrentModifiers(Window(), &hasMessage);
		switch ((uchar)bytes[i]) {
			case ' ':
				if (!hasMessage)
					break;
				if ((modifiers & B_SHIFT_KEY) != 0) {
					// Not a printable key for the text view: put in at the
					// caret, in place of the selection.
					int32 s, e;
					current->GetSelection(&s, &e);
					if (s < e)
						current->Delete(s, e);
					current->Insert(s, &kNonBreakingSpace, 1);
					current->Select(s + 1, s + 1);
				} else
					current->BTextView::KeyDown(bytes + i, 1);
				break;
			case B_ENTER:
				current = current->Enter();
				if (current != nullptr)
					current->MakeFocus(true);
				else
					current = this;
				break;
			case B_BACKSPACE:
			{
				int32 s, e;
				current->GetSelection(&s, &e);
				WYSIWYG_Element* before = current->previous;
				if (e != 0 || before == nullptr) {
					current->BTextView::KeyDown(bytes + i, 1);
				} else if (WText* text = dynamic_cast<WText*>(before)) {
					text->MakeFocus(true);
					DeleteLastCharacter(text);
				} else if (dynamic_cast<EndLine*>(before) != nullptr) {
					engine->Delete(before);
				} else if (WText* text = current->FindPreviousText()) {
					text->MakeFocus(true);
					DeleteLastCharacter(text);
				}
				break;
			}
			case B_DELETE:
			{
				int32 s, e;
				current->GetSelection(&s, &e);
				WYSIWYG_Element* after = current->next;
				if (s != current->TextLength() || after == nullptr) {
					current->BTextView::KeyDown(bytes + i, 1);
				} else if (WText* text = dynamic_cast<WText*>(after)) {
					text->MakeFocus(true);
					DeleteFirstCharacter(text);
				} else if (dynamic_cast<EndLine*>(after) != nullptr) {
					engine->Delete(after);
				} else if (WText* text = current->FindNextText()) {
					text->MakeFocus(true);
					DeleteFirstCharacter(text);
				}
				break;
			}
			case B_LEFT_ARROW:
			{
				int32 s, e;
				GetSelection(&s, &e);
				if (s != 0) {
					if (hasMessage) {
						int32 step = PreviousCharacter(s);
						if ((modifiers & B_SHIFT_KEY) != 0)
							Select(step, e);
						else
							Select(step, step);
					}
				} else if (previous != nullptr) {
					if (WText* text = FindPreviousText()) {
						int32 l = text->TextLength();
						text->Select(l, l);
						text->MakeFocus(true);
					}
				}
				break;
			}
			case B_RIGHT_ARROW:
			{
				int32 s, e;
				GetSelection(&s, &e);
				if (s != TextLength()) {
					if (hasMessage) {
						if ((modifiers & B_SHIFT_KEY) != 0)
							Select(s, NextCharacter(e));
						else
							Select(NextCharacter(s), NextCharacter(s));
					}
				} else if (next != nullptr) {
					if (WText* text = FindNextText()) {
						text->Select(0, 0);
						text->MakeFocus(true);
					}
				}
				break;
			}
		}
		if (page != nullptr && (uchar)bytes[i] != B_LEFT_ARROW
			&& (uchar)bytes[i] != B_RIGHT_ARROW)
			page->NotSaved();
		i++;
	}

	if (engine == nullptr)
		return;
	if (previous == nullptr)
		engine->Place(this, false);
	else {
		WYSIWYG_Element* before = previous;
		engine->Place(before, false);
		if (before->BreakAfter() != 0
			|| (before->LeftMargin() != 0 && LeftMargin() == 0))
			engine->Place(this, false);
	}
}

WText*
WText::Enter()
{
	int32 start, end;
	GetSelection(&start, &end);
	if (start < end) {
		Delete(start, end);
		Select(start, start);
	}
	int32 caret = start;
	int32 length = TextLength();
	WText* result = this;
	if (engine == nullptr)
		return this;
	if (caret > 0 && caret < length) {
		WText* added = engine->SplitText(this, caret, false);
		engine->InsertAt(this, 13, nullptr);
		if (added != nullptr)
			result = added;
	} else if (caret == 0 && length > 0 && this != engine->FirstElement()) {
		dontJoin = true;
		engine->InsertAt(previous, 13, nullptr);
		dontJoin = false;
		result = this;
	} else {
		WYSIWYG_Element* made = engine->InsertAt(this, 13, nullptr);
		WText* text = dynamic_cast<WText*>(made);
		if (text == nullptr && made != nullptr)
			text = dynamic_cast<WText*>(engine->InsertAt(made, 1, nullptr));
		if (text != nullptr)
			result = text;
	}
	engine->Place(this, false);
	if (next != nullptr)
		engine->Place(next, false);
	engine->ResetScrollRange();
	return result;
}

void
WText::MouseDown(BPoint where)
{
	BTextView::MouseDown(where);
}

void
WText::MakeFocus(bool focus)
{
	if (!LockLooper())
		return;
	BTextView::MakeFocus(focus);
	Invalidate(Bounds());
	if (focus)
		ScrollToSelection();
	else {
		int32 start, end;
		GetSelection(&start, &end);
		Select(end, end);
	}
	UnlockLooper();
}

void
WText::ScrollToSelection()
{
	if (engine == nullptr || engine->view == nullptr)
		return;
	BView* main = engine->view;
	BRect bounds = main->Bounds();
	float h = bounds.bottom - bounds.top;
	float bottom = LineBottom() + 2.0f;
	float top = LineTop() - 2.0f;
	// Compared with the visible part of the page, so that a line that is
	// already in view does not move.
	if (top < bounds.top) {
		float y = bottom - 0.88f * h;
		main->ScrollTo(BPoint(bounds.left, y < 0 ? 0 : y));
	} else if (bottom > bounds.bottom)
		main->ScrollTo(BPoint(bounds.left, bottom - 0.12f * h));
}
