/*
 * Orderly end of the program when the layout cannot go on.
 */
#include "CrashProtector.h"

#include <stdlib.h>

#include <Application.h>
#include <EventLoop.h>

#include "Alerts.h"


static bool
Never(void*)
{
	return false;
}


void
CrashProtector()
{
	error("Brindel CrashProtector has detected instability in system. It will "
		"close Quillora now to protect your data. You will be able to save "
		"your work.");

	if (be_app == nullptr) {
		// Nobody to ask about saving and nothing to save: end here rather
		// than let the caller go on with a chain it cannot work on.
		exit(EXIT_FAILURE);
	}

	be_app->PostMessage('fqut');

	// The caller must not go on with its work. On BeOS its thread slept for
	// 400 seconds while the application thread shut the program down; here
	// every looper runs on the one event thread, so sleeping would freeze the
	// forced quit's own save questions. Instead the event loop keeps running
	// from here: the application handles 'fqut', asks about every unsaved
	// page and ends the process, and this call never returns.
	BPrivate::run_event_loop_until(Never, nullptr);

	// The loop only ends with the process; should it ever come back, the
	// caller still must not continue.
	exit(EXIT_FAILURE);
}
