/*
 * spawn_thread(): threads of this program, as host threads.
 *
 * A BeOS thread is created suspended and runs once resume_thread() is
 * called; its id is known before it runs. Here the host thread starts at
 * once, tells its id and then waits at a gate until it is resumed, so that
 * nothing of the caller's function runs early. The thread's record lives
 * until wait_for_thread() has collected its exit code.
 */
#include <OS.h>

#include <pthread.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "SpawnedThreads.h"

namespace {

struct Spawned {
	thread_func		function;
	void*			data;
	std::string		name;
	int32			priority;

	pthread_t		handle;
	thread_id		id = -1;
	bool			resumed = false;
	bool			waitedFor = false;
	status_t		result = B_OK;

	std::mutex				lock;
	std::condition_variable	changed;
};

std::mutex sLock;
std::map<thread_id, std::shared_ptr<Spawned>> sThreads;

std::shared_ptr<Spawned>
Find(thread_id thread)
{
	std::lock_guard<std::mutex> lock(sLock);
	auto found = sThreads.find(thread);
	return found != sThreads.end() ? found->second : nullptr;
}

void*
Run(void* cookie)
{
	// The record is kept alive by the table until the thread is waited
	// for, which cannot happen before it returns from here.
	Spawned* thread = static_cast<Spawned*>(cookie);
	if (!thread->name.empty()) {
		// The host refuses names longer than 15 bytes.
		std::string name = thread->name.substr(0, 15);
		pthread_setname_np(pthread_self(), name.c_str());
	}
	thread_id self = (thread_id)syscall(SYS_gettid);
	if (thread->priority < B_NORMAL_PRIORITY) {
		// Work that may wait gives way to the event thread.
		setpriority(PRIO_PROCESS, (id_t)self,
			thread->priority < B_LOW_PRIORITY ? 19 : 10);
	}
	{
		std::unique_lock<std::mutex> lock(thread->lock);
		thread->id = self;
		thread->changed.notify_all();
		thread->changed.wait(lock, [thread] { return thread->resumed; });
	}
	thread->result = thread->function(thread->data);
	return NULL;
}

}	// namespace


thread_id
spawn_thread(thread_func function, const char* name, int32 priority,
	void* data)
{
	if (function == NULL)
		return B_BAD_VALUE;
	std::shared_ptr<Spawned> thread = std::make_shared<Spawned>();
	thread->function = function;
	thread->data = data;
	thread->name = name != NULL ? name : "";
	thread->priority = priority;

	if (pthread_create(&thread->handle, NULL, Run, thread.get()) != 0)
		return B_NO_MORE_THREADS;
	{
		std::unique_lock<std::mutex> lock(thread->lock);
		thread->changed.wait(lock, [&thread] { return thread->id >= 0; });
	}
	std::lock_guard<std::mutex> lock(sLock);
	sThreads[thread->id] = thread;
	return thread->id;
}


namespace BPrivate {

bool
is_spawned_thread(thread_id thread)
{
	return Find(thread) != nullptr;
}


status_t
resume_spawned_thread(thread_id thread)
{
	std::shared_ptr<Spawned> spawned = Find(thread);
	if (spawned == nullptr)
		return B_BAD_THREAD_ID;
	std::lock_guard<std::mutex> lock(spawned->lock);
	if (spawned->resumed)
		return B_BAD_THREAD_STATE;
	spawned->resumed = true;
	spawned->changed.notify_all();
	return B_OK;
}


status_t
wait_for_spawned_thread(thread_id thread, status_t* returnValue)
{
	std::shared_ptr<Spawned> spawned;
	{
		// Only one caller may join a host thread.
		std::lock_guard<std::mutex> lock(sLock);
		auto found = sThreads.find(thread);
		if (found == sThreads.end() || found->second->waitedFor)
			return B_BAD_THREAD_ID;
		spawned = found->second;
		spawned->waitedFor = true;
	}
	resume_spawned_thread(thread);
	pthread_join(spawned->handle, NULL);
	if (returnValue != NULL)
		*returnValue = spawned->result;
	std::lock_guard<std::mutex> lock(sLock);
	sThreads.erase(thread);
	return B_OK;
}

}	// namespace BPrivate
