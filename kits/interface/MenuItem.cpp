// BMenuItem and BSeparatorItem: the entries a menu lays out and draws.
#include <MenuItem.h>

#include <Menu.h>
#include <MenuField.h>
#include <Message.h>
#include <Window.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "ControlLook.h"
#include "MenuWindow.h"

static char*
copy_label(const char* text)
{
	if (text == NULL)
		text = "";
	size_t length = strlen(text);
	char* copy = new char[length + 1];
	memcpy(copy, text, length + 1);
	return copy;
}


BMenuItem::BMenuItem(const char* label, BMessage* message, char shortcut,
	uint32 modifiers)
	:
	BInvoker(message, NULL, NULL),
	fLabel(copy_label(label)),
	fSubmenu(NULL),
	fSuper(NULL),
	fModifiers(0),
	fShortcut(0),
	fTrigger(0),
	fEnabled(true),
	fMarked(false),
	fSelected(false)
{
	if (shortcut != 0)
		SetShortcut(shortcut, modifiers);
}


BMenuItem::BMenuItem(BMenu* submenu, BMessage* message)
	:
	BInvoker(message, NULL, NULL),
	fLabel(copy_label(submenu != NULL ? submenu->Name() : NULL)),
	fSubmenu(submenu),
	fSuper(NULL),
	fModifiers(0),
	fShortcut(0),
	fTrigger(0),
	fEnabled(true),
	fMarked(false),
	fSelected(false)
{
	if (submenu != NULL)
		submenu->fSuperitem = this;
}


BMenuItem::~BMenuItem()
{
	if (fSuper != NULL)
		fSuper->RemoveItem(this);
	if (fSubmenu != NULL) {
		fSubmenu->fSuperitem = NULL;
		if (fSubmenu->Parent() != NULL)
			fSubmenu->RemoveSelf();
		delete fSubmenu;
	}
	delete[] fLabel;
}


void
BMenuItem::SetLabel(const char* label)
{
	if (label != NULL && strcmp(label, fLabel) == 0)
		return;
	delete[] fLabel;
	fLabel = copy_label(label);
	if (fSuper != NULL)
		fSuper->_ItemChanged(this);
	if (fSubmenu != NULL && fSubmenu->fField != NULL)
		fSubmenu->fField->Invalidate();
}


void
BMenuItem::SetEnabled(bool enabled)
{
	if (fSubmenu != NULL)
		fSubmenu->SetEnabled(enabled);
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	if (fSuper != NULL)
		fSuper->_ItemChanged(this);
}


void
BMenuItem::SetMarked(bool marked)
{
	if (marked == fMarked)
		return;
	fMarked = marked;
	if (fSuper != NULL) {
		if (marked)
			fSuper->_ItemMarked(this);
		fSuper->_ItemChanged(this);
	}
}


void
BMenuItem::SetTrigger(char trigger)
{
	fTrigger = trigger;
	if (fSuper != NULL)
		fSuper->_ItemChanged(this);
}


void
BMenuItem::SetShortcut(char shortcut, uint32 modifiers)
{
	fShortcut = shortcut;
	fModifiers = shortcut != 0 ? (modifiers | B_COMMAND_KEY) : 0;
	if (fSuper != NULL)
		fSuper->_ItemChanged(this);
}


bool
BMenuItem::IsEnabled() const
{
	if (fSubmenu != NULL)
		return fSubmenu->IsEnabled();
	if (!fEnabled)
		return false;
	return fSuper != NULL ? fSuper->IsEnabled() : true;
}


char
BMenuItem::Shortcut(uint32* modifiers) const
{
	if (modifiers != NULL)
		*modifiers = fModifiers;
	return fShortcut;
}


status_t
BMenuItem::Invoke(BMessage* message)
{
	if (!IsEnabled())
		return B_ERROR;
	if (fSuper != NULL && fSuper->IsRadioMode() && fSubmenu == NULL)
		SetMarked(true);
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;

	BMessage copy(*message);
	copy.AddInt64("when", BPrivate::controls_now());
	copy.AddPointer("source", this);
	copy.AddInt32("index", fSuper != NULL ? fSuper->IndexOf(this) : -1);

	// Without a target of its own an item talks to the window its menu
	// hierarchy is shown in (the menu bar's or menu field's window).
	const BMenu* root = fSuper;
	while (root != NULL && root->Supermenu() != NULL)
		root = root->Supermenu();
	const BHandler* fallback = NULL;
	if (root != NULL) {
		if (root->fField != NULL)
			fallback = root->fField->Window();
		else if (root->Window() != NULL
			&& dynamic_cast<BPrivate::MenuWindow*>(root->Window()) == NULL)
			fallback = root->Window();
	}
	_SetFallbackTarget(fallback);
	return _PostCopy(&copy, this);
}


void
BMenuItem::GetShortcutText(char* buffer, size_t size) const
{
	if (size == 0)
		return;
	buffer[0] = '\0';
	if (fShortcut == 0)
		return;
	// The Command key is Alt on this system, so that is what the menu says.
	char key[16];
	unsigned char c = (unsigned char)fShortcut;
	if (c == B_ENTER)
		snprintf(key, sizeof(key), "Enter");
	else if (c == B_SPACE)
		snprintf(key, sizeof(key), "Space");
	else if (c == B_DELETE)
		snprintf(key, sizeof(key), "Del");
	else
		snprintf(key, sizeof(key), "%c", toupper(c));
	snprintf(buffer, size, "%s%s%s%s%s",
		(fModifiers & B_CONTROL_KEY) ? "Ctrl+" : "",
		(fModifiers & B_OPTION_KEY) ? "Win+" : "",
		(fModifiers & B_SHIFT_KEY) ? "Shift+" : "",
		(fModifiers & B_COMMAND_KEY) ? "Alt+" : "", key);
}


void
BMenuItem::GetContentSize(float* width, float* height)
{
	BFont font;
	BView* owner = _Owner();
	if (owner != NULL)
		owner->GetFont(&font);
	if (width != NULL)
		*width = ceilf(BPrivate::label_width(font, fLabel));
	if (height != NULL)
		*height = BPrivate::font_line_height(font);
}


BPoint
BMenuItem::ContentLocation() const
{
	float left = 0, top = 0;
	if (fSuper != NULL)
		fSuper->GetItemMargins(&left, &top, NULL, NULL);
	return BPoint(fFrame.left + left, fFrame.top + top);
}


void
BMenuItem::DrawContent()
{
	BView* owner = _Owner();
	if (owner == NULL)
		return;
	BFont font;
	owner->GetFont(&font);
	BPoint where = ContentLocation();
	where.y += BPrivate::font_ascent(font);
	owner->SetHighColor(BPrivate::text_color(IsEnabled()));
	BPrivate::set_label_encoding(owner, fLabel);
	owner->DrawString(fLabel, where);
}


void
BMenuItem::Draw()
{
	BView* owner = _Owner();
	if (owner == NULL || fSuper == NULL)
		return;
	bool selected = fSelected && (IsEnabled() || fSubmenu != NULL);
	rgb_color background = selected ? BPrivate::menu_selected_color()
		: BPrivate::panel_color();
	owner->SetHighColor(background);
	owner->SetLowColor(background);
	owner->FillRect(fFrame);
	DrawContent();

	if (fSuper->_IsBar())
		return;
	BFont font;
	owner->GetFont(&font);
	float baseline = fFrame.top + 2 + BPrivate::font_ascent(font);
	rgb_color text = BPrivate::text_color(IsEnabled());
	if (fMarked) {
		BRect box(fFrame.left + 5, fFrame.top + 3, fFrame.left + 14,
			fFrame.top + 12);
		box.OffsetBy(0, floorf((fFrame.Height() - 9) / 2) - 3);
		BPrivate::draw_check_mark(owner, box.InsetByCopy(-2, -2), text);
	}
	if (fSubmenu != NULL) {
		BRect arrow(fFrame.right - 14, fFrame.top, fFrame.right - 4,
			fFrame.bottom);
		BPrivate::draw_arrow(owner, arrow, false, text);
	} else if (fShortcut != 0) {
		char shortcut[64];
		GetShortcutText(shortcut, sizeof(shortcut));
		BPrivate::set_label_encoding(owner, shortcut);
		float width = ceilf(font.StringWidth(shortcut));
		rgb_color shortcutColor = IsEnabled()
			? (rgb_color){ 64, 64, 64, 255 } : text;
		owner->SetHighColor(shortcutColor);
		owner->DrawString(shortcut, BPoint(fFrame.right - 8 - width,
			baseline));
	}
}


void
BMenuItem::Highlight(bool on)
{
	fSelected = on;
	if (fSuper != NULL)
		fSuper->Invalidate(fFrame);
}


void
BMenuItem::_SetSuper(BMenu* menu)
{
	fSuper = menu;
}


BView*
BMenuItem::_Owner() const
{
	return fSuper;
}


void
BMenuItem::_Install(BView*)
{
}


// #pragma mark - BSeparatorItem


BSeparatorItem::BSeparatorItem()
	:
	BMenuItem("", NULL)
{
	BMenuItem::SetEnabled(false);
}


BSeparatorItem::~BSeparatorItem()
{
}


void
BSeparatorItem::SetEnabled(bool)
{
	// A separator can never be chosen.
}


void
BSeparatorItem::GetContentSize(float* width, float* height)
{
	if (width != NULL)
		*width = 2;
	if (height != NULL)
		*height = 8;
}


void
BSeparatorItem::Draw()
{
	BView* owner = _Owner();
	if (owner == NULL)
		return;
	BRect frame = Frame();
	owner->SetHighColor(BPrivate::panel_color());
	owner->FillRect(frame);
	float y = floorf((frame.top + frame.bottom) / 2);
	owner->SetHighColor(BPrivate::shadow_color());
	owner->StrokeLine(BPoint(frame.left + 4, y), BPoint(frame.right - 4, y));
	owner->SetHighColor(BPrivate::shine_color());
	owner->StrokeLine(BPoint(frame.left + 4, y + 1),
		BPoint(frame.right - 4, y + 1));
}
