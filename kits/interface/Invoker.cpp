// BInvoker: a message with a target, posted as a stamped copy.
#include <Invoker.h>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>

#include "ControlLook.h"

BInvoker::BInvoker()
	:
	fMessage(NULL),
	fHandler(NULL),
	fLooper(NULL),
	fUseMessenger(false),
	fFallback(NULL),
	fReplyTo(NULL),
	fTimeout(B_INFINITE_TIMEOUT),
	fNotifyKind(0)
{
}


BInvoker::BInvoker(BMessage* message, const BHandler* handler,
	const BLooper* looper)
	:
	BInvoker()
{
	fMessage = message;
	SetTarget(handler, looper);
}


BInvoker::BInvoker(BMessage* message, BMessenger target)
	:
	BInvoker()
{
	fMessage = message;
	SetTarget(target);
}


BInvoker::~BInvoker()
{
	delete fMessage;
}


status_t
BInvoker::SetMessage(BMessage* message)
{
	if (message == fMessage)
		return B_OK;
	delete fMessage;
	fMessage = message;
	return B_OK;
}


BMessage*
BInvoker::Message() const
{
	return fMessage;
}


uint32
BInvoker::Command() const
{
	return fMessage != NULL ? fMessage->what : 0;
}


status_t
BInvoker::SetTarget(const BHandler* handler, const BLooper* looper)
{
	// A handler in another looper than the one named is refused, as on the
	// platform.
	if (handler != NULL && looper != NULL && handler->Looper() != NULL
		&& handler->Looper() != looper)
		return B_MISMATCHED_VALUES;
	fHandler = handler;
	fLooper = looper;
	fUseMessenger = false;
	fMessenger = BMessenger();
	return B_OK;
}


status_t
BInvoker::SetTarget(BMessenger messenger)
{
	fMessenger = messenger;
	fUseMessenger = true;
	fHandler = NULL;
	fLooper = NULL;
	return B_OK;
}


bool
BInvoker::IsTargetLocal() const
{
	return _ResolvedTarget(fFallback).IsTargetLocal();
}


BHandler*
BInvoker::Target(BLooper** looper) const
{
	if (fUseMessenger)
		return fMessenger.Target(looper);
	if (looper != NULL) {
		*looper = const_cast<BLooper*>(fLooper != NULL ? fLooper
			: (fHandler != NULL ? fHandler->Looper() : NULL));
	}
	if (fHandler != NULL)
		return const_cast<BHandler*>(fHandler);
	return NULL;
}


BMessenger
BInvoker::Messenger() const
{
	return _ResolvedTarget(fFallback);
}


status_t
BInvoker::SetHandlerForReply(BHandler* handler)
{
	fReplyTo = handler;
	return B_OK;
}


BHandler*
BInvoker::HandlerForReply() const
{
	return fReplyTo;
}


status_t
BInvoker::Invoke(BMessage* message)
{
	return _PostCopy(message, this);
}


status_t
BInvoker::InvokeNotify(BMessage* message, uint32 kind)
{
	fNotifyKind = kind;
	status_t status = Invoke(message);
	fNotifyKind = 0;
	return status;
}


status_t
BInvoker::SetTimeout(bigtime_t timeout)
{
	fTimeout = timeout;
	return B_OK;
}


bigtime_t
BInvoker::Timeout() const
{
	return fTimeout;
}


status_t
BInvoker::_PostCopy(BMessage* message, const void* source)
{
	if (message == NULL)
		message = fMessage;
	if (message == NULL)
		return B_BAD_VALUE;
	BMessenger target = _ResolvedTarget(fFallback);
	if (!target.IsValid())
		return B_BAD_PORT_ID;
	BMessage copy(*message);
	if (!copy.HasInt64("when"))
		copy.AddInt64("when", BPrivate::controls_now());
	if (!copy.HasPointer("source"))
		copy.AddPointer("source", source);
	return target.SendMessage(&copy, fReplyTo, fTimeout);
}


BMessenger
BInvoker::_ResolvedTarget(const BHandler* fallback) const
{
	if (fUseMessenger)
		return fMessenger;
	if (fHandler != NULL) {
		if (fHandler->Looper() == NULL && fLooper == NULL)
			return BMessenger();
		return BMessenger(fHandler, fLooper);
	}
	if (fLooper != NULL)
		return BMessenger(NULL, fLooper);
	if (fallback != NULL && fallback->Looper() != NULL)
		return BMessenger(fallback);
	return BMessenger();
}
