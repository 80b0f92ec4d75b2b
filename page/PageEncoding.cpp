/*
 * Deciding a page's encoding from its bytes, and reading UTF-16 and UTF-32
 * files as UTF-8.
 */
#include "PageEncoding.h"

#include <Font.h>
#include <TextEncoding.h>

#include <ctype.h>
#include <string.h>

const char kUTF8ByteOrderMark[4] = "\xEF\xBB\xBF";

namespace {

struct CharsetName {
	const char* name;
	uint8 encoding;
};

// The names pages use for encodings that keep ASCII bytes as ASCII. The
// ISO 8859 sets and the Windows code pages are read from their numbers
// (see numbered_encoding()). UTF-16 and UTF-32 named in a page that has no
// byte-order mark of theirs mean UTF-8, as browsers take them: the bytes
// cannot be in those encodings, or the META tag could not have been read.
const CharsetName kCharsetNames[] = {
	{ "utf-8", B_UNICODE_UTF8 }, { "utf8", B_UNICODE_UTF8 },
	{ "unicode-1-1-utf-8", B_UNICODE_UTF8 },
	{ "x-unicode20utf8", B_UNICODE_UTF8 },
	{ "utf-16", B_UNICODE_UTF8 }, { "utf-16le", B_UNICODE_UTF8 },
	{ "utf-16be", B_UNICODE_UTF8 }, { "utf-32", B_UNICODE_UTF8 },
	{ "utf-32le", B_UNICODE_UTF8 }, { "utf-32be", B_UNICODE_UTF8 },
	{ "unicode", B_UNICODE_UTF8 }, { "ucs-2", B_UNICODE_UTF8 },
	{ "latin1", B_ISO_8859_1 }, { "l1", B_ISO_8859_1 },
	{ "cp819", B_ISO_8859_1 }, { "ibm819", B_ISO_8859_1 },
	{ "csisolatin1", B_ISO_8859_1 }, { "iso-ir-100", B_ISO_8859_1 },
	{ "us-ascii", B_ISO_8859_1 }, { "ascii", B_ISO_8859_1 },
	{ "ansi_x3.4-1968", B_ISO_8859_1 }, { "iso-ir-6", B_ISO_8859_1 },
	{ "us", B_ISO_8859_1 }, { "cp367", B_ISO_8859_1 },
	{ "latin2", B_ISO_8859_2 }, { "l2", B_ISO_8859_2 },
	{ "latin3", B_ISO_8859_3 }, { "l3", B_ISO_8859_3 },
	{ "latin4", B_ISO_8859_4 }, { "l4", B_ISO_8859_4 },
	{ "cyrillic", B_ISO_8859_5 }, { "arabic", B_ISO_8859_6 },
	{ "greek", B_ISO_8859_7 }, { "hebrew", B_ISO_8859_8 },
	{ "latin5", B_ISO_8859_9 }, { "l5", B_ISO_8859_9 },
	{ "latin6", B_ISO_8859_10 }, { "l6", B_ISO_8859_10 },
	{ "latin9", B_ISO_8859_15 }, { "l9", B_ISO_8859_15 },
	{ "tis-620", B_MS_WINDOWS_874 }, { "dos-874", B_MS_WINDOWS_874 },
	{ "koi8-r", B_KOI8_R }, { "koi8_r", B_KOI8_R }, { "koi8", B_KOI8_R },
	{ "koi", B_KOI8_R }, { "cskoi8r", B_KOI8_R },
	{ "koi8-u", B_KOI8_U }, { "koi8-ru", B_KOI8_U },
	{ "ibm866", B_MS_DOS_866 }, { "cp866", B_MS_DOS_866 },
	{ "866", B_MS_DOS_866 }, { "csibm866", B_MS_DOS_866 },
	{ "macintosh", B_MACINTOSH_ROMAN }, { "mac", B_MACINTOSH_ROMAN },
	{ "x-mac-roman", B_MACINTOSH_ROMAN }, { "csmacintosh", B_MACINTOSH_ROMAN },
	{ "x-mac-cyrillic", B_MAC_CYRILLIC }, { "x-mac-ukrainian", B_MAC_CYRILLIC },
	{ "shift_jis", B_SHIFT_JIS }, { "shift-jis", B_SHIFT_JIS },
	{ "sjis", B_SHIFT_JIS }, { "x-sjis", B_SHIFT_JIS },
	{ "ms_kanji", B_SHIFT_JIS }, { "csshiftjis", B_SHIFT_JIS },
	{ "windows-31j", B_SHIFT_JIS }, { "ms932", B_SHIFT_JIS },
	{ "cp932", B_SHIFT_JIS },
	{ "euc-jp", B_EUC_JP }, { "x-euc-jp", B_EUC_JP },
	{ "cseucpkdfmtjapanese", B_EUC_JP },
	{ "euc-kr", B_EUC_KR }, { "cseuckr", B_EUC_KR },
	{ "ks_c_5601-1987", B_EUC_KR }, { "ks_c_5601-1989", B_EUC_KR },
	{ "ksc5601", B_EUC_KR }, { "ksc_5601", B_EUC_KR },
	{ "csksc56011987", B_EUC_KR }, { "iso-ir-149", B_EUC_KR },
	{ "korean", B_EUC_KR }, { "windows-949", B_EUC_KR }, { "cp949", B_EUC_KR },
	{ "gbk", B_GBK }, { "x-gbk", B_GBK }, { "gb2312", B_GBK },
	{ "gb_2312", B_GBK }, { "gb_2312-80", B_GBK }, { "csgb2312", B_GBK },
	{ "cp936", B_GBK }, { "ms936", B_GBK }, { "windows-936", B_GBK },
	{ "chinese", B_GBK }, { "iso-ir-58", B_GBK },
	{ "csiso58gb231280", B_GBK },
	{ "gb18030", B_GB18030 },
	{ "big5", B_BIG5 }, { "big5-hkscs", B_BIG5 }, { "cn-big5", B_BIG5 },
	{ "csbig5", B_BIG5 }, { "x-x-big5", B_BIG5 },
};


// "iso-8859-N" (also "iso8859-N", "iso_8859-N", "iso8859N",
// "iso_8859-N:year") and "windows-125N" ("cp125N", "x-cp125N").
bool
numbered_encoding(const std::string& name, uint8* encoding)
{
	static const char* const kISOPrefixes[] = { "iso-8859-", "iso_8859-",
		"iso8859-", "iso8859" };
	static const char* const kWindowsPrefixes[] = { "windows-", "x-cp", "cp" };
	for (const char* prefix : kISOPrefixes) {
		size_t length = strlen(prefix);
		if (name.compare(0, length, prefix) != 0)
			continue;
		std::string number = name.substr(length, name.find(':') - length);
		static const struct { const char* number; uint8 encoding; } kSets[] = {
			{ "1", B_ISO_8859_1 }, { "2", B_ISO_8859_2 }, { "3", B_ISO_8859_3 },
			{ "4", B_ISO_8859_4 }, { "5", B_ISO_8859_5 }, { "6", B_ISO_8859_6 },
			{ "7", B_ISO_8859_7 }, { "8", B_ISO_8859_8 }, { "8-i", B_ISO_8859_8 },
			{ "9", B_ISO_8859_9 }, { "10", B_ISO_8859_10 },
			{ "11", B_MS_WINDOWS_874 }, { "13", B_ISO_8859_13 },
			{ "14", B_ISO_8859_14 }, { "15", B_ISO_8859_15 },
			{ "16", B_ISO_8859_16 } };
		for (const auto& set : kSets) {
			if (number == set.number) {
				*encoding = set.encoding;
				return true;
			}
		}
		return false;
	}
	for (const char* prefix : kWindowsPrefixes) {
		size_t length = strlen(prefix);
		if (name.compare(0, length, prefix) != 0)
			continue;
		std::string number = name.substr(length);
		static const struct { const char* number; uint8 encoding; } kPages[] = {
			{ "874", B_MS_WINDOWS_874 }, { "1250", B_MS_WINDOWS_1250 },
			{ "1251", B_MS_WINDOWS_1251 }, { "1252", B_MS_WINDOWS_1252 },
			{ "1253", B_MS_WINDOWS_1253 }, { "1254", B_MS_WINDOWS_1254 },
			{ "1255", B_MS_WINDOWS_1255 }, { "1256", B_MS_WINDOWS_1256 },
			{ "1257", B_MS_WINDOWS_1257 }, { "1258", B_MS_WINDOWS_1258 } };
		for (const auto& page : kPages) {
			if (number == page.number) {
				*encoding = page.encoding;
				return true;
			}
		}
	}
	return false;
}


inline bool
is_blank(char c)
{
	return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}


// Whether `text` (up to `end`) begins with `word`, in any case.
bool
begins_with(const char* text, const char* end, const char* word)
{
	size_t length = strlen(word);
	return size_t(end - text) >= length && strncasecmp(text, word, length) == 0;
}


// One attribute of a tag, from `p` on: its name and value (without
// quotes); `p` ends after it. False at the end of the tag.
bool
next_attribute(const char*& p, const char* end, std::string* name,
	std::string* value)
{
	while (p < end && (is_blank(*p) || *p == '/'))
		p++;
	if (p >= end || *p == '>')
		return false;
	name->clear();
	value->clear();
	while (p < end && !is_blank(*p) && *p != '=' && *p != '>')
		*name += (char)tolower((unsigned char)*p++);
	while (p < end && is_blank(*p))
		p++;
	if (p >= end || *p != '=')
		return true;
	p++;
	while (p < end && is_blank(*p))
		p++;
	if (p < end && (*p == '"' || *p == '\'')) {
		char quote = *p++;
		const char* close = (const char*)memchr(p, quote, size_t(end - p));
		const char* stop = close != nullptr ? close : end;
		value->assign(p, size_t(stop - p));
		p = close != nullptr ? close + 1 : end;
	} else {
		while (p < end && !is_blank(*p) && *p != '>')
			*value += *p++;
	}
	return true;
}


// The charset named after "charset" and "=" in a CONTENT value.
bool
content_charset(const std::string& content, uint8* encoding)
{
	size_t at = 0;
	while (true) {
		const char* found = strcasestr(content.c_str() + at, "charset");
		if (found == nullptr)
			return false;
		const char* p = found + 7;
		while (is_blank(*p))
			p++;
		at = size_t(p - content.c_str());
		if (*p != '=')
			continue;
		p++;
		while (is_blank(*p))
			p++;
		if (*p == '"' || *p == '\'')
			p++;
		size_t length = strcspn(p, "\"'; \t\r\n");
		return charset_encoding(p, length, encoding);
	}
}

}	// namespace


bool
charset_encoding(const char* name, size_t length, uint8* encoding)
{
	while (length > 0 && is_blank(*name)) {
		name++;
		length--;
	}
	while (length > 0 && is_blank(name[length - 1]))
		length--;
	std::string lower;
	for (size_t i = 0; i < length; i++)
		lower += (char)tolower((unsigned char)name[i]);
	for (const CharsetName& known : kCharsetNames) {
		if (lower == known.name) {
			*encoding = known.encoding;
			return true;
		}
	}
	return numbered_encoding(lower, encoding);
}


bool
declared_encoding(const char* bytes, size_t length, uint8* encoding)
{
	const char* p = bytes;
	const char* end = bytes + length;
	std::string name;
	std::string value;
	while (p < end) {
		p = (const char*)memchr(p, '<', size_t(end - p));
		if (p == nullptr)
			return false;
		if (begins_with(p, end, "<!--")) {
			const char* close = (const char*)memmem(p + 4, size_t(end - p - 4),
				"-->", 3);
			if (close == nullptr)
				return false;
			p = close + 3;
			continue;
		}
		p++;
		if (!begins_with(p, end, "meta") || p + 4 == end
			|| !(is_blank(p[4]) || p[4] == '/'))
			continue;
		p += 4;
		std::string content;
		bool named = false;
		uint8 declared = 0;
		while (next_attribute(p, end, &name, &value)) {
			if (name == "charset")
				named = charset_encoding(value.data(), value.size(), &declared);
			else if (name == "content")
				content = value;
		}
		if (named || (!content.empty() && content_charset(content, &declared))) {
			*encoding = declared;
			return true;
		}
	}
	return false;
}


bool
is_utf8_beyond_ascii(const char* bytes, size_t length)
{
	const uint8* p = (const uint8*)bytes;
	const uint8* end = p + length;
	bool beyond = false;
	while (p < end) {
		if (*p < 0x80) {
			p++;
			continue;
		}
		size_t left = size_t(end - p);
		int32 charLength = BPrivate::utf8_char_length(p,
			int32(left < 4 ? left : 4));
		if (charLength == 1)
			return false;
		beyond = true;
		p += charLength;
	}
	return beyond;
}


PageEncoding
page_encoding(const char* bytes, size_t length)
{
	PageEncoding result = { B_ISO_8859_1, 0, 1, false };
	const uint8* b = (const uint8*)bytes;
	// UTF-32 first: its little-endian mark begins as UTF-16's does.
	if (length >= 4 && b[0] == 0xFF && b[1] == 0xFE && b[2] == 0 && b[3] == 0)
		result = { B_UNICODE_UTF8, 4, 4, false };
	else if (length >= 4 && b[0] == 0 && b[1] == 0 && b[2] == 0xFE
		&& b[3] == 0xFF)
		result = { B_UNICODE_UTF8, 4, 4, true };
	else if (length >= 2 && b[0] == 0xFF && b[1] == 0xFE)
		result = { B_UNICODE_UTF8, 2, 2, false };
	else if (length >= 2 && b[0] == 0xFE && b[1] == 0xFF)
		result = { B_UNICODE_UTF8, 2, 2, true };
	else if (length >= 3 && memcmp(bytes, kUTF8ByteOrderMark, 3) == 0)
		result = { B_UNICODE_UTF8, 3, 1, false };
	else if (!declared_encoding(bytes, length, &result.encoding)
		&& is_utf8_beyond_ascii(bytes, length))
		result.encoding = B_UNICODE_UTF8;
	return result;
}


void
wide_to_utf8(const char* bytes, size_t length, int32 unitBytes,
	bool bigEndian, std::string* out)
{
	const uint8* b = (const uint8*)bytes;
	size_t count = length / size_t(unitBytes);
	out->clear();
	out->reserve(length);
	auto unit = [&](size_t i) -> uint32 {
		const uint8* u = b + i * size_t(unitBytes);
		uint32 value = 0;
		for (int32 k = 0; k < unitBytes; k++) {
			int32 shift = bigEndian ? 8 * (unitBytes - 1 - k) : 8 * k;
			value |= uint32(u[k]) << shift;
		}
		return value;
	};
	for (size_t i = 0; i < count; i++) {
		uint32 code = unit(i);
		if (unitBytes == 2 && code >= 0xD800 && code <= 0xDBFF && i + 1 < count
			&& unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
			code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
			i++;
		} else if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
			code = BPrivate::kReplacementCharacter;
		BPrivate::utf8_append(code, out);
	}
	if (length % size_t(unitBytes) != 0)
		BPrivate::utf8_append(BPrivate::kReplacementCharacter, out);
}
