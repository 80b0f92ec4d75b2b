// Line breaks, paragraphs, rules and unsupported tags: what they keep and
// write back, their environments, their archives and their error reports.

#include "PageFixture.h"

#include <Message.h>

#include "EndLine.h"
#include "HorizontalLine.h"
#include "UnsupportedTAG.h"

using namespace quillora_test;
using EngineTest = PageFixture;

TEST_F(EngineTest, BreaksAndParagraphsWriteTheirTagsBack)
{
	// A line end follows a tag read from a page only where the page had one.
	Parse("<BODY>a<br CLEAR=left>b<br>\nc<P ALIGN=\"center\">d</p>\ne</BODY>");
	std::string html = HTMLOf(nullptr);
	EXPECT_EQ("a<BR CLEAR=left>b<BR>\r\nc<P ALIGN=\"center\">d<P>\r\ne",
		html) << Dump();

	EndLine br(1, nullptr, nullptr, Engine(), nullptr);
	EXPECT_FLOAT_EQ(0.01f, br.BreakBefore());
	EndLine p(2, nullptr, nullptr, Engine(), nullptr);
	EXPECT_FLOAT_EQ(13.0f, p.BreakBefore());
	p.SetType(1);
	p.Do();
	EXPECT_EQ(1, p.Type());
	EXPECT_FLOAT_EQ(0.01f, p.BreakBefore());
	EXPECT_EQ(0, fResponder.CountAlerts());
}

TEST_F(EngineTest, APreformattedLineEndLeftInFlowingTextIsWrittenAsABreak)
{
	// The block's own line feed while the block lasts; once the tag that
	// began the block is gone, the line break the window shows (a bare line
	// feed would read back as a blank).
	Parse("<BODY><PRE>a\nb</PRE>c</BODY>");
	EXPECT_EQ("<PRE>a\r\nb</PRE>c", HTMLOf(nullptr)) << Dump();
	UnsupportedTAG* pre = nullptr;
	for (WYSIWYG_Element* e = First(); e != nullptr && pre == nullptr;
			e = e->Next())
		pre = dynamic_cast<UnsupportedTAG*>(e);
	ASSERT_NE(nullptr, pre) << Dump();
	ASSERT_TRUE(Window()->Lock());
	Engine()->Delete(pre);
	Engine()->Do(nullptr);
	Window()->Unlock();
	EXPECT_EQ("a<BR>\r\nb</PRE>c", HTMLOf(nullptr)) << Dump();
}

TEST_F(EngineTest, EndLineOfUnknownTypeIsReported)
{
	EndLine odd(7, nullptr, nullptr, Engine(), nullptr);
	ASSERT_EQ(1, fResponder.CountAlerts());
	EXPECT_EQ("Internal error: EndLine - unknown type", fResponder.LastText());
	EXPECT_EQ(">\r\n", HTMLOf(&odd));
	EXPECT_EQ(2, fResponder.CountAlerts());
}

TEST_F(EngineTest, EndLineArchiveWinsOverTheTypeArgument)
{
	BMessage archive;
	archive.AddString("class", "EndLine");
	archive.AddInt32("type", 2);
	archive.AddString("unsupported", "ALIGN=right");
	EndLine rebuilt(1, nullptr, nullptr, Engine(), &archive);
	EXPECT_EQ(2, rebuilt.Type());
	EXPECT_EQ("<P ALIGN=right>\r\n", HTMLOf(&rebuilt));

	BMessage copy;
	rebuilt.Archive(&copy);
	EXPECT_STREQ("EndLine", copy.FindString("class"));
	EXPECT_EQ(2, copy.FindInt32("type"));
	EXPECT_STREQ("ALIGN=right", copy.FindString("unsupported"));

	// Another class name is not taken.
	BMessage other;
	other.AddString("class", "EndLines");
	other.AddInt32("type", 2);
	EndLine plain(1, nullptr, nullptr, Engine(), &other);
	EXPECT_EQ(1, plain.Type());
}

TEST_F(EngineTest, RulesKeepTheirOptions)
{
	Parse("<BODY>a<HR SIZE=4 NOSHADE>\nb</HR>c</BODY>");
	EXPECT_EQ("a<HR SIZE=4 NOSHADE>\r\nb<HR>c", HTMLOf(nullptr)) << Dump();

	BMessage archive;
	archive.AddString("class", "HorizontalLine");
	archive.AddString("unsupported", "WIDTH=\"50%\"");
	HorizontalLine rule(nullptr, nullptr, Engine(), &archive);
	EXPECT_EQ("<HR WIDTH=\"50%\">\r\n", HTMLOf(&rule));
	EXPECT_FLOAT_EQ(0, rule.y);
}

TEST_F(EngineTest, UnsupportedTagsComeBackByteForByte)
{
	const char* tags[] = {
		"<font Color=red size=\"+1\">", "</TABLE>", "<!-- a comment -->",
		"<td nowrap>", "<SCRIPT language=\"JavaScript\">", "<Tt/>",
	};
	std::string body = "<BODY>";
	std::string expected;
	for (const char* tag : tags) {
		body += std::string("x") + tag;
		expected += std::string("x") + tag;
	}
	body += "</BODY>";
	Parse(body);
	EXPECT_EQ(expected, HTMLOf(nullptr)) << Dump();

	UnsupportedTAG tag(nullptr, nullptr, Engine(), nullptr);
	EXPECT_EQ("", HTMLOf(&tag));
	tag.Read((char*)"/BLINK");
	tag.Read((char*)"MARQUEE  loop=2\tBehavior='x'");
	EXPECT_EQ("<MARQUEE  loop=2\tBehavior='x'>\r\n", HTMLOf(&tag));
	BMessage archive;
	tag.Archive(&archive);
	UnsupportedTAG copy(nullptr, nullptr, Engine(), &archive);
	EXPECT_STREQ("<MARQUEE  loop=2\tBehavior='x'>", copy.html);
}
