// BListItem and BStringItem: rows of a list view.
#include <ListItem.h>

#include <Font.h>
#include <InterfaceDefs.h>
#include <View.h>

#include <cmath>
#include <cstring>

#include "ControlLook.h"

BListItem::BListItem(uint32 outlineLevel, bool expanded)
	:
	fWidth(0),
	fHeight(0),
	fLevel(outlineLevel),
	fSelected(false),
	fEnabled(true),
	fExpanded(expanded)
{
}


BListItem::~BListItem()
{
}


void
BListItem::Update(BView* owner, const BFont* font)
{
	fWidth = owner != NULL ? owner->Bounds().Width() : 0;
	fHeight = font != NULL ? BPrivate::font_line_height(*font) + 1 : 13;
}


BStringItem::BStringItem(const char* text, uint32 outlineLevel, bool expanded)
	:
	BListItem(outlineLevel, expanded),
	fText(NULL),
	fBaselineOffset(0)
{
	SetText(text);
}


BStringItem::~BStringItem()
{
	delete[] fText;
}


void
BStringItem::DrawItem(BView* owner, BRect frame, bool complete)
{
	rgb_color low = owner->LowColor();
	rgb_color highlight = tint_color(low, B_HIGHLIGHT_BACKGROUND_TINT);
	if (IsSelected() || complete) {
		owner->SetHighColor(IsSelected() ? highlight : low);
		owner->FillRect(frame);
	}
	if (fText != NULL) {
		owner->SetHighColor(BPrivate::text_color(IsEnabled()));
		if (IsSelected())
			owner->SetLowColor(highlight);
		owner->DrawString(fText, BPoint(frame.left + 4 + OutlineLevel() * 10,
			frame.top + fBaselineOffset));
		owner->SetLowColor(low);
	}
}


void
BStringItem::SetText(const char* text)
{
	delete[] fText;
	fText = NULL;
	if (text != NULL) {
		size_t length = strlen(text);
		fText = new char[length + 1];
		memcpy(fText, text, length + 1);
	}
}


void
BStringItem::Update(BView* owner, const BFont* font)
{
	BListItem::Update(owner, font);
	if (font != NULL) {
		font_height fh;
		font->GetHeight(&fh);
		fBaselineOffset = ceilf(fh.ascent) + 1;
		// The whole descent lies below the baseline inside the row: the
		// next row's background would otherwise wipe out what hangs lowest
		// (an underscore sits below the descenders in common fonts).
		SetHeight(fBaselineOffset + ceilf(fh.descent) + ceilf(fh.leading));
		float width = fText != NULL ? ceilf(font->StringWidth(fText)) + 8 : 8;
		SetWidth(width);
	}
}
