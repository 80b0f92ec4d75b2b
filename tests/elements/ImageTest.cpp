// Pictures of a page: the IMG tag read and written back, the alignment its
// ALIGN selects, sources inside and outside the image folder, the alerts for
// pictures that cannot be shown, one decoding per file, and the pop-up menu.

#include "PageFixture.h"

#include <Menu.h>
#include <sys/stat.h>
#include <Message.h>
#include <ScrollView.h>

#include <functional>

#include "Functions.h"
#include "WImage.h"

using namespace quillora_test;

namespace {

const std::string kImages = QUILLORA_TEST_DATA "/images";

std::function<void(BWindow*)> sOnMenu;
int sMenusOpened = 0;

void
MenuOpened(BWindow* window, BMenu*, void*)
{
	sMenusOpened++;
	if (sOnMenu)
		sOnMenu(window);
}

class ImageTest : public PageFixture {
protected:
	void SetUp() override
	{
		PageFixture::SetUp();
		fSite = fPagePath.substr(0, fPagePath.rfind('/'));
		for (const char* name : { "pic50x40.gif", "pic32x20.jpg",
				"pic16x12.png", "broken.gif" })
			WriteFile(fSite + "/" + name, ReadFile(kImages + "/" + name));
		fOldDirectory = fConfig->imageDirectory;
		fConfig->imageDirectory = newtext("");
		sMenusOpened = 0;
		BMenu::SetOpenHook(MenuOpened, nullptr);
	}

	void TearDown() override
	{
		BMenu::SetOpenHook(nullptr, nullptr);
		sOnMenu = nullptr;
		delete[] fConfig->imageDirectory;
		fConfig->imageDirectory = fOldDirectory;
		PageFixture::TearDown();
	}

	void SetImageDirectory(const std::string& directory)
	{
		delete[] fConfig->imageDirectory;
		fConfig->imageDirectory = newtext(directory.c_str());
	}

	std::vector<WImage*> Images() const
	{
		std::vector<WImage*> images;
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			if (WImage* image = dynamic_cast<WImage*>(e))
				images.push_back(image);
		}
		return images;
	}

	// The tag the one picture of `html`'s body is written back as.
	std::string Written(const std::string& tag)
	{
		Parse("<BODY>" + tag + "</BODY>");
		std::vector<WImage*> images = Images();
		if (images.size() != 1)
			return "(" + std::to_string(images.size()) + " images)";
		return HTMLOf(images[0]);
	}

	// A click on the picture with `buttons`; its pop-up menu, if one opens,
	// is answered with `downs` presses of the down arrow and Enter, or
	// with Escape when `downs` is negative.
	void Click(WImage* image, int32 buttons, int downs)
	{
		sOnMenu = [downs](BWindow* menu) {
			for (int i = 0; i < downs; i++)
				PostKey(menu, "\x1f");
			PostKey(menu, downs < 0 ? "\x1b" : "\n");
		};
		PageFixture::Click(image, BPoint(2, 2), buttons);
	}

	static void PostKey(BWindow* window, const char* bytes)
	{
		BMessage key(B_KEY_DOWN);
		key.AddString("bytes", bytes);
		key.AddInt32("raw_char", (uint8)bytes[0]);
		key.AddInt32("modifiers", 0);
		key.AddInt32("key", 0);
		window->PostMessage(&key, (BHandler*)nullptr);
	}

	std::string fSite;
	char* fOldDirectory = nullptr;
};

}	// namespace


TEST_F(ImageTest, TagIsWrittenInItsOrderWithTheAuthorsSize)
{
	// Real size and BORDER="0" where the tag had none.
	EXPECT_EQ("<IMG SRC=\"pic32x20.jpg\" ALT=\"pic32x20.jpg\" WIDTH=\"32\" "
		"HEIGHT=\"20\" BORDER=\"0\">", Written("<img src=pic32x20.jpg>"));
	ASSERT_EQ(1u, Images().size());
	BRect bounds = Images()[0]->WBounds();
	EXPECT_EQ(BRect(0, 0, 31, 19), bounds);
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();

	// The author's size (a thumbnail, a percentage) and border stay, every
	// other option follows as read, SRCSET is not taken for SRC.
	EXPECT_EQ("<IMG SRC=\"pic50x40.gif\" ALT=\"A \'b\'\" WIDTH=\"100\" "
		"HEIGHT=\"50%\" BORDER=\"2\" class=x onclick=\"f(1, 2)\"\r\n"
		"align=left srcset=\"big.gif 2x\" hspace=4>",
		Written("<img class=x src=\"pic50x40.gif\" onclick=\"f(1, 2)\"\n"
			"alt=\"A 'b'\" WIDTH=100 height=\"50%\" border=2 align=left "
			"srcset=\"big.gif 2x\" hspace=4>"));
	EXPECT_EQ(kAlignNone, Images()[0]->VAlignment());
	// Values in single quotes; a double quote in one is written as a
	// reference.
	EXPECT_EQ("<IMG SRC=\"pic16x12.png\" ALT=\"say &quot;hi&quot;\" WIDTH=\"16\" "
		"HEIGHT=\"12\" BORDER=\"0\" title='a b'>",
		Written("<IMG SRC='pic16x12.png' title='a b' ALT='say \"hi\"'>"));
	// Only a width: no height is made up for it.
	EXPECT_EQ("<IMG SRC=\"pic16x12.png\" ALT=\"x\" WIDTH=\"8\" BORDER=\"0\">",
		Written("<IMG SRC=\"pic16x12.png\" ALT=\"x\" WIDTH=\"8\">"));
	EXPECT_EQ(BRect(0, 0, 15, 11), Images()[0]->WBounds());

	// Without SRC there is nothing to load and no SRC to write.
	EXPECT_EQ("<IMG BORDER=\"0\">", Written("<IMG>"));
	EXPECT_EQ("<IMG ALT=\"nothing\" BORDER=\"0\" name=n>",
		Written("<IMG ALT=\"nothing\" name=n>"));
	EXPECT_EQ(nullptr, Images()[0]->source);
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();

	// The written tag reads back into itself, touching its neighbours as
	// it did.
	Parse("<BODY>a<img src=pic50x40.gif align=t width=9>b\n"
		"<IMG SRC=\"pic16x12.png\">\nc</BODY>");
	std::string once = HTMLOf(nullptr);
	EXPECT_EQ("a<IMG SRC=\"pic50x40.gif\" ALT=\"pic50x40.gif\" ALIGN=\"TOP\" "
		"WIDTH=\"9\" BORDER=\"0\">b\r\n<IMG SRC=\"pic16x12.png\" "
		"ALT=\"pic16x12.png\" WIDTH=\"16\" HEIGHT=\"12\" BORDER=\"0\">\r\nc",
		once);
	Parse(once);
	EXPECT_EQ(once, HTMLOf(nullptr));
}

TEST_F(ImageTest, AlignIsReadByPrefix)
{
	struct {
		const char* value;
		long alignment;
		const char* written;
	} const cases[] = {
		{ "t", kAlignTop, " ALIGN=\"TOP\"" },
		{ "ABS", kAlignAbsCenter, " ALIGN=\"ABSCENTER\"" },
		{ "center", kAlignMiddle, " ALIGN=\"MIDDLE\"" },
		{ "Mid", kAlignMiddle, " ALIGN=\"MIDDLE\"" },
		{ "bottom", kAlignBottom, " ALIGN=\"BOTTOM\"" },
		// None of the four: kept as read, so that floats still float.
		{ "LEFT", kAlignNone, " BORDER=\"0\" ALIGN=LEFT" },
		{ "absmiddle", kAlignNone, " BORDER=\"0\" ALIGN=absmiddle" },
		{ "\"\"", kAlignNone, " BORDER=\"0\" ALIGN=\"\"" },
		{ "topmost", kAlignNone, " BORDER=\"0\" ALIGN=topmost" },
	};
	for (const auto& test : cases) {
		std::string html = Written(std::string("<IMG SRC=missing.gif ALIGN=")
			+ test.value + ">");
		ASSERT_EQ(1u, Images().size()) << test.value;
		EXPECT_EQ(test.alignment, Images()[0]->VAlignment()) << test.value;
		EXPECT_NE(std::string::npos, html.find(test.written))
			<< test.value << ": " << html;
		EXPECT_EQ(html.find("ALIGN"), html.rfind("ALIGN")) << html;
	}
}

TEST_F(ImageTest, OnlyTheImageFoldersOwnSourcesGetItBack)
{
	// An absolute image folder: its pictures are held below it; sources
	// beside the page, absolute elsewhere or on the web stay as read.
	std::string folder = fRoot + "/pics/";
	mkdir(folder.c_str(), 0700);
	WriteFile(folder + "a.gif", ReadFile(kImages + "/pic50x40.gif"));
	SetImageDirectory(folder);
	Parse("<BODY><IMG SRC=\"" + folder + "a.gif\"><IMG SRC=pic16x12.png>"
		"<IMG SRC=\"http://example.org/a.gif\"><IMG SRC=\"/nowhere/a.gif\">"
		"<IMG SRC=\"" + fRoot + "/pics2/a.gif\"></BODY>");
	std::vector<WImage*> images = Images();
	ASSERT_EQ(5u, images.size());
	EXPECT_STREQ("a.gif", images[0]->source);
	EXPECT_TRUE(images[0]->sourceInImageDirectory);
	EXPECT_NE(nullptr, images[0]->bitmap);
	EXPECT_NE(nullptr, images[1]->bitmap);
	const std::string written[] = { folder + "a.gif", "pic16x12.png",
		"http://example.org/a.gif", "/nowhere/a.gif", fRoot + "/pics2/a.gif" };
	for (int i = 0; i < 5; i++) {
		std::string html = HTMLOf(images[i]);
		EXPECT_EQ(0u, html.find(std::string("<IMG SRC=\"") + written[i]
			+ "\" ALT=\"")) << html;
	}

	// A relative image folder lies beside the page; the folder "/" gives
	// back the leading slash it took.
	SetImageDirectory("sub/");
	EXPECT_EQ(0u, Written("<IMG SRC=sub/x.gif>").find(
		"<IMG SRC=\"sub/x.gif\" ALT=\"sub/x.gif\""));
	EXPECT_STREQ("x.gif", Images()[0]->source);
	SetImageDirectory("/");
	EXPECT_EQ(0u, Written("<IMG SRC=/abs/x.gif>").find("<IMG SRC=\"/abs/x.gif\""));
}

TEST_F(ImageTest, PicturesThatCannotBeShownAreReportedAndKeepTheirTag)
{
	std::string html = Written("<IMG SRC=\"missing.gif\" WIDTH=10 HEIGHT=20 "
		"BORDER=1>");
	EXPECT_EQ("<IMG SRC=\"missing.gif\" ALT=\"missing.gif\" WIDTH=\"10\" "
		"HEIGHT=\"20\" BORDER=\"1\">", html);
	ASSERT_EQ(1, fResponder.CountAlerts());
	EXPECT_EQ("Could not open the file: " + fSite + "/missing.gif",
		fResponder.LastText());
	EXPECT_EQ(BRect(0, 0, 1, 1), Images()[0]->WBounds());

	Written("<IMG SRC=\"broken.gif\">");
	ASSERT_EQ(2, fResponder.CountAlerts());
	EXPECT_EQ("Incorrect Image file: " + fSite + "/broken.gif",
		fResponder.LastText());
	EXPECT_EQ(nullptr, Images()[0]->bitmap);
	EXPECT_EQ(BRect(0, 0, 1, 1), Images()[0]->WBounds());

	// A source is the address of a file: escapes and a query are read as
	// a browser reads them, where no file is spelled like the source; it
	// is written as read. A closing </IMG> shows nothing and stays.
	WriteFile(fSite + "/my pic.gif", ReadFile(kImages + "/pic50x40.gif"));
	EXPECT_EQ("<IMG SRC=\"my%20pic.gif?v=2\" ALT=\"my%20pic.gif?v=2\" "
		"WIDTH=\"50\" HEIGHT=\"40\" BORDER=\"0\">a</IMG>",
		(Written("<IMG SRC=\"my%20pic.gif?v=2\">a</IMG>"), HTMLOf(nullptr)));
	EXPECT_EQ(BRect(0, 0, 49, 39), Images()[0]->WBounds());
	EXPECT_EQ(2, fResponder.CountAlerts()) << fResponder.LastText();

	// A web address is no file: no file of that name is looked for.
	Written("<IMG SRC=\"HTTPS://example.org/a.gif\">");
	ASSERT_EQ(3, fResponder.CountAlerts());
	EXPECT_EQ("Could not open the file: HTTPS://example.org/a.gif",
		fResponder.LastText());
	Written("<IMG SRC=\"../../../../../../../nothing/a.gif\">");
	EXPECT_EQ("Could not open the file: /nothing/a.gif", fResponder.LastText());
	// A fragment is left out as a query is; one letter before a colon is
	// a file name, no scheme.
	Written("<IMG SRC=\"my%20pic.gif#top\">");
	EXPECT_EQ(BRect(0, 0, 49, 39), Images()[0]->WBounds());
	Written("<IMG SRC=\"c:missing.gif\">");
	EXPECT_EQ("Could not open the file: " + fSite + "/c:missing.gif",
		fResponder.LastText());
}

TEST_F(ImageTest, EachPictureFileIsDecodedOnce)
{
	std::string page = "<BODY>";
	for (int i = 0; i < 20; i++)
		page += "<IMG SRC=pic50x40.gif><IMG SRC=./pic32x20.jpg>";
	Parse(page + "</BODY>");
	std::vector<WImage*> images = Images();
	ASSERT_EQ(40u, images.size());
	for (size_t i = 2; i < images.size(); i++)
		EXPECT_EQ(images[i % 2]->bitmap, images[i]->bitmap) << i;
	EXPECT_NE(images[0]->bitmap, images[1]->bitmap);

	// A picture changed on disk is read again.
	WriteFile(fSite + "/pic50x40.gif", ReadFile(kImages + "/pic16x12.png"));
	Parse("<BODY><IMG SRC=pic50x40.gif></BODY>");
	ASSERT_EQ(1u, Images().size());
	EXPECT_EQ(BRect(0, 0, 15, 11), Images()[0]->WBounds());
}

TEST_F(ImageTest, PopUpMenuAlignsThePicture)
{
	Parse("<BODY>Some text <IMG SRC=pic50x40.gif ALIGN=left hspace=2> more"
		"</BODY>");
	ASSERT_EQ(1u, Images().size());
	WImage* image = Images()[0];
	WText* text = dynamic_cast<WText*>(image->Previous());
	ASSERT_NE(nullptr, text);
	// On the baseline, the picture raises the line's text.
	EXPECT_FLOAT_EQ(8, image->WFrame().top) << Dump();
	float textTop = text->WFrame().top;
	EXPECT_LT(8, textTop) << Dump();

	// A primary click opens nothing.
	Click(image, B_PRIMARY_MOUSE_BUTTON, 2);
	EXPECT_EQ(0, sMenusOpened);

	// "Align to TOP" (after "Image settings ..."): the line is laid out
	// again, the kept ALIGN gives way, the page is not saved.
	fPage->Saved();
	Click(image, B_SECONDARY_MOUSE_BUTTON, 2);
	EXPECT_EQ(1, sMenusOpened);
	EXPECT_EQ(kAlignTop, image->VAlignment());
	EXPECT_FALSE(fPage->IsSaved());
	EXPECT_EQ("<IMG SRC=\"pic50x40.gif\" ALT=\"pic50x40.gif\" ALIGN=\"TOP\" "
		"WIDTH=\"50\" HEIGHT=\"40\" BORDER=\"0\" hspace=2>", HTMLOf(image));
	EXPECT_FLOAT_EQ(8, image->WFrame().top) << Dump();
	EXPECT_FLOAT_EQ(8, text->WFrame().top) << Dump();

	// "Don't align" takes ALIGN out again.
	Click(image, B_SECONDARY_MOUSE_BUTTON, 6);
	EXPECT_EQ(kAlignNone, image->VAlignment());
	EXPECT_EQ(std::string::npos, HTMLOf(image).find("ALIGN"));
	EXPECT_FLOAT_EQ(textTop, text->WFrame().top) << Dump();

	// Dismissed: nothing changes.
	Click(image, B_SECONDARY_MOUSE_BUTTON, -1);
	EXPECT_EQ(3, sMenusOpened);
	EXPECT_EQ(kAlignNone, image->VAlignment());
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();
}
