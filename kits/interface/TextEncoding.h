/*
 * The characters of a font's encoding: where each one begins and ends in
 * the bytes, which Unicode character it is, and the bytes of a Unicode
 * character. Qt-free.
 *
 * Every encoding here keeps ASCII bytes as ASCII characters (except where
 * a byte is the second one of a two-byte character), so markup, white
 * space and line ends mean the same in all of them. Single-byte encodings
 * go through a table of the 256 byte values; UTF-8 is decoded as it
 * stands; the East Asian encodings know their lead and trail byte ranges
 * and decode through a table of all their two-byte characters, made once
 * from the C library's converters (iconv), and through iconv itself for
 * the rare longer ones. A byte that begins no valid character is a
 * character of its own, shown as U+FFFD, so no byte is ever lost or glued
 * to its neighbour.
 *
 * B_ISO_8859_1 pages are shown as windows-1252 (and B_ISO_8859_9 ones as
 * windows-1254), as browsers show them, but only Latin-1 characters are
 * ever written into them.
 */
#ifndef _QUILLORA_TEXT_ENCODING_H
#define _QUILLORA_TEXT_ENCODING_H

#include <SupportDefs.h>

#include <string>

namespace BPrivate {

class HostConverter;

const uint32 kReplacementCharacter = 0xfffd;
// Bytes of the longest character of any encoding here.
const int32 kMaxCharacterBytes = 4;

class TextEncoding {
public:
	enum Kind {
		kUTF8,
		kSingleByte,
		kShiftJIS,
		kEUCJP,
		kEUCKR,
		kGB,
		kBig5
	};

	// The encoding a font's B_* encoding constant names; an unknown
	// constant is B_ISO_8859_1.
	static const TextEncoding* ForFont(uint8 fontEncoding);

	uint8 FontEncoding() const { return fFontEncoding; }
	Kind GetKind() const { return fKind; }
	bool IsSingleByte() const { return fKind == kSingleByte; }

	// The character of a byte that is one on its own (every byte of a
	// single-byte encoding, ASCII bytes of the others).
	uint32 ByteCharacter(uint8 byte) const { return fTable[byte]; }
	// Whether a character beginning with this byte may be longer.
	bool MayBeginLonger(uint8 byte) const;
	// Whether this byte is always a character of its own and never part
	// of a longer one, so that a character begins right after it.
	bool StandsAlone(uint8 byte) const;

	// Bytes (1 to kMaxCharacterBytes) of the character at text; length is
	// what there is of the text from there (at least 1).
	int32 CharLength(const uint8* text, int32 length) const;
	// The Unicode character of the charLength bytes at text, as
	// CharLength() cut them.
	uint32 Decode(const uint8* text, int32 charLength) const;
	// Appends the bytes of code; false, with nothing appended, when the
	// encoding has no such character.
	bool Encode(uint32 code, std::string* out) const;
	// UTF-8 text in this encoding. A character the encoding cannot hold
	// becomes `prefix` "#<decimal>;" (HTML's numeric reference after "&"
	// or after a reference mark), or is left out without a prefix; U+00A0
	// becomes the byte `noBreakSpace` when there is one. The bytes `mark`
	// and `noBreakSpace` are left out where they come in: they have a
	// meaning of their own in the text this goes into. With `asShown`, a
	// character the encoding only shows (windows-1252's in B_ISO_8859_1)
	// becomes the byte that shows it: text to look for, not to write.
	void AppendFromUTF8(const char* utf8, int32 length, uint8 prefix,
		uint8 mark, uint8 noBreakSpace, bool asShown, std::string* out) const;

	// Kit internal: built once per encoding by ForFont().
	TextEncoding(uint8 fontEncoding, Kind kind, const char* showAs,
		const char* writeAs);

private:
	TextEncoding(const TextEncoding&);
	TextEncoding& operator=(const TextEncoding&);

	void _BuildPairs() const;
	int32 _PairLength(const uint8* text, int32 length) const;
	uint32 _Pair(uint8 lead, uint8 trail) const;
	uint32 _DecodeWithHost(const uint8* text, int32 length) const;

	uint8 fFontEncoding;
	Kind fKind;
	HostConverter* fDecoder;	// to UTF-32 from the encoding as shown
	HostConverter* fEncoder;	// from UTF-32 to it as written
	uint32 fTable[256];			// the character of each byte, as shown
	uint32 fWritten[256];		// and as written (single-byte encodings)
	// Two-byte characters by (lead - 0x80) * 256 + trail; 0 where none.
	mutable uint32* fPairs;
	mutable bool fPairsBuilt;
};

// UTF-8, strictly: overlong forms, surrogates and values beyond U+10FFFF
// begin no character.
int32 utf8_char_length(const uint8* text, int32 length);
uint32 utf8_decode(const uint8* text, int32 charLength);
void utf8_append(uint32 code, std::string* out);

}	// namespace BPrivate

#endif	// _QUILLORA_TEXT_ENCODING_H
