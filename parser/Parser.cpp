/*
 * The tag table and the tokenizer: the HTML source view's text becomes the
 * page's element chain, one element per tag and one text element per text
 * run after BODY.
 */
#include "Parser.h"

#include <string.h>

#include <MenuBar.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <TextView.h>
#include <Window.h>

#include <string>

#include "Alerts.h"
#include "Config.h"
#include "Functions.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "Page.h"
#include "UnsupportedTAG.h"
#include "WWindow.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"


const char* Parser::tags[91] = {
	nullptr, nullptr,
	"A", "ADDRESS", "APPLET", "AREA", "B", "BASE", "BASEFONT", "BGSOUND",
	"BIG", "BLOCKQUOTE", "BODY", "BR", "CAPTION", "CENTER", "CITE", "CODE",
	"COL", "COLGROUP", "DD", "DFN", "DIR", "DIV", "DL", "DT", "EM", "EMBED",
	"FONT", "FORM", "FRAME", "FRAMESET", "H1", "H2", "H3", "H4", "H5", "H6",
	"HEAD", "HN", "HR", "HTML", "I", "IFRAME", "IMG", "INPUT", "ISINDEX",
	"KBD", "LAYER", "LI", "LINK", "LISTING", "MAP", "MENU", "META",
	"MULTICOL", "NOFRAMES", "OBJECT", "OL", "OPTION", "P", "PARAM",
	"PLAINTEXT", "PRE", "SAMP", "SCRIPT", "SELECT", "SMALL", "SPACER",
	"SPAN", "STRIKE", "STRONG", "STYLE", "SUB", "SUP", "TABLE", "TBODY",
	"TD", "TEXTAREA", "TFOOT", "TH", "THEAD", "TITLE", "TR", "TT", "TYPE",
	"U", "UL", "VAR", "XMP", "BOLD"
};


static const char* kNestedTagError
	= "Error: '<' character was found within the bounds of another HTML tag";
static const char* kStrayCloseError
	= "Error: found closing '>', but no opening for it";


int
Parser::Comp(const char* tagText)
{
	if (tagText == nullptr)
		return 0;
	// The name is the text before the first blank or tab. Names of 64 bytes
	// or more are longer than every entry and match nothing.
	size_t length = strcspn(tagText, " \t");
	if (length == 0 || length >= 64)
		return 0;
	char name[64];
	memcpy(name, tagText, length);
	name[length] = '\0';

	for (int id = 2; id < kTagCount; id++) {
		if (strcmpxcase(name, tags[id]))
			return id;
	}
	return 0;
}


static inline bool
IsSpace(char c)
{
	return c == '\t' || c == ' ' || c == '\n';
}


// Colour values are '#' and three pairs of hex digits; the pairs are read
// where they stand, without validation, and a short value gives 0 for the
// pairs it does not have (never reading past its end).
static int
ColorPair(const char* value, size_t offset)
{
	return offset + 2 <= strlen(value) ? hexitoa(value + offset) : 0;
}


static bool
ApplyColor(Page* page, WYSIWYG_Engine* engine, const char* name, long which,
	char* options)
{
	char* value = nullptr;
	engine->ReadTAGOption(name, &value, options);
	if (value == nullptr)
		return false;
	page->SetColors(which, ColorPair(value, 1), ColorPair(value, 3),
		ColorPair(value, 5), 255);
	delete[] value;
	return true;
}


static void
ReadBodyOptions(Page* page, WYSIWYG_Engine* engine, char* tagText)
{
	// The options start after "BODY" and one separator.
	char empty[1] = { '\0' };
	char* options = strlen(tagText) > 5 ? tagText + 5 : empty;

	ApplyColor(page, engine, "TEXT", 1, options);
	ApplyColor(page, engine, "LINK", 2, options);
	ApplyColor(page, engine, "BGCOLOR", 3, options);

	char* value = nullptr;
	engine->ReadTAGOption("BACKGROUND", &value, options);
	if (value == nullptr)
		return;
	// The page stores its background relative to the image directory.
	char* image = value;
	Config* config = Config::Current();
	if (config != nullptr && config->imageDirectory != nullptr
		&& strcmpxcase(config->imageDirectory, value))
		image += strlen(config->imageDirectory);
	page->SetBackground(image);
	delete[] value;
}


// Both syntax errors: the offending byte is shown selected in the HTML
// editor, then reported. Without the view's lock nothing is shown.
static void
ReportSyntaxError(Page* page, int32 position, const char* message)
{
	HWindow* window = page->htmlWindow;
	if (window == nullptr || window->htmlView == nullptr)
		return;
	HTML_View* view = window->htmlView;
	if (!view->LockLooper())
		return;
	if (window->IsHidden())
		window->Show();
	view->Select(position, position + 1);
	view->ScrollToSelection();
	view->UnlockLooper();
	error(message);
}


// Disables or enables both windows' menus around the parse and hides the
// page view meanwhile; only when both menu bars can be locked.
static bool
SetMenusAndView(Page* page, WYSIWYG_Engine* engine, bool parsing)
{
	BMenuBar* visualBar = page->visualWindow->menuBar;
	BMenuBar* htmlBar = page->htmlWindow != nullptr
		? page->htmlWindow->menuBar : nullptr;
	if (visualBar == nullptr || htmlBar == nullptr)
		return false;
	if (!visualBar->LockLooper())
		return false;
	if (!htmlBar->LockLooper()) {
		visualBar->UnlockLooper();
		return false;
	}
	visualBar->SetEnabled(!parsing);
	visualBar->Invalidate();
	htmlBar->SetEnabled(!parsing);
	htmlBar->Invalidate();
	if (parsing) {
		engine->view->Hide();
		BScrollBar* bar = engine->scrollView != nullptr
			? engine->scrollView->ScrollBar(B_VERTICAL) : nullptr;
		if (bar != nullptr)
			bar->SetRange(0, 0);
	} else
		engine->view->Show();
	htmlBar->UnlockLooper();
	visualBar->UnlockLooper();
	return true;
}


// What the tokenizer does with one finished tag text.
static void
HandleTag(Page* page, WYSIWYG_Engine* engine, std::string& tag,
	const std::string& source, size_t& position, bool& bodySeen,
	WYSIWYG_Element*& previous)
{
	char* text = &tag[0];

	if (strcmpxcase("TITLE", text)) {
		// The title runs to the next '<' with its line feeds left out;
		// scanning goes on after the '>' that follows it.
		size_t start = position + 1;
		size_t end = source.find('<', start);
		if (end == std::string::npos)
			end = source.size();
		std::string title;
		title.reserve(end - start);
		for (size_t i = start; i < end; i++) {
			if (source[i] != '\n')
				title += source[i];
		}
		delete[] page->title;
		page->title = newtext(title.c_str());
		page->SetTitle();
		size_t close = source.find('>', end);
		position = close == std::string::npos ? source.size() : close;
		return;
	}

	if (strcmpxcase("BODY", text)) {
		bodySeen = true;
		ReadBodyOptions(page, engine, text);
		return;
	}

	static const char* kDropped[] = { "META NAME=\"Author\"",
		"META NAME=\"Generator\"", "!DOCTYPE", "HTML", "/HTML", "HEAD", "/HEAD",
		"BODY", "/BODY" };
	for (const char* dropped : kDropped) {
		if (strcmpxcase(dropped, text))
			return;
	}

	WYSIWYG_Element* element = Parser::Constructor(previous, text, page);
	if (element == nullptr)
		return;
	previous->SetNext(element);
	char* options = strpbrk(text, " \t");
	if (options != nullptr && dynamic_cast<UnsupportedTAG*>(element) == nullptr)
		element->Read(options + 1);
	previous = element;
}


void
Parser::Parse(Page* page)
{
	if (page == nullptr || page->visualWindow == nullptr
		|| page->visualWindow->engine == nullptr || page->htmlWindow == nullptr
		|| page->htmlWindow->htmlView == nullptr)
		return;
	WYSIWYG_Engine* engine = page->visualWindow->engine;
	HTML_View* htmlView = page->htmlWindow->htmlView;

	bool hidden = SetMenusAndView(page, engine, true);

	// Work on a copy of the source: the alerts below run the event loop, and
	// whatever happens to the view meanwhile cannot pull the text away from
	// under the tokenizer.
	std::string source;
	if (htmlView->LockLooper()) {
		source.assign(htmlView->Text(), htmlView->TextLength());
		htmlView->UnlockLooper();
	}

	// Text insertions skip their own layout meanwhile: the whole chain is
	// laid out once at the end.
	engine->BeginLoading();
	WYSIWYG_Element* previous = engine->FirstElement();
	// Text runs and tag texts of any length: the buffer grows.
	std::string buffer;
	bool inTag = false;
	bool bodySeen = false;

	size_t position = 0;
	while (position < source.size()) {
		char c = source[position];
		if (IsSpace(c)) {
			if (c != '\n' || bodySeen || inTag)
				buffer += ' ';
			while (position < source.size() && IsSpace(source[position]))
				position++;
			continue;
		}

		if (c == '<' && inTag) {
			ReportSyntaxError(page, (int32)position, kNestedTagError);
			buffer += c;
		} else if (c == '<') {
			if (bodySeen) {
				WYSIWYG_Element* text = engine->InsertAt(previous, 1, nullptr);
				if (text != nullptr) {
					text->Read(&buffer[0]);
					previous = text;
				}
			}
			buffer.clear();
			inTag = true;
		} else if (c == '>' && inTag) {
			inTag = false;
			HandleTag(page, engine, buffer, source, position, bodySeen,
				previous);
			buffer.clear();
		} else if (c == '>') {
			ReportSyntaxError(page, (int32)position, kStrayCloseError);
			buffer += c;
		} else
			buffer += c;
		position++;
	}
	// Text after the last tag does not become an element.
	engine->EndLoading();

	WYSIWYG_Element* first = engine->FirstElement();
	BView* firstView = first != nullptr ? first->View() : nullptr;
	if (firstView != nullptr && firstView->Window() != nullptr
		&& firstView->Window()->Lock()) {
		engine->view->ScrollTo(0, 1);
		firstView->Window()->Unlock();
	}
	for (WYSIWYG_Element* element = first; element != nullptr;
			element = element->Next())
		element->dontJoin = false;
	engine->Do(nullptr);
	engine->Place(nullptr, false);

	if (hidden)
		SetMenusAndView(page, engine, false);
	engine->ResetScrollRange();
}
