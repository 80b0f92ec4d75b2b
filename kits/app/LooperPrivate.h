/*
 * Kit-private: the registry of live handlers and loopers, and the state the
 * event loop keeps per looper. The registry is what lets Lock(), messengers
 * and the loop ask about a looper without touching a deleted object.
 */
#ifndef _QUILLORA_LOOPER_PRIVATE_H
#define _QUILLORA_LOOPER_PRIVATE_H

#include <memory>
#include <unordered_map>

#include <Looper.h>

#include "RecursiveLock.h"

namespace BPrivate {

struct LooperState {
	// Set to NULL (under the registry lock) when the looper is deleted.
			BLooper*			looper;
			int32				token;
			RecursiveLock		lock;
			// Event thread only:
			int32				dispatchDepth;
			bool				running;
			bool				quitPending;

			// Windows hold tens of thousands of views as handlers: the
			// list gets holes on removal and is closed up only when asked
			// by position, so adding and removing stay cheap. Each handler
			// knows its own place in the list (fIndexInLooper).
			int32				handlerHoles;

	// Takes the next queued message of a running looper that is not
	// dispatching and dispatches it. False when there was nothing to do;
	// *busy is set when the looper's lock is held by another thread.
	static	bool				DispatchNext(
									const std::shared_ptr<LooperState>& state,
									bool* busy);
	// Dispatches message (owned) to handler (NULL: the message's target)
	// with the looper locked by the caller; unlocks it, or deletes the
	// looper when it quit meanwhile.
	static	void				Deliver(
									const std::shared_ptr<LooperState>& state,
									BLooper* looper, BMessage* message,
									BHandler* handler);
	// Queues a copy-made message for the looper with that token.
	static	status_t			Post(int32 looperToken, BMessage* message,
									int32 handlerToken, bool preferred);
};

// The handler's token, registered now unless another thread did that first
// (*token is the handler's own field, written under the registry's lock).
int32 register_handler(BHandler* handler, std::atomic<int32>* token);
void unregister_handler(int32 token);
// The handler with that token if it is alive and belongs to looper.
BHandler* handler_in_looper(int32 handlerToken, const BLooper* looper);

std::shared_ptr<LooperState> register_looper(BLooper* looper, int32 token);
void unregister_looper(LooperState* state);
std::shared_ptr<LooperState> looper_state(const BLooper* looper);
std::shared_ptr<LooperState> looper_state_for_token(int32 token);
// The looper with that token while it is alive (racy from other threads,
// like everything that hands out a looper pointer).
BLooper* looper_for_token(int32 token);

status_t lock_looper(const BLooper* looper, bigtime_t timeout);
void unlock_looper(const BLooper* looper);

// Makes the calling thread the event thread when there is none yet.
void claim_event_thread();

}	// namespace BPrivate

#endif	// _QUILLORA_LOOPER_PRIVATE_H
