/*
 * What the editor keeps of a page: small pages, each with the exact head,
 * BODY line and body the editor generates for it, and the generated
 * document as a fixed point: read back, it generates the same bytes, in the
 * batch mode and through "Update from HTML" and "Update from Visual".
 */
#include "ProgramFixture.h"
#include "ProgramRun.h"

#include <string>
#include <vector>

#include "HTML_View.h"
#include "HWindow.h"
#include "Page.h"

using namespace quillora_test;

namespace {

const char* kStandardBody = "<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" "
	"LINK=\"#0000FF\" VLINK=\"#800080\">";

struct Case {
	const char* name;
	const char* page;
	// The generated body (between the BODY line and "</BODY>").
	const char* body;
	// The page's own head lines after the editor's; null for none.
	const char* head = nullptr;
	// The BODY line; null for the standard one.
	const char* bodyLine = nullptr;
	// Alerts the page gives on reading.
	int alerts = 0;
	// The page's length where it holds NUL bytes (else 0).
	size_t length = 0;

	std::string Page() const
		{ return length > 0 ? std::string(page, length) : std::string(page); }
};

// A page with NUL bytes in it.
#define WITH_NUL(name, text, body) \
	{ name, text, body, nullptr, nullptr, 0, sizeof(text) - 1 }

const Case kCases[] = {
	// A page without BODY: the body starts at the first tag that has no
	// place in a head, or at the first text that is not blank.
	{ "NoBody", "<p>Hello <b>world</b></p>", "<P>Hello <B>world</B><P>" },
	{ "NoTagsAtAll", "Hello <b>world</b>", "Hello <B>world</B>" },
	{ "TextAfterTheHead",
		"<title>T</title>\n<meta name=keywords content=x>\n  Just text",
		"Just text", "<meta name=keywords content=x>\r\n" },
	// Text after </BODY> and </HTML> is kept, as a browser shows it.
	{ "TextAfterTheEnd", "<body>a</body>\nafter\n</html>\ntail",
		"a after tail" },
	{ "EditorsOwnEnd", "<body>a\n</body>\n</html>\n", "a\r\n" },

	// Comments and processing instructions are kept whole, whatever they
	// hold.
	{ "Comment", "<BODY>x<!-- a <b> c -->y", "x<!-- a <b> c -->y" },
	{ "CommentsOverLines", "<BODY>x<!-- one\n-- two -->y<?php if (a > 0) ?>z"
		"<!---->w<!-->v", "x<!-- one\r\n-- two -->y<?php if (a > 0) ?>z"
		"<!---->w<!-->v" },
	// One that the page never ends is written back ended, or the document's
	// own end would go into it, once more on every save.
	{ "UnfinishedComment", "<BODY>x<!-- a <b> c -", "x<!-- a <b> c --->" },
	{ "UnfinishedCommentEndingInATag", "<BODY>x<!-- a <b>", "x<!-- a <b>-->" },
	{ "UnfinishedDeclaration", "<BODY>x<!foo <?php y", "x<!foo <?php y>" },
	{ "UnfinishedInTheHead", "<head><!-- open <body>x", "", "<!-- open <body>x-->\r\n" },

	// Entity references come back as they were written.
	{ "References", "<BODY>&quot; &copy; &eacute; &#233; &#x2019; &mdash; "
		"&amp; &lt; &gt; &nbsp; &AMP; AT&T &copy &#8212",
		"&quot; &copy; &eacute; &#233; &#x2019; &mdash; &amp; &lt; &gt; "
		"&nbsp; &AMP; AT&T &copy &#8212" },
	// Bytes that mark references and blanks in a text are kept as
	// references to themselves.
	{ "MarkingBytes", "<BODY>a\x0F" "b\x1A" "c", "a&#15;b&#26;c" },

	// Preformatted text keeps every blank and line.
	{ "Pre", "<BODY><pre>  a   b\n   c</pre>", "<pre>  a   b\r\n   c</pre>" },
	{ "PreWithTags", "<BODY>x\n<PRE>\n<b>bold</b>  x\n\n  y\n</PRE>\nz",
		"x\r\n<PRE>\r\n<B>bold</B>  x\r\n\r\n  y\r\n</PRE>\r\nz" },
	{ "RawText", "<BODY><xmp><b>x</b> &amp;\n  y</xmp><listing>a  b</listing>"
		"<textarea>a &lt; b\n  c</textarea>",
		"<xmp><b>x</b> &amp;\r\n  y</xmp><listing>a  b</listing>"
		"<textarea>a &lt; b\r\n  c</textarea>" },

	// Scripts and style sheets keep their content, in the head and in the
	// body, whatever '<' and '>' they hold.
	{ "Scripts", "<head><script>var a = 1;\n// c\ny();</script></head>"
		"<body>x<script>if (a < b && c > d) y();\n// z\n</script>w"
		"<style>p > a {}</style>",
		"x<script>if (a < b && c > d) y();\r\n// z\r\n</script>w"
		"<style>p > a {}</style>",
		"<script>var a = 1;\r\n// c\r\ny();</script>\r\n" },

	// The head's own tags stay in the head, in their order.
	{ "HeadTags", "<html><head><meta charset=\"utf-8\">"
		"<meta name=\"description\" content=\"d\">\n<link rel=stylesheet "
		"href=s.css><base href=\"http://x/\"><style>b{}</style><!-- c -->"
		"</head><body>x",
		"x", "<meta charset=\"utf-8\">\r\n<meta name=\"description\" "
		"content=\"d\">\r\n<link rel=stylesheet href=s.css>\r\n"
		"<base href=\"http://x/\">\r\n<style>b{}</style>\r\n<!-- c -->\r\n" },

	// BODY options: colours by name and in both hexadecimal forms, what
	// cannot be read as read, everything else kept.
	{ "BodyColourNames", "<body bgcolor=white text=black>x", "x", nullptr,
		kStandardBody },
	{ "BodyOptions", "<body bgcolor=FFFFFF text=Navy vlink=red alink=#ff0000 "
		"class=\"c\" id=i lang=en style=\"margin: 0\" onload=\"f()\">x", "x",
		nullptr, "<BODY TEXT=\"#000080\" BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\" "
		"VLINK=\"red\" alink=#ff0000 class=\"c\" id=i lang=en "
		"style=\"margin: 0\" onload=\"f()\">" },
	{ "BodyColoursNotRead", "<body text=\"#12\" bgcolor=chartreuse>x", "x",
		nullptr, "<BODY TEXT=\"#12\" BGCOLOR=\"chartreuse\" LINK=\"#0000FF\" "
		"VLINK=\"#800080\">" },
	{ "BackgroundThatCannotBeShown", "<body background=\"nowhere.gif\">x",
		"x", nullptr, "<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" "
		"LINK=\"#0000FF\" VLINK=\"#800080\" BACKGROUND=\"nowhere.gif\">", 1 },

	// White space inside tags is kept; any white space ends a tag's name.
	{ "SpaceInTags", "<BODY><span class=\"x\"\n   title=\"a  b\">l</span>",
		"<span class=\"x\"\r\n   title=\"a  b\">l</span>" },
	{ "NameEndsAtAnyWhiteSpace", "<BODY>a<B\nCLASS=x>b</B\n>c<P\tALIGN=left>",
		"a<B CLASS=x>b</B>c<P ALIGN=left>" },

	// A '<' that cannot begin a tag is text.
	{ "LessThanInText", "<BODY>if x <= y or a < b, 3<4 <", "if x &lt;= y or "
		"a &lt; b, 3&lt;4 &lt;" },

	// NUL bytes are dropped, and nothing around them.
	WITH_NUL("Nul", "<BODY>a\0b<A HREF=\"x\0y\">c</A>\0",
		"ab<A HREF=\"xy\">c</A>"),

	// Tags that touched still touch; line ends stay where the page had
	// them and nowhere else.
	// (The pictures are missing: one alert each.)
	{ "TouchingTags", "<BODY><IMG SRC=a.gif><IMG SRC=b.gif>x<FONT COLOR=red>"
		"a</FONT><SPAN>a</SPAN><SPAN>b",
		"<IMG SRC=\"a.gif\" ALT=\"a.gif\" BORDER=\"0\"><IMG SRC=\"b.gif\" "
		"ALT=\"b.gif\" BORDER=\"0\">x<FONT COLOR=red>a</FONT><SPAN>a</SPAN>"
		"<SPAN>b", nullptr, nullptr, 2 },
	{ "LinesOfThePage", "<BODY>\n<P>\nText\n<BR>\n  more\n\n<P>\n<HR>\n"
		"<H1>Title</H1>\n<ul>\n  <li>one\n  <li>two\n</ul>\n</BODY>\n",
		"<P>\r\nText\r\n<BR>\r\n  more\r\n\r\n<P>\r\n<HR>\r\n<H1>Title</H1>\r\n"
		"<UL>\r\n  <LI>one\r\n  <LI>two\r\n</UL>\r\n" },

	// Links: the known options first, every other option kept.
	{ "Links", "<BODY><A HREF=\"a.html\">a</A> <A NAME=\"n\">b</A>\n"
		"<A HREF=\"c.html#x\" NAME=\"c\" TARGET=\"_top\" class='k'>c</A>",
		"<A HREF=\"a.html\">a</A> <A NAME=\"n\">b</A>\r\n"
		"<A HREF=\"c.html#x\" NAME=\"c\" TARGET=\"_top\" class='k'>c</A>" },
	// Lists with options, nested, of all kinds, each tag on a line of its
	// own or not, as the page had them; closing item tags as written.
	{ "Lists", "<BODY>\n<UL TYPE=square>\n<LI CLASS=a>one\n<LI>two\n"
		"<OL START=3>\n<LI>three\n</OL>\n</UL>\n<DL COMPACT>\n<DT>t\n<DD>d\n"
		"<DD>e\n</DL>\n<MENU>\n<LI>m\n</MENU><DIR><LI>d</LI><LI>e</LI></DIR>",
		"<UL TYPE=square>\r\n<LI CLASS=a>one\r\n<LI>two\r\n"
		"<OL START=3>\r\n<LI>three\r\n</OL>\r\n</UL>\r\n<DL COMPACT>\r\n"
		"<DT>t\r\n<DD>d\r\n<DD>e\r\n</DL>\r\n<MENU>\r\n<LI>m\r\n</MENU>"
		"<DIR><LI>d</LI><LI>e</LI></DIR>" },
};

// The parts of a generated document.
struct Parts {
	std::string head;
	std::string bodyLine;
	std::string body;
	bool ok = false;
};

Parts
Split(const std::string& document)
{
	Parts parts;
	const std::string generator
		= "<META NAME=\"Generator\" CONTENT=\"Brindel Quillora\">\r\n";
	size_t headStart = document.find(generator);
	size_t headEnd = document.find("</HEAD>\r\n");
	if (headStart == std::string::npos || headEnd == std::string::npos)
		return parts;
	headStart += generator.size();
	parts.head = document.substr(headStart, headEnd - headStart);
	size_t lineStart = headEnd + 9;
	size_t lineEnd = document.find("\r\n", lineStart);
	const std::string end = "</BODY>\r\n</HTML>\r\n";
	if (lineEnd == std::string::npos || document.size() < end.size()
		|| document.compare(document.size() - end.size(), end.size(), end) != 0)
		return parts;
	parts.bodyLine = document.substr(lineStart, lineEnd - lineStart);
	parts.body = document.substr(lineEnd + 2,
		document.size() - end.size() - lineEnd - 2);
	parts.ok = true;
	return parts;
}


class RoundTripCases : public ProgramTest,
	public testing::WithParamInterface<Case> {
protected:
	std::string Generate()
	{
		Page* page = CurrentPage();
		page->GenerateHTML();
		return std::string(page->HTMLBuffer(), page->HTMLBufferLength());
	}
};


TEST_P(RoundTripCases, GeneratedExactlyAndReadBackTheSame)
{
	const Case& test = GetParam();
	std::string page = test.Page();
	OpenContent(page);
	ASSERT_NE(nullptr, CurrentPage());
	EXPECT_EQ(test.alerts, fAlerts.CountAlerts()) << fAlerts.LastText();

	std::string document = Generate();
	Parts parts = Split(document);
	ASSERT_TRUE(parts.ok) << document;
	EXPECT_EQ(test.body, parts.body);
	EXPECT_EQ(test.head != nullptr ? test.head : "", parts.head);
	EXPECT_EQ(test.bodyLine != nullptr ? test.bodyLine : kStandardBody,
		parts.bodyLine);

	// Through the editors: the document in the HTML editor, "Update from
	// HTML", then "Update from Visual", twice over.
	Page* current = CurrentPage();
	HTML_View* view = current->htmlWindow->htmlView;
	std::string lines = WithLineFeeds(document);
	for (int round = 0; round < 2; round++) {
		ASSERT_TRUE(view->LockLooper());
		view->SetText(lines.c_str(), (int32)lines.size());
		view->UnlockLooper();
		current->Update(false);
		current->UpdateFromVisual();
		ASSERT_TRUE(view->LockLooper());
		std::string shown(view->Text(), view->TextLength());
		view->UnlockLooper();
		EXPECT_EQ(lines, shown) << "round " << round;
	}

	// The batch mode generates the same document from the page, and from
	// the document itself.
	std::string original = fDirectory + "/original.html";
	std::string generated = fDirectory + "/generated.html";
	WriteFile(original, page);
	WriteFile(generated, document);
	// The program's settings live where the tests keep theirs.
	std::string configHome = getenv("XDG_CONFIG_HOME");
	ProgramRun first = RunProgram({ "--html", original }, configHome);
	EXPECT_EQ(0, first.status) << first.err;
	EXPECT_EQ(document, first.out);
	ProgramRun second = RunProgram({ "--html", generated }, configHome);
	EXPECT_EQ(0, second.status) << second.err;
	EXPECT_EQ(document, second.out);
}

INSTANTIATE_TEST_SUITE_P(SmallPages, RoundTripCases, testing::ValuesIn(kCases),
	[](const testing::TestParamInfo<Case>& info) {
		return std::string(info.param.name);
	});

}	// namespace
