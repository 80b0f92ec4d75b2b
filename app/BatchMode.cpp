/*
 * The batch modes (see BatchMode.h).
 */
#include "BatchMode.h"

#include <Alert.h>
#include <AppPrivate.h>
#include <Directory.h>
#include <Entry.h>
#include <EventLoop.h>
#include <File.h>
#include <Path.h>

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "ChainDump.h"
#include "HWindow.h"
#include "Page.h"
#include "WApplication.h"
#include "WWindow.h"


namespace {

// Nobody is there to press a button: every alert goes to standard error and
// is answered with its first button.
class StderrAlertResponder : public BAlertResponder {
public:
	virtual int32 Respond(const char* /*title*/, const char* text,
		const char* const /*buttons*/[3], int32 /*count*/)
	{
		std::string line = "Alert: ";
		for (const char* c = text != nullptr ? text : ""; *c != '\0'; c++) {
			if (*c == '\n')
				line += "\\n";
			else
				line += *c;
		}
		line += '\n';
		fputs(line.c_str(), stderr);
		fflush(stderr);
		return 0;
	}
};


enum BatchKind { kHTML, kDump, kSnapshot };


int
usage()
{
	fputs("Usage: Quillora [PAGE]\n"
		"       Quillora --html PAGE\n"
		"       Quillora --dump PAGE\n"
		"       Quillora --snapshot DIR PAGE\n", stderr);
	return 2;
}


// Writes the result to standard output; a result that cannot be written
// (a full disk, say) is reported, since the exit status alone does
// not say what went wrong.
bool
write_output(const char* data, size_t length)
{
	if (fwrite(data, 1, length, stdout) == length && fflush(stdout) == 0)
		return true;
	fprintf(stderr, "Quillora: could not write to standard output: %s\n",
		strerror(errno));
	return false;
}

}	// namespace


bool
is_batch_mode(const char* argument)
{
	return argument != nullptr && strncmp(argument, "--", 2) == 0;
}


int
run_batch_mode(int argc, char** argv)
{
	BatchKind kind;
	const char* directory = nullptr;
	const char* pageArgument = nullptr;
	if (strcmp(argv[1], "--html") == 0 && argc == 3) {
		kind = kHTML;
		pageArgument = argv[2];
	} else if (strcmp(argv[1], "--dump") == 0 && argc == 3) {
		kind = kDump;
		pageArgument = argv[2];
	} else if (strcmp(argv[1], "--snapshot") == 0 && argc == 4) {
		kind = kSnapshot;
		directory = argv[2];
		pageArgument = argv[3];
	} else
		return usage();

	std::string pagePath = resolve_page_path(pageArgument);
	{
		BEntry entry(pagePath.c_str(), true);
		BFile file(&entry, B_READ_ONLY);
		if (file.InitCheck() != B_OK || !entry.IsFile()) {
			fprintf(stderr, "Quillora: cannot read the page \"%s\": %s\n",
				pageArgument, file.InitCheck() != B_OK
					? strerror_status(file.InitCheck()) : "not a file");
			return 1;
		}
	}
	if (kind == kSnapshot) {
		BEntry entry(directory, true);
		if (!entry.IsDirectory()) {
			fprintf(stderr, "Quillora: \"%s\" is not a folder\n", directory);
			return 1;
		}
	}

	// No display: the windows are drawn off screen, and only for snapshots.
	setenv("QT_QPA_PLATFORM", "offscreen", 1);
	BPrivate::set_headless(true);

	StderrAlertResponder responder;
	BAlert::SetResponder(&responder);

	// Only the document is wanted from --html: where its lines would break
	// changes none of its bytes, so the page is not laid out.
	WApplication* application = new WApplication(
		const_cast<char*>(pagePath.c_str()), true, kind != kHTML);
	BPrivate::dispatch_until_idle();

	int status = 0;
	Page* page = application->pages[0];
	if (page == nullptr || page->visualWindow == nullptr) {
		fputs("Quillora: the page could not be opened\n", stderr);
		status = 1;
	} else if (kind == kHTML) {
		page->GenerateHTML();
		// As "Save page" writes it, byte-order mark included.
		const char* start = page->FileStart();
		if (!write_output(start, strlen(start))
			|| !write_output(page->HTMLBuffer(), page->HTMLBufferLength()))
			status = 1;
	} else if (kind == kDump) {
		std::string dump;
		if (page->visualWindow->Lock()) {
			dump = DumpChain(page->visualWindow->engine);
			page->visualWindow->Unlock();
		}
		if (!write_output(dump.data(), dump.size()))
			status = 1;
	} else {
		page->htmlWindow->Show();
		BPrivate::dispatch_until_idle();
		std::string visual = std::string(directory) + "/visual.png";
		std::string html = std::string(directory) + "/html.png";
		status_t visualStatus = page->visualWindow->Snapshot(visual.c_str());
		status_t htmlStatus = page->htmlWindow->Snapshot(html.c_str());
		if (visualStatus != B_OK || htmlStatus != B_OK) {
			fprintf(stderr, "Quillora: could not write the pictures into "
				"\"%s\": %s\n", directory, strerror_status(
					visualStatus != B_OK ? visualStatus : htmlStatus));
			status = 1;
		}
	}

	// A batch run saves nothing and its settings stay unwritten, so the
	// process can end here: taking a large page down element by element
	// would only make the caller wait.
	(void)application;
	fflush(stdout);
	fflush(stderr);
	_exit(status);
}
