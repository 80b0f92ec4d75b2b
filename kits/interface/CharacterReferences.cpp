#include "CharacterReferences.h"

#include <Font.h>

#include "TextEncoding.h"

#include <string.h>

namespace BPrivate {

namespace {

inline bool
is_digit(uint8 c)
{
	return c >= '0' && c <= '9';
}

inline int32
hex_value(uint8 c)
{
	if (is_digit(c))
		return c - '0';
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	if (c >= 'A' && c <= 'F')
		return c - 'A' + 10;
	return -1;
}

inline bool
is_name_byte(uint8 c)
{
	return is_digit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

uint32
numbered_character(uint32 value)
{
	if (value == 0 || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff))
		return kReplacementCharacter;
	if (value >= 0x80 && value < 0xa0)
		return TextEncoding::ForFont(B_ISO_8859_1)->ByteCharacter((uint8)value);
	return value;
}

}	// namespace


int32
parse_character_reference(const uint8* text, int32 length, uint32 codes[2],
	int32* count)
{
	if (length > kMaxReferenceLength)
		length = kMaxReferenceLength;
	if (length < 2)
		return 0;
	*count = 1;
	codes[1] = 0;
	if (text[0] == '#') {
		bool hex = length > 1 && (text[1] == 'x' || text[1] == 'X');
		int32 i = hex ? 2 : 1;
		int32 first = i;
		uint32 value = 0;
		for (; i < length; i++) {
			int32 digit = hex ? hex_value(text[i]) : (is_digit(text[i]) ? text[i] - '0' : -1);
			if (digit < 0)
				break;
			// Beyond the last character it stays beyond.
			if (value <= 0x10ffff)
				value = value * (hex ? 16 : 10) + digit;
		}
		if (i == first || i >= length || text[i] != ';')
			return 0;
		codes[0] = numbered_character(value);
		return i + 1;
	}

	int32 i = 0;
	while (i < length && is_name_byte(text[i]))
		i++;
	if (i == 0 || i >= length || text[i] != ';')
		return 0;
	char name[kMaxReferenceLength + 1];
	memcpy(name, text, i);
	name[i] = '\0';
	int32 low = 0;
	int32 high = kNamedReferenceCount - 1;
	while (low <= high) {
		int32 middle = (low + high) / 2;
		int compare = strcmp(kNamedReferences[middle].name, name);
		if (compare == 0) {
			codes[0] = kNamedReferences[middle].first;
			codes[1] = kNamedReferences[middle].second;
			*count = codes[1] != 0 ? 2 : 1;
			return i + 1;
		}
		if (compare < 0)
			low = middle + 1;
		else
			high = middle - 1;
	}
	return 0;
}

}	// namespace BPrivate
