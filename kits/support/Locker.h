/*
 * A recursive lock: the thread that holds it may lock it again and must
 * unlock it as often.
 */
#ifndef _LOCKER_H
#define _LOCKER_H

#include <SupportDefs.h>

namespace BPrivate { struct RecursiveLock; }

class BLocker {
public:
								BLocker();
								BLocker(const char* name);
								BLocker(bool benaphoreStyle);
								BLocker(const char* name, bool benaphoreStyle);
	virtual						~BLocker();

			status_t			InitCheck() const;

			bool				Lock();
			status_t			LockWithTimeout(bigtime_t timeout);
			void				Unlock();

			thread_id			LockingThread() const;
			bool				IsLocked() const;
			int32				CountLocks() const;
			int32				CountLockRequests() const;
			sem_id				Sem() const;

private:
								BLocker(const BLocker&);
			BLocker&			operator=(const BLocker&);

			BPrivate::RecursiveLock* fLock;
			char*				fName;
};

#include <Autolock.h>

#endif	// _LOCKER_H
