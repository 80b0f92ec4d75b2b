/*
 * BMessenger: an address for a handler in a looper that stays safe to use
 * after the target is gone (it then reports itself invalid).
 */
#ifndef _MESSENGER_H
#define _MESSENGER_H

#include <SupportDefs.h>

class BHandler;
class BLooper;
class BMessage;

class BMessenger {
public:
								BMessenger();
	// handler alone: its looper; looper alone (handler NULL): that looper's
	// preferred handler.
								BMessenger(const BHandler* handler,
									const BLooper* looper = NULL,
									status_t* result = NULL);
	// Only this application is known: a signature that is not ours, or a
	// foreign team, gives an invalid messenger.
								BMessenger(const char* signature,
									team_id team = -1,
									status_t* result = NULL);
								BMessenger(const BMessenger& other);
								~BMessenger();

			BMessenger&			operator=(const BMessenger& other);
			bool				operator==(const BMessenger& other) const;
			bool				operator!=(const BMessenger& other) const;
			bool				operator<(const BMessenger& other) const;

			bool				IsTargetLocal() const;
			BHandler*			Target(BLooper** looper) const;
			bool				LockTarget() const;
	// B_BAD_VALUE for a messenger never set to a target, B_BAD_PORT_ID when
	// its looper is gone, B_TIMED_OUT as BLooper::LockWithTimeout().
			status_t			LockTargetWithTimeout(bigtime_t timeout) const;

	// Sending posts a copy; it fails with B_BAD_PORT_ID when the looper is
	// gone and B_BAD_HANDLER when only the handler is.
			status_t			SendMessage(uint32 command,
									BHandler* replyTo = NULL) const;
			status_t			SendMessage(BMessage* message,
									BHandler* replyTo = NULL,
									bigtime_t timeout = B_INFINITE_TIMEOUT)
									const;
			status_t			SendMessage(BMessage* message,
									BMessenger replyTo,
									bigtime_t timeout = B_INFINITE_TIMEOUT)
									const;

	// Synchronous: runs the event loop (other loopers go on) until the
	// target replies. The reply is B_NO_REPLY when the target dropped the
	// message unanswered.
			status_t			SendMessage(uint32 command,
									BMessage* reply) const;
			status_t			SendMessage(BMessage* message,
									BMessage* reply,
									bigtime_t deliveryTimeout
										= B_INFINITE_TIMEOUT,
									bigtime_t replyTimeout
										= B_INFINITE_TIMEOUT) const;

			bool				IsValid() const;
			team_id				Team() const;

private:
	friend class BMessage;

			status_t			_Post(BMessage* message, int32 replyHandler,
									int32 replyLooper,
									bool replyPreferred) const;

	// Four int32 and nothing else: the object's bytes are fully defined
	// and are the form a message stores (B_MESSENGER_TYPE), so a messenger
	// added as raw data reads back equal. fPreferredTarget is 0 or 1.
			int32				fHandlerToken;
			int32				fLooperToken;
			int32				fPreferredTarget;
			team_id				fTeam;
};

#endif	// _MESSENGER_H
