/*
 * Kit-private calls between the application kit and the kits above it.
 * Program code does not use these.
 */
#ifndef _APP_PRIVATE_H
#define _APP_PRIVATE_H

#include <SupportDefs.h>

class BHandler;
class BLooper;
class BMessage;
class BWindow;

namespace BPrivate {

// The window list behind BApplication::CountWindows()/WindowAt(). BWindow
// registers itself in its constructor and leaves in its destructor:
// register_window(this, this) (the window and its looper base, which this
// kit cannot convert without the interface kit's headers).
void register_window(BWindow* window, BLooper* looper);
void unregister_window(BWindow* window);
int32 count_windows();
BWindow* window_at(int32 index);

// Dispatches one message to a looper now, as the event loop would: locks
// the looper, runs its filters, makes it CurrentMessage(), calls
// DispatchMessage() and honours a Quit() made meanwhile. For host events the
// backend delivers straight to a window. Takes ownership of message. Returns
// false (deleting the message) when the looper is gone or is already
// dispatching further up the stack (modal), in which case the caller should
// post instead.
bool dispatch_message_now(BLooper* looper, BMessage* message,
	BHandler* handler = NULL);

// True while the looper is inside a dispatch somewhere up the stack.
bool is_dispatching(const BLooper* looper);

// True when the pointer is a looper that has not been deleted; never
// dereferences it.
bool is_live_looper(const BLooper* looper);

// Cursor hooks for BApplication's cursor calls (the interface kit sets
// them; without them the calls do nothing).
struct CursorHooks {
	void (*show)();
	void (*hide)();
	void (*obscure)();
	void (*set)(const void* cursor);
};
void set_cursor_hooks(const CursorHooks& hooks);

// Batch modes run without a display: call before the first window is made;
// the interface kit asks is_headless() when it starts the host and then
// renders offscreen, puts no window on a screen and draws windows only for
// their snapshots.
void set_headless(bool headless);
bool is_headless();

// The event thread's id (see EventLoop.h).
thread_id event_thread();

// The calling thread's kernel id (the same number find_thread(NULL) gives).
thread_id current_thread_id();

}	// namespace BPrivate

#endif	// _APP_PRIVATE_H
