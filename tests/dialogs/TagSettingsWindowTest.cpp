/*
 * The tag settings window on a real page: a link's target and name and a
 * picture's alternate text, stored however the window is closed (Enter in
 * either field, the close box), a link's closing end editing its opening
 * end, the document written afterwards, the picture's pop-up menu opening
 * the window for the picture and its link, and no window at all where
 * there is nothing to edit.
 */
#include "ProgramFixture.h"

#include <Font.h>
#include <TextControl.h>
#include <TextView.h>
#include <WindowPrivate.h>

#include <functional>

#include "../kits/controls/ControlsTesting.h"
#include "Anchor.h"
#include "RTextControl.h"
#include "TAGSettingsWindow.h"
#include "WImage.h"
#include "WText.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

using namespace quillora_test;

namespace {

std::function<void(BWindow*)> sOnMenu;

void
menu_opened(BWindow* window, BMenu*, void*)
{
	if (sOnMenu)
		sOnMenu(window);
}


class TagSettingsTest : public ProgramTest {
protected:
	void SetUp() override
	{
		ProgramTest::SetUp();
		WriteFile(fDirectory + "/pic50x40.gif",
			ReadFile(QUILLORA_TEST_DATA "/images/pic50x40.gif"));
		BMenu::SetOpenHook(menu_opened, nullptr);
	}

	void TearDown() override
	{
		BMenu::SetOpenHook(nullptr, nullptr);
		sOnMenu = nullptr;
		ProgramTest::TearDown();
	}

	// The last tag settings window opened, or null.
	TAGSettingsWindow* TagWindow()
	{
		std::vector<TAGSettingsWindow*> windows = WindowsOf<TAGSettingsWindow>();
		return windows.empty() ? nullptr : windows.back();
	}

	int32 CountTagWindows()
	{
		return int32(WindowsOf<TAGSettingsWindow>().size());
	}

	// Opens the window as an opener does, from the visual window's thread.
	TAGSettingsWindow* OpenOn(WYSIWYG_Element* element)
	{
		WWindow* visual = CurrentPage()->visualWindow;
		EXPECT_TRUE(visual->Lock());
		TAGSettingsWindow* window = TAGSettingsWindow::Open(element);
		visual->Unlock();
		Idle();
		return window;
	}

	static void CloseBox(BWindow* window)
	{
		BPrivate::window_private(window)->HostCloseRequested();
		Idle();
	}

	std::string Body()
	{
		std::string html = GeneratedDocument(CurrentPage());
		size_t start = html.find("<BODY");
		start = html.find('>', start) + 1;
		return html.substr(start, html.find("</BODY>") - start);
	}

	// A secondary click on the view (a picture or a text) whose pop-up
	// menu is answered with `downs` presses of the down arrow (the first
	// one selects the first item) and Enter, or with none and Escape. The
	// menus opened count in fMenus.
	void PopUp(BView* view, int downs)
	{
		sOnMenu = [this, downs](BWindow* menu) {
			fMenus++;
			for (int i = 0; i < downs; i++)
				ControlsWindow::KeyTo(menu, "\x1f");
			ControlsWindow::KeyTo(menu, downs > 0 ? "\n" : "\x1b");
		};
		WWindow* visual = CurrentPage()->visualWindow;
		ASSERT_TRUE(visual->Lock());
		BMessage down = ControlsWindow::MouseMessage(visual, B_MOUSE_DOWN,
			view, BPoint(2, 2));
		BMessage up = ControlsWindow::MouseMessage(visual, B_MOUSE_UP,
			view, BPoint(2, 2));
		visual->Unlock();
		down.ReplaceInt32("buttons", B_SECONDARY_MOUSE_BUTTON);
		visual->PostMessage(&down);
		visual->PostMessage(&up);
		Idle();
		sOnMenu = nullptr;
	}

	int fMenus = 0;
};


const char* const kLinkPage =
	"<HTML><BODY><P>See <A HREF=\"old.html\" NAME=\"top\" TARGET=\"_blank\">"
	"the old page</A> and <A HREF=\"#top\">"
	"<IMG SRC=\"pic50x40.gif\" ALT=\"A picture\"></A>.</P></BODY></HTML>";

}	// namespace


TEST_F(TagSettingsTest, LinkStoresOnEnterInEitherField)
{
	OpenContent(kLinkPage);
	std::vector<Anchor*> anchors = Elements<Anchor>();
	ASSERT_EQ(4u, anchors.size());

	TAGSettingsWindow* window = OpenOn(anchors[0]);
	ASSERT_NE(nullptr, window);
	EXPECT_EQ(kTagSettingsLink, window->kind);
	EXPECT_EQ(anchors[0], window->element);
	ASSERT_NE(nullptr, window->secondControl);
	EXPECT_STREQ("Link to:", window->firstControl->Label());
	EXPECT_STREQ("old.html", window->firstControl->Text());
	EXPECT_STREQ("Link target name: #", window->secondControl->Label());
	EXPECT_STREQ("top", window->secondControl->Text());
	EXPECT_TRUE(window->firstControl->TextView()->IsFocus());

	// Tab goes to the name and does not close the window; Enter there
	// closes it and stores both fields.
	TypeInto(window, window->firstControl, "new.html\t");
	ASSERT_EQ(1, CountTagWindows());
	EXPECT_TRUE(window->secondControl->TextView()->IsFocus());
	EXPECT_STREQ("old.html", anchors[0]->LinkTo());
	TypeKeys(window, "chapter\n");
	EXPECT_EQ(0, CountTagWindows());
	EXPECT_STREQ("new.html", anchors[0]->LinkTo());
	EXPECT_STREQ("chapter", anchors[0]->Name());
	EXPECT_NE(std::string::npos, Body().find("See <A HREF=\"new.html\" "
		"NAME=\"chapter\" TARGET=\"_blank\">the old page</A> and "
		"<A HREF=\"#top\">")) << Body();

	// Enter in "Link to:" closes it too; an emptied name is written as
	// no NAME at all.
	window = OpenOn(anchors[0]);
	ASSERT_NE(nullptr, window);
	TypeInto(window, window->secondControl, "\x08");
	TypeInto(window, window->firstControl, "#chapter\n");
	EXPECT_EQ(0, CountTagWindows());
	EXPECT_STREQ("", anchors[0]->Name());
	EXPECT_NE(std::string::npos, Body().find("See <A HREF=\"#chapter\" "
		"TARGET=\"_blank\">the old page</A>")) << Body();
	EXPECT_EQ(0, fAlerts.CountAlerts()) << fAlerts.LastText();
}


TEST_F(TagSettingsTest, ClosingEndEditsTheOpeningEndAndTheCloseBoxStores)
{
	OpenContent(kLinkPage);
	std::vector<Anchor*> anchors = Elements<Anchor>();
	ASSERT_EQ(4u, anchors.size());
	ASSERT_FALSE(anchors[1]->OpenTAG());

	TAGSettingsWindow* window = OpenOn(anchors[1]);
	ASSERT_NE(nullptr, window);
	EXPECT_EQ(anchors[0], window->element);
	EXPECT_STREQ("old.html", window->firstControl->Text());

	// A quote typed into the target cannot end the value early.
	TypeInto(window, window->firstControl, "a \"b\".html");
	CloseBox(window);
	EXPECT_EQ(0, CountTagWindows());
	EXPECT_STREQ("a \"b\".html", anchors[0]->LinkTo());
	EXPECT_STREQ("top", anchors[0]->Name());
	EXPECT_EQ(nullptr, anchors[1]->LinkTo());
	EXPECT_NE(std::string::npos, Body().find("See <A HREF=\"a &quot;b&quot;.html\" "
		"NAME=\"top\" TARGET=\"_blank\">the old page</A> and"));

	// The page written to its file reads back with the new values.
	ASSERT_TRUE(CurrentPage()->Save());
	std::string saved = ReadFile(fPath);
	EXPECT_NE(std::string::npos, saved.find("<A HREF=\"a &quot;b&quot;.html\""
		" NAME=\"top\" TARGET=\"_blank\">the old page</A>"));
	EXPECT_EQ(0, fAlerts.CountAlerts()) << fAlerts.LastText();
}


TEST_F(TagSettingsTest, PictureStoresItsAlternateTextOnEnterAndOnTheCloseBox)
{
	OpenContent(kLinkPage);
	std::vector<WImage*> images = Elements<WImage>();
	ASSERT_EQ(1u, images.size());
	WImage* image = images[0];

	CurrentPage()->Saved();
	TAGSettingsWindow* window = OpenOn(image);
	ASSERT_NE(nullptr, window);
	EXPECT_STREQ("TAG settings window", window->Title());
	EXPECT_EQ(BRect(80, 100, 550, 157), window->Frame());
	EXPECT_TRUE(window->IsModal());
	// Opening the window is a change of the page.
	EXPECT_FALSE(CurrentPage()->IsSaved());
	EXPECT_EQ(image, window->element);
	EXPECT_EQ(kTagSettingsImage, window->kind);
	EXPECT_EQ(nullptr, window->secondControl);
	EXPECT_STREQ("Alternate text:", window->firstControl->Label());
	EXPECT_STREQ("A picture", window->firstControl->Text());
	EXPECT_TRUE(window->firstControl->TextView()->IsFocus());
	TypeInto(window, window->firstControl, "The \"logo\"\n");
	EXPECT_EQ(0, CountTagWindows());
	EXPECT_STREQ("The \"logo\"", image->alternateText);
	EXPECT_NE(std::string::npos, Body().find("<A HREF=\"#top\"><IMG "
		"SRC=\"pic50x40.gif\" ALT=\"The &quot;logo&quot;\" WIDTH=\"50\" "
		"HEIGHT=\"40\" BORDER=\"0\"></A>.")) << Body();

	window = OpenOn(image);
	ASSERT_NE(nullptr, window);
	TypeInto(window, window->firstControl, "Logo");
	CloseBox(window);
	EXPECT_EQ(0, CountTagWindows());
	EXPECT_STREQ("Logo", image->alternateText);
	EXPECT_NE(std::string::npos, Body().find("ALT=\"Logo\"")) << Body();

	// The page written to its file has the new text; an emptied field
	// writes an empty one.
	window = OpenOn(image);
	ASSERT_NE(nullptr, window);
	TypeInto(window, window->firstControl, "\x08\n");
	EXPECT_STREQ("", image->alternateText);
	ASSERT_TRUE(CurrentPage()->Save());
	EXPECT_NE(std::string::npos, ReadFile(fPath).find("<IMG "
		"SRC=\"pic50x40.gif\" ALT=\"\" WIDTH=\"50\""));
	EXPECT_EQ(0, fAlerts.CountAlerts()) << fAlerts.LastText();
}


TEST_F(TagSettingsTest, PicturePopUpOpensTheWindowForThePictureAndItsLink)
{
	OpenContent(kLinkPage);
	std::vector<WImage*> images = Elements<WImage>();
	std::vector<Anchor*> anchors = Elements<Anchor>();
	ASSERT_EQ(1u, images.size());
	ASSERT_EQ(4u, anchors.size());

	// "Image settings ..." is the first item.
	PopUp(images[0], 1);
	ASSERT_EQ(1, CountTagWindows());
	TAGSettingsWindow* window = TagWindow();
	ASSERT_NE(nullptr, window);
	EXPECT_EQ(images[0], window->element);
	TypeKeys(window, "\n");
	EXPECT_EQ(0, CountTagWindows());

	// "HyperText link/target settings ..." follows it inside a link.
	PopUp(images[0], 2);
	ASSERT_EQ(1, CountTagWindows());
	window = TagWindow();
	EXPECT_EQ(anchors[2], window->element);
	EXPECT_STREQ("#top", window->firstControl->Text());
	TypeInto(window, window->firstControl, "#end\n");
	EXPECT_EQ(0, CountTagWindows());
	EXPECT_STREQ("#end", anchors[2]->LinkTo());
	EXPECT_EQ(0, fAlerts.CountAlerts()) << fAlerts.LastText();
}



// A linked text's pop-up has the one item that opens its link's settings;
// a text outside links has none. Either way the click places the caret.
TEST_F(TagSettingsTest, LinkedTextPopUpOpensItsLinksWindow)
{
	OpenContent(kLinkPage);
	std::vector<Anchor*> anchors = Elements<Anchor>();
	ASSERT_EQ(4u, anchors.size());
	WText* linked = nullptr;
	WText* plain = nullptr;
	for (WText* text : Elements<WText>()) {
		if (strcmp(text->Text(), "the old page") == 0)
			linked = text;
		if (strcmp(text->Text(), "See ") == 0)
			plain = text;
	}
	ASSERT_NE(nullptr, linked);
	ASSERT_NE(nullptr, plain);

	PopUp(linked, 1);
	EXPECT_EQ(1, fMenus);
	ASSERT_EQ(1, CountTagWindows());
	TAGSettingsWindow* window = TagWindow();
	ASSERT_NE(nullptr, window);
	EXPECT_EQ(anchors[0], window->element);
	TypeInto(window, window->firstControl, "other.html\n");
	EXPECT_EQ(0, CountTagWindows());
	EXPECT_STREQ("other.html", anchors[0]->LinkTo());
	EXPECT_TRUE(linked->IsFocus());

	// Dismissed, the menu opens nothing.
	PopUp(linked, 0);
	EXPECT_EQ(2, fMenus);
	EXPECT_EQ(0, CountTagWindows());

	PopUp(plain, 1);
	EXPECT_EQ(2, fMenus);
	EXPECT_EQ(0, CountTagWindows());
	EXPECT_TRUE(plain->IsFocus());
	EXPECT_EQ(0, fAlerts.CountAlerts()) << fAlerts.LastText();
}


TEST_F(TagSettingsTest, NothingToEditOpensNoWindow)
{
	OpenContent(kLinkPage);
	CurrentPage()->Saved();
	EXPECT_EQ(nullptr, OpenOn(nullptr));
	for (WYSIWYG_Element* e = CurrentPage()->visualWindow->engine
			->FirstElement(); e != nullptr; e = e->Next()) {
		if (dynamic_cast<WImage*>(e) == nullptr
			&& dynamic_cast<Anchor*>(e) == nullptr) {
			EXPECT_EQ(nullptr, OpenOn(e));
		}
	}
	EXPECT_EQ(0, CountTagWindows());
	EXPECT_TRUE(CurrentPage()->IsSaved());
	EXPECT_EQ(0, fAlerts.CountAlerts()) << fAlerts.LastText();

	// A closing end without its opening end: the pairing query says so,
	// and there is no window. An opening end without its closing end still
	// has its own values.
	OpenContent("<BODY><P>Text</A> and <A NAME=\"lone\">more</P></BODY>");
	std::vector<Anchor*> anchors = Elements<Anchor>();
	ASSERT_EQ(2u, anchors.size());
	ASSERT_FALSE(anchors[0]->OpenTAG());
	EXPECT_EQ(nullptr, OpenOn(anchors[0]));
	EXPECT_EQ(1, fAlerts.CountAlerts());
	EXPECT_EQ("Pair HTML TAG - <A>...</A> has closing TAG but no opening TAG",
		fAlerts.LastText());
	EXPECT_EQ(0, CountTagWindows());
	TAGSettingsWindow* window = OpenOn(anchors[1]);
	ASSERT_NE(nullptr, window);
	EXPECT_STREQ("lone", window->secondControl->Text());
	EXPECT_STREQ("", window->firstControl->Text());
	CloseBox(window);
	EXPECT_STREQ("lone", anchors[1]->Name());
}


TEST_F(TagSettingsTest, FieldsKeepThePagesEncoding)
{
	// The text's bytes come back unchanged, and a typed letter goes in as
	// the page's bytes: in a UTF-8 page and in a Latin-1 one, where an em
	// dash goes in as a character reference.
	struct Case {
		uint8 encoding;
		const char* cafe;
		const char* typed;
	} cases[] = {
		{ B_UNICODE_UTF8, "caf\xC3\xA9", "\xC3\xBC\xE2\x80\x94" },
		{ B_ISO_8859_1, "caf\xE9", "\xFC&#8212;" },
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(int(c.encoding));
		OpenContent(std::string("<BODY><IMG SRC=\"pic50x40.gif\" ALT=\"")
			+ c.cafe + ".jpg\"></BODY>");
		CurrentPage()->SetEncoding(c.encoding, false);
		std::vector<WImage*> images = Elements<WImage>();
		ASSERT_EQ(1u, images.size());

		TAGSettingsWindow* window = OpenOn(images[0]);
		ASSERT_NE(nullptr, window);
		CloseBox(window);
		EXPECT_EQ(std::string(c.cafe) + ".jpg",
			std::string(images[0]->alternateText));

		window = OpenOn(images[0]);
		ASSERT_NE(nullptr, window);
		ASSERT_TRUE(window->Lock());
		window->firstControl->MakeFocus(true);
		window->firstControl->TextView()->SelectAll();
		window->Unlock();
		// ü and an em dash, as keys carry them
		ControlsWindow::KeyTo(window, "\xC3\xBC");
		ControlsWindow::KeyTo(window, "\xE2\x80\x94");
		TypeKeys(window, ".jpg\n");
		EXPECT_EQ(std::string(c.typed) + ".jpg",
			std::string(images[0]->alternateText));
	}
}
