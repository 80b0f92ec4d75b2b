/*
 * FindPattern: the search text of the find dialog, prepared for one search
 * through a document in a given encoding.
 *
 * Documents keep their file's own bytes, so matching works on bytes of the
 * document's encoding: in a one-byte encoding (Latin-1, read as
 * windows-1252, and the other ISO 8859 sets) each byte is one character; in
 * UTF-8 a character is a sequence of bytes and a match begins and ends on
 * whole characters. Letters match their other case unless the search is
 * case sensitive ("É" finds "é" in both kinds of page), and "letter or
 * digit" for whole words means a letter or digit of the encoding, so an
 * accented letter is part of its word.
 *
 * Case folding and letter classes come from the C library's Unicode tables;
 * the one-byte encodings are mapped to Unicode once, through iconv.
 */
#ifndef QUILLORA_FIND_PATTERN_H
#define QUILLORA_FIND_PATTERN_H

#include <SupportDefs.h>

#include <string>
#include <vector>

class FindPattern {
public:
	FindPattern();

	// `text` is in the document's encoding (a BFont encoding constant).
	void Set(const char* text, int32 length, uint8 encoding,
		bool caseSensitive);

	bool IsEmpty() const { return fText.empty(); }
	// The most bytes a match can take in the document.
	int32 MaxMatchLength() const { return fMaxMatch; }

	// A pre-test that is true for the first byte of every match.
	bool MayStartWith(uint8 byte) const { return fStarts[byte]; }

	// The length in bytes of the match that begins at `text`, or 0. The
	// text is read up to its terminating zero byte at most.
	int32 MatchAt(const char* text) const;

	// Whether the character that begins at `text` is a letter or digit
	// (false at the terminating zero byte).
	bool IsWordCharacterAt(const char* text) const;
	// Whether the character that ends right before `text + position` is a
	// letter or digit (false at position 0).
	bool IsWordCharacterBefore(const char* text, int32 position) const;

private:
	// Case folding and letter classes of one encoding.
	struct CharacterSet;
	static const CharacterSet* _CharacterSet(uint8 encoding);

	// The character at text: its length in bytes and its code, folded to
	// lower case when `fold`. A byte that does not begin a valid UTF-8
	// character is a character of its own, with a code no text character
	// has.
	int32 _Decode(const char* text, uint32* code, bool fold) const;

	std::string fText;
	bool fCaseSensitive;
	bool fUTF8;
	const CharacterSet* fSet;
	// The folded characters of the search text (case-insensitive UTF-8).
	std::vector<uint32> fFolded;
	int32 fMaxMatch;
	bool fStarts[256];
};

#endif	// QUILLORA_FIND_PATTERN_H
