// Layout, with expected positions worked out from the page font's own
// metrics (the kit keeps views on whole pixels, so every position is
// rounded as the kit rounds it).

#include "PageFixture.h"

#include <InterfaceDefs.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <View.h>

#include <cmath>
#include <cstdio>
#include <sstream>

#include "HorizontalLine.h"

using namespace quillora_test;
using EngineTest = PageFixture;

namespace {

float
Pixel(float value)
{
	return std::floor(value + 0.5f);
}

class LayoutTest : public EngineTest {
protected:
	void SetUp() override
	{
		EngineTest::SetUp();
		SetViewSize(400, 300);
	}

	float Width(const char* text)
	{
		return Pixel(fPage->plainFont->StringWidth(text) + 5);
	}

	float LineHeight() { return Pixel(FontHeight(fPage->plainFont)); }

	// The width of each byte in the page's plain font, as a line sums them.
	void PlainByteWidths(float* widths)
	{
		for (int i = 0; i < 256; i++) {
			char byte = (char)i;
			widths[i] = fPage->plainFont->StringWidth(&byte, 1);
		}
	}

	WText* TextAt(int index) { return dynamic_cast<WText*>(At(index)); }

	std::string Texts()
	{
		std::string out;
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			if (WText* text = dynamic_cast<WText*>(e))
				out += std::string("[") + text->Text() + "]";
			if (e->EOLStatus() != 0)
				out += "|";
		}
		return out;
	}

	void Refresh()
	{
		ASSERT_TRUE(Window()->Lock());
		Engine()->Refresh();
		Window()->Unlock();
	}

	float ScrollMax()
	{
		float min, max;
		Engine()->scrollView->ScrollBar(B_VERTICAL)->GetRange(&min, &max);
		return max;
	}
};

}	// namespace

// A line that its pieces fill to the last pixel holds them all; one pixel
// less and the last piece goes to the next line.
TEST_F(LayoutTest, ALineFilledExactlyHoldsItsPieces)
{
	Parse("<BODY>ab<B>cd</B><I>ef</I></BODY>");
	std::string oneLine = Texts();
	// Each piece with a view counts its width and one pixel; the line is
	// shared out from its first pixel to its last.
	float used = -1;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		if (e->View() != nullptr)
			used += e->WBounds().right - e->WBounds().left + 1;
	}
	// Five pixels of margin on either side.
	SetViewSize(used + 10, 300);
	Refresh();
	EXPECT_EQ(oneLine, Texts()) << Dump();
	SetViewSize(used + 9, 300);
	Refresh();
	EXPECT_NE(oneLine, Texts()) << Dump();
}

TEST_F(LayoutTest, LineBreaksAddNoVisibleSpace)
{
	Parse("<BODY>a<BR>b<BR>c</BODY>");
	EXPECT_EQ("[a]|[b]|[c]", Texts()) << Dump();
	float h = LineHeight();
	EXPECT_EQ(8, TextAt(0)->WFrame().top);
	EXPECT_EQ(8 + h + 2, TextAt(2)->WFrame().top);
	EXPECT_EQ(8 + 2 * (h + 2), TextAt(4)->WFrame().top);

	// Typing in the first line shifts the lines after the breaks by
	// nothing: they stay where they are.
	dynamic_cast<WText*>(First())->MakeFocus(true);
	Type("x");
	EXPECT_EQ(8 + h + 2, TextAt(2)->WFrame().top);
	EXPECT_EQ(8 + 2 * (h + 2), TextAt(4)->WFrame().top);
}

// The texts around rules: tests/data/layout/line-breaks-and-rules.
TEST_F(LayoutTest, TheRuleSitsInTheBandOfItsLine)
{
	Parse("<BODY>a<HR>b c<HR>d</BODY>");
	float h = LineHeight();
	HorizontalLine* rule = dynamic_cast<HorizontalLine*>(At(1));
	ASSERT_NE(nullptr, rule) << Dump();
	float lineTop = 8 + h + 2;
	EXPECT_FLOAT_EQ(lineTop, rule->LineTop());
	EXPECT_FLOAT_EQ(lineTop + 13, rule->y);
	HorizontalLine* second = dynamic_cast<HorizontalLine*>(At(3));
	ASSERT_NE(nullptr, second) << Dump();
	EXPECT_FLOAT_EQ(lineTop + 26 + h + 2 + 13, second->y);
	EXPECT_EQ(0, fResponder.CountAlerts());
}

TEST_F(LayoutTest, ScrollRangeFollowsTheDocument)
{
	Parse("<BODY>short</BODY>");
	EXPECT_EQ(0, ScrollMax());

	std::string body = "<BODY>";
	for (int i = 0; i < 60; i++)
		body += "line<BR>";
	Parse(body + "end</BODY>");
	BRect bounds = Engine()->view->Bounds();
	float expected = Engine()->LastElement()->LineBottom() + 2 + 13
		- (bounds.bottom - bounds.top);
	EXPECT_GT(expected, 0);
	EXPECT_FLOAT_EQ(expected, ScrollMax());

	// Scrolling stops at both ends of the range.
	ASSERT_TRUE(Window()->Lock());
	Engine()->view->ScrollTo(BPoint(0, 100000));
	EXPECT_FLOAT_EQ(expected, Engine()->view->Bounds().top);
	Window()->Unlock();
	BPrivate::dispatch_until_idle();
	ASSERT_TRUE(Window()->Lock());
	Engine()->view->ScrollTo(BPoint(0, -40));
	EXPECT_FLOAT_EQ(0, Engine()->view->Bounds().top);
	Window()->Unlock();
}

TEST_F(LayoutTest, ResizesAndScrollsWaitForTheQueueToEmpty)
{
	Parse("<BODY>one two three four five six seven eight nine ten</BODY>");
	std::string wide = Texts();
	ASSERT_EQ(std::string::npos, wide.find("]|[")) << wide;

	// A resize while other messages wait is put off until the queue is
	// empty, also when no other resize follows...
	Window()->PostMessage('wait');
	ASSERT_TRUE(Window()->Lock());
	Engine()->view->ResizeTo(120, 300);
	Window()->Unlock();
	EXPECT_EQ(wide, Texts());
	BPrivate::dispatch_until_idle();
	std::string narrow = Texts();
	EXPECT_NE(std::string::npos, narrow.find("]|[")) << narrow;

	// ...and one that comes when the queue is empty re-flows at once.
	ASSERT_TRUE(Window()->Lock());
	Engine()->view->ResizeTo(600, 300);
	Window()->Unlock();
	EXPECT_EQ(wide, Texts());

	// A scroll likewise.
	Parse("<BODY>" + std::string(60, 'x') + std::string(40, '\n')
		+ "<BR>end<BR>end<BR>end<BR>end<BR>end<BR>end<BR>end</BODY>");
	ASSERT_TRUE(Window()->Lock());
	Engine()->view->ResizeTo(200, 40);
	Window()->Unlock();
	BPrivate::dispatch_until_idle();
	Window()->PostMessage('wait');
	ASSERT_TRUE(Window()->Lock());
	Engine()->view->ScrollTo(BPoint(0, 5));
	EXPECT_EQ(0, Engine()->view->Bounds().top);
	Window()->Unlock();
	BPrivate::dispatch_until_idle();
	ASSERT_TRUE(Window()->Lock());
	EXPECT_EQ(5, Engine()->view->Bounds().top);
	Window()->Unlock();
}

TEST_F(LayoutTest, ChangeInAParagraphMovesTheLinesAfterTheNextHardBreak)
{
	std::string first, second;
	for (int i = 0; i < 12; i++) {
		first += "alpha beta ";
		second += "gamma delta ";
	}
	Parse("<BODY>" + first + "<P>" + second + "<P>end</BODY>");
	std::string before = Texts();

	// Mark a view of the second paragraph: lines that are only moved keep
	// their horizontal place; a re-flow would put it back.
	WText* gamma = nullptr;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		WText* text = dynamic_cast<WText*>(e);
		if (text != nullptr && strncmp(text->Text(), "gamma", 5) == 0)
			gamma = text;
	}
	ASSERT_NE(nullptr, gamma);
	ASSERT_TRUE(Window()->Lock());
	gamma->MoveBy(3, 0);
	BRect marked = gamma->Frame();
	Window()->Unlock();
	int lines = 0;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next())
		lines += e->EOLStatus();

	// A long word at the start of the first paragraph adds a line to it.
	WText* text = dynamic_cast<WText*>(First());
	ASSERT_TRUE(Window()->Lock());
	text->MakeFocus(true);
	text->Select(0, 0);
	Window()->Unlock();
	Type("Pneumonoultramicroscopicsilicovolcanoconiosis ");
	int linesAfter = 0;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next())
		linesAfter += e->EOLStatus();
	ASSERT_EQ(lines + 1, linesAfter) << Texts();

	EXPECT_EQ(marked.left, gamma->Frame().left);
	EXPECT_EQ(marked.top + LineHeight() + 2, gamma->Frame().top);
	EXPECT_EQ(before.substr(before.find("[gamma")),
		Texts().substr(Texts().find("[gamma")));
}

TEST_F(LayoutTest, TypingLaysOutAsAWholeLayoutWould)
{
	std::string body = "<BODY>";
	for (int p = 0; p < 6; p++) {
		for (int i = 0; i < 15; i++)
			body += (i % 4 == 0) ? "<B>bold words</B> " : "plain text here ";
		body += p % 2 ? "<P>" : "<BR>";
	}
	Parse(body + "</BODY>");
	std::string parsed = Dump();
	Refresh();
	// Laying out the opened page again changes nothing.
	EXPECT_TRUE(parsed == Dump()) << DiffLines(parsed, Dump());

	// Type into the middle of several texts; the result must be the one a
	// whole new layout gives.
	for (int round = 0; round < 5; round++) {
		int index = 0;
		WText* target = nullptr;
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			WText* text = dynamic_cast<WText*>(e);
			if (text != nullptr && text->TextLength() > 6
				&& index++ == 3 + round * 7)
				target = text;
		}
		ASSERT_NE(nullptr, target);
		ASSERT_TRUE(Window()->Lock());
		target->MakeFocus(true);
		target->Select(3, 3);
		Window()->Unlock();
		Type(round % 2 ? "inserted words " : "x");
		std::string typed = FlowDump();
		Refresh();
		std::string whole = FlowDump();
		EXPECT_TRUE(typed == whole) << "round " << round << "\n"
			<< DiffLines(typed, whole);
	}
}

// A body that is one run of words without a tag: the first text is cut line
// by line. Every line holds as many whole words as fit into the width that
// is offered to the first text of a line (the view less the side insets and
// the reserve); the space after the last word may hang over. The line break
// at the end begins a line of its own. The expected chain is worked out from
// the font's byte widths alone.
TEST_F(LayoutTest, LongSingleRunFillsEveryLineWithWholeWords)
{
	std::string run;
	while (run.size() < (1 << 20))
		run += "word" + std::to_string(run.size() % 97) + " ";
	Parse("<BODY>" + run + "<BR>");

	float byteWidth[256];
	PlainByteWidths(byteWidth);
	const float room = 400 - 5 - 5 - 5;
	const float height = LineHeight();
	auto number = [](float value) {
		char buffer[64];
		snprintf(buffer, sizeof(buffer), "%g", (double)value);
		return std::string(buffer);
	};

	std::string expected;
	size_t start = 0;
	float top = 8;
	int index = 0;
	while (start < run.size()) {
		size_t end = run.size();
		// (A thousand bytes of these words are far wider than a line.)
		if (run.size() - start > 1000
			|| Width(run.c_str() + start) - 5 > room) {
			// The last space whose words before it fit.
			float width = 0;
			size_t cut = 0;
			for (size_t i = start; i < run.size() && width <= room; i++) {
				if (run[i] == ' ' && i > start)
					cut = i + 1;
				width += byteWidth[(uint8)run[i]];
			}
			ASSERT_GT(cut, start);
			end = cut;
		}
		std::string piece = run.substr(start, end - start);
		float right = 5 + Width(piece.c_str());
		expected += std::to_string(index) + " WText eol=1 frame=5,"
			+ number(top) + ","
			+ number(right) + "," + number(top + height) + " text="
			+ QuoteText(piece.c_str()) + "\n";
		top += height + 2;
		start = end;
		index++;
	}
	ASSERT_GT(index, 10000);

	std::string dump = Dump();
	size_t cut = 0;
	for (int i = 0; i < index && cut != std::string::npos; i++) {
		cut = dump.find('\n', cut);
		if (cut != std::string::npos)
			cut++;
	}
	ASSERT_NE(std::string::npos, cut);
	std::string texts = dump.substr(0, cut);
	// Compared whole, without printing megabytes on failure.
	EXPECT_TRUE(expected == texts) << DiffLines(expected, texts);
	// The line break closes the last line.
	EXPECT_EQ(0u, dump.compare(cut, std::to_string(index).size() + 9,
		std::to_string(index) + " EndLine ")) << dump.substr(cut, 80);
}

// A text joined into the one before it comes over whole when all of it fits:
// no piece of its own is left with its last word, behind the caret allowance
// of the piece before as a gap.
TEST_F(LayoutTest, AWholeTextThatFitsIsJoinedWhole)
{
	// (A fresh layout of such texts: tests/data/layout/joined-whole.)
	// Typing into a paragraph and taking the words out again re-flows it
	// back to what a fresh layout of the same text gives: each round pushes
	// words onto a second line and pulls them all back.
	Parse("<BODY>alpha beta gamma delta epsilon zeta eta theta<BR>end</BODY>");
	std::string fresh = Dump();
	WText* text = TextAt(0);
	ASSERT_NE(nullptr, text);
	const std::string typed = "iota kappa lambda mu nu xi omicron pi rho "
		"sigma tau upsilon ";
	// At the start of "beta", "gamma" and "delta".
	const int32 offsets[] = { 6, 11, 17 };
	for (int round = 0; round < 3; round++) {
		ASSERT_TRUE(Window()->Lock());
		text->MakeFocus(true);
		text->Select(offsets[round], offsets[round]);
		Window()->Unlock();
		Type(typed);
		ASSERT_NE(std::string::npos, Texts().find("]|[")) << Dump();
		for (size_t i = 0; i < typed.size(); i++)
			Type("\x08");
		EXPECT_TRUE(fresh == Dump()) << "round " << round << "\n"
			<< DiffLines(fresh, Dump());
	}
}

// No view lies beyond the page's right inset, whatever the width, however
// many pieces a line holds and however it is aligned; only a word wider than
// the whole line may stick out, alone on its line.
TEST_F(LayoutTest, LinesOfManyPiecesStayInsideTheView)
{
	std::string body = "<BODY>";
	for (int i = 0; i < 40; i++)
		body += std::string(i % 3 ? "<B>" : "<I>") + "w" + std::to_string(i)
			+ (i % 3 ? "</B>" : "</I>") + " x ";
	body += "<CENTER>";
	for (int i = 0; i < 40; i++)
		body += "<B>c" + std::to_string(i) + "</B> ";
	body += "</CENTER>";
	Parse(body + "</BODY>");
	int checked = 0;
	for (float width = 150; width <= 700; width += 23) {
		SetViewSize(width, 300);
		Refresh();
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			if (e->View() == nullptr)
				continue;
			BRect frame = e->WFrame();
			EXPECT_LE(frame.right, width - 5) << "width " << width << "\n"
				<< Dump();
			EXPECT_GE(frame.left, 5);
			checked++;
		}
	}
	EXPECT_GT(checked, 1000);

	// Every right-aligned line ends on the same column, (400 - 14) - 5,
	// however many pieces it holds, a picture taller than its text too.
	// (Pictures rising above the text, at the top of their line and centred
	// with it: tests/data/layout/images-aligned.)
	SetViewSize(400, 300);
	Parse("<BODY><B>a</B><I>b</I><B>c</B><I>d</I><B>e</B><BR>abcde<BR>"
		"<I>a</I> b <B>c</B> d<BR>x<IMG SRC=\"" QUILLORA_TEST_DATA
		"/images/pic50x40.gif\"></BODY>");
	ASSERT_TRUE(Window()->Lock());
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next())
		e->SetHAlignment(2);
	Engine()->Place(nullptr, true);
	Window()->Unlock();
	int lines = 0;
	float right = 0;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		if (e->View() != nullptr && e->WFrame().right > right)
			right = e->WFrame().right;
		if (e->EOLStatus() != 0 || e->Next() == nullptr) {
			EXPECT_EQ(381, right) << "line " << lines << "\n" << Dump();
			right = 0;
			lines++;
		}
	}
	EXPECT_EQ(4, lines) << Dump();
}

// Edits whose lines grow or shrink move the lines below them as a whole new
// layout puts them, vertical places included (the page has no text taller
// than its line's first, where the two may differ): a line that grows into
// the band of the lines below stays where it was laid out, and moving the
// lines below stops at nothing. Each check is preceded by two edits, so that
// the second moves lines the first has left in place.
TEST_F(LayoutTest, EditsMoveTheLinesBelowWhereAWholeLayoutPutsThem)
{
	std::string words;
	for (int i = 0; i < 14; i++)
		words += "alpha beta gamma ";
	Parse("<BODY>" + words + "last<BR>" + words + "<P>short line<HR>"
		"<IMG SRC=\"" + std::string(QUILLORA_TEST_DATA)
		+ "/images/pic50x40.gif\"> picture " + words + "<BR>end</BODY>");
	// The caret into the first text holding `part`, at `offset` (-1: its
	// end).
	auto focus = [&](const char* part, int32 offset) {
		WText* found = nullptr;
		for (WYSIWYG_Element* e = First(); e != nullptr && found == nullptr;
				e = e->Next()) {
			WText* text = dynamic_cast<WText*>(e);
			if (text != nullptr && strstr(text->Text(), part) != nullptr)
				found = text;
		}
		ASSERT_NE(nullptr, found) << part << "\n" << Texts();
		ASSERT_TRUE(Window()->Lock());
		found->MakeFocus(true);
		found->Select(offset < 0 ? found->TextLength() : offset,
			offset < 0 ? found->TextLength() : offset);
		Window()->Unlock();
	};
	auto check = [&](const char* step) {
		std::string incremental = Dump();
		Refresh();
		std::string whole = Dump();
		EXPECT_TRUE(incremental == whole) << step << "\n"
			<< DiffLines(whole, incremental);
	};

	focus("last", -1);
	Type("x");
	Type(" words that wrap onto a new line");
	check("typing that adds a line");
	focus("alpha beta", 11);
	Type("\n");
	Type("y");
	check("Enter in a paragraph");
	Type("\x08");
	Type("\x08");
	check("Backspace joining the lines");
	focus(" picture", 3);
	Type("\n");
	Type("\n");
	Type("\x08");
	check("Enter beside a picture");
	focus("short", 0);
	Type("Pneumonoultramicroscopicsilicovolcanoconiosis ");
	Type("z");
	check("a long word after a line break");
}
