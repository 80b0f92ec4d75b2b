/*
 * How one font shows the bytes of its encoding: which bytes make one
 * character, which Unicode characters that character shows, and how wide
 * it is. Kit-private and Qt-free; BFont, BView::DrawString() and BTextView
 * all measure and draw through it, so they always agree.
 *
 * A byte that is always a whole character has its width in a table of the
 * 256 byte values, so text of a single-byte encoding (and ASCII in any
 * encoding) costs one look-up per byte, as it did when all text was
 * Latin-1. A byte that may begin a longer character (a lead byte of a
 * multibyte encoding, the reference mark) is marked in the table with
 * kLongerCharacter, and its character is cut out and measured whole.
 *
 * With a reference mark (BFont::SetReferenceMark()), the mark followed by a
 * well-formed character reference is one character showing the character
 * the reference stands for; the mark alone shows "&". With a no-break space
 * byte, that byte shows U+00A0. Both must be bytes that stand alone in every
 * encoding (control bytes do).
 */
#ifndef _QUILLORA_FONT_CHARACTERS_H
#define _QUILLORA_FONT_CHARACTERS_H

#include <SupportDefs.h>

#include <string>
#include <vector>

namespace BPrivate {

struct HostFont;
class TextEncoding;

constexpr float kLongerCharacter = -1.0f;
// The most bytes one character can take (a padded reference after its mark).
const int32 kMaxCharacterLength = 41;

// Whether a Unicode character is drawn; control characters are not, and
// take no room.
inline bool
is_shown_character(uint32 code)
{
	return code >= 0x20 && !(code >= 0x7f && code < 0xa0);
}

struct FontCharacters {
	const HostFont* host;
	const TextEncoding* encoding;
	uint8 referenceMark;	// 0: none
	uint8 noBreakSpace;		// 0: none
	bool simple;			// every byte is a character of its own
	float widths[256];		// of each byte that is a whole character

	// Bytes of the character at text (length, the bytes there, > 0); with
	// codes, also the characters it stands for (1 or 2).
	int32 CharLength(const char* text, int32 length) const;
	int32 Character(const char* text, int32 length, uint32 codes[2],
		int32* count) const;
	// Width of the character at text, and its length.
	float CharacterWidth(const char* text, int32 length, int32* charLength) const;
	float Width(const char* text, int32 length) const;

	// The characters the bytes show, control characters left out.
	void AppendShown(const char* text, int32 length, std::vector<uint32>* out) const;
	// The bytes as UTF-8, control characters (tabs, line ends) kept.
	void AppendUTF8(const char* text, int32 length, std::string* out) const;
	// UTF-8 text in this encoding. A character the encoding cannot hold
	// becomes `prefix` "#<decimal>;" (with prefix 0 the reference mark, if
	// any), or is left out when there is no prefix either.
	void AppendFromUTF8(const char* utf8, int32 length, uint8 prefix,
		std::string* out) const;
};

// The shared record of a host font in an encoding with these special bytes
// (made on first use, kept for the life of the program).
const FontCharacters* font_characters(const HostFont* host, uint8 encoding,
	uint8 referenceMark, uint8 noBreakSpace);

}	// namespace BPrivate

#endif	// _QUILLORA_FONT_CHARACTERS_H
