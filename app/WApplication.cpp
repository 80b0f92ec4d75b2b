/*
 * The application object: settings, the open panel, the page registry,
 * documents handed over, closing pages and quitting.
 */
#include "WApplication.h"

#include <Alert.h>
#include <AppFileInfo.h>
#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <Messenger.h>
#include <Mime.h>
#include <OS.h>
#include <Path.h>
#include <Roster.h>
#include <SymLink.h>

#include <string.h>
#include <unistd.h>

#include <string>

#include "About_Window.h"
#include "Config.h"
#include "ExtensionsFilePanel.h"
#include "Functions.h"
#include "Page.h"

extern char** environ;


WApplication*
quillora_app()
{
	return dynamic_cast<WApplication*>(be_app);
}


std::string
resolve_page_path(const char* argument)
{
	if (argument == nullptr)
		return std::string();
	entry_ref ref;
	if (get_ref_for_path(argument, &ref) == B_OK) {
		BEntry entry(&ref, true);
		BPath path;
		if (entry.InitCheck() == B_OK && entry.GetPath(&path) == B_OK)
			return path.Path();
	}
	return argument;
}


WApplication::WApplication(char* path, bool batch, bool layOut)
	:
	BApplication("application/x-vnd.Quillora"),
	openPanel(nullptr),
	htmExtension(nullptr),
	htmlExtension(nullptr),
	config(nullptr),
	firstStart(false),
	batchMode(batch)
{
	for (int32 i = 0; i < kMaxPages; i++)
		pages[i] = nullptr;

	// The batch modes read the settings but leave the file alone.
	Config::SetWritable(!batch);
	config = new Config();
	firstStart = config->IsFirstStart();

	htmExtension = newtext("htm");
	htmlExtension = newtext("html");
	BMessenger target(this);
	openPanel = new ExtensionsFilePanel(htmExtension, htmlExtension, nullptr,
		B_OPEN_PANEL, &target, nullptr, false, nullptr, false, true);

	std::string startPage;
	if (path == nullptr) {
		if (config->applicationDirectory != nullptr)
			startPage = config->applicationDirectory;
		startPage += "Documentation/StartUp.html";
		path = &startPage[0];
	}

	pages[0] = new Page(path, 0, batch, layOut);

	StartingFinished();
}


WApplication::~WApplication()
{
	// Pages still open here (the program did not go through QuitRequested)
	// go without a question.
	for (int32 i = 0; i < kMaxPages; i++) {
		delete pages[i];
		pages[i] = nullptr;
	}
	delete openPanel;
	delete config;
	delete[] htmExtension;
	delete[] htmlExtension;
}


void
WApplication::StartingFinished()
{
	// No installation from a batch run: it changes nothing on disk. Nor
	// does it decode the translators' test pictures, a good part of a
	// short run; it only reports them missing, as a copy of the program
	// without its documents should hear.
	if (batchMode) {
		About_View::ReportMissingImages();
		return;
	}
	if (firstStart) {
		FirstStart();
		return;
	}
	// Building the About view tests the image translators; the window
	// itself is not shown.
	About_Window* about = new About_Window();
	about->Lock();
	about->Quit();
}


void
WApplication::FirstStart()
{
	// An installed program came with its menu entry and its command links;
	// per-user copies would only shadow them (and outlive the package).
	if (!config->IsInstalledSystemWide())
		_InstallForUser();

	About_Window* about = new About_Window();
	about->Show();
}


void
WApplication::_InstallForUser()
{
	app_info info;
	if (GetAppInfo(&info) == B_OK) {
		BFile appFile(&info.ref, B_READ_WRITE);
		if (appFile.InitCheck() == B_OK) {
			BAppFileInfo appFileInfo(&appFile);
			appFileInfo.SetType(B_APP_MIME_TYPE);
			if (!appFileInfo.IsSupportedType("text/html")) {
				BMessage types;
				types.AddString("types", "text/html");
				appFileInfo.SetSupportedTypes(&types);
			}
		}
	}

	std::string target;
	if (config->applicationDirectory != nullptr)
		target = config->applicationDirectory;
	target += "Quillora";
	BDirectory boot("/boot");
	BSymLink link;
	boot.CreateSymLink("/boot/home/config/be/Applications/Quillora",
		target.c_str(), &link);
}


void
WApplication::RefsReceived(BMessage* message)
{
	entry_ref ref;
	if (message->FindRef("refs", &ref) != B_OK)
		return;
	BEntry entry(&ref, true);
	BPath documentPath;
	if (entry.InitCheck() != B_OK || entry.GetPath(&documentPath) != B_OK)
		return;

	// One page per process: the document gets an instance of its own,
	// started directly (no shell sees the path).
	std::string executable;
	if (config->applicationDirectory != nullptr)
		executable = config->applicationDirectory;
	executable += "Quillora";
	const char* arguments[3] = { executable.c_str(), documentPath.Path(),
		nullptr };
	thread_id thread = load_image(2, arguments, (const char**)environ);
	if (thread >= 0)
		resume_thread(thread);
}


void
WApplication::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgForceQuit:
			ForceQuit();
			break;
		case kMsgQuitPage:
		{
			int32 index;
			if (message->FindInt32("pagesindex", &index) == B_OK)
				ClosePage(index);
			break;
		}
		default:
			BApplication::MessageReceived(message);
			break;
	}
}


void
WApplication::ClosePage(int index)
{
	if (index < 0 || index >= kMaxPages || pages[index] == nullptr)
		return;

	int32 count = 0;
	for (int32 i = 0; i < kMaxPages; i++) {
		if (pages[i] != nullptr)
			count++;
	}
	if (count == 1) {
		PostMessage(B_QUIT_REQUESTED);
		return;
	}

	if (pages[index]->Quit())
		pages[index] = nullptr;
}


bool
WApplication::QuitRequested()
{
	for (int32 i = 0; i < kMaxPages; i++) {
		if (pages[i] == nullptr)
			continue;
		if (!pages[i]->Quit())
			return false;
		pages[i] = nullptr;
	}
	return true;
}


void
WApplication::ForceQuit()
{
	for (int32 i = 0; i < kMaxPages; i++) {
		Page* page = pages[i];
		if (page == nullptr)
			continue;
		if (!page->IsSaved()) {
			std::string text = "Closing ...\nSave changes to the document \"";
			if (page->path != nullptr)
				text += page->path;
			text += "\"?";
			BAlert* question = new BAlert("Alert", text.c_str(), "Don't Save",
				"Save", nullptr, B_WIDTH_AS_USUAL, B_OFFSET_SPACING,
				B_WARNING_ALERT);
			if (question->Go() == 1)
				page->Save();
		}
		pages[i] = nullptr;
	}
	kill_team(Team());
}
