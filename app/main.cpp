/*
 * Program start: one optional argument, the page to open; or one of the
 * batch modes (--html, --dump, --snapshot), which run without a display. Any
 * other argument beginning with "--" is answered with the usage.
 */
#include <string>

#include "BatchMode.h"
#include "WApplication.h"


int
main(int argc, char** argv)
{
	if (argc > 1 && is_batch_mode(argv[1]))
		return run_batch_mode(argc, argv);

	std::string path;
	if (argc > 1)
		path = resolve_page_path(argv[1]);

	WApplication* application = new WApplication(argc > 1 ? &path[0] : nullptr);
	application->Run();
	delete application;
	return 0;
}
