#include "WLooper.h"

#include <AppDefs.h>
#include <Entry.h>
#include <Message.h>
#include <Window.h>

#include "WYSIWYG_Engine.h"

WLooper::WLooper(WYSIWYG_Engine* engine)
	:
	BLooper(nullptr, 10, 100),
	engine(engine)
{
	Run();
}

void
WLooper::MessageReceived(BMessage* message)
{
	if (message->what != B_REFS_RECEIVED) {
		BLooper::MessageReceived(message);
		return;
	}
	entry_ref ref;
	if (message->FindRef("refs", &ref) != B_OK || engine == nullptr)
		return;
	// The chain and its views belong to the visual window: the insertion
	// holds the window's lock from start to end, and takes no lock of this
	// looper's while it does (the window never waits for this looper
	// either), so the two can never wait for each other. A window that is
	// gone is left alone.
	BWindow* window = engine->window;
	if (window == nullptr || !window->Lock())
		return;
	engine->Insert(0, &ref);
	window->Unlock();
}
