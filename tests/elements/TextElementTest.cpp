// The text element: entities in and out, the insertion rule on every path
// (Read, SetText, typing, pasting), its size, CountCharsFit and JoinSplit.

#include "PageFixture.h"

#include <Clipboard.h>
#include <InterfaceDefs.h>
#include <Message.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

using namespace quillora_test;
using EngineTest = PageFixture;

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

	// The program's own escapes are read as their bytes.
	text->Read((char*)"&amp;&lt;x&gt;&nbsp;");
	EXPECT_EQ(std::string("&<x>\x0F"), Bytes(text));
	EXPECT_EQ("&amp;&lt;x&gt;&nbsp;", HTMLOf(text));

	// Every other reference, in any case, with or without its ';', and a
	// lone '&' are held behind the reference mark as spelled and written
	// back byte for byte.
	text->Read((char*)"&AMP;&Lt;x&copy; &#169; &#xE9; &amp AT&T R&");
	EXPECT_EQ("\x1A" "AMP;\x1ALt;x\x1A" "copy; \x1A#169; \x1A#xE9; "
		"\x1A" "amp AT\x1AT R\x1A", Bytes(text));
	EXPECT_EQ("&AMP;&Lt;x&copy; &#169; &#xE9; &amp AT&T R&", HTMLOf(text));

	// An '&' that is typed is written escaped.
	text->SetText("AT&T");
	EXPECT_EQ("AT&amp;T", HTMLOf(text));

	// The marking bytes in a page are held as references to themselves.
	text->Read((char*)"a\x0F" "b\x1A" "c");
	EXPECT_EQ("a\x1A#15;b\x1A#26;c", Bytes(text));
	EXPECT_EQ("a&#15;b&#26;c", HTMLOf(text));

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

TEST_F(TextTest, BlanksADeletionLeftSideBySideAreWrittenAsOne)
{
	WText* text = NewText("a b c");
	ASSERT_NE(nullptr, text);
	Window()->Lock();
	text->Delete(2, 3);
	Window()->Unlock();
	EXPECT_EQ("a  c", Bytes(text));
	// As a browser shows them, and as the text reads back.
	EXPECT_EQ("a c", HTMLOf(text));
	text->Read((char*)"a c");
	EXPECT_EQ("a c", HTMLOf(text));
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

// A line laid out again must keep what it was given: a text that pulled
// words back from the piece after it, or split off what did not fit,
// pulls and splits nothing more at the same width. Pieces cut anywhere
// and every width around each word's edge are tried, since the pull and
// the split each measure, and the view's width is on whole pixels.
TEST_F(TextTest, JoinSplitAtTheSameWidthAgainChangesNothing)
{
	const std::string words = "a somewhat longer replacement that has to "
		"wrap in a narrow page, with Wide MW and thin il words";
	std::vector<size_t> cuts;
	for (size_t i = 1; i < words.size(); i++) {
		if (words[i - 1] == ' ')
			cuts.push_back(i);
	}
	Window()->Lock();
	BFont* font = First()->environment->font;
	float whole = font->StringWidth(words.c_str());
	// The piece after may begin with a blank of its own (a replacement can
	// leave one there): the blank goes when the two are joined.
	for (size_t cut : cuts) {
		for (const char* blank : { "", " " }) {
			for (float width = 8; width < whole + 12; width += 1) {
				WText* head = dynamic_cast<WText*>(
					Engine()->InsertAt(First(), 1, nullptr));
				WText* tail = dynamic_cast<WText*>(
					Engine()->InsertAt(head, 1, nullptr));
				ASSERT_NE(nullptr, tail);
				head->SetText(words.substr(0, cut).c_str());
				tail->SetText((blank + words.substr(cut)).c_str());
				head->dontJoin = false;
				tail->dontJoin = false;

				head->JoinSplit(width, false);
				if (WText* added = dynamic_cast<WText*>(head->Next()))
					added->dontJoin = false;
				std::string once = Bytes(head);
				head->JoinSplit(width, false);
				EXPECT_EQ(once, Bytes(head)) << "cut at " << cut << ", width "
					<< width << ", blank before the piece after: \"" << blank
					<< "\"";

				while (First()->Next() != nullptr)
					Engine()->Delete(First()->Next());
			}
		}
	}
	Window()->Unlock();
}

// MoveTail hands a tail to a new text without copying it; what comes out
// must be what Insert() into the new text and Delete() from the old one
// give, and both texts must edit on normally afterwards.
TEST_F(TextTest, MovingATailEqualsInsertingAndDeletingIt)
{
	const char* html = "alpha beta gamma delta epsilon";
	WText* moved = AddText(First(), html);
	WText* movedTail = AddText(moved, nullptr);
	WText* copied = AddText(movedTail, html);
	WText* copiedTail = AddText(copied, nullptr);
	ASSERT_NE(nullptr, moved);
	ASSERT_NE(nullptr, copied);
	Window()->Lock();
	ASSERT_NE(nullptr, movedTail);
	ASSERT_NE(nullptr, copiedTail);
	// Selections before and after the cut.
	moved->Select(2, 14);
	copied->Select(2, 14);
	movedTail->Select(0, 0);
	copiedTail->Select(0, 0);

	const int32 cut = 11;
	int32 length = copied->TextLength();
	EXPECT_TRUE(moved->MoveTail(cut, movedTail));
	copiedTail->Insert(0, copied->Text() + cut, length - cut);
	copiedTail->SizeToText();
	copied->Delete(cut, length);
	copied->SizeToText();

	EXPECT_EQ("alpha beta ", Bytes(moved));
	EXPECT_EQ(Bytes(copied), Bytes(moved));
	EXPECT_EQ("gamma delta epsilon", Bytes(movedTail));
	EXPECT_EQ(Bytes(copiedTail), Bytes(movedTail));
	EXPECT_EQ(copied->WBounds(), moved->WBounds());
	EXPECT_EQ(copiedTail->WBounds(), movedTail->WBounds());
	int32 start[4], end[4];
	moved->GetSelection(&start[0], &end[0]);
	copied->GetSelection(&start[1], &end[1]);
	movedTail->GetSelection(&start[2], &end[2]);
	copiedTail->GetSelection(&start[3], &end[3]);
	EXPECT_EQ(start[1], start[0]);
	EXPECT_EQ(end[1], end[0]);
	EXPECT_EQ(start[3], start[2]);
	EXPECT_EQ(end[3], end[2]);
	// The kit measures the moved text as its own lines say.
	EXPECT_EQ(copiedTail->LineWidth(0), movedTail->LineWidth(0));
	EXPECT_EQ(copiedTail->TextLength(), movedTail->TextLength());

	// Editing both pairs alike keeps them alike: in the middle of the moved
	// bytes, at their start, and at the end of the shortened text.
	WText* texts[2][2] = { { moved, movedTail }, { copied, copiedTail } };
	for (auto& pair : texts) {
		pair[1]->Insert(6, "new ", 4);
		pair[1]->Delete(0, 2);
		pair[1]->Insert(0, "ga", 2);
		pair[0]->Insert(pair[0]->TextLength(), "zeta ", 5);
	}
	EXPECT_EQ("gamma new delta epsilon", Bytes(movedTail));
	EXPECT_EQ(Bytes(copiedTail), Bytes(movedTail));
	EXPECT_EQ("alpha beta zeta ", Bytes(moved));
	EXPECT_EQ(Bytes(copied), Bytes(moved));
	EXPECT_EQ(copiedTail->WBounds(), movedTail->WBounds());

	// Nothing to move at either end.
	WText* spare = AddText(copiedTail, nullptr);
	EXPECT_FALSE(moved->MoveTail(0, spare));
	EXPECT_FALSE(moved->MoveTail(moved->TextLength(), spare));
	// Only into an empty text.
	EXPECT_FALSE(moved->MoveTail(3, movedTail));
	EXPECT_EQ(0, spare->TextLength());
	Window()->Unlock();
}

// A deletion can leave two spaces side by side; the insertion rule would
// fold them in a moved tail, so such a text is split the old way.
TEST_F(TextTest, TailsWithDoubledSpacesGoThroughTheInsertionRule)
{
	WText* text = AddText(First(), "a b c d e");
	WText* spare = AddText(text, nullptr);
	ASSERT_NE(nullptr, text);
	Window()->Lock();
	text->Delete(4, 5);
	ASSERT_EQ("a b  d e", Bytes(text));
	EXPECT_FALSE(text->MoveTail(2, spare));
	EXPECT_EQ("a b  d e", Bytes(text));
	EXPECT_EQ(0, spare->TextLength());

	WText* added = Engine()->SplitText(text, 2, false);
	ASSERT_NE(nullptr, added);
	EXPECT_EQ("a ", Bytes(text));
	EXPECT_EQ("b d e", Bytes(added));
	Window()->Unlock();

	// Single spaced again once the doubled pair is gone.
	WText* other = AddText(First(), "one two three");
	WText* otherSpare = AddText(other, nullptr);
	Window()->Lock();
	other->Delete(3, 4);
	ASSERT_EQ("onetwo three", Bytes(other));
	EXPECT_TRUE(other->MoveTail(7, otherSpare));
	EXPECT_EQ("three", Bytes(otherSpare));
	Window()->Unlock();
}

// A tail far wider than any line takes its width from the whole less the
// head instead of being measured; where it could keep that width (not even
// its first byte fits, or the line is as wide as such a tail) it is
// measured after all. A long tail without a space to cut at is measured at
// once.
TEST_F(TextTest, LongTailsAreMeasuredWhereTheirWidthCounts)
{
	std::string run;
	while (run.size() < 200000)
		run += "word" + std::to_string(run.size() % 89) + " ";
	WText* text = AddText(First(), run.c_str());
	WText* tail = AddText(text, nullptr);
	WText* next = AddText(tail, nullptr);
	std::string word = "a " + std::string(100000, 'x');
	WText* solid = AddText(next, word.c_str());
	WText* solidTail = AddText(solid, nullptr);
	ASSERT_NE(nullptr, text);
	BFont* font = text->environment->font;
	Window()->Lock();
	const int32 cut = 6;
	ASSERT_TRUE(text->MoveTail(cut, tail));
	// (Compared whole, without printing the run on failure.)
	ASSERT_TRUE(run.substr(cut) == Bytes(tail));
	float measured = std::floor(font->StringWidth(tail->Text()) + 5 + 0.5f);
	BRect bounds = tail->WBounds();
	EXPECT_GT(bounds.Width(), 262144);
	EXPECT_NEAR(measured, bounds.Width(), measured * 1e-3);
	bounds = text->WBounds();
	EXPECT_EQ(std::floor(font->StringWidth(text->Text()) + 5 + 0.5f),
		bounds.Width());

	EXPECT_EQ(nullptr, tail->JoinSplit(0.5f, true));
	EXPECT_EQ(measured, tail->WBounds().Width());

	// Cut again, and offered a line as wide as the tail: measured, and it
	// fits whole then.
	ASSERT_TRUE(tail->MoveTail(cut, next));
	measured = std::floor(font->StringWidth(next->Text()) + 5 + 0.5f);
	EXPECT_EQ(nullptr, next->JoinSplit(measured, true));
	EXPECT_EQ(measured, next->WBounds().Width());

	// One long word after the cut: measured at once.
	ASSERT_TRUE(solid->MoveTail(2, solidTail));
	EXPECT_EQ(std::floor(font->StringWidth(solidTail->Text()) + 5 + 0.5f),
		solidTail->WBounds().Width());
	Window()->Unlock();
}

TEST_F(TextTest, KeysTypeMoveAndDeleteWholeCharactersOfTheFontsEncoding)
{
	// A page with UTF-8 fonts (typing on a Latin-1 page is a scenario of
	// tests/data/editing).
	WText* first = dynamic_cast<WText*>(First());
	ASSERT_NE(nullptr, first);
	Window()->Lock();
	fPage->plainFont->SetEncoding(B_UNICODE_UTF8);
	first->Do();
	first->SetText("x\xe2\x82\xac");		// x€
	Window()->Unlock();
	WText* second = NewText(nullptr);
	Window()->Lock();
	second->SetText("\xc3\xa9y");		// éy
	second->MakeFocus(true);
	second->Select(0, 0);
	Window()->Unlock();
	ASSERT_EQ(second, First()->Next());

	// Backspace at the start of a text takes the whole last character of
	// the text before it; Delete at the end takes the next one's first.
	Type(std::string(1, (char)B_BACKSPACE));
	EXPECT_EQ("x", Bytes(first));
	EXPECT_TRUE(first->IsFocus());
	Type(std::string(1, (char)B_DELETE));
	EXPECT_EQ("y", Bytes(second));

	// The arrows step over whole characters, Shift extends by them.
	Window()->Lock();
	first->SetText("a\xe2\x80\x94" "b");	// a—b
	first->MakeFocus(true);
	first->Select(1, 1);
	Window()->Unlock();
	Type(std::string(1, (char)B_RIGHT_ARROW));
	int32 start, end;
	first->GetSelection(&start, &end);
	EXPECT_EQ(4, start);
	Type(std::string(1, (char)B_LEFT_ARROW));
	Type(std::string(1, (char)B_RIGHT_ARROW), B_SHIFT_KEY);
	first->GetSelection(&start, &end);
	EXPECT_EQ(1, start);
	EXPECT_EQ(4, end);

	// A text measures character by character: the bytes of "—" are one.
	float dash = fPage->plainFont->StringWidth("\xe2\x80\x94");
	float a = fPage->plainFont->StringWidth("a");
	EXPECT_EQ(1, CountCharsFit(first, a + dash / 2));
	EXPECT_EQ(4, CountCharsFit(first, a + dash));
}

TEST_F(TextTest, AReferenceAfterTheMarkIsOneCharacterShownAsItsCharacter)
{
	WText* text = dynamic_cast<WText*>(First());
	ASSERT_NE(nullptr, text);
	BFont* font = fPage->plainFont;
	Window()->Lock();
	// "café ©" as the page wrote it, and a mark that begins no reference.
	text->SetText("caf\x1A" "eacute; \x1A#169;\x1A" "x");
	// As wide as the characters, not as their spelling.
	EXPECT_FLOAT_EQ(font->StringWidth("caf\xe9 \xa9&x") + 5, text->TextWidth());
	EXPECT_EQ(11, text->NextCharacter(10));
	EXPECT_EQ(18, text->NextCharacter(13));
	EXPECT_EQ(3, text->PreviousCharacter(11));

	// Copied, each reference is its character.
	text->SelectAll();
	text->Copy(be_clipboard);
	ASSERT_TRUE(be_clipboard->Lock());
	const void* data = nullptr;
	ssize_t size = 0;
	be_clipboard->Data()->FindData("text/plain", B_MIME_TYPE, &data, &size);
	EXPECT_EQ("caf\xc3\xa9 \xc2\xa9&x", std::string((const char*)data, size));
	be_clipboard->Unlock();
	text->MakeFocus(true);
	text->Select(11, 11);
	Window()->Unlock();

	// Backspace after a reference takes all of it, Delete before one too.
	Type(std::string(1, (char)B_BACKSPACE));
	EXPECT_EQ("caf \x1A#169;\x1A" "x", Bytes(text));
	Type(std::string(1, (char)B_DELETE));
	Type(std::string(1, (char)B_DELETE));
	EXPECT_EQ("caf\x1A" "x", Bytes(text));
	Type(std::string(1, (char)B_RIGHT_ARROW));
	int32 start, end;
	text->GetSelection(&start, &end);
	EXPECT_EQ(4, start);
}

TEST_F(TextTest, ANonBreakingSpaceIsAsWideAsASpace)
{
	WText* nbsp = NewText("a&nbsp;b");
	WText* space = NewText("a b");
	ASSERT_NE(nullptr, nbsp);
	ASSERT_NE(nullptr, space);
	EXPECT_EQ(std::string("a\x0F" "b"), Bytes(nbsp));
	EXPECT_GT(space->TextWidth(), fPage->plainFont->StringWidth("ab") + 5 + 1);
	EXPECT_FLOAT_EQ(space->TextWidth(), nbsp->TextWidth());
	EXPECT_FLOAT_EQ(space->WBounds().Width(), nbsp->WBounds().Width());
}
