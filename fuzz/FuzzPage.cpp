// The fuzz targets' page (see FuzzPage.h).
#include "FuzzPage.h"

#include <Alert.h>
#include <AppPrivate.h>
#include <Application.h>
#include <EventLoop.h>

#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

#include "Config.h"
#include "Page.h"

namespace quillora_fuzz {

namespace {

class FirstButtonResponder : public BAlertResponder {
public:
	int32 Respond(const char*, const char*, const char* const[3], int32) override
	{
		return 0;
	}
};


std::string sPagePath;
Page* sPage = nullptr;


// A home of its own, so that the settings the page reads are the defaults
// and nothing of the user's is touched.
void
MakeHome()
{
	char folder[] = "/tmp/quillora-fuzz-XXXXXX";
	if (mkdtemp(folder) == nullptr)
		Fail("no temporary folder", folder);
	std::string root = folder;
	std::string home = root + "/home";
	mkdir(home.c_str(), 0700);
	setenv("HOME", home.c_str(), 1);
	setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
	setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
	sPagePath = home + "/page.html";
	if (!WriteWholeFile(sPagePath, "", 0))
		Fail("cannot write the page file", sPagePath);
}

}	// namespace


Page*
TheFuzzPage()
{
	if (sPage != nullptr)
		return sPage;
	setenv("QT_QPA_PLATFORM", "offscreen", 1);
	MakeHome();
	BPrivate::set_headless(true);
	static FirstButtonResponder responder;
	BAlert::SetResponder(&responder);
	new BApplication("application/x-vnd.Quillora-fuzz");
	Config::SetWritable(false);
	new Config;
	sPage = new Page(&sPagePath[0], 0, true);
	BPrivate::dispatch_until_idle();
	if (sPage->visualWindow == nullptr || sPage->htmlWindow == nullptr)
		Fail("the page has no windows", sPagePath);
	return sPage;
}


const std::string&
FuzzPagePath()
{
	return sPagePath;
}


bool
WriteWholeFile(const std::string& path, const char* data, size_t length)
{
	FILE* file = fopen(path.c_str(), "wb");
	if (file == nullptr)
		return false;
	bool written = fwrite(data, 1, length, file) == length;
	return fclose(file) == 0 && written;
}


void
Fail(const char* what, const std::string& detail)
{
	fprintf(stderr, "FUZZ FAILURE: %s\n", what);
	// Long documents are cut: the input itself is what reproduces it.
	fprintf(stderr, "%.4000s\n", detail.c_str());
	fflush(stderr);
	abort();
}

}	// namespace quillora_fuzz
