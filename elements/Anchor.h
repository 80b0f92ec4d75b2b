/*
 * Anchor: one end of an A tag, a link (HREF) and/or a link target (NAME).
 * Like a style change it shows nothing itself: its opening end gives the
 * elements after it the page's link colour, underlining and a pointer to
 * itself (a text offers the link's settings through it); its closing end
 * takes them away again.
 */
#ifndef QUILLORA_ANCHOR_H
#define QUILLORA_ANCHOR_H

#include "WYSIWYG_Element.h"

class Anchor : public WYSIWYG_Element {
public:
	Anchor(bool openTag, WYSIWYG_Element* previous, WYSIWYG_Element* next,
		WYSIWYG_Engine* engine, BMessage* archive);
	virtual ~Anchor();

	virtual int Read(char* options);
	virtual void HTML();
	virtual void Do();
	virtual void Archive(BMessage* archive);
	virtual void SetNext(WYSIWYG_Element* element);

	// The pop-up item of a linked text or picture that opens the link's
	// settings.
	static constexpr const char* kSettingsLabel
		= "HyperText link/target settings ...";

	bool OpenTAG() const { return openTag; }
	const char* LinkTo() const { return linkTo; }
	const char* Name() const { return name; }

	// Pairing queries (engine/Pairing.cpp): the partner is the nearest
	// anchor in the search direction with the other end.
	bool HasText();
	Anchor* FindOpeningClosing();

	// Fields, in this order. Only the opening end's values mean anything;
	// the tag settings window replaces linkTo and name directly.
	char* linkTo;				// owned, may be null or empty
	bool openTag;
	char* name;					// owned, may be null or empty
	char* unsupportedOptions;	// owned, may be null
};

#endif	// QUILLORA_ANCHOR_H
