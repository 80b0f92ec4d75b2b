#include "UnsupportedTAG.h"

#include <Message.h>

#include <cstring>

#include "Functions.h"
#include "Page.h"

UnsupportedTAG::UnsupportedTAG(WYSIWYG_Element* previous,
	WYSIWYG_Element* next, WYSIWYG_Engine* engine, BMessage* archive)
	:
	WYSIWYG_Element(previous, next, engine, 7),
	html(nullptr)
{
	const char* className = nullptr;
	if (archive != nullptr && archive->FindString("class", &className) == B_OK
		&& strcmp(className, "UnsupportedTAG") == 0) {
		const char* text = nullptr;
		if (archive->FindString("html", &text) == B_OK)
			html = newtext(text);
	}
	Do();
}

UnsupportedTAG::~UnsupportedTAG()
{
	delete[] html;
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
	return 0;
}

void
UnsupportedTAG::HTML()
{
	if (html == nullptr)
		return;
	if (Page* page = GetPage())
		page->InsertHTML(html, false, true);
}

void
UnsupportedTAG::Do()
{
	WYSIWYG_Element::Do();
}

void
UnsupportedTAG::Archive(BMessage* archive)
{
	if (archive == nullptr)
		return;
	archive->AddString("class", "UnsupportedTAG");
	if (html != nullptr)
		archive->AddString("html", html);
}
