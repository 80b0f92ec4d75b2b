/*
 * Key and mouse messages as the host brings them to a window: key downs
 * with BeOS bytes and modifiers, mouse messages in window coordinates
 * worked out from a point in a view. The text view, control and menu
 * suites drive their windows with these.
 *
 * Header-only, for suites that link the interface kit.
 */
#ifndef QUILLORA_TEST_KIT_INPUT_H
#define QUILLORA_TEST_KIT_INPUT_H

#include <AppDefs.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

namespace quillora_test {

// rawChar < 0: the first byte, as for a plain character key.
inline BMessage
KeyMessage(const char* bytes, uint32 modifiers = 0, int32 key = 0,
	int32 rawChar = -1)
{
	BMessage message(B_KEY_DOWN);
	message.AddString("bytes", bytes);
	message.AddInt32("modifiers", (int32)modifiers);
	message.AddInt32("key", key);
	message.AddInt32("raw_char", rawChar >= 0 ? rawChar : (uint8)bytes[0]);
	message.AddInt64("when", 0);
	return message;
}


// `where` is in `view`'s coordinates; the message carries the window's.
inline BMessage
MouseMessage(BWindow* window, uint32 what, BView* view, BPoint where,
	int32 clicks = 1, uint32 modifiers = 0)
{
	window->Lock();
	BPoint inWindow = view->ConvertToParent(where);
	for (BView* parent = view->Parent(); parent != NULL;
			parent = parent->Parent()) {
		inWindow = parent->ConvertToParent(inWindow);
	}
	window->Unlock();
	BMessage message(what);
	message.AddPoint("where", inWindow);
	message.AddPoint("screen_where", window->ConvertToScreen(inWindow));
	message.AddInt32("buttons", what == B_MOUSE_UP ? 0 : B_PRIMARY_MOUSE_BUTTON);
	message.AddInt32("clicks", clicks);
	message.AddInt32("modifiers", (int32)modifiers);
	message.AddInt64("when", 0);
	if (what == B_MOUSE_MOVED)
		message.AddInt32("be:transit", B_INSIDE_VIEW);
	return message;
}

}	// namespace quillora_test

#endif	// QUILLORA_TEST_KIT_INPUT_H
