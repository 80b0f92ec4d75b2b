// Line ends and the page's white space around texts, through editing and
// layout: what the chain writes reads back into the same HTML.

#include "PageFixture.h"

#include <string.h>

#include "EndLine.h"
#include "TextChange.h"
#include "WText.h"

using namespace quillora_test;

namespace {

class LineEndsTest : public PageFixture {
protected:
	// The chain's HTML, read back and written again, must not change.
	void ExpectFixedPoint(const std::string& html)
	{
		Parse("<BODY>" + LineFeeds(html));
		EXPECT_EQ(html, HTMLOf(nullptr)) << Dump();
	}

	// The HTML editor's text holds line feeds.
	static std::string LineFeeds(const std::string& html)
	{
		std::string out;
		for (size_t i = 0; i < html.size(); i++) {
			if (html.compare(i, 2, "\r\n") != 0)
				out += html[i];
		}
		return out;
	}
};

}	// namespace

TEST_F(LineEndsTest, ElementsMadeByEditingWriteTheirUsualLineEnds)
{
	Parse("<BODY>Hello </BODY>");
	ASSERT_TRUE(Window()->Lock());
	WText* hello = dynamic_cast<WText*>(First());
	ASSERT_NE(nullptr, hello);
	ASSERT_EQ(std::string("Hello "), hello->Text());
	// A heading typed after the text, a paragraph and a break after it.
	TextChange* open = Link(hello, new TextChange(32, hello, nullptr, Engine(),
		nullptr));
	WText* title = AddText(open, "Title");
	TextChange* close = Link(title, new TextChange(-32, title, nullptr,
		Engine(), nullptr));
	WText* empty = AddText(close, "");
	EndLine* paragraph = Link(empty, new EndLine(kParagraphLine, empty,
		nullptr, Engine(), nullptr));
	WText* after = AddText(paragraph, "after");
	Link(after, new EndLine(kBreakLine, after, nullptr, Engine(), nullptr));
	Window()->Unlock();

	// The heading's line end before it stands for the blank that ended the
	// text; no line end doubles one that is there already.
	std::string html = HTMLOf(nullptr);
	EXPECT_EQ("Hello\r\n<H1>Title</H1>\r\n<P>\r\nafter<BR>\r\n", html);
	ExpectFixedPoint(html);
}

TEST_F(LineEndsTest, PageSpaceSurvivesSplitsAndJoins)
{
	std::string html = "<B>x</B>\r\n    one two three four five six seven eight "
		"nine ten eleven twelve\r\n\r\n  <I>y</I> \t \r\nz";
	Parse("<BODY>" + LineFeeds(html));
	EXPECT_EQ(html, HTMLOf(nullptr)) << Dump();

	// Laid out in a narrow view, the long text is cut into pieces: the
	// white space before it stays before the first piece, the one after it
	// after the last.
	SetViewSize(80, 400);
	Engine()->Place(nullptr, true);
	int pieces = 0;
	for (WYSIWYG_Element* element = First(); element != nullptr;
			element = element->Next()) {
		if (WText* text = dynamic_cast<WText*>(element))
			pieces += strstr(text->Text(), "one") != nullptr
				|| strstr(text->Text(), "twelve") != nullptr ? 1 : 0;
	}
	EXPECT_EQ(2, pieces) << Dump();
	EXPECT_EQ(html, HTMLOf(nullptr)) << Dump();

	// Wide again, the pieces join.
	SetViewSize(2000, 400);
	Engine()->Place(nullptr, true);
	EXPECT_EQ(html, HTMLOf(nullptr)) << Dump();
}
