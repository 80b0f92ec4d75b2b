// Buttons, check boxes, text controls, lists, scroll views, tabs and the
// colour control in a real window, driven by real key and mouse messages.
#include <gtest/gtest.h>

#include <Button.h>
#include <CheckBox.h>
#include <ColorControl.h>
#include <ListView.h>
#include <MessageFilter.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <StringItem.h>
#include <TabView.h>
#include <TextControl.h>
#include <TextView.h>

#include <memory>

#include "ControlsTesting.h"

namespace {

// The program's Enter filter: posts its own code and keeps Enter from the
// field.
class EnterFilter : public BMessageFilter {
public:
	EnterFilter(uint32 command, BLooper* target)
		:
		BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE, B_KEY_DOWN),
		fCommand(command),
		fTarget(target)
	{
	}

	filter_result Filter(BMessage* message, BHandler**) override
	{
		const char* bytes = NULL;
		if (message->FindString("bytes", &bytes) == B_OK && bytes[0] == 10) {
			fTarget->PostMessage(fCommand);
			return B_SKIP_MESSAGE;
		}
		return B_DISPATCH_MESSAGE;
	}

private:
	uint32 fCommand;
	BLooper* fTarget;
};

// A colour as "red,green,blue", to compare all three at once.
std::string
rgb_text(rgb_color color)
{
	return std::to_string(color.red) + "," + std::to_string(color.green) + ","
		+ std::to_string(color.blue);
}

}	// namespace


TEST(ControlsTest, CheckBoxTogglesByMouseAndSpace)
{
	ControlsWindow window;
	BCheckBox* box = new BCheckBox(BRect(10, 10, 150, 30), "XCaseCheckBox",
		"Case sensitive", new BMessage('xcas'));
	window.Add(box);
	window.Show();
	EXPECT_EQ(box->Value(), B_CONTROL_OFF);

	window.Click(box, BPoint(5, 8));
	EXPECT_EQ(box->Value(), B_CONTROL_ON);
	ASSERT_EQ(window.received.Count('xcas'), 1);
	void* source = NULL;
	EXPECT_EQ(window.received.Last('xcas')->FindPointer("source", &source),
		B_OK);
	EXPECT_EQ(source, box);

	box->MakeFocus(true);
	window.Key(" ");
	EXPECT_EQ(box->Value(), B_CONTROL_OFF);
	EXPECT_EQ(window.received.Count('xcas'), 2);

	// Setting the value is not a user action: no message. Any non-zero
	// value is "on".
	box->SetValue(7);
	EXPECT_EQ(box->Value(), B_CONTROL_ON);
	box->SetEnabled(false);
	window.Click(box, BPoint(5, 8));
	EXPECT_EQ(box->Value(), B_CONTROL_ON);
	EXPECT_EQ(window.received.Count('xcas'), 2);

	// A press that is released outside the box changes nothing.
	box->SetEnabled(true);
	window.Press(box, BPoint(5, 8), BPoint(300, 200));
	EXPECT_EQ(box->Value(), B_CONTROL_ON);
	EXPECT_EQ(window.received.Count('xcas'), 2);
}


TEST(ControlsTest, ButtonsAndTheDefaultButton)
{
	ControlsWindow window;
	BButton* find = new BButton(BRect(10, 10, 90, 34), "FindButton", "Find",
		new BMessage('find'));
	BButton* save = new BButton(BRect(100, 10, 180, 34), "save", "Save",
		new BMessage('save'));
	BCheckBox* box = new BCheckBox(BRect(10, 50, 150, 70), "box", "Wrap",
		new BMessage('wrap'));
	window.Add(find);
	window.Add(save);
	window.Add(box);
	save->MakeDefault(true);
	window.Show();
	EXPECT_EQ(window.Window()->DefaultButton(), save);

	window.Click(find, BPoint(10, 10));
	window.Key("\n");
	std::vector<uint32> expected = { 'find', 'save' };
	EXPECT_EQ(window.received.Whats(), expected);

	// A target other than the window gets the message instead.
	Received other;
	RecordingLooper* looper = new RecordingLooper(&other);
	looper->Run();
	find->SetTarget(looper);
	find->SetEnabled(false);
	window.Click(find, BPoint(10, 10));
	EXPECT_TRUE(other.messages.empty());
	find->SetEnabled(true);
	window.Click(find, BPoint(10, 10));
	EXPECT_EQ(other.Count('find'), 1);
	EXPECT_EQ(window.received.Count('find'), 1);

	// Only one default button per window.
	find->MakeDefault(true);
	EXPECT_FALSE(save->IsDefault());
	EXPECT_EQ(window.Window()->DefaultButton(), find);
	window.Key("\n");
	EXPECT_EQ(other.Count('find'), 2);
	EXPECT_EQ(window.received.Count('save'), 1);

	looper->Lock();
	looper->Quit();
	dispatch();
}


TEST(ControlsTest, TextControlEnterFilterAndModification)
{
	ControlsWindow window;
	BTextControl* title = new BTextControl(BRect(0, 10, 245, 30), "title",
		"Title:", "Old", new BMessage('titl'));
	BTextControl* plain = new BTextControl(BRect(0, 40, 245, 60), "plain",
		"Name:", "", new BMessage('name'));
	plain->SetModificationMessage(new BMessage('modi'));
	window.Add(title);
	window.Add(plain);
	window.Show();

	BTextView* field = title->TextView();
	ASSERT_NE(field, nullptr);
	EXPECT_TRUE(field->Flags() & B_NAVIGABLE);
	EXPECT_FALSE(title->Flags() & B_NAVIGABLE);
	EXPECT_EQ(field->Parent(), title);

	EnterFilter* filter = new EnterFilter('link', window.Window());
	field->AddFilter(filter);
	title->MakeFocus(true);
	EXPECT_TRUE(field->IsFocus());

	// The filter sees Enter before the field: no line break, no message of
	// the control, the filter's code posted.
	window.Key("X");
	window.Key("\n");
	EXPECT_STREQ(title->Text(), "X");
	EXPECT_EQ(window.received.Count('link'), 1);
	EXPECT_EQ(window.received.Count('titl'), 0);
	// Other keys, Tab included, pass the filter.
	window.Key("\t");
	EXPECT_EQ(window.received.Count('link'), 1);

	field->RemoveFilter(filter);
	delete filter;
	plain->MakeFocus(true);

	// Without a filter: Enter sends the control's message only after a
	// change, and typing sends the modification message each time.
	window.Key("\n");
	EXPECT_EQ(window.received.Count('name'), 0);
	window.Key("a");
	window.Key("b");
	EXPECT_EQ(window.received.Count('modi'), 2);
	window.Key("\n");
	window.Key("\n");
	EXPECT_EQ(window.received.Count('name'), 1);
	EXPECT_STREQ(plain->Text(), "ab");
	const BMessage* sent = window.received.Last('name');
	void* source = NULL;
	EXPECT_EQ(sent->FindPointer("source", &source), B_OK);
	EXPECT_EQ(source, plain);

	// SetText is not an edit; line breaks never enter the field.
	plain->SetText("one\ntwo");
	EXPECT_STREQ(plain->Text(), "onetwo");
	window.Key("\n");
	EXPECT_EQ(window.received.Count('name'), 1);
	EXPECT_EQ(window.received.Count('modi'), 2);

	// The divider moves the field.
	title->SetDivider(40);
	EXPECT_NEAR(field->Frame().left, 40, 4);
	EXPECT_GT(field->Frame().left, 40);
	title->SetDivider(100);
	EXPECT_NEAR(field->Frame().left, 100, 4);
}


TEST(ControlsTest, ListSelectionDeselectionAndInvocation)
{
	ControlsWindow window;
	BListView* list = new BListView(BRect(10, 60, 182, 130), "colors");
	list->SetSelectionMessage(new BMessage('lich'));
	list->SetInvocationMessage(new BMessage('linv'));
	BStringItem* rows[3] = { new BStringItem("Text color"),
		new BStringItem("Link color"), new BStringItem("Background color") };
	for (BStringItem* row : rows)
		list->AddItem(row);
	window.Add(list);
	window.Show();

	BRect second = list->ItemFrame(1);
	window.Click(list, BPoint(10, second.top + 2));
	EXPECT_EQ(list->CurrentSelection(), 1);
	ASSERT_EQ(window.received.Count('lich'), 1);
	int32 index = -1;
	EXPECT_EQ(window.received.Last('lich')->FindInt32("index", &index), B_OK);
	EXPECT_EQ(index, 1);

	// A click below the rows deselects and says so.
	window.Click(list, BPoint(10, list->ItemFrame(2).bottom + 5));
	EXPECT_EQ(list->CurrentSelection(), -1);
	ASSERT_EQ(window.received.Count('lich'), 2);
	EXPECT_FALSE(window.received.Last('lich')->HasInt32("index"));
	// Again: nothing changes, nothing is said.
	window.Click(list, BPoint(10, list->ItemFrame(2).bottom + 5));
	EXPECT_EQ(window.received.Count('lich'), 2);

	// Double click invokes, on the row clicked first only; arrow keys
	// move the selection.
	window.Click(list, BPoint(10, list->ItemFrame(0).top + 2), 1);
	window.Click(list, BPoint(10, list->ItemFrame(1).top + 2), 2);
	EXPECT_EQ(window.received.Count('linv'), 0);
	window.Click(list, BPoint(10, list->ItemFrame(0).top + 2), 1);
	window.Click(list, BPoint(10, list->ItemFrame(0).top + 2), 2);
	EXPECT_EQ(window.received.Count('linv'), 1);
	window.Key("\x1f");
	EXPECT_EQ(list->CurrentSelection(), 1);
	window.Key("\n");
	EXPECT_EQ(window.received.Count('linv'), 2);
	window.Key("\x1e");
	EXPECT_EQ(list->CurrentSelection(), 0);
	window.Key("\n");
	EXPECT_EQ(window.received.Count('linv'), 3);

	// Programmatic selection reports too; removing the selected row does.
	list->Select(2);
	EXPECT_EQ(list->CurrentSelection(), 2);
	// Down on the last row stays there.
	window.Key("\x1f");
	EXPECT_EQ(list->CurrentSelection(), 2);
	dispatch();
	int32 count = window.received.Count('lich');
	list->DeselectAll();
	EXPECT_EQ(list->CurrentSelection(), -1);
	dispatch();
	EXPECT_EQ(window.received.Count('lich'), count + 1);

	list->MakeEmpty();
	EXPECT_EQ(list->CountItems(), 0);
	for (BStringItem* row : rows)
		delete row;
}


TEST(ControlsTest, ScrollViewBarsFollowAndDriveTheList)
{
	ControlsWindow window;
	BListView* list = new BListView(BRect(0, 0, 149, 99), "long",
		B_SINGLE_SELECTION_LIST, B_FOLLOW_ALL);
	std::vector<std::unique_ptr<BStringItem>> items;
	for (int i = 0; i < 40; i++) {
		items.emplace_back(new BStringItem(("Row " + std::to_string(i)).c_str()));
		list->AddItem(items.back().get());
	}
	BScrollView* scroll = new BScrollView("scroll", list, B_FOLLOW_LEFT
		| B_FOLLOW_TOP, 0, true, true, B_FANCY_BORDER);
	window.Add(scroll);
	window.Show();

	EXPECT_EQ(scroll->Target(), list);
	BScrollBar* vertical = scroll->ScrollBar(B_VERTICAL);
	BScrollBar* horizontal = scroll->ScrollBar(B_HORIZONTAL);
	ASSERT_NE(vertical, nullptr);
	ASSERT_NE(horizontal, nullptr);
	EXPECT_EQ(vertical->Target(), list);
	// The frame grew by the border and the bars around the target.
	EXPECT_FLOAT_EQ(scroll->Bounds().Width(), 149 + 4 + B_V_SCROLL_BAR_WIDTH);
	EXPECT_FLOAT_EQ(list->Frame().left, 2);

	float total = list->ItemFrame(39).bottom + 1;
	float visible = list->Bounds().Height() + 1;
	float min, max;
	vertical->GetRange(&min, &max);
	EXPECT_FLOAT_EQ(min, 0);
	EXPECT_FLOAT_EQ(max, total - visible);
	EXPECT_NEAR(vertical->Proportion(), visible / total, 0.001);

	// Moving the bar scrolls the list; selecting scrolls the bar.
	vertical->SetValue(50);
	EXPECT_FLOAT_EQ(list->Bounds().top, 50);
	list->Select(39);
	list->ScrollToSelection();
	EXPECT_FLOAT_EQ(vertical->Value(), max);
}


TEST(ControlsTest, TabsShowOnlyTheSelectedPage)
{
	ControlsWindow window;
	BTabView* tabs = new BTabView(window.Background()->Bounds(), "tab_view");
	BView* pages[3];
	const char* names[3] = { "Page settings", "General", "About" };
	for (int i = 0; i < 3; i++) {
		BRect frame = tabs->Bounds().InsetByCopy(5, 5);
		frame.bottom -= tabs->TabHeight();
		pages[i] = new BView(frame, names[i], B_FOLLOW_ALL, B_WILL_DRAW);
		tabs->AddTab(pages[i]);
	}
	window.Add(tabs);
	window.Show();

	EXPECT_EQ(tabs->CountTabs(), 3);
	EXPECT_EQ(tabs->Selection(), 0);
	EXPECT_STREQ(tabs->TabAt(1)->Label(), "General");
	EXPECT_EQ(tabs->TabAt(2)->View(), pages[2]);
	EXPECT_EQ(pages[1]->Parent(), tabs->ContainerView());
	EXPECT_FALSE(pages[0]->IsHidden());
	EXPECT_TRUE(pages[1]->IsHidden());
	// Every page is attached, shown or not.
	EXPECT_EQ(pages[2]->Window(), window.Window());
	BRect generalTab = tabs->TabFrame(1);
	EXPECT_GT(generalTab.left, tabs->TabFrame(0).left);

	window.Click(tabs, BPoint(generalTab.left + generalTab.Width() / 2,
		generalTab.top + 5));
	EXPECT_EQ(tabs->Selection(), 1);
	EXPECT_TRUE(pages[0]->IsHidden());
	EXPECT_FALSE(pages[1]->IsHidden());
	EXPECT_TRUE(pages[2]->IsHidden());
	tabs->Select(2);
	EXPECT_TRUE(pages[1]->IsHidden());
	EXPECT_FALSE(pages[2]->IsHidden());
	tabs->SetTabHeight(30);
	EXPECT_GE(tabs->ContainerView()->Frame().top, 30);
}


TEST(ControlsTest, ColorControlValuesAndRamps)
{
	ControlsWindow window;
	BColorControl* control = new BColorControl(BPoint(10, 115), B_CELLS_16x16,
		10, "ColorControl", new BMessage('clct'));
	window.Add(control);
	window.Show();

	rgb_color color = { 12, 34, 56, 255 };
	control->SetValue(color);
	EXPECT_EQ(rgb_text(color), rgb_text(control->ValueAsColor()));
	EXPECT_EQ((uint32)control->Value(), 0x0c2238ffu);
	control->SetValue((int32)0x80402000);
	EXPECT_EQ("128,64,32", rgb_text(control->ValueAsColor()));
	// 16 cells of 10 pixels across, and the widest value line fits beside
	// them (it is drawn from the swatch's left, 6 pixels after the ramps).
	EXPECT_FLOAT_EQ(control->RampFrame(0).Width() + 1, 160);
	BFont font;
	control->GetFont(&font);
	EXPECT_GE(control->Bounds().right,
		160 + 2 + 6 + font.StringWidth("Green: 255"));
	BRect red = control->RampFrame(0);
	BRect grey = control->RampFrame(3);
	EXPECT_TRUE(window.received.messages.empty());

	// The right end of the red ramp: full red, the rest kept.
	window.Click(control, BPoint(red.right, red.top + 2));
	EXPECT_EQ("255,64,32", rgb_text(control->ValueAsColor()));
	EXPECT_EQ(window.received.Count('clct'), 1);
	// The left end of the grey ramp: black.
	window.Click(control, BPoint(grey.left, grey.top + 2));
	EXPECT_EQ("0,0,0", rgb_text(control->ValueAsColor()));
	EXPECT_EQ(window.received.Count('clct'), 2);
	// Keys nudge the focused ramp.
	window.Key("\x1d");
	EXPECT_EQ("1,1,1", rgb_text(control->ValueAsColor()));
	EXPECT_EQ(window.received.Count('clct'), 3);
}
