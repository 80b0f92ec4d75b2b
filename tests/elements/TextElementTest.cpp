// The text element: entities in and out, the insertion rule on every path
// (Read, SetText, typing, pasting), its size, CountCharsFit and JoinSplit.

#include "../engine/EngineFixture.h"

#include <Clipboard.h>
#include <InterfaceDefs.h>
#include <Message.h>

#include <cmath>
#include <cstring>

namespace {

class TextTest : public EngineTest {
protected:
	// A laid-out empty text element after the first one.
	WText* NewText(const char* html)
	{
		Window()->Lock();
		WText* text = dynamic_cast<WText*>(Engine()->InsertAt(First(), 1,
			nullptr));
		if (text != nullptr && html != nullptr)
			text->Read((char*)html);
		Window()->Unlock();
		return text;
	}

	std::string Bytes(WText* text) { return std::string(text->Text()); }

	void Type(const std::string& bytes, int32 modifiers = 0)
	{
		BMessage message(B_KEY_DOWN);
		message.AddString("bytes", bytes.c_str());
		message.AddInt32("modifiers", modifiers);
		message.AddInt32("key", 0);
		message.AddInt32("raw_char", (uchar)bytes[0]);
		Window()->PostMessage(&message);
		BPrivate::dispatch_until_idle();
	}
};

}	// namespace

TEST_F(TextTest, EntitiesDecodeAndEncodeBack)
{
	WText* text = NewText("a&nbsp;&nbsp;b");
	ASSERT_NE(nullptr, text);
	EXPECT_EQ(std::string("a\x0F\x0F" "b"), Bytes(text));
	EXPECT_EQ("a&nbsp;&nbsp;b", HTMLOf(text));

	// Names match without regard to case; output uses the lower-case forms.
	text->Read((char*)"&AMP;&Lt;x&GT;&NbSp;");
	EXPECT_EQ(std::string("&<x>\x0F"), Bytes(text));
	EXPECT_EQ("&amp;&lt;x&gt;&nbsp;", HTMLOf(text));

	// Other entities stay as typed, and their & is written as &amp;.
	text->Read((char*)"&copy; &#169; &amp");
	EXPECT_EQ("&copy; &#169; &amp", Bytes(text));
	EXPECT_EQ("&amp;copy; &amp;#169; &amp;amp", HTMLOf(text));

	// A text ending in & keeps it.
	text->Read((char*)"R&");
	EXPECT_EQ("R&", Bytes(text));

	text->Read((char*)"");
	EXPECT_EQ("", HTMLOf(text));
	text->Read(nullptr);
	EXPECT_EQ(0, text->TextLength());
}

TEST_F(TextTest, ReadCollapsesWhiteSpaceButKeepsEdges)
{
	WText* text = NewText("a   b\r\n c");
	ASSERT_NE(nullptr, text);
	// The carriage return and line feed, with the blank, are one run.
	EXPECT_EQ("a b c", Bytes(text));

	text->Read((char*)"  word\t\n");
	EXPECT_EQ(" word ", Bytes(text));
	EXPECT_EQ(" word ", HTMLOf(text));
}

TEST_F(TextTest, InsertionRuleOnInsertAndSetText)
{
	WText* text = NewText("a ");
	ASSERT_NE(nullptr, text);
	Window()->Lock();
	text->Insert(2, " b", 2);
	EXPECT_EQ("a b", Bytes(text));

	text->SetText(" c");
	text->Insert(0, "b ", 2);
	EXPECT_EQ("b c", Bytes(text));

	// Only white space next to a space inserts nothing.
	text->Insert(1, " \t\n ", 4);
	EXPECT_EQ("b c", Bytes(text));

	// The non-breaking space is no white space and always goes in.
	text->Insert(2, "\x0F", 1);
	EXPECT_EQ(std::string("b \x0F" "c"), Bytes(text));

	text->SetText("x \t\n\v\f y");
	EXPECT_EQ("x y", Bytes(text));
	Window()->Unlock();
}

TEST_F(TextTest, TypingGoesThroughTheRuleAndMarksThePage)
{
	WText* text = dynamic_cast<WText*>(First());
	ASSERT_NE(nullptr, text);
	ASSERT_TRUE(text->IsFocus());
	fPage->Saved();
	Type("a");
	Type(" ");
	Type(" ");
	Type("b");
	EXPECT_EQ("a b", Bytes(text));
	EXPECT_FALSE(fPage->IsSaved());

	// Shift+Space types the non-breaking space, even after a space.
	Type("c");
	Type(" ");
	Type(" ", B_SHIFT_KEY);
	EXPECT_EQ(std::string("a bc \x0F"), Bytes(text));
	EXPECT_EQ("a bc &nbsp;", HTMLOf(text));
}

TEST_F(TextTest, PastingGoesThroughTheRule)
{
	WText* text = dynamic_cast<WText*>(First());
	ASSERT_NE(nullptr, text);
	ASSERT_TRUE(be_clipboard->Lock());
	be_clipboard->Clear();
	const char* data = "one\r\n\r\ntwo  three ";
	be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, data,
		strlen(data));
	be_clipboard->Commit();
	be_clipboard->Unlock();

	fPage->Saved();
	Window()->Lock();
	text->Paste(be_clipboard);
	Window()->Unlock();
	BPrivate::dispatch_until_idle();
	EXPECT_EQ("one two three ", Bytes(text));
	EXPECT_FALSE(fPage->IsSaved());
}

TEST_F(TextTest, SizeFollowsTheText)
{
	WText* text = NewText("Hello world");
	ASSERT_NE(nullptr, text);
	BFont* font = text->environment->font;
	ASSERT_EQ(fPage->plainFont, font);
	BRect bounds = text->WBounds();
	// The kit keeps views on whole pixels.
	EXPECT_FLOAT_EQ(std::floor(font->StringWidth("Hello world") + 5 + 0.5f),
		bounds.right - bounds.left);
	EXPECT_FLOAT_EQ(std::floor(FontHeight(font) + 0.5f),
		bounds.bottom - bounds.top);

	Window()->Lock();
	text->Delete(5, 11);
	Window()->Unlock();
	bounds = text->WBounds();
	EXPECT_FLOAT_EQ(std::floor(font->StringWidth("Hello") + 5 + 0.5f),
		bounds.right - bounds.left);
}

TEST_F(TextTest, DeleteTextWithAnEmptyRangeIsReported)
{
	WText* text = NewText("abc");
	ASSERT_NE(nullptr, text);
	Window()->Lock();
	text->DeleteText(2, 2);
	Window()->Unlock();
	EXPECT_EQ("abc", Bytes(text));
	ASSERT_EQ(1, fResponder.CountAlerts());
	EXPECT_EQ("Internal error: DeleteText(int32 start, int32 finish) - start "
		"must be < finish", fResponder.LastText());
}

TEST_F(TextTest, CountCharsFitSumsByteWidths)
{
	WText* text = NewText("Wide words");
	ASSERT_NE(nullptr, text);
	BFont* font = text->environment->font;
	EXPECT_EQ(0, CountCharsFit(text, 0));
	float two = font->StringWidth("W", 1) + font->StringWidth("i", 1);
	EXPECT_EQ(2, CountCharsFit(text, two));
	EXPECT_EQ(1, CountCharsFit(text, two - 0.01f));
	EXPECT_EQ(text->TextLength(), CountCharsFit(text, 100000));
}

TEST_F(TextTest, JoinSplitSplitsAtSpacesAndNeverInsideAWord)
{
	WText* text = NewText("alpha beta gamma");
	ASSERT_NE(nullptr, text);
	BFont* font = text->environment->font;
	Window()->Lock();

	// Room for "alpha be": the split keeps "alpha " here.
	float width = font->StringWidth("alpha be");
	WText* added = dynamic_cast<WText*>(text->JoinSplit(width, false));
	ASSERT_NE(nullptr, added);
	EXPECT_EQ("alpha ", Bytes(text));
	EXPECT_EQ("beta gamma", Bytes(added));
	EXPECT_FALSE(added->dontJoin);
	EXPECT_EQ(added, text->Next());

	// A word longer than the room: not split unless forced, then after
	// the first space that follows the part that fits.
	WText* word = NewText("extraordinarily long");
	width = font->StringWidth("extra");
	EXPECT_EQ(nullptr, word->JoinSplit(width, false));
	EXPECT_EQ("extraordinarily long", Bytes(word));
	added = dynamic_cast<WText*>(word->JoinSplit(width, true));
	ASSERT_NE(nullptr, added);
	EXPECT_EQ("extraordinarily ", Bytes(word));
	EXPECT_EQ("long", Bytes(added));

	// A text without white space is never split.
	WText* solid = NewText("abcdefghijklmnopqrstuvwxyz");
	EXPECT_EQ(nullptr, solid->JoinSplit(font->StringWidth("abc"), true));
	EXPECT_EQ(26, solid->TextLength());

	// Nothing at all when even the first byte does not fit.
	EXPECT_EQ(nullptr, solid->JoinSplit(0.5f, true));
	Window()->Unlock();
}

TEST_F(TextTest, JoinSplitPullsWholeWordsBackAndStopsAtDontJoin)
{
	WText* text = NewText("one ");
	ASSERT_NE(nullptr, text);
	Window()->Lock();
	// Chain: first, text, empty, "two three four".
	WText* empty = dynamic_cast<WText*>(Engine()->InsertAt(text, 1, nullptr));
	WText* rest = dynamic_cast<WText*>(Engine()->InsertAt(empty, 1, nullptr));
	rest->SetText("two three four");
	empty->dontJoin = false;
	rest->dontJoin = false;
	BFont* font = text->environment->font;
	BRect bounds = text->WBounds();
	float own = bounds.right - bounds.left;

	// Room for "two three" after "one ": the empty text is removed and the
	// two words come back; "four" does not fit.
	float width = own + font->StringWidth("two three ") + 1;
	EXPECT_EQ(nullptr, text->JoinSplit(width, true));
	EXPECT_EQ("one two three ", Bytes(text));
	EXPECT_EQ(rest, text->Next());
	EXPECT_EQ(nullptr, empty->Next());
	EXPECT_EQ(nullptr, empty->Previous());
	EXPECT_EQ("four", Bytes(rest));

	// A marked next text is left alone.
	rest->dontJoin = true;
	EXPECT_EQ(nullptr, text->JoinSplit(100000, true));
	EXPECT_EQ("four", Bytes(rest));
	rest->dontJoin = false;
	EXPECT_EQ(nullptr, text->JoinSplit(100000, true));
	EXPECT_EQ("one two three four", Bytes(text));
	Window()->Unlock();
}
