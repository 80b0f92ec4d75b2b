#include "TextEncoding.h"

#include <Font.h>

#include <errno.h>
#include <iconv.h>
#include <string.h>

#include <memory>
#include <mutex>

namespace BPrivate {

// One of the C library's converters (iconv), opened on first use and kept:
// opening one costs far more than a conversion. Calls are serialised.
class HostConverter {
public:
	HostConverter(const char* to, const char* from)
		: fTo(to), fFrom(from), fConverter((iconv_t)-1), fOpened(false) {}
	~HostConverter()
	{
		if (fConverter != (iconv_t)-1)
			iconv_close(fConverter);
	}

	// False when the converter cannot be had, or the bytes are not
	// characters of `from` as a whole.
	bool Convert(const char* in, size_t length, std::string* out)
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (!fOpened) {
			fOpened = true;
			fConverter = iconv_open(fTo, fFrom);
		}
		if (fConverter == (iconv_t)-1)
			return false;
		iconv(fConverter, NULL, NULL, NULL, NULL);
		char buffer[64];
		char* input = const_cast<char*>(in);
		size_t inputLeft = length;
		while (inputLeft > 0) {
			char* output = buffer;
			size_t outputLeft = sizeof(buffer);
			size_t result = iconv(fConverter, &input, &inputLeft, &output,
				&outputLeft);
			out->append(buffer, sizeof(buffer) - outputLeft);
			if (result == (size_t)-1 && errno != E2BIG)
				return false;
		}
		// A stateful encoding ends in its initial state.
		char* output = buffer;
		size_t outputLeft = sizeof(buffer);
		if (iconv(fConverter, NULL, NULL, &output, &outputLeft) == (size_t)-1)
			return false;
		out->append(buffer, sizeof(buffer) - outputLeft);
		return true;
	}

	const char* From() const { return fFrom; }

private:
	const char* fTo;
	const char* fFrom;
	iconv_t fConverter;
	bool fOpened;
	std::mutex fLock;
};

namespace {

// The one character of some bytes; 0 when they are not exactly one.
uint32
decode_one(HostConverter& converter, const uint8* bytes, int32 length)
{
	std::string result;
	if (!converter.Convert((const char*)bytes, length, &result) || result.size() != 4)
		return 0;
	const uint8* r = (const uint8*)result.data();
	return r[0] | (r[1] << 8) | (r[2] << 16) | ((uint32)r[3] << 24);
}

inline bool
in(uint8 byte, uint8 low, uint8 high)
{
	return byte >= low && byte <= high;
}

struct EncodingEntry {
	uint8 font;
	TextEncoding::Kind kind;
	const char* showAs;
	const char* writeAs;
};

const EncodingEntry kEncodings[] = {
	{ B_UNICODE_UTF8, TextEncoding::kUTF8, "UTF-8", "UTF-8" },
	{ B_ISO_8859_1, TextEncoding::kSingleByte, "WINDOWS-1252", "ISO-8859-1" },
	{ B_ISO_8859_2, TextEncoding::kSingleByte, "ISO-8859-2", "ISO-8859-2" },
	{ B_ISO_8859_3, TextEncoding::kSingleByte, "ISO-8859-3", "ISO-8859-3" },
	{ B_ISO_8859_4, TextEncoding::kSingleByte, "ISO-8859-4", "ISO-8859-4" },
	{ B_ISO_8859_5, TextEncoding::kSingleByte, "ISO-8859-5", "ISO-8859-5" },
	{ B_ISO_8859_6, TextEncoding::kSingleByte, "ISO-8859-6", "ISO-8859-6" },
	{ B_ISO_8859_7, TextEncoding::kSingleByte, "ISO-8859-7", "ISO-8859-7" },
	{ B_ISO_8859_8, TextEncoding::kSingleByte, "ISO-8859-8", "ISO-8859-8" },
	{ B_ISO_8859_9, TextEncoding::kSingleByte, "WINDOWS-1254", "ISO-8859-9" },
	{ B_ISO_8859_10, TextEncoding::kSingleByte, "ISO-8859-10", "ISO-8859-10" },
	{ B_MACINTOSH_ROMAN, TextEncoding::kSingleByte, "MACINTOSH", "MACINTOSH" },
	{ B_ISO_8859_13, TextEncoding::kSingleByte, "ISO-8859-13", "ISO-8859-13" },
	{ B_ISO_8859_14, TextEncoding::kSingleByte, "ISO-8859-14", "ISO-8859-14" },
	{ B_ISO_8859_15, TextEncoding::kSingleByte, "ISO-8859-15", "ISO-8859-15" },
	{ B_ISO_8859_16, TextEncoding::kSingleByte, "ISO-8859-16", "ISO-8859-16" },
	{ B_KOI8_R, TextEncoding::kSingleByte, "KOI8-R", "KOI8-R" },
	{ B_KOI8_U, TextEncoding::kSingleByte, "KOI8-U", "KOI8-U" },
	{ B_MS_DOS_866, TextEncoding::kSingleByte, "IBM866", "IBM866" },
	{ B_MS_WINDOWS_874, TextEncoding::kSingleByte, "CP874", "CP874" },
	{ B_MS_WINDOWS_1250, TextEncoding::kSingleByte, "WINDOWS-1250", "WINDOWS-1250" },
	{ B_MS_WINDOWS_1251, TextEncoding::kSingleByte, "WINDOWS-1251", "WINDOWS-1251" },
	{ B_MS_WINDOWS_1252, TextEncoding::kSingleByte, "WINDOWS-1252", "WINDOWS-1252" },
	{ B_MS_WINDOWS_1253, TextEncoding::kSingleByte, "WINDOWS-1253", "WINDOWS-1253" },
	{ B_MS_WINDOWS_1254, TextEncoding::kSingleByte, "WINDOWS-1254", "WINDOWS-1254" },
	{ B_MS_WINDOWS_1255, TextEncoding::kSingleByte, "WINDOWS-1255", "WINDOWS-1255" },
	{ B_MS_WINDOWS_1256, TextEncoding::kSingleByte, "WINDOWS-1256", "WINDOWS-1256" },
	{ B_MS_WINDOWS_1257, TextEncoding::kSingleByte, "WINDOWS-1257", "WINDOWS-1257" },
	{ B_MS_WINDOWS_1258, TextEncoding::kSingleByte, "WINDOWS-1258", "WINDOWS-1258" },
	{ B_MAC_CYRILLIC, TextEncoding::kSingleByte, "MAC-CYRILLIC", "MAC-CYRILLIC" },
	// As browsers read them: Shift_JIS as Microsoft's superset, EUC-KR as
	// its Unified Hangul superset, GB2312 and GBK with GB18030's decoder.
	{ B_SHIFT_JIS, TextEncoding::kShiftJIS, "CP932", "CP932" },
	{ B_EUC_JP, TextEncoding::kEUCJP, "EUC-JP", "EUC-JP" },
	{ B_EUC_KR, TextEncoding::kEUCKR, "CP949", "CP949" },
	{ B_GBK, TextEncoding::kGB, "GB18030", "GBK" },
	{ B_GB18030, TextEncoding::kGB, "GB18030", "GB18030" },
	{ B_BIG5, TextEncoding::kBig5, "CP950", "CP950" },
};

const int32 kEncodingCount = sizeof(kEncodings) / sizeof(kEncodings[0]);

}	// namespace


// #pragma mark - UTF-8


int32
utf8_char_length(const uint8* text, int32 length)
{
	uint8 lead = text[0];
	if (lead < 0x80)
		return 1;
	int32 need;
	uint8 low = 0x80;
	uint8 high = 0xbf;
	if (lead >= 0xc2 && lead <= 0xdf)
		need = 2;
	else if (lead >= 0xe0 && lead <= 0xef) {
		need = 3;
		if (lead == 0xe0)
			low = 0xa0;		// overlong
		else if (lead == 0xed)
			high = 0x9f;	// surrogates
	} else if (lead >= 0xf0 && lead <= 0xf4) {
		need = 4;
		if (lead == 0xf0)
			low = 0x90;
		else if (lead == 0xf4)
			high = 0x8f;	// beyond U+10FFFF
	} else
		return 1;
	if (length < need || !in(text[1], low, high))
		return 1;
	for (int32 i = 2; i < need; i++) {
		if (!in(text[i], 0x80, 0xbf))
			return 1;
	}
	return need;
}


uint32
utf8_decode(const uint8* text, int32 charLength)
{
	switch (charLength) {
		case 1:
			return text[0] < 0x80 ? text[0] : kReplacementCharacter;
		case 2:
			return ((text[0] & 0x1f) << 6) | (text[1] & 0x3f);
		case 3:
			return ((text[0] & 0x0f) << 12) | ((text[1] & 0x3f) << 6) | (text[2] & 0x3f);
		case 4:
			return ((text[0] & 0x07) << 18) | ((text[1] & 0x3f) << 12)
				| ((text[2] & 0x3f) << 6) | (text[3] & 0x3f);
	}
	return kReplacementCharacter;
}


void
utf8_append(uint32 code, std::string* out)
{
	if (code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
		code = kReplacementCharacter;
	if (code < 0x80) {
		*out += (char)code;
	} else if (code < 0x800) {
		*out += (char)(0xc0 | (code >> 6));
		*out += (char)(0x80 | (code & 0x3f));
	} else if (code < 0x10000) {
		*out += (char)(0xe0 | (code >> 12));
		*out += (char)(0x80 | ((code >> 6) & 0x3f));
		*out += (char)(0x80 | (code & 0x3f));
	} else {
		*out += (char)(0xf0 | (code >> 18));
		*out += (char)(0x80 | ((code >> 12) & 0x3f));
		*out += (char)(0x80 | ((code >> 6) & 0x3f));
		*out += (char)(0x80 | (code & 0x3f));
	}
}


// #pragma mark - TextEncoding


const TextEncoding*
TextEncoding::ForFont(uint8 fontEncoding)
{
	// Built on first use and kept for the life of the process (never torn
	// down at exit, when other threads may still be decoding).
	static TextEncoding* sEncodings[kEncodingCount];
	static std::once_flag sOnce[kEncodingCount];
	int32 index = 1;	// B_ISO_8859_1
	for (int32 i = 0; i < kEncodingCount; i++) {
		if (kEncodings[i].font == fontEncoding) {
			index = i;
			break;
		}
	}
	std::call_once(sOnce[index], [index]() {
		const EncodingEntry& entry = kEncodings[index];
		sEncodings[index] = new TextEncoding(entry.font, entry.kind,
			entry.showAs, entry.writeAs);
	});
	return sEncodings[index];
}


TextEncoding::TextEncoding(uint8 fontEncoding, Kind kind, const char* showAs,
	const char* writeAs)
	:
	fFontEncoding(fontEncoding),
	fKind(kind),
	fDecoder(new HostConverter("UTF-32LE", showAs)),
	fEncoder(new HostConverter(writeAs, "UTF-32LE")),
	fPairs(NULL),
	fPairsBuilt(false)
{
	HostConverter writer("UTF-32LE", writeAs);
	for (int32 byte = 0; byte < 0x100; byte++) {
		uint32 code = byte;
		uint32 written = byte;
		if (byte >= 0x80) {
			uint8 single = (uint8)byte;
			code = kind != kUTF8 ? decode_one(*fDecoder, &single, 1) : 0;
			if (code == 0) {
				// Bytes a code page leaves undefined are the C1 controls of
				// their value (shown as nothing), as browsers read them.
				code = kind == kSingleByte && byte < 0xa0 ? byte : kReplacementCharacter;
			}
			written = kind == kSingleByte ? decode_one(writer, &single, 1) : 0;
		}
		fTable[byte] = code;
		fWritten[byte] = written;
	}
}


bool
TextEncoding::MayBeginLonger(uint8 byte) const
{
	switch (fKind) {
		case kUTF8:
			return in(byte, 0xc2, 0xf4);
		case kSingleByte:
			return false;
		case kShiftJIS:
			return in(byte, 0x81, 0x9f) || in(byte, 0xe0, 0xfc);
		case kEUCJP:
			return byte == 0x8e || byte == 0x8f || in(byte, 0xa1, 0xfe);
		case kEUCKR:
		case kGB:
		case kBig5:
			return in(byte, 0x81, 0xfe);
	}
	return false;
}


bool
TextEncoding::StandsAlone(uint8 byte) const
{
	// Below the lowest byte that can follow a lead byte.
	switch (fKind) {
		case kUTF8:
		case kEUCJP:
			return byte < 0x80;
		case kSingleByte:
			return true;
		case kShiftJIS:
		case kBig5:
			return byte < 0x40;
		case kEUCKR:
			return byte < 0x41;
		case kGB:
			return byte < 0x30;
	}
	return true;
}


int32
TextEncoding::CharLength(const uint8* text, int32 length) const
{
	uint8 lead = text[0];
	if (fKind == kSingleByte || lead < 0x80 || length < 2)
		return 1;
	if (fKind == kUTF8)
		return utf8_char_length(text, length);
	if (!MayBeginLonger(lead))
		return 1;
	uint8 second = text[1];
	if (fKind == kEUCJP && lead == 0x8f) {
		return length >= 3 && in(second, 0xa1, 0xfe) && in(text[2], 0xa1, 0xfe)
			? 3 : 1;
	}
	if (fKind == kGB && in(second, 0x30, 0x39)) {
		return length >= 4 && in(text[2], 0x81, 0xfe) && in(text[3], 0x30, 0x39)
			? 4 : 1;
	}
	return _PairLength(text, length);
}


int32
TextEncoding::_PairLength(const uint8* text, int32) const
{
	uint8 lead = text[0];
	uint8 trail = text[1];
	bool trailFits;
	switch (fKind) {
		case kShiftJIS:
			trailFits = in(trail, 0x40, 0x7e) || in(trail, 0x80, 0xfc);
			break;
		case kEUCJP:
			trailFits = lead == 0x8e ? in(trail, 0xa1, 0xdf) : in(trail, 0xa1, 0xfe);
			break;
		case kEUCKR:
			trailFits = in(trail, 0x41, 0x5a) || in(trail, 0x61, 0x7a)
				|| in(trail, 0x81, 0xfe);
			break;
		case kGB:
			trailFits = in(trail, 0x40, 0x7e) || in(trail, 0x80, 0xfe);
			break;
		case kBig5:
			trailFits = in(trail, 0x40, 0x7e) || in(trail, 0xa1, 0xfe);
			break;
		default:
			trailFits = false;
	}
	if (!trailFits)
		return 1;
	// A pair the encoding leaves undefined is one bad character, unless
	// its second byte is ASCII: then that byte stands for itself.
	if (_Pair(lead, trail) == 0 && trail < 0x80)
		return 1;
	return 2;
}


void
TextEncoding::_BuildPairs() const
{
	uint32* pairs = new uint32[128 * 256];
	memset(pairs, 0, 128 * 256 * sizeof(uint32));
	iconv_t converter = iconv_open("UTF-32LE", fDecoder->From());
	if (converter != (iconv_t)-1) {
		for (int32 lead = 0x81; lead <= 0xfe; lead++) {
			if (!MayBeginLonger((uint8)lead) || (fKind == kEUCJP && lead == 0x8f))
				continue;
			for (int32 trail = 0x40; trail <= 0xfe; trail++) {
				char input[2] = { (char)lead, (char)trail };
				uint8 output[16];
				char* in = input;
				char* out = (char*)output;
				size_t inLeft = 2;
				size_t outLeft = sizeof(output);
				iconv(converter, NULL, NULL, NULL, NULL);
				size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
				if (result == (size_t)-1 || inLeft != 0 || sizeof(output) - outLeft != 4)
					continue;
				uint32 code = output[0] | (output[1] << 8) | (output[2] << 16)
					| ((uint32)output[3] << 24);
				pairs[(lead - 0x80) * 256 + trail] = code;
			}
		}
		iconv_close(converter);
	}
	fPairs = pairs;
}


uint32
TextEncoding::_Pair(uint8 lead, uint8 trail) const
{
	static std::mutex sLock;
	if (!__atomic_load_n(&fPairsBuilt, __ATOMIC_ACQUIRE)) {
		std::lock_guard<std::mutex> lock(sLock);
		if (!fPairsBuilt) {
			_BuildPairs();
			__atomic_store_n(&fPairsBuilt, true, __ATOMIC_RELEASE);
		}
	}
	return fPairs[(lead - 0x80) * 256 + trail];
}


uint32
TextEncoding::_DecodeWithHost(const uint8* text, int32 length) const
{
	uint32 code = decode_one(*fDecoder, text, length);
	return code != 0 ? code : kReplacementCharacter;
}


uint32
TextEncoding::Decode(const uint8* text, int32 charLength) const
{
	if (charLength <= 1)
		return fTable[text[0]];
	if (fKind == kUTF8)
		return utf8_decode(text, charLength);
	if (charLength == 2) {
		uint32 code = _Pair(text[0], text[1]);
		return code != 0 ? code : kReplacementCharacter;
	}
	return _DecodeWithHost(text, charLength);
}


bool
TextEncoding::Encode(uint32 code, std::string* out) const
{
	if (code < 0x80) {
		*out += (char)code;
		return true;
	}
	if (code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
		return false;
	if (fKind == kUTF8) {
		utf8_append(code, out);
		return true;
	}
	std::string bytes;
	if (fKind == kSingleByte) {
		// Bytes the encoding writes are those of the characters it has
		// where it is written, which is not always where it is shown.
		for (int32 byte = 0x80; byte < 0x100; byte++) {
			if (fWritten[byte] == code) {
				bytes = (char)byte;
				break;
			}
		}
	} else {
		uint8 utf32[4] = { (uint8)code, (uint8)(code >> 8), (uint8)(code >> 16),
			(uint8)(code >> 24) };
		if (!fEncoder->Convert((const char*)utf32, 4, &bytes))
			return false;
	}
	if (bytes.empty() || bytes.size() > (size_t)kMaxCharacterBytes)
		return false;
	// Only bytes that read back as this very character, as one character,
	// are written: a converter's stand-in (a backslash for the yen sign,
	// say) would change the text.
	const uint8* written = (const uint8*)bytes.data();
	int32 length = CharLength(written, (int32)bytes.size());
	if (length != (int32)bytes.size() || Decode(written, length) != code)
		return false;
	*out += bytes;
	return true;
}


void
TextEncoding::AppendFromUTF8(const char* utf8, int32 length, uint8 prefix,
	uint8 mark, uint8 noBreakSpace, bool asShown, std::string* out) const
{
	const uint8* bytes = (const uint8*)utf8;
	int32 i = 0;
	while (i < length) {
		uint8 byte = bytes[i];
		if (byte < 0x80) {
			// The special bytes never come from outside: a control
			// character of that value would turn into a mark.
			if ((mark == 0 || byte != mark)
				&& (noBreakSpace == 0 || byte != noBreakSpace))
				*out += (char)byte;
			i++;
			continue;
		}
		int32 charLength = utf8_char_length(bytes + i, length - i);
		uint32 code = utf8_decode(bytes + i, charLength);
		i += charLength;
		if (code == 0xa0 && noBreakSpace != 0) {
			*out += (char)noBreakSpace;
			continue;
		}
		if (Encode(code, out))
			continue;
		if (asShown && fKind == kSingleByte) {
			int32 shown = 0x80;
			while (shown < 0x100 && fTable[shown] != code)
				shown++;
			if (shown < 0x100) {
				*out += (char)shown;
				continue;
			}
		}
		if (prefix != 0) {
			*out += (char)prefix;
			*out += '#';
			*out += std::to_string(code);
			*out += ';';
		}
	}
}

}	// namespace BPrivate
