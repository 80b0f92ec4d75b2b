/*
 * The threads this program started with spawn_thread() (kit-private).
 */
#ifndef _KERNEL_SPAWNED_THREADS_H
#define _KERNEL_SPAWNED_THREADS_H

#include <SupportDefs.h>

namespace BPrivate {

// True for a thread from spawn_thread() that has not been waited for.
bool is_spawned_thread(thread_id thread);

// Lets a spawned thread run: B_OK, or B_BAD_THREAD_STATE when it already
// runs, B_BAD_THREAD_ID when it is not a spawned thread.
status_t resume_spawned_thread(thread_id thread);

// Resumes the thread if needed, waits until its function returned and
// forgets it; its exit code goes to `returnValue` (may be NULL).
status_t wait_for_spawned_thread(thread_id thread, status_t* returnValue);

}	// namespace BPrivate

#endif	// _KERNEL_SPAWNED_THREADS_H
