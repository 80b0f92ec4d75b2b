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

	// The caller must not go on with its work. On BeOS its thread slept for
	// 400 seconds while the application thread shut the program down. Here
	// every looper runs on the one event thread, so sleeping would freeze
	// the forced quit's own save questions. Instead the event loop keeps
	// running from here: the application handles 'fqut', asks about every
	// unsaved page and ends the process, and this call never returns.
	if (be_app->Thread() >= 0 && be_app->CurrentMessage() == nullptr) {
		be_app->PostMessage('fqut');
		BPrivate::run_event_loop_until(Never, nullptr);
	} else {
		// The application cannot take a message now: its loop has not been
		// started yet (the first page is parsed while the application is
		// built), or it is the looper that called us, further up the stack.
		// A posted request would never be read, so it is handed over here.
		BMessage forceQuit('fqut');
		if (be_app->Lock()) {
			be_app->MessageReceived(&forceQuit);
			be_app->Unlock();
		}
	}

	// The forced quit ends the process; should it ever come back, the
	// caller still must not continue.
	exit(EXIT_FAILURE);
}
