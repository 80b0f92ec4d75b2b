/*
 * BMenu: a list of menu items drawn in a row or a column.
 *
 * A menu that is opened (from a menu bar, a menu field or BPopUpMenu::Go)
 * shows in a borderless window of its own and is tracked synchronously: the
 * caller's looper waits in a nested event loop while every other looper,
 * the menu windows included, keeps running. Keyboard: arrows move, Enter or
 * Space chooses, Escape closes one level, Left/Right open and close
 * submenus or move along the menu bar.
 */
#ifndef _MENU_H
#define _MENU_H

#include <View.h>

#include <vector>

class BMenuBar;
class BMenuField;
class BMenuItem;
class BMessenger;
class BWindow;

namespace BPrivate {
class MenuTracker;
class MenuWindow;
}

enum menu_layout {
	B_ITEMS_IN_ROW = 0,
	B_ITEMS_IN_COLUMN,
	B_ITEMS_IN_MATRIX
};

struct menu_info {
	float font_size;
	font_family f_family;
	font_style f_style;
	rgb_color background_color;
	int32 separator;
	bool click_to_open;
	bool triggers_always_shown;
};

class BMenu : public BView {
public:
								BMenu(const char* name,
									menu_layout layout = B_ITEMS_IN_COLUMN);
								BMenu(const char* name, float width,
									float height);
	virtual						~BMenu();

	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseUp(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				GetPreferredSize(float* width, float* height);
	virtual	void				ResizeToPreferred();

	// Items belong to the menu from AddItem() on and are deleted with it.
			bool				AddItem(BMenuItem* item);
			bool				AddItem(BMenuItem* item, int32 index);
			bool				AddItem(BMenuItem* item, BRect frame);
			bool				AddItem(BMenu* submenu);
			bool				AddItem(BMenu* submenu, int32 index);
			bool				AddSeparatorItem();
	// Removing hands the item back to the caller.
			bool				RemoveItem(BMenuItem* item);
			BMenuItem*			RemoveItem(int32 index);
			bool				RemoveItems(int32 index, int32 count,
									bool deleteItems = false);
			bool				RemoveItem(BMenu* submenu);

			BMenuItem*			ItemAt(int32 index) const;
			BMenu*				SubmenuAt(int32 index) const;
			int32				CountItems() const;
			int32				IndexOf(BMenuItem* item) const;
			int32				IndexOf(BMenu* submenu) const;
	// Search this menu and all its submenus, depth first.
			BMenuItem*			FindItem(const char* label) const;
			BMenuItem*			FindItem(uint32 command) const;

	virtual	status_t			SetTargetForItems(BHandler* target);
	virtual	status_t			SetTargetForItems(BMessenger messenger);
	virtual	void				SetEnabled(bool enabled);
	virtual	void				SetRadioMode(bool flag);
	virtual	void				SetTriggersEnabled(bool flag);
	virtual	void				SetMaxContentWidth(float maxWidth);

			void				SetLabelFromMarked(bool flag);
			bool				IsLabelFromMarked() { return fLabelFromMarked; }
			bool				IsEnabled() const;
			bool				IsRadioMode() const { return fRadioMode; }
			bool				AreTriggersEnabled() const
									{ return fTriggersEnabled; }
			float				MaxContentWidth() const
									{ return fMaxContentWidth; }

			BMenuItem*			FindMarked();
			BMenu*				Supermenu() const;
			BMenuItem*			Superitem() const { return fSuperitem; }
			menu_layout			Layout() const { return fLayout; }

	// Kit extension for tests and scripted use: called with each menu
	// window as it opens (on the event thread); NULL removes the hook.
	typedef void (*open_hook)(BWindow* menuWindow, BMenu* menu, void* cookie);
	static	void				SetOpenHook(open_hook hook, void* cookie);

protected:
								BMenu(BRect frame, const char* name,
									uint32 resizingMode, uint32 flags,
									menu_layout layout, bool resizeToFit);

	virtual	BPoint				ScreenLocation();
			void				SetItemMargins(float left, float top,
									float right, float bottom);
			void				GetItemMargins(float* left, float* top,
									float* right, float* bottom) const;

	// Opens this menu at ScreenLocation() and tracks it until an item is
	// chosen (returned, not invoked) or the menu is dismissed (NULL).
			BMenuItem*			Track(bool startOpened = false,
									BRect* specialRect = NULL);

	// The item under a point of this view, or -1.
			int32				_ItemIndexAt(BPoint where) const;
			void				_Select(int32 index);
			int32				_SelectedIndex() const { return fSelected; }
			void				_LayoutItems();
			bool				_IsBar() const { return fIsBar; }
			void				_SetIsBar(bool bar) { fIsBar = bar; }

private:
	friend class BMenuItem;
	friend class BMenuBar;
	friend class BMenuField;
	friend class BPrivate::MenuTracker;
	friend class BPrivate::MenuWindow;

			void				_InitData(menu_layout layout);
			void				_ItemChanged(BMenuItem* item);
			void				_ItemMarked(BMenuItem* item);
			int32				_NextSelectable(int32 from, int32 step) const;
			BMenuItem*			_FindItem(const char* label,
									uint32 command) const;

			std::vector<BMenuItem*> fItems;
			BMenuItem*			fSuperitem;
			BMenuField*			fField;
			BPrivate::MenuTracker* fTracker;
			menu_layout			fLayout;
			float				fMatrixWidth;
			float				fMatrixHeight;
			float				fPad[4];
			float				fMaxContentWidth;
			int32				fSelected;
			bool				fEnabled;
			bool				fRadioMode;
			bool				fLabelFromMarked;
			bool				fTriggersEnabled;
			bool				fResizeToFit;
			bool				fIsBar;
			bool				fLaidOut;
};

status_t get_menu_info(menu_info* info);
status_t set_menu_info(menu_info* info);

#endif	// _MENU_H
