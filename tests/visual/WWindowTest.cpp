/*
 * The visual window: its menu bar, its shortcuts, and the page, file,
 * window and application commands, driven through real messages.
 */
#include "ProgramFixture.h"

#include <AppFileInfo.h>
#include <Entry.h>
#include <File.h>
#include <FilePanel.h>
#include <OS.h>
#include <InterfaceDefs.h>
#include <TextControl.h>
#include <TextView.h>

#include <string.h>

#include <set>

#include "ExtensionsFilePanel.h"
#include "WText.h"
#include "WYSIWYG_Engine.h"

using namespace quillora_test;

namespace {

const char* kPage = "<TITLE>Visual</TITLE><BODY><P>Some text</P></BODY>";

class WWindowTest : public ProgramTest {
protected:
	WWindow* Visual() { return CurrentPage()->visualWindow; }
};


struct MenuShape {
	const char* title;
	int32 items;
};

}	// namespace


TEST_F(WWindowTest, MenuBarHoldsTheMenusOfTheTable)
{
	OpenContent(kPage);
	BMenuBar* bar = Visual()->menuBar;
	const MenuShape shapes[] = { { "File", 14 }, { "Edit", 12 },
		{ "Insert", 14 }, { "Physical fonts", 9 }, { "Logical fonts", 8 },
		{ "Headings", 6 }, { "HTML editor", 2 } };
	ASSERT_EQ(bar->CountItems(), 7);
	for (int32 i = 0; i < 7; i++) {
		BMenu* menu = bar->SubmenuAt(i);
		ASSERT_NE(menu, nullptr);
		EXPECT_STREQ(menu->Name(), shapes[i].title);
		EXPECT_EQ(menu->CountItems(), shapes[i].items) << shapes[i].title;
	}

	// Codes with blanks, texts with the ellipsis and the star.
	BMenuItem* item = bar->FindItem(kMsgBreakLine);
	ASSERT_NE(item, nullptr);
	EXPECT_STREQ(item->Label(), "Break line <ENTER>");
	EXPECT_EQ(kMsgBreakLine, uint32('b') << 24 | uint32('r') << 16 | 0x2020);
	EXPECT_STREQ(bar->FindItem(kMsgNewPage)->Label(), "New page\xE2\x80\xA6");
	EXPECT_STREQ(bar->FindItem(kMsgStrike)->Label(), "Striked text *");
	EXPECT_STREQ(bar->FindItem(kMsgHeading6)->Label(), "Heading 6");

	// The same letter twice, told apart by Control.
	uint32 itemModifiers = 0;
	EXPECT_EQ(bar->FindItem(kMsgOpenPage)->Shortcut(&itemModifiers), 'O');
	EXPECT_EQ(itemModifiers & B_CONTROL_KEY, 0u);
	EXPECT_EQ(bar->FindItem(kMsgOrderedList)->Shortcut(&itemModifiers), 'O');
	EXPECT_NE(itemModifiers & B_CONTROL_KEY, 0u);
	EXPECT_EQ(bar->FindItem(kMsgInsertImage)->Shortcut(&itemModifiers), 'I');
	EXPECT_NE(itemModifiers & B_CONTROL_KEY, 0u);
	EXPECT_EQ(bar->FindItem(kMsgItalic)->Shortcut(&itemModifiers), 'I');
	EXPECT_EQ(itemModifiers & B_CONTROL_KEY, 0u);
	EXPECT_EQ(bar->FindItem(kMsgNormalText)->Shortcut(), 0);
	EXPECT_EQ(bar->FindItem(kMsgFindAgain)->Shortcut(), 'G');

	// Every item was created enabled but "Save page", which follows the
	// saved state.
	for (int32 i = 0; i < 7; i++) {
		BMenu* menu = bar->SubmenuAt(i);
		for (int32 j = 0; j < menu->CountItems(); j++) {
			BMenuItem* entry = menu->ItemAt(j);
			if (entry->Message() == nullptr)
				continue;
			EXPECT_EQ(entry->IsEnabled(), entry->Command() != kMsgSavePage)
				<< entry->Label();
		}
	}
}


TEST_F(WWindowTest, CommandKeysReachTheirItems)
{
	OpenContent(kPage);
	Page* page = CurrentPage();
	page->SetColors(1, 0, 128, 0, 255);
	page->NotSaved();

	// Alt+S saves.
	PostKey(Visual(), "s", B_COMMAND_KEY);
	EXPECT_TRUE(page->IsSaved());
	EXPECT_NE(ReadFile(fPath).find("TEXT=\"#008000\""), std::string::npos);

	// Alt+Control+O is the ordered list, not the open panel; Alt+O opens.
	ExtensionsFilePanel* open = fApplication->openPanel;
	PostKey(Visual(), "o", B_COMMAND_KEY | B_CONTROL_KEY);
	EXPECT_FALSE(open->IsShowing());
	PostKey(Visual(), "o", B_COMMAND_KEY);
	EXPECT_TRUE(open->IsShowing());
	open->Hide();
}


TEST_F(WWindowTest, SaveAsMovesThePageToTheNewFile)
{
	OpenContent(kPage);
	Page* page = CurrentPage();
	std::string original = ReadFile(fPath);

	// "New page…", then Cancel: the flag goes, and "Save page as…" acts on
	// this page.
	Send(Visual(), kMsgNewPage);
	EXPECT_TRUE(Visual()->newPageMode);
	EXPECT_TRUE(Visual()->pageSavePanel->IsShowing());
	Visual()->pageSavePanel->PressButton(B_CANCEL_BUTTON);
	Idle();
	EXPECT_FALSE(Visual()->newPageMode);

	Send(Visual(), kMsgSavePageAs);
	EXPECT_FALSE(Visual()->newPageMode);
	std::string other = fDirectory + "/other.html";
	WriteFile(other, "old content that goes");
	SavePanelReply(Visual(), fDirectory, "other.html");

	EXPECT_STREQ(page->path, other.c_str());
	EXPECT_EQ(std::string(Visual()->Title()), "Quillora: Visual - " + other);
	EXPECT_EQ(std::string(page->htmlWindow->Title()),
		"Quillora HTML: Visual - " + other);
	EXPECT_EQ(ReadFile(other), GeneratedDocument(page));
	EXPECT_TRUE(page->IsSaved());
	// The old file is left as it was.
	EXPECT_EQ(ReadFile(fPath), original);

	// A folder that cannot be written to: the page keeps file and path.
	SavePanelReply(Visual(), fDirectory + "/other.html", "below-a-file.html");
	ASSERT_EQ(fAlerts.CountAlerts(), 1);
	EXPECT_EQ(fAlerts.TextAt(0), "Could not save it to that file");
	EXPECT_STREQ(page->path, other.c_str());
}


TEST_F(WWindowTest, NewPageCreatesAnEmptyFileAndLeavesThisPage)
{
	OpenContent(kPage);
	Page* page = CurrentPage();
	std::string fresh = fDirectory + "/fresh.html";
	WriteFile(fresh, "erased");

	Send(Visual(), kMsgNewPage);
	SavePanelReply(Visual(), fDirectory, "fresh.html");
	EXPECT_TRUE(FileExists(fresh));
	EXPECT_EQ(ReadFile(fresh), "");
	EXPECT_FALSE(Visual()->newPageMode);
	EXPECT_STREQ(page->path, fPath.c_str());
	EXPECT_EQ(CurrentPage(), page);
}


TEST_F(WWindowTest, ClosingWindowsHidesThemUntilTheLastOne)
{
	OpenContent(kPage);
	Page* page = CurrentPage();
	HWindow* html = page->htmlWindow;

	// With the HTML editor shown, closing the visual window only hides it.
	Send(Visual(), kMsgShowOther);
	EXPECT_FALSE(html->IsHidden());
	Send(Visual(), B_QUIT_REQUESTED);
	EXPECT_TRUE(Visual()->IsHidden());
	EXPECT_EQ(CurrentPage(), page);

	// "Show Visual editor" brings it back; closing the HTML window hides it.
	Send(html, kMsgShowOther);
	EXPECT_FALSE(Visual()->IsHidden());
	Send(html, B_QUIT_REQUESTED);
	EXPECT_TRUE(html->IsHidden());
	EXPECT_EQ(CurrentPage(), page);

	// The last visible window closes the page; with one page that is the
	// end of the program, asked about the unsaved change (Cancel keeps it).
	page->NotSaved();
	fAlerts.AnswerWithLabel("Cancel");
	Send(Visual(), B_QUIT_REQUESTED);
	ASSERT_EQ(fAlerts.CountAlerts(), 1);
	EXPECT_EQ(CurrentPage(), page);

	fAlerts.AnswerWithLabel("Don't Save");
	Send(Visual(), kMsgClose);
	EXPECT_EQ(fAlerts.CountAlerts(), 2);
	EXPECT_EQ(CurrentPage(), nullptr);
}


TEST_F(WWindowTest, ApplicationCommands)
{
	OpenContent(kPage);
	Page* page = CurrentPage();

	// 'qpag' for an empty slot, outside the registry or without an index
	// does nothing.
	BMessage empty(kMsgQuitPage);
	empty.AddInt32("pagesindex", 3);
	fApplication->PostMessage(&empty);
	BMessage outside(kMsgQuitPage);
	outside.AddInt32("pagesindex", 512);
	fApplication->PostMessage(&outside);
	Send(fApplication, kMsgQuitPage);
	EXPECT_EQ(CurrentPage(), page);

	// Unknown codes and 'dlt ' are ignored.
	Send(Visual(), kMsgDelete);
	Send(Visual(), 'zzzz');
	EXPECT_EQ(CurrentPage(), page);
	EXPECT_EQ(fAlerts.CountAlerts(), 0);

	// "Reload" reads the file again and drops the change.
	page->SetColors(3, 0, 0, 0, 255);
	page->NotSaved();
	Send(Visual(), kMsgReload);
	EXPECT_TRUE(page->IsSaved());

	// "About" shows the About window with its picture.
	int32 windows = fApplication->CountWindows();
	Send(Visual(), kMsgAbout);
	EXPECT_EQ(fApplication->CountWindows(), windows + 1);
	EXPECT_EQ(fAlerts.CountAlerts(), 0);

	// With two pages, "Close" closes only its own; "Exit" asks every page.
	// A second page slot is filled the way a second page would be.
	std::string secondPath = fDirectory + "/second.html";
	WriteFile(secondPath, kPage);
	Page* second = new Page(&secondPath[0], 1);
	fApplication->pages[1] = second;
	Idle();
	Send(second->visualWindow, kMsgClose);
	EXPECT_EQ(fApplication->pages[1], nullptr);
	EXPECT_EQ(CurrentPage(), page);

	page->NotSaved();
	fAlerts.AnswerWithLabel("Cancel");
	Send(Visual(), kMsgExit);
	EXPECT_EQ(CurrentPage(), page);
	EXPECT_EQ(fAlerts.CountAlerts(), 1);
}


namespace {

// Answers the forced quit's questions and writes each one down in a file,
// since the process ends inside the forced quit.
class LoggingResponder : public BRecordingAlertResponder {
public:
	explicit LoggingResponder(const std::string& log) : fLog(log) {}

	int32 Respond(const char* title, const char* text,
		const char* const buttons[3], int32 count) override
	{
		std::ofstream out(fLog, std::ios::app);
		out << title << "|" << text << "|";
		for (int32 i = 0; i < count; i++)
			out << buttons[i] << (i + 1 < count ? "," : "");
		out << "\n---\n";
		out.close();
		return BRecordingAlertResponder::Respond(title, text, buttons, count);
	}

private:
	std::string fLog;
};


void
ForceQuitAnswering(BApplication* application, const std::string& log)
{
	LoggingResponder responder(log);
	responder.AnswerWithLabel("Save");
	responder.AnswerWithLabel("Don't Save");
	BAlert::SetResponder(&responder);
	application->PostMessage(kMsgForceQuit);
	BPrivate::dispatch_until_idle();
	// The forced quit ends the process; getting here is a fault.
	_exit(3);
}

}	// namespace


TEST_F(WWindowTest, ForcedQuitOffersToSaveUnsavedPagesAndEnds)
{
	// The child process must share this test's files.
	GTEST_FLAG_SET(death_test_style, "fast");
	OpenContent(kPage);
	Page* page = CurrentPage();
	std::string secondPath = fDirectory + "/second.html";
	std::string thirdPath = fDirectory + "/third.html";
	WriteFile(secondPath, kPage);
	WriteFile(thirdPath, kPage);
	Page* second = new Page(&secondPath[0], 1);
	fApplication->pages[1] = second;
	Page* third = new Page(&thirdPath[0], 2);
	fApplication->pages[2] = third;
	Idle();

	// The first and the third are changed; the second is saved and is not
	// asked about.
	page->SetColors(1, 255, 0, 0, 255);
	page->NotSaved();
	third->SetColors(1, 0, 255, 0, 255);
	third->NotSaved();

	std::string log = fDirectory + "/alerts.log";
	EXPECT_EXIT(ForceQuitAnswering(fApplication, log),
		testing::ExitedWithCode(0), "");

	std::string expected;
	for (const std::string& path : { fPath, thirdPath }) {
		expected += "Alert|Closing ...\nSave changes to the document \""
			+ path + "\"?|Don't Save,Save\n---\n";
	}
	EXPECT_EQ(ReadFile(log), expected);
	// "Save" wrote the first page; "Don't Save" left the third alone.
	EXPECT_NE(ReadFile(fPath).find("TEXT=\"#FF0000\""), std::string::npos);
	EXPECT_EQ(ReadFile(thirdPath), kPage);
	EXPECT_EQ(ReadFile(secondPath), kPage);
}


TEST_F(WWindowTest, StartWithoutPathOpensTheStartPage)
{
	fApplication = new WApplication(nullptr);
	StartLooper();
	Page* page = CurrentPage();
	ASSERT_NE(page, nullptr);
	// The start page comes from the running program's own folder (the
	// settings file names the source tree, which does not count).
	ASSERT_FALSE(RunningProgramFolder().empty());
	EXPECT_EQ(std::string(page->path),
		RunningProgramFolder() + "Documentation/StartUp.html");
	EXPECT_STREQ(page->title, "Welcome to Quillora");
	EXPECT_EQ(fAlerts.CountAlerts(), 0) << fAlerts.LastText();
}


TEST_F(WWindowTest, StartPathIsMadeAbsolute)
{
	char previous[4096];
	ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
	mkdir((fDirectory + "/sub").c_str(), 0755);
	WriteFile(fDirectory + "/page.html", kPage);
	symlink((fDirectory + "/page.html").c_str(),
		(fDirectory + "/sub/link.html").c_str());
	ASSERT_EQ(chdir((fDirectory + "/sub").c_str()), 0);

	EXPECT_EQ(resolve_page_path("../page.html"), fDirectory + "/page.html");
	// A page that is not there yet is still placed in its folder.
	EXPECT_EQ(resolve_page_path("new.html"), fDirectory + "/sub/new.html");
	// A link opens the page it leads to.
	EXPECT_EQ(resolve_page_path("link.html"), fDirectory + "/page.html");
	// What cannot be resolved is used as given.
	EXPECT_EQ(resolve_page_path("no/such/folder/x.html"),
		"no/such/folder/x.html");

	Open(resolve_page_path("../page.html"));
	EXPECT_EQ(std::string(Visual()->Title()),
		"Quillora: Visual - " + fDirectory + "/page.html");
	ASSERT_EQ(chdir(previous), 0);
}


// "Preview" and "Help" really start the user's browser on the page and on
// the help page; when the only handler the desktop knows for HTML pages is
// this program, nothing is started and the missing browser is reported.
TEST_F(WWindowTest, PreviewAndHelpStartTheUsersBrowser)
{
	TempFolder desktop("desktop");
	ScopedEnv env;
	env.Set("XDG_CONFIG_DIRS", desktop / "etc");
	env.Set("XDG_DATA_DIRS", desktop / "share");
	env.Set("PATH", desktop / "bin");
	env.Unset("XDG_CURRENT_DESKTOP");
	mkdir((desktop / "bin").c_str(), 0755);
	std::string record = desktop / "browser.args";
	std::string browser = desktop / "bin/browser";
	WriteFile(browser, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + record
		+ ".new'\n/bin/mv '" + record + ".new' '" + record + "'\n");
	chmod(browser.c_str(), 0755);
	env.Set("BROWSER", "browser --new-tab %s");
	auto recorded = [&record]() {
		std::string text;
		for (int i = 0; i < 200 && text.empty(); i++) {
			text = ReadFile(record);
			if (text.empty())
				snooze(20000);
		}
		unlink(record.c_str());
		return text;
	};

	OpenContent(kPage);
	Page* page = CurrentPage();
	page->SetColors(1, 255, 0, 0, 255);
	page->NotSaved();
	Send(Visual(), kMsgPreview);
	EXPECT_EQ("--new-tab\nfile://" + fPath + "\n", recorded());
	// The page was saved before it was shown.
	EXPECT_TRUE(page->IsSaved());
	EXPECT_NE(ReadFile(fPath).find("TEXT=\"#FF0000\""), std::string::npos);

	Send(Visual(), kMsgHelp);
	EXPECT_EQ(std::string("--new-tab\nfile://")
		+ Config::Current()->applicationDirectory
		+ "Documentation/index.html\n", recorded());
	EXPECT_EQ(fAlerts.CountAlerts(), 0);

	// No browser of the user's; xdg-open would hand the page to this
	// program, which declares HTML pages as its own.
	env.Unset("BROWSER");
	std::string launcher = desktop / "bin/xdg-open";
	ASSERT_EQ(rename(browser.c_str(), launcher.c_str()), 0);
	char* program = realpath("/proc/self/exe", nullptr);
	ASSERT_NE(program, nullptr);
	BFile self(program, B_READ_ONLY);
	free(program);
	ASSERT_EQ(self.InitCheck(), B_OK);
	BAppFileInfo info(&self);
	ASSERT_EQ(info.SetSupportedTypeList({ "text/html" }), B_OK);
	Send(Visual(), kMsgPreview);
	ASSERT_EQ(fAlerts.CountAlerts(), 1);
	EXPECT_EQ(fAlerts.TextAt(0),
		"You don't have NetPositive installed in /boot/beos/apps/");
	snooze(200000);
	EXPECT_FALSE(FileExists(record));

	// Without that declaration xdg-open is asked.
	ASSERT_EQ(info.SetSupportedTypeList({}), B_OK);
	Send(Visual(), kMsgPreview);
	EXPECT_EQ("file://" + fPath + "\n", recorded());
}


// The page save panel as the user works it: a name typed into its name field
// and Enter save the page there, as the Save button does.
TEST_F(WWindowTest, EnterInTheSavePanelsNameFieldSaves)
{
	OpenContent(kPage);
	Page* page = CurrentPage();
	Send(Visual(), kMsgSavePageAs);
	BFilePanel* panel = Visual()->pageSavePanel;
	ASSERT_TRUE(panel->IsShowing());
	panel->SetPanelDirectory(fDirectory.c_str());
	BWindow* window = panel->Window();
	ASSERT_TRUE(window->Lock());
	BTextControl* name = dynamic_cast<BTextControl*>(window->FindView("name"));
	ASSERT_NE(name, nullptr);
	EXPECT_EQ(window->CurrentFocus(), name->TextView());
	name->TextView()->SelectAll();
	window->Unlock();

	// Keys go where the host sends them: to the focus view of the panel.
	TypeKeys(window, "enter.htm");
	std::string saved = fDirectory + "/enter.htm";
	EXPECT_FALSE(FileExists(saved));
	TypeKeys(window, "\n");

	EXPECT_FALSE(panel->IsShowing());
	EXPECT_STREQ(page->path, saved.c_str());
	EXPECT_EQ(ReadFile(saved), GeneratedDocument(page));
	EXPECT_EQ(std::string(Visual()->Title()), "Quillora: Visual - " + saved);
	EXPECT_EQ(fAlerts.CountAlerts(), 0);
}


TEST_F(WWindowTest, ImagePanelInsertsThePictureAtTheCaret)
{
	const std::string images = QUILLORA_TEST_DATA "/images";
	OpenContent("<BODY>Before after</BODY>");
	for (const char* name : { "pic50x40.gif", "pic16x12.png" })
		WriteFile(fDirectory + "/" + name, ReadFile(images + "/" + name));
	WriteFile(fDirectory + "/Photo.JPG", ReadFile(images + "/pic32x20.jpg"));
	WriteFile(fDirectory + "/notes.txt", "not a picture");
	ASSERT_NE(PlaceCaret("Before after", 7), nullptr);

	// Alt+I is italic; Alt+Control+I opens the panel, which lists the
	// pictures the page can show, PNG and upper-case names included.
	ExtensionsFilePanel* panel = Visual()->imagePanel;
	PostKey(Visual(), "i", B_COMMAND_KEY | B_CONTROL_KEY);
	ASSERT_TRUE(panel->IsShowing());
	panel->SetPanelDirectory(fDirectory.c_str());
	std::set<std::string> shown;
	for (int32 i = 0; i < panel->CountShownEntries(); i++)
		shown.insert(panel->ShownEntryAt(i));
	EXPECT_EQ(shown.count("pic50x40.gif") + shown.count("pic16x12.png")
		+ shown.count("Photo.JPG"), 3u);
	EXPECT_EQ(shown.count("notes.txt"), 0u);
	EXPECT_EQ(shown.count("page.html"), 0u);

	ASSERT_TRUE(panel->SelectEntry("pic50x40.gif"));
	panel->PressButton(B_DEFAULT_BUTTON);
	Idle();
	EXPECT_FALSE(panel->IsShowing());
	Page* page = CurrentPage();
	std::string html = GeneratedDocument(page);
	EXPECT_NE(html.find("Before <IMG SRC=\"pic50x40.gif\" ALT=\"pic50x40.gif\" "
		"WIDTH=\"50\" HEIGHT=\"40\" BORDER=\"0\">after"), std::string::npos)
		<< html;
	EXPECT_TRUE(SaveItem(Visual()->menuBar)->IsEnabled());
	EXPECT_EQ(fAlerts.CountAlerts(), 0) << fAlerts.LastText();
}
