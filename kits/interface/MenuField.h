/*
 * BMenuField: a label and a pop-up menu that shows the marked item.
 */
#ifndef _MENU_FIELD_H
#define _MENU_FIELD_H

#include <Menu.h>

class BMenuBar;
class BMenuItem;

class BMenuField : public BView {
public:
								BMenuField(BRect frame, const char* name,
									const char* label, BMenu* menu,
									uint32 resizingMode
										= B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
								BMenuField(BRect frame, const char* name,
									const char* label, BMenu* menu,
									bool fixedSize, uint32 resizingMode
										= B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	virtual						~BMenuField();

	virtual	void				AttachedToWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				MakeFocus(bool focused = true);
	virtual	void				GetPreferredSize(float* width, float* height);

			BMenu*				Menu() const { return fMenu; }
	// The field draws its own menu button; it has no separate menu bar.
			BMenuBar*			MenuBar() const { return NULL; }
			BMenuItem*			MenuItem() const { return fMenuItem; }

	virtual	void				SetLabel(const char* label);
			const char*			Label() const { return fLabel; }
	virtual	void				SetEnabled(bool on);
			bool				IsEnabled() const { return fEnabled; }
	virtual	void				SetAlignment(alignment label);
			alignment			Alignment() const { return fAlign; }
	virtual	void				SetDivider(float divider);
			float				Divider() const { return fDivider; }

			void				ShowPopUpMarker() { fShowMarker = true; }
			void				HidePopUpMarker() { fShowMarker = false; }

	// Opens the menu below the field and tracks it (a click does this).
			void				OpenMenu();

private:
			void				_Init(const char* label, BMenu* menu,
									bool fixedSize);
			BRect				_MenuFrame() const;

			char*				fLabel;
			BMenu*				fMenu;
			BMenuItem*			fMenuItem;
			alignment			fAlign;
			float				fDivider;
			bool				fEnabled;
			bool				fFixedSize;
			bool				fShowMarker;
};

#endif	// _MENU_FIELD_H
