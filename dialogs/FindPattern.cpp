/*
 * Matching the find dialog's search text in the characters of a document.
 */
#include "FindPattern.h"

#include <CharacterReferences.h>
#include <Font.h>
#include <TextEncoding.h>

#include <ctype.h>
#include <locale.h>
#include <string.h>
#include <wctype.h>

using BPrivate::TextEncoding;

namespace {

// Codes that no character has: a byte that begins no character of a
// multibyte encoding gets one of its own from here on, so that it only
// matches itself.
const uint32 kNoCharacter = 0x110000;

// The most bytes one character of a document can take: a padded reference
// after its mark.
const int32 kLongestCharacter = 1 + BPrivate::kMaxReferenceLength;

// The C library's Unicode tables, through a UTF-8 locale of its own (the
// program's locale stays as it is).
locale_t
unicode_locale()
{
	static locale_t sLocale = []() {
		const char* names[] = { "C.UTF-8", "C.utf8", "en_US.UTF-8" };
		for (const char* name : names) {
			if (locale_t made = newlocale(LC_CTYPE_MASK, name, (locale_t)0))
				return made;
		}
		return (locale_t)0;
	}();
	return sLocale;
}


uint32
fold_code(uint32 code)
{
	if (code < 0x80)
		return (uint32)tolower((int)code);
	if (code >= kNoCharacter)
		return code;
	if (locale_t locale = unicode_locale())
		return (uint32)towlower_l((wint_t)code, locale);
	// Without the tables: the Latin-1 letters.
	if (code >= 0xC0 && code <= 0xDE && code != 0xD7)
		return code + 0x20;
	return code;
}


bool
is_word_code(uint32 code)
{
	if (code < 0x80)
		return isalnum((int)code) != 0;
	if (code >= kNoCharacter)
		return false;
	if (locale_t locale = unicode_locale())
		return iswalnum_l((wint_t)code, locale) != 0;
	return code >= 0xC0 && code != 0xD7 && code != 0xF7;
}


// Bytes of a zero-terminated text there are from `text` on, as many as one
// character can take at most.
inline int32
available(const char* text)
{
	return (int32)strnlen(text, kLongestCharacter);
}

}	// namespace


FindPattern::FindPattern()
	:
	fEncoding(TextEncoding::ForFont(B_ISO_8859_1)),
	fCaseSensitive(false),
	fMark(0),
	fNoBreakSpace(0),
	fMaxMatch(0)
{
	memset(fStarts, 0, sizeof(fStarts));
	memset(fAlone, 1, sizeof(fAlone));
}


std::string
FindPattern::FromUTF8(const char* text, int32 length, uint8 encoding,
	uint8 referenceMark, uint8 noBreakSpace, bool toFind)
{
	std::string out;
	if (text != nullptr && length > 0) {
		TextEncoding::ForFont(encoding)->AppendFromUTF8(text, length,
			referenceMark != 0 ? referenceMark : '&', referenceMark,
			noBreakSpace, toFind, &out);
	}
	return out;
}


void
FindPattern::Set(const char* text, int32 length, uint8 encoding,
	bool caseSensitive, uint8 referenceMark, uint8 noBreakSpace)
{
	fEncoding = TextEncoding::ForFont(encoding);
	fCaseSensitive = caseSensitive;
	fMark = referenceMark;
	fNoBreakSpace = noBreakSpace;
	fCharacters.clear();
	for (int byte = 0; byte < 256; byte++) {
		fAlone[byte] = !fEncoding->MayBeginLonger((uint8)byte)
			&& (fMark == 0 || byte != fMark);
	}

	// The text is matched up to a zero byte, as the document is read.
	std::string search(text != nullptr && length > 0 ? text : "",
		text != nullptr && length > 0 ? size_t(length) : 0);
	search.resize(strlen(search.c_str()));
	for (size_t i = 0; i < search.size();) {
		Character character;
		i += _Decode(search.c_str() + i, int32(search.size() - i), &character);
		fCharacters.push_back(caseSensitive ? character : _Folded(character));
	}
	fMaxMatch = int32(fCharacters.size())
		* (fMark != 0 ? kLongestCharacter : BPrivate::kMaxCharacterBytes);

	memset(fStarts, 0, sizeof(fStarts));
	if (fCharacters.empty())
		return;
	// A byte that may begin a longer character may begin the first one
	// (some characters beyond ASCII even fold into it, as the Kelvin sign
	// into k); of the others, those that are it.
	for (int byte = 1; byte < 256; byte++) {
		if (!fAlone[byte]) {
			fStarts[byte] = true;
			continue;
		}
		char single[2] = { (char)byte, '\0' };
		Character character;
		_Decode(single, 1, &character);
		if (!caseSensitive)
			character = _Folded(character);
		fStarts[byte] = character == fCharacters[0];
	}
}


int32
FindPattern::_LongerLength(const char* text, int32 length) const
{
	const uint8* bytes = (const uint8*)text;
	if (fMark != 0 && bytes[0] == fMark) {
		uint32 codes[2];
		int32 count;
		int32 reference = length > 1 ? BPrivate::parse_character_reference(
			bytes + 1, length - 1, codes, &count) : 0;
		return 1 + reference;
	}
	return fEncoding->CharLength(bytes, length);
}


int32
FindPattern::_Decode(const char* text, int32 length,
	Character* character) const
{
	const uint8* bytes = (const uint8*)text;
	uint8 lead = bytes[0];
	character->second = 0;
	if (fMark != 0 && lead == fMark) {
		uint32 codes[2];
		int32 count = 0;
		int32 reference = length > 1 ? BPrivate::parse_character_reference(
			bytes + 1, length - 1, codes, &count) : 0;
		if (reference == 0) {
			// A mark without a reference after it shows "&".
			character->first = '&';
			return 1;
		}
		character->first = codes[0];
		character->second = count > 1 ? codes[1] : 0;
		return 1 + reference;
	}
	if (fNoBreakSpace != 0 && lead == fNoBreakSpace) {
		character->first = 0xA0;
		return 1;
	}
	int32 charLength = fEncoding->CharLength(bytes, length);
	if (charLength > 1)
		character->first = fEncoding->Decode(bytes, charLength);
	else if (lead >= 0x80 && !fEncoding->IsSingleByte())
		character->first = kNoCharacter + lead;
	else
		character->first = fEncoding->ByteCharacter(lead);
	return charLength;
}


FindPattern::Character
FindPattern::_Folded(Character character) const
{
	return Character{ fold_code(character.first),
		character.second != 0 ? fold_code(character.second) : 0 };
}


int32
FindPattern::MatchAt(const char* text) const
{
	if (fCharacters.empty() || text == nullptr)
		return 0;
	int32 position = 0;
	for (const Character& wanted : fCharacters) {
		if (text[position] == '\0')
			return 0;
		Character character;
		position += _Decode(text + position, available(text + position),
			&character);
		if (!fCaseSensitive)
			character = _Folded(character);
		if (!(character == wanted))
			return 0;
	}
	return position;
}


bool
FindPattern::IsWordCharacterAt(const char* text) const
{
	if (text == nullptr || text[0] == '\0')
		return false;
	Character character;
	_Decode(text, available(text), &character);
	return is_word_code(character.first);
}


bool
FindPattern::IsWordCharacterBefore(const char* text, int32 position) const
{
	if (text == nullptr || position <= 0)
		return false;
	const uint8* bytes = (const uint8*)text;
	int32 start = position - 1;
	// A reference after its mark that ends here is the character.
	if (fMark != 0 && bytes[start] == ';') {
		for (int32 mark = start - 1; mark >= 0 && position - mark
				<= kLongestCharacter; mark--) {
			if (bytes[mark] != fMark)
				continue;
			Character character;
			if (mark + _Decode(text + mark, position - mark, &character)
					== position)
				return is_word_code(character.first);
			break;
		}
	}
	if (fEncoding->GetKind() == TextEncoding::kUTF8) {
		// Back over at most three continuation bytes.
		while (start > 0 && position - start < 4
			&& (bytes[start] & 0xC0) == 0x80)
			start--;
	} else if (!fEncoding->IsSingleByte()) {
		// Back to a byte no character goes on after, then forward by whole
		// characters; far back enough for any real text.
		int32 from = start;
		while (from > 0 && position - from < 256
			&& !fEncoding->StandsAlone(bytes[from - 1]))
			from--;
		while (from < start) {
			int32 next = from + fEncoding->CharLength(bytes + from,
				position - from);
			if (next > start)
				break;
			from = next;
		}
		start = from;
	}
	Character character;
	if (start + _Decode(text + start, position - start, &character)
			!= position)
		return false;
	return is_word_code(character.first);
}
