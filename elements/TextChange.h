/*
 * TextChange: one end of a paired style tag (B, I, H1, CENTER, U ...). It
 * shows nothing; it changes the environment the following elements inherit
 * until its closing end puts it back.
 */
#ifndef QUILLORA_TEXTCHANGE_H
#define QUILLORA_TEXTCHANGE_H

#include "WYSIWYG_Element.h"

class TextChange : public WYSIWYG_Element {
public:
	TextChange(long type, WYSIWYG_Element* previous, WYSIWYG_Element* next,
		WYSIWYG_Engine* engine, BMessage* archive);
	virtual ~TextChange();

	virtual int Read(char* options);
	virtual void HTML();
	virtual void Do();
	virtual void Archive(BMessage* archive);
	virtual void SetNext(WYSIWYG_Element* element);

	long Type() const { return type; }
	// CENTER, BLOCKQUOTE and the headings: they begin or end lines.
	bool IsBlock() const;

	// Pairing queries.
	bool HasText();
	TextChange* FindOpeningClosing();

	// Fields.
	int32 type;					// signed tag id: > 0 opening, < 0 closing
	char* unsupportedOptions;	// owned, may be null

private:
	void _ApplyType();
};

#endif	// QUILLORA_TEXTCHANGE_H
