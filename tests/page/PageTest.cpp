/*
 * The page's life: opening, titles, the saved state and the "save" items,
 * saving (and failing to), closing with the question, updates, colours,
 * background and fonts.
 */
#include "ProgramFixture.h"

#include <Font.h>
#include <GraphicsDefs.h>

#include "FileSizeLimit.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

using namespace quillora_test;

namespace {

const char* kSimplePage = "<HTML><HEAD><TITLE>Simple</TITLE></HEAD>\r\n"
	"<BODY><P>Hello <B>big</B> world</P></BODY></HTML>\r\n";

class PageTest : public ProgramTest {
};

}	// namespace


TEST_F(PageTest, OpensMissingFileAsEmptyPageAndSetsTitles)
{
	std::string path = fDirectory + "/new.html";
	Open(path);
	Page* page = CurrentPage();
	ASSERT_NE(page, nullptr);
	EXPECT_TRUE(FileExists(path));
	EXPECT_EQ(ReadFile(path), "");
	EXPECT_TRUE(page->IsSaved());
	EXPECT_EQ(page->htmlWindow->htmlView->TextLength(), 0);
	EXPECT_EQ(fAlerts.CountAlerts(), 0);

	// Without a title the prefix runs straight into " - ".
	EXPECT_EQ(std::string(page->visualWindow->Title()),
		"Quillora:  - " + path);
	EXPECT_EQ(std::string(page->htmlWindow->Title()),
		"Quillora HTML:  - " + path);

	// The visual window shows, the HTML editor starts hidden.
	EXPECT_FALSE(page->visualWindow->IsHidden());
	EXPECT_TRUE(page->htmlWindow->IsHidden());

	OpenContent(kSimplePage, "titled.html");
	EXPECT_EQ(std::string(CurrentPage()->visualWindow->Title()),
		"Quillora: Simple - " + fDirectory + "/titled.html");
}


TEST_F(PageTest, PageFileThatCannotBeOpenedIsReported)
{
	// A folder that is not there: the file cannot be created.
	std::string path = fDirectory + "/no/such/folder/page.html";
	Open(path);
	Page* page = CurrentPage();
	ASSERT_NE(page, nullptr);
	ASSERT_EQ(fAlerts.CountAlerts(), 1);
	EXPECT_EQ(fAlerts.TextAt(0), "Could not open page file");
	EXPECT_EQ(fAlerts.TitleAt(0), "Alert");
	EXPECT_FALSE(FileExists(path));

	// The page stays open in its windows, with an empty HTML editor.
	EXPECT_FALSE(page->visualWindow->IsHidden());
	EXPECT_EQ(page->htmlWindow->htmlView->TextLength(), 0);
	EXPECT_EQ(std::string(page->visualWindow->Title()),
		"Quillora:  - " + path);
	EXPECT_TRUE(page->IsSaved());

	// Saving there fails the same way and leaves the page not saved.
	page->NotSaved();
	EXPECT_FALSE(page->Save());
	EXPECT_FALSE(page->IsSaved());
	EXPECT_EQ(fAlerts.CountAlerts(), 2);
}


TEST_F(PageTest, SaveItemsAreEnabledExactlyWhileNotSaved)
{
	OpenContent(kSimplePage);
	Page* page = CurrentPage();
	BMenuItem* visualItem = SaveItem(page->visualWindow->menuBar);
	BMenuItem* htmlItem = SaveItem(page->htmlWindow->menuBar);
	ASSERT_NE(visualItem, nullptr);
	ASSERT_NE(htmlItem, nullptr);
	EXPECT_STREQ(visualItem->Label(), "Save page");
	EXPECT_STREQ(htmlItem->Label(), "Save this HTML");

	// After loading: saved.
	EXPECT_FALSE(visualItem->IsEnabled());
	EXPECT_FALSE(htmlItem->IsEnabled());

	page->NotSaved();
	EXPECT_FALSE(page->IsSaved());
	EXPECT_TRUE(visualItem->IsEnabled());
	EXPECT_TRUE(htmlItem->IsEnabled());
	page->NotSaved();
	EXPECT_TRUE(visualItem->IsEnabled());

	ASSERT_TRUE(page->Save());
	EXPECT_TRUE(page->IsSaved());
	EXPECT_FALSE(visualItem->IsEnabled());
	EXPECT_FALSE(htmlItem->IsEnabled());

	// "Update from HTML" leaves the page not saved even with the same text.
	page->Update(false);
	EXPECT_FALSE(page->IsSaved());
	EXPECT_TRUE(visualItem->IsEnabled());
}


TEST_F(PageTest, SaveWritesTheGeneratedDocumentInPlace)
{
	OpenContent(kSimplePage);
	Page* page = CurrentPage();
	chmod(fPath.c_str(), 0640);
	page->NotSaved();
	ASSERT_TRUE(page->Save());

	struct stat st;
	ASSERT_EQ(stat(fPath.c_str(), &st), 0);
	EXPECT_EQ(st.st_mode & 0777, 0640u);

	// An administrator saving someone else's page leaves it theirs.
	if (geteuid() == 0) {
		ASSERT_EQ(chown(fPath.c_str(), 65534, 65534), 0);
		page->NotSaved();
		ASSERT_TRUE(page->Save());
		ASSERT_EQ(stat(fPath.c_str(), &st), 0);
		EXPECT_EQ(st.st_uid, 65534u);
		EXPECT_EQ(st.st_gid, 65534u);
		EXPECT_EQ(st.st_mode & 0777, 0640u);
	}
	std::string generated = GeneratedDocument(page);
	EXPECT_EQ(ReadFile(fPath), generated);
	EXPECT_NE(generated.find("<TITLE>Simple</TITLE>\r\n"), std::string::npos);
	// Nothing but the page is left in its folder.
	EXPECT_EQ(ListDirectory(fDirectory), std::vector<std::string>{"page.html"});

	// Lines far longer than any line buffer reach the file whole.
	std::string longTitle(5000, 't');
	delete[] page->title;
	page->title = newtext(longTitle.c_str());
	page->NotSaved();
	ASSERT_TRUE(page->Save());
	EXPECT_NE(ReadFile(fPath).find("<TITLE>" + longTitle + "</TITLE>\r\n"),
		std::string::npos);
	delete[] page->title;
	page->title = newtext("Simple");
	ASSERT_TRUE(page->Save());

	// The page file object follows the new file: "Reload" reads what was
	// saved.
	page->Update(true);
	EXPECT_TRUE(page->IsSaved());
	EXPECT_STREQ(page->title, "Simple");
}


TEST_F(PageTest, FailedSaveKeepsTheOldFileAndThePage)
{
	OpenContent(kSimplePage);
	Page* page = CurrentPage();
	std::string before = ReadFile(fPath);
	page->NotSaved();

	{
		// The generated document is longer than this.
		FileSizeLimit limit(64);
		EXPECT_FALSE(page->Save());
	}
	EXPECT_EQ(ReadFile(fPath), before);
	EXPECT_FALSE(page->IsSaved());
	EXPECT_TRUE(SaveItem(page->visualWindow->menuBar)->IsEnabled());
	ASSERT_EQ(fAlerts.CountAlerts(), 1);
	EXPECT_EQ(fAlerts.TextAt(0).rfind("Could not save the page file \"" + fPath
		+ "\"", 0), 0u) << fAlerts.TextAt(0);
	// No half-written temporary file stays behind.
	EXPECT_EQ(ListDirectory(fDirectory), std::vector<std::string>{"page.html"});

	// Where the page's folder is gone the save fails the same way. (A
	// folder that only takes no new file gets the page written in place:
	// SaveInPlaceTest.)
	std::string moved = fDirectory + "-moved";
	ASSERT_EQ(rename(fDirectory.c_str(), moved.c_str()), 0);
	EXPECT_FALSE(page->Save());
	EXPECT_FALSE(page->IsSaved());
	ASSERT_EQ(rename(moved.c_str(), fDirectory.c_str()), 0);
	EXPECT_EQ(ReadFile(fPath), before);

	// Once writing works again the same page saves.
	EXPECT_TRUE(page->Save());
	EXPECT_TRUE(page->IsSaved());
}


TEST_F(PageTest, PageFileWithoutWritePermissionIsNotReplaced)
{
	OpenContent(kSimplePage);
	Page* page = CurrentPage();
	std::string before = ReadFile(fPath);
	// The folder would take a new file; the page file itself may not be
	// written.
	chmod(fDirectory.c_str(), 0777);
	chmod(fPath.c_str(), 0444);
	page->SetColors(1, 255, 0, 0, 255);
	page->NotSaved();

	// Root may write anything; the save runs as an ordinary user.
	bool dropped = geteuid() == 0;
	if (dropped) {
		ASSERT_EQ(seteuid(65534), 0);
	}
	bool saved = page->Save();
	bool savedHTML = page->SaveHTML();
	if (dropped) {
		ASSERT_EQ(seteuid(0), 0);
	}

	EXPECT_FALSE(saved);
	EXPECT_FALSE(savedHTML);
	EXPECT_EQ(ReadFile(fPath), before);
	struct stat st;
	ASSERT_EQ(stat(fPath.c_str(), &st), 0);
	EXPECT_EQ(st.st_mode & 0777, 0444u);
	EXPECT_FALSE(page->IsSaved());
	ASSERT_EQ(fAlerts.CountAlerts(), 2);
	EXPECT_EQ(fAlerts.TextAt(0), "Could not save the page file \"" + fPath
		+ "\": " + strerror_status(B_PERMISSION_DENIED));
	EXPECT_EQ(ListDirectory(fDirectory), std::vector<std::string>{"page.html"});
}


TEST_F(PageTest, SaveThroughALinkReplacesTheFileItLeadsTo)
{
	std::string target = fDirectory + "/real.html";
	WriteFile(target, kSimplePage);
	std::string link = fDirectory + "/link.html";
	ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
	Open(link);
	Page* page = CurrentPage();
	page->NotSaved();
	ASSERT_TRUE(page->Save());

	struct stat st;
	ASSERT_EQ(lstat(link.c_str(), &st), 0);
	EXPECT_TRUE(S_ISLNK(st.st_mode));
	EXPECT_EQ(ReadFile(target), GeneratedDocument(page));
}


TEST_F(PageTest, SaveHTMLWritesTheEditorTextWithCRLF)
{
	OpenContent("<BODY>a\r\nb\rc\n</BODY>");
	Page* page = CurrentPage();
	HTML_View* view = page->htmlWindow->htmlView;
	// Loaded with line feeds; the lone CR stays.
	EXPECT_EQ(std::string(view->Text()), "<BODY>a\nb\rc\n</BODY>");
	page->NotSaved();
	ASSERT_TRUE(page->SaveHTML());
	EXPECT_EQ(ReadFile(fPath), "<BODY>a\r\nb\rc\r\n</BODY>");
	EXPECT_TRUE(page->IsSaved());
}


TEST_F(PageTest, QuitAsksAboutUnsavedChanges)
{
	// A saved page goes without a question (the test takes it out of the
	// registry, as the application does before it asks).
	OpenContent(kSimplePage);
	std::string before = ReadFile(fPath);
	Page* page = fApplication->pages[0];
	fApplication->pages[0] = nullptr;
	EXPECT_TRUE(page->Quit());
	EXPECT_EQ(fAlerts.CountAlerts(), 0);

	// Cancel keeps the page.
	OpenContent(kSimplePage);
	page = CurrentPage();
	page->NotSaved();
	fAlerts.AnswerWithLabel("Cancel");
	EXPECT_FALSE(page->Quit());
	ASSERT_EQ(fAlerts.CountAlerts(), 1);
	EXPECT_EQ(fAlerts.TextAt(0),
		"Save changes to the document \"" + fPath + "\"?");
	EXPECT_EQ(fAlerts.ButtonsAt(0),
		(std::vector<std::string>{"Cancel", "Don't Save", "Save"}));
	EXPECT_EQ(fAlerts.TitleAt(0), "Alert");
	EXPECT_FALSE(page->IsSaved());

	// Don't Save closes without writing.
	page->NotSaved();
	page->SetColors(1, 255, 0, 0, 255);
	fAlerts.AnswerWithLabel("Don't Save");
	fApplication->pages[0] = nullptr;
	EXPECT_TRUE(page->Quit());
	EXPECT_EQ(ReadFile(fPath), before);

	// Save writes, then closes.
	OpenContent(kSimplePage);
	page = CurrentPage();
	page->SetColors(1, 255, 0, 0, 255);
	page->NotSaved();
	fAlerts.AnswerWithLabel("Save");
	fApplication->pages[0] = nullptr;
	EXPECT_TRUE(page->Quit());
	EXPECT_NE(ReadFile(fPath).find("TEXT=\"#FF0000\""), std::string::npos);

	// Save that fails keeps the page open and the old file whole.
	OpenContent(kSimplePage);
	page = CurrentPage();
	before = ReadFile(fPath);
	page->NotSaved();
	fAlerts.Clear();
	fAlerts.AnswerWithLabel("Save");
	{
		FileSizeLimit limit(64);
		EXPECT_FALSE(page->Quit());
	}
	EXPECT_EQ(fAlerts.CountAlerts(), 2);
	EXPECT_EQ(ReadFile(fPath), before);
	EXPECT_EQ(CurrentPage(), page);
	EXPECT_FALSE(page->IsSaved());
}


TEST_F(PageTest, ReloadDiscardsEditsAndUpdateRebuildsFromTheEditor)
{
	OpenContent(kSimplePage);
	Page* page = CurrentPage();
	HTML_View* view = page->htmlWindow->htmlView;

	std::string edited = "<TITLE>Edited</TITLE><BODY BGCOLOR=\"#102030\">"
		"<P>Other</P></BODY>";
	view->SetText(edited.c_str());
	page->NotSaved();
	page->Update(false);
	EXPECT_STREQ(page->title, "Edited");
	EXPECT_EQ(page->backgroundColor->red, 0x10);
	EXPECT_EQ(page->backgroundColor->blue, 0x30);
	EXPECT_FALSE(page->IsSaved());
	EXPECT_EQ(std::string(page->visualWindow->Title()),
		"Quillora: Edited - " + fPath);

	// Reload reads the file again without a question; colours the file does
	// not set stay as they were.
	page->Update(true);
	EXPECT_TRUE(page->IsSaved());
	EXPECT_STREQ(page->title, "Simple");
	EXPECT_EQ(std::string(view->Text()).find("Other"), std::string::npos);
	EXPECT_EQ(page->backgroundColor->red, 0x10);
	EXPECT_EQ(fAlerts.CountAlerts(), 0);
}


TEST_F(PageTest, BackgroundAndColours)
{
	CopySamplePictures(fDirectory);
	std::string images = fDirectory + "/images";
	OpenContent(kSimplePage);
	Page* page = CurrentPage();

	page->SetBackground((char*)"images/tile.gif");
	EXPECT_STREQ(page->background, "images/tile.gif");
	EXPECT_EQ(fAlerts.CountAlerts(), 0) << fAlerts.LastText();

	page->SetBackground((char*)"");
	EXPECT_EQ(page->background, nullptr);
	EXPECT_EQ(fAlerts.CountAlerts(), 0);

	page->SetBackground((char*)"images/none.gif");
	EXPECT_EQ(page->background, nullptr);
	ASSERT_EQ(fAlerts.CountAlerts(), 1);
	EXPECT_EQ(fAlerts.TextAt(0), "Could not open the background image file: \""
		+ images + "/none.gif\"");

	// The background colour reaches the page view at once.
	page->SetColors(3, 1, 2, 3, 255);
	rgb_color color = page->visualWindow->engine->view->ViewColor();
	EXPECT_EQ(color.red, 1);
	EXPECT_EQ(color.green, 2);
	EXPECT_EQ(color.blue, 3);
	// An unknown colour number changes nothing.
	page->SetColors(7, 9, 9, 9, 255);
	EXPECT_EQ(page->textColor->red, 0);
	EXPECT_EQ(page->linkColor->blue, 255);
}


TEST_F(PageTest, FontsFollowTheSettings)
{
	OpenContent(kSimplePage);
	Page* page = CurrentPage();
	Config* config = Config::Current();
	ASSERT_NE(config, nullptr);
	float base = float(config->proportionalSize);

	font_family family;
	font_style style;
	page->plainFont->GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, config->proportionalFamily);
	page->boldItalicFont->GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(style, "Bold Italic");
	page->fixedFont->GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, config->fixedFamily);

	EXPECT_EQ(page->plainFont->Size(), base);
	EXPECT_EQ(page->smallFont->Size(), base - 2);
	EXPECT_EQ(page->bigItalicFont->Size(), base + 2);
	EXPECT_EQ(page->headingFonts[0]->Size(), base + 12);
	EXPECT_EQ(page->headingItalicFonts[5]->Size(), base - 2);
	EXPECT_EQ(page->fixedItalicFont->Size(), float(config->fixedSize));
	EXPECT_EQ(page->headingFonts[3]->Encoding(), B_ISO_8859_1);

	// A size change in the settings reaches the fonts on SetFonts().
	int32 old = config->proportionalSize;
	config->proportionalSize = 20;
	page->SetFonts();
	EXPECT_EQ(page->headingFonts[1]->Size(), 26.0f);
	config->proportionalSize = old;
	page->SetFonts();
}
