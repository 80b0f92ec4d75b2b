/*
 * The page as an HTML document: the editor's fixed head, the BODY line from
 * the page's colours and background, every element's own HTML in chain
 * order, and the closing tags. The parser reads exactly this head back
 * without making elements of it.
 */
#include "Page.h"

#include <DataIO.h>
#include <GraphicsDefs.h>

#include <string.h>

#include <string>

#include "Config.h"
#include "Functions.h"
#include "WWindow.h"
#include "WYSIWYG_Engine.h"


// One colour option of the BODY line: the colour's digits, or the value
// the page had for it when that could not be read as a colour.
static void
append_color(std::string& line, const char* option, const rgb_color* color,
	const char* asRead)
{
	line += option;
	line += '=';
	if (asRead != nullptr) {
		appendquoted(line, asRead);
		return;
	}
	char digits[3];
	line += "\"#";
	line += itoahex(color->red, digits);
	line += itoahex(color->green, digits);
	line += itoahex(color->blue, digits);
	line += "\"";
}


void
Page::GenerateHTML()
{
	delete htmlBuffer;
	htmlBuffer = new BMallocIO();
	// Pages are written in large pieces; fewer, larger allocations.
	htmlBuffer->SetBlockSize(64 * 1024);

	Config* config = Config::Current();
	const char* userName = config != nullptr ? config->userName : nullptr;
	const char* imageDirectory
		= config != nullptr ? config->imageDirectory : nullptr;

	InsertHTML("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Final//EN\">",
		false, true);
	InsertHTML("<HTML>", false, true);
	InsertHTML("<HEAD>", false, true);

	// The lines below are built whole, however long the title, the author
	// or the background path is.
	std::string line = "<TITLE>";
	if (title != nullptr)
		line += title;
	line += "</TITLE>";
	InsertHTML(line.c_str(), false, true);

	line = "<META NAME=\"Author\" CONTENT=";
	appendquoted(line, userName);
	line += ">";
	InsertHTML(line.c_str(), false, true);

	InsertHTML("<META NAME=\"Generator\" CONTENT=\"Brindel Quillora\">", false,
		true);
	// The page's own head tags, in their order, after the editor's.
	if (!head.empty())
		InsertHTML(head.c_str(), false, false);
	InsertHTML("</HEAD>", false, true);

	line = "<BODY ";
	append_color(line, "TEXT", textColor, colorValues[0]);
	line += " ";
	append_color(line, "BGCOLOR", backgroundColor, colorValues[2]);
	line += " ";
	append_color(line, "LINK", linkColor, colorValues[1]);
	line += " VLINK=";
	appendquoted(line,
		visitedLinkColor != nullptr ? visitedLinkColor : "#800080");
	if (background != nullptr) {
		std::string path;
		if (imageDirectory != nullptr && backgroundInImageDirectory)
			path = imageDirectory;
		path += background;
		line += " BACKGROUND=";
		appendquoted(line, path.c_str());
	}
	if (bodyOptions != nullptr) {
		line += " ";
		line += bodyOptions;
	}
	line += ">";
	InsertHTML(line.c_str(), false, true);

	if (visualWindow != nullptr && visualWindow->engine != nullptr)
		visualWindow->engine->HTML();

	InsertHTML("</BODY>", false, true);
	InsertHTML("</HTML>", false, true);
}


void
Page::InsertHTML(const char* text, bool lineEndBefore, bool lineEndAfter)
{
	if (text == nullptr || htmlBuffer == nullptr)
		return;
	if (lineEndBefore) {
		// Where the output already ends a line, a further line end would
		// read back as a blank line of text; a blank that ends it is the
		// space the line end stands for (a text writes a line end of its
		// page in its place), so the document reads back the same.
		size_t length = htmlBuffer->BufferLength();
		const char* data = (const char*)htmlBuffer->Buffer();
		if (length > 0 && data[length - 1] == ' ') {
			// Shrinking may move the buffer: read it again afterwards.
			htmlBuffer->SetSize(length - 1);
			htmlBuffer->Seek(length - 1, SEEK_SET);
			length--;
			data = (const char*)htmlBuffer->Buffer();
		}
		if (length == 0 || data[length - 1] != '\n')
			htmlBuffer->Write("\r\n", 2);
	}
	// Kept texts (comments, scripts, tags over several lines) have the
	// editor's line feeds; the document has CR LF throughout.
	const char* start = text;
	while (const char* feed = strchr(start, '\n')) {
		if (feed > start && feed[-1] == '\r')
			htmlBuffer->Write(start, feed + 1 - start);
		else {
			htmlBuffer->Write(start, feed - start);
			htmlBuffer->Write("\r\n", 2);
		}
		start = feed + 1;
	}
	htmlBuffer->Write(start, strlen(start));
	if (lineEndAfter)
		htmlBuffer->Write("\r\n", 2);
}
