/*
 * What the visual window shows of its page, read back from snapshots of the
 * real window: rules where their lines are after any scroll, and nothing
 * drawn into or past the right edge of the page view.
 */
#include "ProgramFixture.h"

#include <Bitmap.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <TranslationUtils.h>

#include <memory>
#include <set>

#include "ChainDump.h"
#include "HorizontalLine.h"
#include "List_Element.h"
#include "WText.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

using namespace quillora_test;

namespace {

// A window's pixels, as its snapshot file holds them.
class WindowPixels {
public:
	explicit WindowPixels(BWindow* window, const std::string& folder)
	{
		std::string path = folder + "/snapshot.png";
		if (window->Snapshot(path.c_str()) == B_OK)
			fBitmap.reset(BTranslationUtils::GetBitmap(path.c_str()));
		unlink(path.c_str());
	}

	bool IsValid() const { return fBitmap != nullptr; }
	int32 Width() const { return fBitmap->Bounds().IntegerWidth() + 1; }
	int32 Height() const { return fBitmap->Bounds().IntegerHeight() + 1; }

	rgb_color At(int32 x, int32 y) const
	{
		const uint8* row = (const uint8*)fBitmap->Bits()
			+ (size_t)y * fBitmap->BytesPerRow();
		const uint8* pixel = row + (size_t)x * 4;
		return make_color(pixel[2], pixel[1], pixel[0], pixel[3]);
	}

	bool Is(int32 x, int32 y, uint8 red, uint8 green, uint8 blue) const
	{
		rgb_color c = At(x, y);
		return c.red == red && c.green == green && c.blue == blue;
	}

private:
	std::unique_ptr<BBitmap> fBitmap;
};


class PageViewTest : public ProgramTest {
protected:
	WYSIWYG_Engine* Engine() { return CurrentPage()->visualWindow->engine; }
	BWindow* Visual() { return CurrentPage()->visualWindow; }

	// The page view's bounds in window coordinates.
	BRect ViewInWindow()
	{
		BView* view = Engine()->view;
		EXPECT_TRUE(Visual()->Lock());
		BRect bounds = view->Bounds();
		BRect onScreen = view->ConvertToScreen(bounds);
		BRect inWindow = Visual()->ConvertFromScreen(onScreen);
		Visual()->Unlock();
		return inWindow;
	}

	void ScrollTo(float y)
	{
		ASSERT_TRUE(Visual()->Lock());
		Engine()->view->ScrollTo(BPoint(0, y));
		Visual()->Unlock();
		Idle();
	}

	// The window rows on which the page view shows a rule: its top line of
	// grey 0xAA runs from 7 to the width less 8.
	std::set<int32> RuleRows(const WindowPixels& pixels, BRect view)
	{
		std::set<int32> rows;
		int32 left = (int32)view.left + 7, right = (int32)view.right - 8;
		for (int32 y = (int32)view.top; y <= (int32)view.bottom; y++) {
			bool grey = true;
			for (int32 x = left; x <= right && grey; x += 3)
				grey = pixels.Is(x, y, 0xAA, 0xAA, 0xAA);
			if (grey)
				rows.insert(y);
		}
		return rows;
	}

	// Where the rules of the chain belong in the window now: 2 below their
	// place on the page, less the scroll.
	std::set<int32> ExpectedRuleRows(BRect view)
	{
		std::set<int32> rows;
		EXPECT_TRUE(Visual()->Lock());
		float top = Engine()->view->Bounds().top;
		for (WYSIWYG_Element* e = Engine()->FirstElement(); e != nullptr;
				e = e->Next()) {
			if (dynamic_cast<HorizontalLine*>(e) == nullptr)
				continue;
			float y = view.top + e->LineTop() + 13 + 2 - top;
			if (y >= view.top && y <= view.bottom)
				rows.insert((int32)y);
		}
		Visual()->Unlock();
		return rows;
	}

	// Opens `html` and compares, pixel for pixel, its first text element
	// with the element two after it (after a line break), which must show
	// the same; returns how many of the pixels are dark (-1 on a failure).
	int32 DarkPixelsOfLinesAlike(const std::string& html)
	{
		OpenContent(html);
		BRect view = ViewInWindow();
		EXPECT_TRUE(Visual()->Lock());
		WYSIWYG_Element* first = Engine()->FirstElement();
		WYSIWYG_Element* second = first->Next()->Next();
		BRect one = first->WFrame();
		BRect two = second->WFrame();
		float scroll = Engine()->view->Bounds().top;
		Visual()->Unlock();
		if (one.Width() != two.Width() || one.Height() != two.Height()) {
			ADD_FAILURE() << "sizes differ\n" << DumpChain(Engine());
			return -1;
		}

		WindowPixels pixels(Visual(), fDirectory);
		if (!pixels.IsValid()) {
			ADD_FAILURE() << "no snapshot";
			return -1;
		}
		int32 dark = 0;
		for (int32 y = 0; y <= (int32)one.Height(); y++) {
			for (int32 x = 0; x <= (int32)one.Width(); x++) {
				int32 wx = (int32)(view.left + one.left) + x;
				rgb_color a = pixels.At(wx,
					(int32)(view.top + one.top - scroll) + y);
				rgb_color b = pixels.At(wx,
					(int32)(view.top + two.top - scroll) + y);
				if (a != b) {
					ADD_FAILURE() << "pixels differ at " << x << "," << y;
					return -1;
				}
				dark += a.red < 128 ? 1 : 0;
			}
		}
		return dark;
	}

	// An element's frame in window coordinates.
	BRect InWindow(WYSIWYG_Element* element, BRect view)
	{
		EXPECT_TRUE(Visual()->Lock());
		BRect frame = element->WFrame();
		BPoint scroll = Engine()->view->Bounds().LeftTop();
		Visual()->Unlock();
		frame.OffsetBy(view.left - scroll.x, view.top - scroll.y);
		return frame;
	}
};

bool
Dark(rgb_color c)
{
	return c.red < 160 && c.green < 160 && c.blue < 160;
}

// The inked columns of a rectangle, as a string of '#' and '.'.
std::string
Ink(const WindowPixels& pixels, BRect rect)
{
	std::string ink;
	for (int32 y = (int32)rect.top; y <= (int32)rect.bottom; y++) {
		for (int32 x = (int32)rect.left; x <= (int32)rect.right; x++)
			ink += Dark(pixels.At(x, y)) ? '#' : '.';
	}
	return ink;
}

}	// namespace


TEST_F(PageViewTest, RulesScrollWithThePageAndStayBetweenTheirLines)
{
	std::string body = "<BODY>";
	for (int i = 0; i < 90; i++) {
		body += "Line " + std::to_string(i) + " of the page<BR>";
		if (i % 6 == 5)
			body += "<HR>";
	}
	OpenContent(body + "</BODY>");
	BRect view = ViewInWindow();
	float min, max;
	Engine()->scrollView->ScrollBar(B_VERTICAL)->GetRange(&min, &max);
	ASSERT_GT(max, 400) << "the page must be long enough to scroll";

	// Odd amounts, a rule scrolled in from below, and back to the top.
	const float scrolls[] = { 0, 37, 113, 400, max, 5, 0 };
	for (float scroll : scrolls) {
		ScrollTo(scroll);
		WindowPixels pixels(Visual(), fDirectory);
		ASSERT_TRUE(pixels.IsValid());
		std::set<int32> expected = ExpectedRuleRows(view);
		EXPECT_FALSE(expected.empty()) << "scroll " << scroll;
		EXPECT_EQ(expected, RuleRows(pixels, view)) << "scroll " << scroll;

		// No text lies on a rule's band: the rows around it are the page's
		// background where the text would be.
		for (int32 row : expected) {
			for (int32 y = row - 1; y <= row + 2; y++) {
				if (y < view.top || y > view.bottom)
					continue;
				bool clear = true;
				for (int32 x = (int32)view.left; x < view.left + 7; x++)
					clear = clear && pixels.Is(x, y, 255, 255, 255);
				EXPECT_TRUE(clear) << "scroll " << scroll << " row " << y;
			}
		}
	}

	// A rule taken out of the page (it lives on until it is collected) is
	// no longer drawn, and the others are where they now belong.
	ScrollTo(0);
	ASSERT_TRUE(Visual()->Lock());
	WYSIWYG_Element* element = Engine()->FirstElement();
	while (element != nullptr && dynamic_cast<HorizontalLine*>(element) == nullptr)
		element = element->Next();
	HorizontalLine* rule = dynamic_cast<HorizontalLine*>(element);
	ASSERT_NE(nullptr, rule);
	Engine()->Delete(rule);
	Engine()->Refresh();
	rule->y = -100;
	Engine()->view->Invalidate();
	Visual()->Unlock();
	Idle();
	EXPECT_EQ(-100, rule->y);
	WindowPixels pixels(Visual(), fDirectory);
	EXPECT_EQ(ExpectedRuleRows(view), RuleRows(pixels, view));
}


TEST_F(PageViewTest, NothingIsDrawnIntoTheRightEdgeOfThePage)
{
	// A table of contents: many short links in one paragraph, and text runs
	// with bold and italic words; each piece is a view of its own.
	std::string body = "<BODY><P>";
	for (int i = 0; i < 60; i++)
		body += "<A HREF=\"#s" + std::to_string(i) + "\">Section "
			+ std::to_string(i) + "</A> ";
	body += "<P>";
	for (int i = 0; i < 80; i++)
		body += std::string(i % 2 ? "<B>Why</B>" : "<I>Why</I>") + " not ";
	body += "<CENTER>";
	for (int i = 0; i < 50; i++)
		body += "<B>centred</B> ";
	OpenContent(body + "</CENTER></BODY>");

	BRect view = ViewInWindow();
	WindowPixels pixels(Visual(), fDirectory);
	ASSERT_TRUE(pixels.IsValid());
	int32 right = (int32)view.right;
	int32 inked = 0;
	std::string firstInk;
	for (int32 y = (int32)view.top; y <= (int32)view.bottom; y++) {
		// The page's own right inset stays clear: nothing is cut off at the
		// view's edge, under the scroll bar.
		for (int32 x = right - 4; x <= right && firstInk.empty(); x++) {
			if (!pixels.Is(x, y, 255, 255, 255))
				firstInk = std::to_string(x) + "," + std::to_string(y);
		}
		// Lines are filled up to near the edge, so the check above looks at
		// lines that really reach it.
		for (int32 x = right - 40; x < right - 4; x++) {
			if (!pixels.Is(x, y, 255, 255, 255)) {
				inked++;
				break;
			}
		}
	}
	EXPECT_EQ("", firstInk) << DumpChain(Engine());
	EXPECT_GT(inked, 20);
}


TEST_F(PageViewTest, ANonBreakingSpaceLooksLikeASpace)
{
	// The same words twice, joined by a non-breaking space and by a space.
	EXPECT_GT(DarkPixelsOfLinesAlike("<BODY>Why&nbsp;not<BR>Why not</BODY>"),
		30);
}


TEST_F(PageViewTest, UTF8TextShowsTheGlyphsItsReferencesShow)
{
	// "café Привет" in the bytes of a UTF-8 page and, on the next line, as
	// references: the same glyphs, not two Latin-1 glyphs for each letter.
	EXPECT_GT(DarkPixelsOfLinesAlike("<BODY>caf\xc3\xa9 \xd0\x9f\xd1\x80\xd0\xb8"
		"\xd0\xb2\xd0\xb5\xd1\x82<BR>caf&eacute; &#1055;&#1088;&#1080;&#1074;"
		"&#1077;&#1090;</BODY>"), 60);
}


TEST_F(PageViewTest, PicturesAreDrawnWhereTheyAreLaidOut)
{
	// Half red, half blue, 50 by 40, beside text and below a long page.
	const std::string images = QUILLORA_TEST_DATA "/images";
	WriteFile(fDirectory + "/pic.gif", ReadFile(images + "/pic50x40.gif"));
	std::string body = "<BODY>Text <IMG SRC=\"pic.gif\"> more<P>";
	for (int i = 0; i < 60; i++)
		body += "Line " + std::to_string(i) + "<BR>";
	OpenContent(body + "Last <IMG SRC=\"pic.gif\" ALIGN=top></BODY>");
	std::vector<WYSIWYG_Element*> pictures;
	for (WYSIWYG_Element* e = Engine()->FirstElement(); e != nullptr;
			e = e->Next()) {
		if (e->View() != nullptr && dynamic_cast<WText*>(e) == nullptr)
			pictures.push_back(e);
	}
	ASSERT_EQ(pictures.size(), 2u);

	float min, max;
	Engine()->scrollView->ScrollBar(B_VERTICAL)->GetRange(&min, &max);
	for (float scroll : { 0.0f, max }) {
		ScrollTo(scroll);
		BRect view = ViewInWindow();
		WindowPixels pixels(Visual(), fDirectory);
		ASSERT_TRUE(pixels.IsValid());
		int32 seen = 0;
		for (WYSIWYG_Element* picture : pictures) {
			ASSERT_TRUE(Visual()->Lock());
			BView* pictureView = picture->View();
			BRect frame = Visual()->ConvertFromScreen(
				pictureView->ConvertToScreen(pictureView->Bounds()));
			Visual()->Unlock();
			EXPECT_EQ(frame.IntegerWidth(), 49);
			if (frame.top < view.top || frame.bottom > view.bottom)
				continue;
			seen++;
			int32 left = (int32)frame.left, top = (int32)frame.top;
			// Its corners and both halves, and the page's white around it.
			EXPECT_TRUE(pixels.Is(left, top, 255, 0, 0)) << scroll;
			EXPECT_TRUE(pixels.Is(left + 24, top + 39, 255, 0, 0)) << scroll;
			EXPECT_TRUE(pixels.Is(left + 25, top, 0, 0, 255)) << scroll;
			EXPECT_TRUE(pixels.Is(left + 49, top + 39, 0, 0, 255)) << scroll;
			EXPECT_TRUE(pixels.Is(left + 50, top + 20, 255, 255, 255)) << scroll;
			EXPECT_TRUE(pixels.Is(left + 20, top + 40, 255, 255, 255)) << scroll;
		}
		EXPECT_EQ(seen, 1) << "scroll " << scroll;
	}
	EXPECT_EQ(fAlerts.CountAlerts(), 0) << fAlerts.LastText();
}


TEST_F(PageViewTest, LinksBulletsAndNumbersAreDrawn)
{
	OpenContent("<BODY LINK=\"#FF0000\"><P><A HREF=\"x.html\">LINKLINK</A> "
		"plain<UL><LI>bullet</UL><OL><LI>one<LI>two</OL></BODY>");
	BRect view = ViewInWindow();
	WindowPixels pixels(Visual(), fDirectory);
	ASSERT_TRUE(pixels.IsValid());

	// The link: glyphs in the link colour, underlined over its width; the
	// text after it in the text colour.
	WText* link = nullptr;
	WText* plain = nullptr;
	for (WText* text : Elements<WText>()) {
		if (strcmp(text->Text(), "LINKLINK") == 0)
			link = text;
		else if (strcmp(text->Text(), " plain") == 0)
			plain = text;
	}
	ASSERT_NE(nullptr, link);
	ASSERT_NE(nullptr, plain);
	BRect frame = InWindow(link, view);
	int32 red = 0, underline = 0;
	int32 bottom = (int32)frame.bottom;
	int32 end = (int32)(frame.right - 5);
	for (int32 x = (int32)frame.left; x < end; x++) {
		if (pixels.Is(x, bottom - 1, 255, 0, 0))
			underline++;
		for (int32 y = (int32)frame.top; y < bottom - 2; y++) {
			rgb_color c = pixels.At(x, y);
			if (c.red > 200 && c.green < 80 && c.blue < 80)
				red++;
		}
	}
	EXPECT_GE(underline, end - (int32)frame.left - 1);
	EXPECT_GT(red, 20);
	BRect after = InWindow(plain, view);
	for (int32 y = (int32)after.top; y <= (int32)after.bottom; y++) {
		for (int32 x = (int32)after.left; x <= (int32)after.right; x++) {
			rgb_color c = pixels.At(x, y);
			ASSERT_FALSE(c.red > 200 && c.green < 80) << x << "," << y;
		}
	}

	// The bullet: a ring 9 pixels left of the mark's right end, empty in
	// its middle, nothing further right.
	std::vector<List_Element*> items = Elements<List_Element>();
	ASSERT_EQ(3u, items.size());
	BRect mark = InWindow(items[0], view);
	int32 cx = (int32)(mark.right - 9);
	int32 cy = (int32)(mark.top + (mark.bottom - mark.top) * 0.5f + 2);
	EXPECT_TRUE(Dark(pixels.At(cx - 2, cy)));
	EXPECT_TRUE(Dark(pixels.At(cx + 2, cy)));
	EXPECT_TRUE(Dark(pixels.At(cx, cy - 2)));
	EXPECT_TRUE(pixels.Is(cx, cy, 255, 255, 255));
	EXPECT_EQ(std::string::npos, Ink(pixels,
		BRect(cx + 4, mark.top, cx + 10, mark.bottom)).find('#'));

	// The numbers: ink left of the same place, and not the same twice.
	BRect first = InWindow(items[1], view);
	BRect second = InWindow(items[2], view);
	first.right -= 8;
	second.right -= 8;
	std::string one = Ink(pixels, first);
	std::string two = Ink(pixels, second);
	EXPECT_NE(std::string::npos, one.find('#'));
	EXPECT_NE(one, two);
	EXPECT_EQ(std::string::npos, Ink(pixels, BRect(first.right + 1, first.top,
		first.right + 7, first.bottom)).find('#'));
}
