#include <Handler.h>

#include <string.h>

#include <List.h>
#include <Looper.h>
#include <Message.h>
#include <MessageFilter.h>

#include "HeapPages.h"
#include "LooperPrivate.h"


BHandler::BHandler(const char* name)
	: fToken(-1), fIndexInLooper(-1), fLooper(NULL), fNextHandler(NULL),
	  fTies(NULL)
{
	// Views are handlers, and a large page makes them by the ten thousand:
	// the heap grows with them.
	BPrivate::advise_heap_growth();
	SetName(name);
}


BHandler::~BHandler()
{
	// Leave the registry first: from now on messengers see the handler gone.
	if (fToken.load() >= 0)
		BPrivate::unregister_handler(fToken.load());
	if (fLooper != NULL && fLooper != this) {
		BLooper* looper = fLooper;
		if (BPrivate::lock_looper(looper, B_INFINITE_TIMEOUT) == B_OK) {
			looper->RemoveHandler(this);
			BPrivate::unlock_looper(looper);
		}
	}
	if (fTies != NULL) {
		_DeleteFilters();
		delete[] fTies->name;
		delete fTies;
	}
}


BHandler::Ties::Ties()
	: name(NULL), filters(NULL)
{
}


BHandler::Ties*
BHandler::_Ties()
{
	if (fTies == NULL)
		fTies = new Ties;
	return fTies;
}


void
BHandler::_DeleteFilters()
{
	BList* filters = fTies != NULL ? fTies->filters : NULL;
	if (filters == NULL)
		return;
	for (int32 i = 0; i < filters->CountItems(); i++)
		delete (BMessageFilter*)filters->ItemAt(i);
	delete filters;
	fTies->filters = NULL;
}


void
BHandler::MessageReceived(BMessage* message)
{
	if (fNextHandler != NULL) {
		fNextHandler->MessageReceived(message);
		return;
	}
	if (message != NULL && message->what != B_MESSAGE_NOT_UNDERSTOOD
		&& message->IsSourceWaiting()) {
		BMessage reply(B_MESSAGE_NOT_UNDERSTOOD);
		message->SendReply(&reply);
	}
}


BLooper*
BHandler::Looper() const
{
	return fLooper;
}


void
BHandler::SetName(const char* name)
{
	if (name == NULL && fTies == NULL)
		return;
	Ties* ties = _Ties();
	delete[] ties->name;
	ties->name = NULL;
	if (name != NULL) {
		ties->name = new char[strlen(name) + 1];
		strcpy(ties->name, name);
	}
}


const char*
BHandler::Name() const
{
	return fTies != NULL ? fTies->name : NULL;
}


void
BHandler::SetNextHandler(BHandler* handler)
{
	if (handler == this)
		return;
	fNextHandler = handler;
}


BHandler*
BHandler::NextHandler() const
{
	return fNextHandler;
}


void
BHandler::AddFilter(BMessageFilter* filter)
{
	if (filter == NULL)
		return;
	Ties* ties = _Ties();
	if (ties->filters == NULL)
		ties->filters = new BList;
	filter->_SetLooper(fLooper);
	ties->filters->AddItem(filter);
}


bool
BHandler::RemoveFilter(BMessageFilter* filter)
{
	BList* filters = FilterList();
	if (filters == NULL || !filters->RemoveItem(filter))
		return false;
	filter->_SetLooper(NULL);
	return true;
}


void
BHandler::SetFilterList(BList* filters)
{
	_DeleteFilters();
	if (filters == NULL)
		return;
	_Ties()->filters = filters;
	for (int32 i = 0; i < filters->CountItems(); i++)
		((BMessageFilter*)filters->ItemAt(i))->_SetLooper(fLooper);
}


BList*
BHandler::FilterList()
{
	return fTies != NULL ? fTies->filters : NULL;
}


bool
BHandler::LockLooper()
{
	return LockLooperWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}


status_t
BHandler::LockLooperWithTimeout(bigtime_t timeout)
{
	BLooper* looper = fLooper;
	if (looper == NULL)
		return B_BAD_VALUE;
	status_t error = BPrivate::lock_looper(looper, timeout);
	if (error != B_OK)
		return error;
	if (fLooper != looper) {
		// Moved to another looper (or none) while we waited.
		BPrivate::unlock_looper(looper);
		return B_MISMATCHED_VALUES;
	}
	return B_OK;
}


void
BHandler::UnlockLooper()
{
	if (fLooper != NULL)
		BPrivate::unlock_looper(fLooper);
}


void
BHandler::_SetLooper(BLooper* looper)
{
	fLooper = looper;
	BList* filters = FilterList();
	if (filters != NULL) {
		for (int32 i = 0; i < filters->CountItems(); i++)
			((BMessageFilter*)filters->ItemAt(i))->_SetLooper(looper);
	}
}


int32
BHandler::_Token() const
{
	int32 token = fToken.load(std::memory_order_acquire);
	if (token < 0)
		token = BPrivate::register_handler(const_cast<BHandler*>(this), &fToken);
	return token;
}
