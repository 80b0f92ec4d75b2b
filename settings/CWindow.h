/*
 * CWindow: the settings window. Its tabs edit the settings of the program
 * (General: author, image folder, the two fonts) and of one page (Page
 * settings: title, background picture, the three colours), and show the
 * About picture. Font and colour choices take effect at once; the texts take
 * effect when their tab's save button is pressed.
 *
 * The views of the tabs are in SettingsViews.h.
 */
#ifndef QUILLORA_C_WINDOW_H
#define QUILLORA_C_WINDOW_H

#include <Messenger.h>
#include <Window.h>

#include "MessageCode.h"

class About_View;
class BMessageRunner;
class BTabView;
class Config;
class GeneralView;
class PView;
class Page;

// Sent by the window's own controls to the window. (The save button of
// either tab sends kMsgHighSave, 'save'.)
constexpr uint32 kMsgProportionalFamily = message_code("fnch");
constexpr uint32 kMsgProportionalSize = message_code("fsch");
constexpr uint32 kMsgFixedFamily = message_code("ffch");
constexpr uint32 kMsgFixedSize = message_code("ffsc");
constexpr uint32 kMsgColorRow = message_code("lich");
constexpr uint32 kMsgColorValue = message_code("clct");
constexpr uint32 kMsgTitleEntered = message_code("titl");
constexpr uint32 kMsgBackgroundEntered = message_code("back");
// Sent by the window to itself when a colour change it held back is due.
constexpr uint32 kMsgColorDue = message_code("clcd");

class CWindow : public BWindow {
public:
	// With a null page there is no "Page settings" tab. The caller shows
	// the window.
	CWindow(Config* config, Page* page);
	virtual ~CWindow();

	virtual void MessageReceived(BMessage* message);

	// How often a colour choice has been carried to the page so far: a
	// colour control dragged across its ramp sends a burst of changes, and
	// the page takes them at a bounded rate (see _ColorChanged).
	int32 PageColorUpdates() const { return fPageColorUpdates; }
	// True while a colour change waits for its turn.
	bool IsColorChangePending() const { return fColorPending; }

	// The shortest time between two colour updates of the page while a
	// burst lasts.
	static const bigtime_t kColorUpdateInterval;

	// Fields, in this order.
	Config* config;
	BTabView* tabView;
	GeneralView* generalView;
	PView* pageView;
	About_View* aboutView;
	Page* page;

private:
	// Locks the page's visual window, if the page still has it; the page
	// may be changed until _UnlockPage().
	bool _LockPage();
	void _UnlockPage();

	void _FontChanged(BMessage* message);
	void _ColorRowChanged();
	void _ColorChanged();
	void _ApplyColor();
	void _Save();
	void _SavePageSettings();
	void _SaveGeneral();

	BMessenger fVisualWindow;

	// The colour update held back until kColorUpdateInterval has passed
	// since the last one, or null.
	BMessageRunner* fColorRunner;
	bool fColorPending;
	int32 fColorRow;
	bigtime_t fLastColorUpdate;
	int32 fPageColorUpdates;
};

#endif	// QUILLORA_C_WINDOW_H
