/*
 * BTextView: keyboard, mouse, focus and caret blinking.
 */
#include <TextView.h>

#include <Message.h>
#include <Window.h>

#include "TextEncoding.h"
#include "TextLayout.h"
#include "TextStorage.h"
#include "TextStyleRuns.h"

#include <ctype.h>
#include <string>

using namespace BPrivate;


// The character a key message types: its bytes are the UTF-8 of one
// character, as on BeOS. -1 when they are not.
static int32
typed_character(const char* bytes, int32 numBytes)
{
	const uint8* b = (const uint8*)bytes;
	if (utf8_char_length(b, numBytes) != numBytes)
		return -1;
	if (numBytes > 1)
		return (int32)utf8_decode(b, numBytes);
	return b[0] < 0x80 ? b[0] : -1;
}


static bool
is_word_character(uint32 code)
{
	// Letters of Latin-1 and beyond count, except x and / signs.
	return (code < 0x80 && (isalnum((int)code) || code == '_'))
		|| (code >= 0xc0 && code != 0xd7 && code != 0xf7);
}


uint32
BTextView::_CharacterAt(int32 offset, int32* end) const
{
	*end = fParts->layout.CharEnd(offset);
	if (*end <= offset)
		return 0;
	uint32 codes[2];
	int32 count;
	fParts->styles.StyleAt(offset).metrics->characters->Character(
		fParts->text.RangePointer(offset, *end), *end - offset, codes, &count);
	return codes[0];
}


uint32
BTextView::_CharacterBefore(int32 offset, int32* start) const
{
	*start = PreviousCharacter(offset);
	int32 end;
	return *start < offset ? _CharacterAt(*start, &end) : 0;
}


// Back from offset over characters that are (not) word characters.
int32
BTextView::_SkipBack(int32 offset, bool word) const
{
	while (offset > 0) {
		int32 start;
		uint32 code = _CharacterBefore(offset, &start);
		if (is_word_character(code) != word)
			break;
		offset = start;
	}
	return offset;
}


int32
BTextView::_SkipForward(int32 offset, bool word) const
{
	int32 length = fParts->text.Length();
	while (offset < length) {
		int32 end;
		uint32 code = _CharacterAt(offset, &end);
		if (is_word_character(code) != word)
			break;
		offset = end;
	}
	return offset;
}


uint32
BTextView::_CurrentModifiers() const
{
	BMessage* message = Window() != NULL ? Window()->CurrentMessage() : NULL;
	int32 mods;
	if (message != NULL && message->FindInt32("modifiers", &mods) == B_OK)
		return (uint32)mods;
	return modifiers();
}


void
BTextView::KeyDown(const char* bytes, int32 numBytes)
{
	if (bytes == NULL || numBytes <= 0)
		return;
	uint32 mods = _CurrentModifiers();
	uint8 key = (uint8)bytes[0];

	switch (key) {
		case B_BACKSPACE:
			if (fEditable)
				_HandleBackspace(mods);
			break;
		case B_DELETE:
			if (fEditable)
				_HandleDelete(mods);
			break;
		case B_LEFT_ARROW:
		case B_RIGHT_ARROW:
		case B_UP_ARROW:
		case B_DOWN_ARROW:
			_HandleArrowKey(key, mods);
			break;
		case B_HOME:
		case B_END:
			_HandleHomeEnd(key, mods);
			break;
		case B_PAGE_UP:
		case B_PAGE_DOWN:
			_HandlePageKey(key, mods);
			break;
		case B_ESCAPE:
		case B_INSERT:
		case B_FUNCTION_KEY:
			BView::KeyDown(bytes, numBytes);
			break;
		default:
			if (fEditable && (mods & B_COMMAND_KEY) == 0)
				_HandleAlphaKey(bytes, numBytes);
			else
				BView::KeyDown(bytes, numBytes);
			break;
	}
}


void
BTextView::_HandleAlphaKey(const char* bytes, int32 numBytes)
{
	int32 character = typed_character(bytes, numBytes);
	if (character < 0)
		return;
	// Control bytes other than line end and tab type nothing.
	if (character < 0x20 && character != '\n' && character != '\t')
		return;
	if (fRare != NULL) {
		for (uint32 disallowed : fRare->disallowedChars) {
			if (disallowed == (uint32)character)
				return;
		}
	}

	std::string typed = _FromUTF8(bytes, numBytes, INT32_MAX);
	if (typed.empty())
		return;
	if (character == '\n' && fAutoindent) {
		// The new line starts with the blanks the current one starts with.
		int32 start = fParts->layout.LineAt(fParts->layout.LineOf(fSelStart)).offset;
		for (int32 i = start; i < fSelStart; i++) {
			char byte = fParts->text.ByteAt(i);
			if (byte != ' ' && byte != '\t')
				break;
			typed += byte;
		}
	}
	int32 room = fMaxBytes - (fParts->text.Length() - (fSelEnd - fSelStart));
	if ((int32)typed.size() > room)
		return;

	_HideCaret();
	_ReplaceSelection(typed.data(), (int32)typed.size(), NULL, B_UNDO_TYPING);
	fCaretVisible = true;
}


void
BTextView::_HandleBackspace(uint32 mods)
{
	int32 from = fSelStart;
	int32 to = fSelEnd;
	if (from == to) {
		if (from == 0)
			return;
		if ((mods & (B_CONTROL_KEY | B_OPTION_KEY)) != 0) {
			// A whole word back, with what separates it from the caret.
			from = _SkipBack(_SkipBack(from, false), true);
		} else
			from = PreviousCharacter(from);
	}
	_BeginEdit(B_UNDO_TYPING);
	_DoDelete(from, to);
	fSelStart = fSelEnd = fAnchor = from < fParts->text.Length() ? from : fParts->text.Length();
	_EndEdit();
	ScrollToOffset(fSelStart);
	_UpdateScrollBars();
}


void
BTextView::_HandleDelete(uint32 mods)
{
	int32 from = fSelStart;
	int32 to = fSelEnd;
	if (from == to) {
		if (from >= fParts->text.Length())
			return;
		if ((mods & (B_CONTROL_KEY | B_OPTION_KEY)) != 0)
			to = _SkipForward(_SkipForward(to, false), true);
		else
			to = NextCharacter(to);
	}
	_BeginEdit(B_UNDO_TYPING);
	_DoDelete(from, to);
	fSelStart = fSelEnd = fAnchor = from < fParts->text.Length() ? from : fParts->text.Length();
	_EndEdit();
	ScrollToOffset(fSelStart);
	_UpdateScrollBars();
}


// Moves the caret, or with extend the free end of the selection (the one
// away from the anchor), to offset.
void
BTextView::_MoveCaret(int32 offset, bool extend)
{
	int32 length = fParts->text.Length();
	if (offset < 0)
		offset = 0;
	if (offset > length)
		offset = length;
	if (!extend) {
		Select(offset, offset);
		fAnchor = offset;
	} else {
		int32 anchor = fAnchor;
		if (anchor < offset)
			Select(anchor, offset);
		else
			Select(offset, anchor);
		fAnchor = anchor;
	}
	fCaretVisible = true;
	ScrollToOffset(offset);
}


void
BTextView::_HandleArrowKey(uint32 key, uint32 mods)
{
	if (!fSelectable)
		return;
	bool extend = (mods & B_SHIFT_KEY) != 0;
	bool byWord = (mods & (B_CONTROL_KEY | B_OPTION_KEY)) != 0;
	if (fSelStart == fSelEnd || !extend) {
		if (fSelStart == fSelEnd)
			fAnchor = fSelStart;
	}
	// The free end of the selection.
	int32 end = fAnchor == fSelStart ? fSelEnd : fSelStart;
	float goalX = fGoalX;

	int32 target = end;
	switch (key) {
		case B_LEFT_ARROW:
			if (!extend && fSelStart != fSelEnd) {
				target = fSelStart;
			} else if (byWord) {
				target = _SkipBack(_SkipBack(end, false), true);
			} else {
				target = PreviousCharacter(end);
			}
			break;
		case B_RIGHT_ARROW:
			if (!extend && fSelStart != fSelEnd) {
				target = fSelEnd;
			} else if (byWord) {
				target = _SkipForward(_SkipForward(end, false), true);
			} else {
				target = NextCharacter(end);
			}
			break;
		case B_UP_ARROW:
			target = _NextOffsetOnLine(end, -1, &goalX);
			break;
		case B_DOWN_ARROW:
			target = _NextOffsetOnLine(end, 1, &goalX);
			break;
	}
	_MoveCaret(target, extend);
	if (key == B_UP_ARROW || key == B_DOWN_ARROW)
		fGoalX = goalX;
	else
		fGoalX = -1;
}


// The offset lineDelta lines away from offset, as near as can be to the
// remembered horizontal position (set from offset when there is none).
int32
BTextView::_NextOffsetOnLine(int32 offset, int32 lineDelta, float* goalX)
{
	int32 line = fParts->layout.LineOf(offset);
	if (*goalX < 0)
		*goalX = fParts->layout.XOf(offset) + _AlignmentOffset(line);
	int32 target = line + lineDelta;
	if (target < 0)
		return 0;
	if (target >= fParts->layout.CountLines())
		return fParts->text.Length();
	return fParts->layout.OffsetAtX(target, *goalX - _AlignmentOffset(target));
}


void
BTextView::_HandleHomeEnd(uint32 key, uint32 mods)
{
	if (!fSelectable)
		return;
	bool extend = (mods & B_SHIFT_KEY) != 0;
	if (fSelStart == fSelEnd)
		fAnchor = fSelStart;
	int32 end = fAnchor == fSelStart ? fSelEnd : fSelStart;
	int32 target;
	if ((mods & (B_CONTROL_KEY | B_COMMAND_KEY)) != 0) {
		target = key == B_HOME ? 0 : fParts->text.Length();
	} else {
		int32 line = fParts->layout.LineOf(end);
		target = key == B_HOME ? fParts->layout.LineAt(line).offset : fParts->layout.LineEnd(line);
	}
	_MoveCaret(target, extend);
	fGoalX = -1;
}


void
BTextView::_HandlePageKey(uint32 key, uint32 mods)
{
	if (!fSelectable)
		return;
	bool extend = (mods & B_SHIFT_KEY) != 0;
	if (fSelStart == fSelEnd)
		fAnchor = fSelStart;
	int32 end = fAnchor == fSelStart ? fSelEnd : fSelStart;

	// A page is the visible height; the caret keeps its place on screen.
	float page = Bounds().Height() + 1;
	float height;
	BPoint point = PointAt(end, &height);
	float goalX = fGoalX >= 0 ? fGoalX + fTextRect.left : point.x;
	float y = point.y + (key == B_PAGE_UP ? -page : page) + height / 2;
	int32 target;
	if (y < fTextRect.top)
		target = 0;
	else if (y >= fTextRect.top + fParts->layout.TotalHeight())
		target = fParts->text.Length();
	else
		target = OffsetAt(BPoint(goalX, y));

	if (Window() != NULL) {
		BRect bounds = Bounds();
		float max = fTextRect.top + fParts->layout.TotalHeight() + fBottomInset - page;
		float top = bounds.top + (key == B_PAGE_UP ? -page : page);
		if (top > max)
			top = max;
		if (top < 0)
			top = 0;
		ScrollTo(bounds.left, top);
	}
	_MoveCaret(target, extend);
	fGoalX = goalX - fTextRect.left;
}


// #pragma mark - mouse


void
BTextView::MouseDown(BPoint where)
{
	if (!fSelectable) {
		BView::MouseDown(where);
		return;
	}
	if (!IsFocus())
		MakeFocus(true);

	BMessage* message = Window() != NULL ? Window()->CurrentMessage() : NULL;
	int32 clicks;
	if (message == NULL || message->FindInt32("clicks", &clicks) != B_OK)
		clicks = 1;
	uint32 mods = _CurrentModifiers();
	int32 offset = OffsetAt(where);

	_Rare()->clickCount = clicks;
	if (clicks == 2) {
		int32 from;
		int32 to;
		FindWord(offset, &from, &to);
		Select(from, to);
		fAnchor = from;
		_Rare()->clickOffset = from;
	} else if (clicks >= 3) {
		int32 line = LineAt(offset);
		int32 from = OffsetAt(line);
		int32 to = OffsetAt(line + 1);
		Select(from, to);
		fAnchor = from;
		_Rare()->clickOffset = from;
	} else if ((mods & B_SHIFT_KEY) != 0) {
		if (fSelStart == fSelEnd)
			fAnchor = fSelStart;
		_MoveCaret(offset, true);
		_Rare()->clickOffset = fAnchor;
	} else {
		Select(offset, offset);
		fAnchor = offset;
		_Rare()->clickOffset = offset;
	}
	fGoalX = -1;
	fTracking = true;
	SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
}


void
BTextView::MouseMoved(BPoint where, uint32 code, const BMessage* dragMessage)
{
	if (!fTracking) {
		BView::MouseMoved(where, code, dragMessage);
		return;
	}
	BMessage* message = Window() != NULL ? Window()->CurrentMessage() : NULL;
	int32 buttons = 1;
	if (message != NULL && message->FindInt32("buttons", &buttons) == B_OK
		&& buttons == 0) {
		// The button went up where we could not see it.
		fTracking = false;
		return;
	}
	_TrackMouse(where);
}


void
BTextView::MouseUp(BPoint where)
{
	if (fTracking) {
		_TrackMouse(where);
		fTracking = false;
	}
	BView::MouseUp(where);
}


void
BTextView::_TrackMouse(BPoint where)
{
	int32 offset = OffsetAt(where);
	int32 anchor = _Rare()->clickOffset;
	int32 from = anchor < offset ? anchor : offset;
	int32 to = anchor < offset ? offset : anchor;
	if (_Rare()->clickCount == 2) {
		// Word by word.
		int32 wordFrom;
		int32 wordTo;
		FindWord(from, &wordFrom, &wordTo);
		from = wordFrom;
		FindWord(to, &wordFrom, &wordTo);
		if (to > wordFrom)
			to = wordTo;
		int32 anchorFrom;
		int32 anchorTo;
		FindWord(anchor, &anchorFrom, &anchorTo);
		if (to < anchorTo)
			to = anchorTo;
	} else if (_Rare()->clickCount >= 3) {
		from = OffsetAt(LineAt(from));
		to = OffsetAt(LineAt(to) + 1);
	}
	Select(from, to);
	fAnchor = anchor;
	ScrollToOffset(offset);
}


void
BTextView::FindWord(int32 offset, int32* fromOffset, int32* toOffset)
{
	int32 length = fParts->text.Length();
	if (offset < 0)
		offset = 0;
	if (offset > length)
		offset = length;
	offset = _CharFloor(offset);
	// A click on a blank or punctuation selects the run of such characters;
	// a click on a word selects the word. Line ends stand alone.
	int32 from = offset;
	int32 to = offset;
	int32 ignored;
	uint32 code = offset < length ? _CharacterAt(offset, &ignored)
		: _CharacterBefore(offset, &ignored);
	if (code == '\n') {
		if (offset < length)
			to = offset + 1;
	} else {
		bool word = is_word_character(code);
		while (from > 0) {
			int32 start;
			uint32 previous = _CharacterBefore(from, &start);
			if (previous == '\n' || is_word_character(previous) != word)
				break;
			from = start;
		}
		while (to < length) {
			int32 end;
			uint32 next = _CharacterAt(to, &end);
			if (next == '\n' || is_word_character(next) != word)
				break;
			to = end;
		}
	}
	if (fromOffset != NULL)
		*fromOffset = from;
	if (toOffset != NULL)
		*toOffset = to;
}


bool
BTextView::CanEndLine(int32 offset)
{
	uint8 byte = (uint8)fParts->text.ByteAt(offset);
	return byte == ' ' || byte == '\t' || byte == '\n';
}


// #pragma mark - focus and caret


void
BTextView::MakeFocus(bool focusState)
{
	bool was = IsFocus();
	BView::MakeFocus(focusState);
	if (was == IsFocus())
		return;
	fCaretVisible = true;
	if (Window() != NULL) {
		// The selection changes its colour with the focus, and the caret
		// comes or goes.
		if (fSelStart == fSelEnd)
			_InvalidateCaret();
		else
			_InvalidateRange(fSelStart, fSelEnd);
	}
}


void
BTextView::WindowActivated(bool state)
{
	BView::WindowActivated(state);
	fActive = state;
	if (IsFocus() && Window() != NULL) {
		if (fSelStart == fSelEnd)
			_InvalidateCaret();
		else
			_InvalidateRange(fSelStart, fSelEnd);
	}
}


void
BTextView::Pulse()
{
	BView::Pulse();
	if (!IsFocus() || !fActive || !fEditable || fSelStart != fSelEnd)
		return;
	if (fCaretVisible)
		_HideCaret();
	else
		_ShowCaret();
}
