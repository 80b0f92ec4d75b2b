/*
 * The windows open menus are shown in, and the tracker that runs one menu
 * session (a menu bar's menus, a menu field's menu, a pop-up menu).
 *
 * Menu windows are loopers of their own; the code that opened the menu waits
 * in a nested event loop (run_event_loop_until). Everything that opens or
 * closes menu windows runs between dispatches, in the loop's check, so no
 * window is changed while one of its handlers is running.
 */
#ifndef _QUILLORA_MENU_WINDOW_H
#define _QUILLORA_MENU_WINDOW_H

#include <Window.h>

#include "WindowPrivate.h"

#include <vector>

class BMenu;
class BMenuBar;
class BMenuItem;

namespace BPrivate {

class MenuTracker;

class MenuWindow : public BWindow {
public:
								MenuWindow(MenuTracker* tracker, BMenu* menu);
	virtual						~MenuWindow();

	virtual	void				WindowActivated(bool active);
	virtual	bool				QuitRequested();

			BMenu*				Menu() const { return fMenu; }
			void				DetachMenu();

private:
			MenuTracker*		fTracker;
			BMenu*				fMenu;
};

class MenuTracker {
public:
	// `origin` is the view whose mouse press opened the session (the bar
	// itself when NULL). The host gives its window the pointer until the
	// button goes up, while that window waits for the session, so the
	// session takes the moves and the release from its queue; let go over
	// the origin, the menu stays open for clicks.
								MenuTracker(BMenuBar* bar,
									BView* origin = NULL);
								~MenuTracker();

	// Opens `menu` with its top left corner at `screenWhere` and tracks it
	// until an item is chosen or the menu is dismissed. With `keyboard` the
	// first item starts selected.
			BMenuItem*			Run(BMenu* menu, BPoint screenWhere,
									bool keyboard);

	// Set when the user asked to move to the previous (-1) or next (+1)
	// menu of the menu bar with the arrow keys.
			int32				BarMove() const { return fBarMove; }
	// Set when the mouse went over another title of the menu bar: the
	// index of that title, else -1.
			int32				BarIndex() const { return fBarIndex; }

	// Called by the menus in their windows.
			void				MouseMoved(BMenu* menu, int32 index);
			void				MouseDown(BMenu* menu, int32 index);
			void				MouseUp(BMenu* menu, int32 index);
			void				KeyDown(BMenu* menu, const char* bytes,
									int32 numBytes);
			void				Deactivated();
			void				Dismiss();

	static	MenuTracker*		Current();

private:
	static	bool				_Done(void* cookie);
	static	void				_Tick(void* cookie);

			void				_Apply();
			void				_TakeOriginPointer();
	static	WindowPrivate::PointerChoice _ChooseOriginPointer(
									const BMessage* message, void* cookie);
			bool				_IsOverBar(const BMessage* message) const;
			void				_OriginPointer(BMessage* message);
			void				_Open(BMenu* menu, BPoint screenWhere);
			void				_CloseFrom(size_t level);
			int32				_LevelOf(BMenu* menu) const;
			void				_Choose(BMenuItem* item);
			BPoint				_SubmenuLocation(BMenu* parent,
									int32 index) const;

			BMenuBar*			fBar;
			BView*				fOrigin;
			std::vector<MenuWindow*> fWindows;
			std::vector<MenuWindow*> fClosed;
			BMenuItem*			fChosen;
			bool				fDone;
			int32				fBarMove;
			int32				fBarIndex;
			bool				fSawMouseDown;
			bigtime_t			fCheckActiveAt;
			// Requested changes, applied between dispatches.
			BMenu*				fOpenParent;
			int32				fOpenIndex;
			bool				fOpenSelectFirst;
			int32				fCloseFromLevel;
			MenuTracker*		fPrevious;
};

// Tells the test hook (BMenu::SetOpenHook) about a menu window.
void call_menu_open_hook(BWindow* window, BMenu* menu);

}	// namespace BPrivate

#endif	// _QUILLORA_MENU_WINDOW_H
