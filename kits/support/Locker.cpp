#include <Locker.h>

#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include "RecursiveLock.h"

namespace BPrivate {

thread_id
current_thread_id()
{
	static thread_local thread_id sId = (thread_id)syscall(SYS_gettid);
	return sId;
}


bigtime_t
monotonic_time()
{
	return std::chrono::duration_cast<std::chrono::microseconds>(
		std::chrono::steady_clock::now().time_since_epoch()).count();
}


RecursiveLock::RecursiveLock()
	: fOwner(-1), fCount(0), fWaiting(0), fDead(false)
{
}


status_t
RecursiveLock::Lock(bigtime_t timeout)
{
	thread_id self = current_thread_id();
	std::unique_lock<std::mutex> guard(fMutex);
	if (fDead)
		return B_BAD_VALUE;
	if (fOwner == self) {
		fCount++;
		return B_OK;
	}
	if (fOwner != -1) {
		if (timeout <= 0)
			return B_WOULD_BLOCK;
		fWaiting++;
		auto ready = [this] { return fDead || fOwner == -1; };
		if (timeout == B_INFINITE_TIMEOUT)
			fCondition.wait(guard, ready);
		else if (!fCondition.wait_for(guard,
				std::chrono::microseconds(timeout), ready)) {
			fWaiting--;
			return B_TIMED_OUT;
		}
		fWaiting--;
		if (fDead)
			return B_BAD_VALUE;
	}
	fOwner = self;
	fCount = 1;
	return B_OK;
}


bool
RecursiveLock::Unlock()
{
	std::lock_guard<std::mutex> guard(fMutex);
	if (fOwner != current_thread_id() || fCount <= 0)
		return false;
	if (--fCount == 0) {
		fOwner = -1;
		fCondition.notify_one();
	}
	return true;
}


void
RecursiveLock::Kill()
{
	std::lock_guard<std::mutex> guard(fMutex);
	fDead = true;
	fOwner = -1;
	fCount = 0;
	fCondition.notify_all();
}


thread_id
RecursiveLock::Owner() const
{
	std::lock_guard<std::mutex> guard(fMutex);
	return fOwner;
}


int32
RecursiveLock::Count() const
{
	std::lock_guard<std::mutex> guard(fMutex);
	return fCount;
}


int32
RecursiveLock::Requests() const
{
	std::lock_guard<std::mutex> guard(fMutex);
	return fCount + fWaiting;
}


bool
RecursiveLock::IsDead() const
{
	std::lock_guard<std::mutex> guard(fMutex);
	return fDead;
}


// The application kit fills these in when its first looper is made; the
// support kit cannot call it directly.
static bool (*sLockLooper)(BLooper*) = NULL;
static void (*sUnlockLooper)(BLooper*) = NULL;


void
set_autolock_looper_hooks(bool (*lock)(BLooper*), void (*unlock)(BLooper*))
{
	sLockLooper = lock;
	sUnlockLooper = unlock;
}


bool
autolock_lock_looper(BLooper* looper)
{
	return looper != NULL && sLockLooper != NULL && sLockLooper(looper);
}


void
autolock_unlock_looper(BLooper* looper)
{
	if (looper != NULL && sUnlockLooper != NULL)
		sUnlockLooper(looper);
}


bool
autolock_lock_locker(BLocker* locker)
{
	return locker != NULL && locker->Lock();
}


void
autolock_unlock_locker(BLocker* locker)
{
	if (locker != NULL)
		locker->Unlock();
}

}	// namespace BPrivate


BLocker::BLocker()
	: fLock(new BPrivate::RecursiveLock), fName(NULL)
{
}


BLocker::BLocker(const char* name)
	: fLock(new BPrivate::RecursiveLock), fName(NULL)
{
	if (name != NULL) {
		fName = new char[strlen(name) + 1];
		strcpy(fName, name);
	}
}


BLocker::BLocker(bool)
	: BLocker()
{
}


BLocker::BLocker(const char* name, bool)
	: BLocker(name)
{
}


BLocker::~BLocker()
{
	delete fLock;
	delete[] fName;
}


status_t
BLocker::InitCheck() const
{
	return B_OK;
}


bool
BLocker::Lock()
{
	return fLock->Lock() == B_OK;
}


status_t
BLocker::LockWithTimeout(bigtime_t timeout)
{
	return fLock->Lock(timeout);
}


void
BLocker::Unlock()
{
	fLock->Unlock();
}


thread_id
BLocker::LockingThread() const
{
	return fLock->Owner();
}


bool
BLocker::IsLocked() const
{
	return fLock->Owner() == BPrivate::current_thread_id();
}


int32
BLocker::CountLocks() const
{
	return fLock->Count();
}


int32
BLocker::CountLockRequests() const
{
	return fLock->Requests();
}


sem_id
BLocker::Sem() const
{
	return B_ERROR;
}
