/*
 * WApplication: the application object.
 *
 * Owns the settings, the open panel for pages and the registry of pages (one
 * page per process: further documents start further instances of the
 * program). Windows never call into it: they post 'qpag' (close this page) or
 * B_QUIT_REQUESTED, and the crash protector posts 'fqut'.
 */
#ifndef QUILLORA_W_APPLICATION_H
#define QUILLORA_W_APPLICATION_H

#include <Application.h>

#include <string>

#include "MessageCode.h"

class Config;
class ExtensionsFilePanel;
class Page;

// Messages the application handles.
constexpr uint32 kMsgQuitPage = message_code("qpag");	// int32 "pagesindex"
constexpr uint32 kMsgForceQuit = message_code("fqut");

constexpr int32 kMaxPages = 512;

class WApplication : public BApplication {
public:
	// `path` is the page to open, or null for the start page. `batch` is for
	// the batch modes: nothing on disk is changed (the page is opened read
	// only and never created, no installation), and there is no translator
	// test window. `layOut` false: the page is never laid out (see
	// Page::layOut), for a batch run that only generates its document.
	WApplication(char* path, bool batch = false, bool layOut = true);
	virtual ~WApplication();

	virtual void RefsReceived(BMessage* message);
	virtual void MessageReceived(BMessage* message);
	virtual bool QuitRequested();

	void ClosePage(int index);
	void ForceQuit();
	void StartingFinished();
	void FirstStart();

	// Fields, in this order.
	ExtensionsFilePanel* openPanel;
	char* htmExtension;
	char* htmlExtension;
	Config* config;
	Page* pages[kMaxPages];
	bool firstStart;

	bool batchMode;

private:
	// The first start's installation for this user: the program file
	// declares that it opens HTML (a desktop entry) and is linked into the
	// user's command folder.
	void _InstallForUser();
};

// The running application object, as the program's own type.
WApplication* quillora_app();

// The page path the program is started with, made absolute with links
// followed; an argument that cannot be resolved is used as given.
std::string resolve_page_path(const char* argument);

#endif	// QUILLORA_W_APPLICATION_H
