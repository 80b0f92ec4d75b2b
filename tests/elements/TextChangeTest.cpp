// Style changes: the environment each end gives the elements after it, and
// the tag each end writes back.

#include "PageFixture.h"

#include "TextChange.h"

using namespace quillora_test;
using EngineTest = PageFixture;

namespace {

class StyleTest : public EngineTest {
protected:
	// Builds first | change(ids[0]) | "t0" | change(ids[1]) | "t1" ...
	// and returns the texts.
	std::vector<WText*> Build(std::initializer_list<long> ids)
	{
		std::vector<WText*> texts;
		Window()->Lock();
		WYSIWYG_Element* last = First();
		for (long id : ids) {
			last = Link(last, new TextChange(id, last, nullptr, Engine(),
				nullptr));
			WText* text = AddText(last, "t");
			texts.push_back(text);
			last = text;
		}
		Engine()->Do(nullptr);
		Window()->Unlock();
		return texts;
	}

	BFont* FontOf(WText* text) { return text->environment->font; }
};

}	// namespace

TEST_F(StyleTest, FontKindsAndItalicCombine)
{
	// I, B, /B, /I
	std::vector<WText*> t = Build({ 42, 6, -6, -42 });
	EXPECT_EQ(fPage->italicFont, FontOf(t[0]));
	EXPECT_EQ(fPage->boldItalicFont, FontOf(t[1]));
	EXPECT_EQ(fPage->italicFont, FontOf(t[2]));
	EXPECT_EQ(fPage->plainFont, FontOf(t[3]));
	EXPECT_EQ(1, t[3]->environment->fontType);
	EXPECT_FALSE(t[3]->environment->italic);
	// The text view itself draws in the environment's font.
	BFont font;
	t[1]->GetFontAndColor(0, &font);
	EXPECT_TRUE(font == *fPage->boldItalicFont);
}

TEST_F(StyleTest, ItalicInsideAHeading)
{
	// H2, EM, /EM, /H2, CODE, SMALL, BIG, /BIG
	std::vector<WText*> t = Build({ 33, 26, -26, -33, 17, 67, 10, -10 });
	EXPECT_EQ(fPage->headingFonts[1], FontOf(t[0]));
	EXPECT_EQ(fPage->headingItalicFonts[1], FontOf(t[1]));
	EXPECT_EQ(fPage->headingFonts[1], FontOf(t[2]));
	EXPECT_EQ(fPage->plainFont, FontOf(t[3]));
	EXPECT_EQ(fPage->fixedFont, FontOf(t[4]));
	EXPECT_EQ(fPage->smallFont, FontOf(t[5]));
	EXPECT_EQ(fPage->bigFont, FontOf(t[6]));
	EXPECT_EQ(fPage->plainFont, FontOf(t[7]));
}

TEST_F(StyleTest, HeadingsAskForSpaceAndCentringNests)
{
	std::vector<WText*> t = Build({ 32, -32, 15, 15, -15, -15 });
	TextChange* h1 = dynamic_cast<TextChange*>(t[0]->Previous());
	TextChange* closing = dynamic_cast<TextChange*>(t[1]->Previous());
	EXPECT_FLOAT_EQ(13.0f, h1->BreakBefore());
	EXPECT_FLOAT_EQ(10.0f, closing->BreakAfter());
	EXPECT_FLOAT_EQ(0, t[0]->BreakBefore());

	EXPECT_EQ(1, t[2]->HAlignment());
	EXPECT_EQ(1, t[3]->HAlignment());
	// The inner closing end restores what was in force before the inner
	// opening: still centred; the outer one what was before the outer
	// opening.
	EXPECT_EQ(1, t[4]->HAlignment());
	EXPECT_EQ(0, t[5]->HAlignment());
	EXPECT_FLOAT_EQ(0.01f,
		dynamic_cast<TextChange*>(t[4]->Previous())->BreakAfter());
}

TEST_F(StyleTest, CentringFollowsTheChainAsItChanges)
{
	// CENTER, CENTER, /CENTER, CENTER, /CENTER, /CENTER, a stray /CENTER
	std::vector<WText*> t = Build({ 15, 15, -15, 15, -15, -15, -15 });
	std::vector<int32> expected = { 1, 1, 1, 1, 1, 0, 0 };
	for (size_t i = 0; i < t.size(); i++)
		EXPECT_EQ(expected[i], t[i]->HAlignment()) << "text " << i;

	// Without the outer opening the first closing ends the passage, and
	// the later closings have nothing left to close.
	ASSERT_TRUE(Window()->Lock());
	Engine()->Delete(t[0]->Previous());
	Engine()->Do(nullptr);
	Window()->Unlock();
	expected = { 0, 1, 0, 1, 0, 0, 0 };
	for (size_t i = 0; i < t.size(); i++)
		EXPECT_EQ(expected[i], t[i]->HAlignment()) << "text " << i;
}

TEST_F(StyleTest, QuotesUnderlinesAndNeutralTags)
{
	std::vector<WText*> t = Build({ 11, 86, -86, -11, 21, 70, 73, 74 });
	EXPECT_FLOAT_EQ(45.0f, t[0]->LeftMargin());
	EXPECT_FLOAT_EQ(45.0f, t[0]->RightMargin());
	EXPECT_TRUE(t[1]->Underlined());
	EXPECT_FALSE(t[2]->Underlined());
	EXPECT_FLOAT_EQ(0, t[3]->LeftMargin());
	for (int i = 4; i < 8; i++)
		EXPECT_EQ(fPage->plainFont, FontOf(t[i]));
	EXPECT_EQ(0, fResponder.CountAlerts());
}

TEST_F(StyleTest, ChangesReachTheFollowingElementsWhenRelinked)
{
	std::vector<WText*> t = Build({ 6 });
	ASSERT_TRUE(Window()->Lock());
	WText* later = AddText(t[0], "later");
	EXPECT_EQ(fPage->boldFont, FontOf(later));

	// Setting the next element of a style change re-runs it downstream.
	TextChange* bold = dynamic_cast<TextChange*>(t[0]->Previous());
	bold->type = 42;
	bold->SetNext(t[0]);
	EXPECT_EQ(fPage->italicFont, FontOf(later));
	Window()->Unlock();
}

TEST_F(StyleTest, TagsAreWrittenBackWithOptionsAndLineEnds)
{
	TextChange bold(6, nullptr, nullptr, Engine(), nullptr);
	EXPECT_EQ("<B>", HTMLOf(&bold));
	// Kept options come back with the white space between them.
	bold.Read((char*)"CLASS=x  ID=\"a b\"");
	EXPECT_EQ("<B CLASS=x  ID=\"a b\">", HTMLOf(&bold));

	TextChange h1(-32, nullptr, nullptr, Engine(), nullptr);
	EXPECT_EQ("</H1>\r\n", HTMLOf(&h1));
	TextChange center(15, nullptr, nullptr, Engine(), nullptr);
	EXPECT_EQ("\r\n<CENTER>", HTMLOf(&center));
	TextChange quote(-11, nullptr, nullptr, Engine(), nullptr);
	EXPECT_EQ("</BLOCKQUOTE>\r\n", HTMLOf(&quote));
	TextChange tt(-84, nullptr, nullptr, Engine(), nullptr);
	EXPECT_EQ("</TT>", HTMLOf(&tt));
}

TEST_F(StyleTest, UnknownTypeIsReportedOnEveryDo)
{
	TextChange odd(28, nullptr, nullptr, Engine(), nullptr);
	EXPECT_EQ(1, fResponder.CountAlerts());
	odd.Do();
	EXPECT_EQ(2, fResponder.CountAlerts());
	EXPECT_EQ("Internal error: TextChange - unsupported type",
		fResponder.LastText());
}
