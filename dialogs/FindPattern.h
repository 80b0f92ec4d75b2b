/*
 * FindPattern: the search text of the find dialog, prepared for one search
 * through a document in a given encoding.
 *
 * Documents keep their file's own bytes, so matching walks the characters
 * of the document's encoding (BPrivate::TextEncoding): a match begins and
 * ends on whole characters, whether they take one byte (Latin-1, read as
 * windows-1252, and the other one-byte sets), up to four (UTF-8) or two
 * with a second byte that may look like ASCII (Shift_JIS, Big5, GBK). The
 * search text is typed as UTF-8 and put into the document's encoding first
 * (FromUTF8), so that a character the page holds as a numeric reference is
 * looked for as one.
 *
 * Characters compare by their Unicode values: letters match their other
 * case unless the search is case sensitive ("É" finds "é" in every
 * encoding that has both), and "letter or digit" for whole words means any
 * letter or digit, so an accented letter is part of its word. Text that
 * keeps character references after a mark (the visual page's text
 * elements) has each marked reference as one character, the one it stands
 * for: a match never begins or ends inside one.
 *
 * Case folding and letter classes come from the C library's Unicode tables.
 */
#ifndef QUILLORA_FIND_PATTERN_H
#define QUILLORA_FIND_PATTERN_H

#include <SupportDefs.h>

#include <string>
#include <vector>

namespace BPrivate {
class TextEncoding;
}

class FindPattern {
public:
	FindPattern();

	// The dialog's UTF-8 text in a document's encoding (a BFont encoding
	// constant), as the document's text view takes it typed: a character
	// the encoding cannot hold becomes a numeric reference, after the
	// reference mark where the document has one and as "&#...;" where it
	// has not; U+00A0 becomes the no-break space byte where there is one.
	// A search text (`toFind`) takes a character the encoding only shows
	// as the byte that shows it (a Latin-1 page is shown as windows-1252).
	static std::string FromUTF8(const char* text, int32 length,
		uint8 encoding, uint8 referenceMark, uint8 noBreakSpace, bool toFind);

	// `text` is in the document's encoding. With a `referenceMark`, the
	// mark followed by a character reference is one character in the
	// document and in the search text; the `noBreakSpace` byte is U+00A0.
	void Set(const char* text, int32 length, uint8 encoding,
		bool caseSensitive, uint8 referenceMark = 0, uint8 noBreakSpace = 0);

	bool IsEmpty() const { return fCharacters.empty(); }
	// The most bytes a match can take in the document.
	int32 MaxMatchLength() const { return fMaxMatch; }

	// A pre-test that is true for the first byte of every match.
	bool MayStartWith(uint8 byte) const { return fStarts[byte]; }

	// The bytes of the document's character at `text`, of which `length`
	// (> 0) are there: searches step from one character to the next.
	int32 CharacterLength(const char* text, int32 length) const
	{
		return fAlone[(uint8)text[0]] ? 1 : _LongerLength(text, length);
	}

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
	// A character as compared: the one or two Unicode values it stands for.
	struct Character {
		uint32 first;
		uint32 second;
		bool operator==(const Character& other) const
		{
			return first == other.first && second == other.second;
		}
	};

	int32 _LongerLength(const char* text, int32 length) const;
	// The character at text (length bytes there): its length in bytes.
	int32 _Decode(const char* text, int32 length, Character* character) const;
	Character _Folded(Character character) const;

	const BPrivate::TextEncoding* fEncoding;
	bool fCaseSensitive;
	uint8 fMark;
	uint8 fNoBreakSpace;
	std::vector<Character> fCharacters;
	int32 fMaxMatch;
	bool fStarts[256];
	// Bytes that are a whole character wherever they stand.
	bool fAlone[256];
};

#endif	// QUILLORA_FIND_PATTERN_H
