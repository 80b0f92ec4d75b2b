/*
 * BCheckBox: a label with a box that is ticked (B_CONTROL_ON) or not.
 */
#ifndef _CHECK_BOX_H
#define _CHECK_BOX_H

#include <Control.h>

class BCheckBox : public BControl {
public:
								BCheckBox(BRect frame, const char* name,
									const char* label, BMessage* message,
									uint32 resizingMode
										= B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	virtual						~BCheckBox();

	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseUp(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				SetValue(int32 value);
	virtual	void				GetPreferredSize(float* width, float* height);

private:
			BRect				_BoxFrame() const;

			bool				fOutlined;
};

#endif	// _CHECK_BOX_H
