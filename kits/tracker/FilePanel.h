/*
 * BFilePanel: the standard open and save panel. BRefFilter: decides which
 * entries a panel lists.
 *
 * The panel is a window of its own: a menu with the directory's path, the
 * list of entries (".." first, then directories and files by name), a name
 * field in save mode and the Cancel and Open/Save buttons. Double-click or
 * Enter opens a directory or chooses a file; Escape cancels. Replies go to
 * the target: B_REFS_RECEIVED with "refs" (open), B_SAVE_REQUESTED ('SAVE')
 * with "directory" and "name" (save), B_CANCEL when the panel is closed
 * without a choice. A custom message replaces the code but keeps the fields.
 */
#ifndef _FILE_PANEL_H
#define _FILE_PANEL_H

#include <Entry.h>
#include <Messenger.h>
#include <StorageDefs.h>

#include <sys/stat.h>

#include <string>
#include <vector>

class BDirectory;
class BEntry;
class BMessage;
class BNode;
class BWindow;

namespace BPrivate { class FilePanelWindow; }

enum file_panel_mode {
	B_OPEN_PANEL,
	B_SAVE_PANEL
};

enum file_panel_button {
	B_CANCEL_BUTTON,
	B_DEFAULT_BUTTON
};

class BRefFilter {
public:
	virtual						~BRefFilter() {}
	// `node` and `st` describe what the entry leads to (a link is followed;
	// a broken link is described as the link itself). Directories are asked
	// too: a filter that refuses one hides it from navigation.
	virtual	bool				Filter(const entry_ref* ref, BNode* node,
									struct stat* st,
									const char* mimeType) = 0;
};

class BFilePanel {
public:
								BFilePanel(file_panel_mode mode = B_OPEN_PANEL,
									BMessenger* target = NULL,
									const entry_ref* directory = NULL,
									uint32 nodeFlavors = 0,
									bool allowMultipleSelection = true,
									BMessage* message = NULL,
									BRefFilter* filter = NULL,
									bool modal = false,
									bool hideWhenDone = true);
	virtual						~BFilePanel();

			void				Show();
			void				Hide();
			bool				IsShowing() const;

	virtual	void				WasHidden();
	virtual	void				SelectionChanged();
	virtual	void				SendMessage(const BMessenger* target,
									BMessage* message);

			BWindow*			Window() const;
			void				GetPanelDirectory(entry_ref* ref) const;
			BRefFilter*			RefFilter() const { return fFilter; }
			file_panel_mode		PanelMode() const { return fMode; }
			BMessenger			Messenger() const { return fTarget; }
			bool				HidesWhenDone() const { return fHideWhenDone; }
			bool				IsModal() const { return fModal; }
			uint32				NodeFlavors() const { return fNodeFlavors; }

			void				SetTarget(BMessenger target);
	// Copied; NULL restores the default message.
			void				SetMessage(BMessage* message);
	// Not owned, as on the platform.
			void				SetRefFilter(BRefFilter* filter);
			void				SetSaveText(const char* text);
			void				SetButtonLabel(file_panel_button button,
									const char* label);
			void				SetHideWhenDone(bool on) { fHideWhenDone = on; }

			void				SetPanelDirectory(const BEntry* entry);
			void				SetPanelDirectory(const BDirectory* dir);
			void				SetPanelDirectory(const entry_ref* ref);
			void				SetPanelDirectory(const char* path);

	// Lists the directory again through the filter.
			void				Refresh();

	// The selected entries.
			void				Rewind();
			status_t			GetNextSelectedRef(entry_ref* ref);

	// Kit extension for tests and scripts, equal to what the user does:
	// the names shown (".." first), selecting a shown entry by name, the
	// text of the name field, pressing a button, opening (double-clicking)
	// a shown entry, and closing the window.
			int32				CountShownEntries() const;
			std::string			ShownEntryAt(int32 index) const;
			bool				IsShownDirectory(int32 index) const;
			bool				SelectEntry(const char* name,
									bool extend = false);
			std::string			SaveText() const;
			std::string			PanelPath() const;
			void				PressButton(file_panel_button button);
			bool				OpenEntry(const char* name);
			void				Close();

private:
	friend class BPrivate::FilePanelWindow;

	struct Entry {
		std::string name;
		entry_ref ref;
		bool directory;
	};

			void				_ReadDirectory();
			void				_SelectionFromList();
			void				_ChooseSelection();
			void				_OpenIndex(int32 index);
			void				_Save();
			void				_Cancel();
			void				_Done();
			void				_SetDirectory(const std::string& path);
			BMessage*			_ReplyFor(uint32 defaultWhat) const;

			file_panel_mode		fMode;
			BMessenger			fTarget;
			BMessage*			fMessage;
			BRefFilter*			fFilter;
			uint32				fNodeFlavors;
			bool				fMultiple;
			bool				fModal;
			bool				fHideWhenDone;
			bool				fCancelPending;
			std::string			fDirectory;
			std::vector<Entry>	fEntries;
			std::vector<entry_ref> fSelected;
			int32				fSelectedCursor;
			BPrivate::FilePanelWindow* fWindow;
};

#endif	// _FILE_PANEL_H
