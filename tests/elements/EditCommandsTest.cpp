// The visual window's Edit menu on a page: Copy, Cut, Paste and Undo act on
// the focused text through the system clipboard and the page is laid out
// again after each; the chain check names the elements. (Undo after a split
// and "Delete all" are scenarios of tests/data/editing.)

#include "PageFixture.h"

#include <Clipboard.h>
#include <InterfaceDefs.h>

#include <string>

using namespace quillora_test;

namespace {

class EditCommandsTest : public PageFixture {
protected:
	void Command(uint32 what)
	{
		Window()->PostMessage(what);
		BPrivate::dispatch_until_idle();
	}

	WText* Focused()
	{
		return dynamic_cast<WText*>(Engine()->Element(Window()->CurrentFocus()));
	}

	void Select(WText* text, int32 start, int32 end)
	{
		ASSERT_TRUE(Window()->Lock());
		text->MakeFocus(true);
		text->Select(start, end);
		Window()->Unlock();
	}

	std::string Clipboard()
	{
		std::string out;
		if (!be_clipboard->Lock())
			return out;
		const void* data = nullptr;
		ssize_t size = 0;
		if (be_clipboard->Data()->FindData("text/plain", B_MIME_TYPE, &data,
				&size) == B_OK)
			out.assign((const char*)data, size);
		be_clipboard->Unlock();
		return out;
	}

	// The layout after a command is the one a whole new layout gives.
	void ExpectLaidOut(const char* step)
	{
		std::string difference = RelayoutDifference();
		EXPECT_TRUE(difference.empty()) << step << "\n" << difference;
	}
};

TEST_F(EditCommandsTest, ClipboardCommandsActOnTheFocusedText)
{
	SetViewSize(300, 200);
	Parse("<BODY>hello world<BR>below</BODY>");
	WText* text = Focused();
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		WText* candidate = dynamic_cast<WText*>(e);
		if (candidate != nullptr && std::string(candidate->Text()) == "hello world")
			text = candidate;
	}
	ASSERT_NE(nullptr, text);
	fPage->Saved();

	Select(text, 6, 11);
	Command(kMsgCopy);
	EXPECT_EQ("world", Clipboard());
	EXPECT_TRUE(fPage->IsSaved());

	Select(text, 0, 0);
	Command(kMsgPaste);
	EXPECT_EQ("worldhello world", std::string(text->Text()));
	EXPECT_FALSE(fPage->IsSaved());
	ExpectLaidOut("Paste");

	Command(kMsgUndoRedo);
	EXPECT_EQ("hello world", std::string(text->Text()));
	ExpectLaidOut("Undo");

	Select(text, 0, 6);
	Command(kMsgCut);
	EXPECT_EQ("hello ", Clipboard());
	EXPECT_EQ("world", std::string(text->Text()));
	ExpectLaidOut("Cut");

	// Pasting a long text wraps it over several lines at once.
	be_clipboard->Lock();
	be_clipboard->Clear();
	std::string words;
	for (int i = 0; i < 40; i++)
		words += "word ";
	be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, words.data(),
		words.size());
	be_clipboard->Commit();
	be_clipboard->Unlock();
	Select(text, 5, 5);
	Command(kMsgPaste);
	ExpectLaidOut("a long Paste");
}

// The chain check names every element in order, line ends marked, and
// tells for a style end whether it still encloses text; it changes nothing.
TEST_F(EditCommandsTest, ChainCheckNamesEveryElement)
{
	Parse("<BODY>a<B> </B><BR>c</BODY>");
	fPage->Saved();
	std::string before = HTMLOf(nullptr);
	Command(kMsgTestChain);
	std::vector<std::string> alerts;
	for (int i = 0; i < fResponder.CountAlerts(); i++)
		alerts.push_back(fResponder.TextAt(i));
	EXPECT_EQ((std::vector<std::string>{ "WText", "TextChange", "0", "WText",
		"TextChange", "0", "EndOfLine: WText", "EndLine", "WText" }),
		alerts) << Dump();
	EXPECT_EQ(before, HTMLOf(nullptr));
	EXPECT_TRUE(fPage->IsSaved());
}

}	// namespace
