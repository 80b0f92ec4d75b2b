/*
 * WWindow: construction, menus, closing.
 */
#include "WWindow.h"

#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Messenger.h>

#include "ExtensionsFilePanel.h"
#include "HWindow.h"
#include "Page.h"
#include "WApplication.h"
#include "WFinder.h"
#include "WLooper.h"
#include "WYSIWYG_Engine.h"


namespace {

// One row of the menu table: a menu title starts a new menu, a null label
// is a separator.
struct MenuRow {
	const char* menu;
	const char* label;
	uint32 command;
	char shortcut;
	uint32 modifiers;
};

const MenuRow kMenus[] = {
	{ "File", "New page…", kMsgNewPage, 0, 0 },
	{ nullptr, "Open page…", kMsgOpenPage, 'O', 0 },
	{ nullptr, "Save page", kMsgSavePage, 'S', 0 },
	{ nullptr, nullptr, 0, 0, 0 },
	{ nullptr, "Save page as…", kMsgSavePageAs, 0, 0 },
	{ nullptr, "Reload", kMsgReload, 0, 0 },
	{ nullptr, nullptr, 0, 0, 0 },
	{ nullptr, "QuilloraSeek", kMsgQuilloraSeek, 0, 0 },
	{ nullptr, nullptr, 0, 0, 0 },
	{ nullptr, "Help", kMsgHelp, 0, 0 },
	{ nullptr, "About", kMsgAbout, 0, 0 },
	{ nullptr, nullptr, 0, 0, 0 },
	{ nullptr, "Close", kMsgClose, 0, 0 },
	{ nullptr, "Exit", kMsgExit, 0, 0 },

	{ "Edit", "Find…", kMsgFind, 'F', 0 },
	{ nullptr, "Find again", kMsgFindAgain, 'G', 0 },
	{ nullptr, nullptr, 0, 0, 0 },
	{ nullptr, "Undo/Redo", kMsgUndoRedo, 'Z', 0 },
	{ nullptr, nullptr, 0, 0, 0 },
	{ nullptr, "Copy", kMsgCopy, 'C', 0 },
	{ nullptr, "Paste", kMsgPaste, 'V', 0 },
	{ nullptr, "Cut", kMsgCut, 'X', 0 },
	{ nullptr, "Delete all", kMsgDeleteAll, 0, 0 },
	{ nullptr, nullptr, 0, 0, 0 },
	{ nullptr, "Preview", kMsgPreview, 'R', 0 },
	{ nullptr, "Preferences…", kMsgPreferences, 0, 0 },

	{ "Insert", "HyperText link/target…", kMsgInsertAnchor, 'H', 0 },
	{ nullptr, "Image…", kMsgInsertImage, 'I', B_CONTROL_KEY },
	{ nullptr, nullptr, 0, 0, 0 },
	{ nullptr, "Unordered list", kMsgUnorderedList, 'U', B_CONTROL_KEY },
	{ nullptr, "Ordered list", kMsgOrderedList, 'O', B_CONTROL_KEY },
	{ nullptr, "Definition list", kMsgDefinitionList, 'D', B_CONTROL_KEY },
	{ nullptr, nullptr, 0, 0, 0 },
	{ nullptr, "Blockquote", kMsgBlockquote, 'B', B_CONTROL_KEY },
	{ nullptr, "Center", kMsgCenter, 'C', B_CONTROL_KEY },
	{ nullptr, "Horizontal line", kMsgHorizontalLine, 'H', B_CONTROL_KEY },
	{ nullptr, "Break line <ENTER>", kMsgBreakLine, 0, 0 },
	{ nullptr, "Paragraph", kMsgParagraph, 'P', 0 },
	{ nullptr, "Nonbreakable space <Shift+SPACE>", kMsgNonBreakingSpace, 0,
		0 },
	{ nullptr, "Normal text", kMsgNormalText, 0, 0 },

	{ "Physical fonts", "Bold text", kMsgBold, 'B', 0 },
	{ nullptr, "Italic text", kMsgItalic, 'I', 0 },
	{ nullptr, "Fixed font", kMsgFixed, 'F', B_CONTROL_KEY },
	{ nullptr, "Big", kMsgBig, 0, 0 },
	{ nullptr, "Small", kMsgSmall, 0, 0 },
	{ nullptr, "Underlined text", kMsgUnderline, 'U', 0 },
	{ nullptr, "Sub *", kMsgSub, 0, 0 },
	{ nullptr, "Sup *", kMsgSup, 0, 0 },
	{ nullptr, "Striked text *", kMsgStrike, 0, 0 },

	{ "Logical fonts", "Embed", kMsgEmbed, 0, 0 },
	{ nullptr, "Strong embed", kMsgStrong, 0, 0 },
	{ nullptr, "Definition", kMsgDefinition, 0, 0 },
	{ nullptr, "Code", kMsgCode, 0, 0 },
	{ nullptr, "Sample", kMsgSample, 0, 0 },
	{ nullptr, "Keyboard input", kMsgKeyboard, 0, 0 },
	{ nullptr, "Variable or command", kMsgVariable, 0, 0 },
	{ nullptr, "Cite", kMsgCite, 0, 0 },

	{ "Headings", "Heading 1", kMsgHeading1, '1', 0 },
	{ nullptr, "Heading 2", kMsgHeading2, '2', 0 },
	{ nullptr, "Heading 3", kMsgHeading3, '3', 0 },
	{ nullptr, "Heading 4", kMsgHeading4, '4', 0 },
	{ nullptr, "Heading 5", kMsgHeading5, '5', 0 },
	{ nullptr, "Heading 6", kMsgHeading6, '6', 0 },

	{ "HTML editor", "Show HTML editor", kMsgShowOther, 0, 0 },
	{ nullptr, "Update from HTML", kMsgUpdate, 0, 0 },
};

}	// namespace


WWindow::WWindow(BRect frame, char* title, Page* owner)
	:
	BWindow(frame, title, B_DOCUMENT_WINDOW, B_NOT_RESIZABLE | B_NOT_ZOOMABLE,
		B_CURRENT_WORKSPACE),
	engine(nullptr),
	menuBar(nullptr),
	pageSavePanel(nullptr),
	newPageMode(false),
	imagePanel(nullptr),
	page(owner),
	finder(nullptr)
{
	BRect barFrame = Bounds();
	barFrame.bottom = barFrame.top + 14.0;
	menuBar = new BMenuBar(barFrame, "Main menu",
		B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, B_ITEMS_IN_ROW, true);
	BMenu* fileMenu = new BMenu("File", B_ITEMS_IN_COLUMN);
	menuBar->AddItem(fileMenu);
	AddChild(menuBar);
	menuBar->ResizeToPreferred();

	BRect engineFrame = Bounds();
	engineFrame.top = menuBar->Bounds().bottom + 1.0;
	engine = new WYSIWYG_Engine(engineFrame, this, page);

	finder = new WFinder(engine, this);

	if (engine->looper != nullptr && engine->looper->Lock()) {
		BMessenger looperTarget(engine->looper);
		// PNG too: the page shows it.
		imagePanel = new ExtensionsFilePanel((char*)"gif", (char*)"jpg",
			(char*)"jpeg", B_OPEN_PANEL, &looperTarget, nullptr, false, nullptr,
			false, true, (char*)"png");
		engine->looper->Unlock();
	}

	_BuildMenus(fileMenu);

	WApplication* application = quillora_app();
	char* htm = application != nullptr ? application->htmExtension
		: (char*)"htm";
	char* html = application != nullptr ? application->htmlExtension
		: (char*)"html";
	BMessenger self(this);
	pageSavePanel = new ExtensionsFilePanel(htm, html, nullptr, B_SAVE_PANEL,
		&self, nullptr, false, nullptr, false, true);
	newPageMode = false;
}


WWindow::~WWindow()
{
	_QuitFinder();
	delete imagePanel;
	delete engine;
	// Nobody else holds the save panel; it goes with its window.
	delete pageSavePanel;
}


void
WWindow::_BuildMenus(BMenu* fileMenu)
{
	BMenu* menu = nullptr;
	for (const MenuRow& row : kMenus) {
		if (row.menu != nullptr) {
			if (menu == nullptr)
				menu = fileMenu;
			else {
				menu = new BMenu(row.menu, B_ITEMS_IN_COLUMN);
				menuBar->AddItem(menu);
			}
		}
		if (row.label == nullptr) {
			menu->AddSeparatorItem();
			continue;
		}
		BMenuItem* item = new BMenuItem(row.label, new BMessage(row.command),
			row.shortcut, row.modifiers);
		menu->AddItem(item);
	}
	// The bar grew with its menus.
	menuBar->ResizeToPreferred();
}


bool
WWindow::QuitRequested()
{
	if (page == nullptr || page->IsDeleting())
		return true;
	HWindow* htmlWindow = page->htmlWindow;
	if (htmlWindow == nullptr || !htmlWindow->Lock())
		return true;
	bool otherHidden = htmlWindow->IsHidden();
	htmlWindow->Unlock();
	// Closing the last visible window of a page closes the page.
	if (otherHidden)
		PostMessage(kMsgClose);
	else
		Hide();
	return false;
}


void
WWindow::Quit()
{
	if (!IsLocked())
		Lock();
	// The dialog searches the engine's chain: it goes first.
	_QuitFinder();
	// The engine takes its own views out of the window before the window
	// deletes the views it still has.
	delete engine;
	engine = nullptr;
	BWindow::Quit();
}


void
WWindow::_QuitFinder()
{
	if (finder != nullptr && finder->Lock())
		finder->Quit();
	finder = nullptr;
}
