/*
 * Program start: one optional argument, the page to open; or one of the
 * batch modes (--html, --dump, --snapshot), which run without a display.
 */
#include <Entry.h>
#include <Path.h>

#include <string.h>

#include "BatchMode.h"
#include "WApplication.h"


int
main(int argc, char** argv)
{
	if (argc > 1 && is_batch_mode(argv[1]))
		return run_batch_mode(argc, argv);

	char* path = nullptr;
	BPath resolved;
	if (argc > 1) {
		path = argv[1];
		entry_ref ref;
		if (get_ref_for_path(argv[1], &ref) == B_OK) {
			BEntry entry(&ref, true);
			if (entry.InitCheck() == B_OK && entry.GetPath(&resolved) == B_OK)
				path = const_cast<char*>(resolved.Path());
		}
	}

	WApplication* application = new WApplication(path);
	application->Run();
	delete application;
	return 0;
}
