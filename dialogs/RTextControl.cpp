/*
 * Text controls that act on Enter, their filter, and the settings tabs' save
 * button.
 */
#include "RTextControl.h"

#include <Font.h>
#include <Looper.h>
#include <Message.h>
#include <TextView.h>
#include <Window.h>


EnterFilter::EnterFilter(long enterCommand, BLooper* enterTarget)
	:
	BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE, B_KEY_DOWN),
	command(uint32(enterCommand)),
	target(enterTarget)
{
}


filter_result
EnterFilter::Filter(BMessage* message, BHandler**)
{
	const char* bytes = nullptr;
	if (message->FindString("bytes", &bytes) != B_OK || bytes == nullptr
		|| bytes[0] != B_ENTER)
		return B_DISPATCH_MESSAGE;
	if (target != nullptr)
		target->PostMessage(command);
	// The field never sees the Enter, so it takes no line break and does
	// not invoke a message of its own.
	return B_SKIP_MESSAGE;
}


RTextControl::RTextControl(BRect frame, char* label, char* text,
	BMessage* message)
	:
	RTextControl(frame, "RTextControl", nullptr, label, text, message)
{
}


RTextControl::RTextControl(BRect frame, const char* name, const BFont* font,
	char* label, char* text, BMessage* message)
	:
	BTextControl(frame, name, label, text, nullptr,
		B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE),
	enterMessage(message),
	enterFilter(nullptr)
{
	if (font != nullptr)
		SetFont(font, B_FONT_ALL);
	BFont labelFont;
	GetFont(&labelFont);
	SetDivider(labelFont.StringWidth(label != nullptr ? label : "") + 3);
}


RTextControl::~RTextControl()
{
	// Only a filter this control added is taken off its field: one that
	// was never attached is not in the field's list.
	if (enterFilter != nullptr) {
		TextView()->RemoveFilter(enterFilter);
		delete enterFilter;
		enterFilter = nullptr;
	}
	delete enterMessage;
}


void
RTextControl::AttachedToWindow()
{
	BTextControl::AttachedToWindow();
	uint32 command = enterMessage != nullptr ? enterMessage->what : 0;
	// Attached again (moved to another window): the one filter the field
	// has follows the control instead of a second one being added.
	if (enterFilter != nullptr) {
		enterFilter->target = Window();
		enterFilter->command = command;
		return;
	}
	enterFilter = new EnterFilter(long(command), Window());
	TextView()->AddFilter(enterFilter);
}


RBoldTextControl::RBoldTextControl(BRect frame, char* label, char* text,
	BMessage* message)
	:
	RTextControl(frame, "RBoldTextControl", be_bold_font, label, text,
		message)
{
}


HighSaveButton::HighSaveButton(BRect bounds, const char* label)
	:
	BButton(BRect(bounds.right - 45, 5, bounds.right - 5, bounds.bottom - 2),
		"HighSaveButton", label, new BMessage(kMsgHighSave),
		B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE)
{
}
