// BMenu: item list, layout in a row or a column, drawing and marking.
#include <Menu.h>

#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <Window.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ControlLook.h"
#include "MenuWindow.h"

namespace {

BMenu::open_hook sOpenHook = NULL;
void* sOpenHookCookie = NULL;

}	// namespace


BMenu::BMenu(const char* name, menu_layout layout)
	:
	BView(BRect(0, 0, 10, 10), name, B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_NAVIGABLE)
{
	_InitData(layout);
}


BMenu::BMenu(const char* name, float width, float height)
	:
	BView(BRect(0, 0, width, height), name, B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_NAVIGABLE)
{
	_InitData(B_ITEMS_IN_MATRIX);
	fMatrixWidth = width;
	fMatrixHeight = height;
}


BMenu::BMenu(BRect frame, const char* name, uint32 resizingMode, uint32 flags,
	menu_layout layout, bool resizeToFit)
	:
	BView(frame, name, resizingMode, flags)
{
	_InitData(layout);
	fResizeToFit = resizeToFit;
}


void
BMenu::_InitData(menu_layout layout)
{
	fSuperitem = NULL;
	fField = NULL;
	fTracker = NULL;
	fLayout = layout;
	fMatrixWidth = 0;
	fMatrixHeight = 0;
	fMaxContentWidth = 0;
	fSelected = -1;
	fEnabled = true;
	fRadioMode = false;
	fLabelFromMarked = false;
	fTriggersEnabled = true;
	fResizeToFit = true;
	fIsBar = false;
	fLaidOut = false;
	if (layout == B_ITEMS_IN_ROW)
		SetItemMargins(8, 2, 8, 2);
	else
		SetItemMargins(20, 2, 10, 2);
	SetViewColor(BPrivate::panel_color());
	SetLowColor(BPrivate::panel_color());
}


BMenu::~BMenu()
{
	for (BMenuItem* item : fItems) {
		item->_SetSuper(NULL);
		delete item;
	}
	fItems.clear();
}


void
BMenu::AttachedToWindow()
{
	_LayoutItems();
	BView::AttachedToWindow();
}


void
BMenu::DetachedFromWindow()
{
	BView::DetachedFromWindow();
}


void
BMenu::Draw(BRect updateRect)
{
	if (!fLaidOut)
		_LayoutItems();
	BRect bounds = Bounds();
	SetHighColor(BPrivate::panel_color());
	FillRect(bounds);
	if (!fIsBar) {
		// A raised frame around the open menu, dark outline outside.
		SetHighColor(BPrivate::dark_color());
		StrokeRect(bounds);
		BPrivate::draw_bevel(this, bounds.InsetByCopy(1, 1), false);
	}
	for (BMenuItem* item : fItems) {
		if (item->Frame().Intersects(updateRect))
			item->Draw();
	}
}


void
BMenu::MouseDown(BPoint where)
{
	if (fTracker != NULL)
		fTracker->MouseDown(this, _ItemIndexAt(where));
}


void
BMenu::MouseUp(BPoint where)
{
	if (fTracker != NULL)
		fTracker->MouseUp(this, _ItemIndexAt(where));
}


void
BMenu::MouseMoved(BPoint where, uint32 transit, const BMessage*)
{
	if (fTracker == NULL)
		return;
	if (transit == B_EXITED_VIEW || transit == B_OUTSIDE_VIEW)
		return;
	fTracker->MouseMoved(this, _ItemIndexAt(where));
}


void
BMenu::KeyDown(const char* bytes, int32 numBytes)
{
	if (fTracker != NULL) {
		fTracker->KeyDown(this, bytes, numBytes);
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


void
BMenu::GetPreferredSize(float* width, float* height)
{
	float left, top, right, bottom;
	GetItemMargins(&left, &top, &right, &bottom);
	float w = 0, h = 0;
	if (fLayout == B_ITEMS_IN_MATRIX) {
		w = fMatrixWidth;
		h = fMatrixHeight;
		for (BMenuItem* item : fItems) {
			w = std::max(w, item->fFrame.right);
			h = std::max(h, item->fFrame.bottom);
		}
	} else if (fLayout == B_ITEMS_IN_ROW) {
		w = 1;
		for (BMenuItem* item : fItems) {
			float iw, ih;
			item->GetContentSize(&iw, &ih);
			w += iw + left + right;
			h = std::max(h, ih + top + bottom);
		}
		w += 1;
		h += 2;
	} else {
		BFont font;
		GetFont(&font);
		float labels = 0, shortcuts = 0;
		bool submenus = false;
		h = 2;
		for (BMenuItem* item : fItems) {
			float iw, ih;
			item->GetContentSize(&iw, &ih);
			labels = std::max(labels, iw);
			bool separator = dynamic_cast<BSeparatorItem*>(item) != NULL;
			h += separator ? ih : ih + top + bottom;
			if (item->Submenu() != NULL)
				submenus = true;
			if (item->fShortcut != 0) {
				char text[64];
				item->GetShortcutText(text, sizeof(text));
				shortcuts = std::max(shortcuts, ceilf(font.StringWidth(text)));
			}
		}
		if (fMaxContentWidth > 0)
			labels = std::min(labels, fMaxContentWidth);
		w = 2 + left + labels + right;
		if (shortcuts > 0)
			w += shortcuts + 20;
		else if (submenus)
			w += 14;
		if (fItems.empty())
			h = 2 + BPrivate::font_line_height(font) + top + bottom;
	}
	if (width != NULL)
		*width = ceilf(w) - 1;
	if (height != NULL)
		*height = ceilf(h) - 1;
}


void
BMenu::ResizeToPreferred()
{
	float width, height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
	_LayoutItems();
}


void
BMenu::_LayoutItems()
{
	float left, top, right, bottom;
	GetItemMargins(&left, &top, &right, &bottom);
	BRect bounds = Bounds();
	if (fLayout == B_ITEMS_IN_ROW) {
		float x = 1;
		for (BMenuItem* item : fItems) {
			float iw, ih;
			item->GetContentSize(&iw, &ih);
			item->fFrame.Set(x, 1, x + iw + left + right - 1,
				bounds.bottom - 1);
			x += iw + left + right;
		}
	} else if (fLayout == B_ITEMS_IN_COLUMN) {
		float y = 1;
		for (BMenuItem* item : fItems) {
			float iw, ih;
			item->GetContentSize(&iw, &ih);
			bool separator = dynamic_cast<BSeparatorItem*>(item) != NULL;
			float itemHeight = separator ? ih : ih + top + bottom;
			item->fFrame.Set(1, y, bounds.right - 1, y + itemHeight - 1);
			y += itemHeight;
		}
	}
	fLaidOut = true;
}


void
BMenu::_ItemChanged(BMenuItem* item)
{
	fLaidOut = false;
	if (Window() != NULL) {
		if (fResizeToFit && !fIsBar && fLayout != B_ITEMS_IN_MATRIX
			&& dynamic_cast<BPrivate::MenuWindow*>(Window()) == NULL)
			ResizeToPreferred();
		_LayoutItems();
		Invalidate();
	}
	(void)item;
}


void
BMenu::_ItemMarked(BMenuItem* marked)
{
	if (fRadioMode) {
		for (BMenuItem* item : fItems) {
			if (item != marked && item->fMarked) {
				item->fMarked = false;
				if (Window() != NULL)
					Invalidate(item->fFrame);
			}
		}
	}
	if (fLabelFromMarked && fSuperitem != NULL)
		fSuperitem->SetLabel(marked->Label());
}


bool
BMenu::AddItem(BMenuItem* item)
{
	return AddItem(item, CountItems());
}


bool
BMenu::AddItem(BMenuItem* item, int32 index)
{
	if (item == NULL || index < 0 || index > CountItems()
		|| item->fSuper != NULL)
		return false;
	fItems.insert(fItems.begin() + index, item);
	item->_SetSuper(this);
	if (item->fMarked)
		_ItemMarked(item);
	_ItemChanged(item);
	return true;
}


bool
BMenu::AddItem(BMenuItem* item, BRect frame)
{
	if (fLayout != B_ITEMS_IN_MATRIX || !AddItem(item, CountItems()))
		return false;
	item->fFrame = frame;
	return true;
}


bool
BMenu::AddItem(BMenu* submenu)
{
	return AddItem(submenu, CountItems());
}


bool
BMenu::AddItem(BMenu* submenu, int32 index)
{
	if (submenu == NULL)
		return false;
	BMenuItem* item = new BMenuItem(submenu);
	if (!AddItem(item, index)) {
		submenu->fSuperitem = NULL;
		item->fSubmenu = NULL;
		delete item;
		return false;
	}
	return true;
}


bool
BMenu::AddSeparatorItem()
{
	return AddItem(new BSeparatorItem());
}


bool
BMenu::RemoveItem(BMenuItem* item)
{
	int32 index = IndexOf(item);
	if (index < 0)
		return false;
	return RemoveItem(index) != NULL;
}


BMenuItem*
BMenu::RemoveItem(int32 index)
{
	if (index < 0 || index >= CountItems())
		return NULL;
	BMenuItem* item = fItems[index];
	fItems.erase(fItems.begin() + index);
	item->_SetSuper(NULL);
	item->fSelected = false;
	if (fSelected == index)
		fSelected = -1;
	else if (fSelected > index)
		fSelected--;
	_ItemChanged(NULL);
	return item;
}


bool
BMenu::RemoveItems(int32 index, int32 count, bool deleteItems)
{
	if (index < 0 || count < 0 || index + count > CountItems())
		return false;
	for (int32 i = 0; i < count; i++) {
		BMenuItem* item = RemoveItem(index);
		if (deleteItems)
			delete item;
	}
	return true;
}


bool
BMenu::RemoveItem(BMenu* submenu)
{
	int32 index = IndexOf(submenu);
	if (index < 0)
		return false;
	BMenuItem* item = RemoveItem(index);
	delete item;
	return true;
}


BMenuItem*
BMenu::ItemAt(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return NULL;
	return fItems[index];
}


BMenu*
BMenu::SubmenuAt(int32 index) const
{
	BMenuItem* item = ItemAt(index);
	return item != NULL ? item->Submenu() : NULL;
}


int32
BMenu::CountItems() const
{
	return (int32)fItems.size();
}


int32
BMenu::IndexOf(BMenuItem* item) const
{
	auto found = std::find(fItems.begin(), fItems.end(), item);
	return found == fItems.end() ? -1 : (int32)(found - fItems.begin());
}


int32
BMenu::IndexOf(BMenu* submenu) const
{
	for (size_t i = 0; i < fItems.size(); i++) {
		if (fItems[i]->Submenu() == submenu)
			return (int32)i;
	}
	return -1;
}


BMenuItem*
BMenu::FindItem(const char* label) const
{
	if (label == NULL)
		return NULL;
	return _FindItem(label, 0);
}


BMenuItem*
BMenu::FindItem(uint32 command) const
{
	return _FindItem(NULL, command);
}


BMenuItem*
BMenu::_FindItem(const char* label, uint32 command) const
{
	// Depth first, each submenu searched where its item stands; menus nest
	// a few levels at most, the walk keeps its own stack.
	std::vector<std::pair<const BMenu*, int32>> stack;
	stack.push_back(std::make_pair(this, 0));
	while (!stack.empty()) {
		const BMenu* menu = stack.back().first;
		int32 index = stack.back().second;
		if (index >= menu->CountItems()) {
			stack.pop_back();
			continue;
		}
		stack.back().second++;
		BMenuItem* item = menu->fItems[index];
		if (label != NULL) {
			if (strcmp(item->Label(), label) == 0)
				return item;
		} else if (item->Message() != NULL && item->Command() == command)
			return item;
		if (item->Submenu() != NULL)
			stack.push_back(std::make_pair(item->Submenu(), 0));
	}
	return NULL;
}


status_t
BMenu::SetTargetForItems(BHandler* target)
{
	status_t status = B_OK;
	for (BMenuItem* item : fItems) {
		status = item->SetTarget(target);
		if (status != B_OK)
			break;
	}
	return status;
}


status_t
BMenu::SetTargetForItems(BMessenger messenger)
{
	status_t status = B_OK;
	for (BMenuItem* item : fItems) {
		status = item->SetTarget(messenger);
		if (status != B_OK)
			break;
	}
	return status;
}


void
BMenu::SetEnabled(bool enabled)
{
	if (fEnabled == enabled)
		return;
	fEnabled = enabled;
	if (Window() != NULL)
		Invalidate();
	if (fSuperitem != NULL && fSuperitem->Menu() != NULL)
		fSuperitem->Menu()->_ItemChanged(fSuperitem);
	if (fField != NULL)
		fField->Invalidate();
}


void
BMenu::SetRadioMode(bool flag)
{
	fRadioMode = flag;
	if (!flag)
		SetLabelFromMarked(false);
}


void
BMenu::SetTriggersEnabled(bool flag)
{
	fTriggersEnabled = flag;
}


void
BMenu::SetMaxContentWidth(float maxWidth)
{
	fMaxContentWidth = maxWidth;
}


void
BMenu::SetLabelFromMarked(bool flag)
{
	fLabelFromMarked = flag;
	if (flag) {
		fRadioMode = true;
		BMenuItem* marked = FindMarked();
		if (marked != NULL && fSuperitem != NULL)
			fSuperitem->SetLabel(marked->Label());
	}
}


bool
BMenu::IsEnabled() const
{
	if (!fEnabled)
		return false;
	BMenu* super = Supermenu();
	return super != NULL ? super->IsEnabled() : true;
}


BMenuItem*
BMenu::FindMarked()
{
	for (BMenuItem* item : fItems) {
		if (item->IsMarked())
			return item;
	}
	return NULL;
}


BMenu*
BMenu::Supermenu() const
{
	return fSuperitem != NULL ? fSuperitem->Menu() : NULL;
}


void
BMenu::SetOpenHook(open_hook hook, void* cookie)
{
	sOpenHook = hook;
	sOpenHookCookie = cookie;
}


BPoint
BMenu::ScreenLocation()
{
	BMenu* super = Supermenu();
	if (super == NULL || fSuperitem == NULL || super->Window() == NULL)
		return BPoint(0, 0);
	BRect frame = super->ConvertToScreen(fSuperitem->Frame());
	if (super->Layout() == B_ITEMS_IN_ROW)
		return BPoint(frame.left, frame.bottom + 1);
	return BPoint(frame.right + 1, frame.top - 1);
}


void
BMenu::SetItemMargins(float left, float top, float right, float bottom)
{
	fPad[0] = left;
	fPad[1] = top;
	fPad[2] = right;
	fPad[3] = bottom;
	fLaidOut = false;
}


void
BMenu::GetItemMargins(float* left, float* top, float* right,
	float* bottom) const
{
	if (left != NULL)
		*left = fPad[0];
	if (top != NULL)
		*top = fPad[1];
	if (right != NULL)
		*right = fPad[2];
	if (bottom != NULL)
		*bottom = fPad[3];
}


BMenuItem*
BMenu::Track(bool startOpened, BRect*)
{
	BPrivate::MenuTracker tracker(NULL);
	return tracker.Run(this, ScreenLocation(), startOpened);
}


int32
BMenu::_ItemIndexAt(BPoint where) const
{
	for (size_t i = 0; i < fItems.size(); i++) {
		if (fItems[i]->Frame().Contains(where))
			return (int32)i;
	}
	return -1;
}


void
BMenu::_Select(int32 index)
{
	if (index == fSelected)
		return;
	if (fSelected >= 0 && fSelected < CountItems())
		fItems[fSelected]->Highlight(false);
	fSelected = index;
	if (index >= 0 && index < CountItems())
		fItems[index]->Highlight(true);
}


int32
BMenu::_NextSelectable(int32 from, int32 step) const
{
	int32 count = CountItems();
	if (count == 0)
		return -1;
	int32 index = from;
	for (int32 tries = 0; tries < count; tries++) {
		index += step;
		if (index < 0)
			index = count - 1;
		else if (index >= count)
			index = 0;
		BMenuItem* item = fItems[index];
		if (dynamic_cast<BSeparatorItem*>(item) == NULL && item->IsEnabled())
			return index;
	}
	return -1;
}


status_t
get_menu_info(menu_info* info)
{
	if (info == NULL)
		return B_BAD_VALUE;
	BFont font;
	font.GetFamilyAndStyle(&info->f_family, &info->f_style);
	info->font_size = font.Size();
	info->background_color = BPrivate::panel_color();
	info->separator = 0;
	info->click_to_open = true;
	info->triggers_always_shown = false;
	return B_OK;
}


status_t
set_menu_info(menu_info* info)
{
	return info != NULL ? B_OK : B_BAD_VALUE;
}


namespace BPrivate {

void
call_menu_open_hook(BWindow* window, BMenu* menu)
{
	if (sOpenHook != NULL)
		sOpenHook(window, menu, sOpenHookCookie);
}

}	// namespace BPrivate
