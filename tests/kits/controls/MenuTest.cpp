// Menus: shortcuts, enabled state, searching, marking, tracking by keyboard
// and mouse in real menu windows.
#include <gtest/gtest.h>

#include <Menu.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>

#include "ControlsTesting.h"

namespace {

class MenuTest : public MenuScriptTest {
protected:
	// The visual editor's pairs: the same letter with and without Control.
	BMenuBar* BuildBar(ControlsWindow& window)
	{
		BMenuBar* bar = new BMenuBar(BRect(0, 0, 399, 14), "Main menu");
		BMenu* file = new BMenu("File");
		file->AddItem(new BMenuItem("Open page\xe2\x80\xa6", new BMessage('open'),
			'O'));
		file->AddItem(new BMenuItem("Save page", new BMessage('save'), 'S'));
		file->AddSeparatorItem();
		file->AddItem(new BMenuItem("Close", new BMessage('clos')));
		bar->AddItem(file);
		BMenu* insert = new BMenu("Insert");
		insert->AddItem(new BMenuItem("Ordered list", new BMessage('inol'), 'O',
			B_CONTROL_KEY));
		insert->AddItem(new BMenuItem("Center", new BMessage('cntr'), 'C',
			B_CONTROL_KEY));
		BMenu* nested = new BMenu("More");
		nested->AddItem(new BMenuItem("Deep", new BMessage('deep'), 'D',
			B_CONTROL_KEY | B_SHIFT_KEY));
		insert->AddItem(nested);
		bar->AddItem(insert);
		window.Add(bar);
		window.Show();
		return bar;
	}
};

}	// namespace


TEST_F(MenuTest, CommandAndCommandControlPickDifferentItems)
{
	ControlsWindow window;
	BuildBar(window);

	window.Key("o", B_COMMAND_KEY);
	// Control with Command gives the plain letter here, but a control code
	// or no raw character must work as well.
	window.Key("o", B_COMMAND_KEY | B_CONTROL_KEY);
	window.Key("\x0f", B_COMMAND_KEY | B_CONTROL_KEY, 0, 0);
	window.Key("D", B_COMMAND_KEY | B_CONTROL_KEY | B_SHIFT_KEY);
	window.Key("s", B_COMMAND_KEY);
	// Not a shortcut of any item: nothing is invoked.
	window.Key("d", B_COMMAND_KEY | B_CONTROL_KEY);

	std::vector<uint32> expected = { 'open', 'inol', 'inol', 'deep', 'save' };
	EXPECT_EQ(window.received.Whats(), expected);
	const BMessage* open = window.received.Last('open');
	ASSERT_NE(open, nullptr);
	int32 index = -1;
	EXPECT_EQ(open->FindInt32("index", &index), B_OK);
	EXPECT_EQ(index, 0);
	EXPECT_TRUE(open->HasInt64("when"));
	void* source = NULL;
	EXPECT_EQ(open->FindPointer("source", &source), B_OK);
	EXPECT_NE(source, nullptr);
}


TEST_F(MenuTest, DisabledItemsAndMenusDoNotTrigger)
{
	ControlsWindow window;
	BMenuBar* bar = BuildBar(window);
	BMenuItem* save = bar->FindItem('save');
	BMenuItem* center = bar->FindItem('cntr');
	BMenuItem* deep = bar->FindItem('deep');
	ASSERT_NE(save, nullptr);
	ASSERT_NE(center, nullptr);
	ASSERT_NE(deep, nullptr);
	save->SetEnabled(false);
	bar->SubmenuAt(1)->SetEnabled(false);
	EXPECT_FALSE(save->IsEnabled());
	EXPECT_FALSE(center->IsEnabled());
	EXPECT_FALSE(deep->IsEnabled());

	window.Key("s", B_COMMAND_KEY);
	window.Key("c", B_COMMAND_KEY | B_CONTROL_KEY);
	window.Key("D", B_COMMAND_KEY | B_CONTROL_KEY | B_SHIFT_KEY);
	EXPECT_TRUE(window.received.messages.empty());
	// A disabled item's shortcut is still its own: it does not fall
	// through to the window's standard Command keys either.

	save->SetEnabled(true);
	bar->SubmenuAt(1)->SetEnabled(true);
	window.Key("s", B_COMMAND_KEY);
	window.Key("c", B_COMMAND_KEY | B_CONTROL_KEY);
	std::vector<uint32> expected = { 'save', 'cntr' };
	EXPECT_EQ(window.received.Whats(), expected);

	// Invoking a disabled item directly posts nothing either.
	save->SetEnabled(false);
	EXPECT_NE(save->Invoke(), B_OK);
	dispatch();
	EXPECT_EQ(window.received.Count('save'), 1);
}


TEST_F(MenuTest, FindItemSearchesSubmenusAndRemovalHandsItemsBack)
{
	BMenu root("root");
	BMenu* sub = new BMenu("sub");
	BMenu* subsub = new BMenu("subsub");
	subsub->AddItem(new BMenuItem("Leaf", new BMessage('leaf')));
	sub->AddItem(new BMenuItem("Middle", new BMessage('midl')));
	sub->AddItem(subsub);
	root.AddItem(new BMenuItem("Top", new BMessage('top ')));
	root.AddItem(sub);
	root.AddItem(new BMenuItem("Last", new BMessage('leaf')));

	BMenuItem* leaf = root.FindItem('leaf');
	ASSERT_NE(leaf, nullptr);
	// Depth first: the submenu's item comes before a later top-level one.
	EXPECT_STREQ(leaf->Label(), "Leaf");
	EXPECT_EQ(leaf->Menu(), subsub);
	EXPECT_EQ(root.FindItem("Middle"), sub->ItemAt(0));
	EXPECT_EQ(root.FindItem("subsub"), sub->ItemAt(1));
	EXPECT_EQ(root.FindItem('none'), nullptr);
	EXPECT_EQ(root.FindItem("none"), nullptr);
	EXPECT_EQ(subsub->Supermenu(), sub);
	EXPECT_EQ(root.IndexOf(sub), 1);
	EXPECT_EQ(root.SubmenuAt(1), sub);

	BMenuItem* last = root.RemoveItem(2);
	ASSERT_NE(last, nullptr);
	EXPECT_EQ(last->Menu(), nullptr);
	EXPECT_EQ(root.CountItems(), 2);
	EXPECT_TRUE(root.AddItem(last, 0));
	EXPECT_EQ(root.FindItem('leaf'), last);
	// An item belongs to one menu at a time.
	EXPECT_FALSE(sub->AddItem(last));
}


TEST_F(MenuTest, RadioMarkingAndLabelFromMarked)
{
	BPopUpMenu* menu = new BPopUpMenu("Size");
	EXPECT_TRUE(menu->IsRadioMode());
	EXPECT_TRUE(menu->IsLabelFromMarked());
	const char* sizes[] = { "7", "9", "10", "12" };
	for (const char* size : sizes) {
		BMessage* message = new BMessage('fsch');
		message->AddInt32("size", atoi(size));
		menu->AddItem(new BMenuItem(size, message));
	}
	menu->ItemAt(2)->SetMarked(true);

	ControlsWindow window;
	BMenuField* field = new BMenuField(BRect(0, 0, 200, 24), "FontSize",
		"Size:", menu);
	field->SetDivider(40);
	window.Add(field);
	window.Show();
	EXPECT_STREQ(field->MenuItem()->Label(), "10");

	menu->ItemAt(0)->SetMarked(true);
	EXPECT_FALSE(menu->ItemAt(2)->IsMarked());
	EXPECT_EQ(menu->FindMarked(), menu->ItemAt(0));
	EXPECT_STREQ(field->MenuItem()->Label(), "7");

	// Choosing from the open field by keyboard marks the item, relabels the
	// field and delivers the item's message to the field's window.
	script = [](BWindow* menuWindow, BMenu*) {
		ControlsWindow::KeyTo(menuWindow, "\x1f");	// down
		ControlsWindow::KeyTo(menuWindow, "\x1f");
		ControlsWindow::KeyTo(menuWindow, "\x1f");
		ControlsWindow::KeyTo(menuWindow, "\n");
	};
	field->MakeFocus(true);
	window.Key(" ");
	ASSERT_EQ(opened.size(), 1u);
	EXPECT_EQ(opened[0], menu);
	EXPECT_TRUE(menu->ItemAt(3)->IsMarked());
	EXPECT_FALSE(menu->ItemAt(0)->IsMarked());
	EXPECT_STREQ(field->MenuItem()->Label(), "12");
	const BMessage* chosen = window.received.Last('fsch');
	ASSERT_NE(chosen, nullptr);
	int32 size = 0;
	EXPECT_EQ(chosen->FindInt32("size", &size), B_OK);
	EXPECT_EQ(size, 12);
	// The menu went back to its owner: not left in a menu window.
	EXPECT_EQ(menu->Window(), nullptr);
}


TEST_F(MenuTest, PopUpGoReturnsTheChosenItemOrNothing)
{
	BPopUpMenu menu("context", false, false);
	menu.AddItem(new BMenuItem("Image settings ...", new BMessage('    ')));
	menu.AddSeparatorItem();
	BMenuItem* disabled = new BMenuItem("Disabled", new BMessage('    '));
	disabled->SetEnabled(false);
	menu.AddItem(disabled);
	menu.AddItem(new BMenuItem("Align to TOP", new BMessage('    ')));
	menu.AddItem(new BMenuItem("Don't align", new BMessage('    ')));

	// Down twice: the separator and the disabled item are passed over.
	script = [](BWindow* menuWindow, BMenu*) {
		ControlsWindow::KeyTo(menuWindow, "\x1f");
		ControlsWindow::KeyTo(menuWindow, "\x1f");
		ControlsWindow::KeyTo(menuWindow, "\n");
	};
	BMenuItem* chosen = menu.Go(BPoint(50, 50));
	ASSERT_NE(chosen, nullptr);
	EXPECT_STREQ(chosen->Label(), "Align to TOP");
	EXPECT_FALSE(chosen->IsMarked());

	script = [](BWindow* menuWindow, BMenu*) {
		ControlsWindow::KeyTo(menuWindow, "\x1f");
		ControlsWindow::KeyTo(menuWindow, "\x1b");	// escape
	};
	EXPECT_EQ(menu.Go(BPoint(50, 50)), nullptr);

	// A mouse press and release on an item chooses it; a release alone
	// (the end of the opening click) does not.
	script = [](BWindow* menuWindow, BMenu* opened) {
		BRect frame = opened->ItemAt(4)->Frame();
		BPoint where(frame.left + 5, frame.top + 3);
		BMessage up = ControlsWindow::MouseMessage(menuWindow, B_MOUSE_UP,
			opened, BPoint(frame.left + 5, opened->ItemAt(0)->Frame().top + 3));
		menuWindow->PostMessage(&up);
		ControlsWindow::ClickIn(menuWindow, opened, where);
	};
	chosen = menu.Go(BPoint(50, 50));
	ASSERT_NE(chosen, nullptr);
	EXPECT_STREQ(chosen->Label(), "Don't align");
	EXPECT_EQ(opened.size(), 3u);
	EXPECT_EQ(menu.Window(), nullptr);
}


TEST_F(MenuTest, MenuBarOpensByKeyboardAndRunsSubmenus)
{
	ControlsWindow window;
	BMenuBar* bar = BuildBar(window);
	// F10 opens "File"; Right moves to "Insert"; Up wraps to its last
	// item, the "More" submenu; Right opens it and selects "Deep".
	script = [](BWindow* menuWindow, BMenu* menu) {
		if (strcmp(menu->Name(), "File") == 0)
			ControlsWindow::KeyTo(menuWindow, "\x1d");
		else if (strcmp(menu->Name(), "Insert") == 0) {
			ControlsWindow::KeyTo(menuWindow, "\x1e");
			ControlsWindow::KeyTo(menuWindow, "\x1d");
		} else
			ControlsWindow::KeyTo(menuWindow, "\n");
	};
	char f10[2] = { (char)B_FUNCTION_KEY, 0 };
	window.Key(f10, 0, B_F10_KEY);
	ASSERT_EQ(opened.size(), 3u);
	EXPECT_STREQ(opened[0]->Name(), "File");
	EXPECT_STREQ(opened[1]->Name(), "Insert");
	EXPECT_STREQ(opened[2]->Name(), "More");
	std::vector<uint32> expected = { 'deep' };
	EXPECT_EQ(window.received.Whats(), expected);

	// A click on a title opens its menu; a click on an item invokes it.
	script = [](BWindow* menuWindow, BMenu* menu) {
		BRect frame = menu->ItemAt(1)->Frame();
		ControlsWindow::ClickIn(menuWindow, menu,
			BPoint(frame.left + 4, frame.top + 3));
	};
	BRect title = bar->ItemAt(0)->Frame();
	window.Click(bar, BPoint(title.left + 3, title.top + 3));
	EXPECT_EQ(window.received.Count('save'), 1);
	EXPECT_EQ(bar->SubmenuAt(0)->Window(), nullptr);
}


TEST_F(MenuTest, LayoutAndShortcutTexts)
{
	ControlsWindow window;
	BMenuBar* bar = BuildBar(window);
	// The bar keeps the window's width and takes the font's height.
	EXPECT_FLOAT_EQ(bar->Bounds().Width(), window.Window()->Bounds().Width());
	EXPECT_GT(bar->Bounds().Height(), 14);
	EXPECT_LT(bar->Bounds().Height(), 40);
	BRect first = bar->ItemAt(0)->Frame();
	BRect second = bar->ItemAt(1)->Frame();
	EXPECT_GT(second.left, first.right);
	EXPECT_FLOAT_EQ(second.top, first.top);

	BMenu column("column");
	column.AddItem(new BMenuItem("One", NULL, 'O'));
	column.AddSeparatorItem();
	column.AddItem(new BMenuItem("A longer label", NULL, 'I', B_CONTROL_KEY));
	column.ResizeToPreferred();
	BRect one = column.ItemAt(0)->Frame();
	BRect separator = column.ItemAt(1)->Frame();
	BRect longer = column.ItemAt(2)->Frame();
	EXPECT_GT(separator.top, one.bottom);
	EXPECT_GT(longer.top, separator.bottom);
	EXPECT_LT(separator.Height(), one.Height());
	EXPECT_FLOAT_EQ(one.left, longer.left);
	EXPECT_FLOAT_EQ(one.right, longer.right);
	// Room for the widest label and its shortcut.
	BFont font;
	column.GetFont(&font);
	EXPECT_GT(column.Bounds().Width(), font.StringWidth("A longer label")
		+ font.StringWidth("Ctrl+Alt+I"));

	char text[32];
	column.ItemAt(0)->GetShortcutText(text, sizeof(text));
	EXPECT_STREQ(text, "Alt+O");
	column.ItemAt(2)->GetShortcutText(text, sizeof(text));
	EXPECT_STREQ(text, "Ctrl+Alt+I");
	uint32 modifiers = 0;
	EXPECT_EQ(column.ItemAt(2)->Shortcut(&modifiers), 'I');
	EXPECT_EQ(modifiers, (uint32)(B_COMMAND_KEY | B_CONTROL_KEY));
}
