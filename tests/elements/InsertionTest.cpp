// The Insert menu and the style items at the caret of a small page: what the
// chain and the generated body hold afterwards, where typing goes on, and
// that the incremental layout is the one a whole layout gives.

#include "PageFixture.h"

#include "EndLine.h"

#include <string>

using namespace quillora_test;

namespace {

class InsertionTest : public PageFixture {
protected:
	void Open(const char* body)
	{
		Parse(std::string("<BODY>") + body + "</BODY>");
	}

	// Puts the caret (or a selection) into the text holding `bytes`.
	WText* Place(const char* bytes, int32 start, int32 end = -1)
	{
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			WText* text = dynamic_cast<WText*>(e);
			if (text != nullptr && std::string(text->Text()) == bytes) {
				EXPECT_TRUE(Window()->Lock());
				text->MakeFocus(true);
				text->Select(start, end < 0 ? start : end);
				Window()->Unlock();
				return text;
			}
		}
		ADD_FAILURE() << "no text " << bytes << "\n" << Dump();
		return nullptr;
	}

	void Command(uint32 what)
	{
		Window()->PostMessage(what);
		BPrivate::dispatch_until_idle();
	}

	// The generated body without its line ends.
	std::string Body()
	{
		std::string out;
		for (char c : HTMLOf(nullptr)) {
			if (c != '\r' && c != '\n')
				out += c;
		}
		return out;
	}

	void ExpectSound(const char* step)
	{
		std::string difference = RelayoutDifference();
		EXPECT_TRUE(difference.empty()) << step << "\n" << difference;
		// A text between every two tags, or a line break after one.
		bool lastWasTag = false;
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			bool tag = dynamic_cast<WText*>(e) == nullptr;
			EXPECT_FALSE(tag && lastWasTag
				&& dynamic_cast<EndLine*>(e) == nullptr) << step << "\n" << Dump();
			lastWasTag = tag;
		}
	}
};

TEST_F(InsertionTest, SingleElementsGoInAtTheCaret)
{
	struct Case {
		uint32 command;
		const char* expected;	// after typing "X"
	} cases[] = {
		{ kMsgBreakLine, "ab<BR>Xcde" },
		{ kMsgParagraph, "ab<P>Xcde" },
		{ kMsgHorizontalLine, "ab<HR>Xcde" },
		{ kMsgNormalText, "abXcde" },
		{ kMsgNonBreakingSpace, "ab&nbsp;Xcde" },
	};
	for (const Case& c : cases) {
		Open("abcde");
		Place("abcde", 2);
		fPage->Saved();
		Command(c.command);
		EXPECT_FALSE(fPage->IsSaved()) << c.expected;
		Type("X");
		EXPECT_EQ(c.expected, Body());
		// A new plain text stays a text of its own until the next whole
		// layout: no comparison with one for it.
		if (c.command != kMsgNormalText)
			ExpectSound(c.expected);
	}

	// A paragraph at the end of a text followed by a line break only
	// retypes the break.
	Open("ab<BR>cd");
	Place("ab", 2);
	Command(kMsgParagraph);
	EXPECT_EQ("ab<P>cd", Body());
	ExpectSound("P over a BR");

	// At the very start of the page the first element stays a text.
	Open("abc");
	Place("abc", 0);
	Command(kMsgHorizontalLine);
	EXPECT_NE(nullptr, dynamic_cast<WText*>(First()));
	EXPECT_EQ("<HR>abc", Body());
	ExpectSound("HR at the start");
}

TEST_F(InsertionTest, StylePairsTakeTheCaretOrTheSelection)
{
	Open("abcde");
	Place("abcde", 2);
	Command(kMsgItalic);
	EXPECT_EQ((std::vector<std::string>{ "T'ab'", "C42", "T''", "C-42",
		"T'cde'" }), Chain()) << Dump();
	Type("XY");
	EXPECT_EQ("ab<I>XY</I>cde", Body());
	ExpectSound("I at the caret");

	// Selected words become the text of the pair instead of being lost.
	Open("one two three");
	Place("one two three", 4, 7);
	Command(kMsgUnderline);
	EXPECT_EQ("one <U>two</U> three", Body());
	ExpectSound("U over a selection");

	// Other insertions take the selection's place.
	Open("one two three");
	Place("one two three", 4, 8);
	Command(kMsgBreakLine);
	EXPECT_EQ("one <BR>three", Body());

	// Block pairs change the lines after them.
	const uint32 blocks[] = { kMsgCenter, kMsgBlockquote };
	for (uint32 block : blocks) {
		Open("before<BR>abcde<BR>after");
		Place("abcde", 5);
		Command(block);
		Type("inside");
		ExpectSound("a block pair");
		EXPECT_NE(std::string::npos, Body().find("inside</"));
	}
}

TEST_F(InsertionTest, WithoutAFocusedTextNothingGoesIn)
{
	Open("abc");
	ASSERT_TRUE(Window()->Lock());
	if (BView* focus = Window()->CurrentFocus())
		focus->MakeFocus(false);
	Window()->Unlock();
	std::string before = Body();
	Command(kMsgHorizontalLine);
	EXPECT_EQ(before, Body());
	ASSERT_EQ(1, fResponder.CountAlerts());
	EXPECT_EQ("Place cursor where you want to place the object.",
		fResponder.TextAt(0));
}

}	// namespace
