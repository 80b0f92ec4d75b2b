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


static void
append_color(std::string& line, const rgb_color* color)
{
	char digits[3];
	line += itoahex(color->red, digits);
	line += itoahex(color->green, digits);
	line += itoahex(color->blue, digits);
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

	line = "<META NAME=\"Author\" CONTENT=\"";
	if (userName != nullptr)
		line += userName;
	line += "\">";
	InsertHTML(line.c_str(), false, true);

	InsertHTML("<META NAME=\"Generator\" CONTENT=\"Brindel Quillora\">", false,
		true);
	InsertHTML("</HEAD>", false, true);

	line = "<BODY TEXT=\"#";
	append_color(line, textColor);
	line += "\" BGCOLOR=\"#";
	append_color(line, backgroundColor);
	line += "\" LINK=\"#";
	append_color(line, linkColor);
	line += "\" VLINK=\"#800080\"";
	if (background != nullptr) {
		line += " BACKGROUND=\"";
		if (imageDirectory != nullptr)
			line += imageDirectory;
		line += background;
		line += "\"";
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
	if (lineEndBefore)
		htmlBuffer->Write("\r\n", 2);
	htmlBuffer->Write(text, strlen(text));
	if (lineEndAfter)
		htmlBuffer->Write("\r\n", 2);
}
