// BMenuField: a label and a bevelled menu button that pops its menu up.
#include <MenuField.h>

#include <MenuItem.h>
#include <Window.h>

#include <cmath>
#include <cstring>

#include "ControlLook.h"
#include "MenuWindow.h"

BMenuField::BMenuField(BRect frame, const char* name, const char* label,
	BMenu* menu, uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags)
{
	_Init(label, menu, false);
}


BMenuField::BMenuField(BRect frame, const char* name, const char* label,
	BMenu* menu, bool fixedSize, uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags)
{
	_Init(label, menu, fixedSize);
}


void
BMenuField::_Init(const char* label, BMenu* menu, bool fixedSize)
{
	fLabel = NULL;
	fMenu = menu;
	fMenuItem = NULL;
	fAlign = B_ALIGN_LEFT;
	fEnabled = true;
	fFixedSize = fixedSize;
	fShowMarker = true;
	SetLabel(label);
	fDivider = (fLabel != NULL && fLabel[0] != '\0')
		? ceilf(BPrivate::label_width(*be_plain_font, fLabel)) + 5 : 0;
	if (menu != NULL) {
		// The field owns the menu through a title item of its own.
		fMenuItem = new BMenuItem(menu);
		menu->fField = this;
		BMenuItem* marked = menu->FindMarked();
		if (marked != NULL && menu->IsLabelFromMarked())
			fMenuItem->SetLabel(marked->Label());
	}
	SetViewColor(BPrivate::panel_color());
	SetLowColor(BPrivate::panel_color());
}


BMenuField::~BMenuField()
{
	if (fMenu != NULL)
		fMenu->fField = NULL;
	delete fMenuItem;
	delete[] fLabel;
}


void
BMenuField::AttachedToWindow()
{
	if (Parent() != NULL) {
		SetViewColor(Parent()->ViewColor());
		SetLowColor(Parent()->ViewColor());
	}
	BView::AttachedToWindow();
}


BRect
BMenuField::_MenuFrame() const
{
	BFont font;
	GetFont(&font);
	BRect bounds = Bounds();
	float height = BPrivate::font_line_height(font) + 6;
	float top = floorf((bounds.Height() - height) / 2);
	if (top < 0)
		top = 0;
	BRect frame(fDivider + 1, top, bounds.right - 1, top + height);
	if (!fFixedSize && fMenuItem != NULL) {
		float width = ceilf(BPrivate::label_width(font, fMenuItem->Label())) + 30;
		if (frame.left + width < frame.right)
			frame.right = frame.left + width;
	}
	return frame;
}


void
BMenuField::Draw(BRect)
{
	BFont font;
	GetFont(&font);
	BRect menuFrame = _MenuFrame();
	if (fLabel != NULL && fDivider > 0) {
		BRect labelFrame(0, menuFrame.top, fDivider - 3, menuFrame.bottom);
		BPrivate::draw_label(this, labelFrame, fLabel, fAlign, fEnabled);
	}
	bool enabled = fEnabled && (fMenu == NULL || fMenu->IsEnabled());
	// A raised button with a dark outline, the shown label and the marker.
	SetHighColor(enabled ? BPrivate::dark_color() : BPrivate::shadow_color());
	StrokeRect(menuFrame);
	BRect inner = menuFrame.InsetByCopy(1, 1);
	SetHighColor(BPrivate::panel_color());
	FillRect(inner);
	inner = BPrivate::draw_bevel(this, inner, false);
	if (IsFocus() && Window() != NULL && Window()->IsActive()) {
		SetHighColor(BPrivate::focus_color());
		StrokeRect(inner);
	}
	BRect text = inner;
	text.left += 4;
	text.right -= 14;
	SetLowColor(BPrivate::panel_color());
	if (fMenuItem != NULL)
		BPrivate::draw_label(this, text, fMenuItem->Label(), B_ALIGN_LEFT,
			enabled);
	if (fShowMarker) {
		BRect marker(inner.right - 12, inner.top, inner.right - 2,
			inner.bottom);
		BPrivate::draw_arrow(this, marker, true, BPrivate::text_color(enabled));
	}
}


void
BMenuField::MouseDown(BPoint where)
{
	if (!_MenuFrame().Contains(where) && where.x < fDivider)
		return;
	OpenMenu();
}


void
BMenuField::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes > 0 && (bytes[0] == B_SPACE || bytes[0] == B_DOWN_ARROW
			|| bytes[0] == B_ENTER)) {
		OpenMenu();
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


void
BMenuField::MakeFocus(bool focused)
{
	BView::MakeFocus(focused);
	Invalidate();
}


void
BMenuField::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	float w = fDivider + 30;
	if (fMenu != NULL) {
		float widest = 0;
		for (int32 i = 0; i < fMenu->CountItems(); i++) {
			float labelWidth = BPrivate::label_width(font, fMenu->ItemAt(i)->Label());
			if (labelWidth > widest)
				widest = labelWidth;
		}
		w += ceilf(widest);
	}
	if (width != NULL)
		*width = w;
	if (height != NULL)
		*height = BPrivate::font_line_height(font) + 8;
}


void
BMenuField::SetLabel(const char* label)
{
	delete[] fLabel;
	fLabel = NULL;
	if (label != NULL) {
		size_t length = strlen(label);
		fLabel = new char[length + 1];
		memcpy(fLabel, label, length + 1);
	}
	Invalidate();
}


void
BMenuField::SetEnabled(bool on)
{
	if (fEnabled == on)
		return;
	fEnabled = on;
	if (fMenu != NULL)
		fMenu->SetEnabled(on);
	Invalidate();
}


void
BMenuField::SetAlignment(alignment label)
{
	fAlign = label;
	Invalidate();
}


void
BMenuField::SetDivider(float divider)
{
	fDivider = floorf(divider + 0.5f);
	Invalidate();
}


void
BMenuField::OpenMenu()
{
	if (fMenu == NULL || !fEnabled || !fMenu->IsEnabled() || Window() == NULL)
		return;
	BRect frame = ConvertToScreen(_MenuFrame());
	BMenuItem* chosen = NULL;
	{
		BPrivate::MenuTracker tracker(NULL, this);
		chosen = tracker.Run(fMenu, BPoint(frame.left, frame.bottom + 1),
			IsFocus());
	}
	if (chosen != NULL)
		chosen->Invoke();
	Invalidate();
}
