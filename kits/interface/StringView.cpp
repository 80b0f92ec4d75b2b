// BStringView: one line of static text on the panel.
#include <StringView.h>

#include <cmath>
#include <cstring>

#include "ControlLook.h"

BStringView::BStringView(BRect frame, const char* name, const char* text,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags),
	fText(NULL),
	fAlign(B_ALIGN_LEFT)
{
	SetText(text);
	SetViewColor(BPrivate::panel_color());
	SetLowColor(BPrivate::panel_color());
}


BStringView::~BStringView()
{
	delete[] fText;
}


void
BStringView::AttachedToWindow()
{
	if (Parent() != NULL) {
		SetViewColor(Parent()->ViewColor());
		SetLowColor(Parent()->ViewColor());
	}
	BView::AttachedToWindow();
}


void
BStringView::Draw(BRect)
{
	if (fText == NULL)
		return;
	BFont font;
	GetFont(&font);
	font_height fh;
	font.GetHeight(&fh);
	BRect bounds = Bounds();
	BPrivate::set_label_encoding(this, fText);
	float width = StringWidth(fText);
	float x = bounds.left;
	if (fAlign == B_ALIGN_RIGHT)
		x = bounds.right - width;
	else if (fAlign == B_ALIGN_CENTER)
		x = floorf(bounds.left + (bounds.Width() - width) / 2);
	float y = ceilf(bounds.top + fh.ascent);
	DrawString(fText, BPoint(x, y));
}


void
BStringView::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	if (width != NULL)
		*width = fText != NULL ? ceilf(BPrivate::label_width(font, fText)) : 0;
	if (height != NULL)
		*height = BPrivate::font_line_height(font);
}


void
BStringView::SetText(const char* text)
{
	delete[] fText;
	fText = NULL;
	if (text != NULL) {
		size_t length = strlen(text);
		fText = new char[length + 1];
		memcpy(fText, text, length + 1);
	}
	Invalidate();
}


void
BStringView::SetAlignment(alignment flag)
{
	fAlign = flag;
	Invalidate();
}
