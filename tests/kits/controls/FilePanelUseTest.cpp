// The file panel used as a user does: the path menu, the name field with
// Enter, directories as the choice, and the panel's settings.
#include <gtest/gtest.h>

#include <Button.h>
#include <Entry.h>
#include <FilePanel.h>
#include <Menu.h>
#include <MenuItem.h>
#include <Path.h>
#include <TextControl.h>
#include <TextView.h>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "PanelTesting.h"
#include "TempFolder.h"

namespace {

class FilePanelUseTest : public PanelTest {
protected:
	FilePanelUseTest() : PanelTest("use") {}

	void SetUp() override
	{
		PanelTest::SetUp();
		mkdir((fDir + "/site").c_str(), 0755);
		mkdir((fDir + "/site/images").c_str(), 0755);
		Touch("site/index.html");
	}
};


// Picks the path menu's item for the directory two levels up.
void
choose_grandparent(BWindow* window, BMenu* menu, void*)
{
	int32 count = menu->CountItems();
	for (int32 i = 0; i < count - 2; i++)
		ControlsWindow::KeyTo(window, "\x1f");
	ControlsWindow::KeyTo(window, "\n");
}

}	// namespace


TEST_F(FilePanelUseTest, PathMenuNamesEveryLevelAndMovesUp)
{
	entry_ref start;
	ASSERT_EQ(get_ref_for_path((fDir + "/site/images").c_str(), &start), B_OK);
	BFilePanel panel(B_OPEN_PANEL, &fTarget, &start);
	EXPECT_EQ(panel.PanelPath(), fDir + "/site/images");
	entry_ref shown;
	panel.GetPanelDirectory(&shown);
	EXPECT_EQ(PathOf(shown), fDir + "/site/images");
	panel.Show();
	dispatch();

	BWindow* window = panel.Window();
	window->Lock();
	BView* path = window->FindView("path");
	ASSERT_NE(path, nullptr);
	window->Unlock();
	BMenu::SetOpenHook(choose_grandparent, NULL);
	ControlsWindow::ClickIn(window, path, BPoint(20, 8));
	dispatch();
	EXPECT_EQ(panel.PanelPath(), fDir);
	EXPECT_TRUE(panel.IsShowing());
	EXPECT_TRUE(fReceived.messages.empty());
}


TEST_F(FilePanelUseTest, EnterInTheNameFieldSaves)
{
	entry_ref site;
	ASSERT_EQ(get_ref_for_path((fDir + "/site").c_str(), &site), B_OK);
	BMessage message('pgsv');
	BFilePanel panel(B_SAVE_PANEL, &fTarget, &site, 0, false, &message);
	panel.SetButtonLabel(B_DEFAULT_BUTTON, "Create");
	panel.Show();
	dispatch();

	BWindow* window = panel.Window();
	window->Lock();
	BTextControl* name = dynamic_cast<BTextControl*>(window->FindView("name"));
	ASSERT_NE(name, nullptr);
	EXPECT_STREQ(name->Text(), "untitled");
	EXPECT_EQ(window->CurrentFocus(), name->TextView());
	BButton* button = dynamic_cast<BButton*>(window->FindView("default"));
	ASSERT_NE(button, nullptr);
	EXPECT_STREQ(button->Label(), "Create");
	name->TextView()->SelectAll();
	window->Unlock();

	for (const char* key : { "n", "e", "w", ".", "h", "t", "m" })
		ControlsWindow::KeyTo(window, key);
	ControlsWindow::KeyTo(window, "\n");
	dispatch();
	ASSERT_EQ(fReceived.messages.size(), 1u);
	const BMessage& reply = fReceived.messages[0];
	EXPECT_EQ(reply.what, (uint32)'pgsv');
	const char* typed = NULL;
	ASSERT_EQ(reply.FindString("name", &typed), B_OK);
	EXPECT_STREQ(typed, "new.htm");
	entry_ref directory;
	ASSERT_EQ(reply.FindRef("directory", &directory), B_OK);
	EXPECT_EQ(PathOf(directory), fDir + "/site");
	EXPECT_FALSE(panel.IsShowing());
}


TEST_F(FilePanelUseTest, DirectoryPanelsChooseDirectories)
{
	BFilePanel panel(B_OPEN_PANEL, &fTarget, NULL, B_DIRECTORY_NODE, false);
	EXPECT_EQ(panel.NodeFlavors(), (uint32)B_DIRECTORY_NODE);
	panel.SetPanelDirectory(fDir.c_str());
	EXPECT_EQ(panel.PanelPath(), fDir);
	panel.Show();
	EXPECT_TRUE(panel.SelectEntry("site"));
	panel.PressButton(B_DEFAULT_BUTTON);
	dispatch();
	ASSERT_EQ(fReceived.Count(B_REFS_RECEIVED), 1);
	entry_ref chosen;
	ASSERT_EQ(fReceived.Last(B_REFS_RECEIVED)->FindRef("refs", &chosen), B_OK);
	EXPECT_EQ(PathOf(chosen), fDir + "/site");
	// The directory was chosen, not entered.
	EXPECT_EQ(panel.PanelPath(), fDir);

	// A path that is no directory leaves the panel where it was.
	panel.SetPanelDirectory((fDir + "/site/index.html").c_str());
	panel.SetPanelDirectory((fDir + "/missing").c_str());
	EXPECT_EQ(panel.PanelPath(), fDir);

	// Default panels: files only, single selection; the default start is
	// the home folder and the target the application when none is given.
	BFilePanel plain;
	EXPECT_EQ(plain.NodeFlavors(), (uint32)B_FILE_NODE);
	EXPECT_EQ(plain.PanelMode(), B_OPEN_PANEL);
	EXPECT_TRUE(plain.HidesWhenDone());
	EXPECT_FALSE(plain.IsModal());
	EXPECT_FALSE(plain.IsShowing());
}
