// What the text view puts on the screen, read back from window snapshots.
#include "TextViewTesting.h"

#include <gtest/gtest.h>

#include <stdio.h>

namespace {

std::string
numbered_lines(int32 from, int32 count)
{
	std::string text;
	for (int32 i = from; i < from + count; i++) {
		char line[32];
		snprintf(line, sizeof(line), "line %d%s", (int)i, i % 3 == 0 ? " ###" : "");
		if (!text.empty())
			text += '\n';
		text += line;
	}
	return text;
}

}	// namespace


TEST(TextViewDraw, TextSelectionAndCaretAppearWhereTheViewSays)
{
	BRect frame(0, 0, 299, 199);
	BTextView* view = new BTextView(frame, "draw", frame, B_FOLLOW_NONE, B_WILL_DRAW);
	TextWindow window(view, BRect(100, 100, 399, 299));
	view->MakeFocus(true);
	view->SetText("first line\nsecond line\nthird");
	float height = view->LineHeight(0);

	Pixels pixels = snapshot(window.Window());
	ASSERT_EQ(300, pixels.width);
	// Text on the three lines, nothing below them.
	for (int32 line = 0; line < 3; line++) {
		BRect rect(0, line * height, 299, (line + 1) * height - 1);
		EXPECT_GT(count_dark(pixels, rect), 10) << "line " << line;
	}
	EXPECT_EQ(0, count_dark(pixels, BRect(0, 3 * height + 1, 299, 199)));

	// The caret: a line at the offset's point over the line's height.
	view->Select(16, 16);
	BPoint caret = view->PointAt(16);
	pixels = snapshot(window.Window());
	int32 caretRows = 0;
	for (int32 y = (int32)caret.y; y < (int32)(caret.y + height); y++)
		caretRows += is_dark(pixels.At((int32)caret.x, y)) ? 1 : 0;
	EXPECT_GE(caretRows, (int32)height - 2);

	// Blinking: a pulse hides it, the next shows it again.
	view->Pulse();
	Pixels hidden = snapshot(window.Window());
	int32 hiddenRows = 0;
	for (int32 y = (int32)caret.y; y < (int32)(caret.y + height); y++) {
		bool dark = is_dark(hidden.At((int32)caret.x, y));
		bool wasText = is_dark(pixels.At((int32)caret.x - 1, y))
			|| is_dark(pixels.At((int32)caret.x + 1, y));
		hiddenRows += dark && !wasText ? 1 : 0;
	}
	EXPECT_LT(hiddenRows, caretRows / 2);

	// A selection is highlighted behind its bytes only.
	view->Select(11, 17);		// "second"
	BPoint from = view->PointAt(11);
	BPoint to = view->PointAt(17);
	rgb_color background = view->ViewColor();
	pixels = snapshot(window.Window());
	int32 y = (int32)(from.y + 1);
	EXPECT_NE(background, pixels.At((int32)from.x + 1, y));
	EXPECT_NE(background, pixels.At((int32)to.x - 2, y));
	EXPECT_EQ(background, pixels.At((int32)to.x + 3, y));
	EXPECT_EQ(background, pixels.At((int32)from.x + 2, (int32)(from.y - 2)));
}


TEST(TextViewDraw, ScrolledTextLooksLikeTheSameLinesUnscrolled)
{
	// Only the visible lines are drawn, and they must be the right ones at
	// the right places: the view scrolled to line 300 of 600 shows what a
	// view holding lines 300 on shows without scrolling.
	BRect frame(0, 0, 199, 149);
	BTextView* scrolled = new BTextView(frame, "scrolled", frame, B_FOLLOW_NONE,
		B_WILL_DRAW);
	scrolled->SetWordWrap(false);
	TextWindow first(scrolled, BRect(50, 50, 249, 199));
	scrolled->SetText(numbered_lines(0, 600).c_str());
	float top = scrolled->TextHeight(0, 299);
	scrolled->ScrollTo(0, top);
	scrolled->MakeFocus(false);		// no caret in either

	BTextView* plain = new BTextView(frame, "plain", frame, B_FOLLOW_NONE, B_WILL_DRAW);
	plain->SetWordWrap(false);
	TextWindow second(plain, BRect(300, 50, 499, 199));
	plain->SetText(numbered_lines(300, 300).c_str());
	plain->MakeFocus(false);

	Pixels a = snapshot(first.Window());
	Pixels b = snapshot(second.Window());
	ASSERT_EQ(a.width, b.width);
	ASSERT_EQ(a.height, b.height);
	int32 differing = 0;
	for (int32 y = 0; y < a.height; y++) {
		for (int32 x = 0; x < a.width; x++)
			differing += a.At(x, y) != b.At(x, y) ? 1 : 0;
	}
	EXPECT_EQ(0, differing);
	EXPECT_GT(count_dark(a, BRect(0, 0, 199, 149)), 100);
}
