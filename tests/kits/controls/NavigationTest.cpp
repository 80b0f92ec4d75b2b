// Keyboard navigation between navigable controls, multiple selection,
// tab removal, colour control layouts and the asynchronous alert window.
#include <gtest/gtest.h>

#include <Alert.h>
#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <ColorControl.h>
#include <Invoker.h>
#include <ListView.h>
#include <Messenger.h>
#include <StringItem.h>
#include <StringView.h>
#include <TabView.h>
#include <TextControl.h>
#include <TextView.h>

#include <memory>

#include "ControlsTesting.h"

namespace {

// The selected rows of a list, in order.
std::vector<int32>
selected_rows(BListView* list)
{
	std::vector<int32> rows;
	for (int32 i = 0; list->CurrentSelection(i) >= 0; i++)
		rows.push_back(list->CurrentSelection(i));
	return rows;
}

}	// namespace

TEST(NavigationTest, TabMovesThroughFieldsAndButtonsButNotDisabledOnes)
{
	ControlsWindow window;
	BTextControl* link = new BTextControl(BRect(5, 5, 460, 20), "link",
		"Link to:", "index.html", NULL);
	BTextControl* name = new BTextControl(BRect(5, 32, 460, 50), "name",
		"Link target name: #", "", NULL);
	BTextControl* off = new BTextControl(BRect(5, 60, 460, 78), "off",
		"Disabled:", "", NULL);
	BButton* button = new BButton(BRect(5, 90, 80, 114), "ok", "OK",
		new BMessage('ok  '));
	window.Add(link);
	window.Add(name);
	window.Add(off);
	window.Add(button);
	off->SetEnabled(false);
	EXPECT_FALSE(off->TextView()->IsEditable());
	link->MakeFocus(true);
	window.Show();

	EXPECT_EQ(window.Window()->CurrentFocus(), link->TextView());
	window.Key("\t");
	EXPECT_EQ(window.Window()->CurrentFocus(), name->TextView());
	// The Tab typed no character into either field.
	EXPECT_STREQ(link->Text(), "index.html");
	EXPECT_STREQ(name->Text(), "");
	window.Key("\t");
	EXPECT_EQ(window.Window()->CurrentFocus(), button);
	window.Key(" ");
	EXPECT_EQ(window.received.Count('ok  '), 1);
	window.Key("\t", B_SHIFT_KEY);
	EXPECT_EQ(window.Window()->CurrentFocus(), name->TextView());

	// Typing goes into the focused field only; a click on a label focuses
	// its field.
	window.Key("t");
	window.Key("o");
	window.Key("p");
	EXPECT_STREQ(name->Text(), "top");
	window.Click(link, BPoint(3, 5));
	EXPECT_EQ(window.Window()->CurrentFocus(), link->TextView());
}


TEST(NavigationTest, MultipleSelectionListsExtendAndReport)
{
	ControlsWindow window;
	BListView* list = new BListView(BRect(10, 10, 200, 200), "files",
		B_MULTIPLE_SELECTION_LIST);
	list->SetSelectionMessage(new BMessage('sel '));
	std::vector<std::unique_ptr<BStringItem>> items;
	for (const char* text : { "a.gif", "b.gif", "c.gif", "d.gif" }) {
		items.emplace_back(new BStringItem(text));
		list->AddItem(items.back().get());
	}
	window.Add(list);
	window.Show();

	window.Click(list, BPoint(5, list->ItemFrame(1).top + 2));
	window.Click(list, BPoint(5, list->ItemFrame(3).top + 2), 1, B_SHIFT_KEY);
	EXPECT_EQ((std::vector<int32>{ 1, 2, 3 }), selected_rows(list));
	const BMessage* last = window.received.Last('sel ');
	ASSERT_NE(last, nullptr);
	int32 index = -1;
	EXPECT_EQ(last->FindInt32("index", 2, &index), B_OK);
	EXPECT_EQ(index, 3);

	// Removing a selected row shifts the others and reports; the list
	// turned single keeps only its first selected row.
	BListItem* removed = list->RemoveItem(2);
	EXPECT_EQ(removed, items[2].get());
	EXPECT_EQ((std::vector<int32>{ 1, 2 }), selected_rows(list));
	EXPECT_EQ(list->IndexOf(items[3].get()), 2);
	list->SetListType(B_SINGLE_SELECTION_LIST);
	EXPECT_EQ((std::vector<int32>{ 1 }), selected_rows(list));
	list->Select(0, true);
	EXPECT_EQ((std::vector<int32>{ 0 }), selected_rows(list));

	// Sorting keeps the items and their selection.
	list->SortItems([](const void* a, const void* b) {
		const BStringItem* first = *(const BStringItem* const*)a;
		const BStringItem* second = *(const BStringItem* const*)b;
		return -strcmp(first->Text(), second->Text());
	});
	EXPECT_STREQ(((BStringItem*)list->ItemAt(0))->Text(), "d.gif");
	EXPECT_EQ(list->CurrentSelection(), 2);
}


// A Shift click extends from the row clicked before: rows added or removed
// above it keep that row the anchor.
TEST(NavigationTest, ShiftClicksExtendFromTheSameRowAfterRowsComeAndGo)
{
	ControlsWindow window;
	BListView* list = new BListView(BRect(10, 10, 200, 200), "files",
		B_MULTIPLE_SELECTION_LIST);
	std::vector<std::unique_ptr<BStringItem>> items;
	for (const char* text : { "a", "b", "c", "d", "e" })
		items.emplace_back(new BStringItem(text));
	for (int32 i = 1; i < 4; i++)
		list->AddItem(items[i].get());
	window.Add(list);
	window.Show();
	auto shiftClick = [&](int32 row) {
		window.Click(list, BPoint(5, list->ItemFrame(row).top + 2), 1,
			B_SHIFT_KEY);
	};
	auto selected = [&]() {
		std::string rows;
		for (int32 i = 0; list->CurrentSelection(i) >= 0; i++)
			rows += ((BStringItem*)list->ItemAt(list->CurrentSelection(i)))->Text();
		return rows;
	};

	window.Click(list, BPoint(5, list->ItemFrame(1).top + 2));	// "c"
	list->AddItem(items[0].get(), 0);
	list->AddItem(items[4].get());
	shiftClick(4);
	EXPECT_EQ("cde", selected());

	list->RemoveItem(0);
	shiftClick(0);
	EXPECT_EQ("bc", selected());
}


TEST(NavigationTest, RemovingTabsAndKeyboardOnTabs)
{
	ControlsWindow window;
	BTabView* tabs = new BTabView(BRect(0, 0, 300, 200), "tab_view",
		B_WIDTH_FROM_LABEL);
	BView* first = new BView(BRect(0, 0, 50, 50), "First", B_FOLLOW_ALL, 0);
	BView* second = new BView(BRect(0, 0, 50, 50), "Second", B_FOLLOW_ALL, 0);
	BTab* labelled = new BTab();
	labelled->SetLabel("Third tab");
	BView* third = new BView(BRect(0, 0, 50, 50), "third", B_FOLLOW_ALL, 0);
	tabs->AddTab(first);
	tabs->AddTab(second);
	tabs->AddTab(third, labelled);
	window.Add(tabs);
	window.Show();
	EXPECT_STREQ(tabs->TabAt(2)->Label(), "Third tab");
	EXPECT_EQ(tabs->ViewForTab(2), third);
	// Label-wide tabs differ in width.
	EXPECT_GT(tabs->TabFrame(2).Width(), tabs->TabFrame(0).Width());

	tabs->MakeFocus(true);
	window.Key("\x1d");
	window.Key(" ");
	EXPECT_EQ(tabs->Selection(), 1);
	EXPECT_FALSE(second->IsHidden());

	std::unique_ptr<BTab> removed(tabs->RemoveTab(1));
	ASSERT_NE(removed, nullptr);
	EXPECT_EQ(removed->View(), second);
	EXPECT_EQ(second->Parent(), nullptr);
	EXPECT_EQ(tabs->CountTabs(), 2);
	// The selection moved to a remaining tab, whose page shows.
	EXPECT_EQ(tabs->Selection(), 1);
	EXPECT_FALSE(third->IsHidden());
	EXPECT_TRUE(first->IsHidden());
}


TEST(NavigationTest, ColorControlLayoutsAndDisabledState)
{
	ControlsWindow window;
	BColorControl* columns = new BColorControl(BPoint(0, 0), B_CELLS_4x64,
		4, "columns", new BMessage('clct'));
	BColorControl* rows = new BColorControl(BPoint(0, 300), B_CELLS_32x8, 8,
		"rows", new BMessage('clct'));
	window.Add(columns);
	window.Add(rows);
	window.Show();

	EXPECT_EQ(columns->Layout(), B_CELLS_4x64);
	// 4 x 64 cells: the ramps stand upright, side by side.
	BRect red = columns->RampFrame(0);
	BRect green = columns->RampFrame(1);
	EXPECT_GT(red.Height(), red.Width());
	EXPECT_GT(green.left, red.right);
	EXPECT_FLOAT_EQ(red.Height() + 1, 64 * 4);
	// 32 x 8 cells: lying down, one under the other.
	BRect rowRed = rows->RampFrame(0);
	BRect rowGreen = rows->RampFrame(1);
	EXPECT_GT(rowRed.Width(), rowRed.Height());
	EXPECT_GT(rowGreen.top, rowRed.bottom);
	float oldWidth = rows->Bounds().Width();
	rows->SetCellSize(4);
	EXPECT_FLOAT_EQ(rows->Bounds().Width(), oldWidth - 32 * 4);

	// The bottom of the upright green ramp is full green.
	window.Click(columns, BPoint(green.left + 1, green.bottom));
	EXPECT_EQ(columns->ValueAsColor().green, 255);
	EXPECT_EQ(window.received.Count('clct'), 1);
	columns->SetEnabled(false);
	window.Click(columns, BPoint(red.left + 1, red.bottom));
	EXPECT_EQ(columns->ValueAsColor().red, 0);
	EXPECT_EQ(window.received.Count('clct'), 1);
}


TEST(NavigationTest, AsynchronousAlertWindowPostsWhichAndGoes)
{
	ASSERT_EQ(BAlert::Responder(), nullptr);
	Received received;
	RecordingLooper* looper = new RecordingLooper(&received);
	looper->Run();

	BAlert* alert = new BAlert("Alert", "Replace the file?", "Cancel",
		"Replace", NULL, B_WIDTH_FROM_WIDEST, B_STOP_ALERT);
	BMessenger alertMessenger(alert);
	EXPECT_EQ(alert->Go(new BInvoker(new BMessage('repl'), looper)), B_OK);
	dispatch();
	EXPECT_TRUE(alertMessenger.IsValid());
	EXPECT_EQ(received.Count('repl'), 0);
	ControlsWindow::KeyTo(alert, "\x1b");
	dispatch();
	ASSERT_EQ(received.Count('repl'), 1);
	int32 which = -1;
	EXPECT_EQ(received.Last('repl')->FindInt32("which", &which), B_OK);
	EXPECT_EQ(which, 0);
	// The alert closed itself.
	EXPECT_FALSE(alertMessenger.IsValid());

	// Without an invoker the answer only closes the window.
	alert = new BAlert("Alert", "Done", "OK");
	alertMessenger = BMessenger(alert);
	alert->Go(NULL);
	dispatch();
	ControlsWindow::KeyTo(alert, "\n");
	dispatch();
	EXPECT_FALSE(alertMessenger.IsValid());
	EXPECT_EQ(received.messages.size(), 1u);

	looper->Lock();
	looper->Quit();
	dispatch();
}


TEST(NavigationTest, StaticViewsSizeToTheirTexts)
{
	ControlsWindow window;
	BBox* box = new BBox(BRect(10, 10, 200, 120), "box");
	BStringView* text = new BStringView(BRect(10, 20, 180, 36), "text",
		"Proportional font:");
	box->AddChild(text);
	window.Add(box);
	window.Show();
	EXPECT_EQ(box->Border(), B_FANCY_BORDER);
	text->SetText("Fixed font:");
	float width, height;
	text->GetPreferredSize(&width, &height);
	EXPECT_FLOAT_EQ(width, ceilf(text->StringWidth("Fixed font:")));
	EXPECT_GT(height, 8);
	// The views take the panel's colour.
	EXPECT_EQ(text->ViewColor().red, 216);
}
