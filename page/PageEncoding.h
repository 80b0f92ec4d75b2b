/*
 * In which encoding a page's text is, decided once when the page file is
 * read, as browsers decide it: a UTF-8 byte-order mark; else a charset
 * declared in a META tag ("charset=" in its CONTENT, or its CHARSET); else
 * UTF-8 when the bytes hold characters beyond ASCII and all of them are
 * valid UTF-8; else Latin-1 (shown as windows-1252). An empty page is
 * Latin-1.
 *
 * The page keeps its bytes in that encoding from then on; only encodings in
 * which ASCII bytes are ASCII can be kept that way. A UTF-16 or UTF-32 file
 * (known by its byte-order mark) is turned into UTF-8 when it is read.
 */
#ifndef QUILLORA_PAGE_ENCODING_H
#define QUILLORA_PAGE_ENCODING_H

#include <SupportDefs.h>

#include <stddef.h>

#include <string>

struct PageEncoding {
	// The BFont encoding constant of the page's text.
	uint8 encoding;
	// Bytes of the byte-order mark the file begins with (0 without one).
	int32 byteOrderMark;
	// 2 or 4 for a UTF-16 or UTF-32 file, 1 for every other.
	int32 unitBytes;
	bool bigEndian;
};

// The UTF-8 byte-order mark.
extern const char kUTF8ByteOrderMark[4];

PageEncoding page_encoding(const char* bytes, size_t length);

// The encoding a charset name stands for (names as browsers know them, in
// any case); false for a name not known here.
bool charset_encoding(const char* name, size_t length, uint8* encoding);

// The charset the first META tag that declares one known here declares.
// The whole page is looked through, comments left out: the editor writes
// the tags of the head it does not know after BODY.
bool declared_encoding(const char* bytes, size_t length, uint8* encoding);

// Whether the bytes hold characters beyond ASCII and are all valid UTF-8.
bool is_utf8_beyond_ascii(const char* bytes, size_t length);

// The UTF-16 or UTF-32 text (after its byte-order mark) as UTF-8; a unit
// that is no character (a lone surrogate, a last incomplete unit) becomes
// U+FFFD.
void wide_to_utf8(const char* bytes, size_t length, int32 unitBytes,
	bool bigEndian, std::string* out);

#endif	// QUILLORA_PAGE_ENCODING_H
