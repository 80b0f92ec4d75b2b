#include "WLooper.h"

#include <AppDefs.h>
#include <Entry.h>
#include <Message.h>

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
	if (message->FindRef("refs", &ref) == B_OK && engine != nullptr)
		engine->Insert(0, &ref);
}
