/*
 * Small controls shared by the dialogs.
 *
 * RTextControl and RBoldTextControl are labelled one-line fields in which
 * Enter posts a command to their window instead of reaching the field: the
 * find dialog and the tag settings window act on Enter. EnterFilter is the
 * message filter that does it. HighSaveButton is the save button at the top
 * right of the settings tabs.
 */
#ifndef QUILLORA_R_TEXT_CONTROL_H
#define QUILLORA_R_TEXT_CONTROL_H

#include <Button.h>
#include <MessageFilter.h>
#include <TextControl.h>

#include "MessageCode.h"

class BFont;
class BLooper;

// The command of the save button of the settings tabs.
constexpr uint32 kMsgHighSave = message_code("save");

class EnterFilter : public BMessageFilter {
public:
	EnterFilter(long command, BLooper* target);

	// A key-down whose first byte is Enter is posted to the target as
	// `command` and goes no further; every other message passes.
	virtual filter_result Filter(BMessage* message, BHandler** target);

	// Fields, in this order.
	uint32 command;
	BLooper* target;
};

// Enter posts the code (`what`) of enterMessage, which the control owns, to
// the window the control is in; the field keeps the Enter.
class RTextControl : public BTextControl {
public:
	RTextControl(BRect frame, char* label, char* text, BMessage* enterMessage);
	virtual ~RTextControl();

	virtual void AttachedToWindow();

	// Fields, in this order.
	BMessage* enterMessage;
	EnterFilter* enterFilter;

protected:
	// For the variants that differ in their view name and label font.
	RTextControl(BRect frame, const char* name, const BFont* font,
		char* label, char* text, BMessage* enterMessage);
};

class RBoldTextControl : public RTextControl {
public:
	RBoldTextControl(BRect frame, char* label, char* text,
		BMessage* enterMessage);
};

class HighSaveButton : public BButton {
public:
	// `bounds` are the bounds of the view the button is placed in.
	HighSaveButton(BRect bounds, const char* label);
};

#endif	// QUILLORA_R_TEXT_CONTROL_H
