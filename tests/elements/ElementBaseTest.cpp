// The element base: environment inheritance and comparison, the one-time
// placement hook, line queries and the nearest-text searches.

#include "PageFixture.h"

#include <GraphicsDefs.h>

#include <vector>

#include "EndLine.h"
#include "GarbageCollector.h"
#include "TextChange.h"
#include "UnsupportedTAG.h"

using namespace quillora_test;
using EngineTest = PageFixture;

namespace {

// An element without a view that counts its placement hook.
class CountingElement : public WYSIWYG_Element {
public:
	CountingElement(WYSIWYG_Element* previous, WYSIWYG_Engine* engine)
		: WYSIWYG_Element(previous, nullptr, engine, 7) { Do(); }
	int Read(char*) override { return 0; }
	void HTML() override {}
	void Archive(BMessage*) override {}
	void Placed() override { placedCalls++; }
	int placedCalls = 0;
};

}	// namespace

TEST_F(EngineTest, EnvironmentComparisonIgnoresFontKindAndItalic)
{
	CountingElement a(nullptr, Engine());
	CountingElement b(nullptr, Engine());
	EXPECT_TRUE(*a.environment == *b.environment);

	b.environment->fontType = 2;
	b.environment->italic = true;
	EXPECT_TRUE(*a.environment == *b.environment);
	EXPECT_FALSE(*a.environment != *b.environment);

	// Equal colours in different objects are equal...
	rgb_color black = *fPage->textColor;
	b.environment->color = &black;
	EXPECT_TRUE(*a.environment == *b.environment);
	black.alpha = 0;
	EXPECT_TRUE(*a.environment != *b.environment);
	b.environment->color = fPage->textColor;

	// ...equal fonts in different objects are not.
	BFont copy(*fPage->plainFont);
	b.environment->font = &copy;
	EXPECT_FALSE(*a.environment == *b.environment);
	b.environment->font = fPage->plainFont;

	b.environment->breakAfter = 0.01f;
	EXPECT_TRUE(*a.environment != *b.environment);
	b.environment->breakAfter = 0;
	b.environment->vAlignment = 3;
	EXPECT_TRUE(*a.environment != *b.environment);
}

TEST_F(EngineTest, DoCopiesThePreviousEnvironmentButNotItsBreaks)
{
	ASSERT_TRUE(Window()->Lock());
	EndLine paragraph(2, First(), nullptr, Engine(), nullptr);
	EXPECT_FLOAT_EQ(13.0f, paragraph.BreakBefore());
	paragraph.environment->leftMargin = 45;
	paragraph.environment->hAlignment = 2;
	paragraph.environment->breakAfter = 10;
	CountingElement after(&paragraph, Engine());
	EXPECT_FLOAT_EQ(0, after.BreakBefore());
	EXPECT_FLOAT_EQ(0, after.BreakAfter());
	EXPECT_FLOAT_EQ(45, after.LeftMargin());
	EXPECT_EQ(2, after.HAlignment());

	// The vertical alignment stays the element's own.
	paragraph.SetVAlignment(3);
	after.Do();
	EXPECT_EQ(7, after.VAlignment());

	// Without a previous element only font and colour are reset.
	CountingElement alone(nullptr, Engine());
	alone.environment->font = fPage->boldFont;
	alone.environment->leftMargin = 3;
	alone.Do();
	EXPECT_EQ(fPage->plainFont, alone.environment->Font());
	EXPECT_FLOAT_EQ(3, alone.LeftMargin());
	Window()->Unlock();
}

TEST_F(EngineTest, WasPlacedCallsThePlacementHookOnce)
{
	CountingElement element(nullptr, Engine());
	EXPECT_FALSE(element.placed);
	element.WasPlaced();
	element.WasPlaced();
	EXPECT_EQ(1, element.placedCalls);
	EXPECT_TRUE(element.placed);
}

TEST_F(EngineTest, ElementsRegisterWithThePagesCollector)
{
	GarbageCollector* collector = fPage->garbageCollector;
	int32 before = collector->CountRegistered();
	CountingElement* element = new CountingElement(nullptr, Engine());
	EXPECT_TRUE(collector->IsRegistered(
		static_cast<WYSIWYG_Element*>(element)));
	EXPECT_EQ(before + 1, collector->CountRegistered());
	delete element;
	EXPECT_EQ(before, collector->CountRegistered());
}

TEST_F(EngineTest, RemovedElementsAreReleasedWithThePage)
{
	Parse("<BODY>one<B>two</B>three<HR>four</BODY>");
	GarbageCollector* collector = fPage->garbageCollector;
	EXPECT_GE(collector->CountRegistered(), Count());

	// Emptying unlinks every element but the first and releases them.
	ASSERT_TRUE(Window()->Lock());
	Engine()->Empty();
	Window()->Unlock();
	EXPECT_EQ(1, Count());
	EXPECT_EQ(1, collector->CountRegistered());
}

TEST_F(EngineTest, LineQueriesOnALaidOutChain)
{
	// Three lines: "a", then a break line "b", then a paragraph "c". The
	// first text takes the "a" in when the chain is laid out.
	Parse("<BODY>a<BR>b<P>c</BODY>");
	ASSERT_EQ(5, Count()) << Dump();
	WYSIWYG_Element* a = At(0);
	WYSIWYG_Element* br = At(1);
	WYSIWYG_Element* b = At(2);
	WYSIWYG_Element* c = At(4);
	ASSERT_EQ("a", std::string(dynamic_cast<WText*>(a)->Text())) << Dump();

	EXPECT_EQ(a, a->FirstOnLine());
	EXPECT_EQ(0, a->Line());
	EXPECT_FLOAT_EQ(8.0f, a->LineTop());
	EXPECT_EQ(a, a->LastOnLine());
	EXPECT_EQ(1, a->EOLStatus());
	EXPECT_EQ(br, b->FirstOnLine());
	EXPECT_EQ(b, br->LastOnLine());
	EXPECT_EQ(1, b->Line());
	EXPECT_EQ(2, c->Line());

	EXPECT_FLOAT_EQ(a->WFrame().bottom, a->LineBottom());
	EXPECT_FLOAT_EQ(a->WFrame().bottom + 2, b->LineTop());
	EXPECT_FLOAT_EQ(b->WFrame().bottom + 2, c->LineTop());
	EXPECT_FLOAT_EQ(c->WFrame().bottom, c->LineBottom());
}

TEST_F(EngineTest, LineWithoutViewsTakesNoHeight)
{
	ASSERT_TRUE(Window()->Lock());
	// Lines: first | B, BR (no views) | text | BR (no view, last line)
	WYSIWYG_Element* first = First();
	TextChange* bold = Link(first,
		new TextChange(6, first, nullptr, Engine(), nullptr));
	EndLine* br = Link(bold, new EndLine(1, bold, nullptr, Engine(), nullptr));
	WText* text = AddText(br, "x");
	EndLine* tail = Link(text, new EndLine(1, text, nullptr, Engine(), nullptr));
	first->eolStatus = 1;
	br->eolStatus = 1;
	text->eolStatus = 1;
	Window()->Unlock();

	float firstBottom = first->WFrame().bottom;
	EXPECT_FLOAT_EQ(firstBottom + 2, bold->LineTop());
	// The line after the view-less one begins where that one begins.
	EXPECT_FLOAT_EQ(bold->LineTop(), text->LineTop());
	// A view-less line ends 2 above the bottom of the line below it...
	EXPECT_FLOAT_EQ(text->LineBottom() - 2, bold->LineBottom());
	EXPECT_FLOAT_EQ(text->WFrame().bottom, text->LineBottom());
	// ...or at 8 when it is the last line.
	EXPECT_FLOAT_EQ(8.0f, tail->LineBottom());
}

TEST_F(EngineTest, NearestTextSearches)
{
	ASSERT_TRUE(Window()->Lock());
	// first "" | B | "x" | /B | UnsupportedTAG
	WYSIWYG_Element* first = First();
	TextChange* bold = Link(first,
		new TextChange(6, first, nullptr, Engine(), nullptr));
	WText* x = AddText(bold, "x");
	TextChange* unbold = Link(x,
		new TextChange(-6, x, nullptr, Engine(), nullptr));
	UnsupportedTAG* tag = Link(unbold,
		new UnsupportedTAG(unbold, nullptr, Engine(), nullptr));
	Window()->Unlock();

	EXPECT_EQ(first, bold->FindPreviousText());
	EXPECT_EQ(x, bold->FindNextText());
	EXPECT_EQ(x, tag->FindPreviousText());
	EXPECT_EQ(first, x->FindPreviousText());
	// The end of the chain: a text is returned itself, anything else not.
	EXPECT_EQ(nullptr, tag->FindNextText());
	EXPECT_EQ(nullptr, unbold->FindNextText());
	EXPECT_EQ(first, first->FindPreviousText());

	CountingElement alone(nullptr, Engine());
	EXPECT_EQ(nullptr, alone.FindPreviousText());
	EXPECT_EQ(nullptr, alone.FindNextText());
}

TEST_F(EngineTest, AlikeEnvironmentsAreSharedButChangedApart)
{
	// One paragraph broken into lines, then bold text: the lines' texts
	// are alike and share one environment, the bold one has its own.
	SetViewSize(150, 400);
	Parse("<BODY><P>one two three four five six seven eight nine ten eleven"
		"<B>bold</B> after</BODY>");
	ASSERT_TRUE(Window()->Lock());
	std::vector<WText*> texts;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		WText* text = dynamic_cast<WText*>(e);
		if (text != nullptr && text->TextLength() > 0)
			texts.push_back(text);
	}
	ASSERT_GE(texts.size(), 5u);
	WText* line1 = texts[0];
	WText* line2 = texts[1];
	WText* line3 = texts[2];
	WText* bold = texts[texts.size() - 2];
	ASSERT_STREQ("bold", bold->Text());
	EXPECT_EQ(line1->environment, line2->environment);
	EXPECT_EQ(line2->environment, line3->environment);
	EXPECT_NE(line1->environment, bold->environment);
	EXPECT_EQ(fPage->plainFont, line1->environment->font);

	// A change through one of them is its own alone, and stays so when the
	// environments are carried over the chain again.
	line2->SetVAlignment(3);
	EXPECT_EQ(3, line2->VAlignment());
	EXPECT_EQ(7, line1->VAlignment());
	EXPECT_EQ(7, line3->VAlignment());
	Engine()->Do(nullptr);
	EXPECT_EQ(3, line2->VAlignment());
	EXPECT_EQ(7, line1->VAlignment());
	EXPECT_EQ(7, line3->VAlignment());
	EXPECT_EQ(line1->environment, line3->environment);
	EXPECT_NE(line1->environment->font, bold->environment->font);
	Window()->Unlock();
}

TEST_F(EngineTest, AlikeEnvironmentsFarApartAreOneAndChangeApart)
{
	// The bold passages of two paragraphs look alike: one environment
	// serves both, and each closing tag shares the one of the text before
	// its opening tag. Changing one element's environment leaves the
	// others as they were.
	Parse("<P>one <B>two</B> three<P>four <B>five</B> six");
	std::vector<TextChange*> opening;
	std::vector<TextChange*> closing;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		if (TextChange* change = dynamic_cast<TextChange*>(e))
			(change->Type() > 0 ? opening : closing).push_back(change);
	}
	ASSERT_EQ(2u, opening.size());
	ASSERT_EQ(2u, closing.size());
	EXPECT_EQ(opening[0]->environment, opening[1]->environment);
	EXPECT_EQ(closing[0]->environment, closing[1]->environment);
	EXPECT_EQ(closing[0]->environment, opening[0]->Previous()->environment);
	EXPECT_EQ(fPage->boldFont, opening[1]->environment->Font());

	ASSERT_TRUE(Window()->Lock());
	opening[0]->SetHAlignment(2);
	EXPECT_NE(opening[0]->environment, opening[1]->environment);
	EXPECT_EQ(0, opening[1]->HAlignment());
	EXPECT_EQ(2, opening[0]->HAlignment());
	Window()->Unlock();
}

TEST(EnvironmentPool, HoldsOneOfAlikeEnvironmentsAndLetsGoOfUnsharedOnes)
{
	EnvironmentPool pool;
	Environment* first = new Environment(nullptr);
	EXPECT_EQ(first, pool.Alike(first));
	EXPECT_EQ(2, first->references);

	// Alike, with a margin of -0 for 0: the pool's one stands for it.
	Environment* alike = new Environment(nullptr);
	alike->leftMargin = -0.0f;
	EXPECT_EQ(first, pool.Alike(alike));
	delete alike;

	// Thousands that nobody holds any more: the pool lets go of them as
	// it grows (the sanitizer build sees a double delete or a leak), and
	// keeps the one still held.
	for (int i = 1; i <= 5000; i++) {
		Environment* other = new Environment(nullptr);
		other->leftMargin = float(i);
		EXPECT_EQ(other, pool.Alike(other));
		other->references--;
	}
	EXPECT_LT(pool.CountEnvironments(), 2500);
	Environment* again = new Environment(nullptr);
	EXPECT_EQ(first, pool.Alike(again));
	delete again;
	pool.Clear();
	EXPECT_EQ(0, pool.CountEnvironments());
	EXPECT_EQ(1, first->references);
	delete first;
}
