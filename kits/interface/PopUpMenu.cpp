// BPopUpMenu: a menu opened at a point and tracked until the user decides.
#include <PopUpMenu.h>

#include <MenuItem.h>

#include "MenuWindow.h"

BPopUpMenu::BPopUpMenu(const char* name, bool radioMode, bool labelFromMarked,
	menu_layout layout)
	:
	BMenu(name, layout),
	fUseWhere(false),
	fAutoDestruct(false)
{
	SetRadioMode(radioMode);
	if (labelFromMarked)
		SetLabelFromMarked(true);
}


BPopUpMenu::~BPopUpMenu()
{
}


BMenuItem*
BPopUpMenu::Go(BPoint where, bool deliversMessage, bool openAnyway, bool async)
{
	return Go(where, deliversMessage, openAnyway, BRect(), async);
}


BMenuItem*
BPopUpMenu::Go(BPoint where, bool deliversMessage, bool, BRect, bool async)
{
	// The menu is tracked in a nested loop in both cases; an asynchronous
	// caller gets NULL back and the item is invoked, as it would be later.
	fWhere = where;
	fUseWhere = true;
	BMenuItem* chosen = NULL;
	{
		BPrivate::MenuTracker tracker(NULL);
		chosen = tracker.Run(this, where, false);
	}
	fUseWhere = false;
	if (async) {
		if (chosen != NULL)
			chosen->Invoke();
		if (fAutoDestruct)
			delete this;
		return NULL;
	}
	if (chosen != NULL && deliversMessage)
		chosen->Invoke();
	return chosen;
}


BPoint
BPopUpMenu::ScreenLocation()
{
	if (fUseWhere)
		return fWhere;
	return BMenu::ScreenLocation();
}
