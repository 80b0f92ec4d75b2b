/*
 * BButton: a bevelled push button. The default button of a window is drawn
 * with a heavier frame and is pressed by Enter.
 */
#ifndef _BUTTON_H
#define _BUTTON_H

#include <Control.h>

class BMessageFilter;

class BButton : public BControl {
public:
								BButton(BRect frame, const char* name,
									const char* label, BMessage* message,
									uint32 resizingMode
										= B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	virtual						~BButton();

	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseUp(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();

	virtual	void				MakeDefault(bool isDefault);
			bool				IsDefault() const { return fDefault; }

	virtual	void				SetLabel(const char* label);
	virtual	void				GetPreferredSize(float* width, float* height);
	virtual	status_t			Invoke(BMessage* message = NULL);

	// Flashes the button pressed and invokes it, as a click does.
			void				Press();

private:
			void				_InstallDefaultFilter();
			void				_RemoveDefaultFilter();

			bool				fDefault;
			BMessageFilter*		fEnterFilter;
};

#endif	// _BUTTON_H
