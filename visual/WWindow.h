/*
 * WWindow: the visual (WYSIWYG) editor window of one page.
 *
 * Carries the visual side's menu bar, the page's engine (which owns the page
 * view and its scroll view), the find driver, the image panel and the page
 * save panel. Every menu item posts its code to the window itself;
 * MessageReceived carries the commands out.
 */
#ifndef QUILLORA_W_WINDOW_H
#define QUILLORA_W_WINDOW_H

#include <Window.h>

#include "MessageCode.h"

class BMenu;
class BMenuBar;
class ExtensionsFilePanel;
class Page;
class WFinder;
class WYSIWYG_Engine;

// Menu commands of the visual window, grouped as the menus are.
// File
constexpr uint32 kMsgNewPage = message_code("new ");
constexpr uint32 kMsgOpenPage = message_code("open");
constexpr uint32 kMsgSavePage = message_code("save");
constexpr uint32 kMsgSavePageAs = message_code("spas");
constexpr uint32 kMsgReload = message_code("reld");
constexpr uint32 kMsgQuilloraSeek = message_code("qsek");
constexpr uint32 kMsgHelp = message_code("help");
constexpr uint32 kMsgAbout = message_code("abot");
constexpr uint32 kMsgClose = message_code("clos");
constexpr uint32 kMsgExit = message_code("exit");
// Edit
constexpr uint32 kMsgFind = message_code("find");
constexpr uint32 kMsgFindAgain = message_code("fnda");
constexpr uint32 kMsgUndoRedo = message_code("udrd");
constexpr uint32 kMsgCopy = message_code("copy");
constexpr uint32 kMsgPaste = message_code("past");
constexpr uint32 kMsgCut = message_code("cut ");
constexpr uint32 kMsgDeleteAll = message_code("dela");
constexpr uint32 kMsgPreview = message_code("prew");
constexpr uint32 kMsgPreferences = message_code("pref");
// Insert
constexpr uint32 kMsgInsertAnchor = message_code("ianc");
constexpr uint32 kMsgInsertImage = message_code("iimg");
constexpr uint32 kMsgUnorderedList = message_code("inul");
constexpr uint32 kMsgOrderedList = message_code("inol");
constexpr uint32 kMsgDefinitionList = message_code("indl");
constexpr uint32 kMsgBlockquote = message_code("blqt");
constexpr uint32 kMsgCenter = message_code("cntr");
constexpr uint32 kMsgHorizontalLine = message_code("hrln");
constexpr uint32 kMsgBreakLine = message_code("br  ");
constexpr uint32 kMsgParagraph = message_code("p   ");
constexpr uint32 kMsgNonBreakingSpace = message_code("nbsp");
constexpr uint32 kMsgNormalText = message_code("itxt");
// Physical fonts
constexpr uint32 kMsgBold = message_code("bold");
constexpr uint32 kMsgItalic = message_code("ital");
constexpr uint32 kMsgFixed = message_code("tt  ");
constexpr uint32 kMsgBig = message_code("big ");
constexpr uint32 kMsgSmall = message_code("smal");
constexpr uint32 kMsgUnderline = message_code("ulin");
constexpr uint32 kMsgSub = message_code("sub ");
constexpr uint32 kMsgSup = message_code("sup ");
constexpr uint32 kMsgStrike = message_code("strk");
// Logical fonts
constexpr uint32 kMsgEmbed = message_code("em  ");
constexpr uint32 kMsgStrong = message_code("stng");
constexpr uint32 kMsgDefinition = message_code("dfn ");
constexpr uint32 kMsgCode = message_code("code");
constexpr uint32 kMsgSample = message_code("samp");
constexpr uint32 kMsgKeyboard = message_code("kbd ");
constexpr uint32 kMsgVariable = message_code("var ");
constexpr uint32 kMsgCite = message_code("cite");
// Headings
constexpr uint32 kMsgHeading1 = message_code("h1  ");
constexpr uint32 kMsgHeading2 = message_code("h2  ");
constexpr uint32 kMsgHeading3 = message_code("h3  ");
constexpr uint32 kMsgHeading4 = message_code("h4  ");
constexpr uint32 kMsgHeading5 = message_code("h5  ");
constexpr uint32 kMsgHeading6 = message_code("h6  ");
// HTML editor
constexpr uint32 kMsgShowOther = message_code("shww");
constexpr uint32 kMsgUpdate = message_code("updt");
// Sent by no menu item
constexpr uint32 kMsgSavePanelReply = message_code("SAVE");
constexpr uint32 kMsgTestChain = message_code("rtst");
constexpr uint32 kMsgDelete = message_code("dlt ");

class WWindow : public BWindow {
public:
	WWindow(BRect frame, char* title, Page* page);
	virtual ~WWindow();

	virtual void MessageReceived(BMessage* message);
	virtual bool QuitRequested();
	virtual void Quit();

	// Fields, in this order.
	WYSIWYG_Engine* engine;
	BMenuBar* menuBar;
	ExtensionsFilePanel* pageSavePanel;
	bool newPageMode;
	ExtensionsFilePanel* imagePanel;
	Page* page;
	WFinder* finder;

private:
	void _BuildMenus(BMenu* fileMenu);

	static int32 _InsertionTag(uint32 command);
	void _TypeNonBreakingSpace();
	void _SavePanelReply(BMessage* message);
	void _ShowSavePanel();
	void _ShowImagePanel();
	void _ShowHelp();
	void _PostToApplication(uint32 what, bool withIndex);
	void _QuitFinder();
};

#endif	// QUILLORA_W_WINDOW_H
