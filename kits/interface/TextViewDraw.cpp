/*
 * BTextView: geometry, scrolling and drawing.
 *
 * Only the lines that meet the update rectangle are drawn, and long lines
 * are drawn in pieces so that what lies left or right of it is skipped:
 * drawing costs the same for a page of text as for many megabytes.
 */
#include <TextView.h>

#include <ScrollBar.h>
#include <Window.h>

#include "TextLayout.h"
#include "TextStorage.h"
#include "TextStyleRuns.h"

#include <math.h>

using namespace BPrivate;

// Long stretches of one style are drawn in pieces of this many bytes.
static const int32 kDrawPiece = 128;


// #pragma mark - geometry


int32
BTextView::CountLines() const
{
	return fParts->layout.CountLines();
}


int32
BTextView::CurrentLine() const
{
	return LineAt(fSelStart);
}


void
BTextView::GoToLine(int32 lineNumber)
{
	int32 offset = OffsetAt(lineNumber);
	Select(offset, offset);
	ScrollToOffset(offset);
}


int32
BTextView::LineAt(int32 offset) const
{
	if (offset < 0)
		offset = 0;
	if (offset > fParts->text.Length())
		offset = fParts->text.Length();
	return fParts->layout.LineOf(offset);
}


int32
BTextView::LineAt(BPoint point) const
{
	return fParts->layout.LineAtHeight(point.y - fTextRect.top);
}


BPoint
BTextView::PointAt(int32 offset, float* height) const
{
	if (offset < 0)
		offset = 0;
	if (offset > fParts->text.Length())
		offset = fParts->text.Length();
	int32 line = fParts->layout.LineOf(offset);
	const TextLine& info = fParts->layout.LineAt(line);
	if (height != NULL)
		*height = fParts->layout.LineHeight(line);
	return BPoint(fTextRect.left + _AlignmentOffset(line) + fParts->layout.XOf(offset),
		fTextRect.top + info.origin);
}


int32
BTextView::OffsetAt(BPoint point) const
{
	float y = point.y - fTextRect.top;
	if (y < 0)
		return 0;
	if (y >= fParts->layout.TotalHeight())
		y = fParts->layout.TotalHeight() - 0.5f;
	int32 line = fParts->layout.LineAtHeight(y);
	return fParts->layout.OffsetAtX(line, point.x - fTextRect.left - _AlignmentOffset(line));
}


int32
BTextView::OffsetAt(int32 line) const
{
	if (line < 0)
		return 0;
	if (line >= fParts->layout.CountLines())
		return fParts->text.Length();
	return fParts->layout.LineAt(line).offset;
}


float
BTextView::LineWidth(int32 lineNumber) const
{
	if (lineNumber < 0 || lineNumber >= fParts->layout.CountLines())
		return 0;
	return fParts->layout.LineAt(lineNumber).width;
}


float
BTextView::LineHeight(int32 lineNumber) const
{
	if (lineNumber < 0)
		lineNumber = 0;
	if (lineNumber >= fParts->layout.CountLines())
		lineNumber = fParts->layout.CountLines() - 1;
	return fParts->layout.LineHeight(lineNumber);
}


float
BTextView::TextHeight(int32 startLine, int32 endLine) const
{
	int32 count = fParts->layout.CountLines();
	if (startLine < 0)
		startLine = 0;
	if (endLine > count - 1)
		endLine = count - 1;
	if (startLine > endLine)
		return 0;
	return fParts->layout.LineAt(endLine + 1).origin - fParts->layout.LineAt(startLine).origin;
}


float
BTextView::_AlignmentOffset(int32 line) const
{
	if (fAlignment == B_ALIGN_LEFT)
		return 0;
	float room = fTextRect.Width() - fParts->layout.LineAt(line).width;
	if (room <= 0)
		return 0;
	return fAlignment == B_ALIGN_CENTER ? floorf(room / 2) : room;
}


// #pragma mark - scrolling


void
BTextView::ScrollToOffset(int32 offset)
{
	if (Window() == NULL)
		return;
	float height;
	BPoint point = PointAt(offset, &height);
	BRect bounds = Bounds();
	float dx = 0;
	float dy = 0;

	// Blanks that a wrapped line hangs into the margin are no reason to
	// scroll sideways.
	if (fWrap && point.x > fTextRect.right)
		point.x = fTextRect.right;
	if (!fResizable) {
		if (point.x < bounds.left)
			dx = point.x - bounds.left - bounds.Width() / 2;
		else if (point.x > bounds.right)
			dx = point.x - bounds.right + bounds.Width() / 2;
		if (bounds.left + dx < 0)
			dx = -bounds.left;
	}
	if (point.y < bounds.top)
		dy = point.y - bounds.top;
	else if (point.y + height > bounds.bottom + 1)
		dy = point.y + height - (bounds.bottom + 1);
	if (bounds.top + dy < 0)
		dy = -bounds.top;

	if (dx != 0 || dy != 0)
		ScrollBy(dx, dy);
}


void
BTextView::ScrollToSelection()
{
	ScrollToOffset(fSelStart);
}


void
BTextView::_UpdateScrollBars()
{
	fScrollBarsStale = false;
	BScrollBar* vertical = ScrollBar(B_VERTICAL);
	BScrollBar* horizontal = ScrollBar(B_HORIZONTAL);
	if (vertical == NULL && horizontal == NULL)
		return;

	BRect bounds = Bounds();
	if (vertical != NULL) {
		float content = fTextRect.top + fParts->layout.TotalHeight() + fBottomInset;
		float visible = bounds.Height() + 1;
		float max = content - visible;
		if (max < 0)
			max = 0;
		vertical->SetRange(0, max);
		vertical->SetProportion(content > 0 ? visible / content : 1);
		float line = fParts->layout.LineHeight(0);
		float page = visible - line;
		vertical->SetSteps(line > 0 ? line : 12, page > line ? page : visible);
	}
	if (horizontal != NULL) {
		float content = fTextRect.left + fRightInset
			+ (fWrap && !fResizable ? fTextRect.Width() : fParts->layout.MaxWidth());
		float visible = bounds.Width() + 1;
		float max = content - visible;
		if (max < 0)
			max = 0;
		horizontal->SetRange(0, max);
		horizontal->SetProportion(content > 0 ? visible / content : 1);
		horizontal->SetSteps(12, visible * 0.8f);
	}
}


// #pragma mark - view hooks


void
BTextView::AttachedToWindow()
{
	BView::AttachedToWindow();
	fActive = true;
	fCaretVisible = true;
	if (fResizable)
		_AutoResize();
	_UpdateScrollBars();
}


void
BTextView::DetachedFromWindow()
{
	fTracking = false;
	BView::DetachedFromWindow();
}


void
BTextView::TargetedByScrollView(BScrollView* scrollView)
{
	BView::TargetedByScrollView(scrollView);
	fScrollBarsStale = true;
}


void
BTextView::FrameResized(float newWidth, float newHeight)
{
	BView::FrameResized(newWidth, newHeight);
	// The text follows the frame: wrapped lines are broken for the new
	// width, aligned ones placed again.
	if (!fResizable && (fWrap || fAlignment != B_ALIGN_LEFT)) {
		float oldWidth = fTextRect.Width();
		fTextRect.right = fTextRect.left
			+ (newWidth - fLeftInset - fRightInset);
		if (fTextRect.right < fTextRect.left)
			fTextRect.right = fTextRect.left;
		if (fTextRect.Width() != oldWidth)
			_LayoutChanged();
	}
	_UpdateScrollBars();
	Invalidate();
}


void
BTextView::GetPreferredSize(float* width, float* height)
{
	float textWidth = fWrap && !fResizable ? fTextRect.Width() : fParts->layout.MaxWidth();
	if (width != NULL)
		*width = textWidth + fLeftInset + fRightInset;
	if (height != NULL)
		*height = fParts->layout.TotalHeight() + fTopInset + fBottomInset;
}


void
BTextView::ResizeToPreferred()
{
	BView::ResizeToPreferred();
}


// #pragma mark - drawing


void
BTextView::Draw(BRect updateRect)
{
	if (fScrollBarsStale)
		_UpdateScrollBars();
	PushState();
	_DrawLines(updateRect);
	if (fSelStart == fSelEnd && fCaretVisible && fEditable && fActive
		&& IsFocus()) {
		_DrawCaret(true);
	}
	PopState();
}


void
BTextView::_DrawLines(BRect updateRect)
{
	int32 count = fParts->layout.CountLines();
	float top = updateRect.top - fTextRect.top;
	float bottom = updateRect.bottom - fTextRect.top;
	if (bottom < 0 || top >= fParts->layout.TotalHeight())
		return;
	int32 firstLine = fParts->layout.LineAtHeight(top < 0 ? 0 : top);
	bool focused = IsFocus() && fActive;
	rgb_color highlight = tint_color(ViewColor(),
		focused ? B_DARKEN_2_TINT : B_DARKEN_1_TINT);
	const TextFontMetrics* currentFont = NULL;
	SetDrawingMode(B_OP_OVER);

	for (int32 line = firstLine; line < count; line++) {
		const TextLine& info = fParts->layout.LineAt(line);
		if (info.origin > bottom)
			break;
		float y = fTextRect.top + info.origin;
		float lineHeight = fParts->layout.LineHeight(line);
		float left = fTextRect.left + _AlignmentOffset(line);
		int32 start = info.offset;
		int32 next = fParts->layout.LineAt(line + 1).offset;
		int32 end = next;
		if (end > start && fParts->text.UncheckedByteAt(end - 1) == '\n')
			end--;

		// The selection behind the text; a selection running on past the
		// line end fills to the right edge.
		if (fSelStart < fSelEnd && fSelectable && fSelStart < next
			&& fSelEnd > start) {
			int32 from = fSelStart > start ? fSelStart : start;
			int32 to = fSelEnd < end ? fSelEnd : end;
			float x1 = left + fParts->layout.Measure(start, from, 0);
			float x2 = left + fParts->layout.Measure(start, to, 0);
			if (fSelEnd > end && line + 1 < count)
				x2 = fTextRect.right > x2 ? fTextRect.right : x2;
			if (x2 > x1) {
				SetHighColor(highlight);
				FillRect(BRect(x1, y, x2 - 1, y + lineHeight - 1));
			}
		}

		if (fTypingHidden)
			continue;
		float baseline = y + info.ascent;
		float x = left;
		int32 i = start;
		while (i < end && x <= updateRect.right) {
			int32 run = fParts->styles.IndexAt(i);
			const TextStyle& style = fParts->styles.RunAt(run).style;
			int32 pieceEnd = fParts->styles.RunEnd(run);
			if (pieceEnd > end)
				pieceEnd = end;
			if (pieceEnd > i + kDrawPiece)
				pieceEnd = i + kDrawPiece;
			// Tabs are not drawn, only measured; a piece ends between two
			// characters. Other control characters the font leaves out.
			const float* widths = style.metrics->widths;
			int32 j = i;
			while (j < pieceEnd) {
				uint8 byte = (uint8)fParts->text.UncheckedByteAt(j);
				if (byte == '\t')
					break;
				j = widths[byte] != kLongerCharacter ? j + 1 : fParts->layout.CharEnd(j);
			}
			if (j > end)
				j = end;
			if (j == i) {
				x += fParts->layout.Measure(i, i + 1, x - left);
				i++;
				continue;
			}
			float width = fParts->layout.Measure(i, j, x - left);
			if (x + width >= updateRect.left) {
				if (currentFont != style.metrics) {
					SetFont(&style.metrics->font);
					currentFont = style.metrics;
				}
				SetHighColor(style.color);
				DrawString(fParts->text.RangePointer(i, j), j - i, BPoint(x, baseline));
			}
			x += width;
			i = j;
		}
	}
}


BRect
BTextView::_CaretRect() const
{
	float height;
	BPoint point = PointAt(fSelEnd, &height);
	return BRect(point.x, point.y, point.x, point.y + height - 1);
}


void
BTextView::_DrawCaret(bool visible)
{
	if (!visible)
		return;
	BRect rect = _CaretRect();
	SetHighColor(fParts->styles.StyleAt(fSelEnd > 0 ? fSelEnd - 1 : 0).color);
	StrokeLine(rect.LeftTop(), rect.LeftBottom());
}


void
BTextView::_InvalidateCaret()
{
	if (Window() == NULL)
		return;
	BRect rect = _CaretRect();
	rect.InsetBy(-1, 0);
	Invalidate(rect);
}


void
BTextView::_InvalidateRange(int32 from, int32 to)
{
	if (Window() == NULL)
		return;
	if (from > to) {
		int32 swap = from;
		from = to;
		to = swap;
	}
	float height;
	BPoint first = PointAt(from, &height);
	if (from == to) {
		Invalidate(BRect(first.x - 1, first.y, first.x + 1, first.y + height - 1));
		return;
	}
	float lastHeight;
	BPoint last = PointAt(to, &lastHeight);
	BRect bounds = Bounds();
	Invalidate(BRect(bounds.left, first.y, bounds.right, last.y + lastHeight - 1));
}


void
BTextView::_ShowCaret()
{
	if (!fCaretVisible) {
		fCaretVisible = true;
		_InvalidateCaret();
	}
}


void
BTextView::_HideCaret()
{
	if (fCaretVisible) {
		fCaretVisible = false;
		_InvalidateCaret();
	}
}
