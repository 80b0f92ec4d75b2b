// be_clipboard on the real system clipboard of the host.
#include "TextViewTesting.h"

#include <Clipboard.h>

#include <gtest/gtest.h>

#include <string.h>

namespace {

std::string
clipboard_text(BClipboard* clipboard)
{
	std::string text = "<none>";
	if (!clipboard->Lock())
		return text;
	const void* data;
	ssize_t size;
	if (clipboard->Data()->FindData("text/plain", B_MIME_TYPE, &data, &size) == B_OK)
		text.assign((const char*)data, size);
	clipboard->Unlock();
	return text;
}

}	// namespace


TEST(TextViewClipboard, CopyAndPasteGoThroughTheSystemClipboard)
{
	BTextView* view = new BTextView(BRect(0, 0, 299, 99), "clip",
		BRect(0, 0, 299, 99), B_FOLLOW_NONE, B_WILL_DRAW);
	TextWindow window(view);
	view->SetText("un caf\xe9 cr\xe8me");
	view->Select(3, 8);
	uint32 before = be_clipboard->SystemCount();
	view->Copy(be_clipboard);
	EXPECT_GT(be_clipboard->SystemCount(), before);
	// The host holds the characters as UTF-8, each Latin-1 byte one
	// character.
	EXPECT_EQ("caf\xc3\xa9 ", host_text());

	// What another program puts there is UTF-8; pasted, it becomes the
	// view's Latin-1 bytes, and what Latin-1 cannot hold is left out (the
	// view has no reference prefix).
	BPrivate::host_clipboard_set_text("na\xc3\xafve\ntext\xe2\x80\x94", 14);
	EXPECT_EQ("na\xc3\xafve\ntext\xe2\x80\x94", clipboard_text(be_clipboard));
	view->Select(view->TextLength(), view->TextLength());
	view->Paste(be_clipboard);
	EXPECT_EQ(std::string("un caf\xe9 cr\xe8mena\xefve\ntext"),
		std::string(view->Text()));
	EXPECT_TRUE(view->AcceptsPaste(be_clipboard));

	// Cut puts the bytes there and takes them out of the view.
	view->Select(0, 3);
	view->Cut(be_clipboard);
	EXPECT_EQ("un ", host_text());
	EXPECT_EQ('c', view->ByteAt(0));

	// Under a byte limit the selection's bytes count as room.
	view->SetMaxBytes(view->TextLength());
	view->Select(0, 3);
	BPrivate::host_clipboard_set_text("XYZW", 4);
	view->Paste(be_clipboard);
	EXPECT_EQ("XYZ", std::string(view->Text(), 3));
	view->SetMaxBytes(INT32_MAX);

	BPrivate::host_clipboard_clear();
	EXPECT_FALSE(view->AcceptsPaste(be_clipboard));
	int32 length = view->TextLength();
	view->Paste(be_clipboard);
	EXPECT_EQ(length, view->TextLength());
}


TEST(TextViewClipboard, DataSurvivesWhileTheHostDoesNotChange)
{
	ASSERT_TRUE(be_clipboard->Lock());
	EXPECT_TRUE(be_clipboard->IsLocked());
	be_clipboard->Clear();
	BMessage* data = be_clipboard->Data();
	ASSERT_NE(nullptr, data);
	data->AddData("text/plain", B_MIME_TYPE, "plain", 5);
	data->AddInt32("private", 42);
	uint32 localCount = be_clipboard->LocalCount();
	EXPECT_EQ(B_OK, be_clipboard->Commit());
	EXPECT_EQ(localCount + 1, be_clipboard->LocalCount());
	be_clipboard->Unlock();
	EXPECT_FALSE(be_clipboard->IsLocked());
	EXPECT_EQ("plain", host_text());

	// Our own entries stay as long as the host has what we gave it.
	ASSERT_TRUE(be_clipboard->Lock());
	EXPECT_EQ(42, be_clipboard->Data()->FindInt32("private"));
	be_clipboard->Unlock();

	// A change on the host replaces everything.
	BPrivate::host_clipboard_set_text("other", 5);
	ASSERT_TRUE(be_clipboard->Lock());
	int32 value;
	EXPECT_NE(B_OK, be_clipboard->Data()->FindInt32("private", &value));
	be_clipboard->Unlock();
	EXPECT_EQ("other", clipboard_text(be_clipboard));

	// Clipboards of other names stay within the program.
	BClipboard local("local");
	ASSERT_TRUE(local.Lock());
	local.Clear();
	local.Data()->AddData("text/plain", B_MIME_TYPE, "mine", 4);
	local.Commit();
	local.Unlock();
	EXPECT_EQ("other", host_text());
	EXPECT_EQ("mine", clipboard_text(&local));
	EXPECT_STREQ("local", local.Name());
	EXPECT_STREQ("system", be_clipboard->Name());
}
