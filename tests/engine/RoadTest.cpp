#include "PageFixture.h"

#include <Font.h>

#include <vector>

#include "EndLine.h"
#include "TextChange.h"
#include "WText.h"

using namespace quillora_test;
using EngineTest = PageFixture;

// The road of one document, as the program's overview walks it: the page
// is parsed into the chain, the environments are carried down it and the
// chain is laid out in lines (tests/data/layout/paragraph-with-bold.dump
// holds the same chain with its frames).
TEST_F(EngineTest, OneDocumentsRoad)
{
	Parse("<BODY><P>Hello <B>big</B> world</P></BODY>");

	// The chain: the engine's own first text (the empty run before the
	// first paragraph joined it when the line was laid out), a paragraph,
	// the three texts around the bold pair, the second paragraph for </P>,
	// and the empty text before the dropped </BODY>.
	struct Expected {
		const char* describe;
		long eol;
	} expected[] = {
		{ "T''", 1 }, { "E2", 0 }, { "T'Hello '", 0 }, { "C6", 0 },
		{ "T'big'", 0 }, { "C-6", 0 }, { "T' world'", 1 }, { "E2", 0 },
		{ "T''", 0 },
	};
	std::vector<WYSIWYG_Element*> chain;
	for (WYSIWYG_Element* element = First(); element != nullptr;
			element = element->Next())
		chain.push_back(element);
	ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), chain.size()) << Dump();
	for (size_t i = 0; i < chain.size(); i++) {
		EXPECT_EQ(expected[i].describe, Describe(chain[i])) << i << "\n"
			<< Dump();
		EXPECT_EQ(expected[i].eol, chain[i]->EOLStatus()) << i;
		EXPECT_EQ(i > 0 ? chain[i - 1] : nullptr, chain[i]->Previous());
	}

	// The environments: bold between the pair only; 13 pixels above the
	// line after each paragraph.
	EXPECT_EQ(fPage->plainFont, chain[2]->environment->font);
	EXPECT_EQ(fPage->boldFont, chain[4]->environment->font);
	EXPECT_EQ(fPage->plainFont, chain[6]->environment->font);
	EXPECT_FLOAT_EQ(13.0f, chain[1]->BreakBefore());
	EXPECT_FLOAT_EQ(13.0f, chain[7]->BreakBefore());
	EXPECT_FLOAT_EQ(0, chain[2]->BreakBefore());

	// The lines: the first text alone at the top; "Hello big world" on one
	// line 13 pixels further down, each text right after the one before;
	// the last text on a line of its own, as far below again.
	BRect first = chain[0]->WFrame();
	BRect hello = chain[2]->WFrame();
	BRect big = chain[4]->WFrame();
	BRect world = chain[6]->WFrame();
	BRect last = chain[8]->WFrame();
	EXPECT_FLOAT_EQ(8, first.top);
	EXPECT_FLOAT_EQ(first.bottom + 2 + 13, hello.top);
	EXPECT_FLOAT_EQ(hello.right + 1, big.left);
	EXPECT_FLOAT_EQ(big.right + 1, world.left);
	EXPECT_FLOAT_EQ(hello.bottom, world.bottom);
	EXPECT_FLOAT_EQ(world.bottom + 2 + 13, last.top);
	// Each text is as wide as its font makes it, with room for the caret.
	EXPECT_NEAR(fPage->boldFont->StringWidth("big") + 5, big.Width(), 1);
	EXPECT_NEAR(fPage->plainFont->StringWidth("Hello ") + 5, hello.Width(), 1);
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();

	// And back: the editor's HTML of the chain in chain order.
	EXPECT_EQ("<P>Hello <B>big</B> world<P>", HTMLOf(nullptr));
}
