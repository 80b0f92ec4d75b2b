#include "EndLine.h"

#include <Message.h>

#include <cstring>
#include <string>

#include "Alerts.h"
#include "Functions.h"
#include "Page.h"
#include "WYSIWYG_Engine.h"

EndLine::EndLine(long type, WYSIWYG_Element* previous, WYSIWYG_Element* next,
	WYSIWYG_Engine* engine, BMessage* archive)
	:
	WYSIWYG_Element(previous, next, engine, 7),
	type(type),
	unsupportedOptions(nullptr)
{
	const char* className = nullptr;
	if (archive != nullptr && archive->FindString("class", &className) == B_OK
		&& strcmp(className, "EndLine") == 0) {
		int32 archivedType;
		if (archive->FindInt32("type", &archivedType) == B_OK)
			this->type = archivedType;
		const char* options = nullptr;
		if (archive->FindString("unsupported", &options) == B_OK)
			unsupportedOptions = newtext(options);
	}
	Do();
}

EndLine::~EndLine()
{
	delete[] unsupportedOptions;
}

int
EndLine::Read(char* options)
{
	WYSIWYG_Engine::ReadUnsupportedTAGOption(&unsupportedOptions, options);
	return 0;
}

void
EndLine::Do()
{
	WYSIWYG_Element::Do();
	Environment* environment = OwnEnvironment();
	if (type == kBreakLine || type == kPreformattedLine)
		environment->breakBefore = 0.01f;
	else if (type == kParagraphLine)
		environment->breakBefore = 13.0f;
	else
		error("Internal error: EndLine - unknown type");
}

void
EndLine::HTML()
{
	Page* page = GetPage();
	// A line broken in preformatted text that editing has since left in
	// flowing text (the tag that made it preformatted was taken away) is
	// written as the line break it shows: a bare line feed there would
	// read back as a blank.
	if (type == kPreformattedLine
		&& environment->preformatted != kFlowingText) {
		// The line feed of the source itself.
		if (page != nullptr)
			page->InsertHTML("", false, true);
		return;
	}
	std::string tag;
	if (type == kBreakLine || type == kPreformattedLine)
		tag = "<BR";
	else if (type == kParagraphLine)
		tag = "<P";
	else
		error("Internal error: EndLine - unknown type");
	if (unsupportedOptions != nullptr) {
		tag += " ";
		tag += unsupportedOptions;
	}
	tag += ">";
	if (page != nullptr)
		page->InsertHTML(tag.c_str(), false, LineEndAfter(true));
}

void
EndLine::Archive(BMessage* archive)
{
	if (archive == nullptr)
		return;
	archive->AddString("class", "EndLine");
	archive->AddInt32("type", type);
	if (unsupportedOptions != nullptr)
		archive->AddString("unsupported", unsupportedOptions);
}
