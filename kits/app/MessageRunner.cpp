#include <MessageRunner.h>

#include <EventLoop.h>
#include <Message.h>


BMessageRunner::BMessageRunner(BMessenger target, const BMessage* message,
	bigtime_t interval, int32 count)
	: fTarget(target), fMessage(message != NULL ? new BMessage(*message) : NULL),
	  fInterval(interval), fCount(count), fTimer(-1), fInitError(B_OK)
{
	_Start();
}


BMessageRunner::BMessageRunner(BMessenger target, const BMessage* message,
	bigtime_t interval, int32 count, BMessenger replyTo)
	: fTarget(target), fReplyTo(replyTo),
	  fMessage(message != NULL ? new BMessage(*message) : NULL),
	  fInterval(interval), fCount(count), fTimer(-1), fInitError(B_OK)
{
	_Start();
}


BMessageRunner::~BMessageRunner()
{
	if (fTimer >= 0)
		BPrivate::remove_timer(fTimer);
	delete fMessage;
}


void
BMessageRunner::_Start()
{
	if (fMessage == NULL || fInterval <= 0 || fCount == 0
		|| !fTarget.IsValid()) {
		fInitError = B_BAD_VALUE;
		return;
	}
	fTimer = BPrivate::add_timer(fInterval, _Fire, this);
}


void
BMessageRunner::_Fire(void* cookie)
{
	BMessageRunner* runner = (BMessageRunner*)cookie;
	if (runner->fCount == 0)
		return;
	runner->fTarget.SendMessage(runner->fMessage, runner->fReplyTo);
	if (runner->fCount > 0 && --runner->fCount == 0) {
		BPrivate::remove_timer(runner->fTimer);
		runner->fTimer = -1;
	}
}


status_t
BMessageRunner::InitCheck() const
{
	return fInitError;
}


status_t
BMessageRunner::SetInterval(bigtime_t interval)
{
	if (fInitError != B_OK || interval <= 0)
		return B_BAD_VALUE;
	fInterval = interval;
	if (fTimer >= 0) {
		BPrivate::remove_timer(fTimer);
		fTimer = BPrivate::add_timer(fInterval, _Fire, this);
	}
	return B_OK;
}


status_t
BMessageRunner::SetCount(int32 count)
{
	if (fInitError != B_OK)
		return B_BAD_VALUE;
	fCount = count;
	if (fCount == 0 && fTimer >= 0) {
		BPrivate::remove_timer(fTimer);
		fTimer = -1;
	} else if (fCount != 0 && fTimer < 0)
		fTimer = BPrivate::add_timer(fInterval, _Fire, this);
	return B_OK;
}


status_t
BMessageRunner::GetInfo(bigtime_t* interval, int32* count) const
{
	if (fInitError != B_OK)
		return B_BAD_VALUE;
	if (interval != NULL)
		*interval = fInterval;
	if (count != NULL)
		*count = fCount;
	return B_OK;
}
