/*
 * A looper's queue of pending messages, oldest first. Every call locks the
 * queue itself, so any thread may add while the event thread takes.
 */
#ifndef _MESSAGE_QUEUE_H
#define _MESSAGE_QUEUE_H

#include <Locker.h>

class BMessage;

class BMessageQueue {
public:
								BMessageQueue();
	virtual						~BMessageQueue();

	// The queue owns queued messages and deletes what is left at the end.
			void				AddMessage(BMessage* message);
			void				RemoveMessage(BMessage* message);

			int32				CountMessages() const;
			bool				IsEmpty() const;

			BMessage*			FindMessage(int32 index) const;
			BMessage*			FindMessage(uint32 what, int32 index = 0) const;

			bool				Lock();
			void				Unlock();
			bool				IsLocked() const;

	// Removes and returns the oldest message (the caller owns it), or NULL.
			BMessage*			NextMessage();
			bool				IsNextMessage(const BMessage* message) const;

private:
								BMessageQueue(const BMessageQueue&);
			BMessageQueue&		operator=(const BMessageQueue&);

			BMessage*			fHead;
			BMessage*			fTail;
			int32				fMessageCount;
	mutable	BLocker				fLock;
};

#endif	// _MESSAGE_QUEUE_H
