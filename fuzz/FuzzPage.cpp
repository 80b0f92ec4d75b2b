// The fuzz targets' page (see FuzzPage.h).
#include "FuzzPage.h"

#include <Alert.h>
#include <AppPrivate.h>
#include <Application.h>
#include <EventLoop.h>

#include <Clipboard.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <set>
#include <vector>

#include "Config.h"
#include "Page.h"
#include "WFinder.h"
#include "WWindow.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

namespace quillora_fuzz {

namespace {

std::string sPagePath;
Page* sPage = nullptr;
// Alerts are answered with their first button, as in a batch run.
BRecordingAlertResponder sAlerts(0);
// The windows there were once the page was made, and the visual window's
// frame then.
std::set<BWindow*> sWindows;
BRect sVisualFrame;


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
	BAlert::SetResponder(&sAlerts);
	new BApplication("application/x-vnd.Quillora-fuzz");
	Config::SetWritable(false);
	new Config;
	sPage = new Page(&sPagePath[0], 0, true);
	BPrivate::dispatch_until_idle();
	if (sPage->visualWindow == nullptr || sPage->htmlWindow == nullptr)
		Fail("the page has no windows", sPagePath);
	for (int32 i = 0; i < be_app->CountWindows(); i++)
		sWindows.insert(be_app->WindowAt(i));
	sVisualFrame = sPage->visualWindow->Frame();
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


BRecordingAlertResponder*
FuzzAlerts()
{
	return &sAlerts;
}


void
RestoreWindows(BWindow* visualWindow)
{
	WWindow* window = dynamic_cast<WWindow*>(visualWindow);
	if (window == nullptr || !window->Lock())
		Fail("the visual window cannot be locked", "");
	window->ResizeTo(sVisualFrame.Width(), sVisualFrame.Height());
	window->engine->view->ScrollTo(0, 0);
	window->Unlock();
	if (window->finder != nullptr && window->finder->Lock()) {
		window->finder->Reset();
		window->finder->Unlock();
	}
	if (be_clipboard->Lock()) {
		be_clipboard->Clear();
		be_clipboard->Commit();
		be_clipboard->Unlock();
	}
	BPrivate::dispatch_until_idle();
}


void
CloseStrayWindows()
{
	std::vector<BWindow*> stray;
	for (int32 i = 0; i < be_app->CountWindows(); i++) {
		BWindow* window = be_app->WindowAt(i);
		if (sWindows.count(window) == 0)
			stray.push_back(window);
	}
	for (BWindow* window : stray) {
		if (window->Lock())
			window->Quit();
	}
	if (!stray.empty())
		BPrivate::dispatch_until_idle();
}


BPoint
InWindow(BView* view, BPoint where)
{
	for (BView* v = view; v != nullptr; v = v->Parent())
		where = v->ConvertToParent(where);
	return where;
}


void
PostMouse(BWindow* window, uint32 what, BPoint where, int32 buttons,
	int32 clicks, int32 modifiers)
{
	BMessage message(what);
	message.AddPoint("where", where);
	message.AddPoint("screen_where", window->ConvertToScreen(where));
	message.AddInt32("buttons", buttons);
	message.AddInt32("clicks", clicks);
	message.AddInt32("modifiers", modifiers);
	message.AddInt64("when", 0);
	if (what == B_MOUSE_MOVED)
		message.AddInt32("be:transit", B_INSIDE_VIEW);
	window->PostMessage(&message);
}


std::string
QuoteBytes(const std::string& bytes)
{
	std::string out = "\"";
	for (unsigned char c : bytes) {
		if (c < 0x20 || c >= 0x7f || c == '"' || c == '\\') {
			char escape[8];
			snprintf(escape, sizeof(escape), "\\x%02x", c);
			out += escape;
		} else
			out += (char)c;
	}
	return out + "\"";
}


std::string
CodeText(uint32 what)
{
	std::string code = "'";
	for (int shift = 24; shift >= 0; shift -= 8)
		code += (char)((what >> shift) & 0xff);
	return code + "'";
}


std::string
GenerateDocument(Page* page)
{
	page->GenerateHTML();
	return std::string(page->HTMLBuffer(), page->HTMLBufferLength());
}


std::string
FirstDifference(const std::string& a, const std::string& b)
{
	size_t at = 0;
	while (at < a.size() && at < b.size() && a[at] == b[at])
		at++;
	size_t from = at > 200 ? at - 200 : 0;
	return "at byte " + std::to_string(at) + "\n--- first:\n"
		+ a.substr(from, 400) + "\n--- second:\n" + b.substr(from, 400);
}


void
Fail(const char* what, const std::string& detail)
{
	fprintf(stderr, "FUZZ FAILURE: %s\n", what);
	// Long documents are cut: the input itself is what reproduces it.
	fprintf(stderr, "%.16000s\n", detail.c_str());
	fflush(stderr);
	abort();
}

}	// namespace quillora_fuzz
