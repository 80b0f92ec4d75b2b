// Pictures chosen in the image panel arrive in the engine's looper as the
// panel sends them and are inserted at the caret of the focused text.

#include "PageFixture.h"

#include <Entry.h>
#include <Message.h>

#include <sys/stat.h>

#include "Functions.h"
#include "RTextControl.h"
#include "WImage.h"
#include "WWindow.h"
#include "WLooper.h"

using namespace quillora_test;

namespace {

const std::string kImages = QUILLORA_TEST_DATA "/images";

class ImageInsert : public PageFixture {
protected:
	void SetUp() override
	{
		PageFixture::SetUp();
		fSite = fPagePath.substr(0, fPagePath.rfind('/'));
		WriteFile(fSite + "/Photo.JPG", ReadFile(kImages + "/pic32x20.jpg"));
		WriteFile(fSite + "/pic16x12.png", ReadFile(kImages + "/pic16x12.png"));
		WriteFile(fSite + "/broken.gif", ReadFile(kImages + "/broken.gif"));
		fOldDirectory = fConfig->imageDirectory;
		fConfig->imageDirectory = newtext("");
	}

	void TearDown() override
	{
		delete[] fConfig->imageDirectory;
		fConfig->imageDirectory = fOldDirectory;
		PageFixture::TearDown();
	}

	// What the image panel sends when the user opens `path`.
	void Choose(const std::string& path)
	{
		BEntry entry(path.c_str());
		entry_ref ref;
		ASSERT_EQ(B_OK, entry.GetRef(&ref)) << path;
		BMessage refs(B_REFS_RECEIVED);
		refs.AddRef("refs", &ref);
		ASSERT_EQ(B_OK, Engine()->looper->PostMessage(&refs));
		BPrivate::dispatch_until_idle();
	}

	void PlaceCaret(const char* text, int32 at, int32 end = -1)
	{
		ASSERT_TRUE(Window()->Lock());
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			WText* found = dynamic_cast<WText*>(e);
			if (found != nullptr && strcmp(found->Text(), text) == 0) {
				found->MakeFocus(true);
				found->Select(at, end < 0 ? at : end);
				break;
			}
		}
		Window()->Unlock();
	}

	std::string fSite;
	char* fOldDirectory = nullptr;
};

}	// namespace


TEST_F(ImageInsert, ChosenPictureGoesToTheCaret)
{
	Parse("<BODY>Hello world</BODY>");
	PlaceCaret("Hello world", 5);
	fPage->Saved();
	// Upper-case extensions are pictures too.
	Choose(fSite + "/Photo.JPG");
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();
	EXPECT_FALSE(fPage->IsSaved());
	WImage* image = nullptr;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		if ((image = dynamic_cast<WImage*>(e)) != nullptr)
			break;
	}
	ASSERT_NE(nullptr, image);
	// The tag settings window asks for the words that stand for it.
	TAGSettingsWindow* window = TagWindow();
	ASSERT_NE(nullptr, window);
	EXPECT_EQ(image, window->element);
	ASSERT_TRUE(window->Lock());
	window->firstControl->SetText("A photo");
	window->Unlock();
	CloseTagWindow();
	EXPECT_EQ("Hello<IMG SRC=\"Photo.JPG\" ALT=\"A photo\" WIDTH=\"32\" "
		"HEIGHT=\"20\" BORDER=\"0\"> world", HTMLOf(nullptr)) << Dump();
	// Laid out on the line, after the text before it.
	ASSERT_NE(nullptr, image->FindPreviousText());
	EXPECT_EQ(image->FindPreviousText()->WFrame().right + 1,
		image->WFrame().left) << Dump();
	EXPECT_EQ(BRect(0, 0, 31, 19), image->WBounds());

	// A PNG at the end of the page; a picture of the image folder is
	// written with the folder, one from elsewhere with its whole path.
	std::string folder = fRoot + "/pics/";
	mkdir(folder.c_str(), 0700);
	WriteFile(folder + "in.gif", ReadFile(kImages + "/pic50x40.gif"));
	WriteFile(fRoot + "/out.gif", ReadFile(kImages + "/pic50x40.gif"));
	delete[] fConfig->imageDirectory;
	fConfig->imageDirectory = newtext(folder.c_str());
	Parse("<BODY>a</BODY>");
	PlaceCaret("a", 1);
	Choose(fSite + "/pic16x12.png");
	Choose(folder + "in.gif");
	Choose(fRoot + "/out.gif");
	EXPECT_EQ("a<IMG SRC=\"pic16x12.png\" ALT=\"pic16x12.png\" WIDTH=\"16\" "
		"HEIGHT=\"12\" BORDER=\"0\"><IMG SRC=\"" + folder + "in.gif\" "
		"ALT=\"in.gif\" WIDTH=\"50\" HEIGHT=\"40\" BORDER=\"0\"><IMG SRC=\""
		+ fRoot + "/out.gif\" ALT=\"" + fRoot + "/out.gif\" WIDTH=\"50\" "
		"HEIGHT=\"40\" BORDER=\"0\">", HTMLOf(nullptr)) << Dump();
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();
}

TEST_F(ImageInsert, NothingChangesWithoutACaretOrAPicture)
{
	Parse("<BODY>Hello world</BODY>");
	std::string before = HTMLOf(nullptr);

	ASSERT_TRUE(Window()->Lock());
	if (BView* focus = Window()->CurrentFocus())
		focus->MakeFocus(false);
	Window()->Unlock();
	Choose(fSite + "/Photo.JPG");
	ASSERT_EQ(1, fResponder.CountAlerts());
	EXPECT_EQ("Place cursor where you want to place the object.",
		fResponder.LastText());
	EXPECT_EQ(before, HTMLOf(nullptr));

	PlaceCaret("Hello world", 6);
	Choose(fSite + "/broken.gif");
	ASSERT_EQ(2, fResponder.CountAlerts());
	EXPECT_EQ("Incorrect Image file: " + fSite + "/broken.gif",
		fResponder.LastText());
	EXPECT_EQ(before, HTMLOf(nullptr));
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next())
		EXPECT_EQ(nullptr, dynamic_cast<WImage*>(e)) << Dump();

	// Nor are selected words lost or the text cut where the caret was.
	std::string chain = Dump();
	PlaceCaret("Hello world", 6, 11);
	Choose(fSite + "/broken.gif");
	EXPECT_EQ(3, fResponder.CountAlerts());
	EXPECT_EQ(before, HTMLOf(nullptr));
	EXPECT_EQ(chain, Dump());
	EXPECT_EQ(nullptr, TagWindow());
}


TEST_F(ImageInsert, APictureGoesInWhereTheLayoutOfTheSplitLeftTheCaret)
{
	// Two empty texts side by side at the end, free to join: splitting the
	// last one lays it out, and the text before it takes it in.
	Parse(">\n");
	fResponder.Clear();	// the lone '>'
	PlaceCaret("> ", 2);
	const uint32 commands[] = { kMsgHeading6, kMsgBig };
	for (uint32 command : commands) {
		Window()->PostMessage(command);
		BPrivate::dispatch_until_idle();
	}
	Type("\x0c");	// Page Down: the last text
	// Laid out whole (as a resized window is), the texts may join again.
	EXPECT_EQ("", RelayoutDifference());
	Choose(fSite + "/pic16x12.png");
	ASSERT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();
	int images = 0;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next())
		images += dynamic_cast<WImage*>(e) != nullptr ? 1 : 0;
	EXPECT_EQ(1, images) << Dump();
	ASSERT_TRUE(Window()->Lock());
	for (int32 i = 0; i < Engine()->view->CountChildren(); i++)
		EXPECT_NE(nullptr, Engine()->Element(Engine()->view->ChildAt(i)));
	Window()->Unlock();
	EXPECT_EQ("", RelayoutDifference());
}
