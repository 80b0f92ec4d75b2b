// BBox: an etched frame (white and shadow lines) with a label in its top edge.
#include <Box.h>

#include <cmath>
#include <cstring>

#include "ControlLook.h"

BBox::BBox(BRect frame, const char* name, uint32 resizingMode, uint32 flags,
	border_style border)
	:
	BView(frame, name, resizingMode, flags | B_WILL_DRAW),
	fLabel(NULL),
	fLabelView(NULL),
	fStyle(border)
{
	SetViewColor(BPrivate::panel_color());
	SetLowColor(BPrivate::panel_color());
}


BBox::~BBox()
{
	delete[] fLabel;
}


void
BBox::AttachedToWindow()
{
	if (Parent() != NULL) {
		SetViewColor(Parent()->ViewColor());
		SetLowColor(Parent()->ViewColor());
	}
	BView::AttachedToWindow();
}


float
BBox::_TopInset() const
{
	if (fLabel == NULL && fLabelView == NULL)
		return 0;
	if (fLabelView != NULL)
		return floorf(fLabelView->Bounds().Height() / 2);
	BFont font;
	GetFont(&font);
	return floorf(BPrivate::font_line_height(font) / 2);
}


void
BBox::Draw(BRect)
{
	BRect frame = Bounds();
	frame.top += _TopInset();
	if (fStyle == B_FANCY_BORDER) {
		// An etched line: shadow, then white one pixel in.
		BRect outer = frame;
		outer.right -= 1;
		outer.bottom -= 1;
		SetHighColor(BPrivate::shadow_color());
		StrokeRect(outer);
		SetHighColor(BPrivate::shine_color());
		StrokeRect(outer.OffsetByCopy(1, 1));
	} else if (fStyle == B_PLAIN_BORDER) {
		SetHighColor(BPrivate::dark_color());
		StrokeRect(frame);
	}
	if (fLabel != NULL) {
		BFont font;
		GetFont(&font);
		float width = ceilf(BPrivate::label_width(font, fLabel));
		BRect labelFrame(6, 0, 6 + width + 4,
			BPrivate::font_line_height(font));
		SetHighColor(ViewColor());
		FillRect(labelFrame);
		labelFrame.left += 2;
		BPrivate::draw_label(this, labelFrame, fLabel, B_ALIGN_LEFT, true);
	}
}


void
BBox::FrameResized(float, float)
{
	Invalidate();
}


void
BBox::SetBorder(border_style border)
{
	fStyle = border;
	Invalidate();
}


void
BBox::SetLabel(const char* label)
{
	delete[] fLabel;
	fLabel = NULL;
	if (fLabelView != NULL) {
		RemoveChild(fLabelView);
		delete fLabelView;
		fLabelView = NULL;
	}
	if (label != NULL) {
		size_t length = strlen(label);
		fLabel = new char[length + 1];
		memcpy(fLabel, label, length + 1);
	}
	Invalidate();
}


status_t
BBox::SetLabel(BView* viewLabel)
{
	SetLabel((const char*)NULL);
	if (viewLabel != NULL) {
		fLabelView = viewLabel;
		fLabelView->MoveTo(6, 0);
		AddChild(fLabelView);
	}
	Invalidate();
	return B_OK;
}
