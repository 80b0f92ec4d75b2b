/*
 * The generated document: its head and BODY line, and the editor's own
 * output buffer. (What it generates for pages, and their round trips:
 * RoundTripCasesTest.)
 */
#include "ProgramFixture.h"

#include <DataIO.h>
#include <GraphicsDefs.h>

#include "WYSIWYG_Engine.h"

using namespace quillora_test;

namespace {

class GenerateTest : public ProgramTest {
protected:
	std::string Generate() { return GeneratedDocument(CurrentPage()); }
};

}	// namespace


TEST_F(GenerateTest, HeadAndBodyLines)
{
	OpenContent("<TITLE>Test</TITLE><BODY></BODY>");
	Config* config = Config::Current();
	char* oldUser = config->userName;
	config->userName = nullptr;

	std::string document = Generate();
	EXPECT_EQ(document.rfind(
		"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Final//EN\">\r\n"
		"<HTML>\r\n"
		"<HEAD>\r\n"
		"<TITLE>Test</TITLE>\r\n"
		"<META NAME=\"Author\" CONTENT=\"\">\r\n"
		"<META NAME=\"Generator\" CONTENT=\"Brindel Quillora\">\r\n"
		"</HEAD>\r\n"
		"<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\" "
			"VLINK=\"#800080\">\r\n", 0), 0u) << document;
	EXPECT_EQ(document.substr(document.size() - 18), "</BODY>\r\n</HTML>\r\n");

	// Generating again starts afresh and gives the same bytes.
	EXPECT_EQ(Generate(), document);

	// Colours as upper-case digits; author and background with the image
	// directory in front; a title far longer than any line buffer is
	// written whole.
	Page* page = CurrentPage();
	page->SetColors(1, 255, 0, 16, 255);
	page->SetColors(2, 1, 2, 3, 255);
	page->SetColors(3, 0xAB, 0xCD, 0xEF, 255);
	config->userName = newtext("Ann Example");
	char* oldImages = config->imageDirectory;
	config->imageDirectory = (char*)"/pictures/";
	page->background = newtext("tile.gif");
	std::string longTitle(3000, 'x');
	delete[] page->title;
	page->title = newtext(longTitle.c_str());

	document = Generate();
	EXPECT_NE(document.find("<TITLE>" + longTitle + "</TITLE>\r\n"),
		std::string::npos);
	EXPECT_NE(document.find("<META NAME=\"Author\" CONTENT=\"Ann Example\">"
		"\r\n"), std::string::npos);
	EXPECT_NE(document.find("<BODY TEXT=\"#FF0010\" BGCOLOR=\"#ABCDEF\" "
		"LINK=\"#010203\" VLINK=\"#800080\" BACKGROUND=\"/pictures/tile.gif\">"
		"\r\n"), std::string::npos) << document;

	delete[] config->userName;
	config->userName = oldUser;
	config->imageDirectory = oldImages;
	delete[] page->background;
	page->background = nullptr;

	// InsertHTML: a null text adds not even its line ends.
	page->htmlBuffer->SetSize(0);
	page->htmlBuffer->Seek(0, SEEK_SET);
	page->InsertHTML(nullptr, true, true);
	page->InsertHTML("x", true, true);
	EXPECT_EQ(std::string(page->HTMLBuffer(), page->HTMLBufferLength()),
		"\r\nx\r\n");
	// A line end before takes the place of the one blank that ends the
	// output, and none is added after a line end; lines within a text get
	// CR LF once.
	page->InsertHTML("one  ", false, false);
	page->InsertHTML("<LI>", true, false);
	page->InsertHTML("two ", false, false);
	page->InsertHTML("<LI>", true, false);
	page->InsertHTML("a\nb\r\n", false, false);
	page->InsertHTML("</UL>", true, true);
	EXPECT_EQ(std::string(page->HTMLBuffer(), page->HTMLBufferLength()),
		"\r\nx\r\none \r\n<LI>two\r\n<LI>a\r\nb\r\n</UL>\r\n");
}
