// The file panel's window: its views, and the user's actions on them.
#include "FilePanelWindow.h"

#include <Button.h>
#include <FilePanel.h>
#include <ListView.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <Screen.h>
#include <ScrollView.h>
#include <StringItem.h>
#include <TextControl.h>
#include <TextView.h>

#include <cmath>

namespace BPrivate {

static const float kPanelWidth = 480;
static const float kPanelHeight = 360;

FilePanelWindow::FilePanelWindow(BFilePanel* panel, bool save, bool multiple,
	bool modal)
	:
	BWindow(BRect(0, 0, kPanelWidth - 1, kPanelHeight - 1),
		save ? "Save" : "Open", B_TITLED_WINDOW_LOOK,
		modal ? B_MODAL_APP_WINDOW_FEEL : B_NORMAL_WINDOW_FEEL,
		B_NOT_ZOOMABLE | B_ASYNCHRONOUS_CONTROLS),
	fPanel(panel),
	fName(NULL)
{
	BRect bounds = Bounds();
	BView* background = new BView(bounds, "background", B_FOLLOW_ALL,
		B_WILL_DRAW);
	background->SetViewColor(216, 216, 216);
	AddChild(background);

	fPathMenu = new BPopUpMenu("path", true, true);
	fPathField = new BMenuField(BRect(10, 8, bounds.right - 10, 30), "path",
		NULL, fPathMenu, true, B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	fPathField->SetDivider(0);
	background->AddChild(fPathField);

	float bottomArea = save ? 74 : 44;
	BRect listFrame(12, 40, bounds.right - 12 - B_V_SCROLL_BAR_WIDTH,
		bounds.bottom - bottomArea - 2 - B_H_SCROLL_BAR_HEIGHT);
	fList = new BListView(listFrame, "entries", multiple
		? B_MULTIPLE_SELECTION_LIST : B_SINGLE_SELECTION_LIST, B_FOLLOW_ALL);
	fList->SetSelectionMessage(new BMessage(kPanelSelection));
	fList->SetInvocationMessage(new BMessage(kPanelInvoke));
	fList->SetTarget(this);
	BScrollView* scroll = new BScrollView("entries scroll", fList,
		B_FOLLOW_ALL, 0, true, true, B_FANCY_BORDER);
	background->AddChild(scroll);

	if (save) {
		fName = new BTextControl(BRect(12, bounds.bottom - 66, 280,
				bounds.bottom - 44), "name", "Name:", "untitled", NULL,
			B_FOLLOW_LEFT | B_FOLLOW_BOTTOM);
		fName->SetDivider(fName->StringWidth("Name:") + 8);
		background->AddChild(fName);
	}

	fDefault = new BButton(BRect(bounds.right - 95, bounds.bottom - 36,
			bounds.right - 12, bounds.bottom - 10), "default",
		save ? "Save" : "Open", new BMessage(kPanelDefault),
		B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	fCancel = new BButton(BRect(bounds.right - 190, bounds.bottom - 36,
			bounds.right - 107, bounds.bottom - 10), "cancel", "Cancel",
		new BMessage(kPanelCancel), B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	fDefault->SetTarget(this);
	fCancel->SetTarget(this);
	background->AddChild(fCancel);
	background->AddChild(fDefault);
	fDefault->MakeDefault(true);

	BRect screen = BScreen().Frame();
	if (screen.IsValid() && screen.Width() > kPanelWidth)
		MoveTo(floorf((screen.Width() - kPanelWidth) / 2),
			floorf((screen.Height() - kPanelHeight) / 3));
	if (fName != NULL)
		fName->MakeFocus(true);
	else
		fList->MakeFocus(true);
}


FilePanelWindow::~FilePanelWindow()
{
	// The list's items are not the list's to delete.
	for (int32 i = fList->CountItems() - 1; i >= 0; i--)
		delete fList->RemoveItem(i);
}


void
FilePanelWindow::ShowEntries(const std::vector<std::string>& names,
	const std::vector<bool>& directories, const std::string& path)
{
	for (int32 i = fList->CountItems() - 1; i >= 0; i--)
		delete fList->RemoveItem(i);
	for (size_t i = 0; i < names.size(); i++) {
		std::string shown = names[i];
		if (directories[i])
			shown += "/";
		fList->AddItem(new BStringItem(shown.c_str()));
	}
	fList->ScrollTo(0, 0);
	_BuildPathMenu(path);
}


void
FilePanelWindow::_BuildPathMenu(const std::string& path)
{
	// One item per directory from the root down to the shown one, which is
	// marked (and so names the menu).
	while (fPathMenu->CountItems() > 0)
		delete fPathMenu->RemoveItem((int32)0);
	std::vector<std::string> parts;
	parts.push_back("/");
	for (size_t i = 1; i <= path.size(); i++) {
		if (i == path.size() || path[i] == '/') {
			std::string prefix = path.substr(0, i);
			if (prefix != "/" && !prefix.empty())
				parts.push_back(prefix);
		}
	}
	for (size_t i = 0; i < parts.size(); i++) {
		BMessage* message = new BMessage(kPanelDirectory);
		message->AddString("path", parts[i].c_str());
		BMenuItem* item = new BMenuItem(parts[i].c_str(), message);
		item->SetTarget(this);
		fPathMenu->AddItem(item);
		if (i + 1 == parts.size())
			item->SetMarked(true);
	}
	fPathField->Invalidate();
}


void
FilePanelWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kPanelSelection:
			fPanel->_SelectionFromList();
			break;
		case kPanelInvoke:
		{
			int32 index = fList->CurrentSelection();
			if (index >= 0)
				fPanel->_OpenIndex(index);
			break;
		}
		case kPanelDefault:
			fPanel->_ChooseSelection();
			break;
		case kPanelCancel:
			fPanel->_Cancel();
			break;
		case kPanelDirectory:
		{
			const char* path = NULL;
			if (message->FindString("path", &path) == B_OK)
				fPanel->_SetDirectory(path);
			break;
		}
		default:
			BWindow::MessageReceived(message);
	}
}


void
FilePanelWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message->what == B_KEY_DOWN) {
		const char* bytes = NULL;
		if (message->FindString("bytes", &bytes) == B_OK && bytes != NULL
			&& bytes[0] == B_ESCAPE) {
			fPanel->_Cancel();
			return;
		}
		if (bytes != NULL && bytes[0] == B_ENTER && fName != NULL
			&& CurrentFocus() == fName->TextView()) {
			fPanel->_ChooseSelection();
			return;
		}
		if (bytes != NULL && bytes[0] == B_ENTER && CurrentFocus() == fList) {
			// Enter in the list opens what is selected, as a double click.
			int32 index = fList->CurrentSelection();
			if (index >= 0)
				fPanel->_OpenIndex(index);
			return;
		}
	}
	BWindow::DispatchMessage(message, handler);
}


bool
FilePanelWindow::QuitRequested()
{
	// The close box hides the panel; it lives as long as its BFilePanel.
	fPanel->_Cancel();
	return false;
}

}	// namespace BPrivate
