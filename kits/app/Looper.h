/*
 * BLooper: a message queue, a recursive lock and the handlers that messages
 * are dispatched to. See EventLoop.h for how loopers share the one event
 * thread.
 */
#ifndef _LOOPER_H
#define _LOOPER_H

// As on the platform, BList and the kernel kit come with the looper.
#include <Handler.h>
#include <List.h>
#include <Message.h>
#include <MessageQueue.h>
#include <OS.h>

class BMessageFilter;

#define B_LOOPER_PORT_DEFAULT_CAPACITY 200

namespace BPrivate { struct LooperState; }

class BLooper : public BHandler {
public:
	// priority is kept for the platform's signature (B_NORMAL_PRIORITY);
	// loopers have no thread of their own here.
								BLooper(const char* name = NULL,
									int32 priority = 10,
									int32 portCapacity
										= B_LOOPER_PORT_DEFAULT_CAPACITY);
	virtual						~BLooper();

	// Posting never blocks and may come from any thread. The looper takes
	// a copy of the message; the caller keeps its own.
			status_t			PostMessage(uint32 command);
			status_t			PostMessage(BMessage* message);
			status_t			PostMessage(uint32 command, BHandler* handler,
									BHandler* replyTo = NULL);
			status_t			PostMessage(BMessage* message,
									BHandler* handler,
									BHandler* replyTo = NULL);

	virtual	void				DispatchMessage(BMessage* message,
									BHandler* handler);
	virtual	void				MessageReceived(BMessage* message);

			BMessage*			CurrentMessage() const;
			BMessage*			DetachCurrentMessage();
			BMessageQueue*		MessageQueue() const;
			bool				IsMessageWaiting() const;

	// Handlers
			void				AddHandler(BHandler* handler);
			bool				RemoveHandler(BHandler* handler);
			int32				CountHandlers() const;
			BHandler*			HandlerAt(int32 index) const;
			int32				IndexOf(BHandler* handler) const;

			BHandler*			PreferredHandler() const;
			void				SetPreferredHandler(BHandler* handler);

	// Running and quitting. Run() returns the event thread's id.
	virtual	thread_id			Run();
	virtual	void				Quit();
	virtual	bool				QuitRequested();

	// Locking. Lock() on a looper that was deleted fails; it never touches
	// the dead object.
			bool				Lock();
			void				Unlock();
			status_t			LockWithTimeout(bigtime_t timeout);

			thread_id			Thread() const;
			team_id				Team() const;
	static	BLooper*			LooperForThread(thread_id thread);

			thread_id			LockingThread() const;
			bool				IsLocked() const;
			int32				CountLocks() const;
			int32				CountLockRequests() const;
			sem_id				Sem() const;

	// Common filters run before the target handler's own; the looper owns
	// them once added.
	virtual	void				AddCommonFilter(BMessageFilter* filter);
	virtual	bool				RemoveCommonFilter(BMessageFilter* filter);
	virtual	void				SetCommonFilterList(BList* filters);
			BList*				CommonFilterList() const;

private:
	friend class BHandler;
	friend class BMessenger;
	friend struct BPrivate::LooperState;

								BLooper(const BLooper&);
			BLooper&			operator=(const BLooper&);

			status_t			_PostMessage(BMessage* message,
									BHandler* handler, BHandler* replyTo);
			BHandler*			_TopLevelFilter(BMessage* message,
									BHandler* target);
			BHandler*			_ApplyFilters(BList* list,
									BMessage* message, BHandler* target);
			void				_CompactHandlers() const;

			BPrivate::LooperState* fState;
			BMessageQueue*		fQueue;
			BMessage*			fLastMessage;
			BList*				fHandlers;
			BList*				fCommonFilters;
			BHandler*			fPreferred;
			bool				fRunCalled;
};

#endif	// _LOOPER_H
