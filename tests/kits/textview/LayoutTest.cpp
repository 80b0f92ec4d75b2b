// Line breaking, measuring and resizing, checked against the font's own
// StringWidth() rather than against the view's own arithmetic.
#include "TextViewTesting.h"

#include <Font.h>
#include <ScrollBar.h>
#include <ScrollView.h>

#include <gtest/gtest.h>

#include <math.h>
#include <random>
#include <string.h>

namespace {

BFont
latin_font(const BFont* base = be_plain_font)
{
	BFont font(base);
	font.SetEncoding(B_ISO_8859_1);
	return font;
}


bool
is_blank(char c)
{
	return c == ' ' || c == '\t';
}


// Greedy word wrap, measured with StringWidth() of whole candidate lines:
// a line takes words while its text without trailing blanks fits in width;
// a word wider than a line is cut where the next byte would not fit.
std::vector<int32>
reference_breaks(const std::string& text, const BFont& font, float width)
{
	std::vector<int32> starts;
	int32 length = (int32)text.size();
	int32 start = 0;
	while (true) {
		starts.push_back(start);
		if (start >= length)
			break;
		int32 end = start;
		int32 lineEnd = -1;
		while (true) {
			// The next word with the blanks after it.
			int32 wordEnd = end;
			while (wordEnd < length && text[wordEnd] != '\n' && !is_blank(text[wordEnd]))
				wordEnd++;
			float needed = font.StringWidth(text.data() + start, wordEnd - start);
			if (needed > width) {
				if (end == start) {
					// A lone word too wide: cut it.
					int32 cut = start + 1;
					while (cut < wordEnd
						&& font.StringWidth(text.data() + start, cut + 1 - start) <= width)
						cut++;
					lineEnd = cut;
				} else {
					lineEnd = end;
				}
				break;
			}
			while (wordEnd < length && is_blank(text[wordEnd]))
				wordEnd++;
			end = wordEnd;
			if (end >= length) {
				lineEnd = length;
				break;
			}
			if (text[end] == '\n') {
				lineEnd = end + 1;
				break;
			}
		}
		if (lineEnd >= length) {
			if (length > 0 && text[length - 1] == '\n')
				starts.push_back(length);
			break;
		}
		start = lineEnd;
	}
	return starts;
}


BTextView*
wrapping_view(float width)
{
	return new BTextView(BRect(0, 0, width, 300), "wrap",
		BRect(0, 0, width, 300), B_FOLLOW_NONE, B_WILL_DRAW);
}

}	// namespace


TEST(TextViewLayout, WordWrapBreaksWhereTheFontsWidthsSay)
{
	BFont font = latin_font();
	std::string text = html_like_text(6000, 7);
	for (float width : { 80.0f, 173.0f, 400.0f }) {
		BTextView* view = wrapping_view(width);
		view->SetText(text.c_str());
		EXPECT_EQ(reference_breaks(text, font, width), line_starts(view))
			<< "width " << width;

		// Each line's text fits; its width is what the font says.
		for (int32 line = 0; line < view->CountLines() - 1; line++) {
			int32 from = view->OffsetAt(line);
			int32 to = view->OffsetAt(line + 1);
			while (to > from && (text[to - 1] == '\n' || is_blank(text[to - 1])))
				to--;
			float measured = font.StringWidth(text.data() + from, to - from);
			EXPECT_LE(measured, width + 0.01f);
			EXPECT_NEAR(measured, view->LineWidth(line), 0.05f);
		}
		delete view;
	}
}


TEST(TextViewLayout, LinesWithoutWrappingEndOnlyAtLineEnds)
{
	BTextView* view = wrapping_view(50);
	view->SetWordWrap(false);
	view->SetText("a long first line that does not fit\nsecond\n\nfourth\n");
	// An empty last line after "\n".
	EXPECT_EQ((std::vector<int32>{ 0, 36, 43, 44, 51 }), line_starts(view));
	EXPECT_EQ(view->TextLength(), view->OffsetAt(5));
	EXPECT_EQ(4, view->LineAt(view->TextLength()));

	BFont font = latin_font();
	font_height height;
	font.GetHeight(&height);
	float lineHeight = ceilf(height.ascent + height.descent + height.leading);
	EXPECT_FLOAT_EQ(lineHeight, view->LineHeight(2));
	EXPECT_FLOAT_EQ(3 * lineHeight, view->TextHeight(1, 3));

	// Points and offsets agree: the point of an offset leads back to it.
	for (int32 offset : { 0, 5, 35, 36, 40, 43, 44, 50, 51 }) {
		float lineHeightAt;
		BPoint point = view->PointAt(offset, &lineHeightAt);
		EXPECT_FLOAT_EQ(lineHeight, lineHeightAt);
		EXPECT_EQ(offset, view->OffsetAt(point + BPoint(0.5f, lineHeight / 2)))
			<< offset;
	}
	EXPECT_FLOAT_EQ(font.StringWidth("second"),
		view->PointAt(42).x - view->PointAt(36).x);
	delete view;
}


TEST(TextViewLayout, ResizableViewFollowsItsTextWidth)
{
	BView* container = new BView(BRect(0, 0, 99, 29), "container", B_FOLLOW_NONE, 0);
	BTextView* view = new BTextView(BRect(10, 5, 11, 24), "resizable",
		BRect(0, 0, 1, 19), B_FOLLOW_NONE, B_WILL_DRAW);
	container->AddChild(view);
	TextWindow window(container);
	view->SetInsets(3, 2, 4, 2);
	view->MakeResizable(true);
	view->MakeFocus(true);
	BFont font = latin_font();

	view->SetText("Resizable caf\xe9 text");
	// Whole pixels: the text's width rounded up, plus the insets.
	float expected = ceilf(font.StringWidth("Resizable caf\xe9 text")) + 3 + 4;
	EXPECT_FLOAT_EQ(expected, view->Bounds().Width());
	EXPECT_FLOAT_EQ(10, view->Frame().left);
	EXPECT_EQ(1, view->CountLines());

	view->Select(view->TextLength(), view->TextLength());
	window.Type(" grows");
	expected = ceilf(font.StringWidth("Resizable caf\xe9 text grows")) + 3 + 4;
	EXPECT_FLOAT_EQ(expected, view->Bounds().Width());

	view->SetText("ab");
	EXPECT_FLOAT_EQ(ceilf(font.StringWidth("ab")) + 7, view->Bounds().Width());

	// With a container, the container grows along.
	float containerWidth = container->Bounds().Width();
	view->MakeResizable(true, container);
	view->SetText("ab cd ef");
	float delta = ceilf(font.StringWidth("ab cd ef")) - ceilf(font.StringWidth("ab"));
	EXPECT_FLOAT_EQ(containerWidth + delta, container->Bounds().Width());
	EXPECT_FLOAT_EQ(ceilf(font.StringWidth("ab cd ef")) + 7, view->Bounds().Width());
}


TEST(TextViewLayout, FrameResizingRewrapsAndScrollBarsFollowTheText)
{
	BTextView* view = new BTextView(BRect(0, 0, 285, 185), "scrolled",
		BRect(0, 0, 285, 185), B_FOLLOW_ALL, B_WILL_DRAW | B_FRAME_EVENTS);
	BScrollView* scroll = new BScrollView("scroll", view, B_FOLLOW_ALL, 0,
		false, true);
	TextWindow window(scroll, BRect(50, 50, 349, 249));
	std::string text = html_like_text(20000, 3);
	view->SetText(text.c_str());
	TextWindow::Dispatch();

	BScrollBar* bar = scroll->ScrollBar(B_VERTICAL);
	ASSERT_NE(nullptr, bar);
	float min;
	float max;
	bar->GetRange(&min, &max);
	float textHeight = view->TextHeight(0, view->CountLines() - 1);
	EXPECT_NEAR(textHeight - (view->Bounds().Height() + 1), max, 1.0f);

	int32 linesBefore = view->CountLines();
	window.Window()->ResizeBy(200, 0);
	TextWindow::Dispatch();
	EXPECT_NEAR(view->Bounds().Width(), view->TextRect().Width(), 0.01f);
	EXPECT_LT(view->CountLines(), linesBefore);
	EXPECT_EQ(reference_breaks(text, latin_font(), view->TextRect().Width()),
		line_starts(view));
	bar->GetRange(&min, &max);
	textHeight = view->TextHeight(0, view->CountLines() - 1);
	EXPECT_NEAR(textHeight - (view->Bounds().Height() + 1), max, 1.0f);

	// Scrolling to the end shows the last line; the bar follows.
	view->ScrollToOffset(view->TextLength());
	EXPECT_NEAR(max, view->Bounds().top, 1.0f);
	EXPECT_NEAR(max, bar->Value(), 1.0f);
}


TEST(TextViewLayout, EditsRebreakLikeAFreshLayout)
{
	// Random small edits, each compared with a from-scratch layout of the
	// same text: the incremental re-break must never drift.
	std::string text = html_like_text(30000, 11);
	BTextView* view = wrapping_view(211);
	BTextView* fresh = wrapping_view(211);
	view->SetText(text.c_str());
	std::mt19937 random(5);
	const char* pieces[] = { "x", " ", "\n", "word ", "", "  ", "\n\n",
		"\xe9t\xe9" };
	std::string longWord(90, 'z');
	for (int round = 0; round < 300; round++) {
		int32 length = view->TextLength();
		int32 offset = random() % (length + 1);
		if (random() % 3 == 0 && length > 0) {
			int32 count = 1 + random() % 40;
			view->Delete(offset, offset + count);
		} else {
			int piece = random() % 8;
			const char* bytes = piece == 4 ? longWord.c_str() : pieces[piece];
			view->Insert(offset, bytes, (int32)strlen(bytes));
		}
		// Several edits between questions are folded into one re-break.
		if (round % 3 != 0)
			continue;
		fresh->SetText(view->Text());
		ASSERT_EQ(line_starts(fresh), line_starts(view)) << "round " << round;
		ASSERT_FLOAT_EQ(fresh->TextHeight(0, fresh->CountLines()),
			view->TextHeight(0, view->CountLines()));
	}
	delete view;
	delete fresh;
}


TEST(TextViewLayout, TenMebibytesCountAndRebreakInTheMiddle)
{
	std::string text = html_like_text(10 * 1024 * 1024, 2);
	BFont font = latin_font();

	// Without wrapping, lines are the line ends plus one.
	BTextView* plain = wrapping_view(600);
	plain->SetWordWrap(false);
	plain->SetText(text.c_str(), (int32)text.size());
	int32 lineEnds = 0;
	for (char c : text)
		lineEnds += c == '\n' ? 1 : 0;
	EXPECT_EQ(lineEnds + 1, plain->CountLines());
	EXPECT_EQ((int32)text.size(), plain->TextLength());
	EXPECT_EQ(0, plain->ByteAt(plain->TextLength()));
	delete plain;

	// With wrapping, a simple greedy count over the font's byte widths.
	float widths[256];
	for (int i = 0; i < 256; i++) {
		char c = (char)i;
		widths[i] = i == 0 ? 0 : font.StringWidth(&c, 1);
	}
	const float wrapWidth = 600;
	int32 reference = 1;
	float x = 0;
	int32 lastBreak = -1;
	int32 lineStart = 0;
	for (int32 i = 0; i < (int32)text.size(); i++) {
		uint8 c = (uint8)text[i];
		if (c == '\n') {
			reference++;
			x = 0;
			lineStart = i + 1;
			lastBreak = -1;
			continue;
		}
		if (c == ' ') {
			x += widths[c];
			lastBreak = i + 1;
			continue;
		}
		if (x + widths[c] > wrapWidth && i > lineStart) {
			reference++;
			int32 next = lastBreak > lineStart ? lastBreak : i;
			x = 0;
			lastBreak = -1;
			lineStart = next;
			i = next - 1;
			continue;
		}
		x += widths[c];
	}
	BTextView* view = wrapping_view(wrapWidth);
	view->SetText(text.c_str(), (int32)text.size());
	EXPECT_EQ(reference, view->CountLines());

	// An insertion in the middle re-breaks as a fresh layout would.
	int32 middle = (int32)text.size() / 2;
	std::string inserted = " a few more words, then a " + std::string(200, 'v')
		+ " and a\nline end ";
	view->Insert(middle, inserted.data(), (int32)inserted.size());
	view->Delete(middle + 3000, middle + 3100);
	text.insert(middle, inserted);
	text.erase(middle + 3000, 100);
	ASSERT_EQ(text, std::string(view->Text(), view->TextLength()));

	BTextView* fresh = wrapping_view(wrapWidth);
	fresh->SetText(text.c_str(), (int32)text.size());
	EXPECT_EQ(line_starts(fresh), line_starts(view));
	delete fresh;
	delete view;
}


TEST(TextViewLayout, StylesChangeWidthsAndLineHeights)
{
	BTextView* view = wrapping_view(400);
	view->SetStylable(true);
	view->SetText("small BIG small");
	BFont big = latin_font();
	big.SetSize(30);
	rgb_color red = make_color(255, 0, 0);
	view->SetFontAndColor(6, 9, &big, B_FONT_SIZE, &red);

	BFont font;
	rgb_color color;
	view->GetFontAndColor(7, &font, &color);
	EXPECT_FLOAT_EQ(30, font.Size());
	EXPECT_EQ(red, color);
	view->GetFontAndColor(2, &font, &color);
	EXPECT_FLOAT_EQ(be_plain_font->Size(), font.Size());

	font_height height;
	big.GetHeight(&height);
	EXPECT_FLOAT_EQ(ceilf(height.ascent + height.descent + height.leading),
		view->LineHeight(0));
	EXPECT_NEAR(latin_font().StringWidth("small ") + big.StringWidth("BIG"),
		view->PointAt(9).x, 0.01f);

	// The runs of a range come back with offsets relative to it.
	text_run_array* runs = view->RunArray(3, 12);
	ASSERT_NE(nullptr, runs);
	ASSERT_EQ(3, runs->count);
	EXPECT_EQ(0, runs->runs[0].offset);
	EXPECT_EQ(3, runs->runs[1].offset);
	EXPECT_EQ(6, runs->runs[2].offset);
	BTextView::FreeRunArray(runs);

	// Without stylability the whole text takes one font.
	BTextView* plain = wrapping_view(400);
	plain->SetText("all one");
	plain->SetFontAndColor(0, 3, &big);
	plain->GetFontAndColor(5, &font, NULL);
	EXPECT_FLOAT_EQ(30, font.Size());
	delete plain;
	delete view;
}
