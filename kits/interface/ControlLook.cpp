// Shared drawing of the controls: BeOS grey panels with white and dark bevels.
#include "ControlLook.h"

#include <Font.h>
#include <InterfaceDefs.h>
#include <View.h>

#include <cmath>
#include <ctime>

namespace BPrivate {

static rgb_color
make(uint8 r, uint8 g, uint8 b)
{
	rgb_color c;
	c.red = r;
	c.green = g;
	c.blue = b;
	c.alpha = 255;
	return c;
}

rgb_color panel_color() { return make(216, 216, 216); }
rgb_color shine_color() { return make(255, 255, 255); }
rgb_color shadow_color() { return make(152, 152, 152); }
rgb_color dark_color() { return make(96, 96, 96); }
rgb_color focus_color() { return make(0, 0, 229); }
rgb_color menu_selected_color() { return make(168, 168, 168); }

rgb_color
text_color(bool enabled)
{
	return enabled ? make(0, 0, 0) : make(144, 144, 144);
}


BRect
draw_bevel(BView* view, BRect frame, bool sunken)
{
	rgb_color topLeft = sunken ? shadow_color() : shine_color();
	rgb_color bottomRight = sunken ? shine_color() : shadow_color();
	view->BeginLineArray(4);
	view->AddLine(frame.LeftBottom(), frame.LeftTop(), topLeft);
	view->AddLine(frame.LeftTop(), frame.RightTop(), topLeft);
	view->AddLine(BPoint(frame.right, frame.top + 1), frame.RightBottom(),
		bottomRight);
	view->AddLine(frame.RightBottom(), BPoint(frame.left + 1, frame.bottom),
		bottomRight);
	view->EndLineArray();
	frame.InsetBy(1, 1);
	return frame;
}


BRect
draw_well(BView* view, BRect frame, bool focused, bool enabled)
{
	// Outer bevel: shadow top-left, white bottom-right; inner: dark or the
	// navigation blue when focused.
	frame = draw_bevel(view, frame, true);
	rgb_color inner = focused ? focus_color() : (enabled ? dark_color()
		: shadow_color());
	rgb_color innerLow = focused ? focus_color() : panel_color();
	view->BeginLineArray(4);
	view->AddLine(frame.LeftBottom(), frame.LeftTop(), inner);
	view->AddLine(frame.LeftTop(), frame.RightTop(), inner);
	view->AddLine(BPoint(frame.right, frame.top + 1), frame.RightBottom(),
		innerLow);
	view->AddLine(frame.RightBottom(), BPoint(frame.left + 1, frame.bottom),
		innerLow);
	view->EndLineArray();
	frame.InsetBy(1, 1);
	return frame;
}


void
draw_button(BView* view, BRect frame, const char* label, bool pressed,
	bool enabled, bool isDefault, bool focused)
{
	rgb_color saved = view->HighColor();
	if (isDefault) {
		// The default button wears a heavy dark frame with a gap inside.
		view->SetHighColor(dark_color());
		view->StrokeRect(frame);
		frame.InsetBy(1, 1);
		view->StrokeRect(frame);
		frame.InsetBy(1, 1);
		view->SetHighColor(panel_color());
		view->StrokeRect(frame);
		frame.InsetBy(1, 1);
	}
	view->SetHighColor(enabled ? dark_color() : shadow_color());
	view->StrokeRoundRect(frame, 2, 2);
	frame.InsetBy(1, 1);
	view->SetHighColor(pressed ? make(152, 152, 152) : make(232, 232, 232));
	view->FillRect(frame);
	BRect inner = draw_bevel(view, frame, pressed);
	if (!pressed)
		inner = draw_bevel(view, inner, false);
	view->SetLowColor(pressed ? make(152, 152, 152) : make(232, 232, 232));
	if (focused && enabled) {
		view->SetHighColor(focus_color());
		BRect f = frame.InsetByCopy(3, 3);
		view->StrokeRect(f);
	}
	draw_label(view, frame, label, 2, enabled);
	view->SetHighColor(saved);
}


void
draw_label(BView* view, BRect frame, const char* label, int align, bool enabled)
{
	if (label == NULL || label[0] == '\0')
		return;
	set_label_encoding(view, label);
	BFont font;
	view->GetFont(&font);
	font_height fh;
	font.GetHeight(&fh);
	float width = view->StringWidth(label);
	float x = frame.left;
	if (align == B_ALIGN_RIGHT)
		x = frame.right - width;
	else if (align == B_ALIGN_CENTER)
		x = floorf(frame.left + (frame.Width() - width) / 2 + 0.5f);
	float y = floorf(frame.top + (frame.Height() + 1 - (fh.ascent + fh.descent))
		/ 2 + fh.ascent + 0.5f);
	rgb_color saved = view->HighColor();
	view->SetHighColor(text_color(enabled));
	view->DrawString(label, BPoint(x, y));
	view->SetHighColor(saved);
}


void
draw_check_mark(BView* view, BRect box, rgb_color color)
{
	rgb_color saved = view->HighColor();
	float savedPen = view->PenSize();
	view->SetHighColor(color);
	view->SetPenSize(2);
	BRect r = box.InsetByCopy(3, 3);
	view->StrokeLine(r.LeftTop(), r.RightBottom());
	view->StrokeLine(r.LeftBottom(), r.RightTop());
	view->SetPenSize(savedPen);
	view->SetHighColor(saved);
}


void
draw_arrow(BView* view, BRect frame, bool down, rgb_color color)
{
	rgb_color saved = view->HighColor();
	view->SetHighColor(color);
	float cx = floorf((frame.left + frame.right) / 2);
	float cy = floorf((frame.top + frame.bottom) / 2);
	if (down) {
		view->FillTriangle(BPoint(cx - 4, cy - 2), BPoint(cx + 4, cy - 2),
			BPoint(cx, cy + 2));
	} else {
		view->FillTriangle(BPoint(cx - 2, cy - 4), BPoint(cx - 2, cy + 4),
			BPoint(cx + 2, cy));
	}
	view->SetHighColor(saved);
}


bool
is_multibyte_utf8(const char* text)
{
	if (text == NULL)
		return false;
	bool multibyte = false;
	const unsigned char* c = (const unsigned char*)text;
	while (*c != 0) {
		int follow = 0;
		if (*c < 0x80) {
			c++;
			continue;
		} else if ((*c & 0xe0) == 0xc0 && *c >= 0xc2)
			follow = 1;
		else if ((*c & 0xf0) == 0xe0)
			follow = 2;
		else if ((*c & 0xf8) == 0xf0 && *c <= 0xf4)
			follow = 3;
		else
			return false;
		c++;
		for (int i = 0; i < follow; i++, c++) {
			if ((*c & 0xc0) != 0x80)
				return false;
		}
		multibyte = true;
	}
	return multibyte;
}


void
set_label_encoding(BView* view, const char* text)
{
	BFont font;
	view->GetFont(&font);
	uint8 wanted = is_multibyte_utf8(text) ? B_UNICODE_UTF8 : B_ISO_8859_1;
	if (font.Encoding() != wanted) {
		font.SetEncoding(wanted);
		view->SetFont(&font, B_FONT_ENCODING);
	}
}


float
label_width(const BFont& font, const char* text)
{
	if (text == NULL)
		return 0;
	if (!is_multibyte_utf8(text))
		return font.StringWidth(text);
	BFont utf8(font);
	utf8.SetEncoding(B_UNICODE_UTF8);
	return utf8.StringWidth(text);
}


float
font_line_height(const BFont& font)
{
	font_height fh;
	font.GetHeight(&fh);
	return ceilf(fh.ascent + fh.descent + fh.leading);
}


float
font_ascent(const BFont& font)
{
	font_height fh;
	font.GetHeight(&fh);
	return ceilf(fh.ascent);
}


bigtime_t
controls_now()
{
	timespec ts;
	clock_gettime(CLOCK_MONOTONIC, &ts);
	return (bigtime_t)ts.tv_sec * 1000000 + ts.tv_nsec / 1000;
}

}	// namespace BPrivate
