#include "Environment.h"

#include <GraphicsDefs.h>

#include "Page.h"
#include "WYSIWYG_Element.h"

Environment::Environment(WYSIWYG_Element* owner)
	:
	fontType(1),
	italic(false),
	underlined(false),
	font(nullptr),
	color(nullptr),
	leftMargin(0),
	rightMargin(0),
	breakBefore(0),
	breakAfter(0),
	hAlignment(0),
	vAlignment(7),
	currentAnchor(nullptr),
	currentList(nullptr),
	owner(owner),
	openCenter(nullptr),
	preformatted(kFlowingText),
	leftMarginAfter(-1),
	references(1)
{
	Page* page = owner != nullptr ? owner->GetPage() : nullptr;
	if (page != nullptr) {
		font = page->plainFont;
		color = page->textColor;
	}
}

bool
Environment::operator==(const Environment& other) const
{
	if (font != other.font)
		return false;
	if (color != other.color) {
		if (color == nullptr || other.color == nullptr)
			return false;
		if (color->red != other.color->red || color->green != other.color->green
			|| color->blue != other.color->blue
			|| color->alpha != other.color->alpha)
			return false;
	}
	return underlined == other.underlined
		&& leftMargin == other.leftMargin
		&& rightMargin == other.rightMargin
		&& breakBefore == other.breakBefore
		&& breakAfter == other.breakAfter
		&& currentList == other.currentList
		&& hAlignment == other.hAlignment
		&& vAlignment == other.vAlignment
		&& currentAnchor == other.currentAnchor;
}

bool
Environment::SameAs(const Environment& other) const
{
	return fontType == other.fontType && italic == other.italic
		&& underlined == other.underlined && font == other.font
		&& color == other.color && leftMargin == other.leftMargin
		&& rightMargin == other.rightMargin
		&& breakBefore == other.breakBefore
		&& breakAfter == other.breakAfter
		&& hAlignment == other.hAlignment && vAlignment == other.vAlignment
		&& currentAnchor == other.currentAnchor
		&& currentList == other.currentList
		&& openCenter == other.openCenter
		&& preformatted == other.preformatted
		&& leftMarginAfter == other.leftMarginAfter;
}
