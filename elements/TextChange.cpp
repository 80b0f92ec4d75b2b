#include "TextChange.h"

#include <Message.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "Alerts.h"
#include "Functions.h"
#include "Page.h"
#include "Parser.h"
#include "WText.h"
#include "WYSIWYG_Engine.h"

namespace {

bool
IsBlockTag(int32 id)
{
	return id == 15 || id == 11 || (id >= 32 && id <= 37);
}

}	// namespace

TextChange::TextChange(long type, WYSIWYG_Element* previous,
	WYSIWYG_Element* next, WYSIWYG_Engine* engine, BMessage* archive)
	:
	WYSIWYG_Element(previous, next, engine, 7),
	type(type),
	unsupportedOptions(nullptr)
{
	const char* className = nullptr;
	if (archive != nullptr && archive->FindString("class", &className) == B_OK
		&& strcmp(className, "TextChange") == 0) {
		int32 archivedType;
		if (archive->FindInt32("type", &archivedType) == B_OK)
			this->type = archivedType;
		const char* options = nullptr;
		if (archive->FindString("unsupported", &options) == B_OK)
			unsupportedOptions = newtext(options);
	}
	Do();
}

TextChange::~TextChange()
{
	delete[] unsupportedOptions;
}

int
TextChange::Read(char* options)
{
	WYSIWYG_Engine::ReadUnsupportedTAGOption(&unsupportedOptions, options);
	return 0;
}

void
TextChange::HTML()
{
	int32 id = type < 0 ? -type : type;
	const char* name = id < Parser::kTagCount ? Parser::tags[id] : nullptr;
	std::string tag = type < 0 ? "</" : "<";
	if (name != nullptr)
		tag += name;
	if (unsupportedOptions != nullptr) {
		tag += " ";
		tag += unsupportedOptions;
	}
	tag += ">";
	Page* page = GetPage();
	if (page == nullptr)
		return;
	bool block = IsBlockTag(id);
	page->InsertHTML(tag.c_str(), LineEndBefore(block && type > 0),
		LineEndAfter(block && type < 0));
}

void
TextChange::Archive(BMessage* archive)
{
	if (archive == nullptr)
		return;
	archive->AddString("class", "TextChange");
	archive->AddInt32("type", type);
	if (unsupportedOptions != nullptr)
		archive->AddString("unsupported", unsupportedOptions);
}

void
TextChange::SetNext(WYSIWYG_Element* element)
{
	WYSIWYG_Element::SetNext(element);
	Do();
}

void
TextChange::Do()
{
	WYSIWYG_Element::Do();
	_ApplyType();
	if (next != nullptr && engine != nullptr)
		engine->Do(next);
}

void
TextChange::_ApplyType()
{
	Environment* env = OwnEnvironment();
	Page* page = GetPage();
	bool opening = type > 0;
	int32 id = opening ? type : -type;

	// Sets the font kind, with the font for the current italic flag; going
	// back to plain takes the italic or the plain font.
	auto setKind = [&](int32 kind) {
		env->fontType = kind;
		BFont* font = page != nullptr ? page->FontOfKind(kind, env->italic)
			: nullptr;
		if (font != nullptr)
			env->font = font;
	};

	switch (id) {
		case 42: case 26: case 88: case 16:
			env->italic = opening;
			if (BFont* font = page != nullptr
					? page->FontOfKind(env->fontType, env->italic) : nullptr)
				env->font = font;
			break;
		case 6: case 71:
			setKind(opening ? 2 : 1);
			break;
		case 17: case 64: case 84: case 47:
			setKind(opening ? 4 : 1);
			break;
		case 10:
			setKind(opening ? 11 : 1);
			break;
		case 67:
			setKind(opening ? 12 : 1);
			break;
		case 32: case 33: case 34: case 35: case 36: case 37:
			if (opening) {
				env->breakBefore = 13.0f;
				setKind(id - 27);
			} else {
				env->breakAfter = 10.0f;
				setKind(1);
			}
			break;
		case 15:
			if (opening) {
				env->breakBefore = 0.01f;
				env->hAlignment = 1;
				env->openCenter = this;
			} else {
				env->breakAfter = 0.01f;
				// Closing brings back what was in force before the opening
				// CENTER it closes (inner pairs closed before it do not
				// count), and the passage around that one is in force again.
				WYSIWYG_Element* opened = env->openCenter;
				WYSIWYG_Element* before = opened != nullptr
					? opened->previous : nullptr;
				env->hAlignment = before != nullptr
					? before->environment->hAlignment : 0;
				env->openCenter = before != nullptr
					? before->environment->openCenter : nullptr;
			}
			break;
		case 11:
			env->leftMargin = opening ? 45.0f : 0;
			env->rightMargin = opening ? 45.0f : 0;
			break;
		case 86:
			env->underlined = opening;
			break;
		case 21: case 70: case 73: case 74:
			break;
		default:
			error("Internal error: TextChange - unsupported type");
	}
}

bool
TextChange::IsBlock() const
{
	return IsBlockTag(type < 0 ? -type : type);
}
