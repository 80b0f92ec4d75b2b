/*
 * BMessageRunner: sends a message to a target at an interval, count times
 * (count < 0: until deleted). Runs on the event thread's timers.
 */
#ifndef _MESSAGE_RUNNER_H
#define _MESSAGE_RUNNER_H

#include <Messenger.h>

class BMessage;

class BMessageRunner {
public:
								BMessageRunner(BMessenger target,
									const BMessage* message,
									bigtime_t interval, int32 count = -1);
								BMessageRunner(BMessenger target,
									const BMessage* message,
									bigtime_t interval, int32 count,
									BMessenger replyTo);
	virtual						~BMessageRunner();

			status_t			InitCheck() const;

			status_t			SetInterval(bigtime_t interval);
			status_t			SetCount(int32 count);
			status_t			GetInfo(bigtime_t* interval,
									int32* count) const;

private:
								BMessageRunner(const BMessageRunner&);
			BMessageRunner&		operator=(const BMessageRunner&);

			void				_Start();
	static	void				_Fire(void* cookie);

			BMessenger			fTarget;
			BMessenger			fReplyTo;
			BMessage*			fMessage;
			bigtime_t			fInterval;
			int32				fCount;
			int32				fTimer;
			status_t			fInitError;
};

#endif	// _MESSAGE_RUNNER_H
