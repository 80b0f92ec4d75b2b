// The Insert menu and the style items at the caret of a small page: what the
// chain and the generated body hold afterwards, where typing goes on, and
// that the incremental layout is the one a whole layout gives.

#include "PageFixture.h"

#include "Anchor.h"
#include "EndLine.h"
#include "Environment.h"
#include "TextChange.h"
#include "List_Element.h"
#include "RTextControl.h"

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

	WText* Focused()
	{
		return dynamic_cast<WText*>(Engine()->Element(Window()->CurrentFocus()));
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

	// The incremental work left what a whole new environment walk and a
	// whole layout give (numbers, margins and frames alike), and no two
	// tags touch.
	void ExpectSound(const std::string& step)
	{
		std::string incremental = FlowDump();
		ASSERT_TRUE(Window()->Lock());
		Engine()->Do(nullptr);
		Engine()->Place(nullptr, true);
		Window()->Unlock();
		std::string whole = FlowDump();
		EXPECT_EQ(whole, incremental) << step << "\n"
			<< DiffLines(whole, incremental);
		// A text between every two tags, or a line break after one; only
		// style ends may touch (a range ended where another begins).
		WYSIWYG_Element* last = nullptr;
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			bool tag = dynamic_cast<WText*>(e) == nullptr;
			bool lastWasTag = last != nullptr
				&& dynamic_cast<WText*>(last) == nullptr;
			bool styleEnds = dynamic_cast<TextChange*>(e) != nullptr
				&& dynamic_cast<TextChange*>(last) != nullptr;
			EXPECT_FALSE(tag && lastWasTag && !styleEnds
				&& dynamic_cast<EndLine*>(e) == nullptr) << step << "\n" << Dump();
			last = e;
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

	// At the start of a text after a line break the pair goes in after
	// the break, with a text of its own between them.
	for (uint32 command : { kMsgCenter, kMsgBold }) {
		Open("abc<BR>def");
		Place("def", 0);
		Command(command);
		Type("X");
		EXPECT_NE(std::string::npos, Body().find("<BR><")) << Body();
		ExpectSound("a pair after a line break");
	}

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

// The font kinds (bold, fixed, headings ...) never nest: each ends the kind
// open at the caret, splitting its range when its text goes on after the
// caret and moving its end when nothing follows; the same kind again, or
// plain text where no kind is open, changes nothing at all.
TEST_F(InsertionTest, FontKindsEndTheOpenKindFirst)
{
	struct Case {
		const char* body;
		const char* text;	// where the caret or selection goes
		int32 start, end;
		uint32 command;
		const char* typed;
		const char* expected;
		bool changes;
	} cases[] = {
		{ "abcde", "abcde", 2, 2, kMsgBold, "X", "ab<B>X</B>cde", true },
		{ "<B>abcde</B>", "abcde", 2, 2, kMsgBold, "X", "<B>abXcde</B>",
			false },
		{ "<B>abcde</B>", "abcde", 2, 2, kMsgStrong, "X",
			"<B>ab</B><STRONG>X</STRONG><B>cde</B>", true },
		{ "<B>abcde</B>after", "abcde", 5, 5, kMsgFixed, "X",
			"<B>abcde</B><TT>X</TT>after", true },
		{ "<B>abcde</B>", "abcde", 2, 2, kMsgNormalText, "X",
			"<B>ab</B>X<B>cde</B>", true },
		{ "<TT>abcde</TT> after", "abcde", 5, 5, kMsgNormalText, "X",
			"<TT>abcde</TT>X after", true },
		{ "<B>ab<BIG>cd</BIG>e</B>", "cd", 1, 1, kMsgNormalText, "X",
			"<B>ab<BIG>c</BIG>X<BIG>d</BIG>e</B>", true },
		{ "abcde", "abcde", 2, 2, kMsgNormalText, "X", "abXcde", false },
		// Italic is not a font kind: bold goes inside it.
		{ "<I>abcde</I>", "abcde", 2, 2, kMsgBold, "X",
			"<I>ab<B>X</B>cde</I>", true },
		// Selected words go into the pair, or stay as they were.
		{ "<B>one two three</B>", "one two three", 4, 7, kMsgCode, "",
			"<B>one </B><CODE>two</CODE><B> three</B>", true },
		{ "<B>one two three</B>", "one two three", 4, 7, kMsgBold, "",
			"<B>one two three</B>", false },
	};
	for (const Case& c : cases) {
		Open(c.body);
		Place(c.text, c.start, c.end);
		fPage->Saved();
		Command(c.command);
		EXPECT_EQ(c.changes, !fPage->IsSaved()) << c.expected;
		if (!c.changes) {
			int32 start, end;
			Focused()->GetSelection(&start, &end);
			EXPECT_EQ(std::string(c.text), Focused()->Text()) << c.expected;
			EXPECT_EQ(c.start, start);
			EXPECT_EQ(c.end, end);
		}
		Type(c.typed);
		EXPECT_EQ(c.expected, Body());
		ExpectSound(c.expected);
		EXPECT_EQ(0, fResponder.CountAlerts()) << c.expected;
		// Typing went on right after what was typed into the new text.
		if (c.changes && c.typed[0] != '\0') {
			ASSERT_NE(nullptr, Focused()) << c.expected;
			int32 start, end;
			Focused()->GetSelection(&start, &end);
			EXPECT_EQ(std::string(c.typed),
				std::string(Focused()->Text()).substr(0, start)) << c.expected;
		}
	}

	// Splitting a bold range around a new pair, element by element.
	Open("<B>abcde</B>");
	Place("abcde", 2);
	Command(kMsgStrong);
	EXPECT_EQ((std::vector<std::string>{ "T''", "C6", "T'ab'", "C-6", "T''",
		"C71", "T''", "C-71", "T''", "C6", "T'cde'", "C-6", "T''" }), Chain())
		<< Dump();

	// Bold inside italic takes the bold italic face.
	Open("<I>abcde</I>");
	Place("abcde", 2);
	Command(kMsgBold);
	Type("X");
	ASSERT_NE(nullptr, Focused());
	EXPECT_EQ(fPage->boldItalicFont, Focused()->environment->font);

	// Every item of the font menus puts its own tag around the caret.
	const struct {
		uint32 command;
		const char* tag;
	} items[] = {
		{ kMsgFixed, "TT" }, { kMsgBig, "BIG" }, { kMsgSmall, "SMALL" },
		{ kMsgSub, "SUB" }, { kMsgSup, "SUP" }, { kMsgStrike, "STRIKE" },
		{ kMsgStrong, "STRONG" }, { kMsgDefinition, "DFN" },
		{ kMsgCode, "CODE" }, { kMsgSample, "SAMP" },
		{ kMsgKeyboard, "KBD" },
	};
	for (const auto& item : items) {
		Open("abcde");
		Place("abcde", 2);
		Command(item.command);
		Type("X");
		std::string tag = item.tag;
		EXPECT_EQ("ab<" + tag + ">X</" + tag + ">cde", Body());
		ExpectSound(item.tag);
	}
}

// A pair inside a run of its own kind ends the run's look early: the
// elements after the pair get the look a walk over the whole page gives.
TEST_F(InsertionTest, AfterAPairInItsOwnKindTheLookIsTheWholePagesOne)
{
	const struct { const char* body; uint32 command; } cases[] = {
		{ "<I>abc def</I> tail", kMsgItalic },
		{ "<U>abc def</U> tail", kMsgUnderline },
		{ "<CENTER>abc def</CENTER>tail", kMsgCenter },
		{ "<BLOCKQUOTE>abc def</BLOCKQUOTE>tail", kMsgBlockquote },
	};
	for (const auto& c : cases) {
		Open(c.body);
		Place("abc def", 3);
		Command(c.command);
		Type("X");
		std::string pieces = FlowDump();
		ASSERT_TRUE(Window()->Lock());
		Engine()->Do(nullptr);
		Engine()->Place(nullptr, true);
		Window()->Unlock();
		EXPECT_EQ(pieces, FlowDump()) << c.body;
	}
}

// What a list command makes at the end of a text: its two ends, two items
// and a text for each; typing goes on in the first item and Tab adds one.
TEST_F(InsertionTest, ListsGoInWithTwoItemsAndGrowByTab)
{
	struct Case {
		uint32 command;
		const char* open;
		const char* item;
		const char* close;
		const char* body;
	} cases[] = {
		{ kMsgUnorderedList, "L1+", "LI1", "L1-",
			"abc<UL><LI>one<LI>two<LI></UL>" },
		{ kMsgOrderedList, "L2+", "LI2", "L2-",
			"abc<OL><LI>one<LI>two<LI></OL>" },
		// Terms and data take turns as the items go in; the Tab item is the
		// data of "one", and the old second item keeps its kind.
		{ kMsgDefinitionList, "L3+", "LI4", "L3-",
			"abc<DL><DT>one<DD>two<DD></DL>" },
	};
	for (const Case& c : cases) {
		Open("abc");
		Place("abc", 3);
		fPage->Saved();
		Command(c.command);
		EXPECT_FALSE(fPage->IsSaved()) << c.body;
		std::string second = c.command == kMsgDefinitionList ? "LI5" : c.item;
		EXPECT_EQ((std::vector<std::string>{ "T'abc'", c.open, "T''", c.item,
			"T''", second, "T''", c.close, "T''" }), Chain()) << Dump();
		ExpectSound(std::string(c.body) + " inserted");
		Type("one");
		Type("\t");
		Type("two");
		EXPECT_EQ(c.body, Body());
		ExpectSound(c.body);
	}
	// The numbers follow the items.
	std::vector<int32> numbers;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		if (List_Element* item = dynamic_cast<List_Element*>(e))
			numbers.push_back(item->Number());
	}
	EXPECT_EQ((std::vector<int32>{ 0, 0, 0 }), numbers);

	Open("<OL><LI>one<LI>two</OL>");
	Place("one", 3);
	Type("\t");
	Type("new");
	numbers.clear();
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		if (List_Element* item = dynamic_cast<List_Element*>(e))
			numbers.push_back(item->Number());
	}
	EXPECT_EQ((std::vector<int32>{ 1, 2, 3 }), numbers);
	EXPECT_EQ("<OL><LI>one<LI>new<LI>two</OL>", Body());
	ExpectSound("Tab in an ordered list");

	// Outside a list Tab changes nothing.
	Open("abc");
	Place("abc", 1);
	fPage->Saved();
	Type("\t");
	EXPECT_EQ("abc", Body());
	EXPECT_TRUE(fPage->IsSaved());
}

TEST_F(InsertionTest, ListsNestAndGoInAnywhere)
{
	// Inside an item the new list is one level deeper, its items indented
	// further, and the outer list goes on after it.
	Open("<UL><LI>one<LI>two</UL>");
	Place("one", 3);
	Command(kMsgOrderedList);
	Type("inner");
	EXPECT_EQ("<UL><LI>one<OL><LI>inner<LI></OL><LI>two</UL>", Body());
	int32 levels = 0;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		if (List* list = dynamic_cast<List*>(e)) {
			if (list->OpenClose() && list->Type() == kOrderedList) {
				EXPECT_EQ(2, list->Level());
				levels++;
			}
		}
		List_Element* item = dynamic_cast<List_Element*>(e);
		if (item != nullptr && item->ItemType() == kOrderedItem) {
			EXPECT_EQ(80, item->WBounds().Width()) << Dump();
		}
	}
	EXPECT_EQ(1, levels);
	ExpectSound("a nested list");

	// At the very start of the page the first element stays a text; in the
	// middle of a text the list splits it; selected words are replaced.
	Open("abc");
	Place("abc", 0);
	Command(kMsgUnorderedList);
	EXPECT_NE(nullptr, dynamic_cast<WText*>(First()));
	EXPECT_EQ("<UL><LI><LI></UL>abc", Body());
	ExpectSound("a list at the start");

	Open("one two three");
	Place("one two three", 4, 8);
	Command(kMsgDefinitionList);
	Type("x");
	// (The space before the list's own line is written as that line end.)
	EXPECT_EQ("one<DL><DT>x<DD></DL>three", Body());
	ExpectSound("a list over a selection");

	// No rule goes into a list.
	Open("<UL><LI>one</UL>");
	Place("one", 1);
	Command(kMsgHorizontalLine);
	EXPECT_EQ("<UL><LI>one</UL>", Body());
}

// A link goes around the selected words (they are kept) or around a new
// text at the caret, and the tag settings window opens on it at once.
TEST_F(InsertionTest, LinksTakeTheSelectionAndAskWhereTheyLead)
{
	Open("one two three");
	Place("one two three", 4, 7);
	fPage->Saved();
	Command(kMsgInsertAnchor);
	EXPECT_FALSE(fPage->IsSaved());
	EXPECT_EQ((std::vector<std::string>{ "T'one '", "A+", "T'two'", "A-",
		"T' three'" }), Chain()) << Dump();
	Anchor* link = dynamic_cast<Anchor*>(At(1));
	ASSERT_NE(nullptr, link);
	WText* inside = dynamic_cast<WText*>(At(2));
	ASSERT_NE(nullptr, inside);
	EXPECT_EQ(link, inside->CurrentAnchor());
	EXPECT_EQ(*fPage->linkColor, *inside->environment->color);
	ExpectSound("a link over a selection");

	TAGSettingsWindow* window = TagWindow();
	ASSERT_NE(nullptr, window);
	EXPECT_EQ(link, window->element);
	ASSERT_TRUE(window->Lock());
	window->firstControl->SetText("two.html");
	window->Unlock();
	CloseTagWindow();
	EXPECT_EQ(nullptr, TagWindow());
	EXPECT_EQ("one <A HREF=\"two.html\">two</A> three", Body());

	// At the caret typing goes on inside the new link; after the link the
	// text has the page's own colour again.
	Open("abcde");
	Place("abcde", 2);
	Command(kMsgInsertAnchor);
	Type("link");
	ASSERT_NE(nullptr, TagWindow());
	CloseTagWindow();
	EXPECT_EQ("ab<A>link</A>cde", Body());
	WText* after = dynamic_cast<WText*>(Engine()->LastElement());
	ASSERT_NE(nullptr, after);
	EXPECT_EQ(nullptr, after->CurrentAnchor());
	EXPECT_EQ(*fPage->textColor, *after->environment->color);
	ExpectSound("a link at the caret");
}

// Backspace and Delete next to links, items and lists that enclose nothing
// take them out; what enclosed something is passed over. When an item goes
// out (or Tab puts one in) the lines after it, up to the next item or list
// tag, take the indent of what now comes before them, and the numbered
// items after it count again, even past a style end.
TEST_F(InsertionTest, EmptyLinksItemsAndListsGoByBackspaceAndDelete)
{
	struct Case {
		const char* body;
		const char* text;
		int32 caret;
		const char* keys;
		const char* expected;
		const char* line = nullptr;	// a line of the dump afterwards
	} cases[] = {
		{ "ab<A HREF=\"x\">c</A>d", "c", 1, "\x08\x08", "abd" },
		{ "ab<A NAME=\"n\">c</A>d", "ab", 2, "\x7f\x7f\x7f", "ab" },
		{ "<UL><LI>one<LI>x</UL>y", "x", 1, "\x08\x08",
			"<UL><LI>one</UL>y" },
		{ "<UL><LI>one<LI>x</UL>y", "x", 1, "\x08\x08\x08",
			"<UL><LI>on</UL>y" },
		{ "ab<UL><LI></UL>cd", "ab", 2, "\x7f", "ab<UL></UL>cd" },
		{ "ab<UL><LI></UL>cd", "ab", 2, "\x7f\x7f", "abcd" },
		{ "ab<OL><LI>x</OL>cd", "cd", 0, "\x08\x08\x08", "abcd" },
		{ "<UL><LI>a<UL><LI>b</UL>c<LI> <BR> </UL>", "c", 1, "\x7f",
			"<UL><LI>a<UL><LI>b</UL>c <BR> </UL>",
			"13 WText eol=0 x=5..10 h=12 text=\"\" before=\" \"" },
		{ "<OL><LI>one<LI><LI>three</OL>", "one", 3, "\x7f",
			"<OL><LI>one<LI>three</OL>",
			"List_Element eol=0 x=5..50 h=12 item=2 number=2 margin=45" },
		{ "<OL><LI><B>one</B><LI>two</OL>", "one", 3, "\t",
			"<OL><LI><B>one<LI></B><LI>two</OL>",
			"List_Element eol=0 x=5..50 h=12 item=2 number=3 margin=45" },
		{ "<DL><DT>a<BR>b<UL>x<BR>y<LI>c</UL></DL>", "a", 1, "\t",
			"<DL><DT>a<DD><BR>b<UL>x<BR>y<LI>c</UL></DL>",
			"x=50..61 h=12 text=\"y\"" },
		{ "ab<BIG> <BR> <I> </I> <BR> </BIG>cd", "ab", 2, "\x7f",
			"ab <BR> <I> </I> <BR> cd", "6 WText eol=1 x=20..28 h=12" },
	};
	for (const Case& c : cases) {
		Open(c.body);
		Place(c.text, c.caret);
		Type(c.keys);
		EXPECT_EQ(c.expected, Body()) << c.body << " " << Dump();
		if (c.line != nullptr) {
			EXPECT_NE(std::string::npos, FlowDump().find(c.line)) << c.body
				<< "\n" << FlowDump();
		}
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			EXPECT_EQ(nullptr, e->CurrentAnchor()) << c.body;
			if (std::string(c.expected).find('<') == std::string::npos) {
				EXPECT_EQ(nullptr, e->CurrentList()) << c.body;
			}
		}
		ExpectSound(c.body);
	}
}

// Headings are font kinds with a line of their own: every level goes in at
// the caret, around selected words, at either end of a text, and ends a
// heading or a bold range open at the caret.
TEST_F(InsertionTest, HeadingsTakeALineOfTheirOwn)
{
	struct Case {
		const char* body;
		const char* text;
		int32 start, end;
		uint32 command;
		const char* typed;
		const char* expected;
	} cases[] = {
		{ "abcde", "abcde", 2, 2, kMsgHeading1, "X", "ab<H1>X</H1>cde" },
		{ "abcde", "abcde", 0, 0, kMsgHeading2, "X", "<H2>X</H2>abcde" },
		{ "abcde", "abcde", 5, 5, kMsgHeading3, "X", "abcde<H3>X</H3>" },
		// The blank that ends the line is written as the line end.
		{ "one two three", "one two three", 4, 7, kMsgHeading4, "",
			"one<H4>two</H4> three" },
		{ "<H1>abcde</H1>", "abcde", 2, 2, kMsgHeading1, "X",
			"<H1>abXcde</H1>" },
		{ "<H1>abcde</H1>", "abcde", 2, 2, kMsgHeading5, "X",
			"<H1>ab</H1><H5>X</H5><H1>cde</H1>" },
		{ "<H1>abcde</H1>after", "abcde", 5, 5, kMsgHeading6, "X",
			"<H1>abcde</H1><H6>X</H6>after" },
		{ "<B>abcde</B>", "abcde", 2, 2, kMsgHeading1, "X",
			"<B>ab</B><H1>X</H1><B>cde</B>" },
	};
	for (const Case& c : cases) {
		Open(c.body);
		Place(c.text, c.start, c.end);
		Command(c.command);
		Type(c.typed);
		EXPECT_EQ(c.expected, Body());
		ExpectSound(c.expected);
		EXPECT_EQ(0, fResponder.CountAlerts()) << c.expected;
	}

	// The heading's line lies between the line before it and the line after.
	Open("abcde");
	Place("abcde", 2);
	Command(kMsgHeading1);
	Type("X");
	WText* heading = Focused();
	ASSERT_NE(nullptr, heading);
	EXPECT_EQ(fPage->headingFonts[0], heading->environment->font);
	float before = Place("ab", 0)->WFrame().top;
	float after = Place("cde", 0)->WFrame().top;
	EXPECT_LT(before, heading->WFrame().top);
	EXPECT_LT(heading->WFrame().top, after);
}

// Enter, Backspace and Delete at the edges of a heading, as a user types.
TEST_F(InsertionTest, KeysAtTheEdgesOfAHeading)
{
	struct Case {
		const char* text;
		int32 caret;
		const char* keys;
		const char* expected;
		const char* focused;	// the text with the caret afterwards
	} cases[] = {
		{ "Title", 2, "\n", "<H1>Ti<BR>tle</H1>after", "tle" },
		{ "Title", 5, "\nX", "<H1>Title<BR>X</H1>after", "X" },
		{ "Title", 0, "\n", "<H1><BR>Title</H1>after", "Title" },
		// A heading that holds text is stepped over: the nearest letter
		// goes.
		{ "after", 0, "\x08", "<H1>Titl</H1>after", "Titl" },
		{ "Title", 5, "\x7f", "<H1>Title</H1>fter", "fter" },
	};
	for (const Case& c : cases) {
		Open("<H1>Title</H1>after");
		Place(c.text, c.caret);
		Type(c.keys);
		EXPECT_EQ(c.expected, Body());
		ASSERT_NE(nullptr, Focused()) << c.expected;
		EXPECT_EQ(std::string(c.focused), Focused()->Text()) << c.expected;
		ExpectSound(c.expected);
	}

	// A heading begun and left empty goes again at the first Backspace.
	Open("abc");
	Place("abc", 3);
	Command(kMsgHeading2);
	Type("\x08");
	EXPECT_EQ("abc", Body());
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next())
		EXPECT_EQ(nullptr, dynamic_cast<TextChange*>(e)) << Dump();
	ExpectSound("an empty heading removed");

	// A heading that holds only a line break goes as a whole, and what it
	// held takes the plain look again.
	Open("x<H1> <BR> </H1>y");
	Place("y", 0);
	Type("\x08");
	EXPECT_EQ("x <BR> y", Body());
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		if (WText* text = dynamic_cast<WText*>(e)) {
			EXPECT_EQ(fPage->plainFont, text->environment->font) << Dump();
		}
	}
	ExpectSound("a heading around a line break removed");
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

// An item put in before a line break indents the lines after the break, up
// to the list's end, as a whole walk and layout of the page do.
TEST_F(InsertionTest, AnItemIndentsTheLinesAfterIt)
{
	const char* pages[] = { "<DL><DT>a<DD>b<UL><LI>c</UL>tail<BR>more</DL>",
		"<UL><LI>a<OL><LI>b</OL>tail<BR>more<BR>last</UL>" };
	for (const char* page : pages) {
		Open(page);
		Place("tail", 4);
		Type("\t");
		ExpectSound(page);
	}
}
