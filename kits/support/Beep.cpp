#include <Beep.h>

#include <atomic>

namespace {

std::atomic<int32> sBeepCount(0);
std::atomic<void (*)()> sBeepHook(nullptr);

}	// namespace


status_t
beep()
{
	sBeepCount++;
	if (void (*hook)() = sBeepHook.load())
		hook();
	return B_OK;
}


int32
beep_count()
{
	return sBeepCount.load();
}


void
set_beep_hook(void (*hook)())
{
	sBeepHook.store(hook);
}
