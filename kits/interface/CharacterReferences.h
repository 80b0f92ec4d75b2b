/*
 * Character references as HTML writes them after its "&": "name;",
 * "#digits;" or "#xhex;". Kit-private: a font that follows HTML's
 * conventions (BFont::SetReferenceMark()) shows its reference mark followed
 * by a well-formed reference as the character the reference stands for.
 *
 * Names are those of HTML (its whole current set, which includes every
 * name of HTML 4), matched with their case, as browsers match them. Numbers
 * are read as browsers read them: a number that names no character (0, a
 * surrogate, beyond U+10FFFF) is U+FFFD, and 128 to 159 are the characters
 * windows-1252 has at those bytes.
 */
#ifndef _QUILLORA_CHARACTER_REFERENCES_H
#define _QUILLORA_CHARACTER_REFERENCES_H

#include <SupportDefs.h>

namespace BPrivate {

struct NamedReference {
	const char* name;
	uint32 first;
	uint32 second;	// 0, or the combining character a few names add
};

extern const NamedReference kNamedReferences[];
extern const int32 kNamedReferenceCount;

// The longest reference taken, ";" included; a longer one (only numbers
// padded with zeros can be) is not read as a reference.
const int32 kMaxReferenceLength = 40;

// The length of the well-formed reference at text, up to and including its
// ";", or 0 when there is none; codes gets the one or two characters it
// stands for and count how many.
int32 parse_character_reference(const uint8* text, int32 length, uint32 codes[2],
	int32* count);

}	// namespace BPrivate

#endif	// _QUILLORA_CHARACTER_REFERENCES_H
