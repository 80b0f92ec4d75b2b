/*
 * BMenuBar: the row of menus at the top of a window.
 *
 * The first menu bar added to a window is its key menu bar: it watches the
 * window's key presses (a common filter on the window) and turns Command
 * (Alt) + key into the item with that shortcut, searching all its menus.
 * An item is triggered only while it and every menu above it are enabled;
 * Command+key and Command+Control+key are different shortcuts. F10 opens the
 * first menu from the keyboard.
 */
#ifndef _MENU_BAR_H
#define _MENU_BAR_H

#include <Menu.h>

class BMessageFilter;

enum menu_bar_border {
	B_BORDER_FRAME,
	B_BORDER_CONTENTS,
	B_BORDER_EACH_ITEM
};

class BMenuBar : public BMenu {
public:
								BMenuBar(BRect frame, const char* name,
									uint32 resizingMode
										= B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
									menu_layout layout = B_ITEMS_IN_ROW,
									bool resizeToFit = true);
	virtual						~BMenuBar();

	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseUp(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				ResizeToPreferred();
	virtual	void				GetPreferredSize(float* width, float* height);

	virtual	void				SetBorder(menu_bar_border border);
			menu_bar_border		Border() const { return fBorder; }

	// Finds the enabled item whose shortcut is `key` with exactly these
	// modifiers (Command implied) and invokes it; true when the key was a
	// shortcut of this bar, even of a disabled item.
			bool				HandleShortcut(uint32 key, uint32 modifiers);
	// Opens the menu of the item at `index` and tracks it; kit extension
	// used by the keyboard and by tests.
			void				StartMenuBar(int32 index, bool sticky = true);

private:
			BMenuItem*			_FindShortcut(BMenu* menu, uint32 key,
									uint32 modifiers) const;

			menu_bar_border		fBorder;
			BMessageFilter*		fShortcutFilter;
			bool				fTracking;
};

#endif	// _MENU_BAR_H
