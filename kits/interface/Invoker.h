/*
 * BInvoker: a message and a target; Invoke() posts a copy of the message.
 */
#ifndef _INVOKER_H
#define _INVOKER_H

#include <AppDefs.h>
#include <Messenger.h>
#include <SupportDefs.h>

class BHandler;
class BLooper;
class BMessage;

class BInvoker {
public:
								BInvoker();
								BInvoker(BMessage* message,
									const BHandler* handler,
									const BLooper* looper = NULL);
								BInvoker(BMessage* message, BMessenger target);
	virtual						~BInvoker();

	// Takes ownership of the message; the previous one is deleted.
	virtual	status_t			SetMessage(BMessage* message);
			BMessage*			Message() const;
			uint32				Command() const;

	// A handler target: messages go to the handler in its looper (or to the
	// looper's preferred handler when only a looper is given). The handler
	// need not belong to a looper yet; the messenger is made at Invoke time.
	virtual	status_t			SetTarget(const BHandler* handler,
									const BLooper* looper = NULL);
	virtual	status_t			SetTarget(BMessenger messenger);
			bool				IsTargetLocal() const;
			BHandler*			Target(BLooper** looper = NULL) const;
			BMessenger			Messenger() const;

			status_t			SetHandlerForReply(BHandler* handler);
			BHandler*			HandlerForReply() const;

	// Posts a copy of `message` (or of Message()) with "when" and "source"
	// added, unless the copy already carries them.
	virtual	status_t			Invoke(BMessage* message = NULL);
			status_t			InvokeNotify(BMessage* message,
									uint32 kind = B_CONTROL_INVOKED);

			status_t			SetTimeout(bigtime_t timeout);
			bigtime_t			Timeout() const;

protected:
	// Subclasses add their own fields ("index" for menu items) and their own
	// pointer as "source" before the base class posts.
			status_t			_PostCopy(BMessage* message,
									const void* source);
	// The messenger to post to: the explicit target, or `fallback` (the
	// window of a control or menu) when no target was set.
			BMessenger			_ResolvedTarget(const BHandler* fallback) const;
			void				_SetFallbackTarget(const BHandler* fallback)
									{ fFallback = fallback; }

private:
			BMessage*			fMessage;
			BMessenger			fMessenger;
			const BHandler*		fHandler;
			const BLooper*		fLooper;
			bool				fUseMessenger;
			const BHandler*		fFallback;
			BHandler*			fReplyTo;
			bigtime_t			fTimeout;
			uint32				fNotifyKind;
};

#endif	// _INVOKER_H
