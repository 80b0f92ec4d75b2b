// Every way the text changes must pass through InsertText()/DeleteText(),
// because the editor's text elements filter their input there.
#include "TextViewTesting.h"

#include "TempFolder.h"

#include <Clipboard.h>
#include <File.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>
#include <unistd.h>

namespace {

std::string
text_of(const BTextView* view)
{
	return std::string(view->Text(), view->TextLength());
}


void
put_on_clipboard(const char* text)
{
	ASSERT_TRUE(be_clipboard->Lock());
	be_clipboard->Clear();
	be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, text, strlen(text));
	be_clipboard->Commit();
	be_clipboard->Unlock();
}

}	// namespace


TEST(TextViewHooks, TypedKeysGoThroughTheFilter)
{
	FilteringTextView* view = new FilteringTextView(BRect(0, 0, 299, 99));
	TextWindow window(view);

	window.Type("ab");
	window.Key("\n");
	window.Type("cd");
	window.Window()->Lock();
	EXPECT_EQ("abcd", text_of(view));
	ASSERT_EQ(5, view->CountInserts());
	EXPECT_EQ("\n", view->calls[2].bytes);
	EXPECT_EQ(2, view->calls[2].offset);
	// The dropped line end did not move the caret.
	int32 start;
	int32 end;
	view->GetSelection(&start, &end);
	EXPECT_EQ(4, start);
	EXPECT_EQ(4, end);
	window.Window()->Unlock();

	view->calls.clear();
	window.Key("\x08");		// backspace
	window.Key("\x1c");		// left arrow
	window.Key("\x7f");		// delete
	window.Window()->Lock();
	EXPECT_EQ("ab", text_of(view));
	ASSERT_EQ(2u, view->calls.size());
	EXPECT_FALSE(view->calls[0].insert);
	EXPECT_EQ(3, view->calls[0].offset);
	EXPECT_EQ(4, view->calls[0].end);
	EXPECT_EQ(2, view->calls[1].offset);
	EXPECT_EQ(3, view->calls[1].end);
	window.Window()->Unlock();
}


TEST(TextViewHooks, TypingReplacesTheSelectionThroughBothHooks)
{
	FilteringTextView* view = new FilteringTextView(BRect(0, 0, 299, 99));
	TextWindow window(view);
	window.Window()->Lock();
	view->SetText("hello world");
	view->Select(0, 5);
	view->calls.clear();
	window.Window()->Unlock();

	window.Type("J");
	window.Window()->Lock();
	EXPECT_EQ("J world", text_of(view));
	ASSERT_EQ(2u, view->calls.size());
	EXPECT_FALSE(view->calls[0].insert);
	EXPECT_EQ(0, view->calls[0].offset);
	EXPECT_EQ(5, view->calls[0].end);
	EXPECT_TRUE(view->calls[1].insert);
	EXPECT_EQ("J", view->calls[1].bytes);
	window.Window()->Unlock();
}


TEST(TextViewHooks, SetTextInsertAndDeleteCallTheHooks)
{
	FilteringTextView view(BRect(0, 0, 199, 99));

	view.SetText("one\ntwo");
	ASSERT_EQ(1u, view.calls.size());		// nothing to delete yet
	EXPECT_EQ("one\ntwo", view.calls[0].bytes);
	EXPECT_EQ("onetwo", text_of(&view));

	view.calls.clear();
	view.SetText("x\n", 1);		// the length counts, not the terminator
	ASSERT_EQ(2u, view.calls.size());
	EXPECT_FALSE(view.calls[0].insert);
	EXPECT_EQ(0, view.calls[0].offset);
	EXPECT_EQ(6, view.calls[0].end);
	EXPECT_EQ("x", view.calls[1].bytes);

	view.calls.clear();
	view.Insert(1, "yz\n", 3);
	view.Select(0, 0);
	view.Insert("<");
	EXPECT_EQ("<xyz", text_of(&view));
	ASSERT_EQ(2, view.CountInserts());
	EXPECT_EQ(1, view.calls[0].offset);
	EXPECT_EQ(0, view.calls[1].offset);

	view.calls.clear();
	view.Delete(1, 3);
	view.Select(0, 1);
	view.Delete();
	EXPECT_EQ("z", text_of(&view));
	ASSERT_EQ(2, view.CountDeletes());
	EXPECT_EQ(1, view.calls[0].offset);
	EXPECT_EQ(3, view.calls[0].end);

	// An empty deletion does not bother the hook.
	view.calls.clear();
	view.Delete(1, 1);
	EXPECT_TRUE(view.calls.empty());
}


TEST(TextViewHooks, ClipboardEditsAndUndoCallTheHooks)
{
	FilteringTextView* view = new FilteringTextView(BRect(0, 0, 299, 99));
	TextWindow window(view);
	window.Window()->Lock();
	view->SetDoesUndo(true);
	view->SetText("alpha beta");
	view->Select(5, 10);
	view->calls.clear();

	view->Cut(be_clipboard);
	EXPECT_EQ("alpha", text_of(view));
	ASSERT_EQ(1u, view->calls.size());
	EXPECT_FALSE(view->calls[0].insert);
	EXPECT_EQ(5, view->calls[0].offset);
	EXPECT_EQ(10, view->calls[0].end);

	put_on_clipboard("\ngamma\n");
	view->calls.clear();
	view->Select(0, 0);
	view->Paste(be_clipboard);
	EXPECT_EQ("gammaalpha", text_of(view));
	ASSERT_EQ(1u, view->calls.size());
	EXPECT_EQ("\ngamma\n", view->calls[0].bytes);
	int32 start;
	int32 end;
	view->GetSelection(&start, &end);
	EXPECT_EQ(5, start);		// after what really went in

	view->calls.clear();
	view->Undo(be_clipboard);
	EXPECT_EQ("alpha", text_of(view));
	ASSERT_EQ(1, view->CountDeletes());
	EXPECT_EQ(0, view->calls[0].offset);
	EXPECT_EQ(5, view->calls[0].end);

	view->calls.clear();
	view->Undo(be_clipboard);		// redo
	EXPECT_EQ("gammaalpha", text_of(view));
	ASSERT_EQ(1, view->CountInserts());
	EXPECT_EQ("gamma", view->calls[0].bytes);
	window.Window()->Unlock();
}


TEST(TextViewHooks, EditingMessagesReachTheView)
{
	FilteringTextView* view = new FilteringTextView(BRect(0, 0, 299, 99));
	TextWindow window(view);
	window.Window()->Lock();
	view->SetDoesUndo(true);
	view->SetText("message");
	window.Window()->Unlock();

	window.Window()->PostMessage(B_SELECT_ALL, view);
	window.Window()->PostMessage(B_CUT, view);
	TextWindow::Dispatch();
	window.Window()->Lock();
	EXPECT_EQ("", text_of(view));
	window.Window()->Unlock();

	window.Window()->PostMessage(B_UNDO, view);
	TextWindow::Dispatch();
	window.Window()->Lock();
	EXPECT_EQ("message", text_of(view));
	view->Select(7, 7);
	view->calls.clear();
	window.Window()->Unlock();

	window.Window()->PostMessage(B_PASTE, view);
	TextWindow::Dispatch();
	window.Window()->Lock();
	EXPECT_EQ("messagemessage", text_of(view));
	ASSERT_EQ(1, view->CountInserts());
	window.Window()->Unlock();
}


TEST(TextViewHooks, DroppedTextIsInsertedWhereItFalls)
{
	FilteringTextView* view = new FilteringTextView(BRect(0, 0, 299, 99));
	TextWindow window(view);
	window.Window()->Lock();
	view->SetText("drop here");
	view->calls.clear();
	BPoint target = view->PointAt(5);
	target.y += 2;
	BPoint screen = view->ConvertToScreen(target);
	window.Window()->Unlock();

	BMessage drop(B_SIMPLE_DATA);
	drop.AddData("text/plain", B_MIME_TYPE, "it ", 3);
	BPrivate::set_message_dropped(&drop, screen.x, screen.y, 0, 0);
	window.Window()->PostMessage(&drop, view);
	TextWindow::Dispatch();

	window.Window()->Lock();
	EXPECT_EQ("drop it here", text_of(view));
	ASSERT_EQ(1, view->CountInserts());
	EXPECT_EQ(5, view->calls[0].offset);
	bool isRedo;
	EXPECT_EQ(B_UNDO_UNAVAILABLE, view->UndoState(&isRedo));	// undo is off
	window.Window()->Unlock();
}


TEST(TextViewHooks, TextFromAFileGoesThroughTheHooks)
{
	quillora_test::TempFolder folder("textview");
	std::string path = folder / "text";
	quillora_test::WriteFile(path, "0123\n56789");

	BFile file(path.c_str(), B_READ_ONLY);
	ASSERT_EQ(B_OK, file.InitCheck());
	FilteringTextView view(BRect(0, 0, 199, 99));
	view.SetText(&file, 2, 5);
	EXPECT_EQ("2356", text_of(&view));		// the filter took the line end
	ASSERT_EQ(1u, view.calls.size());
	EXPECT_EQ("23\n56", view.calls[0].bytes);

	// A file shorter than asked gives what it has.
	view.SetText(&file, 8, 100);
	EXPECT_EQ("89", text_of(&view));
}
