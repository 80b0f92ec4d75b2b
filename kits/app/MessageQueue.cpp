#include <MessageQueue.h>

#include <Message.h>


BMessageQueue::BMessageQueue()
	: fHead(NULL), fTail(NULL), fMessageCount(0), fLock("message queue")
{
}


BMessageQueue::~BMessageQueue()
{
	fLock.Lock();
	BMessage* message = fHead;
	fHead = fTail = NULL;
	fMessageCount = 0;
	fLock.Unlock();
	while (message != NULL) {
		BMessage* next = message->fQueueLink;
		delete message;
		message = next;
	}
}


void
BMessageQueue::AddMessage(BMessage* message)
{
	if (message == NULL)
		return;
	BAutolock lock(fLock);
	message->fQueueLink = NULL;
	if (fTail != NULL)
		fTail->fQueueLink = message;
	else
		fHead = message;
	fTail = message;
	fMessageCount++;
}


void
BMessageQueue::RemoveMessage(BMessage* message)
{
	if (message == NULL)
		return;
	BAutolock lock(fLock);
	BMessage* previous = NULL;
	for (BMessage* entry = fHead; entry != NULL; entry = entry->fQueueLink) {
		if (entry != message) {
			previous = entry;
			continue;
		}
		if (previous != NULL)
			previous->fQueueLink = entry->fQueueLink;
		else
			fHead = entry->fQueueLink;
		if (fTail == entry)
			fTail = previous;
		entry->fQueueLink = NULL;
		fMessageCount--;
		return;
	}
}


int32
BMessageQueue::CountMessages() const
{
	BAutolock lock(fLock);
	return fMessageCount;
}


bool
BMessageQueue::IsEmpty() const
{
	return CountMessages() == 0;
}


BMessage*
BMessageQueue::FindMessage(int32 index) const
{
	BAutolock lock(fLock);
	if (index < 0)
		return NULL;
	for (BMessage* entry = fHead; entry != NULL; entry = entry->fQueueLink) {
		if (index-- == 0)
			return entry;
	}
	return NULL;
}


BMessage*
BMessageQueue::FindMessage(uint32 what, int32 index) const
{
	BAutolock lock(fLock);
	if (index < 0)
		return NULL;
	for (BMessage* entry = fHead; entry != NULL; entry = entry->fQueueLink) {
		if (entry->what == what && index-- == 0)
			return entry;
	}
	return NULL;
}


bool
BMessageQueue::Lock()
{
	return fLock.Lock();
}


void
BMessageQueue::Unlock()
{
	fLock.Unlock();
}


bool
BMessageQueue::IsLocked() const
{
	return fLock.IsLocked();
}


BMessage*
BMessageQueue::NextMessage()
{
	BAutolock lock(fLock);
	BMessage* message = fHead;
	if (message == NULL)
		return NULL;
	fHead = message->fQueueLink;
	if (fHead == NULL)
		fTail = NULL;
	message->fQueueLink = NULL;
	fMessageCount--;
	return message;
}


bool
BMessageQueue::IsNextMessage(const BMessage* message) const
{
	BAutolock lock(fLock);
	return fHead == message;
}
