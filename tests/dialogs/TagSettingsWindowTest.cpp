/*
 * The tag settings window on a real page: a picture's alternate text,
 * stored however the window is closed (Enter, the close box), the document
 * written afterwards, the picture's pop-up menu opening the window, and no
 * window at all where there is nothing to edit.
 */
#include "ProgramFixture.h"

#include <Font.h>
#include <TextControl.h>
#include <TextView.h>
#include <WindowPrivate.h>

#include <functional>

#include "../kits/controls/ControlsTesting.h"
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

	// The page's elements of one class, in chain order.
	template<typename T>
	std::vector<T*> All()
	{
		std::vector<T*> found;
		for (WYSIWYG_Element* e = CurrentPage()->visualWindow->engine
				->FirstElement(); e != nullptr; e = e->Next()) {
			if (T* element = dynamic_cast<T*>(e))
				found.push_back(element);
		}
		return found;
	}

	int32 CountTagWindows()
	{
		int32 count = 0;
		for (int32 i = 0; i < fApplication->CountWindows(); i++)
			count += dynamic_cast<TAGSettingsWindow*>(
				fApplication->WindowAt(i)) != nullptr ? 1 : 0;
		return count;
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

	// Replaces the field's text by `text`, typed key by key; "\t" and
	// "\n" are the Tab and Enter keys.
	static void Type(BWindow* window, BTextControl* control, const char* text)
	{
		ASSERT_TRUE(window->Lock());
		control->MakeFocus(true);
		control->TextView()->SelectAll();
		window->Unlock();
		Keys(window, text);
	}

	static void Keys(BWindow* window, const char* keys)
	{
		for (const char* c = keys; *c != '\0'; c++) {
			char bytes[2] = { *c, '\0' };
			ControlsWindow::KeyTo(window, bytes);
		}
		Idle();
	}

	static void CloseBox(BWindow* window)
	{
		BPrivate::window_private(window)->HostCloseRequested();
		Idle();
	}

	std::string Body()
	{
		Page* page = CurrentPage();
		page->GenerateHTML();
		std::string html(page->HTMLBuffer(), page->HTMLBufferLength());
		size_t start = html.find("<BODY");
		start = html.find('>', start) + 1;
		return html.substr(start, html.find("</BODY>") - start);
	}

	// A secondary click on the picture whose pop-up menu is answered with
	// `downs` presses of the down arrow (the first one selects the first
	// item) and Enter.
	void PopUp(WImage* image, int downs)
	{
		sOnMenu = [downs](BWindow* menu) {
			for (int i = 0; i < downs; i++)
				ControlsWindow::KeyTo(menu, "\x1f");
			ControlsWindow::KeyTo(menu, "\n");
		};
		WWindow* visual = CurrentPage()->visualWindow;
		ASSERT_TRUE(visual->Lock());
		BMessage down = ControlsWindow::MouseMessage(visual, B_MOUSE_DOWN,
			image, BPoint(2, 2));
		visual->Unlock();
		down.ReplaceInt32("buttons", B_SECONDARY_MOUSE_BUTTON);
		visual->PostMessage(&down);
		Idle();
		sOnMenu = nullptr;
	}
};


const char* const kLinkPage =
	"<HTML><BODY><P>See <A HREF=\"old.html\" NAME=\"top\" TARGET=\"_blank\">"
	"the old page</A> and <A HREF=\"#top\">"
	"<IMG SRC=\"pic50x40.gif\" ALT=\"A picture\"></A>.</P></BODY></HTML>";

}	// namespace


TEST_F(TagSettingsTest, PictureStoresItsAlternateTextOnEnterAndOnTheCloseBox)
{
	OpenContent(kLinkPage);
	std::vector<WImage*> images = All<WImage>();
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
	Type(window, window->firstControl, "The \"logo\"\n");
	EXPECT_EQ(0, CountTagWindows());
	EXPECT_STREQ("The \"logo\"", image->alternateText);
	EXPECT_NE(std::string::npos, Body().find("<A HREF=\"#top\"><IMG "
		"SRC=\"pic50x40.gif\" ALT=\"The &quot;logo&quot;\" WIDTH=\"50\" "
		"HEIGHT=\"40\" BORDER=\"0\"></A>.")) << Body();

	window = OpenOn(image);
	ASSERT_NE(nullptr, window);
	Type(window, window->firstControl, "Logo");
	CloseBox(window);
	EXPECT_EQ(0, CountTagWindows());
	EXPECT_STREQ("Logo", image->alternateText);
	EXPECT_NE(std::string::npos, Body().find("ALT=\"Logo\"")) << Body();

	// The page written to its file has the new text; an emptied field
	// writes an empty one.
	window = OpenOn(image);
	ASSERT_NE(nullptr, window);
	Type(window, window->firstControl, "\x08\n");
	EXPECT_STREQ("", image->alternateText);
	ASSERT_TRUE(CurrentPage()->Save());
	EXPECT_NE(std::string::npos, ReadFile(fPath).find("<IMG "
		"SRC=\"pic50x40.gif\" ALT=\"\" WIDTH=\"50\""));
	EXPECT_EQ(0, fAlerts.CountAlerts()) << fAlerts.LastText();
}


TEST_F(TagSettingsTest, PicturePopUpOpensTheWindow)
{
	OpenContent(kLinkPage);
	std::vector<WImage*> images = All<WImage>();
	ASSERT_EQ(1u, images.size());

	// "Image settings ..." is the first item.
	PopUp(images[0], 1);
	ASSERT_EQ(1, CountTagWindows());
	TAGSettingsWindow* window = nullptr;
	for (int32 i = 0; i < fApplication->CountWindows(); i++) {
		if (auto* tag = dynamic_cast<TAGSettingsWindow*>(
				fApplication->WindowAt(i)))
			window = tag;
	}
	ASSERT_NE(nullptr, window);
	EXPECT_EQ(images[0], window->element);
	Keys(window, "\n");
	EXPECT_EQ(0, CountTagWindows());
	EXPECT_EQ(0, fAlerts.CountAlerts()) << fAlerts.LastText();
}


TEST_F(TagSettingsTest, NothingToEditOpensNoWindow)
{
	OpenContent(kLinkPage);
	CurrentPage()->Saved();
	EXPECT_EQ(nullptr, OpenOn(nullptr));
	for (WYSIWYG_Element* e = CurrentPage()->visualWindow->engine
			->FirstElement(); e != nullptr; e = e->Next()) {
		if (dynamic_cast<WImage*>(e) == nullptr) {
			EXPECT_EQ(nullptr, OpenOn(e));
		}
	}
	EXPECT_EQ(0, CountTagWindows());
	EXPECT_TRUE(CurrentPage()->IsSaved());
	EXPECT_EQ(0, fAlerts.CountAlerts()) << fAlerts.LastText();
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
		std::vector<WImage*> images = All<WImage>();
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
		Keys(window, ".jpg\n");
		EXPECT_EQ(std::string(c.typed) + ".jpg",
			std::string(images[0]->alternateText));
	}
}
