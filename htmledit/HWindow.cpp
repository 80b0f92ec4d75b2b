/*
 * HWindow: the HTML source editor window, its menus and commands.
 */
#include "HWindow.h"

#include <Application.h>
#include <Clipboard.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <ScrollView.h>

#include <string>

#include "About_Window.h"
#include "Config.h"
#include "ExtensionsFilePanel.h"
#include "HFinder.h"
#include "HTML_View.h"
#include "Page.h"
#include "WApplication.h"
#include "WWindow.h"
#include "WYSIWYG_Engine.h"


namespace {

struct MenuRow {
	const char* menu;
	const char* label;
	uint32 command;
	char shortcut;
};

const MenuRow kMenus[] = {
	{ "File", "New page…", kMsgNewPage, 0 },
	{ nullptr, "Open page…", kMsgOpenPage, 'O' },
	{ nullptr, "Save this HTML", kMsgSavePage, 'S' },
	{ nullptr, nullptr, 0, 0 },
	{ nullptr, "Save page as…", kMsgSavePageAs, 0 },
	{ nullptr, "Reload", kMsgReload, 0 },
	{ nullptr, nullptr, 0, 0 },
	{ nullptr, "QuilloraSeek", kMsgQuilloraSeek, 0 },
	{ nullptr, nullptr, 0, 0 },
	{ nullptr, "Help", kMsgHelp, 0 },
	{ nullptr, "About", kMsgAbout, 0 },
	{ nullptr, nullptr, 0, 0 },
	{ nullptr, "Close", kMsgClose, 0 },
	{ nullptr, "Exit", kMsgExit, 0 },

	{ "Edit", "Find…", kMsgFind, 'F' },
	{ nullptr, "Find again", kMsgFindAgain, 'G' },
	{ nullptr, nullptr, 0, 0 },
	{ nullptr, "Undo/Redo", kMsgUndoRedo, 'Z' },
	{ nullptr, nullptr, 0, 0 },
	{ nullptr, "Copy", kMsgCopy, 'C' },
	{ nullptr, "Paste", kMsgPaste, 'V' },
	{ nullptr, "Cut", kMsgCut, 'X' },
	{ nullptr, nullptr, 0, 0 },
	{ nullptr, "Preview this HTML", kMsgPreview, 'R' },

	{ "Visual editor", "Show Visual editor", kMsgShowOther, 0 },
	{ nullptr, "Update from Visual", kMsgUpdate, 0 },
};

}	// namespace


HWindow::HWindow(BRect frame, char* title, Page* owner)
	:
	BWindow(frame, title, B_DOCUMENT_WINDOW, 0, B_CURRENT_WORKSPACE),
	htmlView(nullptr),
	scrollView(nullptr),
	menuBar(nullptr),
	page(owner),
	engine(nullptr),
	finder(nullptr)
{
	if (page != nullptr && page->visualWindow != nullptr)
		engine = page->visualWindow->engine;

	BRect barFrame = Bounds();
	barFrame.bottom = barFrame.top + 14.0;
	menuBar = new BMenuBar(barFrame, "Main menu",
		B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, B_ITEMS_IN_ROW, true);
	_BuildMenus();
	AddChild(menuBar);
	menuBar->ResizeToPreferred();

	BRect textFrame = Bounds();
	textFrame.top = menuBar->Bounds().bottom + 1.0;
	textFrame.right -= 14.0;
	textFrame.bottom -= 14.0;
	htmlView = new HTML_View(textFrame, page, this);
	scrollView = new BScrollView("HTML scroll view", htmlView,
		B_FOLLOW_ALL_SIDES, 0, true, true);
	AddChild(scrollView);

	finder = new HFinder(htmlView, this);
}


HWindow::~HWindow()
{
	_QuitFinder();
	// Quit() normally took the views out already.
	if (scrollView != nullptr) {
		if (htmlView != nullptr)
			scrollView->RemoveChild(htmlView);
		RemoveChild(scrollView);
		delete htmlView;
		delete scrollView;
	}
}


void
HWindow::_BuildMenus()
{
	BMenu* menu = nullptr;
	for (const MenuRow& row : kMenus) {
		if (row.menu != nullptr) {
			menu = new BMenu(row.menu, B_ITEMS_IN_COLUMN);
			menuBar->AddItem(menu);
		}
		if (row.label == nullptr) {
			menu->AddSeparatorItem();
			continue;
		}
		menu->AddItem(new BMenuItem(row.label, new BMessage(row.command),
			row.shortcut, 0));
	}
}


void
HWindow::MessageReceived(BMessage* message)
{
	WWindow* visual = page->visualWindow;
	switch (message->what) {
		case kMsgNewPage:
			visual->newPageMode = true;
			if (visual->pageSavePanel != nullptr)
				visual->pageSavePanel->Show();
			break;
		case kMsgOpenPage:
		{
			visual->newPageMode = false;
			WApplication* application = quillora_app();
			if (application != nullptr && application->openPanel != nullptr)
				application->openPanel->Show();
			break;
		}
		case kMsgSavePage:
			page->SaveHTML();
			break;
		case kMsgSavePageAs:
			if (visual->pageSavePanel != nullptr)
				visual->pageSavePanel->Show();
			break;
		case kMsgReload:
			page->Update(true);
			break;
		case kMsgQuilloraSeek:
			engine->RunQuilloraSeek();
			break;
		case kMsgHelp:
		{
			Config* config = Config::Current();
			std::string help;
			if (config != nullptr && config->applicationDirectory != nullptr)
				help = config->applicationDirectory;
			help += "Documentation/index.html";
			engine->Preview(&help[0]);
			break;
		}
		case kMsgAbout:
			(new About_Window())->Show();
			break;
		case kMsgClose:
			_PostToApplication(kMsgQuitPage, true);
			break;
		case kMsgExit:
			_PostToApplication(B_QUIT_REQUESTED, false);
			break;
		case kMsgFind:
			if (finder != nullptr)
				finder->Show();
			break;
		case kMsgFindAgain:
			if (finder != nullptr)
				finder->FindAgain();
			break;
		case kMsgUndoRedo:
			htmlView->Undo(be_clipboard);
			break;
		case kMsgCopy:
			htmlView->Copy(be_clipboard);
			break;
		case kMsgPaste:
			htmlView->Paste(be_clipboard);
			break;
		case kMsgCut:
			htmlView->Cut(be_clipboard);
			break;
		case kMsgPreview:
			// Only a page that is in its file can be shown.
			if (page->SaveHTML())
				engine->Preview(page->path);
			break;
		case kMsgShowOther:
			if (visual->Lock()) {
				visual->Show();
				visual->Activate();
				visual->Unlock();
			}
			break;
		case kMsgUpdate:
			page->UpdateFromVisual();
			break;
		default:
			break;
	}
}


void
HWindow::_PostToApplication(uint32 what, bool withIndex)
{
	if (be_app == nullptr)
		return;
	BMessage message(what);
	if (withIndex)
		message.AddInt32("pagesindex", page->index);
	be_app->PostMessage(&message);
}


void
HWindow::WindowActivated(bool active)
{
	BWindow::WindowActivated(active);
	if (!active || htmlView == nullptr)
		return;
	if (htmlView->LockLooper()) {
		htmlView->MakeFocus(true);
		htmlView->Invalidate();
		htmlView->UnlockLooper();
	}
}


bool
HWindow::QuitRequested()
{
	if (page == nullptr || page->IsDeleting())
		return true;
	WWindow* visual = page->visualWindow;
	if (visual == nullptr || !visual->Lock())
		return true;
	bool otherHidden = visual->IsHidden();
	visual->Unlock();
	if (otherHidden)
		PostMessage(kMsgClose);
	else
		Hide();
	return false;
}


void
HWindow::Quit()
{
	Lock();
	// The dialog searches the view: it goes first.
	_QuitFinder();
	if (scrollView != nullptr) {
		scrollView->RemoveChild(htmlView);
		RemoveChild(scrollView);
		delete htmlView;
		delete scrollView;
		htmlView = nullptr;
		scrollView = nullptr;
	}
	BWindow::Quit();
}


void
HWindow::_QuitFinder()
{
	if (finder != nullptr && finder->Lock())
		finder->Quit();
	finder = nullptr;
}


void
HWindow::Show()
{
	BWindow::Show();
}
