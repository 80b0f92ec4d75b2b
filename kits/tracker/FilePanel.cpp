// BFilePanel: listing a directory through the ref filter, and the replies.
#include <FilePanel.h>

#include <Application.h>
#include <Button.h>
#include <Directory.h>
#include <Entry.h>
#include <ListView.h>
#include <Message.h>
#include <MimeType.h>
#include <Node.h>
#include <Path.h>
#include <TextControl.h>
#include <TextView.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <unistd.h>

#include "FilePanelWindow.h"

namespace {

std::string
start_directory()
{
	const char* home = getenv("HOME");
	if (home != NULL && home[0] == '/')
		return home;
	char buffer[4096];
	if (getcwd(buffer, sizeof(buffer)) != NULL)
		return buffer;
	return "/";
}


std::string
real_directory(const std::string& path)
{
	char* resolved = realpath(path.c_str(), NULL);
	if (resolved == NULL)
		return std::string();
	std::string result = resolved;
	free(resolved);
	struct stat st;
	if (stat(result.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
		return std::string();
	return result;
}

}	// namespace


BFilePanel::BFilePanel(file_panel_mode mode, BMessenger* target,
	const entry_ref* directory, uint32 nodeFlavors, bool allowMultipleSelection,
	BMessage* message, BRefFilter* filter, bool modal, bool hideWhenDone)
	:
	fMode(mode),
	fMessage(message != NULL ? new BMessage(*message) : NULL),
	fFilter(filter),
	fNodeFlavors(nodeFlavors == 0 ? (uint32)B_FILE_NODE : nodeFlavors),
	fMultiple(allowMultipleSelection && mode == B_OPEN_PANEL),
	fModal(modal),
	fHideWhenDone(hideWhenDone),
	fCancelPending(false),
	fSelectedCursor(0),
	fWindow(NULL)
{
	if (target != NULL)
		fTarget = *target;
	else if (be_app != NULL)
		fTarget = BMessenger(be_app);
	fWindow = new BPrivate::FilePanelWindow(this, mode == B_SAVE_PANEL,
		fMultiple, modal);
	std::string start;
	if (directory != NULL) {
		BPath path(directory);
		if (path.InitCheck() == B_OK)
			start = real_directory(path.Path());
	}
	if (start.empty())
		start = real_directory(start_directory());
	if (start.empty())
		start = "/";
	fDirectory = start;
	_ReadDirectory();
}


BFilePanel::~BFilePanel()
{
	if (fWindow->Lock())
		fWindow->Quit();
	delete fMessage;
}


void
BFilePanel::Show()
{
	if (!fWindow->Lock())
		return;
	_ReadDirectory();
	fCancelPending = true;
	if (fWindow->IsHidden())
		fWindow->Show();
	fWindow->Activate();
	fWindow->Unlock();
}


void
BFilePanel::Hide()
{
	if (!fWindow->Lock())
		return;
	bool wasShowing = !fWindow->IsHidden();
	if (wasShowing)
		fWindow->Hide();
	fWindow->Unlock();
	if (wasShowing) {
		// Hidden without a choice: the target hears it once.
		if (fCancelPending) {
			fCancelPending = false;
			BMessage cancel(B_CANCEL);
			if (fMessage != NULL)
				cancel.AddInt32("old_what", (int32)fMessage->what);
			cancel.AddPointer("source", this);
			SendMessage(&fTarget, &cancel);
		}
		WasHidden();
	}
}


bool
BFilePanel::IsShowing() const
{
	if (!fWindow->Lock())
		return false;
	bool showing = !fWindow->IsHidden();
	fWindow->Unlock();
	return showing;
}


void
BFilePanel::WasHidden()
{
}


void
BFilePanel::SelectionChanged()
{
}


void
BFilePanel::SendMessage(const BMessenger* target, BMessage* message)
{
	if (target != NULL)
		target->SendMessage(message);
}


BWindow*
BFilePanel::Window() const
{
	return fWindow;
}


void
BFilePanel::GetPanelDirectory(entry_ref* ref) const
{
	if (ref != NULL)
		get_ref_for_path(fDirectory.c_str(), ref);
}


void
BFilePanel::SetTarget(BMessenger target)
{
	fTarget = target;
}


void
BFilePanel::SetMessage(BMessage* message)
{
	delete fMessage;
	fMessage = message != NULL ? new BMessage(*message) : NULL;
}


void
BFilePanel::SetRefFilter(BRefFilter* filter)
{
	fFilter = filter;
	Refresh();
}


void
BFilePanel::SetSaveText(const char* text)
{
	if (fMode != B_SAVE_PANEL || !fWindow->Lock())
		return;
	BTextControl* name = fWindow->NameControl();
	if (name != NULL) {
		name->SetText(text);
		name->TextView()->SelectAll();
	}
	fWindow->Unlock();
}


void
BFilePanel::SetButtonLabel(file_panel_button button, const char* label)
{
	if (!fWindow->Lock())
		return;
	if (button == B_CANCEL_BUTTON)
		fWindow->CancelButton()->SetLabel(label);
	else
		fWindow->DefaultButton()->SetLabel(label);
	fWindow->Unlock();
}


void
BFilePanel::SetPanelDirectory(const BEntry* entry)
{
	BPath path;
	if (entry != NULL && entry->GetPath(&path) == B_OK)
		SetPanelDirectory(path.Path());
}


void
BFilePanel::SetPanelDirectory(const BDirectory* dir)
{
	BEntry entry;
	if (dir != NULL && dir->GetEntry(&entry) == B_OK)
		SetPanelDirectory(&entry);
}


void
BFilePanel::SetPanelDirectory(const entry_ref* ref)
{
	BPath path(ref);
	if (ref != NULL && path.InitCheck() == B_OK)
		SetPanelDirectory(path.Path());
}


void
BFilePanel::SetPanelDirectory(const char* path)
{
	if (path != NULL)
		_SetDirectory(path);
}


void
BFilePanel::_SetDirectory(const std::string& path)
{
	std::string resolved = real_directory(path);
	if (resolved.empty())
		return;
	fDirectory = resolved;
	_ReadDirectory();
}


void
BFilePanel::Refresh()
{
	_ReadDirectory();
}


void
BFilePanel::_ReadDirectory()
{
	fEntries.clear();
	fSelected.clear();
	fSelectedCursor = 0;
	if (fDirectory != "/") {
		Entry parent;
		parent.name = "..";
		parent.directory = true;
		size_t slash = fDirectory.rfind('/');
		std::string up = slash == 0 ? "/" : fDirectory.substr(0, slash);
		get_ref_for_path(up.c_str(), &parent.ref);
		fEntries.push_back(parent);
	}

	std::vector<Entry> found;
	BDirectory dir(fDirectory.c_str());
	BEntry entry;
	while (dir.InitCheck() == B_OK && dir.GetNextEntry(&entry) == B_OK) {
		char name[B_FILE_NAME_LENGTH + 1];
		if (entry.GetName(name) != B_OK || name[0] == '.')
			continue;	// hidden entries stay hidden, as in a Linux chooser
		Entry item;
		item.name = name;
		if (entry.GetRef(&item.ref) != B_OK)
			continue;
		// The filter judges what the entry leads to; a broken link is
		// judged as itself.
		struct stat st;
		BEntry target(&item.ref, true);
		bool resolved = target.InitCheck() == B_OK && target.Exists()
			&& target.GetStat(&st) == B_OK;
		if (!resolved && entry.GetStat(&st) != B_OK)
			continue;
		item.directory = resolved && S_ISDIR(st.st_mode);
		BNode node;
		if (resolved)
			node.SetTo(&target);
		else
			node.SetTo(&entry);
		const char* mimeType = "application/octet-stream";
		BMimeType type;
		if (item.directory)
			mimeType = "application/x-vnd.Be-directory";
		else if (!resolved)
			mimeType = "application/x-vnd.Be-symlink";
		else if (BMimeType::GuessMimeType(name, &type) == B_OK
			&& type.Type() != NULL)
			mimeType = type.Type();
		if (fFilter != NULL && !fFilter->Filter(&item.ref, &node, &st,
				mimeType))
			continue;
		found.push_back(item);
	}
	std::stable_sort(found.begin(), found.end(),
		[](const Entry& a, const Entry& b) {
			if (a.directory != b.directory)
				return a.directory;
			int order = strcasecmp(a.name.c_str(), b.name.c_str());
			return order != 0 ? order < 0 : a.name < b.name;
		});
	fEntries.insert(fEntries.end(), found.begin(), found.end());

	if (fWindow->Lock()) {
		std::vector<std::string> names;
		std::vector<bool> directories;
		for (const Entry& item : fEntries) {
			names.push_back(item.name);
			directories.push_back(item.directory);
		}
		fWindow->ShowEntries(names, directories, fDirectory);
		fWindow->Unlock();
	}
}


void
BFilePanel::_SelectionFromList()
{
	fSelected.clear();
	fSelectedCursor = 0;
	if (!fWindow->Lock())
		return;
	BListView* list = fWindow->List();
	std::string firstFile;
	for (int32 i = 0; list->CurrentSelection(i) >= 0; i++) {
		int32 index = list->CurrentSelection(i);
		if (index < (int32)fEntries.size()) {
			fSelected.push_back(fEntries[index].ref);
			if (!fEntries[index].directory && firstFile.empty())
				firstFile = fEntries[index].name;
		}
	}
	if (fMode == B_SAVE_PANEL && !firstFile.empty())
		fWindow->NameControl()->SetText(firstFile.c_str());
	fWindow->Unlock();
	SelectionChanged();
}


void
BFilePanel::Rewind()
{
	fSelectedCursor = 0;
}


status_t
BFilePanel::GetNextSelectedRef(entry_ref* ref)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	if (fSelectedCursor >= (int32)fSelected.size())
		return B_ENTRY_NOT_FOUND;
	*ref = fSelected[fSelectedCursor++];
	return B_OK;
}


BMessage*
BFilePanel::_ReplyFor(uint32 defaultWhat) const
{
	return fMessage != NULL ? new BMessage(*fMessage)
		: new BMessage(defaultWhat);
}


void
BFilePanel::_OpenIndex(int32 index)
{
	if (index < 0 || index >= (int32)fEntries.size())
		return;
	const Entry& item = fEntries[index];
	// Opening a directory always goes into it; the Open button is how a
	// directory is chosen.
	if (item.directory) {
		BPath path(&item.ref);
		if (path.InitCheck() == B_OK)
			_SetDirectory(path.Path());
		return;
	}
	if (fMode == B_SAVE_PANEL) {
		if (fWindow->Lock()) {
			fWindow->NameControl()->SetText(item.name.c_str());
			fWindow->Unlock();
		}
		_Save();
		return;
	}
	fSelected.assign(1, item.ref);
	fSelectedCursor = 0;
	_ChooseSelection();
}


void
BFilePanel::_ChooseSelection()
{
	if (fMode == B_SAVE_PANEL) {
		_Save();
		return;
	}
	if (fSelected.empty())
		return;
	// A single directory is entered unless directories are what the
	// panel chooses.
	if (fSelected.size() == 1) {
		for (const Entry& item : fEntries) {
			if (item.ref == fSelected[0] && item.directory
				&& ((fNodeFlavors & B_DIRECTORY_NODE) == 0
					|| item.name == "..")) {
				BPath path(&item.ref);
				if (path.InitCheck() == B_OK)
					_SetDirectory(path.Path());
				return;
			}
		}
	}
	BMessage* reply = _ReplyFor(B_REFS_RECEIVED);
	for (const entry_ref& ref : fSelected)
		reply->AddRef("refs", &ref);
	SendMessage(&fTarget, reply);
	delete reply;
	_Done();
}


void
BFilePanel::_Save()
{
	std::string name = SaveText();
	// A name is one path element: empty names and slashes are refused.
	if (name.empty() || name.find('/') != std::string::npos || name == "."
		|| name == "..")
		return;
	entry_ref directory;
	if (get_ref_for_path(fDirectory.c_str(), &directory) != B_OK)
		return;
	BMessage* reply = _ReplyFor(B_SAVE_REQUESTED);
	reply->AddRef("directory", &directory);
	reply->AddString("name", name.c_str());
	SendMessage(&fTarget, reply);
	delete reply;
	_Done();
}


void
BFilePanel::_Done()
{
	if (fHideWhenDone) {
		fCancelPending = false;
		Hide();
	} else
		fCancelPending = false;
}


void
BFilePanel::_Cancel()
{
	fCancelPending = true;
	if (IsShowing())
		Hide();
	else {
		fCancelPending = false;
	}
}


int32
BFilePanel::CountShownEntries() const
{
	return (int32)fEntries.size();
}


std::string
BFilePanel::ShownEntryAt(int32 index) const
{
	if (index < 0 || index >= (int32)fEntries.size())
		return std::string();
	return fEntries[index].name;
}


bool
BFilePanel::IsShownDirectory(int32 index) const
{
	return index >= 0 && index < (int32)fEntries.size()
		&& fEntries[index].directory;
}


bool
BFilePanel::SelectEntry(const char* name, bool extend)
{
	if (name == NULL)
		return false;
	for (size_t i = 0; i < fEntries.size(); i++) {
		if (fEntries[i].name != name)
			continue;
		if (!fWindow->Lock())
			return false;
		fWindow->List()->Select((int32)i, extend && fMultiple);
		fWindow->Unlock();
		_SelectionFromList();
		return true;
	}
	return false;
}


std::string
BFilePanel::SaveText() const
{
	std::string text;
	if (fMode == B_SAVE_PANEL && fWindow->Lock()) {
		text = fWindow->NameControl()->Text();
		fWindow->Unlock();
	}
	return text;
}


std::string
BFilePanel::PanelPath() const
{
	return fDirectory;
}


void
BFilePanel::PressButton(file_panel_button button)
{
	if (button == B_CANCEL_BUTTON)
		_Cancel();
	else
		_ChooseSelection();
}


bool
BFilePanel::OpenEntry(const char* name)
{
	if (name == NULL)
		return false;
	for (size_t i = 0; i < fEntries.size(); i++) {
		if (fEntries[i].name == name) {
			_OpenIndex((int32)i);
			return true;
		}
	}
	return false;
}


void
BFilePanel::Close()
{
	_Cancel();
}
