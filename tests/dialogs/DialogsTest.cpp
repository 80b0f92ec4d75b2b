/*
 * File panels with extension filters, and the About window with its image
 * translator test.
 */
#include "ProgramFixture.h"

#include <Bitmap.h>
#include <Button.h>
#include <Entry.h>
#include <Node.h>
#include <Window.h>

#include <algorithm>

#include "About_Window.h"
#include "ExtensionsFilePanel.h"

using namespace quillora_test;

namespace {

class FilterTest : public ProgramTest {
protected:
	// Asks the filter about `name` in this test's folder the way a panel
	// does: with the entry's ref and the stat of what it leads to.
	bool Lists(ExtensionsFileFilter& filter, const std::string& name)
	{
		std::string path = fDirectory + "/" + name;
		BEntry entry(path.c_str());
		entry_ref ref;
		EXPECT_EQ(entry.GetRef(&ref), B_OK) << name;
		struct stat st;
		EXPECT_EQ(stat(path.c_str(), &st), 0) << name;
		BNode node(path.c_str());
		return filter.Filter(&ref, &node, &st, "");
	}

	void Touch(const std::string& name)
	{
		WriteFile(fDirectory + "/" + name, "x");
	}
};


class AboutTest : public ProgramTest {};

}	// namespace


TEST_F(FilterTest, ImageExtensionsArePrefixesWithoutCase)
{
	ExtensionsFileFilter images((char*)"gif", (char*)"jpg", (char*)"jpeg");
	const std::pair<const char*, bool> names[] = { { "Photo.JPG", true },
		{ "photo.jpeg", true }, { "a.b.gif", true }, { "photo.jpgx", true },
		{ "photo.jpg.txt", false }, { "gif", false }, { ".gif", false },
		{ "photo.jp", false } };
	for (const auto& name : names)
		Touch(name.first);
	for (const auto& name : names)
		EXPECT_EQ(Lists(images, name.first), name.second) << name.first;

	// Directories are listed whatever their name.
	mkdir((fDirectory + "/folder.txt").c_str(), 0755);
	mkdir((fDirectory + "/plain").c_str(), 0755);
	EXPECT_TRUE(Lists(images, "folder.txt"));
	EXPECT_TRUE(Lists(images, "plain"));

	// A link is judged by the name of the file it leads to.
	Touch("real.gif");
	symlink((fDirectory + "/real.gif").c_str(),
		(fDirectory + "/link.txt").c_str());
	symlink((fDirectory + "/photo.jpg.txt").c_str(),
		(fDirectory + "/link.gif").c_str());
	EXPECT_TRUE(Lists(images, "link.txt"));
	EXPECT_FALSE(Lists(images, "link.gif"));
}


TEST_F(FilterTest, PagePanelsListHtmAndHtml)
{
	ExtensionsFileFilter pages((char*)"htm", (char*)"html", nullptr);
	const std::pair<const char*, bool> names[] = { { "index.HTM", true },
		{ "index.htmlx", true }, { "index.shtml", false },
		{ "index.txt", false } };
	for (const auto& name : names)
		Touch(name.first);
	for (const auto& name : names)
		EXPECT_EQ(Lists(pages, name.first), name.second) << name.first;

	// The panels of the program list through their filters.
	OpenContent("<BODY></BODY>");
	ExtensionsFilePanel* open = fApplication->openPanel;
	open->SetPanelDirectory(fDirectory.c_str());
	open->Refresh();
	std::vector<std::string> shown;
	for (int32 i = 0; i < open->CountShownEntries(); i++)
		shown.push_back(open->ShownEntryAt(i));
	for (const auto& name : names) {
		EXPECT_EQ(std::count(shown.begin(), shown.end(), name.first),
			name.second ? 1 : 0) << name.first;
	}
	EXPECT_EQ(std::count(shown.begin(), shown.end(), "page.html"), 1);
}


TEST_F(AboutTest, TranslatorTestIsQuietWithBothImages)
{
	OpenContent("<BODY></BODY>");
	// The start-up test ran against the program's own Documentation.
	EXPECT_EQ(fAlerts.CountAlerts(), 0) << fAlerts.LastText();

	About_Window* about = new About_Window();
	about->Lock();
	BView* view = about->FindView("About");
	ASSERT_NE(view, nullptr);
	About_View* aboutView = dynamic_cast<About_View*>(view);
	ASSERT_NE(aboutView, nullptr);
	ASSERT_NE(aboutView->bitmap, nullptr);
	// The window takes the picture's size, with the button near the bottom.
	EXPECT_EQ(about->Bounds().Width(), aboutView->bitmap->Bounds().Width());
	EXPECT_EQ(about->Bounds().Height(), aboutView->bitmap->Bounds().Height());
	BButton* button = dynamic_cast<BButton*>(about->FindView("button"));
	ASSERT_NE(button, nullptr);
	EXPECT_STREQ(button->Label(), "OK");
	EXPECT_EQ(button->Frame().top, about->Bounds().Height() - 45);
	about->Quit();
	EXPECT_EQ(fAlerts.CountAlerts(), 0);
}


TEST_F(AboutTest, MissingOrBrokenImagesAreReported)
{
	OpenContent("<BODY></BODY>");
	std::string program = fDirectory + "/program";
	mkdir(program.c_str(), 0755);
	mkdir((program + "/Documentation").c_str(), 0755);
	mkdir((program + "/Documentation/images").c_str(), 0755);
	// The settings point at a program folder of the test's own.
	UseProgramDirectory(program + "/");

	// Neither file there: both reported with the full path tried, and the
	// window is 100 by 100.
	About_Window* about = new About_Window();
	ASSERT_EQ(fAlerts.CountAlerts(), 2);
	EXPECT_EQ(fAlerts.TextAt(0), "Could not open image file: " + program
		+ "/Documentation/images/About.gif The file is necessary to test the "
		"GIFTranslator.");
	EXPECT_EQ(fAlerts.TextAt(1), "Could not open image file: " + program
		+ "/Documentation/images/Test.jpg The file is necessary to test the "
		"JPEG Translator.");
	about->Lock();
	EXPECT_EQ(about->Bounds().Width(), 100);
	EXPECT_EQ(about->Bounds().Height(), 100);
	about->Quit();

	// Files that are not pictures: the translator instructions.
	fAlerts.Clear();
	WriteFile(program + "/Documentation/images/About.gif", "not a picture");
	WriteFile(program + "/Documentation/images/Test.jpg", "not a picture");
	about = new About_Window();
	ASSERT_EQ(fAlerts.CountAlerts(), 2);
	EXPECT_EQ(fAlerts.TextAt(0).rfind("Your GIF Translator doesn't work", 0),
		0u);
	EXPECT_EQ(fAlerts.TextAt(1).rfind("Your JPEG Translator doesn't work", 0),
		0u);
	about->Lock();
	about->Quit();
}
