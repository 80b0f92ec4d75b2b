/*
 * Holds a BLocker or a BLooper for the life of a scope.
 */
#ifndef _AUTOLOCK_H
#define _AUTOLOCK_H

#include <SupportDefs.h>

class BLocker;
class BLooper;

class BAutolock {
public:
	inline						BAutolock(BLocker* locker);
	inline						BAutolock(BLocker& locker);
	inline						BAutolock(BLooper* looper);
	inline						~BAutolock();

	inline	bool				IsLocked();
	inline	void				Unlock();

private:
								BAutolock(const BAutolock&);
			BAutolock&			operator=(const BAutolock&);

			BLocker*			fLocker;
			BLooper*			fLooper;
			bool				fIsLocked;
};

// Both locking calls live in their kits; these keep the header free of the
// application kit's classes.
namespace BPrivate {
bool autolock_lock_looper(BLooper* looper);
void autolock_unlock_looper(BLooper* looper);
bool autolock_lock_locker(BLocker* locker);
void autolock_unlock_locker(BLocker* locker);
}

inline
BAutolock::BAutolock(BLocker* locker)
	: fLocker(locker), fLooper(NULL),
	  fIsLocked(BPrivate::autolock_lock_locker(locker))
{
}

inline
BAutolock::BAutolock(BLocker& locker)
	: fLocker(&locker), fLooper(NULL),
	  fIsLocked(BPrivate::autolock_lock_locker(&locker))
{
}

inline
BAutolock::BAutolock(BLooper* looper)
	: fLocker(NULL), fLooper(looper),
	  fIsLocked(BPrivate::autolock_lock_looper(looper))
{
}

inline
BAutolock::~BAutolock()
{
	Unlock();
}

inline bool
BAutolock::IsLocked()
{
	return fIsLocked;
}

inline void
BAutolock::Unlock()
{
	if (!fIsLocked)
		return;
	fIsLocked = false;
	if (fLooper != NULL)
		BPrivate::autolock_unlock_looper(fLooper);
	else
		BPrivate::autolock_unlock_locker(fLocker);
}

#endif	// _AUTOLOCK_H
