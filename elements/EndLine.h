/*
 * EndLine: a line break (BR, type 1) or a paragraph (P, type 2). It has no
 * view; it ends the current line and asks for space above the next one.
 */
#ifndef QUILLORA_ENDLINE_H
#define QUILLORA_ENDLINE_H

#include "WYSIWYG_Element.h"

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
	int32 type;					// 1 BR, 2 P
	char* unsupportedOptions;	// owned, may be null
};

#endif	// QUILLORA_ENDLINE_H
