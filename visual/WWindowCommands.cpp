/*
 * WWindow::MessageReceived: the visual editor's commands. Each case is short
 * and hands the work to the page, the engine, the application or a dialog.
 * Codes that are not listed are ignored, not passed on.
 */
#include "WWindow.h"

#include <Application.h>
#include <Entry.h>
#include <File.h>
#include <Path.h>

#include <string>

#include "About_Window.h"
#include "Alerts.h"
#include "Config.h"
#include "ExtensionsFilePanel.h"
#include "Functions.h"
#include "HWindow.h"
#include "Page.h"
#include "Parser.h"
#include "WApplication.h"
#include "WText.h"
#include "WFinder.h"
#include "WYSIWYG_Engine.h"


void
WWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		// Page and file commands
		case kMsgNewPage:
			newPageMode = true;
			_ShowSavePanel();
			break;
		case kMsgOpenPage:
		{
			WApplication* application = quillora_app();
			if (application != nullptr && application->openPanel != nullptr)
				application->openPanel->Show();
			break;
		}
		case kMsgSavePage:
			page->Save();
			break;
		case kMsgSavePageAs:
			_ShowSavePanel();
			break;
		case kMsgSavePanelReply:
			_SavePanelReply(message);
			break;
		case B_CANCEL:
			newPageMode = false;
			break;
		case kMsgReload:
			page->Update(true);
			break;
		case kMsgUpdate:
			page->Update(false);
			break;
		case kMsgShowOther:
			if (page->htmlWindow != nullptr)
				page->htmlWindow->Show();
			break;

		case kMsgInsertImage:
			_ShowImagePanel();
			break;
		case kMsgInsertAnchor:
		case kMsgUnorderedList:
		case kMsgOrderedList:
		case kMsgDefinitionList:
			engine->Insert(_InsertionTag(message->what), nullptr);
			break;

		// Whole-page services of the engine
		case kMsgDeleteAll:
			engine->Empty();
			break;
		case kMsgPreview:
			engine->Preview(nullptr);
			break;
		case kMsgQuilloraSeek:
			engine->RunQuilloraSeek();
			break;
		case kMsgTestChain:
			engine->Test();
			break;

		// Insertions at the caret
		case kMsgHorizontalLine:
		case kMsgBreakLine:
		case kMsgParagraph:
		case kMsgNormalText:
		case kMsgBlockquote:
		case kMsgCenter:
		case kMsgItalic:
		case kMsgUnderline:
		case kMsgEmbed:
		case kMsgVariable:
		case kMsgCite:
		case kMsgBold: case kMsgFixed: case kMsgBig: case kMsgSmall:
		case kMsgSub: case kMsgSup: case kMsgStrike:
		case kMsgStrong: case kMsgDefinition: case kMsgCode: case kMsgSample:
		case kMsgKeyboard:
		case kMsgHeading1: case kMsgHeading2: case kMsgHeading3:
		case kMsgHeading4: case kMsgHeading5: case kMsgHeading6:
			engine->Insert(_InsertionTag(message->what), nullptr);
			break;
		case kMsgNonBreakingSpace:
			_TypeNonBreakingSpace();
			break;

		// Editing of the focused text
		case kMsgUndoRedo:
			engine->Undo();
			break;
		case kMsgCopy:
			engine->Copy(0);
			break;
		case kMsgCut:
			engine->Cut();
			break;
		case kMsgPaste:
			engine->PasteAtCursor();
			break;

		// Window and application commands
		case kMsgFind:
			if (finder != nullptr)
				finder->Show();
			break;
		case kMsgFindAgain:
			if (finder != nullptr)
				finder->FindAgain();
			break;
		case kMsgHelp:
			_ShowHelp();
			break;
		case kMsgAbout:
			(new About_Window())->Show();
			break;
		case kMsgPreferences:
		{
			WApplication* application = quillora_app();
			if (application != nullptr && application->config != nullptr)
				application->config->Setup(page);
			break;
		}
		case kMsgClose:
			_PostToApplication(kMsgQuitPage, true);
			break;
		case kMsgExit:
			_PostToApplication(B_QUIT_REQUESTED, false);
			break;

		case kMsgDelete:
		default:
			break;
	}
}


// The tag id each insertion command inserts (0: plain text).
int32
WWindow::_InsertionTag(uint32 command)
{
	static const struct {
		uint32 command;
		int32 tag;
	} kInsertions[] = {
		{ kMsgInsertAnchor, kTagA },
		{ kMsgUnorderedList, kTagUL },
		{ kMsgOrderedList, kTagOL },
		{ kMsgDefinitionList, kTagDL },
		{ kMsgBlockquote, 11 },		// BLOCKQUOTE
		{ kMsgBreakLine, 13 },		// BR
		{ kMsgCenter, 15 },			// CENTER
		{ kMsgCite, 16 },			// CITE
		{ kMsgEmbed, 26 },			// EM
		{ kMsgHorizontalLine, 40 },	// HR
		{ kMsgItalic, 42 },			// I
		{ kMsgParagraph, 60 },		// P
		{ kMsgUnderline, 86 },		// U
		{ kMsgVariable, 88 },		// VAR
		{ kMsgNormalText, 0 },
		// The font kinds: each ends the one open at the caret first.
		{ kMsgBold, kTagB }, { kMsgFixed, kTagTT }, { kMsgBig, kTagBIG },
		{ kMsgSmall, kTagSMALL }, { kMsgSub, kTagSUB }, { kMsgSup, kTagSUP },
		{ kMsgStrike, kTagSTRIKE }, { kMsgStrong, kTagSTRONG },
		{ kMsgDefinition, kTagDFN }, { kMsgCode, kTagCODE },
		{ kMsgSample, kTagSAMP }, { kMsgKeyboard, kTagKBD },
		{ kMsgHeading1, kTagH1 }, { kMsgHeading2, kTagH2 },
		{ kMsgHeading3, kTagH3 }, { kMsgHeading4, kTagH4 },
		{ kMsgHeading5, kTagH5 }, { kMsgHeading6, kTagH6 },
	};
	for (const auto& insertion : kInsertions) {
		if (insertion.command == command)
			return insertion.tag;
	}
	return 1;
}


void
WWindow::_TypeNonBreakingSpace()
{
	// The text element types the byte as a non-breaking space.
	BView* focus = CurrentFocus();
	if (WText* text = dynamic_cast<WText*>(focus))
		text->KeyDown(&kNonBreakingSpace, 1);
}


void
WWindow::_ShowSavePanel()
{
	if (pageSavePanel != nullptr)
		pageSavePanel->Show();
}


void
WWindow::_ShowImagePanel()
{
	// The panel answers the engine's looper, which takes the window's lock
	// to insert the picture: showing it takes no lock of the looper's, or
	// the two could wait for each other.
	if (imagePanel == nullptr)
		return;
	imagePanel->Refresh();
	imagePanel->Show();
}


void
WWindow::_ShowHelp()
{
	Config* config = Config::Current();
	std::string help;
	if (config != nullptr && config->applicationDirectory != nullptr)
		help = config->applicationDirectory;
	help += "Documentation/index.html";
	engine->Preview(&help[0]);
}


void
WWindow::_PostToApplication(uint32 what, bool withIndex)
{
	if (be_app == nullptr)
		return;
	BMessage message(what);
	if (withIndex)
		message.AddInt32("pagesindex", page->index);
	be_app->PostMessage(&message);
}


void
WWindow::_SavePanelReply(BMessage* message)
{
	entry_ref directoryRef;
	const char* name = nullptr;
	if (message->FindRef("directory", &directoryRef) != B_OK
		|| message->FindString("name", &name) != B_OK || name == nullptr) {
		error("Could not save it to that file");
		return;
	}
	BEntry directoryEntry(&directoryRef, true);
	BPath directoryPath;
	directoryEntry.GetPath(&directoryPath);

	std::string fullPath;
	if (directoryPath.Path() != nullptr)
		fullPath = directoryPath.Path();
	fullPath += "/";
	fullPath += name;

	// "Save page as…" puts the page into the file through a complete write
	// next to it, so the file is not erased first: if that write fails, the
	// file chosen keeps what it held (which matters most when it is the
	// page's own file). A new page is an empty file by definition.
	uint32 mode = B_READ_WRITE | B_CREATE_FILE;
	if (newPageMode)
		mode |= B_ERASE_FILE;
	BFile* file = new BFile(fullPath.c_str(), mode);
	if (file->InitCheck() != B_OK) {
		delete file;
		error("Could not save it to that file");
		return;
	}

	if (!newPageMode) {
		delete page->file;
		page->file = file;
		delete[] page->path;
		page->path = newtext(fullPath.c_str());
		page->SetTitle();
		page->Save();
		return;
	}

	BEntry entry(fullPath.c_str());
	entry_ref ref;
	entry.GetRef(&ref);
	BMessage refs(B_REFS_RECEIVED);
	refs.AddRef("refs", &ref);
	newPageMode = false;
	if (be_app != nullptr)
		be_app->PostMessage(&refs);
	delete file;
}
