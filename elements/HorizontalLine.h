/*
 * HorizontalLine: an HR tag. It has no view of its own; it paints a
 * three-line engraved rule straight onto the engine's main view, 13 pixels
 * below the top of the line it begins.
 */
#ifndef QUILLORA_HORIZONTALLINE_H
#define QUILLORA_HORIZONTALLINE_H

#include "WYSIWYG_Element.h"

#include <unordered_set>

class HorizontalLine : public WYSIWYG_Element {
public:
	HorizontalLine(WYSIWYG_Element* previous, WYSIWYG_Element* next,
		WYSIWYG_Engine* engine, BMessage* archive);
	virtual ~HorizontalLine();

	virtual int Read(char* options);
	virtual void HTML();
	virtual void Do();
	virtual void Archive(BMessage* archive);

	// y is a place on the page in the main view's coordinates (the line's
	// top + 13): the rule scrolls with the page.
	void Draw(float y);
	// Has the band of the rule last drawn drawn again.
	void Erase();

	// Every rule that exists, of any engine, in or out of a chain: the page
	// view draws the rules of an update from here, without walking the
	// whole chain to find them. (All loopers run on one thread, so the
	// set needs no lock.)
	static const std::unordered_set<HorizontalLine*>& AllRules();

	// Fields.
	float y;					// where the rule was last drawn (view coordinates)
	float lineTop;				// bounds top of the main view at that time
	char* unsupportedOptions;	// owned, may be null
};

#endif	// QUILLORA_HORIZONTALLINE_H
