/*
 * BMenuItem: one entry of a menu (label, message, shortcut, mark), or the
 * title of a submenu. BSeparatorItem: the line between groups of items.
 */
#ifndef _MENU_ITEM_H
#define _MENU_ITEM_H

#include <Invoker.h>
#include <Rect.h>

class BMenu;
class BMessage;
class BView;

class BMenuItem : public BInvoker {
public:
								BMenuItem(const char* label, BMessage* message,
									char shortcut = 0, uint32 modifiers = 0);
								BMenuItem(BMenu* submenu,
									BMessage* message = NULL);
	virtual						~BMenuItem();

	virtual	void				SetLabel(const char* label);
	virtual	void				SetEnabled(bool enabled);
	virtual	void				SetMarked(bool marked);
	virtual	void				SetTrigger(char trigger);
	// The Command key is always part of a shortcut; `modifiers` adds the
	// others (B_CONTROL_KEY, B_SHIFT_KEY, B_OPTION_KEY).
	virtual	void				SetShortcut(char shortcut, uint32 modifiers);

			const char*			Label() const { return fLabel; }
	// An item is enabled when it and every menu above it are enabled; a
	// submenu's item follows its submenu.
			bool				IsEnabled() const;
			bool				IsMarked() const { return fMarked; }
			char				Trigger() const { return fTrigger; }
			char				Shortcut(uint32* modifiers = NULL) const;

			BMenu*				Submenu() const { return fSubmenu; }
			BMenu*				Menu() const { return fSuper; }
			BRect				Frame() const { return fFrame; }

	// Posts the message with "when", "source" (this item) and "index" (the
	// item's place in its menu) to the target, the window by default.
	virtual	status_t			Invoke(BMessage* message = NULL);

	// The shortcut as it is shown: "Alt+S", "Ctrl+Alt+S".
			void				GetShortcutText(char* buffer,
									size_t size) const;

protected:
	virtual	void				GetContentSize(float* width, float* height);
	virtual	void				DrawContent();
	virtual	void				Draw();
	virtual	void				Highlight(bool on);
			bool				IsSelected() const { return fSelected; }
			BPoint				ContentLocation() const;
			BView*				_Owner() const;

private:
	friend class BMenu;
	friend class BMenuBar;
	friend class BPopUpMenu;
	friend class BMenuField;

			void				_SetSuper(BMenu* menu);
			void				_Install(BView* owner);

			char*				fLabel;
			BMenu*				fSubmenu;
			BMenu*				fSuper;
			BRect				fFrame;
			uint32				fModifiers;
			char				fShortcut;
			char				fTrigger;
			bool				fEnabled;
			bool				fMarked;
			bool				fSelected;
};

class BSeparatorItem : public BMenuItem {
public:
								BSeparatorItem();
	virtual						~BSeparatorItem();

	virtual	void				SetEnabled(bool enabled);

protected:
	virtual	void				GetContentSize(float* width, float* height);
	virtual	void				Draw();
};

#endif	// _MENU_ITEM_H
