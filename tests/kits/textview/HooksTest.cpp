// Every way the text changes must pass through InsertText()/DeleteText(),
// because the editor's text elements filter their input there.
#include "TextViewTesting.h"

#include "TempFolder.h"

#include <Clipboard.h>
#include <File.h>

#include <gtest/gtest.h>

#include <string.h>

namespace {

void
put_on_clipboard(const char* text)
{
	ASSERT_TRUE(be_clipboard->Lock());
	be_clipboard->Clear();
	be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, text, strlen(text));
	be_clipboard->Commit();
	be_clipboard->Unlock();
}


// A filtering view in a shown window, with the hooks' calls recorded.
class TextViewHooks : public testing::Test {
protected:
	TextViewHooks()
		:
		view(new FilteringTextView(BRect(0, 0, 299, 99))),
		window(view)
	{
	}

	// Posts a message to the view as a menu or a shortcut does.
	void Post(uint32 what)
	{
		window.Window()->PostMessage(what, view);
		TextWindow::Dispatch();
	}

	FilteringTextView* view;
	TextWindow window;
};

}	// namespace


TEST_F(TextViewHooks, TypedKeysGoThroughTheFilter)
{
	window.Type("ab");
	window.Key("\n");
	window.Type("cd");
	EXPECT_EQ("abcd", text_of(view));
	EXPECT_EQ("+0:a | +1:b | +2:\n | +2:c | +3:d", view->TakeCalls());
	// The dropped line end did not move the caret.
	EXPECT_EQ(Selection(4, 4), selection_of(view));

	window.Key("\x08");		// backspace
	window.Key("\x1c");		// left arrow
	window.Key("\x7f");		// delete
	EXPECT_EQ("ab", text_of(view));
	EXPECT_EQ("-3:4 | -2:3", view->TakeCalls());
}


TEST_F(TextViewHooks, TypingReplacesTheSelectionThroughBothHooks)
{
	view->SetText("hello world");
	view->Select(0, 5);
	view->TakeCalls();
	window.Type("J");
	EXPECT_EQ("J world", text_of(view));
	EXPECT_EQ("-0:5 | +0:J", view->TakeCalls());
}


TEST_F(TextViewHooks, SetTextInsertAndDeleteCallTheHooks)
{
	view->SetText("one\ntwo");
	EXPECT_EQ("+0:one\ntwo", view->TakeCalls());		// nothing to delete yet
	EXPECT_EQ("onetwo", text_of(view));

	view->SetText("x\n", 1);		// the length counts, not the terminator
	EXPECT_EQ("-0:6 | +0:x", view->TakeCalls());

	view->Insert(1, "yz\n", 3);
	view->Select(0, 0);
	view->Insert("<");
	EXPECT_EQ("<xyz", text_of(view));
	EXPECT_EQ("+1:yz\n | +0:<", view->TakeCalls());

	view->Delete(1, 3);
	view->Select(0, 1);
	view->Delete();
	EXPECT_EQ("z", text_of(view));
	EXPECT_EQ("-1:3 | -0:1", view->TakeCalls());

	// An empty deletion does not bother the hook.
	view->Delete(1, 1);
	EXPECT_EQ("", view->TakeCalls());
}


TEST_F(TextViewHooks, ClipboardEditsAndUndoCallTheHooks)
{
	view->SetDoesUndo(true);
	view->SetText("alpha beta");
	view->Select(5, 10);
	view->TakeCalls();

	view->Cut(be_clipboard);
	EXPECT_EQ("alpha", text_of(view));
	EXPECT_EQ("-5:10", view->TakeCalls());

	put_on_clipboard("\ngamma\n");
	view->Select(0, 0);
	view->Paste(be_clipboard);
	EXPECT_EQ("gammaalpha", text_of(view));
	EXPECT_EQ("+0:\ngamma\n", view->TakeCalls());
	EXPECT_EQ(5, selection_of(view).first);		// after what really went in

	view->Undo(be_clipboard);
	EXPECT_EQ("alpha", text_of(view));
	EXPECT_EQ("-0:5", view->TakeCalls());
	view->Undo(be_clipboard);		// redo
	EXPECT_EQ("gammaalpha", text_of(view));
	EXPECT_EQ("+0:gamma", view->TakeCalls());
}


TEST_F(TextViewHooks, EditingMessagesReachTheView)
{
	view->SetDoesUndo(true);
	view->SetText("message");
	Post(B_SELECT_ALL);
	Post(B_CUT);
	EXPECT_EQ("", text_of(view));
	Post(B_UNDO);
	EXPECT_EQ("message", text_of(view));

	view->Select(7, 7);
	view->TakeCalls();
	Post(B_PASTE);
	EXPECT_EQ("messagemessage", text_of(view));
	EXPECT_EQ("+7:message", view->TakeCalls());
}


TEST_F(TextViewHooks, DroppedTextIsInsertedWhereItFalls)
{
	view->SetText("drop here");
	view->TakeCalls();
	BPoint screen = view->ConvertToScreen(view->PointAt(5) + BPoint(0, 2));

	BMessage drop(B_SIMPLE_DATA);
	drop.AddData("text/plain", B_MIME_TYPE, "it ", 3);
	BPrivate::set_message_dropped(&drop, screen.x, screen.y, 0, 0);
	window.Window()->PostMessage(&drop, view);
	TextWindow::Dispatch();

	EXPECT_EQ("drop it here", text_of(view));
	EXPECT_EQ("+5:it ", view->TakeCalls());
	bool isRedo;
	EXPECT_EQ(B_UNDO_UNAVAILABLE, view->UndoState(&isRedo));	// undo is off
}


TEST(TextViewHooksFromFile, TextFromAFileGoesThroughTheHooks)
{
	quillora_test::TempFolder folder("textview");
	std::string path = folder / "text";
	quillora_test::WriteFile(path, "0123\n56789");

	BFile file(path.c_str(), B_READ_ONLY);
	ASSERT_EQ(B_OK, file.InitCheck());
	FilteringTextView view(BRect(0, 0, 199, 99));
	view.SetText(&file, 2, 5);
	EXPECT_EQ("2356", text_of(&view));		// the filter took the line end
	EXPECT_EQ("+0:23\n56", view.TakeCalls());

	// A file shorter than asked gives what it has.
	view.SetText(&file, 8, 100);
	EXPECT_EQ("89", text_of(&view));
}
