// The Insert menu and the style items where a scenario of tests/data/editing
// cannot say it: the faces the texts get, where a heading's line lies, and
// the tag settings window a link opens.

#include "EditingFixture.h"

#include "Anchor.h"
#include "RTextControl.h"

#include <string>

using namespace quillora_test;

namespace {

using InsertionTest = EditingFixture;

// Bold inside italic takes the bold italic face; a heading's face is its
// level's, and its line lies between the line before it and the line after.
TEST_F(InsertionTest, NewKindsTakeTheirFaceAndHeadingsALineOfTheirOwn)
{
	Open("<I>abcde</I>");
	Place("abcde", 2);
	Command(kMsgBold);
	Type("X");
	ASSERT_NE(nullptr, Focused());
	EXPECT_EQ(fPage->boldItalicFont, Focused()->environment->font);

	Open("abcde");
	Place("abcde", 2);
	Command(kMsgHeading1);
	Type("X");
	WText* heading = Focused();
	ASSERT_NE(nullptr, heading);
	EXPECT_EQ(fPage->headingFonts[0], heading->environment->font);
	WText* before = Place("ab", 0);
	WText* after = Place("cde", 0);
	ASSERT_NE(nullptr, before);
	ASSERT_NE(nullptr, after);
	EXPECT_LT(before->WFrame().top, heading->WFrame().top);
	EXPECT_LT(heading->WFrame().top, after->WFrame().top);
	ExpectSoundChain("a heading at the caret");

	// A heading that holds only a line break goes as a whole at a
	// Backspace after it, and what it held takes the plain look again.
	Open("x<H1> <BR> </H1>y");
	Place("y", 0);
	Type("\x08");
	EXPECT_EQ("x <BR> y", Body());
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		if (WText* text = dynamic_cast<WText*>(e)) {
			EXPECT_EQ(fPage->plainFont, text->environment->font) << Dump();
		}
	}
	ExpectSoundChain("a heading around a line break removed");
}

// A link goes around the selected words (they are kept) or around a new
// text at the caret, and the tag settings window opens on it at once.
TEST_F(InsertionTest, LinksTakeTheSelectionAndAskWhereTheyLead)
{
	Open("one two three");
	Place("one two three", 4, 7);
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
	ExpectSoundChain("a link over a selection");

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
	ExpectSoundChain("a link at the caret");
}

}	// namespace
