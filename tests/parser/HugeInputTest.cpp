// Very long and very deep pages parse without exhausting the stack or
// overrunning any buffer (these also run in the sanitizer build).
#include "PageFixture.h"

#include <string.h>

#include <string>

#include "GarbageCollector.h"
#include "Page.h"
#include "TextChange.h"
#include "UnsupportedTAG.h"
#include "WText.h"

using namespace quillora_test;

namespace {

class HugeInput : public PageFixture {};

TEST_F(HugeInput, HundredThousandTags)
{
	std::string html = "<BODY>";
	for (int i = 0; i < 50000; i++)
		html += "<B>x</B>";
	Parse(html);
	// Each tag and the run before it (the first one joins the page's first
	// text element), and the empty text after the last tag.
	std::vector<std::string> chain = Chain();
	ASSERT_EQ(2u * 100000 + 1, chain.size());
	EXPECT_EQ("T''", chain[0]);
	EXPECT_EQ("C6", chain[1]);
	EXPECT_EQ("T'x'", chain[2]);
	EXPECT_EQ("C-6", chain[199999]);
	EXPECT_GE(fPage->garbageCollector->CountRegistered(), Count());
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();
}

TEST_F(HugeInput, TwentyThousandNestedBoldTags)
{
	std::string html = "<BODY>";
	for (int i = 0; i < 20000; i++)
		html += "<B>";
	html += "deep";
	for (int i = 0; i < 20000; i++)
		html += "</B>";
	Parse(html);
	EXPECT_EQ(2u * 40000 + 1, Chain().size());
	// The text in the middle is bold, the text after the last closing tag
	// plain again.
	WYSIWYG_Element* element = First();
	while (element != nullptr && Describe(element) != "T'deep'")
		element = element->Next();
	ASSERT_NE(nullptr, element);
	EXPECT_EQ(fPage->boldFont, element->environment->font);
}

TEST_F(HugeInput, MegabyteTextRun)
{
	std::string run;
	while (run.size() < (1 << 20))
		run += "word" + std::to_string(run.size() % 97) + " ";
	Parse("<BODY>" + run + "<BR>");
	// The layout may spread the run over several text elements; together
	// they hold all of it.
	std::string text;
	for (WYSIWYG_Element* element = First(); element != nullptr;
			element = element->Next()) {
		if (WText* part = dynamic_cast<WText*>(element))
			text += part->Text();
	}
	EXPECT_EQ(run, text);
}

TEST_F(HugeInput, ThreeHundredKilobyteTag)
{
	std::string value(300000, 'v');
	Parse("<BODY>a<FONT FACE=\"" + value + "\">b<BR>");
	WYSIWYG_Element* element = First();
	while (element != nullptr && dynamic_cast<UnsupportedTAG*>(element) == nullptr)
		element = element->Next();
	ASSERT_NE(nullptr, element);
	const char* html = static_cast<UnsupportedTAG*>(element)->html;
	ASSERT_NE(nullptr, html);
	// Compared as a whole, without printing 300 KB on failure.
	EXPECT_TRUE("<FONT FACE=\"" + value + "\">" == html);

	// A long name of a known tag finds nothing and is kept.
	std::string name(200000, 'B');
	Parse("<BODY><" + name + ">x<BR>");
	std::vector<std::string> chain = Chain();
	ASSERT_EQ(5u, chain.size());
	EXPECT_TRUE(chain[1] == "U<" + name + ">");
	EXPECT_EQ("T'x'", chain[2]);
}

}	// namespace
