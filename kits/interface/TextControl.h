/*
 * BTextControl: a label and a one-line editable text field.
 *
 * The field is a child BTextView (TextView()) that never takes a line break.
 * Enter invokes the control's message when the text was changed since the
 * last invocation; every change posts the modification message. Message
 * filters added to TextView() see each key before the field does.
 */
#ifndef _TEXT_CONTROL_H
#define _TEXT_CONTROL_H

#include <Control.h>

class BTextView;

namespace BPrivate { class _BTextInput_; }

class BTextControl : public BControl {
public:
								BTextControl(BRect frame, const char* name,
									const char* label, const char* initialText,
									BMessage* message,
									uint32 resizingMode
										= B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	virtual						~BTextControl();

	virtual	void				SetText(const char* text);
			const char*			Text() const;
			BTextView*			TextView() const;

	virtual	void				SetValue(int32 value);
	virtual	status_t			Invoke(BMessage* message = NULL);

	virtual	void				SetModificationMessage(BMessage* message);
			BMessage*			ModificationMessage() const
									{ return fModificationMessage; }

	virtual	void				SetAlignment(alignment label, alignment text);
			void				GetAlignment(alignment* label,
									alignment* text) const;
	virtual	void				SetDivider(float position);
			float				Divider() const { return fDivider; }

	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				AttachedToWindow();
	virtual	void				MakeFocus(bool focused = true);
	virtual	void				SetEnabled(bool enabled);
	virtual	void				FrameResized(float width, float height);
	virtual	void				GetPreferredSize(float* width, float* height);
	virtual	void				ResizeToPreferred();
	virtual	void				SetFont(const BFont* font,
									uint32 mask = B_FONT_ALL);

private:
	friend class BPrivate::_BTextInput_;

			void				_LayoutTextView();
			void				_TextChanged();
			BRect				_TextFrame() const;

			BPrivate::_BTextInput_* fText;
			BMessage*			fModificationMessage;
			alignment			fLabelAlign;
			float				fDivider;
};

#endif	// _TEXT_CONTROL_H
