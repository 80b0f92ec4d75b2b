// BView: drawing state and drawing calls.
#include <View.h>

#include <Bitmap.h>
#include <Window.h>

#include "FontCharacters.h"
#include "HostFont.h"
#include "HostImage.h"
#include "HostPainter.h"
#include "InterfacePrivate.h"
#include "WindowPrivate.h"

#include <cmath>
#include <cstring>
#include <vector>

using BPrivate::HostImage;
using BPrivate::HostPainter;

namespace BPrivate {

// The painter for one drawing call of a view, with the view's mode, pen
// and colours applied for the given pattern.
class ViewPainter {
public:
	ViewPainter(const BView* view, const pattern& p)
		:
		fPainter(NULL)
	{
		if (view->fWindow == NULL)
			return;
		fPainter = view->fWindow->fPrivate->PainterFor(view);
		if (fPainter == NULL)
			return;
		fPainter->SetMode(view->fDrawingMode);
		fPainter->SetPenSize(view->fPenSize);
		if (memcmp(&p, &B_SOLID_HIGH, sizeof(pattern)) == 0)
			fPainter->SetSource(view->fHighColor, view->fLowColor, NULL);
		else if (memcmp(&p, &B_SOLID_LOW, sizeof(pattern)) == 0)
			fPainter->SetSource(view->fLowColor, view->fLowColor, NULL);
		else
			fPainter->SetSource(view->fHighColor, view->fLowColor, p.data);
	}

	explicit operator bool() const { return fPainter != NULL; }
	HostPainter* operator->() const { return fPainter; }

private:
	HostPainter* fPainter;
};

}	// namespace BPrivate

using BPrivate::ViewPainter;

namespace {

// Wraps a bitmap's pixels for drawing; no copy.
bool Wrap(const BBitmap* bitmap, HostImage** image)
{
	if (bitmap == NULL || !bitmap->IsValid())
		return false;
	BRect bounds = bitmap->Bounds();
	*image = new HostImage(bitmap->Bits(), bounds.IntegerWidth() + 1,
		bounds.IntegerHeight() + 1, bitmap->BytesPerRow(), bitmap->ColorSpace() == B_RGBA32);
	return true;
}

}	// namespace


// #pragma mark - state


void BView::SetDrawingMode(drawing_mode mode)
{
	fDrawingMode = mode;
}


void BView::SetBlendingMode(source_alpha, alpha_function)
{
}


void BView::SetPenSize(float size)
{
	fPenSize = size;
}


void BView::SetViewColor(rgb_color color)
{
	if (fViewColor == color)
		return;
	fViewColor = color;
	Invalidate();
}


void BView::SetViewColor(uchar r, uchar g, uchar b, uchar a)
{
	SetViewColor(make_color(r, g, b, a));
}


void BView::SetViewBitmap(const BBitmap* bitmap, BRect srcRect, BRect dstRect, uint32,
	uint32 options)
{
	// The view keeps its own copy, as the server did on BeOS: callers may
	// delete their bitmap right after this call.
	Extras* extras = _Extras();
	delete extras->viewBitmap;
	extras->viewBitmap = NULL;
	if (bitmap != NULL && bitmap->IsValid()) {
		BBitmap* copy = new BBitmap(bitmap);
		if (copy->IsValid())
			extras->viewBitmap = copy;
		else
			delete copy;
	}
	extras->viewBitmapSource = srcRect;
	extras->viewBitmapDest = dstRect;
	extras->viewBitmapOptions = options;
	Invalidate();
}


void BView::SetViewBitmap(const BBitmap* bitmap, uint32 followFlags, uint32 options)
{
	BRect bounds = bitmap != NULL ? bitmap->Bounds() : BRect();
	SetViewBitmap(bitmap, bounds, bounds.OffsetToCopy(0, 0), followFlags, options);
}


void BView::ClearViewBitmap()
{
	if (fExtras != NULL) {
		delete fExtras->viewBitmap;
		fExtras->viewBitmap = NULL;
	}
	Invalidate();
}


void BView::SetHighColor(rgb_color color)
{
	fHighColor = color;
}


void BView::SetHighColor(uchar r, uchar g, uchar b, uchar a)
{
	SetHighColor(make_color(r, g, b, a));
}


void BView::SetLowColor(rgb_color color)
{
	fLowColor = color;
}


void BView::SetLowColor(uchar r, uchar g, uchar b, uchar a)
{
	SetLowColor(make_color(r, g, b, a));
}


void BView::PushState()
{
	State state = { fHighColor, fLowColor, fDrawingMode, fPenSize, fPenLocation, _Font() };
	_Extras()->stateStack.push_back(state);
}


void BView::PopState()
{
	if (fExtras == NULL || fExtras->stateStack.empty())
		return;
	const State& state = fExtras->stateStack.back();
	fHighColor = state.high;
	fLowColor = state.low;
	fDrawingMode = state.mode;
	fPenSize = state.penSize;
	fPenLocation = state.pen;
	_SetFont(state.font);
	fExtras->stateStack.pop_back();
}


void BView::MovePenTo(BPoint point)
{
	fPenLocation = point;
}


void BView::MovePenTo(float x, float y)
{
	fPenLocation.Set(x, y);
}


void BView::MovePenBy(float x, float y)
{
	fPenLocation.x += x;
	fPenLocation.y += y;
}


void BView::SetFont(const BFont* font, uint32 mask)
{
	if (font == NULL)
		return;
	if (mask == B_FONT_ALL) {
		_SetFont(*font);
		return;
	}
	BFont& own = _OwnFont();
	if (mask & B_FONT_FAMILY_AND_STYLE)
		own.SetFamilyAndStyle(font->FamilyAndStyle());
	if (mask & B_FONT_SIZE)
		own.SetSize(font->Size());
	if (mask & B_FONT_SHEAR)
		own.SetShear(font->Shear());
	if (mask & B_FONT_ROTATION)
		own.SetRotation(font->Rotation());
	if (mask & B_FONT_SPACING)
		own.SetSpacing(font->Spacing());
	if (mask & B_FONT_ENCODING) {
		own.SetEncoding(font->Encoding());
		own.SetReferenceMark(font->ReferenceMark());
		own.SetNoBreakSpace(font->NoBreakSpace());
	}
	if (mask & B_FONT_FACE)
		own.SetFace(font->Face());
	if (mask & B_FONT_FLAGS)
		own.SetFlags(font->Flags());
}


void BView::GetFont(BFont* font) const
{
	if (font != NULL)
		*font = _Font();
}


void BView::SetFontSize(float size)
{
	_OwnFont().SetSize(size);
}


BFont& BView::_OwnFont()
{
	if (fFont == NULL)
		fFont = new BFont(*be_plain_font);
	return *fFont;
}


void BView::_SetFont(const BFont& font)
{
	if (font == *be_plain_font) {
		delete fFont;
		fFont = NULL;
	} else
		_OwnFont() = font;
}


void BView::GetFontHeight(font_height* height) const
{
	_Font().GetHeight(height);
}


float BView::StringWidth(const char* string) const
{
	return _Font().StringWidth(string);
}


float BView::StringWidth(const char* string, int32 length) const
{
	return _Font().StringWidth(string, length);
}


// #pragma mark - drawing


void BView::StrokeLine(BPoint toPoint, pattern p)
{
	StrokeLine(fPenLocation, toPoint, p);
}


void BView::StrokeLine(BPoint start, BPoint end, pattern p)
{
	fPenLocation = end;
	ViewPainter painter(this, p);
	if (painter)
		painter->StrokeLine(start.x, start.y, end.x, end.y);
}


void BView::BeginLineArray(int32 count)
{
	Extras* extras = _Extras();
	extras->lineArrayBegun = true;
	extras->lineArray.clear();
	if (count > 0)
		extras->lineArray.reserve((size_t)count);
}


void BView::AddLine(BPoint start, BPoint end, rgb_color color)
{
	if (fExtras == NULL || !fExtras->lineArrayBegun)
		return;
	LineArrayEntry entry = { start, end, color };
	fExtras->lineArray.push_back(entry);
}


void BView::EndLineArray()
{
	if (fExtras == NULL || !fExtras->lineArrayBegun)
		return;
	ViewPainter painter(this, B_SOLID_HIGH);
	if (painter) {
		for (const LineArrayEntry& line : fExtras->lineArray) {
			painter->SetSource(line.color, fLowColor, NULL);
			painter->StrokeLine(line.start.x, line.start.y, line.end.x, line.end.y);
		}
	}
	fExtras->lineArray.clear();
}


void BView::StrokeRect(BRect r, pattern p)
{
	ViewPainter painter(this, p);
	if (painter)
		painter->StrokeRect(r.left, r.top, r.right, r.bottom);
}


void BView::FillRect(BRect r, pattern p)
{
	ViewPainter painter(this, p);
	if (painter)
		painter->FillRect(r.left, r.top, r.right, r.bottom);
}


void BView::StrokeRoundRect(BRect r, float xRadius, float yRadius, pattern p)
{
	ViewPainter painter(this, p);
	if (painter)
		painter->StrokeRoundRect(r.left, r.top, r.right, r.bottom, xRadius, yRadius);
}


void BView::FillRoundRect(BRect r, float xRadius, float yRadius, pattern p)
{
	ViewPainter painter(this, p);
	if (painter)
		painter->FillRoundRect(r.left, r.top, r.right, r.bottom, xRadius, yRadius);
}


void BView::StrokeEllipse(BPoint center, float xRadius, float yRadius, pattern p)
{
	StrokeEllipse(BRect(center.x - xRadius, center.y - yRadius, center.x + xRadius,
		center.y + yRadius), p);
}


void BView::StrokeEllipse(BRect r, pattern p)
{
	ViewPainter painter(this, p);
	if (painter)
		painter->StrokeEllipse(r.left, r.top, r.right, r.bottom);
}


void BView::FillEllipse(BPoint center, float xRadius, float yRadius, pattern p)
{
	FillEllipse(BRect(center.x - xRadius, center.y - yRadius, center.x + xRadius,
		center.y + yRadius), p);
}


void BView::FillEllipse(BRect r, pattern p)
{
	ViewPainter painter(this, p);
	if (painter)
		painter->FillEllipse(r.left, r.top, r.right, r.bottom);
}


void BView::StrokeArc(BRect r, float startAngle, float arcAngle, pattern p)
{
	ViewPainter painter(this, p);
	if (painter)
		painter->StrokeArc(r.left, r.top, r.right, r.bottom, startAngle, arcAngle);
}


void BView::FillArc(BRect r, float startAngle, float arcAngle, pattern p)
{
	ViewPainter painter(this, p);
	if (painter)
		painter->FillArc(r.left, r.top, r.right, r.bottom, startAngle, arcAngle);
}


void BView::StrokeTriangle(BPoint p1, BPoint p2, BPoint p3, pattern p)
{
	BPoint points[3] = { p1, p2, p3 };
	StrokePolygon(points, 3, true, p);
}


void BView::FillTriangle(BPoint p1, BPoint p2, BPoint p3, pattern p)
{
	BPoint points[3] = { p1, p2, p3 };
	FillPolygon(points, 3, p);
}


void BView::StrokePolygon(const BPoint* points, int32 count, bool closed, pattern p)
{
	if (points == NULL || count <= 0)
		return;
	std::vector<float> coordinates((size_t)count * 2);
	for (int32 i = 0; i < count; i++) {
		coordinates[2 * i] = points[i].x;
		coordinates[2 * i + 1] = points[i].y;
	}
	ViewPainter painter(this, p);
	if (painter)
		painter->StrokePolygon(coordinates.data(), count, closed);
}


void BView::FillPolygon(const BPoint* points, int32 count, pattern p)
{
	if (points == NULL || count <= 0)
		return;
	std::vector<float> coordinates((size_t)count * 2);
	for (int32 i = 0; i < count; i++) {
		coordinates[2 * i] = points[i].x;
		coordinates[2 * i + 1] = points[i].y;
	}
	ViewPainter painter(this, p);
	if (painter)
		painter->FillPolygon(coordinates.data(), count);
}


void BView::InvertRect(BRect r)
{
	ViewPainter painter(this, B_SOLID_HIGH);
	if (painter)
		painter->InvertRect(r.left, r.top, r.right, r.bottom);
}


void BView::DrawBitmap(const BBitmap* bitmap, BRect srcRect, BRect dstRect)
{
	HostImage* image;
	if (!Wrap(bitmap, &image))
		return;
	ViewPainter painter(this, B_SOLID_HIGH);
	if (painter) {
		painter->DrawImage(*image, srcRect.left, srcRect.top, srcRect.right, srcRect.bottom,
			dstRect.left, dstRect.top, dstRect.right, dstRect.bottom);
	}
	delete image;
}


void BView::DrawBitmap(const BBitmap* bitmap, BRect dstRect)
{
	if (bitmap != NULL)
		DrawBitmap(bitmap, bitmap->Bounds(), dstRect);
}


void BView::DrawBitmap(const BBitmap* bitmap, BPoint where)
{
	if (bitmap != NULL)
		DrawBitmap(bitmap, bitmap->Bounds(), bitmap->Bounds().OffsetToCopy(where));
}


void BView::DrawBitmap(const BBitmap* bitmap)
{
	DrawBitmap(bitmap, fPenLocation);
}


void BView::DrawBitmapAsync(const BBitmap* bitmap, BRect srcRect, BRect dstRect)
{
	DrawBitmap(bitmap, srcRect, dstRect);
}


void BView::DrawBitmapAsync(const BBitmap* bitmap, BRect dstRect)
{
	DrawBitmap(bitmap, dstRect);
}


void BView::DrawBitmapAsync(const BBitmap* bitmap, BPoint where)
{
	DrawBitmap(bitmap, where);
}


void BView::DrawBitmapAsync(const BBitmap* bitmap)
{
	DrawBitmap(bitmap);
}


void BView::DrawChar(char aChar)
{
	DrawString(&aChar, 1);
}


void BView::DrawChar(char aChar, BPoint location)
{
	DrawString(&aChar, 1, location);
}


void BView::DrawString(const char* string, escapement_delta* delta)
{
	if (string != NULL)
		DrawString(string, (int32)strlen(string), fPenLocation, delta);
}


void BView::DrawString(const char* string, BPoint location, escapement_delta* delta)
{
	if (string != NULL)
		DrawString(string, (int32)strlen(string), location, delta);
}


void BView::DrawString(const char* string, int32 length, escapement_delta* delta)
{
	DrawString(string, length, fPenLocation, delta);
}


void BView::DrawString(const char* string, int32 length, BPoint location, escapement_delta*)
{
	if (string == NULL || length <= 0)
		return;
	const char* end = (const char*)memchr(string, '\0', (size_t)length);
	if (end != NULL)
		length = (int32)(end - string);
	const BFont& font = _Font();
	const BPrivate::FontCharacters* characters = font._Characters();
	float width = characters->Width(string, length);
	ViewPainter painter(this, B_SOLID_HIGH);
	if (painter) {
		std::vector<uint32> shown;
		shown.reserve(length);
		characters->AppendShown(string, length, &shown);
		painter->DrawString(font._HostFont(), shown.data(), (int32)shown.size(),
			location.x, location.y);
	}
	fPenLocation.Set(location.x + width, location.y);
}
