// Menu windows and the tracker that opens, closes and answers them.
#include "MenuWindow.h"

#include <EventLoop.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Screen.h>

#include <cctype>

#include "ControlLook.h"
#include "WindowPrivate.h"

namespace BPrivate {

static MenuTracker* sCurrentTracker = NULL;

// After a menu window lost the keyboard, wait this long for another of the
// session's windows (a submenu) to take it before the session ends.
static const bigtime_t kActivationGrace = 150000;


MenuWindow::MenuWindow(MenuTracker* tracker, BMenu* menu)
	:
	BWindow(BRect(0, 0, 10, 10), menu->Name() != NULL ? menu->Name() : "menu",
		B_NO_BORDER_WINDOW_LOOK, B_FLOATING_ALL_WINDOW_FEEL,
		B_NOT_MOVABLE | B_NOT_CLOSABLE | B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE
			| B_NOT_RESIZABLE | B_WILL_ACCEPT_FIRST_CLICK
			| B_ASYNCHRONOUS_CONTROLS),
	fTracker(tracker),
	fMenu(menu)
{
	menu->ResizeToPreferred();
	ResizeTo(menu->Bounds().Width(), menu->Bounds().Height());
	menu->MoveTo(0, 0);
	AddChild(menu);
	menu->_LayoutItems();
	menu->fTracker = tracker;
	menu->MakeFocus(true);
}


MenuWindow::~MenuWindow()
{
	// The menu belongs to its item or its owner, never to the window.
	if (fMenu != NULL && fMenu->Window() == this)
		RemoveChild(fMenu);
}


void
MenuWindow::WindowActivated(bool active)
{
	BWindow::WindowActivated(active);
	if (!active && fTracker != NULL)
		fTracker->Deactivated();
}


bool
MenuWindow::QuitRequested()
{
	if (fTracker != NULL)
		fTracker->Dismiss();
	return false;
}


void
MenuWindow::DetachMenu()
{
	if (fMenu == NULL)
		return;
	fMenu->fTracker = NULL;
	fMenu->_Select(-1);
	if (fMenu->Window() == this)
		RemoveChild(fMenu);
	fMenu = NULL;
	fTracker = NULL;
}


// #pragma mark - MenuTracker


MenuTracker::MenuTracker(BMenuBar* bar, BView* origin)
	:
	fBar(bar),
	fOrigin(origin != NULL ? origin : bar),
	fChosen(NULL),
	fDone(false),
	fBarMove(0),
	fBarIndex(-1),
	fSawMouseDown(false),
	fCheckActiveAt(0),
	fOpenParent(NULL),
	fOpenIndex(-1),
	fOpenSelectFirst(false),
	fCloseFromLevel(-1),
	fPrevious(sCurrentTracker)
{
	sCurrentTracker = this;
}


MenuTracker::~MenuTracker()
{
	_CloseFrom(0);
	for (MenuWindow* window : fClosed) {
		if (window->Lock())
			window->Quit();
	}
	sCurrentTracker = fPrevious;
}


MenuTracker*
MenuTracker::Current()
{
	return sCurrentTracker;
}


BMenuItem*
MenuTracker::Run(BMenu* menu, BPoint screenWhere, bool keyboard)
{
	if (menu == NULL || menu->Window() != NULL)
		return NULL;
	_Open(menu, screenWhere);
	if (keyboard && !fWindows.empty()) {
		MenuWindow* window = fWindows.back();
		if (window->Lock()) {
			menu->_Select(menu->_NextSelectable(-1, 1));
			window->Unlock();
		}
	}
	int32 timer = add_timer(50000, _Tick, this);
	run_event_loop_until(_Done, this);
	remove_timer(timer);

	_CloseFrom(0);
	for (MenuWindow* window : fClosed) {
		if (window->Lock())
			window->Quit();
	}
	fClosed.clear();
	return fChosen;
}


bool
MenuTracker::_Done(void* cookie)
{
	MenuTracker* tracker = static_cast<MenuTracker*>(cookie);
	tracker->_Apply();
	return tracker->fDone;
}


void
MenuTracker::_Tick(void*)
{
	// Only wakes the loop so that _Done() looks at the clock.
}


void
MenuTracker::_Apply()
{
	if (fDone)
		return;
	_TakeOriginPointer();
	if (fDone)
		return;
	if (fCloseFromLevel >= 0) {
		_CloseFrom((size_t)fCloseFromLevel);
		fCloseFromLevel = -1;
		// The keyboard goes back to the menu that is now the deepest.
		if (!fWindows.empty())
			fWindows.back()->Activate();
	}
	if (fOpenParent != NULL) {
		BMenu* parent = fOpenParent;
		int32 index = fOpenIndex;
		fOpenParent = NULL;
		int32 level = _LevelOf(parent);
		BMenuItem* item = parent->ItemAt(index);
		if (level >= 0 && item != NULL && item->Submenu() != NULL
			&& item->IsEnabled()) {
			BMenu* submenu = item->Submenu();
			if (_LevelOf(submenu) < 0) {
				_CloseFrom((size_t)level + 1);
				_Open(submenu, _SubmenuLocation(parent, index));
			}
			if (fOpenSelectFirst && submenu->Window() != NULL
				&& submenu->Window()->Lock()) {
				submenu->_Select(submenu->_NextSelectable(-1, 1));
				submenu->Window()->UpdateIfNeeded();
				submenu->Window()->Unlock();
			}
		}
	}
	if (fCheckActiveAt != 0 && controls_now() >= fCheckActiveAt) {
		fCheckActiveAt = 0;
		bool active = false;
		for (MenuWindow* window : fWindows) {
			if (window->IsActive())
				active = true;
		}
		if (!active)
			fDone = true;
	}
}


void
MenuTracker::_TakeOriginPointer()
{
	if (fOrigin == NULL || fOrigin->Window() == NULL)
		return;
	WindowPrivate* origin = window_private(fOrigin->Window());
	while (!fDone) {
		BMessage* message = origin->TakePointerMessage(_ChooseOriginPointer,
			this);
		if (message == NULL)
			break;
		_OriginPointer(message);
		delete message;
	}
}


WindowPrivate::PointerChoice
MenuTracker::_ChooseOriginPointer(const BMessage* message, void* cookie)
{
	// A press on the bar belongs to the session too; any other press is
	// the window's, and what follows it waits for it.
	if (message->what != B_MOUSE_DOWN)
		return WindowPrivate::POINTER_TAKE;
	const MenuTracker* tracker = static_cast<const MenuTracker*>(cookie);
	return tracker->_IsOverBar(message) ? WindowPrivate::POINTER_TAKE
		: WindowPrivate::POINTER_STOP;
}


bool
MenuTracker::_IsOverBar(const BMessage* message) const
{
	if (fBar == NULL || fBar != fOrigin)
		return false;
	BPoint where;
	if (message->FindPoint("be:window_where", &where) != B_OK
		&& message->FindPoint("where", &where) != B_OK)
		return false;
	BPoint local = fBar->ConvertFromScreen(fBar->Window()->ConvertToScreen(where));
	return fBar->Bounds().Contains(local);
}


void
MenuTracker::_OriginPointer(BMessage* message)
{
	BPoint where;
	if (message->FindPoint("be:window_where", &where) != B_OK
		&& message->FindPoint("where", &where) != B_OK)
		return;
	BPoint screen = fOrigin->Window()->ConvertToScreen(where);
	bool release = message->what == B_MOUSE_UP;
	if (message->what == B_MOUSE_DOWN) {
		// A press on the bar: on the open menu's title it closes the menu,
		// on another title it opens that one instead.
		int32 index = fBar->_ItemIndexAt(fBar->ConvertFromScreen(screen));
		BMenuItem* item = fBar->ItemAt(index);
		if (item != NULL && index != fBar->_SelectedIndex()
			&& item->Submenu() != NULL && item->IsEnabled())
			fBarIndex = index;
		fDone = true;
		return;
	}

	// Over an open menu: the deepest one lies on top.
	for (size_t level = fWindows.size(); level-- > 0;) {
		MenuWindow* window = fWindows[level];
		BMenu* menu = window->Menu();
		if (menu == NULL || !window->Frame().Contains(screen))
			continue;
		int32 index = menu->_ItemIndexAt(menu->ConvertFromScreen(screen));
		if (!release) {
			MouseMoved(menu, index);
			return;
		}
		// Pressed on the title and let go over an item: that is a choice.
		BMenuItem* item = menu->ItemAt(index);
		if (item != NULL && item->Submenu() == NULL && item->IsEnabled()
			&& dynamic_cast<BSeparatorItem*>(item) == NULL)
			_Choose(item);
		return;
	}

	// Over another title of the menu bar: its menu replaces this one.
	if (fBar != NULL && fBar == fOrigin) {
		BPoint local = fBar->ConvertFromScreen(screen);
		int32 index = fBar->Bounds().Contains(local)
			? fBar->_ItemIndexAt(local) : -1;
		BMenuItem* item = fBar->ItemAt(index);
		if (item != NULL && index != fBar->_SelectedIndex()
			&& item->Submenu() != NULL && item->IsEnabled()) {
			fBarIndex = index;
			fDone = true;
			return;
		}
	}
	// Let go over the origin: the menu stays open for clicks.
	if (fOrigin->Bounds().Contains(fOrigin->ConvertFromScreen(screen)))
		return;

	// Dragged out of the menus and let go: nothing is chosen.
	if (release)
		fDone = true;
}


void
MenuTracker::_Open(BMenu* menu, BPoint where)
{
	MenuWindow* window = new MenuWindow(this, menu);
	BRect frame = window->Frame();
	BRect screen = BScreen().Frame();
	if (screen.IsValid()) {
		if (where.x + frame.Width() > screen.right)
			where.x = screen.right - frame.Width();
		if (where.y + frame.Height() > screen.bottom)
			where.y = screen.bottom - frame.Height();
		if (where.x < screen.left)
			where.x = screen.left;
		if (where.y < screen.top)
			where.y = screen.top;
	}
	window->MoveTo(where);
	// The menus belong to the window they were opened from: when that is
	// a modal window, the host would otherwise shut them out with the
	// other windows of the application.
	if (fOrigin != NULL)
		window_private(window)->hostParent = fOrigin->Window();
	fWindows.push_back(window);
	window->Show();
	window->Activate();
	call_menu_open_hook(window, menu);
}


void
MenuTracker::_CloseFrom(size_t level)
{
	while (fWindows.size() > level) {
		MenuWindow* window = fWindows.back();
		fWindows.pop_back();
		if (window->Lock()) {
			window->DetachMenu();
			window->Hide();
			window->Unlock();
		}
		fClosed.push_back(window);
	}
}


int32
MenuTracker::_LevelOf(BMenu* menu) const
{
	for (size_t i = 0; i < fWindows.size(); i++) {
		if (fWindows[i]->Menu() == menu)
			return (int32)i;
	}
	return -1;
}


BPoint
MenuTracker::_SubmenuLocation(BMenu* parent, int32 index) const
{
	BMenuItem* item = parent->ItemAt(index);
	BRect frame = parent->ConvertToScreen(item->Frame());
	return BPoint(frame.right + 1, frame.top - 1);
}


void
MenuTracker::_Choose(BMenuItem* item)
{
	fChosen = item;
	fDone = true;
}


void
MenuTracker::MouseMoved(BMenu* menu, int32 index)
{
	int32 level = _LevelOf(menu);
	if (level < 0 || index < 0 || index == menu->_SelectedIndex())
		return;
	BMenuItem* item = menu->ItemAt(index);
	if (dynamic_cast<BSeparatorItem*>(item) != NULL)
		return;
	menu->_Select(index);
	if (item->Submenu() != NULL) {
		fOpenParent = menu;
		fOpenIndex = index;
		fOpenSelectFirst = false;
	} else if ((int32)fWindows.size() > level + 1) {
		fCloseFromLevel = level + 1;
	}
}


void
MenuTracker::MouseDown(BMenu* menu, int32 index)
{
	fSawMouseDown = true;
	if (_LevelOf(menu) < 0 || index < 0)
		return;
	MouseMoved(menu, index);
}


void
MenuTracker::MouseUp(BMenu* menu, int32 index)
{
	// A release only chooses after a press inside the menus: the release
	// of the click that opened the menu is not a choice.
	if (!fSawMouseDown || _LevelOf(menu) < 0 || index < 0)
		return;
	BMenuItem* item = menu->ItemAt(index);
	if (item == NULL || item->Submenu() != NULL
		|| dynamic_cast<BSeparatorItem*>(item) != NULL || !item->IsEnabled())
		return;
	_Choose(item);
}


void
MenuTracker::KeyDown(BMenu* menu, const char* bytes, int32 numBytes)
{
	// A key acts on the menu whose window has the keyboard; the menus
	// opened from it close when it moves on.
	int32 level = _LevelOf(menu);
	if (numBytes <= 0 || level < 0)
		return;
	bool hasChild = (int32)fWindows.size() > level + 1;
	bool row = menu->Layout() == B_ITEMS_IN_ROW;
	int32 selected = menu->_SelectedIndex();
	BMenuItem* item = menu->ItemAt(selected);
	char key = bytes[0];
	if (row) {
		// In a row the arrows swap meaning.
		if (key == B_RIGHT_ARROW)
			key = B_DOWN_ARROW;
		else if (key == B_LEFT_ARROW)
			key = B_UP_ARROW;
	}
	switch (key) {
		case B_DOWN_ARROW:
		case B_UP_ARROW:
		{
			int32 next = key == B_DOWN_ARROW
				? menu->_NextSelectable(selected, 1)
				: menu->_NextSelectable(selected < 0 ? menu->CountItems()
					: selected, -1);
			if (next != selected && hasChild)
				fCloseFromLevel = level + 1;
			menu->_Select(next);
			break;
		}
		case B_RIGHT_ARROW:
			if (item != NULL && item->Submenu() != NULL && item->IsEnabled()) {
				fOpenParent = menu;
				fOpenIndex = selected;
				fOpenSelectFirst = true;
			} else if (fBar != NULL) {
				fBarMove = 1;
				fDone = true;
			}
			break;
		case B_LEFT_ARROW:
		case B_ESCAPE:
			if (hasChild)
				fCloseFromLevel = level + 1;
			else if (level > 0)
				fCloseFromLevel = level;
			else if (key == B_ESCAPE)
				fDone = true;
			else if (fBar != NULL) {
				fBarMove = -1;
				fDone = true;
			}
			break;
		case B_ENTER:
		case B_SPACE:
			if (item == NULL)
				break;
			if (item->Submenu() != NULL) {
				fOpenParent = menu;
				fOpenIndex = selected;
				fOpenSelectFirst = true;
			} else if (item->IsEnabled()
				&& dynamic_cast<BSeparatorItem*>(item) == NULL)
				_Choose(item);
			break;
		default:
		{
			// A letter moves to the next item that starts with it, and
			// chooses it when it is the only one.
			int32 count = menu->CountItems();
			int32 matches = 0;
			int32 next = -1;
			for (int32 i = 1; i <= count; i++) {
				int32 index = ((selected < 0 ? -1 : selected) + i) % count;
				if (index < 0)
					index += count;
				BMenuItem* candidate = menu->ItemAt(index);
				const char* label = candidate->Label();
				if (!candidate->IsEnabled() || label == NULL
					|| dynamic_cast<BSeparatorItem*>(candidate) != NULL)
					continue;
				if (tolower((unsigned char)label[0])
						== tolower((unsigned char)key)) {
					matches++;
					if (next < 0)
						next = index;
				}
			}
			if (next < 0)
				break;
			if (next != selected && hasChild)
				fCloseFromLevel = level + 1;
			menu->_Select(next);
			BMenuItem* match = menu->ItemAt(next);
			if (matches == 1) {
				if (match->Submenu() != NULL) {
					fOpenParent = menu;
					fOpenIndex = next;
					fOpenSelectFirst = true;
				} else
					_Choose(match);
			}
			break;
		}
	}
}


void
MenuTracker::Deactivated()
{
	fCheckActiveAt = controls_now() + kActivationGrace;
}


void
MenuTracker::Dismiss()
{
	fDone = true;
}

}	// namespace BPrivate
