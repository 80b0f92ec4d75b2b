/*
 * The settings window and what its controls do.
 *
 * The page belongs to its visual window's looper: every change of the page
 * (fonts, colours, title, background) is made under that window's lock,
 * taken through a messenger, so that a page whose windows are gone is never
 * touched.
 */
#include "CWindow.h"

#include <ColorControl.h>
#include <ListView.h>
#include <MessageQueue.h>
#include <MessageRunner.h>
#include <OS.h>
#include <TabView.h>
#include <TextControl.h>

#include <string.h>

#include "About_Window.h"
#include "Config.h"
#include "Functions.h"
#include "Page.h"
#include "RTextControl.h"
#include "SettingsViews.h"
#include "WWindow.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"


const bigtime_t CWindow::kColorUpdateInterval = 100000;


// A copy of a text typed into a field, without carriage returns and line
// feeds: a value of the settings file is one line, and one with a line break
// in it would shift every line after it.
static char*
new_line_text(const char* text)
{
	char* copy = newtext(text != nullptr ? text : "");
	char* to = copy;
	for (const char* from = copy; *from != '\0'; from++) {
		if (*from != '\n' && *from != '\r')
			*to++ = *from;
	}
	*to = '\0';
	return copy;
}


CWindow::CWindow(Config* settings, Page* settingsPage)
	:
	BWindow(BRect(20, 20, 330, 340), "Quillora settings",
		B_TITLED_WINDOW_LOOK, B_MODAL_APP_WINDOW_FEEL,
		B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE,
		B_CURRENT_WORKSPACE),
	config(settings),
	tabView(nullptr),
	generalView(nullptr),
	pageView(nullptr),
	aboutView(nullptr),
	page(settingsPage),
	fColorRunner(nullptr),
	fColorPending(false),
	fColorRow(-1),
	fLastColorUpdate(0),
	fPageColorUpdates(0)
{
	if (page != nullptr && page->visualWindow != nullptr)
		fVisualWindow = BMessenger(page->visualWindow);

	tabView = new BTabView(Bounds(), "tab_view", B_WIDTH_AS_USUAL,
		B_FOLLOW_ALL_SIDES);
	tabView->SetViewColor(216, 216, 216);

	BRect frame = tabView->Bounds();
	frame.InsetBy(5, 5);
	frame.bottom -= tabView->TabHeight();

	if (page != nullptr) {
		page->NotSaved();
		pageView = new PView(frame, page);
		tabView->AddTab(pageView);
	}
	generalView = new GeneralView(frame, config);
	tabView->AddTab(generalView);
	aboutView = new About_View(frame);
	tabView->AddTab(aboutView);

	AddChild(tabView);
}


CWindow::~CWindow()
{
	delete fColorRunner;
}


void
CWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgProportionalFamily:
		case kMsgFixedFamily:
		case kMsgProportionalSize:
		case kMsgFixedSize:
			_FontChanged(message);
			break;
		case kMsgColorRow:
			_ColorRowChanged();
			break;
		case kMsgColorValue:
			_ColorChanged();
			break;
		case kMsgColorDue:
			delete fColorRunner;
			fColorRunner = nullptr;
			if (fColorPending)
				_ApplyColor();
			break;
		case kMsgTitleEntered:
			if (pageView != nullptr)
				pageView->backgroundControl->MakeFocus(true);
			break;
		case kMsgBackgroundEntered:
			if (pageView != nullptr)
				pageView->titleControl->MakeFocus(true);
			break;
		case kMsgHighSave:
			_Save();
			break;
		default:
			break;
	}
}


bool
CWindow::_LockPage()
{
	return page != nullptr && fVisualWindow.LockTarget();
}


void
CWindow::_UnlockPage()
{
	page->visualWindow->Unlock();
}


void
CWindow::_FontChanged(BMessage* message)
{
	uint32 what = message->what;
	if (what == kMsgProportionalFamily || what == kMsgFixedFamily) {
		const char* family = nullptr;
		if (message->FindString("family", &family) != B_OK
			|| family == nullptr)
			return;
		char** field = what == kMsgProportionalFamily
			? &config->proportionalFamily : &config->fixedFamily;
		delete[] *field;
		*field = newtext(family);
	} else {
		int32 size = 0;
		if (message->FindInt32("size", &size) != B_OK || size == 0)
			return;
		if (what == kMsgProportionalSize)
			config->proportionalSize = size;
		else
			config->fixedSize = size;
	}

	// The elements draw and measure with the page's fonts, and layout moves
	// the views of the visual window: all of it under that window's lock.
	if (!_LockPage())
		return;
	page->SetFonts();
	WYSIWYG_Engine* engine = page->visualWindow->engine;
	engine->view->Invalidate();
	engine->Do(nullptr);
	engine->Place(nullptr, false);
	_UnlockPage();
}


void
CWindow::_ColorRowChanged()
{
	if (pageView == nullptr)
		return;
	// A change held back for the row that was selected goes to that row
	// before the colour control shows another colour.
	if (fColorPending)
		_ApplyColor();

	int32 row = pageView->colorList->CurrentSelection();
	int32 which = PView::PageColorOfRow(row);
	if (which == 0) {
		// One row always stays selected.
		pageView->colorList->Select(pageView->lastColorRow);
		return;
	}
	rgb_color* colors[3] = { page->textColor, page->linkColor,
		page->backgroundColor };
	pageView->colorControl->SetValue(*colors[which - 1]);
	pageView->lastColorRow = row;
}


// Dragging across a ramp of the colour control sends a change for every
// step, and each change walks the whole page and repaints it. A change
// with another one queued behind it is dropped (the later one carries the
// control's value), and the page takes at most one change per
// kColorUpdateInterval: the first at once, the ones after it held back and
// the last value of the burst when the interval ends. A click alone
// therefore shows at once and a drag repaints a few times a second.
void
CWindow::_ColorChanged()
{
	if (pageView == nullptr)
		return;
	if (MessageQueue()->FindMessage(kMsgColorValue) != nullptr)
		return;
	fColorPending = true;
	// The row the change is for: by the time a held change is due, the
	// user may have chosen another.
	fColorRow = pageView->colorList->CurrentSelection();
	if (fColorRunner != nullptr)
		return;
	bigtime_t since = system_time() - fLastColorUpdate;
	if (fPageColorUpdates == 0 || since >= kColorUpdateInterval) {
		_ApplyColor();
		return;
	}
	BMessage due(kMsgColorDue);
	fColorRunner = new BMessageRunner(BMessenger(this), &due,
		kColorUpdateInterval - since, 1);
}


void
CWindow::_ApplyColor()
{
	fColorPending = false;
	int32 which = PView::PageColorOfRow(fColorRow);
	if (which != 0 && _LockPage()) {
		rgb_color color = pageView->colorControl->ValueAsColor();
		page->SetColors(which, color.red, color.green, color.blue, 255);
		_UnlockPage();
		fPageColorUpdates++;
	}
	pageView->sample->Reset();
	// Measured after the work, so that a slow page still gets its pause.
	fLastColorUpdate = system_time();
}


void
CWindow::_Save()
{
	BView* selected = tabView->ViewForTab(tabView->Selection());
	if (selected != nullptr && selected == pageView)
		_SavePageSettings();
	else if (selected != nullptr && selected == generalView)
		_SaveGeneral();
}


void
CWindow::_SavePageSettings()
{
	if (!_LockPage())
		return;
	delete[] page->title;
	page->title = new_line_text(pageView->titleControl->Text());
	page->SetTitle();
	char* background = new_line_text(pageView->backgroundControl->Text());
	page->SetBackground(background);
	delete[] background;
	_UnlockPage();
}


void
CWindow::_SaveGeneral()
{
	delete[] config->userName;
	config->userName = new_line_text(generalView->nameControl->Text());

	// The image folder is kept ending in "/", so that a picture's name can
	// follow it directly; an empty one stays empty (no folder).
	char* directory = new_line_text(
		generalView->imageDirectoryControl->Text());
	size_t length = strlen(directory);
	if (length > 0 && directory[length - 1] != '/') {
		char* slashed = new char[length + 2];
		slashed[0] = '\0';
		endstrcpys(slashed, directory, "/");
		delete[] directory;
		directory = slashed;
	}
	delete[] config->imageDirectory;
	config->imageDirectory = directory;

	config->Save();
}
