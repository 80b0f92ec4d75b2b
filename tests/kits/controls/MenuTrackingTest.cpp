// Menus opened in their windows: mouse hover into submenus, Escape by
// levels, trigger letters, targets, and the window's MenusBeginning hook.
#include <gtest/gtest.h>

#include <Menu.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>

#include "ControlsTesting.h"
#include "HostWindow.h"
#include "WindowPrivate.h"

namespace {

// Counts MenusBeginning() calls and disables "Save" there, as an editor
// does for a saved document.
class HookWindow : public RecordingWindow {
public:
	HookWindow(Received* received)
		:
		RecordingWindow(received, BRect(50, 50, 349, 249))
	{
	}

	void MenusBeginning() override
	{
		beginnings++;
		BMenuItem* save = KeyMenuBar()->FindItem('save');
		if (save != NULL)
			save->SetEnabled(!saved);
	}

	void MenusEnded() override { endings++; }

	int32 beginnings = 0;
	int32 endings = 0;
	bool saved = false;
};

class MenuTrackingTest : public MenuScriptTest {
protected:
	// "Align" holds a submenu in the middle of plain items.
	static BPopUpMenu* BuildContextMenu()
	{
		BPopUpMenu* menu = new BPopUpMenu("context", false, false);
		menu->AddItem(new BMenuItem("Image settings ...", new BMessage('imgs')));
		BMenu* align = new BMenu("Align");
		align->AddItem(new BMenuItem("Top", new BMessage('atop')));
		align->AddItem(new BMenuItem("Middle", new BMessage('amid')));
		align->AddItem(new BMenuItem("Bottom", new BMessage('abot')));
		menu->AddItem(align);
		menu->AddItem(new BMenuItem("Remove", new BMessage('remv')));
		return menu;
	}

	// A mouse move or release at a screen point, sent to `window` as the
	// host sends them to the window the button was pressed in.
	static void PointerTo(BWindow* window, uint32 what, BPoint screen)
	{
		BPoint inWindow = window->ConvertFromScreen(screen);
		BMessage message(what);
		message.AddPoint("where", inWindow);
		message.AddPoint("be:window_where", inWindow);
		message.AddInt32("buttons", what == B_MOUSE_UP ? 0 : B_PRIMARY_MOUSE_BUTTON);
		message.AddInt32("modifiers", 0);
		message.AddInt64("when", 0);
		window->PostMessage(&message);
	}

	static BPoint ItemOnScreen(BMenu* menu, int32 index)
	{
		return menu->ConvertToScreen(ItemPoint(menu, index));
	}

	static void Hover(BWindow* window, BMenu* menu, int32 index)
	{
		BMessage moved = ControlsWindow::MouseMessage(window, B_MOUSE_MOVED, menu,
			ItemPoint(menu, index));
		window->PostMessage(&moved);
	}

	// A shown window with `views` in it, closed at the end of the test.
	HookWindow* ShowHookWindow(std::initializer_list<BView*> views)
	{
		fHookWindow = new HookWindow(&received);
		fHookWindow->Lock();
		for (BView* view : views)
			fHookWindow->AddChild(view);
		fHookWindow->Show();
		fHookWindow->Unlock();
		dispatch();
		return fHookWindow;
	}

	void TearDown() override
	{
		if (fHookWindow != NULL && fHookWindow->Lock())
			fHookWindow->Quit();
		dispatch();
		MenuScriptTest::TearDown();
	}

	Received received;

private:
	HookWindow* fHookWindow = NULL;
};


}	// namespace


TEST_F(MenuTrackingTest, HoverOpensSubmenusAndClickChoosesInThem)
{
	std::unique_ptr<BPopUpMenu> menu(BuildContextMenu());
	// Hovering "Align" opens its submenu beside it; a click there chooses.
	script = [](BWindow* window, BMenu* opened) {
		if (strcmp(opened->Name(), "context") == 0)
			Hover(window, opened, 1);
		else {
			ControlsWindow::ClickIn(window, opened, ItemPoint(opened, 2));
		}
	};
	BMenuItem* chosen = menu->Go(BPoint(100, 100), true);
	ASSERT_NE(chosen, nullptr);
	EXPECT_STREQ(chosen->Label(), "Bottom");
	std::vector<std::string> opened = { "context", "Align" };
	EXPECT_EQ(openedNames, opened);
	// Both windows are gone and the menus are back with their owners.
	EXPECT_EQ(menu->Window(), nullptr);
	EXPECT_EQ(menu->SubmenuAt(1)->Window(), nullptr);
	EXPECT_EQ(menu->SubmenuAt(1)->Supermenu(), menu.get());
}


TEST_F(MenuTrackingTest, EscapeClosesOneLevelAtATime)
{
	std::unique_ptr<BPopUpMenu> menu(BuildContextMenu());
	// Open "Align" by keyboard and leave it with Escape; then choose
	// "Remove" in the first menu, which is still open and has the
	// keyboard again.
	int32 contextOpens = 0;
	BWindow* contextWindow = NULL;
	script = [&contextOpens, &contextWindow](BWindow* window,
			BMenu* opened) {
		if (strcmp(opened->Name(), "context") == 0) {
			contextOpens++;
			contextWindow = window;
			ControlsWindow::KeyTo(window, "\x1f");
			ControlsWindow::KeyTo(window, "\x1f");
			ControlsWindow::KeyTo(window, "\x1d");
		} else {
			ControlsWindow::KeyTo(window, "\x1b");
			ControlsWindow::KeyTo(contextWindow, "\x1f");
			ControlsWindow::KeyTo(contextWindow, "\n");
		}
	};
	BMenuItem* chosen = menu->Go(BPoint(100, 100));
	ASSERT_NE(chosen, nullptr);
	EXPECT_STREQ(chosen->Label(), "Remove");
	EXPECT_EQ(contextOpens, 1);
	EXPECT_EQ(openedNames.size(), 2u);
}


TEST_F(MenuTrackingTest, TriggerLettersAndDisabledMenus)
{
	std::unique_ptr<BPopUpMenu> menu(BuildContextMenu());
	// "r" is the only item starting with R: chosen at once.
	script = [](BWindow* window, BMenu*) {
		ControlsWindow::KeyTo(window, "r");
	};
	BMenuItem* chosen = menu->Go(BPoint(10, 10));
	ASSERT_NE(chosen, nullptr);
	EXPECT_STREQ(chosen->Label(), "Remove");

	// A disabled submenu does not open; Enter on it does nothing and the
	// menu is dismissed with Escape.
	menu->SubmenuAt(1)->SetEnabled(false);
	EXPECT_FALSE(menu->ItemAt(1)->IsEnabled());
	script = [](BWindow* window, BMenu* opened) {
		if (strcmp(opened->Name(), "context") == 0) {
			ControlsWindow::KeyTo(window, "a");
			ControlsWindow::KeyTo(window, "\x1d");
			ControlsWindow::KeyTo(window, "\x1b");
		}
	};
	EXPECT_EQ(menu->Go(BPoint(10, 10)), nullptr);
	std::vector<std::string> opened = { "context", "context" };
	EXPECT_EQ(openedNames, opened);
}


TEST_F(MenuTrackingTest, DeliveredItemsGoToTheirTargets)
{
	Received other;
	RecordingLooper* looper = new RecordingLooper(&other);
	looper->Run();
	std::unique_ptr<BPopUpMenu> menu(BuildContextMenu());
	menu->SetTargetForItems(looper);
	menu->SubmenuAt(1)->SetTargetForItems(BMessenger(looper));
	script = [](BWindow* window, BMenu* opened) {
		if (strcmp(opened->Name(), "context") == 0)
			ControlsWindow::KeyTo(window, "i");
	};
	BMenuItem* chosen = menu->Go(BPoint(10, 10), true);
	ASSERT_NE(chosen, nullptr);
	dispatch();
	ASSERT_EQ(other.Count('imgs'), 1);
	int32 index = -1;
	EXPECT_EQ(other.Last('imgs')->FindInt32("index", &index), B_OK);
	EXPECT_EQ(index, 0);
	void* source = NULL;
	EXPECT_EQ(other.Last('imgs')->FindPointer("source", &source), B_OK);
	EXPECT_EQ(source, menu->ItemAt(0));

	// Not delivering: the caller acts on the item, nothing is posted.
	script = [](BWindow* window, BMenu*) {
		ControlsWindow::KeyTo(window, "i");
	};
	EXPECT_EQ(menu->Go(BPoint(10, 10), false), menu->ItemAt(0));
	dispatch();
	EXPECT_EQ(other.Count('imgs'), 1);

	// The asynchronous form returns at once with nothing and delivers.
	EXPECT_EQ(menu->Go(BPoint(10, 10), false, false, true), nullptr);
	dispatch();
	EXPECT_EQ(other.Count('imgs'), 2);
	looper->Lock();
	looper->Quit();
	dispatch();
}


TEST_F(MenuTrackingTest, MenusBeginningDecidesBeforeShortcutsAndMenus)
{
	BMenuBar* bar = new BMenuBar(BRect(0, 0, 299, 14), "Main menu");
	BMenu* file = new BMenu("File");
	file->AddItem(new BMenuItem("Save page", new BMessage('save'), 'S'));
	file->AddItem(new BMenuItem("Reload", new BMessage('reld'), 'R'));
	bar->AddItem(file);
	HookWindow* window = ShowHookWindow({ bar });
	EXPECT_EQ(window->KeyMenuBar(), bar);

	ControlsWindow::KeyTo(window, "s", B_COMMAND_KEY);
	dispatch();
	EXPECT_EQ(received.Count('save'), 1);
	window->saved = true;
	ControlsWindow::KeyTo(window, "s", B_COMMAND_KEY);
	ControlsWindow::KeyTo(window, "r", B_COMMAND_KEY);
	dispatch();
	EXPECT_EQ(received.Count('save'), 1);
	EXPECT_EQ(received.Count('reld'), 1);
	EXPECT_EQ(window->beginnings, 3);
	EXPECT_EQ(window->endings, 3);

	// Opening the menu asks too: the disabled item is passed over and
	// Enter chooses the next one.
	script = [](BWindow* menuWindow, BMenu*) {
		ControlsWindow::KeyTo(menuWindow, "\n");
	};
	char f10[2] = { (char)B_FUNCTION_KEY, 0 };
	ControlsWindow::KeyTo(window, f10, 0, B_F10_KEY);
	dispatch();
	EXPECT_EQ(received.Count('reld'), 2);
	EXPECT_EQ(window->beginnings, 4);
}


TEST_F(MenuTrackingTest, MenuFieldFollowsItsMenu)
{
	ControlsWindow window;
	BPopUpMenu* fonts = new BPopUpMenu("Font");
	fonts->AddItem(new BMenuItem("DejaVu Sans", new BMessage('fnch')));
	fonts->AddItem(new BMenuItem("Liberation Serif", new BMessage('fnch')));
	BMenuField* field = new BMenuField(BRect(0, 87, 245, 110), "Font",
		"Proportional font:", fonts);
	window.Add(field);
	window.Show();
	// Nothing marked: the menu's name shows.
	EXPECT_STREQ(field->MenuItem()->Label(), "Font");
	EXPECT_EQ(field->Menu(), fonts);
	EXPECT_GT(field->Divider(), 0);

	// A click on the field opens the menu below it; a disabled field does
	// not open.
	script = [](BWindow* menuWindow, BMenu* menu) {
		ControlsWindow::ClickIn(menuWindow, menu, ItemPoint(menu, 1));
	};
	window.Click(field, BPoint(field->Divider() + 10, 8));
	EXPECT_STREQ(field->MenuItem()->Label(), "Liberation Serif");
	EXPECT_TRUE(fonts->ItemAt(1)->IsMarked());
	EXPECT_EQ(window.received.Count('fnch'), 1);

	field->SetEnabled(false);
	EXPECT_FALSE(fonts->IsEnabled());
	window.Click(field, BPoint(field->Divider() + 10, 8));
	EXPECT_EQ(openedNames.size(), 1u);
	EXPECT_EQ(window.received.Count('fnch'), 1);

	// Labels follow marking done by the program too.
	fonts->ItemAt(0)->SetMarked(true);
	EXPECT_STREQ(field->MenuItem()->Label(), "DejaVu Sans");
	// Leaving radio mode stops the label from following.
	fonts->SetRadioMode(false);
	EXPECT_FALSE(fonts->IsLabelFromMarked());
	fonts->ItemAt(1)->SetMarked(true);
	EXPECT_TRUE(fonts->ItemAt(0)->IsMarked());
	EXPECT_STREQ(field->MenuItem()->Label(), "DejaVu Sans");
}


TEST_F(MenuTrackingTest, PressedOnTheBarOrAFieldDraggedAndLetGoOverAnItem)
{
	// While the button is held the host sends the moves and the release to
	// the window it was pressed in, which waits for the menu session. An
	// Escape to the menu afterwards ends a session that missed them.
	BMenuBar* bar = new BMenuBar(BRect(0, 0, 299, 14), "Main menu");
	BMenu* file = new BMenu("File");
	file->AddItem(new BMenuItem("New page", new BMessage('new ')));
	file->AddItem(new BMenuItem("Save page", new BMessage('save')));
	bar->AddItem(file);
	BPopUpMenu* fonts = new BPopUpMenu("Font");
	fonts->AddItem(new BMenuItem("DejaVu Sans", new BMessage('fnch')));
	fonts->AddItem(new BMenuItem("Liberation Serif", new BMessage('fnch')));
	BMenuField* field = new BMenuField(BRect(0, 87, 245, 110), "Font",
		"Proportional font:", fonts);
	HookWindow* window = ShowHookWindow({ bar, field });

	script = [window](BWindow* menuWindow, BMenu* menu) {
		BPoint item = ItemOnScreen(menu, 1);
		PointerTo(window, B_MOUSE_MOVED, item);
		PointerTo(window, B_MOUSE_UP, item);
		ControlsWindow::KeyTo(menuWindow, "\x1b");
	};
	BRect title = bar->ItemAt(0)->Frame();
	BMessage down = ControlsWindow::MouseMessage(window, B_MOUSE_DOWN, bar,
		BPoint(title.left + 4, title.top + 3));
	window->PostMessage(&down);
	dispatch();
	EXPECT_EQ(received.Count('save'), 1);
	EXPECT_EQ(received.Count('new '), 0);

	down = ControlsWindow::MouseMessage(window, B_MOUSE_DOWN, field,
		BPoint(field->Divider() + 10, 8));
	window->PostMessage(&down);
	dispatch();
	EXPECT_STREQ(field->MenuItem()->Label(), "Liberation Serif");
	EXPECT_EQ(received.Count('fnch'), 1);

	EXPECT_EQ(openedNames.size(), 2u);
}


TEST_F(MenuTrackingTest, OtherTitlesTakeOverAndTheOpenTitleCloses)
{
	BMenuBar* bar = new BMenuBar(BRect(0, 0, 299, 14), "Main menu");
	BMenu* file = new BMenu("File");
	file->AddItem(new BMenuItem("Save page", new BMessage('save')));
	BMenu* edit = new BMenu("Edit");
	edit->AddItem(new BMenuItem("Copy", new BMessage('copy')));
	bar->AddItem(file);
	bar->AddItem(edit);
	HookWindow* window = ShowHookWindow({ bar });

	// Clicked open, File stays. The mouse goes over "Edit" on the bar, a
	// press on "File" brings File back, a press on its own title closes
	// it. Each step sends an Escape to the menu too, which ends a session
	// that missed the step.
	auto titleOnScreen = [bar](int32 index) {
		BRect title = bar->ItemAt(index)->Frame();
		return bar->ConvertToScreen(BPoint(title.left + 4, title.top + 3));
	};
	script = [window, titleOnScreen](BWindow* menuWindow, BMenu*) {
		switch (openedNames.size()) {
			case 1:
				PointerTo(window, B_MOUSE_MOVED, titleOnScreen(1));
				break;
			case 2:
			case 3:
				PointerTo(window, B_MOUSE_DOWN, titleOnScreen(0));
				PointerTo(window, B_MOUSE_UP, titleOnScreen(0));
				break;
		}
		ControlsWindow::KeyTo(menuWindow, "\x1b");
	};
	BRect title = bar->ItemAt(0)->Frame();
	ControlsWindow::ClickIn(window, bar, BPoint(title.left + 4, title.top + 3));
	dispatch();
	std::vector<std::string> expected = { "File", "Edit", "File" };
	EXPECT_EQ(openedNames, expected);
	EXPECT_EQ(received.Count('copy'), 0);
	EXPECT_EQ(received.Count('save'), 0);
	EXPECT_EQ(window->beginnings, 1);
	EXPECT_EQ(window->endings, 1);

	// Hovered into, a menu answers clicks as usual.
	script = [window, titleOnScreen](BWindow* menuWindow, BMenu* menu) {
		if (strcmp(menu->Name(), "File") == 0) {
			PointerTo(window, B_MOUSE_MOVED, titleOnScreen(1));
			ControlsWindow::KeyTo(menuWindow, "\x1b");
		} else {
			ControlsWindow::ClickIn(menuWindow, menu, ItemPoint(menu, 0));
		}
	};
	ControlsWindow::ClickIn(window, bar, BPoint(title.left + 4, title.top + 3));
	dispatch();
	EXPECT_EQ(received.Count('copy'), 1);
}


namespace {

// Puts a menu session away after a while, so that a menu the host never
// lets the user reach ends the test instead of hanging it.
struct Watchdog {
	BMessenger menuWindow;
	int32 timer = -1;

	static void Fire(void* cookie)
	{
		Watchdog* watchdog = static_cast<Watchdog*>(cookie);
		watchdog->menuWindow.SendMessage(B_QUIT_REQUESTED);
	}
};

}	// namespace


TEST_F(MenuTrackingTest, AModalWindowsMenusTakeTheUsersClicks)
{
	// The host shuts a modal window's application out, except the windows
	// that belong to the modal one: its menus must be among them, or no
	// click on an item ever arrives.
	BWindow* window = new RecordingWindow(&received);
	window->SetFeel(B_MODAL_APP_WINDOW_FEEL);
	BPopUpMenu* sizes = new BPopUpMenu("Size");
	sizes->AddItem(new BMenuItem("10", new BMessage('fsch')));
	sizes->AddItem(new BMenuItem("18", new BMessage('fsch')));
	BMenuField* field = new BMenuField(BRect(5, 110, 245, 142), "FontSize",
		"Size:", sizes);
	window->Lock();
	window->AddChild(field);
	window->Unlock();
	window->Show();
	dispatch();

	Watchdog watchdog;
	script = [&watchdog](BWindow* menuWindow, BMenu* menu) {
		watchdog.menuWindow = BMessenger(menuWindow);
		watchdog.timer = BPrivate::add_timer(2000000, Watchdog::Fire,
			&watchdog);
		BPrivate::WindowPrivate* data = BPrivate::window_private(menuWindow);
		ASSERT_NE(data->host, nullptr);
		BRect frame = menu->ItemAt(1)->Frame();
		float x = frame.left + 6;
		float y = frame.top + 3;
		data->host->FeedMouse(BPrivate::HOST_MOUSE_DOWN, x, y,
			B_PRIMARY_MOUSE_BUTTON, B_PRIMARY_MOUSE_BUTTON, 1000);
		data->host->FeedMouse(BPrivate::HOST_MOUSE_UP, x, y, 0,
			B_PRIMARY_MOUSE_BUTTON, 1040);
	};
	ControlsWindow::ClickIn(window, field, BPoint(field->Divider() + 10, 8));
	dispatch();
	if (watchdog.timer >= 0)
		BPrivate::remove_timer(watchdog.timer);

	EXPECT_EQ(received.Count('fsch'), 1);
	EXPECT_STREQ(field->MenuItem()->Label(), "18");
	window->Lock();
	window->Quit();
	dispatch();
}
