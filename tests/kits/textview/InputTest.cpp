// Keys and mouse clicks as the window delivers them.
#include "TextViewTesting.h"

#include <gtest/gtest.h>

namespace {

BTextView*
plain_view(const char* name)
{
	return new BTextView(BRect(0, 0, 299, 99), name, BRect(0, 0, 299, 99),
		B_FOLLOW_NONE, B_WILL_DRAW);
}

}	// namespace


TEST(TextViewInput, TypedUTF8BecomesOneLatin1ByteEach)
{
	FilteringTextView* view = new FilteringTextView(BRect(0, 0, 299, 99));
	TextWindow window(view);

	window.Key("\xc3\xa9");		// é: keys carry UTF-8
	window.Key("\xe9");			// not UTF-8: no character at all
	window.Key("\xc3\xbc");		// ü
	window.Key("\xe2\x82\xac");	// the euro sign: not in Latin-1
	window.Key("\xc4\x80");		// A with macron: not in Latin-1 either
	window.Key("\x01\x02", 0);	// no such character
	ASSERT_EQ(2, view->TextLength());
	EXPECT_EQ(0xe9, view->ByteAt(0));
	EXPECT_EQ(0xfc, view->ByteAt(1));
	EXPECT_EQ(0, view->ByteAt(2));		// beyond the end
	EXPECT_EQ(0, view->ByteAt(-1));
	EXPECT_EQ(0, view->ByteAt(1000));
	EXPECT_EQ(2, view->CountInserts());
	char buffer[8];
	view->GetText(0, 100, buffer);
	EXPECT_STREQ("\xe9\xfc", buffer);

	// A Latin-1 letter is as wide as the font says for that character.
	BFont font;
	view->GetFontAndColor(0, &font);
	font.SetEncoding(B_ISO_8859_1);
	EXPECT_NEAR(font.StringWidth("\xe9"), view->PointAt(1).x - view->PointAt(0).x,
		0.01f);

	// Command-key combinations are shortcuts, not text.
	window.Key("q", B_COMMAND_KEY);
	EXPECT_EQ(2, view->TextLength());
}


TEST(TextViewInput, ArrowsHomeEndAndShiftExtendTheSelection)
{
	BTextView* view = plain_view("keys");
	TextWindow window(view);
	view->SetText("first line\nsecond line\nthird");

	// Each key from where the one before left the selection; kAny where an
	// end is not checked, kSame where only start == end is.
	const int32 kAny = -1;
	const int32 kSame = -2;
	struct Step {
		const char* what;
		int32 selectFirst;		// >= 0: the caret is put there first
		const char* key;
		uint32 modifiers;
		int32 start;
		int32 end;
		int32 endLine;
	};
	const Step kSteps[] = {
		{ "shift+right", 3, "\x1d", B_SHIFT_KEY, 3, 4, kAny },
		{ "shift+right again", -1, "\x1d", B_SHIFT_KEY, 3, 5, kAny },
		{ "shift+left: back one", -1, "\x1c", B_SHIFT_KEY, 3, 4, kAny },
		{ "shift+left to the anchor", -1, "\x1c", B_SHIFT_KEY, 3, 3, kAny },
		{ "shift+left past the anchor", -1, "\x1c", B_SHIFT_KEY, 2, 3, kAny },
		{ "shift+down: onto the next line", -1, "\x1f", B_SHIFT_KEY, 3, kAny, 1 },
		{ "right collapses the selection", -1, "\x1d", 0, kSame, kSame, kAny },
		{ "shift+End: before the line end", -1, "\x04", B_SHIFT_KEY, kAny, 22, kAny },
		{ "Home", -1, "\x01", 0, 11, 11, kAny },
		{ "up", -1, "\x1e", 0, 0, 0, kAny },
		{ "a word right", -1, "\x1d", B_CONTROL_KEY, 5, 5, kAny },
		{ "control+End: the very end", -1, "\x04", B_CONTROL_KEY, 28, 28, kAny },
		// Down on the last line goes to the end of the text, Up on the
		// first to its start, wherever the caret stood on the line.
		{ "down on the last line", 25, "\x1f", 0, 28, 28, kAny },
		{ "up on the first line", 2, "\x1e", 0, 0, 0, kAny },
	};
	for (const Step& step : kSteps) {
		SCOPED_TRACE(step.what);
		if (step.selectFirst >= 0)
			view->Select(step.selectFirst, step.selectFirst);
		window.Key(step.key, step.modifiers);
		Selection now = selection_of(view);
		if (step.start == kSame) {
			EXPECT_EQ(now.first, now.second);
		}
		if (step.start >= 0) {
			EXPECT_EQ(step.start, now.first);
		}
		if (step.end >= 0) {
			EXPECT_EQ(step.end, now.second);
		}
		if (step.endLine >= 0) {
			EXPECT_EQ(step.endLine, view->LineAt(now.second));
		}
	}
}


TEST(TextViewInput, EnterTabAutoindentLimitsAndDisallowedCharacters)
{
	BTextView* view = plain_view("keys");
	TextWindow window(view);
	view->SetAutoindent(true);
	view->SetText("  indented");
	view->Select(10, 10);
	view->DisallowChar('x');

	window.Key("\n");
	window.Key("\t");
	window.Type("axb");
	EXPECT_EQ("  indented\n  \tab", text_of(view));
	EXPECT_EQ(2, view->CountLines());
	view->AllowChar('x');
	view->SetMaxBytes(18);

	window.Type("xyz");
	EXPECT_EQ("  indented\n  \tabxy", text_of(view));
	view->MakeEditable(false);
	window.Key("\x08");
	EXPECT_EQ(18, view->TextLength());
}


TEST(TextViewInput, ClicksPlaceTheCaretAndSelectWordsAndLines)
{
	BTextView* view = plain_view("mouse");
	BTextView* other = new BTextView(BRect(0, 0, 99, 29), "other",
		BRect(0, 0, 99, 29), B_FOLLOW_NONE, B_WILL_DRAW);
	BView* parent = new BView(BRect(0, 0, 399, 299), "parent", B_FOLLOW_ALL, 0);
	parent->AddChild(other);
	view->MoveTo(0, 40);
	parent->AddChild(view);
	TextWindow window(parent);
	other->MakeFocus(true);
	view->SetText("hello brave new world\nsecond line here");
	BPoint inBrave = view->PointAt(8) + BPoint(1, 3);
	BPoint inHello = view->PointAt(2) + BPoint(1, 3);
	BPoint inNew = view->PointAt(13) + BPoint(1, 3);
	BPoint inSecond = view->PointAt(25) + BPoint(1, 3);

	// A click focuses the view and puts the caret there.
	window.Click(view, view->PointAt(8) + BPoint(0, 3));
	EXPECT_TRUE(view->IsFocus());
	EXPECT_EQ(Selection(8, 8), selection_of(view));
	// A double click selects the word, a triple click the line, both from
	// the press on.
	window.Mouse(B_MOUSE_DOWN, view, inBrave, 2);
	EXPECT_EQ(Selection(6, 11), selection_of(view));		// "brave"
	window.Mouse(B_MOUSE_UP, view, inBrave, 2);
	EXPECT_EQ(Selection(6, 11), selection_of(view));
	window.Mouse(B_MOUSE_DOWN, view, inSecond, 3);
	EXPECT_EQ(Selection(22, 38), selection_of(view));	// the second line
	window.Mouse(B_MOUSE_UP, view, inSecond, 3);
	EXPECT_EQ(Selection(22, 38), selection_of(view));

	// Dragging selects from the press to where the mouse is.
	window.Mouse(B_MOUSE_DOWN, view, inHello);
	window.Mouse(B_MOUSE_MOVED, view, inBrave);
	EXPECT_EQ(Selection(2, 8), selection_of(view));
	window.Mouse(B_MOUSE_MOVED, view, inNew);
	window.Mouse(B_MOUSE_UP, view, inNew);
	EXPECT_EQ(Selection(2, 13), selection_of(view));

	// Shift-click extends from the caret.
	window.Click(view, inHello);
	window.Click(view, inSecond, 1, B_SHIFT_KEY);
	EXPECT_EQ(Selection(2, 25), selection_of(view));
}


TEST(TextViewInput, KeysAtTheEdgesAndInsertAtTheCaret)
{
	BTextView* view = plain_view("edges");
	TextWindow window(view);
	view->SetText("one two three");
	view->Select(1, 1);

	// Backspace right after the first character takes it.
	window.Key("\x08");
	EXPECT_EQ("ne two three", text_of(view));
	EXPECT_EQ(Selection(0, 0), selection_of(view));

	// Control+Delete takes the blanks before the next word and the word.
	view->Select(2, 2);
	window.Key("\x7f", B_CONTROL_KEY);
	EXPECT_EQ("ne three", text_of(view));
	EXPECT_EQ(Selection(2, 2), selection_of(view));

	// Insert puts the text at the caret and the caret after it.
	view->Insert(" two");
	EXPECT_EQ("ne two three", text_of(view));
	EXPECT_EQ(Selection(6, 6), selection_of(view));

	// Control+Backspace after a blank takes the blank and the word.
	view->Select(7, 7);
	window.Key("\x08", B_CONTROL_KEY);
	EXPECT_EQ("ne three", text_of(view));
	EXPECT_EQ(Selection(3, 3), selection_of(view));
	view->Insert("two ");

	// A limit below the length cuts the text to it.
	EXPECT_EQ("ne two three", text_of(view));
	view->SetMaxBytes(4);
	EXPECT_EQ("ne t", text_of(view));
}
