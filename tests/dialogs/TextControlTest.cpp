/*
 * The dialogs' text controls: Enter posts the control's code to its window
 * and never reaches the field; everything else does. The save button of the
 * settings tabs.
 */
#include <gtest/gtest.h>

#include <Font.h>
#include <List.h>
#include <TextView.h>

#include <cmath>

#include "../kits/controls/ControlsTesting.h"
#include "RTextControl.h"

namespace {

constexpr uint32 kEnterCode = 'etst';
constexpr uint32 kOtherCode = 'othr';

class TextControlTest : public testing::Test {
protected:
	static int32 FilterCount(BTextControl* control)
	{
		BList* filters = control->TextView()->FilterList();
		return filters != nullptr ? filters->CountItems() : 0;
	}

	static void Focus(ControlsWindow& window, BTextControl* control)
	{
		ASSERT_TRUE(window.Window()->Lock());
		control->MakeFocus(true);
		window.Window()->Unlock();
	}
};

}	// namespace


TEST_F(TextControlTest, EnterPostsTheCodeAndOtherKeysReachTheField)
{
	ControlsWindow window;
	RTextControl* control = new RTextControl(BRect(10, 10, 300, 30),
		(char*)"Address:", (char*)"old", new BMessage(kEnterCode));
	RTextControl* second = new RTextControl(BRect(10, 40, 300, 60),
		(char*)"Name:", (char*)"", new BMessage(kOtherCode));
	window.Add(control);
	window.Add(second);
	window.Show();
	Focus(window, control);

	window.Key("X");	// replaces the selected "old"
	window.Key("\n");
	// The field never saw the Enter (it would have selected its text, and
	// the next key would replace it).
	window.Key("Y");
	EXPECT_STREQ(control->Text(), "XY");
	EXPECT_EQ(window.received.Count(kEnterCode), 1);
	EXPECT_EQ(window.received.Count(kOtherCode), 0);

	// A key message without bytes passes the filter untouched.
	BMessage bare(B_KEY_DOWN);
	BHandler* target = control->TextView();
	EXPECT_EQ(control->enterFilter->Filter(&bare, &target),
		B_DISPATCH_MESSAGE);
	EXPECT_EQ(target, control->TextView());
	BMessage letter = ControlsWindow::KeyMessage("a");
	EXPECT_EQ(control->enterFilter->Filter(&letter, &target),
		B_DISPATCH_MESSAGE);
	EXPECT_EQ(window.received.Count(kEnterCode), 1);

	// Tab goes on to the field, which moves the focus to the next one.
	window.Key("\t");
	EXPECT_TRUE(second->TextView()->IsFocus());
	window.Key("\n");
	EXPECT_EQ(window.received.Count(kOtherCode), 1);
	EXPECT_EQ(window.received.Count(kEnterCode), 1);
}


TEST_F(TextControlTest, OneFilterPerControlWhereverItIsAttached)
{
	ControlsWindow first;
	ControlsWindow other;
	RTextControl* control = new RTextControl(BRect(10, 10, 300, 30),
		(char*)"Find:", (char*)"", new BMessage(kEnterCode));
	EXPECT_EQ(control->enterFilter, nullptr);
	EXPECT_EQ(FilterCount(control), 0);

	first.Add(control);
	first.Show();
	EnterFilter* filter = control->enterFilter;
	ASSERT_NE(filter, nullptr);
	EXPECT_EQ(filter->target, first.Window());
	EXPECT_EQ(filter->command, kEnterCode);
	EXPECT_EQ(FilterCount(control), 1);

	// Attached a second time, the control keeps its one filter, which now
	// posts to the window it is in.
	ASSERT_TRUE(first.Window()->Lock());
	control->RemoveSelf();
	first.Window()->Unlock();
	other.Add(control);
	other.Show();
	EXPECT_EQ(control->enterFilter, filter);
	EXPECT_EQ(FilterCount(control), 1);
	Focus(other, control);
	other.Key("\n");
	EXPECT_EQ(other.received.Count(kEnterCode), 1);
	EXPECT_EQ(first.received.Count(kEnterCode), 0);
}


TEST_F(TextControlTest, DeletingLeavesOtherFiltersAlone)
{
	// Never attached: nothing to take off, nothing deleted twice (the
	// sanitizer build watches this).
	delete new RTextControl(BRect(0, 0, 100, 20), (char*)"A:", (char*)"",
		new BMessage(kEnterCode));

	// A filter someone else put on the field stays there until the field
	// goes; the control takes off only its own.
	ControlsWindow window;
	RBoldTextControl* control = new RBoldTextControl(BRect(10, 10, 300, 30),
		(char*)"Find:", (char*)"", new BMessage(kEnterCode));
	window.Add(control);
	window.Show();
	BMessageFilter* foreign = new BMessageFilter(B_KEY_DOWN);
	control->TextView()->AddFilter(foreign);
	ASSERT_EQ(FilterCount(control), 2);
	EnterFilter* own = control->enterFilter;
	BList* filters = control->TextView()->FilterList();
	EXPECT_TRUE(filters->HasItem(own));

	ASSERT_TRUE(window.Window()->Lock());
	BTextView* field = control->TextView();
	control->RemoveChild(field);
	control->RemoveSelf();
	window.Window()->Unlock();
	delete control;
	EXPECT_EQ(field->FilterList()->CountItems(), 1);
	EXPECT_EQ(field->FilterList()->ItemAt(0), foreign);
	delete field;
}


TEST_F(TextControlTest, NamesFontsAndDividers)
{
	RTextControl plain(BRect(10, 10, 300, 30), (char*)"Replace:", (char*)"x",
		new BMessage(kEnterCode));
	RBoldTextControl bold(BRect(10, 10, 300, 30), (char*)"Replace:",
		(char*)"x", new BMessage(kEnterCode));
	EXPECT_STREQ(plain.Name(), "RTextControl");
	EXPECT_STREQ(bold.Name(), "RBoldTextControl");
	EXPECT_STREQ(plain.Text(), "x");
	EXPECT_EQ(plain.ResizingMode(), uint32(B_FOLLOW_LEFT | B_FOLLOW_TOP));
	EXPECT_TRUE(plain.TextView()->Flags() & B_NAVIGABLE);

	BFont font;
	bold.GetFont(&font);
	EXPECT_EQ(font, *be_bold_font);
	plain.GetFont(&font);
	EXPECT_EQ(font, *be_plain_font);

	// The field starts right after the label: its width plus 3.
	float boldWidth = be_bold_font->StringWidth("Replace:");
	float plainWidth = be_plain_font->StringWidth("Replace:");
	ASSERT_GT(boldWidth, plainWidth);
	EXPECT_EQ(bold.Divider(), std::floor(boldWidth + 3 + 0.5f));
	EXPECT_EQ(plain.Divider(), std::floor(plainWidth + 3 + 0.5f));
}


TEST_F(TextControlTest, HighSaveButtonSitsAtTheTopRight)
{
	HighSaveButton button(BRect(0, 0, 399, 30), "Save");
	EXPECT_STREQ(button.Name(), "HighSaveButton");
	EXPECT_STREQ(button.Label(), "Save");
	EXPECT_EQ(button.Frame(), BRect(354, 5, 394, 28));
	ASSERT_NE(button.Message(), nullptr);
	EXPECT_EQ(button.Message()->what, kMsgHighSave);
	EXPECT_EQ(kMsgHighSave, uint32('save'));
}
