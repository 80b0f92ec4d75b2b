/*
 * The registry of handlers and loopers, and the one event loop that
 * dispatches every looper (see EventLoop.h for why there is only one).
 */
#include <EventLoop.h>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <unordered_map>
#include <vector>

#include <AppPrivate.h>

#include "LooperPrivate.h"
#include "MessagePrivate.h"

namespace BPrivate {

namespace {

struct Timer {
	bigtime_t					interval;
	bigtime_t					next;
	void						(*fire)(void* cookie);
	void*						cookie;
};

// One instance, never destroyed: loopers deleted by static destructors at
// exit may still look themselves up.
struct Registry {
	std::mutex					mutex;
	std::condition_variable		wakeCondition;
	bool						pending = false;

	std::unordered_map<int32, BHandler*> handlers;
	int32						nextToken = 1;

	std::unordered_map<const BLooper*, std::shared_ptr<LooperState> > loopers;
	std::unordered_map<int32, std::shared_ptr<LooperState> > looperTokens;
	std::vector<std::shared_ptr<LooperState> > order;

	std::map<int32, Timer>		timers;
	int32						nextTimer = 1;

	HostHooks					hooks = { NULL, NULL };
	thread_id					eventThread = -1;
};


Registry&
registry()
{
	static Registry* sRegistry = new Registry;
	return *sRegistry;
}


// Longest idle wait, so that done() conditions changed without a post are
// still noticed.
const bigtime_t kMaxIdleWait = 50000;

}	// namespace


// #pragma mark - handlers and loopers

static bool
autolock_lock(BLooper* looper)
{
	return lock_looper(looper, B_INFINITE_TIMEOUT) == B_OK;
}


static void
autolock_unlock(BLooper* looper)
{
	unlock_looper(looper);
}

int32
register_handler(BHandler* handler, std::atomic<int32>* token)
{
	Registry& r = registry();
	std::lock_guard<std::mutex> guard(r.mutex);
	int32 current = token->load();
	if (current >= 0)
		return current;
	current = r.nextToken++;
	r.handlers[current] = handler;
	token->store(current, std::memory_order_release);
	return current;
}


void
unregister_handler(int32 token)
{
	Registry& r = registry();
	std::lock_guard<std::mutex> guard(r.mutex);
	r.handlers.erase(token);
}


BHandler*
handler_in_looper(int32 handlerToken, const BLooper* looper)
{
	Registry& r = registry();
	std::lock_guard<std::mutex> guard(r.mutex);
	auto found = r.handlers.find(handlerToken);
	if (found == r.handlers.end() || found->second->Looper() != looper)
		return NULL;
	return found->second;
}


std::shared_ptr<LooperState>
register_looper(BLooper* looper, int32 token)
{
	set_autolock_looper_hooks(autolock_lock, autolock_unlock);
	std::shared_ptr<LooperState> state = std::make_shared<LooperState>();
	state->looper = looper;
	state->token = token;
	state->dispatchDepth = 0;
	state->running = false;
	state->quitPending = false;
	state->handlerHoles = 0;

	Registry& r = registry();
	std::lock_guard<std::mutex> guard(r.mutex);
	r.loopers[looper] = state;
	r.looperTokens[token] = state;
	r.order.push_back(state);
	return state;
}


void
unregister_looper(LooperState* state)
{
	Registry& r = registry();
	std::lock_guard<std::mutex> guard(r.mutex);
	r.loopers.erase(state->looper);
	r.looperTokens.erase(state->token);
	r.order.erase(std::remove_if(r.order.begin(), r.order.end(),
		[state](const std::shared_ptr<LooperState>& entry) {
			return entry.get() == state;
		}), r.order.end());
	state->looper = NULL;
	state->running = false;
}


std::shared_ptr<LooperState>
looper_state(const BLooper* looper)
{
	Registry& r = registry();
	std::lock_guard<std::mutex> guard(r.mutex);
	auto found = r.loopers.find(looper);
	if (found == r.loopers.end())
		return NULL;
	return found->second;
}


std::shared_ptr<LooperState>
looper_state_for_token(int32 token)
{
	Registry& r = registry();
	std::lock_guard<std::mutex> guard(r.mutex);
	auto found = r.looperTokens.find(token);
	if (found == r.looperTokens.end())
		return NULL;
	return found->second;
}


BLooper*
looper_for_token(int32 token)
{
	std::shared_ptr<LooperState> state = looper_state_for_token(token);
	return state ? state->looper : NULL;
}


bool
is_live_looper(const BLooper* looper)
{
	return looper != NULL && looper_state(looper) != NULL;
}


bool
is_dispatching(const BLooper* looper)
{
	std::shared_ptr<LooperState> state = looper_state(looper);
	return state && state->dispatchDepth > 0;
}


status_t
lock_looper(const BLooper* looper, bigtime_t timeout)
{
	std::shared_ptr<LooperState> state = looper_state(looper);
	if (!state)
		return B_BAD_VALUE;
	status_t error = state->lock.Lock(timeout);
	if (error != B_OK)
		return error;
	Registry& r = registry();
	std::lock_guard<std::mutex> guard(r.mutex);
	if (state->looper != looper) {
		// Deleted while we waited (the lock was killed then, so this
		// only guards the window between the two).
		state->lock.Unlock();
		return B_BAD_VALUE;
	}
	return B_OK;
}


void
unlock_looper(const BLooper* looper)
{
	if (std::shared_ptr<LooperState> state = looper_state(looper))
		state->lock.Unlock();
}




// #pragma mark - posting and dispatching

status_t
LooperState::Post(int32 looperToken, BMessage* message, int32 handlerToken,
	bool preferred)
{
	Registry& r = registry();
	{
		std::lock_guard<std::mutex> guard(r.mutex);
		auto found = r.looperTokens.find(looperToken);
		if (found == r.looperTokens.end() || found->second->looper == NULL) {
			delete message;
			return B_BAD_PORT_ID;
		}
		BLooper* looper = found->second->looper;
		if (!preferred && handlerToken != looperToken) {
			auto handler = r.handlers.find(handlerToken);
			if (handler == r.handlers.end()
				|| handler->second->Looper() != looper) {
				delete message;
				return B_BAD_HANDLER;
			}
		}
		message->fTargetToken = preferred ? -1 : handlerToken;
		message->fTargetPreferred = preferred;
		// The queue has its own lock; the registry lock keeps the looper
		// from being deleted meanwhile.
		looper->MessageQueue()->AddMessage(message);
		r.pending = true;
	}
	r.wakeCondition.notify_all();
	if (r.hooks.wake != NULL)
		r.hooks.wake();
	return B_OK;
}


void
wake_event_loop()
{
	Registry& r = registry();
	{
		std::lock_guard<std::mutex> guard(r.mutex);
		r.pending = true;
	}
	r.wakeCondition.notify_all();
	if (r.hooks.wake != NULL)
		r.hooks.wake();
}


bool
LooperState::DispatchNext(const std::shared_ptr<LooperState>& state,
	bool* busy)
{
	if (state->dispatchDepth > 0 || !state->running)
		return false;
	status_t error = state->lock.Lock(0);
	if (error == B_WOULD_BLOCK)
		*busy = true;
	if (error != B_OK)
		return false;
	BLooper* looper;
	{
		Registry& r = registry();
		std::lock_guard<std::mutex> guard(r.mutex);
		looper = state->looper;
	}
	BMessage* message = looper != NULL && state->running
		? looper->MessageQueue()->NextMessage() : NULL;
	if (message == NULL) {
		state->lock.Unlock();
		return false;
	}
	Deliver(state, looper, message, NULL);
	return true;
}


void
LooperState::Deliver(const std::shared_ptr<LooperState>& state,
	BLooper* looper, BMessage* message, BHandler* handler)
{
	if (handler == NULL) {
		if (message->fTargetPreferred) {
			handler = looper->PreferredHandler();
			if (handler == NULL)
				handler = looper;
		} else if (message->fTargetToken < 0
			|| message->fTargetToken == state->token) {
			handler = looper;
		} else
			handler = handler_in_looper(message->fTargetToken, looper);
	}
	if (handler == NULL) {
		// The target handler left or died after the message was posted.
		delete message;
		state->lock.Unlock();
		return;
	}

	state->dispatchDepth++;
	message->fWasDelivered = true;
	BMessage* previous = looper->fLastMessage;
	looper->fLastMessage = message;

	handler = looper->_TopLevelFilter(message, handler);
	if (handler != NULL)
		looper->DispatchMessage(message, handler);

	state->dispatchDepth--;
	delete looper->fLastMessage;	// NULL when detached
	looper->fLastMessage = previous;

	if (state->quitPending && state->dispatchDepth == 0) {
		delete looper;
		return;
	}
	state->lock.Unlock();
}


bool
dispatch_message_now(BLooper* looper, BMessage* message, BHandler* handler)
{
	std::shared_ptr<LooperState> state = looper_state(looper);
	if (!state || state->dispatchDepth > 0 || state->quitPending
		|| (handler != NULL && handler->Looper() != looper)) {
		delete message;
		return false;
	}
	if (lock_looper(looper, B_INFINITE_TIMEOUT) != B_OK) {
		delete message;
		return false;
	}
	LooperState::Deliver(state, looper, message, handler);
	return true;
}


// #pragma mark - the loop

void
claim_event_thread()
{
	Registry& r = registry();
	std::lock_guard<std::mutex> guard(r.mutex);
	if (r.eventThread < 0)
		r.eventThread = current_thread_id();
}


thread_id
event_thread()
{
	Registry& r = registry();
	std::lock_guard<std::mutex> guard(r.mutex);
	return r.eventThread;
}


bool
is_event_thread()
{
	return event_thread() == current_thread_id();
}


void
set_host_hooks(const HostHooks& hooks)
{
	Registry& r = registry();
	std::lock_guard<std::mutex> guard(r.mutex);
	r.hooks = hooks;
}


static void
process_host_events(bigtime_t timeout)
{
	void (*processEvents)(bigtime_t);
	{
		Registry& r = registry();
		std::lock_guard<std::mutex> guard(r.mutex);
		processEvents = r.hooks.processEvents;
	}
	if (processEvents != NULL)
		processEvents(timeout);
}


// One turn: at most one message for every looper that may run now.
static int32
dispatch_round(bool* busy)
{
	std::vector<std::shared_ptr<LooperState> > order;
	{
		Registry& r = registry();
		std::lock_guard<std::mutex> guard(r.mutex);
		r.pending = false;
		order = r.order;
	}
	int32 count = 0;
	for (const std::shared_ptr<LooperState>& state : order) {
		if (LooperState::DispatchNext(state, busy))
			count++;
	}
	return count;
}


// Fires the timers that are due; returns the time until the next one.
static bigtime_t
fire_timers()
{
	Registry& r = registry();
	bigtime_t now = monotonic_time();
	std::vector<int32> due;
	{
		std::lock_guard<std::mutex> guard(r.mutex);
		for (const auto& entry : r.timers) {
			if (entry.second.next <= now)
				due.push_back(entry.first);
		}
	}
	for (int32 id : due) {
		void (*fire)(void*);
		void* cookie;
		{
			std::lock_guard<std::mutex> guard(r.mutex);
			auto found = r.timers.find(id);
			if (found == r.timers.end())
				continue;	// removed by an earlier timer
			Timer& timer = found->second;
			timer.next += timer.interval;
			if (timer.next <= now)
				timer.next = now + timer.interval;
			fire = timer.fire;
			cookie = timer.cookie;
		}
		fire(cookie);
	}
	std::lock_guard<std::mutex> guard(r.mutex);
	bigtime_t wait = B_INFINITE_TIMEOUT;
	now = monotonic_time();
	for (const auto& entry : r.timers)
		wait = std::min(wait, std::max<bigtime_t>(entry.second.next - now, 0));
	return wait;
}


int32
dispatch_until_idle()
{
	claim_event_thread();
	if (!is_event_thread())
		return 0;
	int32 total = 0;
	for (;;) {
		process_host_events(0);
		bool busy = false;
		int32 count = dispatch_round(&busy);
		total += count;
		if (count > 0)
			continue;
		if (!busy)
			break;
		// Another thread holds a looper that has messages: give it a moment.
		Registry& r = registry();
		std::unique_lock<std::mutex> guard(r.mutex);
		r.wakeCondition.wait_for(guard, std::chrono::milliseconds(1));
	}
	return total;
}


void
run_event_loop_until(bool (*done)(void* cookie), void* cookie)
{
	claim_event_thread();
	Registry& r = registry();
	if (!is_event_thread()) {
		// Another thread waits for something the event thread will do.
		while (!done(cookie)) {
			std::unique_lock<std::mutex> guard(r.mutex);
			r.wakeCondition.wait_for(guard, std::chrono::milliseconds(5));
		}
		return;
	}
	while (!done(cookie)) {
		bigtime_t wait = fire_timers();
		if (done(cookie))
			break;
		bool busy = false;
		int32 count = dispatch_round(&busy);
		process_host_events(0);
		if (count > 0 || done(cookie))
			continue;
		wait = std::min(wait, busy ? (bigtime_t)1000 : kMaxIdleWait);
		void (*processEvents)(bigtime_t);
		{
			std::unique_lock<std::mutex> guard(r.mutex);
			if (r.pending)
				continue;
			processEvents = r.hooks.processEvents;
			if (processEvents == NULL) {
				r.wakeCondition.wait_for(guard,
					std::chrono::microseconds(wait),
					[&r] { return r.pending; });
				continue;
			}
		}
		if (wait > 0)
			processEvents(wait);
	}
}


int32
add_timer(bigtime_t interval, void (*fire)(void* cookie), void* cookie)
{
	if (fire == NULL)
		return B_BAD_VALUE;
	if (interval < 1000)
		interval = 1000;
	Registry& r = registry();
	int32 id;
	{
		std::lock_guard<std::mutex> guard(r.mutex);
		id = r.nextTimer++;
		Timer& timer = r.timers[id];
		timer.interval = interval;
		timer.next = monotonic_time() + interval;
		timer.fire = fire;
		timer.cookie = cookie;
	}
	wake_event_loop();
	return id;
}


void
remove_timer(int32 id)
{
	Registry& r = registry();
	std::lock_guard<std::mutex> guard(r.mutex);
	r.timers.erase(id);
}

}	// namespace BPrivate
