// BColorControl: red, green, blue and grey ramps of cells, and a swatch.
#include <ColorControl.h>

#include <Window.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ControlLook.h"

// The swatch and values beside the ramps: at least this wide, and wide
// enough for the longest value line in the control's font.
static const float kSidePanel = 62;

BColorControl::BColorControl(BPoint start, color_control_layout layout,
	float cellSize, const char* name, BMessage* message, bool)
	:
	BControl(BRect(start, start + BPoint(10, 10)), name, NULL, message,
		B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE),
	fCellSize(cellSize < 1 ? 1 : cellSize),
	fColumns(layout),
	fRows(256 / layout),
	fTrackingRamp(-1),
	fFocusRamp(0)
{
	_Layout();
	SetValueNoUpdate(0x000000ff);
}


BColorControl::~BColorControl()
{
}


void
BColorControl::_Layout()
{
	float width, height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}


float
BColorControl::_SidePanelWidth() const
{
	BFont font;
	GetFont(&font);
	return std::max(kSidePanel, ceilf(font.StringWidth("Green: 255")) + 4);
}


bool
BColorControl::_Horizontal() const
{
	return fColumns >= fRows;
}


BRect
BColorControl::RampFrame(int32 ramp) const
{
	// The ramp area is columns by rows cells; four bands share it.
	float areaWidth = fColumns * fCellSize;
	float areaHeight = fRows * fCellSize;
	if (_Horizontal()) {
		float band = floorf(areaHeight / 4);
		return BRect(1, 1 + ramp * band, areaWidth, ramp * band + band);
	}
	float band = floorf(areaWidth / 4);
	return BRect(1 + ramp * band, 1, ramp * band + band, areaHeight);
}


void
BColorControl::SetValue(int32 color)
{
	BControl::SetValue(color);
}


void
BColorControl::SetValue(rgb_color color)
{
	int32 value = ((int32)color.red << 24) | ((int32)color.green << 16)
		| ((int32)color.blue << 8) | color.alpha;
	SetValue(value);
}


rgb_color
BColorControl::ValueAsColor()
{
	uint32 value = (uint32)Value();
	rgb_color color;
	color.red = (value >> 24) & 0xff;
	color.green = (value >> 16) & 0xff;
	color.blue = (value >> 8) & 0xff;
	color.alpha = value & 0xff;
	return color;
}


void
BColorControl::SetEnabled(bool enabled)
{
	BControl::SetEnabled(enabled);
}


void
BColorControl::AttachedToWindow()
{
	BControl::AttachedToWindow();
}


void
BColorControl::Draw(BRect)
{
	rgb_color current = ValueAsColor();
	uint8 levels[4] = { current.red, current.green, current.blue, 0 };
	float areaWidth = fColumns * fCellSize;
	float areaHeight = fRows * fCellSize;
	// Sunken frame around the ramps.
	BPrivate::draw_bevel(this, BRect(0, 0, areaWidth + 1, areaHeight + 1),
		true);
	int32 cells = _Horizontal() ? fColumns : fRows;
	for (int32 ramp = 0; ramp < 4; ramp++) {
		BRect frame = RampFrame(ramp);
		for (int32 cell = 0; cell < cells; cell++) {
			uint8 level = (uint8)(cells > 1 ? (cell * 255) / (cells - 1) : 255);
			if (!IsEnabled())
				level = (uint8)(level / 2 + 100);
			rgb_color color = { 0, 0, 0, 255 };
			switch (ramp) {
				case 0: color.red = level; break;
				case 1: color.green = level; break;
				case 2: color.blue = level; break;
				default: color.red = color.green = color.blue = level; break;
			}
			BRect cellFrame = frame;
			if (_Horizontal()) {
				cellFrame.left = frame.left + cell * fCellSize;
				cellFrame.right = cellFrame.left + fCellSize - 1;
			} else {
				cellFrame.top = frame.top + cell * fCellSize;
				cellFrame.bottom = cellFrame.top + fCellSize - 1;
			}
			SetHighColor(color);
			FillRect(cellFrame);
		}
		if (ramp < 3) {
			// A small white-and-black marker at the component's level.
			float position = levels[ramp] / 255.0f;
			SetHighColor(255, 255, 255);
			if (_Horizontal()) {
				float x = floorf(frame.left + position * (frame.Width()));
				StrokeLine(BPoint(x, frame.top), BPoint(x, frame.bottom));
				SetHighColor(0, 0, 0);
				StrokeLine(BPoint(x + 1, frame.top), BPoint(x + 1,
					frame.bottom));
			} else {
				float y = floorf(frame.top + position * (frame.Height()));
				StrokeLine(BPoint(frame.left, y), BPoint(frame.right, y));
				SetHighColor(0, 0, 0);
				StrokeLine(BPoint(frame.left, y + 1), BPoint(frame.right,
					y + 1));
			}
		}
		if (IsFocus() && ramp == fFocusRamp && Window() != NULL
			&& Window()->IsActive()) {
			SetHighColor(BPrivate::focus_color());
			StrokeRect(frame);
		}
	}
	// The swatch of the chosen colour and the three values beside it.
	float left = areaWidth + 6;
	BRect swatch(left, 0, left + _SidePanelWidth() - 8,
		std::min(areaHeight, 22.0f));
	BRect inner = BPrivate::draw_well(this, swatch, false, IsEnabled());
	SetHighColor(current);
	FillRect(inner);
	BFont font;
	GetFont(&font);
	float lineHeight = BPrivate::font_line_height(font);
	const char* names[3] = { "Red:", "Green:", "Blue:" };
	SetLowColor(ViewColor());
	for (int32 i = 0; i < 3; i++) {
		char text[32];
		snprintf(text, sizeof(text), "%s %d", names[i], levels[i]);
		float y = swatch.bottom + 3 + (i + 1) * lineHeight;
		if (y > Bounds().bottom)
			break;
		SetHighColor(BPrivate::text_color(IsEnabled()));
		DrawString(text, BPoint(left, y));
	}
}


bool
BColorControl::_ValueAt(BPoint where, int32* ramp, uint8* level) const
{
	for (int32 i = 0; i < 4; i++) {
		BRect frame = RampFrame(i);
		BRect hit = frame;
		if (_Horizontal())
			hit.InsetBy(-2, 0);
		else
			hit.InsetBy(0, -2);
		if (!hit.Contains(where))
			continue;
		*ramp = i;
		float fraction = _Horizontal()
			? (where.x - frame.left) / std::max(1.0f, frame.Width())
			: (where.y - frame.top) / std::max(1.0f, frame.Height());
		fraction = std::min(1.0f, std::max(0.0f, fraction));
		*level = (uint8)floorf(fraction * 255 + 0.5f);
		return true;
	}
	return false;
}


void
BColorControl::_SetComponent(int32 ramp, uint8 level)
{
	rgb_color color = ValueAsColor();
	switch (ramp) {
		case 0: color.red = level; break;
		case 1: color.green = level; break;
		case 2: color.blue = level; break;
		default: color.red = color.green = color.blue = level; break;
	}
	int32 before = Value();
	SetValue(color);
	if (Value() != before)
		Invoke();
}


void
BColorControl::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	if (Flags() & B_NAVIGABLE)
		MakeFocus(true);
	int32 ramp;
	uint8 level;
	if (!_ValueAt(where, &ramp, &level))
		return;
	fTrackingRamp = ramp;
	fFocusRamp = ramp;
	SetTracking(true);
	SetMouseEventMask(B_POINTER_EVENTS, B_LOCK_WINDOW_FOCUS);
	_SetComponent(ramp, level);
}


void
BColorControl::MouseMoved(BPoint where, uint32, const BMessage*)
{
	if (!IsTracking() || fTrackingRamp < 0)
		return;
	BRect frame = RampFrame(fTrackingRamp);
	// While dragging, the pointer may leave the ramp: clamp to it.
	where.x = std::min(frame.right, std::max(frame.left, where.x));
	where.y = std::min(frame.bottom, std::max(frame.top, where.y));
	int32 ramp;
	uint8 level;
	if (_ValueAt(where, &ramp, &level) && ramp == fTrackingRamp)
		_SetComponent(ramp, level);
}


void
BColorControl::MouseUp(BPoint)
{
	SetTracking(false);
	fTrackingRamp = -1;
}


void
BColorControl::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes <= 0 || !IsEnabled()) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	rgb_color color = ValueAsColor();
	uint8 levels[4] = { color.red, color.green, color.blue,
		(uint8)((color.red + color.green + color.blue) / 3) };
	int32 step = (modifiers() & B_SHIFT_KEY) ? 16 : 1;
	int32 level = levels[fFocusRamp];
	switch (bytes[0]) {
		case B_UP_ARROW:
			fFocusRamp = (fFocusRamp + 3) % 4;
			Invalidate();
			return;
		case B_DOWN_ARROW:
			fFocusRamp = (fFocusRamp + 1) % 4;
			Invalidate();
			return;
		case B_LEFT_ARROW:
			level = std::max(0, level - step);
			break;
		case B_RIGHT_ARROW:
			level = std::min(255, level + step);
			break;
		default:
			BView::KeyDown(bytes, numBytes);
			return;
	}
	_SetComponent(fFocusRamp, (uint8)level);
}


void
BColorControl::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	float lineHeight = BPrivate::font_line_height(font);
	float areaWidth = fColumns * fCellSize + 2;
	float areaHeight = fRows * fCellSize + 2;
	if (width != NULL)
		*width = areaWidth + 4 + _SidePanelWidth() - 1;
	if (height != NULL)
		*height = std::max(areaHeight, 22 + 4 + 3 * lineHeight) - 1;
}


void
BColorControl::SetCellSize(float size)
{
	fCellSize = size < 1 ? 1 : size;
	_Layout();
	Invalidate();
}


void
BColorControl::SetLayout(color_control_layout layout)
{
	fColumns = layout;
	fRows = 256 / layout;
	_Layout();
	Invalidate();
}
