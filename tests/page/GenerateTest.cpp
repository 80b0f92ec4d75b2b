/*
 * The generated document: its head and BODY line, and the round trip from a
 * page file to the chain to the document and back.
 */
#include "ProgramFixture.h"

#include <DataIO.h>
#include <GraphicsDefs.h>

#include "ChainDump.h"
#include "WYSIWYG_Engine.h"

using namespace quillora_test;

namespace {

class GenerateTest : public ProgramTest {
protected:
	std::string Generate() { return GeneratedDocument(CurrentPage()); }

	std::string Dump()
	{
		return DumpChain(CurrentPage()->visualWindow->engine);
	}
};


struct PageState {
	std::string title;
	std::string background;
	rgb_color text;
	rgb_color link;
	rgb_color back;
	std::string chain;
};


PageState
StateOf(Page* page)
{
	PageState state;
	// A page without a title and one with an empty title read the same.
	state.title = page->title != nullptr ? page->title : "";
	state.background = page->background != nullptr ? page->background
		: "(none)";
	state.text = *page->textColor;
	state.link = *page->linkColor;
	state.back = *page->backgroundColor;
	state.chain = DumpChain(page->visualWindow->engine);
	return state;
}


// The chain without frames and with the blanks at the ends of texts taken
// off: what stays when line ends of the document turn into blanks.
std::string
Shape(const std::string& chain)
{
	std::istringstream lines(chain);
	std::string line;
	std::string shape;
	while (std::getline(lines, line)) {
		size_t frame = line.find(" frame=");
		if (frame != std::string::npos)
			line.erase(frame, line.find(' ', frame + 1) - frame);
		size_t text = line.find("text=\"");
		if (text != std::string::npos) {
			std::string value = line.substr(text + 6);
			value.erase(value.size() - 1);
			size_t first = value.find_first_not_of(' ');
			size_t last = value.find_last_not_of(' ');
			value = first == std::string::npos ? ""
				: value.substr(first, last - first + 1);
			line = line.substr(0, text) + "text=\"" + value + "\"";
		}
		// eol marks depend on where lines break, which blanks move.
		size_t eol = line.find(" eol=");
		if (eol != std::string::npos)
			line.erase(eol, 6);
		// Empty texts come and go with the tags around them: the head's
		// STYLE pair is read back from the body, where the line end
		// between its tags makes one more. Positions in the chain shift
		// with them, so they are left out as well.
		line.erase(0, line.find(' ') + 1);
		if (line == "WText text=\"\"")
			continue;
		shape += line + "\n";
	}
	return shape;
}

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


class RoundTripTest : public GenerateTest,
	public testing::WithParamInterface<const char*> {
};


TEST_P(RoundTripTest, GeneratedDocumentReadsBackTheSame)
{
	std::string source = std::string(QUILLORA_TEST_DATA "/pages/") + GetParam();
	// The page lives in this test's folder with its images.
	std::string page = fDirectory + "/" + GetParam();
	WriteFile(page, ReadFile(source));
	CopySamplePictures(fDirectory);

	Open(page);
	PageState original = StateOf(CurrentPage());
	std::string first = Generate();
	EXPECT_EQ(Generate(), first);
	// Generation neither edits nor saves anything.
	EXPECT_TRUE(CurrentPage()->IsSaved());
	EXPECT_EQ(ReadFile(page), ReadFile(source));

	// Read back: the same page. The line ends the elements write become
	// blanks at the edges of texts, so the texts are compared without them.
	std::string generatedPath = fDirectory + "/generated.html";
	WriteFile(generatedPath, first);
	Open(generatedPath);
	PageState again = StateOf(CurrentPage());
	EXPECT_EQ(again.title, original.title);
	EXPECT_EQ(again.background, original.background);
	EXPECT_EQ(again.text, original.text);
	EXPECT_EQ(again.link, original.link);
	EXPECT_EQ(again.back, original.back);
	EXPECT_EQ(Shape(again.chain), Shape(original.chain));

	// From there on the document and its chain stay as they are, save after
	// save.
	std::string second = Generate();
	WriteFile(generatedPath, second);
	Open(generatedPath);
	EXPECT_EQ(Generate(), second);
	EXPECT_EQ(StateOf(CurrentPage()).chain, again.chain);
	EXPECT_EQ(fAlerts.CountAlerts(), 0) << fAlerts.LastText();
}


INSTANTIATE_TEST_SUITE_P(SamplePages, RoundTripTest,
	testing::Values("road.html", "styled.html", "lowercase.html"));
