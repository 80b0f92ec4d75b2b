/*
 * EndLine: a line break (BR, type 1), a paragraph (P, type 2) or a line end
 * of preformatted text (type 3: one line feed of a PRE block, written back
 * as a bare line end, no tag). It has no view; it ends the current line and
 * asks for space above the next one.
 */
#ifndef QUILLORA_ENDLINE_H
#define QUILLORA_ENDLINE_H

#include "WYSIWYG_Element.h"

// EndLine::type.
const int32 kBreakLine = 1;
const int32 kParagraphLine = 2;
const int32 kPreformattedLine = 3;

class EndLine : public WYSIWYG_Element {
public:
	EndLine(long type, WYSIWYG_Element* previous, WYSIWYG_Element* next,
		WYSIWYG_Engine* engine, BMessage* archive);
	virtual ~EndLine();

	virtual int Read(char* options);
	virtual void HTML();
	virtual void Do();
	virtual void Archive(BMessage* archive);

	void SetType(long value) { type = value; }
	long Type() const { return type; }

	// Fields.
	int32 type;					// 1 BR, 2 P, 3 line feed in PRE
	char* unsupportedOptions;	// owned, may be null
};

#endif	// QUILLORA_ENDLINE_H
