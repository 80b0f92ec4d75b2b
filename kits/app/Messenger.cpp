/*
 * BMessenger, and the reply side of BMessage that goes through messengers.
 */
#include <Messenger.h>

#include <strings.h>
#include <unistd.h>

#include <AppPrivate.h>
#include <Application.h>
#include <EventLoop.h>
#include <Handler.h>
#include <Looper.h>
#include <Message.h>

#include "LooperPrivate.h"
#include "MessagePrivate.h"

using BPrivate::LooperState;


// #pragma mark - ReplySlot

namespace BPrivate {

ReplySlot::ReplySlot()
	: done(false), references(1)
{
}


void
ReplySlot::Acquire()
{
	references++;
}


void
ReplySlot::Release()
{
	if (--references == 0)
		delete this;
}


bool
ReplySlot::Deliver(const BMessage& message)
{
	{
		std::lock_guard<std::mutex> guard(mutex);
		if (done)
			return false;
		reply = message;
		reply.fIsReply = true;
		done = true;
	}
	condition.notify_all();
	wake_event_loop();
	return true;
}


bool
ReplySlot::IsDone()
{
	std::lock_guard<std::mutex> guard(mutex);
	return done;
}

}	// namespace BPrivate


// #pragma mark - BMessenger

static_assert(sizeof(BMessenger) == 4 * sizeof(int32),
	"a messenger's bytes are its four fields, without padding");


BMessenger::BMessenger()
	: fHandlerToken(-1), fLooperToken(-1), fPreferredTarget(0), fTeam(-1)
{
}


BMessenger::BMessenger(const BHandler* handler, const BLooper* looper,
	status_t* result)
	: BMessenger()
{
	status_t error = B_OK;
	if (handler != NULL) {
		BLooper* handlerLooper = handler->Looper();
		if (handlerLooper == NULL
			|| (looper != NULL && looper != handlerLooper))
			error = B_MISMATCHED_VALUES;
		else {
			fHandlerToken = handler->_Token();
			fLooperToken = handlerLooper->_Token();
		}
	} else if (looper != NULL) {
		if (BPrivate::is_live_looper(looper)) {
			fLooperToken = looper->_Token();
			fPreferredTarget = 1;
		} else
			error = B_BAD_VALUE;
	} else
		error = B_BAD_VALUE;
	if (error == B_OK)
		fTeam = getpid();
	if (result != NULL)
		*result = error;
}


BMessenger::BMessenger(const char* signature, team_id team, status_t* result)
	: BMessenger()
{
	status_t error = B_BAD_VALUE;
	if (signature != NULL && be_app != NULL
		&& strcasecmp(signature, be_app->Signature()) == 0) {
		if (team < 0 || team == getpid()) {
			fLooperToken = be_app->_Token();
			fPreferredTarget = 1;
			fTeam = getpid();
			error = B_OK;
		} else
			error = B_BAD_TEAM_ID;
	}
	if (result != NULL)
		*result = error;
}


BMessenger::BMessenger(const BMessenger& other)
	: fHandlerToken(other.fHandlerToken), fLooperToken(other.fLooperToken),
	  fPreferredTarget(other.fPreferredTarget), fTeam(other.fTeam)
{
}


BMessenger::~BMessenger()
{
}


BMessenger&
BMessenger::operator=(const BMessenger& other)
{
	fHandlerToken = other.fHandlerToken;
	fLooperToken = other.fLooperToken;
	fPreferredTarget = other.fPreferredTarget;
	fTeam = other.fTeam;
	return *this;
}


bool
BMessenger::operator==(const BMessenger& other) const
{
	return fLooperToken == other.fLooperToken
		&& fPreferredTarget == other.fPreferredTarget
		&& (fPreferredTarget || fHandlerToken == other.fHandlerToken);
}


bool
BMessenger::operator!=(const BMessenger& other) const
{
	return !(*this == other);
}


bool
BMessenger::operator<(const BMessenger& other) const
{
	if (fLooperToken != other.fLooperToken)
		return fLooperToken < other.fLooperToken;
	if (fPreferredTarget != other.fPreferredTarget)
		return fPreferredTarget != 0;
	return !fPreferredTarget && fHandlerToken < other.fHandlerToken;
}


bool
BMessenger::IsTargetLocal() const
{
	return IsValid();
}


BHandler*
BMessenger::Target(BLooper** looper) const
{
	BLooper* targetLooper = BPrivate::looper_for_token(fLooperToken);
	if (looper != NULL)
		*looper = targetLooper;
	if (targetLooper == NULL || fPreferredTarget)
		return NULL;
	if (fHandlerToken == fLooperToken)
		return targetLooper;
	return BPrivate::handler_in_looper(fHandlerToken, targetLooper);
}


bool
BMessenger::LockTarget() const
{
	return LockTargetWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}


status_t
BMessenger::LockTargetWithTimeout(bigtime_t timeout) const
{
	// A messenger that was never aimed anywhere is a bad argument; one whose
	// looper has gone is a dead address.
	if (fLooperToken < 0)
		return B_BAD_VALUE;
	BLooper* looper = BPrivate::looper_for_token(fLooperToken);
	if (looper == NULL)
		return B_BAD_PORT_ID;
	status_t error = BPrivate::lock_looper(looper, timeout);
	if (error != B_OK)
		return error;
	// The address could have been reused by a new looper meanwhile.
	std::shared_ptr<LooperState> state = BPrivate::looper_state(looper);
	if (!state || state->token != fLooperToken) {
		BPrivate::unlock_looper(looper);
		return B_BAD_PORT_ID;
	}
	return B_OK;
}


bool
BMessenger::IsValid() const
{
	BLooper* looper = BPrivate::looper_for_token(fLooperToken);
	if (looper == NULL)
		return false;
	if (fPreferredTarget || fHandlerToken == fLooperToken)
		return true;
	return BPrivate::handler_in_looper(fHandlerToken, looper) != NULL;
}


team_id
BMessenger::Team() const
{
	return fTeam;
}


status_t
BMessenger::_Post(BMessage* message, int32 replyHandler, int32 replyLooper,
	bool replyPreferred) const
{
	message->fReplyHandlerToken = replyHandler;
	message->fReplyLooperToken = replyLooper;
	message->fReplyToPreferred = replyPreferred;
	if (fLooperToken < 0) {
		delete message;
		return B_BAD_PORT_ID;
	}
	return LooperState::Post(fLooperToken, message, fHandlerToken,
		fPreferredTarget);
}


status_t
BMessenger::SendMessage(uint32 command, BHandler* replyTo) const
{
	BMessage message(command);
	return SendMessage(&message, replyTo);
}


status_t
BMessenger::SendMessage(BMessage* message, BHandler* replyTo,
	bigtime_t timeout) const
{
	BMessenger replyMessenger;
	if (replyTo != NULL && replyTo->Looper() != NULL)
		replyMessenger = BMessenger(replyTo);
	return SendMessage(message, replyMessenger, timeout);
}


status_t
BMessenger::SendMessage(BMessage* message, BMessenger replyTo,
	bigtime_t) const
{
	if (message == NULL)
		return B_BAD_VALUE;
	return _Post(new BMessage(*message), replyTo.fHandlerToken,
		replyTo.fLooperToken, replyTo.fPreferredTarget);
}


status_t
BMessenger::SendMessage(uint32 command, BMessage* reply) const
{
	BMessage message(command);
	return SendMessage(&message, reply);
}


namespace {

struct ReplyWait {
	BPrivate::ReplySlot*	slot;
	bigtime_t				deadline;
};


bool
reply_arrived_or_late(void* cookie)
{
	ReplyWait* wait = (ReplyWait*)cookie;
	return wait->slot->IsDone()
		|| BPrivate::monotonic_time() >= wait->deadline;
}

}	// namespace


status_t
BMessenger::SendMessage(BMessage* message, BMessage* reply, bigtime_t,
	bigtime_t replyTimeout) const
{
	if (message == NULL || reply == NULL)
		return B_BAD_VALUE;
	std::shared_ptr<LooperState> state
		= BPrivate::looper_state_for_token(fLooperToken);
	if (!state || state->looper == NULL)
		return B_BAD_PORT_ID;
	BPrivate::claim_event_thread();
	bool onEventThread = BPrivate::is_event_thread();
	// A looper dispatching further up this thread's stack cannot answer
	// before we return: waiting would never end.
	if (onEventThread && state->dispatchDepth > 0)
		return B_MESSAGE_TO_SELF;

	BPrivate::ReplySlot* slot = new BPrivate::ReplySlot;
	BMessage* copy = new BMessage(*message);
	slot->Acquire();
	copy->fReplySlot = slot;
	status_t error = _Post(copy, -1, -1, false);
	if (error != B_OK) {
		slot->Release();
		return error;
	}

	ReplyWait wait = { slot, replyTimeout == B_INFINITE_TIMEOUT
		? B_INFINITE_TIMEOUT : BPrivate::monotonic_time() + replyTimeout };
	if (onEventThread)
		BPrivate::run_event_loop_until(reply_arrived_or_late, &wait);
	else {
		std::unique_lock<std::mutex> guard(slot->mutex);
		if (replyTimeout == B_INFINITE_TIMEOUT)
			slot->condition.wait(guard, [slot] { return slot->done; });
		else {
			slot->condition.wait_for(guard,
				std::chrono::microseconds(replyTimeout),
				[slot] { return slot->done; });
		}
	}

	{
		std::lock_guard<std::mutex> guard(slot->mutex);
		if (slot->done) {
			*reply = slot->reply;
			reply->fIsReply = true;
			error = B_OK;
		} else
			error = B_TIMED_OUT;
	}
	slot->Release();
	return error;
}


// #pragma mark - BMessage replies

BMessenger
BMessage::ReturnAddress() const
{
	BMessenger messenger;
	messenger.fHandlerToken = fReplyHandlerToken;
	messenger.fLooperToken = fReplyLooperToken;
	messenger.fPreferredTarget = fReplyToPreferred;
	messenger.fTeam = fReplyLooperToken >= 0 ? getpid() : -1;
	return messenger;
}


status_t
BMessage::SendReply(uint32 command, BHandler* replyTo)
{
	BMessage reply(command);
	return SendReply(&reply, replyTo);
}


status_t
BMessage::SendReply(BMessage* reply, BHandler* replyTo, bigtime_t timeout)
{
	BMessenger replyMessenger;
	if (replyTo != NULL && replyTo->Looper() != NULL)
		replyMessenger = BMessenger(replyTo);
	return SendReply(reply, replyMessenger, timeout);
}


status_t
BMessage::SendReply(BMessage* reply, BMessenger replyTo, bigtime_t timeout)
{
	if (reply == NULL)
		return B_BAD_VALUE;
	if (fReplySlot != NULL) {
		if (fReplySent)
			return B_DUPLICATE_REPLY;
		fReplySent = true;
		fReplySlot->Deliver(*reply);
		return B_OK;
	}
	if (fReplyLooperToken < 0)
		return B_BAD_REPLY;
	BMessage copy(*reply);
	copy.fIsReply = true;
	return ReturnAddress().SendMessage(&copy, replyTo, timeout);
}


status_t
BMessage::SendReply(uint32 command, BMessage* replyToReply)
{
	BMessage reply(command);
	return SendReply(&reply, replyToReply);
}


status_t
BMessage::SendReply(BMessage* reply, BMessage* replyToReply,
	bigtime_t sendTimeout, bigtime_t replyTimeout)
{
	if (reply == NULL || replyToReply == NULL)
		return B_BAD_VALUE;
	if (fReplySlot != NULL) {
		// The waiting sender takes the reply but cannot answer it.
		status_t error = SendReply(reply, (BHandler*)NULL);
		if (error == B_OK)
			*replyToReply = BMessage(B_NO_REPLY);
		return error;
	}
	if (fReplyLooperToken < 0)
		return B_BAD_REPLY;
	BMessage copy(*reply);
	copy.fIsReply = true;
	return ReturnAddress().SendMessage(&copy, replyToReply, sendTimeout,
		replyTimeout);
}
