/*
 * The HTML editor window: its menus, keys, the updates between the two
 * editors and the commands it shares with the visual window.
 */
#include "ProgramFixture.h"
#include "ProgramRun.h"

#include <Clipboard.h>
#include <InterfaceDefs.h>

#include <algorithm>

#include "ChainDump.h"
#include "ExtensionsFilePanel.h"
#include "WYSIWYG_Engine.h"

using namespace quillora_test;

namespace {

const char* kPage = "<TITLE>Source</TITLE>\r\n<BODY>\r\n<P>First line</P>\r\n"
	"</BODY>\r\n";

class HWindowTest : public ProgramTest {
protected:
	HWindow* Html() { return CurrentPage()->htmlWindow; }
	HTML_View* View() { return Html()->htmlView; }

	void ShowAndFocus()
	{
		Html()->Show();
		Idle();
		ASSERT_TRUE(Html()->Lock());
		View()->MakeFocus(true);
		Html()->Unlock();
	}

	void Key(const char* bytes, uint32 keyModifiers = 0)
	{
		PostKey(Html(), bytes, keyModifiers);
	}
};

}	// namespace


TEST_F(HWindowTest, MenusAndStartState)
{
	OpenContent(kPage);
	BMenuBar* bar = Html()->menuBar;
	ASSERT_EQ(bar->CountItems(), 3);
	EXPECT_STREQ(bar->SubmenuAt(0)->Name(), "File");
	EXPECT_EQ(bar->SubmenuAt(0)->CountItems(), 14);
	EXPECT_STREQ(bar->SubmenuAt(1)->Name(), "Edit");
	EXPECT_EQ(bar->SubmenuAt(1)->CountItems(), 10);
	EXPECT_STREQ(bar->SubmenuAt(2)->Name(), "Visual editor");
	EXPECT_EQ(bar->SubmenuAt(2)->CountItems(), 2);
	EXPECT_STREQ(bar->FindItem(kMsgPreview)->Label(), "Preview this HTML");
	EXPECT_STREQ(bar->FindItem(kMsgUpdate)->Label(), "Update from Visual");
	EXPECT_EQ(bar->FindItem(kMsgSavePage)->Shortcut(), 'S');
	EXPECT_EQ(bar->FindItem(kMsgFindAgain)->Shortcut(), 'G');

	// The file's text with line feeds, the window hidden, its view in the
	// named scroll view.
	EXPECT_EQ(std::string(View()->Text()),
		"<TITLE>Source</TITLE>\n<BODY>\n<P>First line</P>\n</BODY>\n");
	EXPECT_TRUE(Html()->IsHidden());
	EXPECT_NE(Html()->FindView("HTML scroll view"), nullptr);
	EXPECT_EQ(Html()->engine, CurrentPage()->visualWindow->engine);
}


TEST_F(HWindowTest, KeysThatProduceBytesMarkThePageChanged)
{
	OpenContent(kPage);
	ShowAndFocus();
	BMenuItem* save = SaveItem(Html()->menuBar);
	EXPECT_FALSE(save->IsEnabled());

	// Even a cursor key counts as a change.
	char left[2] = { B_LEFT_ARROW, '\0' };
	Key(left);
	EXPECT_FALSE(CurrentPage()->IsSaved());
	EXPECT_TRUE(save->IsEnabled());
	EXPECT_TRUE(SaveItem(CurrentPage()->visualWindow->menuBar)->IsEnabled());

	// Typing goes into the text; Alt+S saves the text as it is.
	ASSERT_TRUE(Html()->Lock());
	View()->Select(0, 0);
	Html()->Unlock();
	Key("x");
	EXPECT_EQ(View()->Text()[0], 'x');
	Key("s", B_COMMAND_KEY);
	EXPECT_TRUE(CurrentPage()->IsSaved());
	EXPECT_EQ(ReadFile(fPath), "x<TITLE>Source</TITLE>\r\n<BODY>\r\n"
		"<P>First line</P>\r\n</BODY>\r\n");

	// An empty key event changes nothing.
	View()->KeyDown("", 0);
	EXPECT_TRUE(CurrentPage()->IsSaved());
}


TEST_F(HWindowTest, InsertKeyCopiesAndPastes)
{
	OpenContent(kPage);
	ShowAndFocus();
	ASSERT_TRUE(Html()->Lock());
	View()->Select(1, 6);	// "TITLE"
	Html()->Unlock();
	char insert[2] = { B_INSERT, '\0' };
	Key(insert, B_CONTROL_KEY);
	std::string before = View()->Text();
	EXPECT_EQ(before.find("TITLE"), 1u);

	ASSERT_TRUE(Html()->Lock());
	View()->Select(0, 0);
	Html()->Unlock();
	Key(insert, B_SHIFT_KEY);
	EXPECT_EQ(std::string(View()->Text()), "TITLE" + before);
}


TEST_F(HWindowTest, UpdatesBetweenTheEditors)
{
	OpenContent(kPage);
	Page* page = CurrentPage();

	// "Update from Visual" replaces even an edited text with the generated
	// document, in line feeds, and leaves the saved state alone.
	View()->SetText("edited away");
	Send(Html(), kMsgUpdate);
	EXPECT_EQ(std::string(View()->Text()),
		WithLineFeeds(GeneratedDocument(page)));
	EXPECT_TRUE(page->IsSaved());

	// "Update from HTML" on that text builds the page again: the same
	// elements (the generated line ends add blanks at the edges of texts,
	// once), and after one more round trip exactly the same chain.
	std::string chain = DumpChain(page->visualWindow->engine);
	Send(page->visualWindow, kMsgUpdate);
	std::string rebuilt = DumpChain(page->visualWindow->engine);
	EXPECT_EQ(std::count(rebuilt.begin(), rebuilt.end(), '\n'),
		std::count(chain.begin(), chain.end(), '\n'));
	EXPECT_NE(rebuilt.find("First line"), std::string::npos);
	EXPECT_FALSE(page->IsSaved());
	Send(Html(), kMsgUpdate);
	Send(page->visualWindow, kMsgUpdate);
	EXPECT_EQ(DumpChain(page->visualWindow->engine), rebuilt);

	// "Reload" drops the edits of either side without a question.
	View()->SetText("<BODY>gone</BODY>");
	Send(Html(), kMsgReload);
	EXPECT_TRUE(page->IsSaved());
	EXPECT_EQ(std::string(View()->Text()).find("gone"), std::string::npos);
	EXPECT_EQ(fAlerts.CountAlerts(), 0);
}


TEST_F(HWindowTest, NewAndOpenGoThroughTheVisualWindowsPanels)
{
	OpenContent(kPage);
	WWindow* visual = CurrentPage()->visualWindow;
	Send(Html(), kMsgNewPage);
	EXPECT_TRUE(visual->newPageMode);
	EXPECT_TRUE(visual->pageSavePanel->IsShowing());
	visual->pageSavePanel->Hide();

	Send(Html(), kMsgOpenPage);
	EXPECT_FALSE(visual->newPageMode);
	EXPECT_TRUE(fApplication->openPanel->IsShowing());
	fApplication->openPanel->Hide();

	// "Close" asks the application to close the page.
	Send(Html(), kMsgClose);
	EXPECT_EQ(CurrentPage(), nullptr);
}


TEST_F(HWindowTest, ClosingItAsTheLastVisibleWindowClosesThePage)
{
	OpenContent(kPage);
	Page* page = CurrentPage();
	WWindow* visual = page->visualWindow;
	Html()->Show();
	Idle();
	// The visual window goes first: only hidden, the HTML editor is shown.
	Send(visual, B_QUIT_REQUESTED);
	ASSERT_TRUE(visual->IsHidden());
	EXPECT_EQ(CurrentPage(), page);

	// Now the HTML editor is the last visible window: closing it closes the
	// page, asking about the change first; Cancel keeps everything.
	page->NotSaved();
	fAlerts.AnswerWithLabel("Cancel");
	Send(Html(), B_QUIT_REQUESTED);
	ASSERT_EQ(fAlerts.CountAlerts(), 1);
	EXPECT_EQ(CurrentPage(), page);
	EXPECT_FALSE(Html()->IsHidden());

	fAlerts.AnswerWithLabel("Don't Save");
	Send(Html(), B_QUIT_REQUESTED);
	EXPECT_EQ(fAlerts.CountAlerts(), 2);
	EXPECT_EQ(CurrentPage(), nullptr);
}
