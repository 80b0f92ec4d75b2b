/*
 * Matching the find dialog's search text in the bytes of a document.
 */
#include "FindPattern.h"

#include <Font.h>

#include <ctype.h>
#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <cstring>
#include <mutex>

namespace {

// A code that no character has: bytes that are not characters of the
// encoding get codes from here on, so that they only match themselves.
const uint32 kNoCharacter = 0x110000;

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


// The iconv name of a one-byte encoding; null for those iconv is not asked
// about. Latin-1 text is shown as windows-1252, as browsers do, so it is
// matched as that too.
const char*
one_byte_encoding_name(uint8 encoding)
{
	static const char* const kISONames[] = { "ISO-8859-2", "ISO-8859-3",
		"ISO-8859-4", "ISO-8859-5", "ISO-8859-6", "ISO-8859-7", "ISO-8859-8",
		"ISO-8859-9", "ISO-8859-10" };
	if (encoding == B_ISO_8859_1)
		return "CP1252";
	if (encoding >= B_ISO_8859_2 && encoding <= B_ISO_8859_10)
		return kISONames[encoding - B_ISO_8859_2];
	if (encoding == B_MACINTOSH_ROMAN)
		return "MACINTOSH";
	return nullptr;
}


// The Unicode code of every byte of a one-byte encoding; false when iconv
// does not know the encoding.
bool
one_byte_codes(const char* name, uint32 codes[256])
{
	iconv_t converter = iconv_open("UTF-32LE", name);
	if (converter == (iconv_t)-1)
		return false;
	for (int byte = 0; byte < 256; byte++) {
		char in = (char)byte;
		uint8 out[4];
		char* inPointer = &in;
		char* outPointer = (char*)out;
		size_t inLeft = 1;
		size_t outLeft = sizeof(out);
		iconv(converter, nullptr, nullptr, nullptr, nullptr);
		if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft)
				== (size_t)-1 || outLeft != 0)
			codes[byte] = kNoCharacter + byte;
		else {
			codes[byte] = uint32(out[0]) | uint32(out[1]) << 8
				| uint32(out[2]) << 16 | uint32(out[3]) << 24;
		}
	}
	iconv_close(converter);
	return true;
}

}	// namespace


struct FindPattern::CharacterSet {
	bool utf8;
	// One-byte encodings: the byte of each byte's lower-case character (the
	// byte itself when the encoding has no other case for it), and which
	// bytes are letters or digits.
	uint8 fold[256];
	bool word[256];
};


const FindPattern::CharacterSet*
FindPattern::_CharacterSet(uint8 encoding)
{
	static std::mutex sLock;
	static CharacterSet* sSets[256] = {};
	std::lock_guard<std::mutex> guard(sLock);
	if (sSets[encoding] != nullptr)
		return sSets[encoding];

	CharacterSet* set = new CharacterSet;
	set->utf8 = encoding == B_UNICODE_UTF8;
	uint32 codes[256];
	const char* name = one_byte_encoding_name(encoding);
	if (name == nullptr || !one_byte_codes(name, codes)) {
		for (int byte = 0; byte < 256; byte++) {
			// Latin-1 is its own code; of an encoding not known here only
			// ASCII is certain, and its other bytes count as letters (in
			// such pages they are mostly parts of letters).
			if (encoding == B_ISO_8859_1 || byte < 0x80)
				codes[byte] = byte;
			else
				codes[byte] = kNoCharacter + byte;
		}
	}
	for (int byte = 0; byte < 256; byte++) {
		uint32 lower = fold_code(codes[byte]);
		set->fold[byte] = (uint8)byte;
		if (lower != codes[byte]) {
			for (int other = 0; other < 256; other++) {
				if (codes[other] == lower) {
					set->fold[byte] = (uint8)other;
					break;
				}
			}
		}
		set->word[byte] = codes[byte] >= kNoCharacter
			? byte >= 0x80 && name == nullptr && encoding != B_ISO_8859_1
			: is_word_code(codes[byte]);
	}
	sSets[encoding] = set;
	return set;
}


FindPattern::FindPattern()
	:
	fCaseSensitive(false),
	fUTF8(false),
	fSet(nullptr),
	fMaxMatch(0)
{
	memset(fStarts, 0, sizeof(fStarts));
}


void
FindPattern::Set(const char* text, int32 length, uint8 encoding,
	bool caseSensitive)
{
	fText.assign(text != nullptr && length > 0 ? text : "",
		text != nullptr && length > 0 ? size_t(length) : 0);
	// The text is matched up to a zero byte, as the document is read.
	fText.resize(strlen(fText.c_str()));
	fCaseSensitive = caseSensitive;
	fSet = _CharacterSet(encoding);
	fUTF8 = fSet->utf8;
	fFolded.clear();
	memset(fStarts, 0, sizeof(fStarts));
	fMaxMatch = (int32)fText.size();
	if (fText.empty())
		return;

	uint8 first = (uint8)fText[0];
	if (caseSensitive) {
		fStarts[first] = true;
		return;
	}
	if (!fUTF8) {
		for (int byte = 0; byte < 256; byte++)
			fStarts[byte] = fSet->fold[byte] == fSet->fold[first];
		return;
	}

	for (size_t i = 0; i < fText.size();) {
		uint32 code;
		i += _Decode(fText.c_str() + i, &code, true);
		fFolded.push_back(code);
	}
	// Each character may take up to four bytes in the document, whatever it
	// takes in the search text.
	fMaxMatch = int32(fFolded.size()) * 4;
	for (int byte = 0; byte < 0x80; byte++)
		fStarts[byte] = fold_code((uint32)byte) == fFolded[0];
	// Some characters outside ASCII fold into it (the Kelvin sign into k):
	// every byte that may begin one is looked at.
	for (int byte = 0x80; byte < 256; byte++)
		fStarts[byte] = true;
}


int32
FindPattern::_Decode(const char* text, uint32* code, bool fold) const
{
	const uint8* bytes = (const uint8*)text;
	uint8 lead = bytes[0];
	if (!fUTF8) {
		*code = fold ? fSet->fold[lead] : lead;
		return 1;
	}
	if (lead < 0x80) {
		*code = fold ? fold_code(lead) : lead;
		return 1;
	}
	int32 length = 0;
	uint32 value = 0;
	uint8 low = 0x80;
	uint8 high = 0xBF;
	if (lead >= 0xC2 && lead <= 0xDF) {
		length = 2;
		value = lead & 0x1F;
	} else if (lead >= 0xE0 && lead <= 0xEF) {
		length = 3;
		value = lead & 0x0F;
		if (lead == 0xE0)
			low = 0xA0;
		else if (lead == 0xED)
			high = 0x9F;	// no surrogates
	} else if (lead >= 0xF0 && lead <= 0xF4) {
		length = 4;
		value = lead & 0x07;
		if (lead == 0xF0)
			low = 0x90;
		else if (lead == 0xF4)
			high = 0x8F;
	}
	for (int32 i = 1; i < length; i++) {
		uint8 byte = bytes[i];
		// The first continuation byte has the narrower range; a zero byte
		// (the end of the text) fails here as well.
		if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF)) {
			length = 0;
			break;
		}
		value = (value << 6) | (byte & 0x3F);
	}
	if (length == 0) {
		*code = kNoCharacter + lead;
		return 1;
	}
	*code = fold ? fold_code(value) : value;
	return length;
}


int32
FindPattern::MatchAt(const char* text) const
{
	if (fText.empty() || text == nullptr)
		return 0;
	int32 length = (int32)fText.size();
	if (fCaseSensitive) {
		if (strncmp(text, fText.c_str(), size_t(length)) != 0)
			return 0;
		// A match never ends inside a character of the document.
		if (fUTF8 && ((uint8)text[length] & 0xC0) == 0x80)
			return 0;
		return length;
	}
	if (!fUTF8) {
		const uint8* bytes = (const uint8*)text;
		const uint8* wanted = (const uint8*)fText.c_str();
		for (int32 i = 0; i < length; i++) {
			if (bytes[i] == 0 || fSet->fold[bytes[i]] != fSet->fold[wanted[i]])
				return 0;
		}
		return length;
	}
	int32 position = 0;
	for (uint32 wanted : fFolded) {
		if (text[position] == '\0')
			return 0;
		uint32 code;
		int32 taken = _Decode(text + position, &code, true);
		if (code != wanted)
			return 0;
		position += taken;
	}
	return position;
}


bool
FindPattern::IsWordCharacterAt(const char* text) const
{
	if (text == nullptr || text[0] == '\0')
		return false;
	if (!fUTF8)
		return fSet->word[(uint8)text[0]];
	uint32 code;
	_Decode(text, &code, false);
	return is_word_code(code);
}


bool
FindPattern::IsWordCharacterBefore(const char* text, int32 position) const
{
	if (text == nullptr || position <= 0)
		return false;
	if (!fUTF8)
		return fSet->word[(uint8)text[position - 1]];
	// Back to the byte that begins the character (at most three
	// continuation bytes before it).
	int32 start = position - 1;
	while (start > 0 && position - start < 4
		&& ((uint8)text[start] & 0xC0) == 0x80)
		start--;
	uint32 code;
	int32 length = _Decode(text + start, &code, false);
	if (start + length != position)
		return false;
	return is_word_code(code);
}
