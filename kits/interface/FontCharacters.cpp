#include "FontCharacters.h"

#include "CharacterReferences.h"
#include "HostFont.h"
#include "TextEncoding.h"

#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace BPrivate {

namespace {

float
character_width(const HostFont* host, uint32 code)
{
	if (host == nullptr || !is_shown_character(code))
		return 0.0f;
	return host_char_width(host, code);
}

}	// namespace


const FontCharacters*
font_characters(const HostFont* host, uint8 encoding, uint8 referenceMark,
	uint8 noBreakSpace)
{
	static std::mutex sLock;
	static std::map<std::tuple<const HostFont*, uint8, uint8, uint8>,
		std::unique_ptr<FontCharacters>> sRecords;

	auto key = std::make_tuple(host, encoding, referenceMark, noBreakSpace);
	std::lock_guard<std::mutex> lock(sLock);
	auto found = sRecords.find(key);
	if (found != sRecords.end())
		return found->second.get();

	std::unique_ptr<FontCharacters> record(new FontCharacters);
	record->host = host;
	record->encoding = TextEncoding::ForFont(encoding);
	record->referenceMark = referenceMark;
	record->noBreakSpace = noBreakSpace;
	record->simple = true;
	for (int32 byte = 0; byte < 256; byte++) {
		float width;
		if (referenceMark != 0 && byte == referenceMark)
			width = kLongerCharacter;
		else if (noBreakSpace != 0 && byte == noBreakSpace)
			width = character_width(host, 0xa0);
		else if (record->encoding->MayBeginLonger((uint8)byte))
			width = kLongerCharacter;
		else
			width = character_width(host, record->encoding->ByteCharacter((uint8)byte));
		record->widths[byte] = width;
		if (width == kLongerCharacter)
			record->simple = false;
	}
	const FontCharacters* result = record.get();
	sRecords.emplace(key, std::move(record));
	return result;
}


int32
FontCharacters::CharLength(const char* text, int32 length) const
{
	uint8 byte = (uint8)text[0];
	if (widths[byte] != kLongerCharacter)
		return 1;
	uint32 codes[2];
	int32 count;
	return Character(text, length, codes, &count);
}


int32
FontCharacters::Character(const char* text, int32 length, uint32 codes[2],
	int32* count) const
{
	const uint8* bytes = (const uint8*)text;
	*count = 1;
	codes[1] = 0;
	if (referenceMark != 0 && bytes[0] == referenceMark) {
		int32 reference = parse_character_reference(bytes + 1, length - 1, codes, count);
		if (reference > 0)
			return reference + 1;
		*count = 1;
		codes[0] = '&';
		return 1;
	}
	if (noBreakSpace != 0 && bytes[0] == noBreakSpace) {
		codes[0] = 0xa0;
		return 1;
	}
	int32 charLength = encoding->CharLength(bytes, length);
	codes[0] = encoding->Decode(bytes, charLength);
	return charLength;
}


float
FontCharacters::CharacterWidth(const char* text, int32 length, int32* charLength) const
{
	float width = widths[(uint8)text[0]];
	if (width != kLongerCharacter) {
		*charLength = 1;
		return width;
	}
	uint32 codes[2];
	int32 count;
	*charLength = Character(text, length, codes, &count);
	width = character_width(host, codes[0]);
	if (count > 1)
		width += character_width(host, codes[1]);
	return width;
}


float
FontCharacters::Width(const char* text, int32 length) const
{
	float width = 0.0f;
	int32 i = 0;
	while (i < length) {
		float byteWidth = widths[(uint8)text[i]];
		if (byteWidth != kLongerCharacter) {
			width += byteWidth;
			i++;
			continue;
		}
		int32 charLength;
		width += CharacterWidth(text + i, length - i, &charLength);
		i += charLength;
	}
	return width;
}


void
FontCharacters::AppendShown(const char* text, int32 length,
	std::vector<uint32>* out) const
{
	int32 i = 0;
	while (i < length) {
		uint32 codes[2];
		int32 count;
		i += Character(text + i, length - i, codes, &count);
		for (int32 k = 0; k < count; k++) {
			if (is_shown_character(codes[k]))
				out->push_back(codes[k]);
		}
	}
}


void
FontCharacters::AppendUTF8(const char* text, int32 length, std::string* out) const
{
	if (encoding->GetKind() == TextEncoding::kUTF8 && referenceMark == 0
		&& noBreakSpace == 0) {
		out->append(text, length);
		return;
	}
	int32 i = 0;
	while (i < length) {
		uint8 byte = (uint8)text[i];
		if (byte < 0x80 && byte != referenceMark && byte != noBreakSpace) {
			*out += (char)byte;
			i++;
			continue;
		}
		uint32 codes[2];
		int32 count;
		i += Character(text + i, length - i, codes, &count);
		for (int32 k = 0; k < count; k++)
			utf8_append(codes[k], out);
	}
}


void
FontCharacters::AppendFromUTF8(const char* utf8, int32 length, uint8 prefix,
	std::string* out) const
{
	encoding->AppendFromUTF8(utf8, length, prefix != 0 ? prefix : referenceMark,
		referenceMark, noBreakSpace, false, out);
}

}	// namespace BPrivate
