// BMenuBar: the menu row of a window, its menus and its keyboard shortcuts.
#include <MenuBar.h>

#include <MenuItem.h>
#include <Message.h>
#include <MessageFilter.h>
#include <Window.h>

#include <cctype>
#include <cmath>

#include "ControlLook.h"
#include "MenuWindow.h"

namespace {

// Looks at every key the window gets before its views do, so that a
// shortcut reaches its item whichever view has the keyboard.
class ShortcutFilter : public BMessageFilter {
public:
	ShortcutFilter(BMenuBar* bar)
		:
		BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE, B_KEY_DOWN),
		fBar(bar)
	{
	}

	virtual filter_result Filter(BMessage* message, BHandler**)
	{
		BWindow* window = fBar->Window();
		if (window == NULL || window->KeyMenuBar() != fBar)
			return B_DISPATCH_MESSAGE;
		int32 modifiers = 0;
		message->FindInt32("modifiers", &modifiers);
		const char* bytes = NULL;
		message->FindString("bytes", &bytes);
		int32 raw = 0;
		message->FindInt32("raw_char", &raw);
		if ((modifiers & B_COMMAND_KEY) == 0) {
			int32 key = 0;
			message->FindInt32("key", &key);
			if (bytes != NULL && (uint8)bytes[0] == B_FUNCTION_KEY
				&& key == B_F10_KEY && (modifiers & (B_SHIFT_KEY
					| B_CONTROL_KEY | B_OPTION_KEY)) == 0) {
				fBar->StartMenuBar(0, true);
				return B_SKIP_MESSAGE;
			}
			return B_DISPATCH_MESSAGE;
		}
		uint32 key = 0;
		if (raw > 0x20 && raw < 0x7f)
			key = (uint32)raw;
		else if (bytes != NULL && bytes[0] != '\0') {
			key = (uint8)bytes[0];
			// Control held may have turned a letter into a control code.
			if (key < 0x20 && (modifiers & B_CONTROL_KEY) != 0
				&& key >= 1 && key <= 26)
				key += 'a' - 1;
		}
		if (key == 0)
			return B_DISPATCH_MESSAGE;
		return fBar->HandleShortcut(key, (uint32)modifiers) ? B_SKIP_MESSAGE
			: B_DISPATCH_MESSAGE;
	}

private:
	BMenuBar* fBar;
};

const uint32 kShortcutModifiers = B_COMMAND_KEY | B_CONTROL_KEY | B_SHIFT_KEY
	| B_OPTION_KEY;

}	// namespace


BMenuBar::BMenuBar(BRect frame, const char* name, uint32 resizingMode,
	menu_layout layout, bool resizeToFit)
	:
	BMenu(frame, name, resizingMode, B_WILL_DRAW | B_FRAME_EVENTS, layout,
		resizeToFit),
	fBorder(B_BORDER_FRAME),
	fShortcutFilter(NULL),
	fTracking(false)
{
	_SetIsBar(true);
	if (layout == B_ITEMS_IN_ROW)
		SetItemMargins(8, 2, 8, 2);
}


BMenuBar::~BMenuBar()
{
	if (fShortcutFilter != NULL) {
		if (fShortcutFilter->Looper() != NULL)
			fShortcutFilter->Looper()->RemoveCommonFilter(fShortcutFilter);
		delete fShortcutFilter;
	}
}


void
BMenuBar::AttachedToWindow()
{
	BMenu::AttachedToWindow();
	if (Window()->KeyMenuBar() == NULL)
		Window()->SetKeyMenuBar(this);
	if (fShortcutFilter == NULL) {
		fShortcutFilter = new ShortcutFilter(this);
		Window()->AddCommonFilter(fShortcutFilter);
	}
	if (fResizeToFit)
		ResizeToPreferred();
}


void
BMenuBar::DetachedFromWindow()
{
	if (fShortcutFilter != NULL) {
		Window()->RemoveCommonFilter(fShortcutFilter);
		delete fShortcutFilter;
		fShortcutFilter = NULL;
	}
	if (Window()->KeyMenuBar() == this)
		Window()->SetKeyMenuBar(NULL);
	BMenu::DetachedFromWindow();
}


void
BMenuBar::Draw(BRect updateRect)
{
	if (!fLaidOut)
		_LayoutItems();
	BRect bounds = Bounds();
	SetHighColor(BPrivate::panel_color());
	FillRect(bounds);
	for (int32 i = 0; i < CountItems(); i++) {
		BMenuItem* item = ItemAt(i);
		if (item->Frame().Intersects(updateRect))
			item->Draw();
	}
	// White along the top and left, the shadow and a dark line below.
	BeginLineArray(4);
	AddLine(bounds.LeftTop(), bounds.RightTop(), BPrivate::shine_color());
	AddLine(bounds.LeftTop(), bounds.LeftBottom(), BPrivate::shine_color());
	AddLine(BPoint(bounds.left, bounds.bottom - 1),
		BPoint(bounds.right, bounds.bottom - 1), BPrivate::shadow_color());
	AddLine(bounds.LeftBottom(), bounds.RightBottom(), BPrivate::dark_color());
	EndLineArray();
}


void
BMenuBar::MouseDown(BPoint where)
{
	int32 index = _ItemIndexAt(where);
	if (index >= 0 && !fTracking)
		StartMenuBar(index, false);
}


void
BMenuBar::MouseUp(BPoint)
{
}


void
BMenuBar::MouseMoved(BPoint, uint32, const BMessage*)
{
}


void
BMenuBar::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes > 0 && (bytes[0] == B_DOWN_ARROW || bytes[0] == B_ENTER)) {
		StartMenuBar(0, true);
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


void
BMenuBar::GetPreferredSize(float* width, float* height)
{
	float w, h;
	BMenu::GetPreferredSize(&w, &h);
	if (Layout() == B_ITEMS_IN_ROW) {
		BFont font;
		GetFont(&font);
		float top, bottom;
		GetItemMargins(NULL, &top, NULL, &bottom);
		h = BPrivate::font_line_height(font) + top + bottom + 3;
		// A bar that follows both sides keeps its width.
		uint32 mode = ResizingMode();
		if ((mode & 0x0f) == _VIEW_RIGHT_ && ((mode >> 8) & 0x0f) == _VIEW_LEFT_) {
			if (Parent() != NULL)
				w = Parent()->Bounds().Width();
			else if (Window() != NULL)
				w = Window()->Bounds().Width();
			else
				w = Bounds().Width();
		}
	}
	if (width != NULL)
		*width = w;
	if (height != NULL)
		*height = h;
}


void
BMenuBar::ResizeToPreferred()
{
	float width, height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
	_LayoutItems();
	Invalidate();
}


void
BMenuBar::SetBorder(menu_bar_border border)
{
	fBorder = border;
	Invalidate();
}


BMenuItem*
BMenuBar::_FindShortcut(BMenu* root, uint32 key, uint32 modifiers) const
{
	uint32 wanted = modifiers & kShortcutModifiers;
	int upper = toupper((int)key);
	std::vector<BMenu*> pending(1, root);
	BMenuItem* disabledMatch = NULL;
	while (!pending.empty()) {
		BMenu* menu = pending.back();
		pending.pop_back();
		for (int32 i = 0; i < menu->CountItems(); i++) {
			BMenuItem* item = menu->ItemAt(i);
			if (item->Submenu() != NULL) {
				pending.push_back(item->Submenu());
				continue;
			}
			uint32 itemModifiers;
			char shortcut = item->Shortcut(&itemModifiers);
			if (shortcut == 0 || toupper((unsigned char)shortcut) != upper
				|| (itemModifiers & kShortcutModifiers) != wanted)
				continue;
			// Another item may carry the same shortcut while enabled.
			if (item->IsEnabled())
				return item;
			if (disabledMatch == NULL)
				disabledMatch = item;
		}
	}
	return disabledMatch;
}


bool
BMenuBar::HandleShortcut(uint32 key, uint32 modifiers)
{
	if ((modifiers & B_COMMAND_KEY) == 0)
		return false;
	BMenuItem* item = _FindShortcut(this, key, modifiers);
	if (item == NULL)
		return false;
	if (item->IsEnabled()) {
		if (Window() != NULL) {
			Window()->MenusBeginning();
			Window()->MenusEnded();
		}
		// The window may have disabled it on MenusBeginning().
		if (item->IsEnabled())
			item->Invoke();
	}
	return true;
}


void
BMenuBar::StartMenuBar(int32 index, bool sticky)
{
	if (fTracking || Window() == NULL || CountItems() == 0)
		return;
	fTracking = true;
	Window()->MenusBeginning();
	bool keyboard = sticky;
	BMenuItem* chosen = NULL;
	int32 count = CountItems();
	for (int32 turns = 0; turns < 64; turns++) {
		BMenuItem* item = ItemAt(index);
		if (item == NULL)
			break;
		_Select(index);
		Window()->UpdateIfNeeded();
		int32 move = 0;
		int32 jump = -1;
		if (item->Submenu() != NULL) {
			if (item->IsEnabled()) {
				BPrivate::MenuTracker tracker(this);
				chosen = tracker.Run(item->Submenu(),
					item->Submenu()->ScreenLocation(), keyboard);
				move = tracker.BarMove();
				jump = tracker.BarIndex();
			} else if (keyboard)
				move = 1;
		} else if (item->IsEnabled())
			chosen = item;
		if (jump >= 0) {
			// The mouse went over another title: its menu opens as a click
			// would open it.
			index = jump;
			continue;
		}
		if (move == 0)
			break;
		index = (index + move + count) % count;
		keyboard = true;
	}
	_Select(-1);
	Invalidate();
	fTracking = false;
	Window()->MenusEnded();
	if (chosen != NULL)
		chosen->Invoke();
}
