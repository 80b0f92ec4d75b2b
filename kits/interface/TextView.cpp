/*
 * BTextView: construction, the text and its hooks, selection, styles and
 * settings. Input lives in TextViewInput.cpp, clipboard and undo in
 * TextViewEdit.cpp, drawing and geometry in TextViewDraw.cpp.
 */
#include <TextView.h>

#include <File.h>
#include <Window.h>

#include "TextLayout.h"
#include "TextStorage.h"
#include "TextStyleRuns.h"
#include "TextUndo.h"

#include <math.h>
#include <new>
#include <stdlib.h>
#include <string.h>

using namespace BPrivate;


static TextStyle
make_style(const BFont* font, const rgb_color* color)
{
	TextStyle style;
	style.metrics = text_font_metrics(font != NULL ? *font : *be_plain_font);
	style.color = color != NULL ? *color : make_color(0, 0, 0);
	return style;
}




BTextView::BTextView(BRect frame, const char* name, BRect textRect,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_FRAME_EVENTS | B_PULSE_NEEDED)
{
	_Init(textRect, NULL, NULL);
}


BTextView::BTextView(BRect frame, const char* name, BRect textRect,
	const BFont* initialFont, const rgb_color* initialColor,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_FRAME_EVENTS | B_PULSE_NEEDED)
{
	_Init(textRect, initialFont, initialColor);
}


BTextView::~BTextView()
{
	delete fParts;
	if (fRare != NULL) {
		delete fRare->undo;
		delete fRare->nullStyle;
		delete fRare;
	}
}


BTextView::Rare::Rare()
	:
	undo(NULL),
	nullStyle(NULL),
	containerView(NULL),
	clickOffset(0),
	clickCount(0),
	colorSpace(B_CMAP8)
{
}


BTextView::Rare*
BTextView::_Rare()
{
	if (fRare == NULL)
		fRare = new Rare;
	return fRare;
}


void
BTextView::_Init(BRect textRect, const BFont* font, const rgb_color* color)
{
	fParts = new TextViewParts(make_style(font, color));
	// The undo buffer and the rest of the rare part come when first
	// needed: most text views of a page are never edited.
	fRare = NULL;

	fTextRect = textRect;
	BRect bounds = Bounds();
	fLeftInset = textRect.left - bounds.left;
	fTopInset = textRect.top - bounds.top;
	fRightInset = bounds.right - textRect.right;
	fBottomInset = bounds.bottom - textRect.bottom;
	if (fLeftInset < 0)
		fLeftInset = 0;
	if (fTopInset < 0)
		fTopInset = 0;
	if (fRightInset < 0)
		fRightInset = 0;
	if (fBottomInset < 0)
		fBottomInset = 0;

	fSelStart = fSelEnd = fAnchor = 0;
	fGoalX = -1;
	fTracking = false;
	fCaretVisible = true;
	fActive = true;
	fEditable = true;
	fSelectable = true;
	fStylable = false;
	fWrap = true;
	fResizable = false;
	fAutoindent = false;
	fTypingHidden = false;
	fUndoEnabled = false;
	fScrollBarsStale = true;
	fAlignment = B_ALIGN_LEFT;
	fTabWidth = 28.0f;
	fMaxBytes = INT32_MAX;
	fReferencePrefix = 0;

	fParts->layout.SetTabWidth(fTabWidth);
	_LayoutChanged();
}


TextLayout*
BTextView::_Layout() const
{
	return &fParts->layout;
}


// #pragma mark - the hooks


void
BTextView::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	if (text == NULL || length <= 0)
		return;
	int32 textLength = fParts->text.Length();
	if (offset < 0)
		offset = 0;
	if (offset > textLength)
		offset = textLength;

	TextStyle style = _InsertionStyle(offset);
	if (!fParts->text.Insert(offset, text, length))
		return;
	fParts->styles.Inserted(offset, length, style);
	if (fStylable && runs != NULL && runs->count > 0) {
		for (int32 i = 0; i < runs->count; i++) {
			int32 from = i == 0 ? 0 : runs->runs[i].offset;
			int32 to = i + 1 < runs->count ? runs->runs[i + 1].offset : length;
			if (from < 0)
				from = 0;
			if (to > length)
				to = length;
			if (from < to) {
				fParts->styles.SetStyle(offset + from, offset + to,
					make_style(&runs->runs[i].font, &runs->runs[i].color));
			}
		}
	}
	fParts->layout.TextChanged(offset, 0, length);

	if (offset <= fSelStart)
		fSelStart += length;
	if (offset <= fSelEnd)
		fSelEnd += length;
	if (offset <= fAnchor)
		fAnchor += length;

	if (_Undo() != NULL && _Undo()->IsRecording())
		_Undo()->AddInsert(offset, text, length);

	_TextChanged();
}


const TextStyle&
BTextView::_InsertionStyle(int32 offset) const
{
	// New bytes take the style given for them, the style chosen for the
	// next typing, or that of the byte before them.
	if (_NullStyle() != NULL && fStylable)
		return *_NullStyle();
	if (fStylable && offset > 0)
		return fParts->styles.StyleAt(offset - 1);
	return fParts->styles.StyleAt(0);
}


void
BTextView::DeleteText(int32 fromOffset, int32 toOffset)
{
	int32 textLength = fParts->text.Length();
	if (fromOffset < 0)
		fromOffset = 0;
	if (toOffset > textLength)
		toOffset = textLength;
	if (fromOffset >= toOffset)
		return;

	int32 length = toOffset - fromOffset;
	if (_Undo() != NULL && _Undo()->IsRecording()) {
		text_run_array* runs = fStylable
			? RunArray(fromOffset, toOffset) : NULL;
		_Undo()->AddDelete(fromOffset, fParts->text.RangePointer(fromOffset, toOffset),
			length, runs);
	}

	fParts->text.Remove(fromOffset, toOffset);
	fParts->styles.Removed(fromOffset, toOffset);
	fParts->layout.TextChanged(fromOffset, length, 0);

	int32* marks[] = { &fSelStart, &fSelEnd, &fAnchor };
	for (int32* mark : marks) {
		if (*mark >= toOffset)
			*mark -= length;
		else if (*mark > fromOffset)
			*mark = fromOffset;
	}

	_TextChanged();
}


void
BTextView::_TextChanged()
{
	// Kept cheap: the lines are fixed up when first asked for, so that a
	// long run of small edits costs one re-break.
	fScrollBarsStale = true;
	fGoalX = -1;
	if (fResizable)
		_AutoResize();
	if (Window() != NULL)
		Invalidate();
}


bool
BPrivate::move_text_tail(BTextView* from, int32 offset, BTextView* to,
	float width)
{
	if (from == NULL || to == NULL || from == to || to->fParts->text.Length() != 0)
		return false;
	int32 length = from->fParts->text.Length();
	if (offset < 0)
		offset = 0;
	if (offset >= length)
		return false;
	int32 moved = length - offset;

	// The style the bytes would take when inserted into `to`.
	TextStyle style = to->_NullStyle() != NULL && to->fStylable
		? *to->_NullStyle() : to->fParts->styles.StyleAt(0);
	if (!from->fParts->text.MoveTail(offset, &to->fParts->text))
		return false;
	from->_DiscardUndo();
	to->_DiscardUndo();

	// `from` as after DeleteText(offset, length).
	from->fParts->styles.Removed(offset, length);
	from->fParts->layout.TextChanged(offset, moved, 0);
	int32* fromMarks[] = { &from->fSelStart, &from->fSelEnd, &from->fAnchor };
	for (int32* mark : fromMarks) {
		if (*mark >= length)
			*mark -= moved;
		else if (*mark > offset)
			*mark = offset;
	}
	from->_TextChanged();

	// `to` as after InsertText() at 0. Its lines are broken when they are
	// first asked for, not now.
	to->fParts->styles.Inserted(0, moved, style);
	to->fParts->layout.InvalidateAll();
	int32* toMarks[] = { &to->fSelStart, &to->fSelEnd, &to->fAnchor };
	for (int32* mark : toMarks) {
		if (*mark >= 0)
			*mark += moved;
	}
	to->fScrollBarsStale = true;
	to->fGoalX = -1;
	if (to->fResizable)
		to->_AutoResizeTo(width >= 0 ? width : to->fParts->layout.MaxWidth());
	if (to->Window() != NULL)
		to->Invalidate();
	return true;
}


// #pragma mark - text


void
BTextView::SetText(const char* text, const text_run_array* runs)
{
	SetText(text, text != NULL ? (int32)strlen(text) : 0, runs);
}


void
BTextView::SetText(const char* text, int32 length, const text_run_array* runs)
{
	if (text == NULL || length < 0)
		length = 0;
	_DiscardUndo();
	if (fParts->text.Length() > 0)
		DeleteText(0, fParts->text.Length());
	if (length > 0)
		InsertText(text, length, 0, runs);
	fSelStart = fSelEnd = fAnchor = 0;
	if (Window() != NULL) {
		ScrollTo(0, 0);
		_UpdateScrollBars();
	}
}


void
BTextView::SetText(BFile* file, int32 offset, int32 length,
	const text_run_array* runs)
{
	if (file == NULL || offset < 0 || length <= 0) {
		SetText("", 0, runs);
		return;
	}
	char* buffer = new (std::nothrow) char[length];
	if (buffer == NULL)
		return;
	ssize_t read = file->ReadAt(offset, buffer, length);
	SetText(buffer, read > 0 ? (int32)read : 0, runs);
	delete[] buffer;
}


void
BTextView::Insert(const char* text, const text_run_array* runs)
{
	Insert(fSelStart, text, text != NULL ? (int32)strlen(text) : 0, runs);
}


void
BTextView::Insert(const char* text, int32 length, const text_run_array* runs)
{
	Insert(fSelStart, text, length, runs);
}


void
BTextView::Insert(int32 offset, const char* text, int32 length,
	const text_run_array* runs)
{
	if (text == NULL || length <= 0)
		return;
	_DiscardUndo();
	InsertText(text, length, _CharFloor(offset), runs);
}


void
BTextView::Delete()
{
	Delete(fSelStart, fSelEnd);
}


void
BTextView::Delete(int32 startOffset, int32 endOffset)
{
	startOffset = _CharFloor(startOffset);
	endOffset = _CharCeiling(endOffset);
	if (startOffset >= endOffset)
		return;
	_DiscardUndo();
	DeleteText(startOffset, endOffset);
}


const char*
BTextView::Text() const
{
	return fParts->text.RealText();
}


int32
BTextView::TextLength() const
{
	return fParts->text.Length();
}


void
BTextView::GetText(int32 offset, int32 length, char* buffer) const
{
	if (buffer == NULL)
		return;
	int32 copied = length > 0 ? fParts->text.CopyOut(offset, length, buffer) : 0;
	buffer[copied] = '\0';
}


uchar
BTextView::ByteAt(int32 offset) const
{
	return (uchar)fParts->text.ByteAt(offset);
}


int32
BTextView::PreviousCharacter(int32 offset) const
{
	if (offset > fParts->text.Length())
		offset = fParts->text.Length();
	if (offset <= 0)
		return 0;
	return fParts->layout.CharStart(offset - 1);
}


int32
BTextView::NextCharacter(int32 offset) const
{
	if (offset < 0)
		offset = 0;
	if (offset >= fParts->text.Length())
		return fParts->text.Length();
	return fParts->layout.CharEnd(fParts->layout.CharStart(offset));
}


int32
BTextView::_CharFloor(int32 offset) const
{
	if (offset <= 0)
		return 0;
	if (offset >= fParts->text.Length())
		return fParts->text.Length();
	return fParts->layout.CharStart(offset);
}


int32
BTextView::_CharCeiling(int32 offset) const
{
	if (offset <= 0)
		return 0;
	if (offset >= fParts->text.Length())
		return fParts->text.Length();
	int32 start = fParts->layout.CharStart(offset);
	return start == offset ? offset : fParts->layout.CharEnd(start);
}


void
BTextView::SetReferencePrefix(uint8 prefix)
{
	fReferencePrefix = prefix;
}


// #pragma mark - editing steps


void
BTextView::_BeginEdit(undo_state kind)
{
	if (fUndoEnabled) {
		if (_Undo() == NULL)
			_Rare()->undo = new TextUndoBuffer;
		_Undo()->StartAction(kind, fSelStart);
	}
}


void
BTextView::_EndEdit()
{
	if (fUndoEnabled && _Undo() != NULL)
		_Undo()->EndAction(fSelStart);
	if (_NullStyle() != NULL) {
		delete fRare->nullStyle;
		fRare->nullStyle = NULL;
	}
}


void
BTextView::_DoInsert(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	if (length > 0)
		InsertText(text, length, offset, runs);
}


void
BTextView::_DoDelete(int32 from, int32 to)
{
	if (from < to)
		DeleteText(from, to);
}


void
BTextView::_ReplaceSelection(const char* text, int32 length,
	const text_run_array* runs, undo_state kind)
{
	_BeginEdit(kind);
	if (fSelStart < fSelEnd)
		_DoDelete(fSelStart, fSelEnd);
	fSelEnd = fSelStart;
	_DoInsert(text, length, fSelStart, runs);
	// Whatever the hooks made of it, the caret ends after what was really
	// inserted at it.
	fSelStart = fSelEnd;
	fAnchor = fSelEnd;
	_EndEdit();
	ScrollToOffset(fSelEnd);
	_UpdateScrollBars();
}


void
BTextView::_DiscardUndo()
{
	if (_Undo() != NULL)
		_Undo()->Clear();
}


// #pragma mark - selection


void
BTextView::Select(int32 startOffset, int32 endOffset)
{
	if (!fSelectable)
		return;
	// Whole characters only.
	startOffset = _CharFloor(startOffset);
	endOffset = _CharCeiling(endOffset);
	if (startOffset > endOffset)
		startOffset = endOffset;
	if (startOffset == fSelStart && endOffset == fSelEnd)
		return;

	if (Window() != NULL) {
		if (fParts->layout.IsStale()) {
			Invalidate();
		} else {
			_InvalidateRange(fSelStart, fSelEnd);
			_InvalidateRange(startOffset, endOffset);
		}
	}
	fSelStart = startOffset;
	fSelEnd = endOffset;
	fAnchor = startOffset;
	fCaretVisible = true;
	if (_NullStyle() != NULL) {
		delete fRare->nullStyle;
		fRare->nullStyle = NULL;
	}
}


void
BTextView::SelectAll()
{
	Select(0, fParts->text.Length());
}


void
BTextView::GetSelection(int32* start, int32* end) const
{
	if (start != NULL)
		*start = fSelStart;
	if (end != NULL)
		*end = fSelEnd;
}


void
BTextView::Highlight(int32 startOffset, int32 endOffset)
{
	_InvalidateRange(startOffset, endOffset);
}


// #pragma mark - styles


void
BTextView::SetFontAndColor(const BFont* font, uint32 mode, const rgb_color* color)
{
	if (!fStylable || fSelStart == fSelEnd) {
		if (fStylable) {
			// Without a selection a stylable view keeps the style for what
			// is typed next at the caret.
			TextStyle style = _NullStyle() != NULL ? *_NullStyle()
				: fParts->styles.StyleAt(fSelStart > 0 ? fSelStart - 1 : 0);
			TextStyleRuns single(style);
			single.ApplyFontToAll(font, mode, color);
			if (_NullStyle() == NULL)
				_Rare()->nullStyle = new TextStyle;
			*_NullStyle() = single.RunAt(0).style;
			if (fParts->text.Length() > 0)
				return;
		}
		fParts->styles.ApplyFontToAll(font, mode, color);
		_LayoutChanged();
		return;
	}
	SetFontAndColor(fSelStart, fSelEnd, font, mode, color);
}


void
BTextView::SetFontAndColor(int32 startOffset, int32 endOffset, const BFont* font,
	uint32 mode, const rgb_color* color)
{
	if (!fStylable) {
		fParts->styles.ApplyFontToAll(font, mode, color);
	} else {
		if (startOffset < 0)
			startOffset = 0;
		if (endOffset > fParts->text.Length())
			endOffset = fParts->text.Length();
		if (startOffset >= endOffset)
			return;
		fParts->styles.ApplyFont(startOffset, endOffset, font, mode, color);
	}
	_LayoutChanged();
}


void
BTextView::GetFontAndColor(int32 offset, BFont* font, rgb_color* color) const
{
	const TextStyle& style = fParts->styles.StyleAt(offset);
	if (font != NULL)
		*font = style.metrics->font;
	if (color != NULL)
		*color = style.color;
}


void
BTextView::GetFontAndColor(BFont* font, uint32* mode, rgb_color* color,
	bool* sameColor) const
{
	const TextStyle& first = _NullStyle() != NULL ? *_NullStyle()
		: fParts->styles.StyleAt(fSelStart);
	if (font != NULL)
		*font = first.metrics->font;
	if (color != NULL)
		*color = first.color;
	uint32 same = B_FONT_ALL;
	bool colorSame = true;
	if (_NullStyle() == NULL) {
		const BFont& base = first.metrics->font;
		for (int32 i = fParts->styles.IndexAt(fSelStart) + 1;
				i < fParts->styles.CountRuns() && fParts->styles.RunAt(i).offset < fSelEnd;
				i++) {
			const TextStyle& other = fParts->styles.RunAt(i).style;
			const BFont& font2 = other.metrics->font;
			if (font2.FamilyAndStyle() != base.FamilyAndStyle())
				same &= ~(uint32)B_FONT_FAMILY_AND_STYLE;
			if (font2.Size() != base.Size())
				same &= ~(uint32)B_FONT_SIZE;
			if (font2.Shear() != base.Shear())
				same &= ~(uint32)B_FONT_SHEAR;
			if (font2.Face() != base.Face())
				same &= ~(uint32)B_FONT_FACE;
			if (other.color != first.color)
				colorSame = false;
		}
	}
	if (mode != NULL)
		*mode = same;
	if (sameColor != NULL)
		*sameColor = colorSame;
}


void
BTextView::SetRunArray(int32 startOffset, int32 endOffset,
	const text_run_array* runs)
{
	if (!fStylable || runs == NULL || runs->count <= 0)
		return;
	if (startOffset < 0)
		startOffset = 0;
	if (endOffset > fParts->text.Length())
		endOffset = fParts->text.Length();
	int32 length = endOffset - startOffset;
	for (int32 i = 0; i < runs->count; i++) {
		int32 from = i == 0 ? 0 : runs->runs[i].offset;
		int32 to = i + 1 < runs->count ? runs->runs[i + 1].offset : length;
		if (to > length)
			to = length;
		if (from < to) {
			fParts->styles.SetStyle(startOffset + from, startOffset + to,
				make_style(&runs->runs[i].font, &runs->runs[i].color));
		}
	}
	_LayoutChanged();
}


text_run_array*
BTextView::RunArray(int32 startOffset, int32 endOffset, int32* size) const
{
	if (startOffset < 0)
		startOffset = 0;
	if (endOffset > fParts->text.Length())
		endOffset = fParts->text.Length();
	int32 first = fParts->styles.IndexAt(startOffset);
	int32 count = 1;
	while (first + count < fParts->styles.CountRuns()
		&& fParts->styles.RunAt(first + count).offset < endOffset) {
		count++;
	}
	text_run_array* array = AllocRunArray(count, size);
	if (array == NULL)
		return NULL;
	for (int32 i = 0; i < count; i++) {
		const TextStyleRun& run = fParts->styles.RunAt(first + i);
		array->runs[i].offset = i == 0 ? 0 : run.offset - startOffset;
		array->runs[i].font = run.style.metrics->font;
		array->runs[i].color = run.style.color;
	}
	return array;
}


text_run_array*
BTextView::AllocRunArray(int32 entryCount, int32* outSize)
{
	if (entryCount < 1)
		entryCount = 1;
	size_t size = sizeof(text_run_array) + (entryCount - 1) * sizeof(text_run);
	text_run_array* array = (text_run_array*)malloc(size);
	if (array == NULL)
		return NULL;
	array->count = entryCount;
	for (int32 i = 0; i < entryCount; i++) {
		new (&array->runs[i]) text_run;
		array->runs[i].offset = 0;
		array->runs[i].color = make_color(0, 0, 0);
	}
	if (outSize != NULL)
		*outSize = (int32)size;
	return array;
}


text_run_array*
BTextView::CopyRunArray(const text_run_array* origin, int32 countDelta)
{
	if (origin == NULL)
		return NULL;
	int32 count = origin->count + countDelta;
	text_run_array* copy = AllocRunArray(count);
	if (copy == NULL)
		return NULL;
	for (int32 i = 0; i < count && i < origin->count; i++)
		copy->runs[i] = origin->runs[i];
	return copy;
}


void
BTextView::FreeRunArray(text_run_array* array)
{
	if (array == NULL)
		return;
	for (int32 i = 0; i < array->count; i++)
		array->runs[i].~text_run();
	free(array);
}


// #pragma mark - settings


void
BTextView::SetStylable(bool stylable)
{
	fStylable = stylable;
}


void
BTextView::SetTabWidth(float width)
{
	if (width < 0)
		width = 0;
	fTabWidth = width;
	fParts->layout.SetTabWidth(width);
	_LayoutChanged();
}


void
BTextView::MakeSelectable(bool selectable)
{
	if (selectable == fSelectable)
		return;
	fSelectable = selectable;
	if (Window() != NULL)
		Invalidate();
}


void
BTextView::MakeEditable(bool editable)
{
	if (editable == fEditable)
		return;
	fEditable = editable;
	if (Window() != NULL)
		Invalidate();
}


void
BTextView::SetWordWrap(bool wrap)
{
	if (wrap == fWrap)
		return;
	fWrap = wrap;
	_LayoutChanged();
}


void
BTextView::SetMaxBytes(int32 max)
{
	fMaxBytes = max < 0 ? 0 : max;
	// As on BeOS, text beyond the new limit is cut off.
	if (fParts->text.Length() > fMaxBytes)
		Delete(fMaxBytes, fParts->text.Length());
}


void
BTextView::DisallowChar(uint32 character)
{
	std::vector<uint32>& disallowed = _Rare()->disallowedChars;
	for (uint32 c : disallowed) {
		if (c == character)
			return;
	}
	disallowed.push_back(character);
}


void
BTextView::AllowChar(uint32 character)
{
	if (fRare == NULL)
		return;
	std::vector<uint32>& disallowed = fRare->disallowedChars;
	for (size_t i = 0; i < disallowed.size(); i++) {
		if (disallowed[i] == character) {
			disallowed.erase(disallowed.begin() + i);
			return;
		}
	}
}


void
BTextView::SetAlignment(alignment flag)
{
	if (flag == fAlignment)
		return;
	fAlignment = flag;
	if (Window() != NULL)
		Invalidate();
}


void
BTextView::SetAutoindent(bool state)
{
	fAutoindent = state;
}


void
BTextView::SetColorSpace(color_space colors)
{
	if (fRare != NULL || colors != B_CMAP8)
		_Rare()->colorSpace = colors;
}


void
BTextView::MakeResizable(bool resize, BView* resizeView)
{
	fResizable = resize;
	if (fRare != NULL || (resize && resizeView != NULL))
		_Rare()->containerView = resize ? resizeView : NULL;
	_LayoutChanged();
	if (resize)
		_AutoResize();
}


void
BTextView::HideTyping(bool enabled)
{
	fTypingHidden = enabled;
	if (Window() != NULL)
		Invalidate();
}


void
BTextView::SetDoesUndo(bool undo)
{
	fUndoEnabled = undo;
	if (!undo)
		_DiscardUndo();
}


undo_state
BTextView::UndoState(bool* isRedo) const
{
	if (_Undo() == NULL) {
		if (isRedo != NULL)
			*isRedo = false;
		return B_UNDO_UNAVAILABLE;
	}
	return _Undo()->State(isRedo);
}


void
BTextView::SetTextRect(BRect rect)
{
	fTextRect = rect;
	BRect bounds = Bounds();
	fLeftInset = rect.left - bounds.left;
	fTopInset = rect.top - bounds.top;
	fRightInset = bounds.right - rect.right;
	fBottomInset = bounds.bottom - rect.bottom;
	if (fRightInset < 0)
		fRightInset = 0;
	if (fBottomInset < 0)
		fBottomInset = 0;
	_LayoutChanged();
}


void
BTextView::SetInsets(float left, float top, float right, float bottom)
{
	fLeftInset = left;
	fTopInset = top;
	fRightInset = right;
	fBottomInset = bottom;
	_ResetTextRectForBounds();
	_LayoutChanged();
	if (fResizable)
		_AutoResize();
}


void
BTextView::GetInsets(float* left, float* top, float* right, float* bottom) const
{
	if (left != NULL)
		*left = fLeftInset;
	if (top != NULL)
		*top = fTopInset;
	if (right != NULL)
		*right = fRightInset;
	if (bottom != NULL)
		*bottom = fBottomInset;
}


void
BTextView::_ResetTextRectForBounds()
{
	BRect bounds = Bounds();
	fTextRect.left = bounds.left + fLeftInset;
	fTextRect.top = bounds.top + fTopInset;
	fTextRect.right = bounds.right - fRightInset;
	fTextRect.bottom = bounds.bottom - fBottomInset;
	if (fTextRect.right < fTextRect.left)
		fTextRect.right = fTextRect.left;
	if (fTextRect.bottom < fTextRect.top)
		fTextRect.bottom = fTextRect.top;
}


void
BTextView::_LayoutChanged()
{
	// A resizable view keeps its lines whole: it grows instead.
	float wrapWidth = fWrap && !fResizable ? fTextRect.Width() : -1;
	if (wrapWidth >= 0 && wrapWidth < 1)
		wrapWidth = 1;
	fParts->layout.SetWrapWidth(wrapWidth);
	fParts->layout.InvalidateAll();
	fScrollBarsStale = true;
	if (fResizable)
		_AutoResize();
	if (Window() != NULL)
		Invalidate();
}


void
BTextView::_AutoResize()
{
	if (!fResizable)
		return;
	_AutoResizeTo(fParts->layout.MaxWidth());
}


void
BTextView::_AutoResizeTo(float textWidth)
{
	if (!fResizable)
		return;
	// Views sit on whole pixels: round up so that the text always fits.
	float newWidth = ceilf(textWidth) + fLeftInset + fRightInset;
	BView* target = fRare != NULL && fRare->containerView != NULL
		? fRare->containerView : this;
	float oldWidth = Bounds().Width();
	float dw = newWidth - oldWidth;

	fTextRect.left = Bounds().left + fLeftInset;
	fTextRect.right = fTextRect.left + textWidth;
	if (dw == 0)
		return;

	// The text keeps its place: a left-aligned view grows to the right,
	// a centred one both ways, a right-aligned one to the left.
	float dx = 0;
	if (fAlignment == B_ALIGN_CENTER)
		dx = -dw / 2;
	else if (fAlignment == B_ALIGN_RIGHT)
		dx = -dw;
	target->ResizeBy(dw, 0);
	if (dx != 0)
		target->MoveBy(dx, 0);
	if (target != this && Bounds().Width() != newWidth) {
		// Our resizing mode did not carry us along with the container.
		ResizeBy(newWidth - Bounds().Width(), 0);
	}
	fTextRect.left = Bounds().left + fLeftInset;
	fTextRect.right = fTextRect.left + textWidth;
}
