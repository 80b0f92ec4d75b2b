/*
 * Kit-private: the recursive lock behind BLocker and BLooper. A lock can be
 * killed: waiters and later lockers then fail instead of waiting forever,
 * which is how locking a deleted looper fails.
 */
#ifndef _QUILLORA_RECURSIVE_LOCK_H
#define _QUILLORA_RECURSIVE_LOCK_H

#include <condition_variable>
#include <mutex>

#include <SupportDefs.h>

class BLooper;

namespace BPrivate {

void set_autolock_looper_hooks(bool (*lock)(BLooper*),
	void (*unlock)(BLooper*));

thread_id current_thread_id();
bigtime_t monotonic_time();

struct RecursiveLock {
								RecursiveLock();

	// B_OK, B_TIMED_OUT (B_WOULD_BLOCK for a zero timeout) or B_BAD_VALUE
	// once killed.
			status_t			Lock(bigtime_t timeout = B_INFINITE_TIMEOUT);
	// Only the owner unlocks; false otherwise.
			bool				Unlock();
			void				Kill();

			thread_id			Owner() const;
			int32				Count() const;
			int32				Requests() const;
			bool				IsDead() const;

private:
	mutable	std::mutex			fMutex;
			std::condition_variable fCondition;
			thread_id			fOwner;
			int32				fCount;
			int32				fWaiting;
			bool				fDead;
};

}	// namespace BPrivate

#endif	// _QUILLORA_RECURSIVE_LOCK_H
