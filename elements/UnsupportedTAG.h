/*
 * UnsupportedTAG: a tag the editor does not interpret, kept byte for byte
 * (including "<" and ">") and written back unchanged.
 */
#ifndef QUILLORA_UNSUPPORTEDTAG_H
#define QUILLORA_UNSUPPORTEDTAG_H

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

	// Field.
	char* html;		// owned, may be null
};

#endif	// QUILLORA_UNSUPPORTEDTAG_H
