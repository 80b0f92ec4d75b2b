#include "UnsupportedTAG.h"

#include <Message.h>

#include <cstring>
#include <string>

#include "Functions.h"
#include "Page.h"
#include "Parser.h"

namespace {

// How the text after a tag of this id is laid out, or -1 when the tag
// leaves it as it is.
int32
TextKind(int32 id)
{
	switch (id) {
		case kTagPRE:
		case kTagLISTING:
		case kTagTEXTAREA:
			return kPreformattedText;
		case kTagXMP:
		case kTagPLAINTEXT:
			return kRawText;
		default:
			return -1;
	}
}

}	// namespace

UnsupportedTAG::UnsupportedTAG(WYSIWYG_Element* previous,
	WYSIWYG_Element* next, WYSIWYG_Engine* engine, BMessage* archive)
	:
	WYSIWYG_Element(previous, next, engine, 7),
	html(nullptr),
	content(nullptr),
	tag(0)
{
	const char* className = nullptr;
	if (archive != nullptr && archive->FindString("class", &className) == B_OK
		&& strcmp(className, "UnsupportedTAG") == 0) {
		const char* text = nullptr;
		if (archive->FindString("html", &text) == B_OK) {
			html = newtext(text);
			if (strlen(html) >= 2) {
				std::string inner(html + 1, strlen(html) - 2);
				tag = Parser::ExactTag(inner.c_str());
			}
		}
		if (archive->FindString("content", &text) == B_OK)
			content = newtext(text);
	}
	Do();
}

UnsupportedTAG::~UnsupportedTAG()
{
	delete[] html;
	delete[] content;
}

int
UnsupportedTAG::Read(char* tagText)
{
	delete[] html;
	size_t length = tagText != nullptr ? strlen(tagText) : 0;
	html = new char[length + 3];
	html[0] = '<';
	if (length > 0)
		memcpy(html + 1, tagText, length);
	html[length + 1] = '>';
	html[length + 2] = '\0';
	tag = tagText != nullptr ? Parser::ExactTag(tagText) : 0;
	Do();
	return 0;
}

void
UnsupportedTAG::SetContent(const char* text, size_t length)
{
	delete[] content;
	content = nullptr;
	if (text == nullptr || length == 0)
		return;
	content = new char[length + 1];
	memcpy(content, text, length);
	content[length] = '\0';
}

void
UnsupportedTAG::HTML()
{
	if (html == nullptr)
		return;
	Page* page = GetPage();
	if (page == nullptr)
		return;
	if (content == nullptr) {
		page->InsertHTML(html, false, LineEndAfter(true));
		return;
	}
	page->InsertHTML(html, false, false);
	page->InsertHTML(content, false, LineEndAfter(true));
}

void
UnsupportedTAG::Do()
{
	WYSIWYG_Element::Do();
	int32 kind = TextKind(tag < 0 ? -tag : tag);
	if (kind < 0)
		return;
	Environment* environment = OwnEnvironment();
	Page* page = GetPage();
	// The text of the block has lines of its own, in the fixed font; as
	// the closing TT does, the closing tag goes back to the plain font.
	int32 fontType = tag > 0 ? 4 : 1;
	environment->preformatted = tag > 0 ? kind : kFlowingText;
	if (tag > 0)
		environment->breakBefore = 0.01f;
	else
		environment->breakAfter = 0.01f;
	environment->fontType = fontType;
	BFont* font = page != nullptr
		? page->FontOfKind(fontType, environment->italic) : nullptr;
	if (font != nullptr)
		environment->font = font;
}

void
UnsupportedTAG::Archive(BMessage* archive)
{
	if (archive == nullptr)
		return;
	archive->AddString("class", "UnsupportedTAG");
	if (html != nullptr)
		archive->AddString("html", html);
	if (content != nullptr)
		archive->AddString("content", content);
}
