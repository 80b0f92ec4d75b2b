/*
 * BControl: a labelled view with a value that invokes a message.
 */
#ifndef _CONTROL_H
#define _CONTROL_H

#include <Invoker.h>
#include <View.h>

enum {
	B_CONTROL_OFF = 0,
	B_CONTROL_ON = 1
};

class BControl : public BView, public BInvoker {
public:
								BControl(BRect frame, const char* name,
									const char* label, BMessage* message,
									uint32 resizingMode, uint32 flags);
	virtual						~BControl();

	virtual	void				AttachedToWindow();
	virtual	void				DetachedFromWindow();
	virtual	void				MessageReceived(BMessage* message);
	virtual	void				MakeFocus(bool focused = true);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				WindowActivated(bool active);

	virtual	void				SetLabel(const char* label);
			const char*			Label() const { return fLabel; }

	virtual	void				SetValue(int32 value);
			int32				Value() const { return fValue; }

	virtual	void				SetEnabled(bool enabled);
			bool				IsEnabled() const { return fEnabled; }

	virtual	void				GetPreferredSize(float* width, float* height);
	virtual	void				ResizeToPreferred();

	// Posts the message (or Message()) with "when" and "source" (this
	// control) to the target; the target is the window unless one was set.
	virtual	status_t			Invoke(BMessage* message = NULL);

protected:
			bool				IsFocusChanging() const { return fFocusChanging; }
			bool				IsTracking() const { return fTracking; }
			void				SetTracking(bool state) { fTracking = state; }
			void				SetValueNoUpdate(int32 value) { fValue = value; }

private:
			char*				fLabel;
			int32				fValue;
			bool				fEnabled;
			bool				fFocusChanging;
			bool				fTracking;
};

#endif	// _CONTROL_H
