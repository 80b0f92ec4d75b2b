/*
 * The teams this program started (kit-private).
 */
#ifndef _KERNEL_TEAMS_H
#define _KERNEL_TEAMS_H

#include <sys/types.h>

#include <SupportDefs.h>

namespace BPrivate {

enum child_state {
	CHILD_UNKNOWN,		// not started by load_image() in this process
	CHILD_LOADED,		// waiting for resume_thread()
	CHILD_RUNNING,
	CHILD_ENDED
};

child_state child_state_of(pid_t pid);

// Lets a loaded child go on to run its program. Returns B_OK once the
// program runs, or the reason it could not be started.
status_t start_child(pid_t pid);

// Waits until the child ended; `exitStatus` receives its exit code, or
// B_INTERRUPTED when a signal ended it. The child is then forgotten.
status_t wait_child(pid_t pid, status_t* exitStatus);

// Sends `signal` to a child that has not ended.
status_t signal_child(pid_t pid, int signal);

}	// namespace BPrivate

#endif	// _KERNEL_TEAMS_H
