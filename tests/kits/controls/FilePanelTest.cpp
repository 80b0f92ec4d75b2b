// File panels on real temporary directories: what the ref filter is asked
// and decides, navigation, and the replies for open, save and cancel.
#include <gtest/gtest.h>

#include <Entry.h>
#include <FilePanel.h>
#include <ListView.h>
#include <Messenger.h>
#include <Node.h>
#include <Path.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "PanelTesting.h"
#include "TempFolder.h"

namespace {

// The image panel's rule: directories, and files whose extension begins
// with one of the given ones, judged by the name a link leads to.
class ImageFilter : public BRefFilter {
public:
	struct Call {
		std::string name;
		bool directory;
		bool link;
		std::string mime;
	};

	bool Filter(const entry_ref* ref, BNode* node, struct stat* st,
		const char* mimeType) override
	{
		calls.push_back(Call{ ref->name, S_ISDIR(st->st_mode) != 0,
			S_ISLNK(st->st_mode) != 0, mimeType != NULL ? mimeType : "" });
		// A broken link leads to no node to open.
		if (!S_ISLNK(st->st_mode)) {
			EXPECT_EQ(node->InitCheck(), B_OK) << ref->name;
		}
		if (S_ISDIR(st->st_mode))
			return true;
		BEntry entry(ref, true);
		char name[B_FILE_NAME_LENGTH + 1];
		if (entry.GetName(name) != B_OK)
			return false;
		const char* dot = strrchr(name + 1, '.');
		if (dot == NULL)
			return false;
		for (const char* extension : { "gif", "jpg", "jpeg" }) {
			if (strncasecmp(extension, dot + 1, strlen(extension)) == 0)
				return true;
		}
		return false;
	}

	const Call* Find(const char* name) const
	{
		for (const Call& call : calls) {
			if (call.name == name)
				return &call;
		}
		return NULL;
	}

	std::vector<Call> calls;
};


class FilePanelTest : public PanelTest {
protected:
	FilePanelTest() : PanelTest("panel") {}

	void SetUp() override
	{
		PanelTest::SetUp();
		for (const char* name : { "Photo.JPG", "photo.jpeg", "a.b.gif",
				"photo.jpg.txt", "gif", ".gif", "notes.txt" })
			Touch(name);
		mkdir((fDir + "/sub").c_str(), 0755);
		Touch("sub/inner.gif");
		ASSERT_EQ(symlink("Photo.JPG", (fDir + "/shortcut").c_str()), 0);
		ASSERT_EQ(symlink("notes.txt", (fDir + "/fake.gif").c_str()), 0);
		ASSERT_EQ(symlink("sub", (fDir + "/linkdir").c_str()), 0);
		ASSERT_EQ(symlink("missing", (fDir + "/broken").c_str()), 0);
		ASSERT_EQ(get_ref_for_path(fDir.c_str(), &fDirRef), B_OK);
	}

	std::vector<std::string> Shown(const BFilePanel& panel)
	{
		std::vector<std::string> names;
		for (int32 i = 0; i < panel.CountShownEntries(); i++)
			names.push_back(panel.ShownEntryAt(i));
		return names;
	}

	entry_ref fDirRef;
};

}	// namespace


TEST_F(FilePanelTest, FilterDecidesWhatIsListed)
{
	ImageFilter filter;
	BFilePanel panel(B_OPEN_PANEL, &fTarget, &fDirRef, 0, false, NULL,
		&filter, false, true);
	std::vector<std::string> expected = { "..", "linkdir", "sub", "a.b.gif",
		"photo.jpeg", "Photo.JPG", "shortcut" };
	EXPECT_EQ(Shown(panel), expected);
	EXPECT_TRUE(panel.IsShownDirectory(1));
	EXPECT_FALSE(panel.IsShownDirectory(3));
	EXPECT_EQ(panel.PanelPath(), fDir);

	// Directories are asked too; links are described by what they lead to.
	const ImageFilter::Call* sub = filter.Find("sub");
	ASSERT_NE(sub, nullptr);
	EXPECT_TRUE(sub->directory);
	EXPECT_EQ(sub->mime, "application/x-vnd.Be-directory");
	const ImageFilter::Call* linkdir = filter.Find("linkdir");
	ASSERT_NE(linkdir, nullptr);
	EXPECT_TRUE(linkdir->directory);
	const ImageFilter::Call* fake = filter.Find("fake.gif");
	ASSERT_NE(fake, nullptr);
	EXPECT_FALSE(fake->link);
	const ImageFilter::Call* broken = filter.Find("broken");
	ASSERT_NE(broken, nullptr);
	EXPECT_TRUE(broken->link);
	EXPECT_EQ(broken->mime, "application/x-vnd.Be-symlink");
	// Hidden names are not offered at all.
	EXPECT_EQ(filter.Find(".gif"), nullptr);

	// Without a filter everything that is not hidden is listed; a new
	// file shows after Refresh.
	panel.SetRefFilter(NULL);
	EXPECT_EQ(panel.CountShownEntries(), 12);
	Touch("later.gif");
	panel.SetRefFilter(&filter);
	EXPECT_EQ(panel.ShownEntryAt(3), "a.b.gif");
	EXPECT_EQ(panel.ShownEntryAt(4), "later.gif");
	EXPECT_EQ(panel.RefFilter(), &filter);
}


TEST_F(FilePanelTest, OpenRepliesWithRefsAndNavigates)
{
	ImageFilter filter;
	BFilePanel panel(B_OPEN_PANEL, &fTarget, &fDirRef, 0, true, NULL,
		&filter, false, true);
	panel.Show();
	dispatch();
	EXPECT_TRUE(panel.IsShowing());

	// Opening a directory goes into it, links included, and back.
	EXPECT_TRUE(panel.OpenEntry("linkdir"));
	EXPECT_EQ(panel.PanelPath(), fDir + "/sub");
	std::vector<std::string> inner = { "..", "inner.gif" };
	EXPECT_EQ(Shown(panel), inner);
	EXPECT_TRUE(panel.OpenEntry(".."));
	EXPECT_EQ(panel.PanelPath(), fDir);
	// A selected directory and Open: the panel enters it, nothing is sent.
	EXPECT_TRUE(panel.SelectEntry("sub"));
	panel.PressButton(B_DEFAULT_BUTTON);
	EXPECT_EQ(panel.PanelPath(), fDir + "/sub");
	panel.SetPanelDirectory(fDir.c_str());
	dispatch();
	EXPECT_TRUE(fReceived.messages.empty());

	EXPECT_TRUE(panel.SelectEntry("Photo.JPG"));
	EXPECT_TRUE(panel.SelectEntry("a.b.gif", true));
	EXPECT_FALSE(panel.SelectEntry("notes.txt"));
	panel.Rewind();
	entry_ref ref;
	int32 selected = 0;
	while (panel.GetNextSelectedRef(&ref) == B_OK)
		selected++;
	EXPECT_EQ(selected, 2);
	panel.PressButton(B_DEFAULT_BUTTON);
	dispatch();
	ASSERT_EQ(fReceived.messages.size(), 1u);
	const BMessage& reply = fReceived.messages[0];
	EXPECT_EQ(reply.what, (uint32)B_REFS_RECEIVED);
	entry_ref first, second;
	ASSERT_EQ(reply.FindRef("refs", 0, &first), B_OK);
	ASSERT_EQ(reply.FindRef("refs", 1, &second), B_OK);
	EXPECT_EQ(PathOf(first), fDir + "/a.b.gif");
	EXPECT_EQ(PathOf(second), fDir + "/Photo.JPG");
	// Hidden when done, and no cancel follows a choice.
	EXPECT_FALSE(panel.IsShowing());
	panel.Hide();
	dispatch();
	EXPECT_EQ(fReceived.Count(B_CANCEL), 0);

	// A custom message keeps its fields and gives its code.
	BMessage custom('imgc');
	custom.AddString("tag", "image");
	panel.SetMessage(&custom);
	panel.Show();
	EXPECT_TRUE(panel.OpenEntry("shortcut"));
	dispatch();
	const BMessage* chosen = fReceived.Last('imgc');
	ASSERT_NE(chosen, nullptr);
	const char* tag = NULL;
	EXPECT_EQ(chosen->FindString("tag", &tag), B_OK);
	EXPECT_STREQ(tag, "image");
	ASSERT_EQ(chosen->FindRef("refs", &ref), B_OK);
	EXPECT_EQ(PathOf(ref), fDir + "/shortcut");
}


TEST_F(FilePanelTest, SaveRepliesWithDirectoryAndName)
{
	BFilePanel panel(B_SAVE_PANEL, &fTarget, &fDirRef, 0, false, NULL, NULL,
		false, true);
	panel.Show();
	// A name with a slash is not one file name: refused, nothing sent.
	panel.SetSaveText("../escape.html");
	panel.PressButton(B_DEFAULT_BUTTON);
	panel.SetSaveText("");
	panel.PressButton(B_DEFAULT_BUTTON);
	dispatch();
	EXPECT_TRUE(fReceived.messages.empty());
	EXPECT_TRUE(panel.IsShowing());

	// Selecting a file offers its name.
	EXPECT_TRUE(panel.SelectEntry("notes.txt"));
	EXPECT_EQ(panel.SaveText(), "notes.txt");
	EXPECT_TRUE(panel.OpenEntry("sub"));
	panel.SetSaveText("page.html");
	panel.PressButton(B_DEFAULT_BUTTON);
	dispatch();
	ASSERT_EQ(fReceived.messages.size(), 1u);
	const BMessage& reply = fReceived.messages[0];
	EXPECT_EQ(reply.what, (uint32)B_SAVE_REQUESTED);
	EXPECT_EQ(reply.what, (uint32)'SAVE');
	entry_ref directory;
	ASSERT_EQ(reply.FindRef("directory", &directory), B_OK);
	EXPECT_EQ(PathOf(directory), fDir + "/sub");
	const char* name = NULL;
	ASSERT_EQ(reply.FindString("name", &name), B_OK);
	EXPECT_STREQ(name, "page.html");
	EXPECT_FALSE(panel.IsShowing());
	EXPECT_EQ(fReceived.Count(B_CANCEL), 0);
}


TEST_F(FilePanelTest, CancelIsSentOnceWhenClosedWithoutChoice)
{
	BFilePanel panel(B_OPEN_PANEL, &fTarget, &fDirRef, 0, false, NULL, NULL,
		false, false);
	panel.Show();
	dispatch();
	panel.Close();
	panel.Hide();
	panel.Close();
	dispatch();
	EXPECT_EQ(fReceived.Count(B_CANCEL), 1);
	EXPECT_FALSE(panel.IsShowing());

	// Escape typed in the panel's window cancels too.
	panel.Show();
	dispatch();
	ControlsWindow::KeyTo(panel.Window(), "\x1b");
	dispatch();
	EXPECT_EQ(fReceived.Count(B_CANCEL), 2);
	EXPECT_FALSE(panel.IsShowing());

	// Not hidden when done: a choice leaves the panel up. A double click
	// in the list opens the entry as the user does it.
	panel.Show();
	dispatch();
	BListView* list = dynamic_cast<BListView*>(panel.Window()->FindView(
		"entries"));
	ASSERT_NE(list, nullptr);
	int32 index = -1;
	for (int32 i = 0; i < panel.CountShownEntries(); i++) {
		if (panel.ShownEntryAt(i) == "notes.txt")
			index = i;
	}
	ASSERT_GE(index, 0);
	panel.Window()->Lock();
	BRect row = list->ItemFrame(index);
	panel.Window()->Unlock();
	ControlsWindow::ClickIn(panel.Window(), list, BPoint(5, row.top + 2), 1);
	ControlsWindow::ClickIn(panel.Window(), list, BPoint(5, row.top + 2), 2);
	dispatch();
	ASSERT_EQ(fReceived.Count(B_REFS_RECEIVED), 1);
	entry_ref ref;
	ASSERT_EQ(fReceived.Last(B_REFS_RECEIVED)->FindRef("refs", &ref), B_OK);
	EXPECT_EQ(PathOf(ref), fDir + "/notes.txt");
	EXPECT_TRUE(panel.IsShowing());
	EXPECT_EQ(fReceived.Count(B_CANCEL), 2);
}
