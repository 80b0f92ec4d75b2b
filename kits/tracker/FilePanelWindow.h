/*
 * The window of a BFilePanel: path menu, entry list, name field, buttons.
 */
#ifndef _QUILLORA_FILE_PANEL_WINDOW_H
#define _QUILLORA_FILE_PANEL_WINDOW_H

#include <Window.h>

#include <string>
#include <vector>

class BButton;
class BFilePanel;
class BListView;
class BMenuField;
class BPopUpMenu;
class BTextControl;

namespace BPrivate {

enum {
	kPanelSelection = 'fpsl',
	kPanelInvoke = 'fpin',
	kPanelDefault = 'fpok',
	kPanelCancel = 'fpcn',
	kPanelDirectory = 'fpdr'
};

class FilePanelWindow : public BWindow {
public:
								FilePanelWindow(BFilePanel* panel,
									bool save, bool multiple, bool modal);
	virtual						~FilePanelWindow();

	virtual	void				MessageReceived(BMessage* message);
	virtual	void				DispatchMessage(BMessage* message,
									BHandler* handler);
	virtual	bool				QuitRequested();

	// Shows the panel's entries and the path of its directory.
			void				ShowEntries(const std::vector<std::string>& names,
									const std::vector<bool>& directories,
									const std::string& path);
			BListView*			List() const { return fList; }
			BTextControl*		NameControl() const { return fName; }
			BButton*			DefaultButton() const { return fDefault; }
			BButton*			CancelButton() const { return fCancel; }

private:
			void				_BuildPathMenu(const std::string& path);

			BFilePanel*			fPanel;
			BListView*			fList;
			BTextControl*		fName;
			BButton*			fDefault;
			BButton*			fCancel;
			BMenuField*			fPathField;
			BPopUpMenu*			fPathMenu;
};

}	// namespace BPrivate

#endif	// _QUILLORA_FILE_PANEL_WINDOW_H
