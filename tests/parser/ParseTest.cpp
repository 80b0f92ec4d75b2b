// The tokenizer and the element factory on real pages.
#include "PageFixture.h"

#include <string.h>
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include <GraphicsDefs.h>

#include "Config.h"
#include "EndLine.h"
#include "Functions.h"
#include "HWindow.h"
#include "GarbageCollector.h"
#include "Page.h"
#include "Parser.h"
#include "TextChange.h"
#include "UnsupportedTAG.h"
#include "WText.h"
#include "WYSIWYG_Engine.h"

using namespace quillora_test;

namespace {

using Strings = std::vector<std::string>;

const char* kNestedTag
	= "Error: '<' character was found within the bounds of another HTML tag";
const char* kStrayClose = "Error: found closing '>', but no opening for it";

class Parsing : public PageFixture {};

TEST_F(Parsing, TitleIsFoundAnywhere)
{
	// Its line ends are blanks; a TITLE after BODY replaces the title; one
	// without an end runs to the end of the text. (The chains and the head:
	// tests/data/layout/head-dropped, title-in-the-body.)
	Parse("<html><HEAD><title>My\n page</title></HEAD><BODY>x");
	ASSERT_NE(nullptr, fPage->title);
	EXPECT_STREQ("My page", fPage->title);
	Parse("<BODY>a<TITLE>New\n\tTitle</TITLE>b<BR>");
	EXPECT_STREQ("New\tTitle", fPage->title);
	Parse("<BODY><TITLE>open");
	EXPECT_STREQ("open", fPage->title);
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();
}

TEST_F(Parsing, ColoursThatCannotBeReadLeaveTheColourAsItWas)
{
	// (Colours read and written back: tests/data/roundtrip/Body*.)
	Parse("<body text=#102030 link=\"#A0B0C0\" BGCOLOR=#fFeE0d>x<BR>");
	EXPECT_EQ(0x10, fPage->textColor->red);
	EXPECT_EQ(255, fPage->textColor->alpha);
	Parse("<BODY TEXT=#12345>x<BR>");
	EXPECT_EQ(0x10, fPage->textColor->red);
	EXPECT_EQ(0x30, fPage->textColor->blue);
	ASSERT_NE(nullptr, fPage->colorValues[0]);
	EXPECT_STREQ("#12345", fPage->colorValues[0]);
	Parse("<BODY TEXT=>x<BR>");
	EXPECT_EQ(0x10, fPage->textColor->red);
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();
}

TEST_F(Parsing, BackgroundLosesTheImageDirectory)
{
	// A real GIF in the image directory.
	mkdir((fRoot + "/home/pics").c_str(), 0700);
	std::ifstream gif(QUILLORA_SOURCE_DIR "/Documentation/images/About.gif",
		std::ios::binary);
	ASSERT_TRUE(gif.good());
	std::ofstream((fRoot + "/home/pics/bg.gif").c_str(), std::ios::binary)
		<< gif.rdbuf();
	delete[] fConfig->imageDirectory;
	fConfig->imageDirectory = newtext("/boot/home/pics/");

	Parse("<BODY BACKGROUND=\"/BOOT/home/pics/bg.gif\">x<BR>");
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();
	ASSERT_NE(nullptr, fPage->background);
	EXPECT_STREQ("bg.gif", fPage->background);

	EXPECT_TRUE(fPage->backgroundInImageDirectory);

	// A picture that cannot be shown is reported and kept all the same.
	Parse("<BODY BACKGROUND=\"missing.gif\">x<BR>");
	ASSERT_NE(nullptr, fPage->background);
	EXPECT_STREQ("missing.gif", fPage->background);
	EXPECT_FALSE(fPage->backgroundInImageDirectory);
	ASSERT_EQ(1, fResponder.CountAlerts());
	EXPECT_NE(std::string::npos,
		fResponder.TextAt(0).find("/boot/home/pics/missing.gif"));
}

TEST_F(Parsing, SyntaxErrorsSelectTheByte)
{
	std::string html = "<BODY>a > b<BR>";
	Parse(html);
	ASSERT_EQ(1, fResponder.CountAlerts());
	EXPECT_EQ(kStrayClose, fResponder.TextAt(0));
	EXPECT_EQ("Alert", fResponder.TitleAt(0));
	EXPECT_EQ((Strings{ "T'a > b'", "E1", "T''" }), Chain());
	int32 start, end;
	Selection(&start, &end);
	EXPECT_EQ((int32)html.find(" > ") + 1, start);
	EXPECT_EQ(start + 1, end);
	EXPECT_FALSE(fPage->htmlWindow->IsHidden());

	fResponder.Clear();
	html = "<BODY>x<B<I>y<BR>";
	Parse(html);
	ASSERT_EQ(1, fResponder.CountAlerts());
	EXPECT_EQ(kNestedTag, fResponder.TextAt(0));
	EXPECT_EQ((Strings{ "T'x'", "U<B<I>", "T'y'", "E1", "T''" }), Chain());
	Selection(&start, &end);
	EXPECT_EQ((int32)html.find("<I"), start);
	EXPECT_EQ(start + 1, end);

	// What follows stray bytes, tags that never end, unfinished comments
	// and quotes: tests/data/layout/stray-brackets, tag-that-never-ends,
	// comment-that-never-ends, quotes-that-never-close, empty-comments.
}

TEST_F(Parsing, ConstructorKeepsTheSign)
{
	struct Case {
		const char* tag;
		const char* expected;
	} cases[] = {
		{ "B", "C6" }, { "/b", "C-6" }, { "BOLD", "C6" }, { "/BOLD", "C-6" },
		{ "H1 ALIGN=left", "C32" }, { "/H6", "C-37" }, { "BLOCKQUOTE", "C11" },
		{ "/U", "C-86" }, { "BR", "E1" }, { "/BR", "E1" }, { "/P", "E2" },
		{ "/HR", "HR" }, { "/TABLE", "U</TABLE>" }, { "/", "U</>" },
		{ "", "U<>" }, { "!-- note --", "U<!-- note -->" },
	};
	for (const Case& test : cases) {
		WYSIWYG_Element* element = Parser::Constructor(First(), test.tag, fPage);
		ASSERT_NE(nullptr, element) << test.tag;
		EXPECT_EQ(test.expected, Describe(element)) << test.tag;
		EXPECT_EQ(First(), element->Previous());
		EXPECT_EQ(nullptr, element->Next());
		// Not linked: the page's collector releases it.
		EXPECT_TRUE(fPage->garbageCollector->IsRegistered(element));
	}
	EXPECT_EQ(nullptr, First()->Next());
}

}	// namespace
