/*
 * UnsupportedTAG: a tag the editor does not interpret, kept byte for byte
 * (including "<" and ">") and written back unchanged. A comment or a
 * processing instruction is one such tag, whatever it holds. SCRIPT and STYLE
 * keep their content (up to their closing tag, which is a tag of its own)
 * with them, unseen in the page.
 *
 * The tags that keep the layout of their text (PRE, LISTING, TEXTAREA, XMP,
 * PLAINTEXT) set the environment that makes the text up to their closing tag
 * preformatted, in the fixed font.
 */
#ifndef QUILLORA_UNSUPPORTEDTAG_H
#define QUILLORA_UNSUPPORTEDTAG_H

#include <stddef.h>

#include "WYSIWYG_Element.h"

class UnsupportedTAG : public WYSIWYG_Element {
public:
	UnsupportedTAG(WYSIWYG_Element* previous, WYSIWYG_Element* next,
		WYSIWYG_Engine* engine, BMessage* archive);
	virtual ~UnsupportedTAG();

	virtual int Read(char* tagText);
	virtual void HTML();
	virtual void Do();
	virtual void Archive(BMessage* archive);

	// The text that follows the tag in the page and belongs to it (a
	// script, a style sheet), kept as it is.
	void SetContent(const char* text, size_t length);

	// Signed id of the tag's name when it is exactly a name of the tag
	// table (negative for a closing tag), else 0.
	int32 Tag() const { return tag; }

	// Fields.
	char* html;		// owned, may be null
	char* content;	// owned, may be null
	int32 tag;
};

#endif	// QUILLORA_UNSUPPORTEDTAG_H
