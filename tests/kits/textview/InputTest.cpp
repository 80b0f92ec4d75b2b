// Keys and mouse clicks as the window delivers them.
#include "TextViewTesting.h"

#include <gtest/gtest.h>

namespace {

std::string
text_of(const BTextView* view)
{
	return std::string(view->Text(), view->TextLength());
}


void
expect_selection(BTextView* view, int32 start, int32 end)
{
	int32 s;
	int32 e;
	view->GetSelection(&s, &e);
	EXPECT_EQ(start, s);
	EXPECT_EQ(end, e);
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
	window.Window()->Lock();
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
	window.Window()->Unlock();

	// Command-key combinations are shortcuts, not text.
	window.Key("q", B_COMMAND_KEY);
	window.Window()->Lock();
	EXPECT_EQ(2, view->TextLength());
	window.Window()->Unlock();
}


TEST(TextViewInput, ArrowsHomeEndAndShiftExtendTheSelection)
{
	BTextView* view = new BTextView(BRect(0, 0, 299, 99), "keys",
		BRect(0, 0, 299, 99), B_FOLLOW_NONE, B_WILL_DRAW);
	TextWindow window(view);
	window.Window()->Lock();
	view->SetText("first line\nsecond line\nthird");
	view->Select(3, 3);
	window.Window()->Unlock();

	window.Key("\x1d", B_SHIFT_KEY);		// shift + right
	window.Key("\x1d", B_SHIFT_KEY);
	window.Window()->Lock();
	expect_selection(view, 3, 5);
	window.Window()->Unlock();

	window.Key("\x1c", B_SHIFT_KEY);		// back one
	window.Window()->Lock();
	expect_selection(view, 3, 4);
	window.Window()->Unlock();

	window.Key("\x1c", B_SHIFT_KEY);		// back to the anchor and past it
	window.Key("\x1c", B_SHIFT_KEY);
	window.Window()->Lock();
	expect_selection(view, 2, 3);
	window.Window()->Unlock();

	window.Key("\x1f", B_SHIFT_KEY);		// shift + down: to the next line
	window.Window()->Lock();
	int32 start;
	int32 end;
	view->GetSelection(&start, &end);
	EXPECT_EQ(3, start);
	EXPECT_EQ(1, view->LineAt(end));
	window.Window()->Unlock();

	window.Key("\x1d");		// right without shift: collapses to the end
	window.Window()->Lock();
	view->GetSelection(&start, &end);
	EXPECT_EQ(start, end);
	window.Window()->Unlock();

	window.Key("\x04", B_SHIFT_KEY);		// shift + End
	window.Window()->Lock();
	view->GetSelection(&start, &end);
	EXPECT_EQ(22, end);		// before the line end of "second line"
	window.Window()->Unlock();

	window.Key("\x01");		// Home
	window.Window()->Lock();
	expect_selection(view, 11, 11);
	window.Window()->Unlock();

	window.Key("\x1e");		// up
	window.Key("\x1d", B_CONTROL_KEY);	// a word right
	window.Window()->Lock();
	expect_selection(view, 5, 5);
	window.Window()->Unlock();

	window.Key("\x04", B_CONTROL_KEY);	// to the very end
	window.Window()->Lock();
	expect_selection(view, view->TextLength(), view->TextLength());
	// Down on the last line goes to the end of the text, Up on the first
	// to its start, wherever the caret stood on the line.
	view->Select(25, 25);
	window.Window()->Unlock();
	window.Key("\x1f");
	window.Window()->Lock();
	expect_selection(view, 28, 28);
	view->Select(2, 2);
	window.Window()->Unlock();
	window.Key("\x1e");
	window.Window()->Lock();
	expect_selection(view, 0, 0);
	window.Window()->Unlock();
}


TEST(TextViewInput, EnterTabAutoindentLimitsAndDisallowedCharacters)
{
	BTextView* view = new BTextView(BRect(0, 0, 299, 99), "keys",
		BRect(0, 0, 299, 99), B_FOLLOW_NONE, B_WILL_DRAW);
	TextWindow window(view);
	window.Window()->Lock();
	view->SetAutoindent(true);
	view->SetText("  indented");
	view->Select(10, 10);
	view->DisallowChar('x');
	window.Window()->Unlock();

	window.Key("\n");
	window.Key("\t");
	window.Type("axb");
	window.Window()->Lock();
	EXPECT_EQ("  indented\n  \tab", text_of(view));
	EXPECT_EQ(2, view->CountLines());
	view->AllowChar('x');
	view->SetMaxBytes(18);
	window.Window()->Unlock();

	window.Type("xyz");
	window.Window()->Lock();
	EXPECT_EQ("  indented\n  \tabxy", text_of(view));
	view->MakeEditable(false);
	window.Window()->Unlock();

	window.Key("\x08");
	window.Window()->Lock();
	EXPECT_EQ(18, view->TextLength());
	window.Window()->Unlock();
}


TEST(TextViewInput, ClicksPlaceTheCaretAndSelectWordsAndLines)
{
	BTextView* view = new BTextView(BRect(0, 0, 299, 99), "mouse",
		BRect(0, 0, 299, 99), B_FOLLOW_NONE, B_WILL_DRAW);
	BTextView* other = new BTextView(BRect(0, 0, 99, 29), "other",
		BRect(0, 0, 99, 29), B_FOLLOW_NONE, B_WILL_DRAW);
	BView* parent = new BView(BRect(0, 0, 399, 299), "parent", B_FOLLOW_ALL, 0);
	parent->AddChild(other);
	view->MoveTo(0, 40);
	parent->AddChild(view);
	TextWindow window(parent);
	window.Window()->Lock();
	other->MakeFocus(true);
	view->SetText("hello brave new world\nsecond line here");
	BPoint inBrave = view->PointAt(8) + BPoint(1, 3);
	BPoint inHello = view->PointAt(2) + BPoint(1, 3);
	BPoint inNew = view->PointAt(13) + BPoint(1, 3);
	BPoint inSecond = view->PointAt(25) + BPoint(1, 3);
	window.Window()->Unlock();

	// A click focuses the view and puts the caret there.
	window.Mouse(B_MOUSE_DOWN, view, view->PointAt(8) + BPoint(0, 3));
	window.Mouse(B_MOUSE_UP, view, view->PointAt(8) + BPoint(0, 3));
	window.Window()->Lock();
	EXPECT_TRUE(view->IsFocus());
	expect_selection(view, 8, 8);
	window.Window()->Unlock();

	window.Mouse(B_MOUSE_DOWN, view, inBrave, 2);
	window.Mouse(B_MOUSE_UP, view, inBrave, 2);
	window.Window()->Lock();
	expect_selection(view, 6, 11);		// "brave"
	window.Window()->Unlock();

	window.Mouse(B_MOUSE_DOWN, view, inSecond, 3);
	window.Mouse(B_MOUSE_UP, view, inSecond, 3);
	window.Window()->Lock();
	expect_selection(view, 22, 38);		// the whole second line
	window.Window()->Unlock();

	// Dragging selects from the press to where the mouse is.
	window.Mouse(B_MOUSE_DOWN, view, inHello);
	window.Mouse(B_MOUSE_MOVED, view, inBrave);
	window.Window()->Lock();
	int32 start;
	int32 end;
	view->GetSelection(&start, &end);
	EXPECT_EQ(2, start);
	EXPECT_EQ(8, end);
	window.Window()->Unlock();
	window.Mouse(B_MOUSE_MOVED, view, inNew);
	window.Mouse(B_MOUSE_UP, view, inNew);
	window.Window()->Lock();
	view->GetSelection(&start, &end);
	EXPECT_EQ(2, start);
	EXPECT_EQ(13, end);
	window.Window()->Unlock();

	// Shift-click extends from the caret.
	window.Mouse(B_MOUSE_DOWN, view, inHello);
	window.Mouse(B_MOUSE_UP, view, inHello);
	window.Mouse(B_MOUSE_DOWN, view, inSecond, 1, B_SHIFT_KEY);
	window.Mouse(B_MOUSE_UP, view, inSecond, 1, B_SHIFT_KEY);
	window.Window()->Lock();
	expect_selection(view, 2, 25);
	window.Window()->Unlock();
}


TEST(TextViewInput, KeysAtTheEdgesAndInsertAtTheCaret)
{
	BTextView* view = new BTextView(BRect(0, 0, 299, 99), "edges",
		BRect(0, 0, 299, 99), B_FOLLOW_NONE, B_WILL_DRAW);
	TextWindow window(view);
	window.Window()->Lock();
	view->SetText("one two three");
	view->Select(1, 1);
	window.Window()->Unlock();

	// Backspace right after the first character takes it.
	window.Key("\x08");
	window.Window()->Lock();
	EXPECT_EQ("ne two three", text_of(view));
	expect_selection(view, 0, 0);
	view->Select(2, 2);
	window.Window()->Unlock();

	// Control+Delete takes the blanks before the next word and the word.
	window.Key("\x7f", B_CONTROL_KEY);
	window.Window()->Lock();
	EXPECT_EQ("ne three", text_of(view));
	expect_selection(view, 2, 2);

	// Insert puts the text at the caret and the caret after it.
	view->Insert(" two");
	EXPECT_EQ("ne two three", text_of(view));
	expect_selection(view, 6, 6);

	// A limit below the length cuts the text to it.
	view->SetMaxBytes(4);
	EXPECT_EQ("ne t", text_of(view));
	window.Window()->Unlock();
}
