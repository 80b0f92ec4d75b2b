#include <Looper.h>

#include <unistd.h>

#include <Application.h>
#include <List.h>
#include <MessageFilter.h>
#include <AppPrivate.h>

#include "LooperPrivate.h"
#include "MessagePrivate.h"

using BPrivate::LooperState;


BLooper::BLooper(const char* name, int32, int32)
	: BHandler(name), fState(NULL), fQueue(new BMessageQueue),
	  fLastMessage(NULL), fHandlers(new BList), fCommonFilters(NULL),
	  fPreferred(NULL), fRunCalled(false)
{
	// The registry keeps the state alive as long as anyone looks at it.
	fState = BPrivate::register_looper(this, _Token()).get();
	Lock();
	AddHandler(this);
	Unlock();
}


BLooper::~BLooper()
{
	LooperState* state = fState;
	// Waits for another thread that holds the looper; recursive on ours.
	state->lock.Lock();
	std::shared_ptr<LooperState> keep = BPrivate::looper_state(this);
	BPrivate::unregister_looper(state);

	// Queued messages go now; a sender waiting on one gets B_NO_REPLY.
	delete fQueue;
	fQueue = NULL;
	delete fLastMessage;
	fLastMessage = NULL;

	for (int32 i = fHandlers->CountItems() - 1; i >= 0; i--) {
		BHandler* handler = (BHandler*)fHandlers->ItemAt(i);
		if (handler == NULL)
			continue;
		handler->_SetLooper(NULL);
		if (handler != this && handler->NextHandler() == this)
			handler->SetNextHandler(NULL);
	}
	delete fHandlers;
	fHandlers = NULL;
	SetCommonFilterList(NULL);

	// Whoever waits for the lock, or asks later, now fails.
	state->lock.Kill();
}


// #pragma mark - posting

status_t
BLooper::PostMessage(uint32 command)
{
	BMessage message(command);
	return _PostMessage(&message, this, NULL);
}


status_t
BLooper::PostMessage(BMessage* message)
{
	return _PostMessage(message, this, NULL);
}


status_t
BLooper::PostMessage(uint32 command, BHandler* handler, BHandler* replyTo)
{
	BMessage message(command);
	return _PostMessage(&message, handler, replyTo);
}


status_t
BLooper::PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo)
{
	return _PostMessage(message, handler, replyTo);
}


status_t
BLooper::_PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo)
{
	if (message == NULL)
		return B_BAD_VALUE;
	if (handler != NULL && handler->Looper() != this)
		return B_MISMATCHED_VALUES;
	BMessage* copy = new BMessage(*message);
	if (replyTo != NULL) {
		copy->fReplyHandlerToken = replyTo->_Token();
		BLooper* replyLooper = replyTo->Looper();
		copy->fReplyLooperToken = replyLooper != NULL
			? replyLooper->_Token() : -1;
	}
	return LooperState::Post(_Token(), copy,
		handler != NULL ? handler->_Token() : -1, handler == NULL);
}


// #pragma mark - dispatching

void
BLooper::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message == NULL || handler == NULL)
		return;
	switch (message->what) {
		case _QUIT_:
			if (handler == this) {
				Quit();
				return;
			}
			break;
		case B_QUIT_REQUESTED:
			if (handler == this) {
				bool quit = QuitRequested();
				if (message->IsSourceWaiting()) {
					BMessage reply(B_REPLY);
					reply.AddBool("result", quit);
					message->SendReply(&reply);
				}
				if (quit)
					Quit();
				return;
			}
			break;
	}
	handler->MessageReceived(message);
}


void
BLooper::MessageReceived(BMessage* message)
{
	BHandler::MessageReceived(message);
}


BMessage*
BLooper::CurrentMessage() const
{
	return fLastMessage;
}


BMessage*
BLooper::DetachCurrentMessage()
{
	BMessage* message = fLastMessage;
	fLastMessage = NULL;
	return message;
}


BMessageQueue*
BLooper::MessageQueue() const
{
	return fQueue;
}


bool
BLooper::IsMessageWaiting() const
{
	return fQueue != NULL && !fQueue->IsEmpty();
}


// Common filters first, then the target's own; a filter may hand the
// message to another handler of this looper, whose filters then run too.
BHandler*
BLooper::_TopLevelFilter(BMessage* message, BHandler* target)
{
	target = _ApplyFilters(fCommonFilters, message, target);
	BHandler* previous = NULL;
	while (target != NULL && target != previous) {
		if (target->Looper() != this)
			return NULL;
		previous = target;
		target = _ApplyFilters(target->FilterList(), message, target);
	}
	if (target != NULL && target->Looper() != this)
		return NULL;
	return target;
}


BHandler*
BLooper::_ApplyFilters(BList* list, BMessage* message, BHandler* target)
{
	if (list == NULL)
		return target;
	for (int32 i = 0; i < list->CountItems(); i++) {
		BMessageFilter* filter = (BMessageFilter*)list->ItemAt(i);
		if (!filter->_Matches(message))
			continue;
		filter_result result;
		if (filter_hook hook = filter->_FilterFunction())
			result = hook(message, &target, filter);
		else
			result = filter->Filter(message, &target);
		if (result == B_SKIP_MESSAGE || target == NULL)
			return NULL;
	}
	return target;
}


// #pragma mark - handlers

void
BLooper::AddHandler(BHandler* handler)
{
	if (handler == NULL || handler->Looper() != NULL)
		return;
	handler->_SetLooper(this);
	if (handler != this && handler->NextHandler() == NULL)
		handler->SetNextHandler(this);
	handler->fIndexInLooper = fHandlers->CountItems();
	fHandlers->AddItem(handler);
}


bool
BLooper::RemoveHandler(BHandler* handler)
{
	if (handler == NULL || handler == this || handler->Looper() != this)
		return false;
	int32 index = handler->fIndexInLooper;
	if (index >= 0 && fHandlers->ItemAt(index) == handler) {
		fHandlers->ReplaceItem(index, NULL);
		fState->handlerHoles++;
	}
	handler->fIndexInLooper = -1;
	handler->_SetLooper(NULL);
	handler->SetNextHandler(NULL);
	if (fPreferred == handler)
		fPreferred = NULL;
	if (fState->handlerHoles > 64
		&& fState->handlerHoles > fHandlers->CountItems() / 2)
		_CompactHandlers();
	return true;
}


void
BLooper::_CompactHandlers() const
{
	if (fState->handlerHoles == 0)
		return;
	int32 count = fHandlers->CountItems();
	int32 kept = 0;
	for (int32 i = 0; i < count; i++) {
		BHandler* handler = (BHandler*)fHandlers->ItemAt(i);
		if (handler == NULL)
			continue;
		fHandlers->ReplaceItem(kept, handler);
		handler->fIndexInLooper = kept++;
	}
	fHandlers->RemoveItems(kept, count - kept);
	fState->handlerHoles = 0;
}


int32
BLooper::CountHandlers() const
{
	return fHandlers->CountItems() - fState->handlerHoles;
}


BHandler*
BLooper::HandlerAt(int32 index) const
{
	_CompactHandlers();
	return (BHandler*)fHandlers->ItemAt(index);
}


int32
BLooper::IndexOf(BHandler* handler) const
{
	_CompactHandlers();
	if (handler == NULL || handler->Looper() != this)
		return -1;
	int32 index = handler->fIndexInLooper;
	return index >= 0 && fHandlers->ItemAt(index) == handler ? index : -1;
}


BHandler*
BLooper::PreferredHandler() const
{
	return fPreferred;
}


void
BLooper::SetPreferredHandler(BHandler* handler)
{
	if (handler != NULL && handler->Looper() != this)
		return;
	fPreferred = handler;
}


// #pragma mark - running

thread_id
BLooper::Run()
{
	if (fRunCalled)
		return B_ALREADY_RUNNING;
	fRunCalled = true;
	BPrivate::claim_event_thread();
	fState->running = true;
	// Messages posted before Run() are waiting.
	BPrivate::wake_event_loop();
	return BPrivate::event_thread();
}


// Inside its own dispatch (or with a dispatch of it further up the stack)
// the looper cannot go yet: it is deleted when that dispatch returns and gets
// no messages meanwhile. Otherwise it goes at once, lock and all.
void
BLooper::Quit()
{
	if (!IsLocked() && !Lock())
		return;
	if (fState->dispatchDepth > 0) {
		fState->quitPending = true;
		fState->running = false;
		return;
	}
	delete this;
}


bool
BLooper::QuitRequested()
{
	return true;
}


// #pragma mark - locking

bool
BLooper::Lock()
{
	return BPrivate::lock_looper(this, B_INFINITE_TIMEOUT) == B_OK;
}


void
BLooper::Unlock()
{
	BPrivate::unlock_looper(this);
}


status_t
BLooper::LockWithTimeout(bigtime_t timeout)
{
	return BPrivate::lock_looper(this, timeout);
}


thread_id
BLooper::Thread() const
{
	std::shared_ptr<LooperState> state = BPrivate::looper_state(this);
	if (!state || !fRunCalled)
		return B_ERROR;
	return BPrivate::event_thread();
}


team_id
BLooper::Team() const
{
	return getpid();
}


BLooper*
BLooper::LooperForThread(thread_id thread)
{
	// Every looper runs on the event thread; the application stands for
	// them all.
	if (thread != BPrivate::event_thread())
		return NULL;
	return be_app;
}


thread_id
BLooper::LockingThread() const
{
	std::shared_ptr<LooperState> state = BPrivate::looper_state(this);
	return state ? state->lock.Owner() : B_ERROR;
}


bool
BLooper::IsLocked() const
{
	std::shared_ptr<LooperState> state = BPrivate::looper_state(this);
	return state && state->lock.Owner() == BPrivate::current_thread_id();
}


int32
BLooper::CountLocks() const
{
	std::shared_ptr<LooperState> state = BPrivate::looper_state(this);
	return state ? state->lock.Count() : B_ERROR;
}


int32
BLooper::CountLockRequests() const
{
	std::shared_ptr<LooperState> state = BPrivate::looper_state(this);
	return state ? state->lock.Requests() : B_ERROR;
}


sem_id
BLooper::Sem() const
{
	return B_ERROR;
}


// #pragma mark - common filters

void
BLooper::AddCommonFilter(BMessageFilter* filter)
{
	if (filter == NULL)
		return;
	if (fCommonFilters == NULL)
		fCommonFilters = new BList;
	filter->_SetLooper(this);
	fCommonFilters->AddItem(filter);
}


bool
BLooper::RemoveCommonFilter(BMessageFilter* filter)
{
	if (fCommonFilters == NULL || !fCommonFilters->RemoveItem(filter))
		return false;
	filter->_SetLooper(NULL);
	return true;
}


void
BLooper::SetCommonFilterList(BList* filters)
{
	if (fCommonFilters != NULL) {
		for (int32 i = 0; i < fCommonFilters->CountItems(); i++)
			delete (BMessageFilter*)fCommonFilters->ItemAt(i);
		delete fCommonFilters;
	}
	fCommonFilters = filters;
	if (fCommonFilters != NULL) {
		for (int32 i = 0; i < fCommonFilters->CountItems(); i++)
			((BMessageFilter*)fCommonFilters->ItemAt(i))->_SetLooper(this);
	}
}


BList*
BLooper::CommonFilterList() const
{
	return fCommonFilters;
}
