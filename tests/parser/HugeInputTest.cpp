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

namespace {

class HugeInput : public PageTest {};

TEST_F(HugeInput, HundredThousandTags)
{
	std::string html = "<BODY>";
	for (int i = 0; i < 50000; i++)
		html += "<B>x</B>";
	Parse(html);
	// Each tag and each run before a tag, after the first element.
	EXPECT_EQ(1 + 2 * 100000, ChainLength());
	EXPECT_EQ(ChainLength(), fPage->garbageCollector->CountRegistered());
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
	EXPECT_EQ(1 + 2 * 40000, ChainLength());
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
	while (run.size() < 1000000)
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
	EXPECT_EQ("<FONT FACE=\"" + value + "\">", std::string(html));

	// A long name of a known tag finds nothing and is kept.
	std::string name(200000, 'B');
	Parse("<BODY><" + name + ">x<BR>");
	EXPECT_EQ("U<" + name + ">", Describe(First()->Next()->Next()));
}

}	// namespace
