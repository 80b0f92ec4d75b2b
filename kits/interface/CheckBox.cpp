// BCheckBox: a sunken white box with a cross when on, and its label.
#include <CheckBox.h>

#include <Window.h>

#include <cmath>

#include "ControlLook.h"

BCheckBox::BCheckBox(BRect frame, const char* name, const char* label,
	BMessage* message, uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags),
	fOutlined(false)
{
}


BCheckBox::~BCheckBox()
{
}


BRect
BCheckBox::_BoxFrame() const
{
	BFont font;
	GetFont(&font);
	float ascent = BPrivate::font_ascent(font);
	BRect bounds = Bounds();
	float lineHeight = BPrivate::font_line_height(font);
	float top = floorf(bounds.top + (bounds.Height() + 1 - lineHeight) / 2);
	if (top < 0)
		top = 0;
	float size = ascent > 12 ? ascent : 12;
	return BRect(1, top + lineHeight - size - 1, size, top + lineHeight - 2);
}


void
BCheckBox::Draw(BRect)
{
	BRect box = _BoxFrame();
	bool focused = IsFocus() && Window() != NULL && Window()->IsActive();
	BRect inner = BPrivate::draw_well(this, box, focused, IsEnabled());
	SetHighColor(fOutlined ? BPrivate::panel_color()
		: (IsEnabled() ? BPrivate::shine_color() : BPrivate::panel_color()));
	FillRect(inner);
	if (Value() == B_CONTROL_ON) {
		rgb_color mark = { 0, 0, 120, 255 };
		if (!IsEnabled())
			mark = BPrivate::shadow_color();
		BPrivate::draw_check_mark(this, box.InsetByCopy(1, 1), mark);
	}
	BRect labelFrame = Bounds();
	labelFrame.left = box.right + 5;
	SetLowColor(ViewColor());
	BPrivate::draw_label(this, labelFrame, Label(), B_ALIGN_LEFT, IsEnabled());
}


void
BCheckBox::MouseDown(BPoint)
{
	if (!IsEnabled())
		return;
	fOutlined = true;
	SetTracking(true);
	SetMouseEventMask(B_POINTER_EVENTS, B_LOCK_WINDOW_FOCUS);
	Invalidate();
}


void
BCheckBox::MouseMoved(BPoint where, uint32, const BMessage*)
{
	if (!IsTracking())
		return;
	bool inside = Bounds().Contains(where);
	if (inside != fOutlined) {
		fOutlined = inside;
		Invalidate();
	}
}


void
BCheckBox::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	fOutlined = false;
	Invalidate();
	if (Bounds().Contains(where)) {
		SetValue(Value() == B_CONTROL_OFF ? B_CONTROL_ON : B_CONTROL_OFF);
		Invoke();
	}
}


void
BCheckBox::KeyDown(const char* bytes, int32 numBytes)
{
	// Space toggles; Enter is left to the window (its default button).
	if (numBytes > 0 && bytes[0] == B_SPACE) {
		if (IsEnabled()) {
			SetValue(Value() == B_CONTROL_OFF ? B_CONTROL_ON : B_CONTROL_OFF);
			Invoke();
		}
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


void
BCheckBox::SetValue(int32 value)
{
	BControl::SetValue(value != B_CONTROL_OFF ? B_CONTROL_ON : B_CONTROL_OFF);
}


void
BCheckBox::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	float lineHeight = BPrivate::font_line_height(font);
	float box = BPrivate::font_ascent(font) > 12 ? BPrivate::font_ascent(font)
		: 12;
	if (width != NULL) {
		*width = box + 8 + ceilf(BPrivate::label_width(font, Label() != NULL ? Label()
			: ""));
	}
	if (height != NULL)
		*height = lineHeight + 4;
}
