// One level of undo that toggles to redo, as on BeOS.
#include "TextViewTesting.h"

#include <Clipboard.h>

#include <gtest/gtest.h>

namespace {

std::string
text_of(const BTextView* view)
{
	return std::string(view->Text(), view->TextLength());
}

}	// namespace


TEST(TextViewUndo, TypingUndoesAndRedoesAsOneRecord)
{
	FilteringTextView* view = new FilteringTextView(BRect(0, 0, 299, 99));
	TextWindow window(view);
	window.Window()->Lock();
	view->SetDoesUndo(true);
	view->SetText("x");
	view->Select(1, 1);
	bool isRedo = true;
	EXPECT_EQ(B_UNDO_UNAVAILABLE, view->UndoState(&isRedo));
	window.Window()->Unlock();

	window.Type("hello");
	window.Key("\x08");		// backspace joins the same record
	window.Window()->Lock();
	EXPECT_EQ("xhell", text_of(view));
	EXPECT_EQ(B_UNDO_TYPING, view->UndoState(&isRedo));
	EXPECT_FALSE(isRedo);

	view->Undo(be_clipboard);
	EXPECT_EQ("x", text_of(view));
	EXPECT_EQ(B_UNDO_TYPING, view->UndoState(&isRedo));
	EXPECT_TRUE(isRedo);

	view->Undo(be_clipboard);
	EXPECT_EQ("xhell", text_of(view));
	EXPECT_EQ(B_UNDO_TYPING, view->UndoState(&isRedo));
	EXPECT_FALSE(isRedo);

	view->Undo(be_clipboard);
	EXPECT_EQ("x", text_of(view));
	window.Window()->Unlock();
}


TEST(TextViewUndo, MovingTheCaretStartsANewRecord)
{
	FilteringTextView* view = new FilteringTextView(BRect(0, 0, 299, 99));
	TextWindow window(view);
	window.Window()->Lock();
	view->SetDoesUndo(true);
	window.Window()->Unlock();

	window.Type("ab");
	window.Key("\x1c");		// left arrow
	window.Type("X");
	window.Window()->Lock();
	EXPECT_EQ("aXb", text_of(view));
	view->Undo(be_clipboard);
	EXPECT_EQ("ab", text_of(view));
	window.Window()->Unlock();
}


TEST(TextViewUndo, UndoReplaysWhatTheFilterLetThrough)
{
	FilteringTextView* view = new FilteringTextView(BRect(0, 0, 299, 99));
	TextWindow window(view);
	window.Window()->Lock();
	view->SetDoesUndo(true);
	view->SetText("keep");
	view->Select(4, 4);
	window.Window()->Unlock();

	window.Key("\n");		// dropped: nothing to undo for it
	window.Type("s");
	window.Window()->Lock();
	EXPECT_EQ("keeps", text_of(view));
	view->Undo(be_clipboard);
	EXPECT_EQ("keep", text_of(view));
	view->Undo(be_clipboard);
	EXPECT_EQ("keeps", text_of(view));
	window.Window()->Unlock();
}


TEST(TextViewUndo, CutAndPasteRecordsToggle)
{
	BTextView view(BRect(0, 0, 199, 99), "undo", BRect(0, 0, 199, 99),
		B_FOLLOW_NONE);
	view.SetDoesUndo(true);
	view.SetText("one two three");
	view.Select(4, 8);
	view.Cut(be_clipboard);
	EXPECT_EQ("one three", text_of(&view));
	bool isRedo;
	EXPECT_EQ(B_UNDO_CUT, view.UndoState(&isRedo));

	view.Undo(be_clipboard);
	EXPECT_EQ("one two three", text_of(&view));
	int32 start;
	int32 end;
	view.GetSelection(&start, &end);
	EXPECT_EQ(4, start);	// the restored text comes back selected
	EXPECT_EQ(8, end);

	view.Undo(be_clipboard);
	EXPECT_EQ("one three", text_of(&view));

	// A new edit forgets the old record; pasting is undone as a whole.
	view.Select(9, 9);
	view.Paste(be_clipboard);
	EXPECT_EQ("one threetwo ", text_of(&view));
	EXPECT_EQ(B_UNDO_PASTE, view.UndoState(&isRedo));
	EXPECT_FALSE(isRedo);
	view.Undo(be_clipboard);
	EXPECT_EQ("one three", text_of(&view));

	// Clearing the selection is an edit of its own kind.
	view.SelectAll();
	view.Clear();
	EXPECT_EQ("", text_of(&view));
	EXPECT_EQ(B_UNDO_CLEAR, view.UndoState(&isRedo));
	view.Undo(be_clipboard);
	EXPECT_EQ("one three", text_of(&view));
}


TEST(TextViewUndo, ProgrammaticChangesAndDisablingForgetTheRecord)
{
	BTextView view(BRect(0, 0, 199, 99), "undo", BRect(0, 0, 199, 99),
		B_FOLLOW_NONE);
	view.SetDoesUndo(true);
	view.SetText("abc");
	view.SelectAll();
	view.Cut(be_clipboard);
	// The record's offsets would no longer fit the text.
	view.SetText("something else");
	bool isRedo;
	EXPECT_EQ(B_UNDO_UNAVAILABLE, view.UndoState(&isRedo));
	view.Undo(be_clipboard);
	EXPECT_EQ("something else", text_of(&view));

	view.SelectAll();
	view.Cut(be_clipboard);
	view.SetDoesUndo(false);
	view.Undo(be_clipboard);
	EXPECT_EQ("", text_of(&view));
	EXPECT_EQ(B_UNDO_UNAVAILABLE, view.UndoState(&isRedo));
}
