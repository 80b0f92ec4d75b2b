// Chain descriptions for the tests (see ChainText.h).
#include "ChainText.h"

#include <string.h>

#include <cstdio>
#include <sstream>

#include "Anchor.h"
#include "EndLine.h"
#include "HorizontalLine.h"
#include "List_Element.h"
#include "TextChange.h"
#include "UnsupportedTAG.h"
#include "WImage.h"
#include "WText.h"
#include "WYSIWYG_Element.h"

namespace quillora_test {

std::string
DiffLines(const std::string& expected, const std::string& found)
{
	std::istringstream left(expected), right(found);
	std::string l, r, out;
	int shown = 0;
	while (shown < 6) {
		bool hasLeft = (bool)std::getline(left, l);
		bool hasRight = (bool)std::getline(right, r);
		if (!hasLeft && !hasRight)
			break;
		if (!hasLeft)
			l = "(none)";
		if (!hasRight)
			r = "(none)";
		if (l != r) {
			out += "- " + l + "\n+ " + r + "\n";
			shown++;
		}
	}
	return out;
}


std::string
FlowOf(const std::string& dump)
{
	std::istringstream in(dump);
	std::string line, out;
	while (std::getline(in, line)) {
		size_t frame = line.find(" frame=");
		if (frame != std::string::npos) {
			size_t end = line.find(' ', frame + 1);
			std::string numbers = line.substr(frame + 7,
				(end == std::string::npos ? line.size() : end) - frame - 7);
			float l, t, r, b;
			if (sscanf(numbers.c_str(), "%g,%g,%g,%g", &l, &t, &r, &b) == 4) {
				line.replace(frame, numbers.size() + 7, " x="
					+ std::to_string((int)l) + ".." + std::to_string((int)r)
					+ " h=" + std::to_string((int)(b - t)));
			}
		}
		out += line + "\n";
	}
	return out;
}


std::string
Describe(WYSIWYG_Element* element)
{
	if (WText* text = dynamic_cast<WText*>(element))
		return "T'" + std::string(text->Text()) + "'";
	if (TextChange* change = dynamic_cast<TextChange*>(element))
		return "C" + std::to_string(change->type);
	if (EndLine* end = dynamic_cast<EndLine*>(element))
		return "E" + std::to_string(end->type);
	if (dynamic_cast<HorizontalLine*>(element) != nullptr)
		return "HR";
	if (WImage* image = dynamic_cast<WImage*>(element))
		return "I" + std::string(image->source != nullptr ? image->source : "");
	if (Anchor* anchor = dynamic_cast<Anchor*>(element))
		return anchor->OpenTAG() ? "A+" : "A-";
	if (List* list = dynamic_cast<List*>(element))
		return "L" + std::to_string(list->Type()) + (list->OpenClose() ? "+" : "-");
	if (List_Element* item = dynamic_cast<List_Element*>(element))
		return "LI" + std::to_string(item->ItemType());
	if (UnsupportedTAG* tag = dynamic_cast<UnsupportedTAG*>(element))
		return "U" + std::string(tag->html != nullptr ? tag->html : "(null)");
	return "?";
}


std::string
AlertLines(const std::vector<std::string>& alerts, const std::string& folder,
	const char* name)
{
	std::string lines;
	for (std::string text : alerts) {
		for (size_t at = text.find(folder); at != std::string::npos;
				at = text.find(folder, at + strlen(name)))
			text.replace(at, folder.size(), name);
		for (size_t at = text.find('\n'); at != std::string::npos;
				at = text.find('\n', at + 2))
			text.replace(at, 1, "\\n");
		lines += text + "\n";
	}
	return lines;
}


std::vector<std::string>
DescribeChain(WYSIWYG_Element* first)
{
	std::vector<std::string> chain;
	bool lastWasText = false;
	for (WYSIWYG_Element* element = first; element != nullptr;
			element = element->Next()) {
		WText* text = dynamic_cast<WText*>(element);
		if (text != nullptr && lastWasText) {
			std::string& joined = chain.back();
			joined.insert(joined.size() - 1, text->Text());
		} else
			chain.push_back(Describe(element));
		lastWasText = text != nullptr;
	}
	return chain;
}

}	// namespace quillora_test
