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

TEST_F(Parsing, OneDocumentsRoad)
{
	Parse("<BODY><P>Hello <B>big</B> world</P></BODY>");
	EXPECT_EQ((Strings{ "T''", "E2", "T'Hello '", "C6", "T'big'", "C-6",
		"T' world'", "E2", "T''" }), Chain());
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();
	// The bold font reaches the text between the two style changes.
	WYSIWYG_Element* big = First();
	while (big != nullptr && Describe(big) != "T'big'")
		big = big->Next();
	ASSERT_NE(nullptr, big);
	EXPECT_EQ(fPage->boldFont, big->environment->font);
	EXPECT_EQ(fPage->plainFont, big->Next()->Next()->environment->font);
}

TEST_F(Parsing, HeadIsDroppedAndTitleIsFoundAnywhere)
{
	Parse("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\">\n"
		"<html lang=\"en\"><HEAD><title>My\n page</title>"
		"<META NAME=\"Author\" CONTENT=\"me\"><META NAME=\"Generator\" CONTENT=\"x\">"
		"<STYLE>p { color: red }</STYLE><SCRIPT>var a = 1;</SCRIPT>"
		"</HEAD>\n<BODY>\nText<BR></BODY></HTML>");
	// The head's own tags stay with the page's head; the editor's own
	// document tags are no elements.
	EXPECT_EQ((Strings{ "T'Text'", "E1", "T''" }), Chain());
	EXPECT_EQ("<STYLE>p { color: red }</STYLE>\n<SCRIPT>var a = 1;</SCRIPT>\n",
		fPage->head);
	ASSERT_NE(nullptr, fPage->title);
	EXPECT_STREQ("My page", fPage->title);

	// A tag that merely begins like a document tag is no document tag, and
	// having no place in a head, it begins the body.
	Parse("<HEAD><HEADER>text</HEADER>");
	EXPECT_EQ((Strings{ "T''", "U<HEADER>", "T'text'", "U</HEADER>", "T''" }),
		Chain());

	// A TITLE after BODY replaces the title; it is no text of the page.
	Parse("<BODY>a<TITLE>New\n\tTitle</TITLE>b<BR>");
	EXPECT_STREQ("New\tTitle", fPage->title);
	EXPECT_EQ((Strings{ "T'ab'", "E1", "T''" }), Chain());
	// A title without an end runs to the end of the text.
	Parse("<BODY><TITLE>open");
	EXPECT_STREQ("open", fPage->title);
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();
}

TEST_F(Parsing, RunsBetweenTags)
{
	// Adjacent tags are separated by empty texts; text after the last tag
	// is kept; white space runs become one blank.
	Parse("<BODY><B><I>x</I></B> \n\t tail");
	EXPECT_EQ((Strings{ "T''", "C6", "T''", "C42", "T'x'", "C-42", "T''",
		"C-6", "T' tail'" }), Chain());

	// The white space at the start of the body is no blank of the text.
	Parse("<BODY>\n\n  a \t b\n<BR\n  CLEAR=all>");
	EXPECT_EQ((Strings{ "T'a b '", "E1", "T''" }), Chain());

	// Entities are left for the text element to decode.
	Parse("<BODY>&lt;&amp;<BR>");
	EXPECT_EQ((Strings{ "T'<&'", "E1", "T''" }), Chain());
}

TEST_F(Parsing, BodyOptions)
{
	Parse("<BODY>x<BR>");
	EXPECT_EQ(0, fPage->textColor->red);
	EXPECT_EQ(255, fPage->linkColor->blue);
	EXPECT_EQ(255, fPage->backgroundColor->green);
	EXPECT_EQ(nullptr, fPage->background);

	Parse("<body text=#102030 link=\"#A0B0C0\" BGCOLOR=#fFeE0d>x<BR>");
	EXPECT_EQ(0x10, fPage->textColor->red);
	EXPECT_EQ(0x20, fPage->textColor->green);
	EXPECT_EQ(0x30, fPage->textColor->blue);
	EXPECT_EQ(255, fPage->textColor->alpha);
	EXPECT_EQ(0xA0, fPage->linkColor->red);
	EXPECT_EQ(0xC0, fPage->linkColor->blue);
	EXPECT_EQ(0xFF, fPage->backgroundColor->red);
	EXPECT_EQ(0xEE, fPage->backgroundColor->green);
	EXPECT_EQ(0x0D, fPage->backgroundColor->blue);
	EXPECT_EQ((Strings{ "T'x'", "E1", "T''" }), Chain());

	// A value that is no colour leaves the colour as it was and is kept as
	// read.
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

	// Every stray byte is reported, and parsing goes on after each; a '<'
	// that cannot begin a tag is text.
	fResponder.Clear();
	Parse("<BODY>>><<BR x<y>");
	ASSERT_EQ(3, fResponder.CountAlerts());
	EXPECT_EQ(kStrayClose, fResponder.TextAt(1));
	EXPECT_EQ(kNestedTag, fResponder.TextAt(2));
	EXPECT_EQ((Strings{ "T'>><'", "E1", "T''" }), Chain());

	// A tag that never ends is text, and so are the '<'s in it: nothing is
	// reported, however many of them follow one another.
	fResponder.Clear();
	std::string open;
	for (int i = 0; i < 200; i++)
		open += "<A ";
	Parse("<BODY>x<B>y" + open);
	EXPECT_EQ(0, fResponder.CountAlerts()) << fResponder.LastText();
	EXPECT_EQ((Strings{ "T'x'", "C6", "T'y" + open + "'" }), Chain());

	// A comment the text never ends is kept ended.
	fResponder.Clear();
	Parse("<BODY>x<!-- a <b>");
	EXPECT_EQ((Strings{ "T'x'", "U<!-- a <b>-->", "T''" }), Chain());
	// So is a quote nothing after it closes: the tag ends at its '>' as it
	// was read, also once something quoted is put after it.
	Parse("<BODY>x<FOO A=\"a>y<BAR B='b>z");
	EXPECT_EQ((Strings{ "T'x'", "U<FOO A=\"a\">", "T'y'", "U<BAR B='b'>",
		"T'z'" }), Chain());
	// "<!-->" and "<!--->" are whole, empty comments.
	Parse("<BODY>a<!-->b<!--->c");
	EXPECT_EQ((Strings{ "T'a'", "U<!-->", "T'b'", "U<!--->", "T'c'" }), Chain());
}

TEST_F(Parsing, ElementsByTag)
{
	Parse("<BODY><BOLD>a</BOLD><b>c</B><MENU><DIR></LI><P ALIGN=center></P>"
		"<HR SIZE=3></HR><FONT COLOR=red></TABLE><STRIKE><XYZ a=1><>"
		"<A HREF=\"x.html\"><IMG SRC=\"a.gif\"><h3>");
	EXPECT_EQ((Strings{ "T''", "C6", "T'a'", "C-6", "T''", "C6", "T'c'",
		"C-6", "T''", "L2+", "T''", "L2+", "T''", "U</LI>", "T''", "E2",
		"T''", "E2", "T''", "HR", "T''", "HR", "T''", "U<FONT COLOR=red>", "T''",
		"U</TABLE>", "T''", "U<STRIKE>", "T''", "U<XYZ a=1>", "T'<>'",
		"A+", "T''", "Ia.gif", "T''",
		"C34", "T''" }), Chain());

	// Options are handed to the element that keeps them.
	WYSIWYG_Element* element = First();
	while (element != nullptr && Describe(element) != "E2")
		element = element->Next();
	ASSERT_NE(nullptr, element);
	EndLine* paragraph = static_cast<EndLine*>(element);
	ASSERT_NE(nullptr, paragraph->unsupportedOptions);
	EXPECT_STREQ("ALIGN=center", paragraph->unsupportedOptions);
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
