/*
 * The one event thread.
 *
 * On BeOS every looper had a thread of its own. Here every looper has its own
 * queue and recursive lock, and all of them are dispatched on the application's
 * one event thread, because the host toolkit wants its windows on one thread.
 * What BeOS code can observe still holds: posting never blocks, messages to one
 * looper are handled in the order they were posted, and a looper whose handler
 * sits in a synchronous call (an alert's Go(), a pop-up menu's Go(), a modal
 * panel) gets nothing until that call returns, while every other looper goes on.
 *
 * This header is the contract between the application kit, which owns the
 * loop, and the backend, which brings host events (paint, input, timers) in.
 */
#ifndef _QUILLORA_EVENT_LOOP_H
#define _QUILLORA_EVENT_LOOP_H

#include <SupportDefs.h>

namespace BPrivate {

// Filled in by the backend when the first window needs the host; before that
// the loop runs on the kit's own condition variable.
struct HostHooks {
	// Deliver pending host events to their windows. Waits at most timeout
	// microseconds for one when timeout > 0; returns at once when timeout is 0.
	void (*processEvents)(bigtime_t timeout);
	// Wakes processEvents() from any thread (a message was posted).
	void (*wake)();
};

void set_host_hooks(const HostHooks& hooks);

// Dispatches queued messages of every running looper that is not already
// inside a dispatch further up the stack, round robin, one message per looper
// per turn, until every such queue is empty. Host events are processed between
// turns. Returns the number of messages dispatched. Tests call this to drive
// the program deterministically without a real event loop.
int32 dispatch_until_idle();

// The loop behind BApplication::Run() and every synchronous wait: dispatches
// messages and host events until done(cookie) is true. Loopers that are
// dispatching further up the stack are skipped, which is what makes a modal
// call block only its own caller.
void run_event_loop_until(bool (*done)(void* cookie), void* cookie);

// Timers (window pulses, caret blinking, message runners): calls fire(cookie)
// on the event thread every interval microseconds until removed.
int32 add_timer(bigtime_t interval, void (*fire)(void* cookie), void* cookie);
void remove_timer(int32 id);

// True on the event thread (the thread that created be_app, or the first
// thread that ran the loop).
bool is_event_thread();

}	// namespace BPrivate

#endif	// _QUILLORA_EVENT_LOOP_H
