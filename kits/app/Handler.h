/*
 * BHandler: something messages are delivered to. A handler that messages
 * are addressed to gets a token in a registry of live handlers, so a
 * messenger can tell when it is gone. The token is taken when it is first
 * asked for: a window may hold tens of thousands of views that nobody ever
 * addresses, and registering each of them would cost time and memory.
 */
#ifndef _HANDLER_H
#define _HANDLER_H

#include <SupportDefs.h>

#include <atomic>

class BList;
class BLooper;
class BMessage;
class BMessageFilter;

class BHandler {
public:
								BHandler(const char* name = NULL);
	virtual						~BHandler();

	// The default passes the message to the next handler; at the end of
	// the chain nothing happens.
	virtual	void				MessageReceived(BMessage* message);

			BLooper*			Looper() const;
			void				SetName(const char* name);
			const char*			Name() const;

	virtual	void				SetNextHandler(BHandler* handler);
			BHandler*			NextHandler() const;

	// Filters belong to the handler once added and are deleted with it.
	virtual	void				AddFilter(BMessageFilter* filter);
	virtual	bool				RemoveFilter(BMessageFilter* filter);
	virtual	void				SetFilterList(BList* filters);
			BList*				FilterList();

	// Locks the looper this handler belongs to; fails when there is none,
	// when it was deleted, or when the handler left it meanwhile.
			bool				LockLooper();
			status_t			LockLooperWithTimeout(bigtime_t timeout);
			void				UnlockLooper();

private:
	friend class BLooper;
	friend class BMessenger;

			void				_SetLooper(BLooper* looper);
			int32				_Token() const;

	// The name and the filters, made when the first of them is set: a
	// page's text views, by the ten thousand, have neither.
	struct Ties {
								Ties();

			char*				name;
			BList*				filters;
	};
			Ties*				_Ties();
			void				_DeleteFilters();

	mutable	std::atomic<int32>	fToken;	// < 0 until asked for
			int32				fIndexInLooper;	// in its looper's list
			BLooper*			fLooper;
			BHandler*			fNextHandler;
			Ties*				fTies;
};

#endif	// _HANDLER_H
