#include "ChainDump.h"

#include <cxxabi.h>
#include <cstdio>
#include <cstdlib>
#include <typeinfo>

#include "Anchor.h"
#include "EndLine.h"
#include "HorizontalLine.h"
#include "List_Element.h"
#include "TextChange.h"
#include "UnsupportedTAG.h"
#include "WImage.h"
#include "WText.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_Engine.h"

std::string
ElementClassName(WYSIWYG_Element* element)
{
	if (element == nullptr)
		return "null";
	const char* mangled = typeid(*element).name();
	int status = 0;
	char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
	std::string name = status == 0 && demangled != nullptr ? demangled : mangled;
	free(demangled);
	return name;
}

std::string
QuoteText(const char* text)
{
	std::string out = "\"";
	if (text != nullptr) {
		for (const unsigned char* p = (const unsigned char*)text; *p != 0; p++) {
			switch (*p) {
				case '"': out += "\\\""; break;
				case '\\': out += "\\\\"; break;
				case '\n': out += "\\n"; break;
				case '\r': out += "\\r"; break;
				case '\t': out += "\\t"; break;
				default:
					if (*p < 0x20 || *p == 0x7F) {
						char buffer[8];
						snprintf(buffer, sizeof(buffer), "\\x%02x", *p);
						out += buffer;
					} else
						out += (char)*p;
			}
		}
	}
	out += "\"";
	return out;
}

namespace {

std::string
Number(float value)
{
	char buffer[64];
	snprintf(buffer, sizeof(buffer), "%g", (double)value);
	return buffer;
}

void
AddOptions(std::string& line, const char* options)
{
	if (options != nullptr)
		line += " options=" + QuoteText(options);
}

}	// namespace

std::string
DumpElement(WYSIWYG_Element* element, int index)
{
	std::string line = std::to_string(index) + " " + ElementClassName(element)
		+ " eol=" + std::to_string(element->EOLStatus());
	if (element->View() != nullptr) {
		BRect frame = element->WFrame();
		line += " frame=" + Number(frame.left) + "," + Number(frame.top) + ","
			+ Number(frame.right) + "," + Number(frame.bottom);
	}
	if (element->lineBreakAfter == kLineEndInSource)
		line += " nl";
	if (WText* text = dynamic_cast<WText*>(element)) {
		line += " text=" + QuoteText(text->Text());
		if (!text->leadingSpace.empty()) {
			line += text->leadingSpaceShown ? " lead=" : " before=";
			line += QuoteText(text->leadingSpace.c_str());
		}
		if (!text->trailingSpace.empty())
			line += " trail=" + QuoteText(text->trailingSpace.c_str());
	} else if (TextChange* change = dynamic_cast<TextChange*>(element)) {
		line += " type=" + std::to_string(change->Type());
		line += change->Type() > 0 ? " open" : " close";
		AddOptions(line, change->unsupportedOptions);
	} else if (EndLine* end = dynamic_cast<EndLine*>(element)) {
		line += " type=" + std::to_string(end->Type());
		AddOptions(line, end->unsupportedOptions);
	} else if (HorizontalLine* rule = dynamic_cast<HorizontalLine*>(element)) {
		AddOptions(line, rule->unsupportedOptions);
	} else if (WImage* image = dynamic_cast<WImage*>(element)) {
		if (image->source != nullptr)
			line += std::string(" src=") + (image->sourceInImageDirectory
				? "(image folder)" : "") + QuoteText(image->source);
		line += " align=" + std::to_string(image->VAlignment());
		if (image->bitmap == nullptr)
			line += " nopicture";
		const char* names[] = { " width=", " height=", " border=" };
		const char* values[] = { image->width, image->height, image->border };
		for (int i = 0; i < 3; i++) {
			if (values[i] != nullptr)
				line += names[i] + QuoteText(values[i]);
		}
		AddOptions(line, image->unsupportedOptions);
	} else if (Anchor* anchor = dynamic_cast<Anchor*>(element)) {
		line += anchor->OpenTAG() ? " open" : " close";
		if (anchor->linkTo != nullptr)
			line += " href=" + QuoteText(anchor->linkTo);
		if (anchor->name != nullptr)
			line += " name=" + QuoteText(anchor->name);
		AddOptions(line, anchor->unsupportedOptions);
	} else if (List* list = dynamic_cast<List*>(element)) {
		line += " type=" + std::to_string(list->Type());
		line += list->OpenClose() ? " open" : " close";
		line += " level=" + std::to_string(list->Level());
		AddOptions(line, list->unsupportedOptions);
	} else if (List_Element* item = dynamic_cast<List_Element*>(element)) {
		line += " item=" + std::to_string(item->ItemType());
		if (item->Number() > 0)
			line += " number=" + std::to_string(item->Number());
		line += " margin=" + Number(item->environment->leftMarginAfter);
		AddOptions(line, item->unsupportedOptions);
	} else if (UnsupportedTAG* tag = dynamic_cast<UnsupportedTAG*>(element)) {
		line += " html=" + QuoteText(tag->html);
		if (tag->content != nullptr)
			line += " content=" + QuoteText(tag->content);
	}
	return line;
}

std::string
DumpChain(WYSIWYG_Element* first)
{
	std::string out;
	int index = 0;
	for (WYSIWYG_Element* element = first; element != nullptr;
			element = element->Next())
		out += DumpElement(element, index++) + "\n";
	return out;
}

std::string
DumpChain(WYSIWYG_Engine* engine)
{
	return engine != nullptr ? DumpChain(engine->FirstElement()) : std::string();
}
