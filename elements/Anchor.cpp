#include "Anchor.h"

#include <Message.h>

#include <cstring>
#include <string>

#include "Functions.h"
#include "Page.h"
#include "WYSIWYG_Engine.h"

namespace {

// " NAME=\"value\"", with the double quotes inside the value as "&quot;"
// (a quote typed in the settings window would end the value early).
void
AppendOption(std::string& tag, const char* option, const char* value)
{
	if (value == nullptr || value[0] == '\0')
		return;
	tag += " ";
	tag += option;
	tag += '=';
	appendquoted(tag, value);
}

}	// namespace

Anchor::Anchor(bool openTag, WYSIWYG_Element* previous, WYSIWYG_Element* next,
	WYSIWYG_Engine* engine, BMessage* archive)
	:
	WYSIWYG_Element(previous, next, engine, 7),
	linkTo(nullptr),
	openTag(openTag),
	name(nullptr),
	unsupportedOptions(nullptr)
{
	const char* className = nullptr;
	if (archive != nullptr && archive->FindString("class", &className) == B_OK
		&& strcmp(className, "Anchor") == 0) {
		bool archivedOpen;
		if (archive->FindBool("opentag", &archivedOpen) == B_OK)
			this->openTag = archivedOpen;
		const char* text = nullptr;
		if (archive->FindString("linkto", &text) == B_OK)
			linkTo = newtext(text);
		if (archive->FindString("name", &text) == B_OK)
			name = newtext(text);
		if (archive->FindString("unsupported", &text) == B_OK)
			unsupportedOptions = newtext(text);
	}
	Do();
}

Anchor::~Anchor()
{
	delete[] linkTo;
	delete[] name;
	delete[] unsupportedOptions;
}

int
Anchor::Read(char* options)
{
	WYSIWYG_Engine::ReadTAGOption("HREF", &linkTo, options);
	WYSIWYG_Engine::ReadTAGOption("NAME", &name, options);
	// With the '=': HREFLANG is no HREF.
	WYSIWYG_Engine::ReadUnsupportedTAGOption(&unsupportedOptions, options,
		"HREF=", "NAME=");
	return 0;
}

void
Anchor::HTML()
{
	Page* page = GetPage();
	if (page == nullptr)
		return;
	if (!openTag) {
		page->InsertHTML("</A>", false, LineEndAfter(false));
		return;
	}
	std::string tag = "<A";
	AppendOption(tag, "HREF", linkTo);
	AppendOption(tag, "NAME", name);
	if (unsupportedOptions != nullptr) {
		tag += " ";
		tag += unsupportedOptions;
	}
	tag += ">";
	page->InsertHTML(tag.c_str(), false, LineEndAfter(false));
}

void
Anchor::Do()
{
	WYSIWYG_Element::Do();
	Environment* environment = OwnEnvironment();
	Page* page = GetPage();
	if (openTag) {
		if (page != nullptr)
			environment->color = page->linkColor;
		environment->underlined = true;
		environment->currentAnchor = this;
	} else {
		if (page != nullptr)
			environment->color = page->textColor;
		environment->underlined = false;
		environment->currentAnchor = nullptr;
	}
	if (next != nullptr && engine != nullptr)
		engine->Do(next);
}

void
Anchor::Archive(BMessage* archive)
{
	if (archive == nullptr)
		return;
	archive->AddString("class", "Anchor");
	archive->AddBool("opentag", openTag);
	if (linkTo != nullptr)
		archive->AddString("linkto", linkTo);
	if (name != nullptr)
		archive->AddString("name", name);
	if (unsupportedOptions != nullptr)
		archive->AddString("unsupported", unsupportedOptions);
}

void
Anchor::SetNext(WYSIWYG_Element* element)
{
	WYSIWYG_Element::SetNext(element);
	Do();
}
