/*
 * BPopUpMenu: a menu opened at a point, usually in answer to a click.
 */
#ifndef _POP_UP_MENU_H
#define _POP_UP_MENU_H

#include <Menu.h>

class BPopUpMenu : public BMenu {
public:
								BPopUpMenu(const char* name,
									bool radioMode = true,
									bool labelFromMarked = true,
									menu_layout layout = B_ITEMS_IN_COLUMN);
	virtual						~BPopUpMenu();

	// Opens the menu with its top left corner at `where` (screen
	// coordinates) and waits for the user. Returns the chosen item, or NULL
	// when the menu was dismissed; with deliversMessage the item is also
	// invoked. With `async` the call returns NULL at once and the chosen
	// item is invoked when the user picks it; the menu then deletes itself
	// afterwards if SetAsyncAutoDestruct(true) was called.
			BMenuItem*			Go(BPoint where, bool deliversMessage = false,
									bool openAnyway = false,
									bool async = false);
			BMenuItem*			Go(BPoint where, bool deliversMessage,
									bool openAnyway, BRect clickToOpen,
									bool async = false);

			void				SetAsyncAutoDestruct(bool state)
									{ fAutoDestruct = state; }
			bool				AsyncAutoDestruct() const
									{ return fAutoDestruct; }

protected:
	virtual	BPoint				ScreenLocation();

private:
	friend class BPrivate::MenuTracker;

			BPoint				fWhere;
			bool				fUseWhere;
			bool				fAutoDestruct;
};

#endif	// _POP_UP_MENU_H
