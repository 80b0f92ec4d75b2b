// One level of undo that toggles to redo, as on BeOS.
#include "TextViewTesting.h"

#include <Clipboard.h>

#include <gtest/gtest.h>

namespace {

// A filtering view with undo on, in a shown window.
class TextViewUndo : public testing::Test {
protected:
	TextViewUndo()
		:
		view(new FilteringTextView(BRect(0, 0, 299, 99))),
		window(view)
	{
		view->SetDoesUndo(true);
	}

	// Undoes (or redoes) and gives the text then.
	std::string Undo()
	{
		view->Undo(be_clipboard);
		return text_of(view);
	}

	// The kind of the record and whether undoing it would redo.
	std::string State()
	{
		bool isRedo = false;
		undo_state state = view->UndoState(&isRedo);
		const char* names[] = { "unavailable", "typing", "cut", "paste",
			"clear", "drop" };
		std::string name = state >= 0 && state <= B_UNDO_DROP
			? names[state] : "?";
		return name + (isRedo ? " redo" : "");
	}

	FilteringTextView* view;
	TextWindow window;
};

}	// namespace


TEST_F(TextViewUndo, TypingUndoesAndRedoesAsOneRecord)
{
	view->SetText("x");
	view->Select(1, 1);
	EXPECT_EQ("unavailable", State());

	window.Type("hello");
	window.Key("\x08");		// backspace joins the same record
	EXPECT_EQ("xhell", text_of(view));
	EXPECT_EQ("typing", State());
	EXPECT_EQ("x", Undo());
	EXPECT_EQ("typing redo", State());
	EXPECT_EQ("xhell", Undo());
	EXPECT_EQ("typing", State());
	EXPECT_EQ("x", Undo());
}


TEST_F(TextViewUndo, MovingTheCaretStartsANewRecord)
{
	window.Type("ab");
	window.Key("\x1c");		// left arrow
	window.Type("X");
	EXPECT_EQ("aXb", text_of(view));
	EXPECT_EQ("ab", Undo());
}


TEST_F(TextViewUndo, UndoReplaysWhatTheFilterLetThrough)
{
	view->SetText("keep");
	view->Select(4, 4);
	window.Key("\n");		// dropped: nothing to undo for it
	window.Type("s");
	EXPECT_EQ("keeps", text_of(view));
	EXPECT_EQ("keep", Undo());
	EXPECT_EQ("keeps", Undo());
}


TEST_F(TextViewUndo, CutPasteAndClearRecordsToggle)
{
	view->SetText("one two three");
	view->Select(4, 8);
	view->Cut(be_clipboard);
	EXPECT_EQ("one three", text_of(view));
	EXPECT_EQ("cut", State());
	EXPECT_EQ("one two three", Undo());
	// The restored text comes back selected.
	EXPECT_EQ(Selection(4, 8), selection_of(view));
	EXPECT_EQ("one three", Undo());

	// A new edit forgets the old record; pasting is undone as a whole.
	view->Select(9, 9);
	view->Paste(be_clipboard);
	EXPECT_EQ("one threetwo ", text_of(view));
	EXPECT_EQ("paste", State());
	EXPECT_EQ("one three", Undo());

	// Clearing the selection is an edit of its own kind.
	view->SelectAll();
	view->Clear();
	EXPECT_EQ("", text_of(view));
	EXPECT_EQ("clear", State());
	EXPECT_EQ("one three", Undo());
}


TEST_F(TextViewUndo, ProgrammaticChangesAndDisablingForgetTheRecord)
{
	view->SetText("abc");
	view->SelectAll();
	view->Cut(be_clipboard);
	// The record's offsets would no longer fit the text.
	view->SetText("something else");
	EXPECT_EQ("unavailable", State());
	EXPECT_EQ("something else", Undo());

	view->SelectAll();
	view->Cut(be_clipboard);
	view->SetDoesUndo(false);
	EXPECT_EQ("", Undo());
	EXPECT_EQ("unavailable", State());
}
