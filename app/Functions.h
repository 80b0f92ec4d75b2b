/*
 * Text and number helpers, and the line-oriented file text helpers.
 *
 * Strings are zero-terminated 8-bit byte strings. The helpers that write into
 * a caller's buffer do not know its size: every caller sizes the buffer from
 * its input (the size each one needs is given below). Only newtext() and the
 * Load functions allocate; what they return is freed with delete[].
 */
#ifndef QUILLORA_FUNCTIONS_H
#define QUILLORA_FUNCTIONS_H

#include <stddef.h>

#include <string>

class BFile;

// Appends s1 ... s6 in this order to the string already in dst (like
// strcat); null pieces are skipped. dst must hold a terminated string and
// have room for strlen(dst) + the lengths of the pieces + 1 bytes.
void endstrcpys(char* dst, const char* s1, const char* s2 = nullptr,
	const char* s3 = nullptr, const char* s4 = nullptr, const char* s5 = nullptr,
	const char* s6 = nullptr);

// The combined length of the non-null pieces (the room endstrcpys() needs
// beyond what dst already holds, without the terminator).
size_t piecelength(const char* s1, const char* s2 = nullptr,
	const char* s3 = nullptr, const char* s4 = nullptr, const char* s5 = nullptr,
	const char* s6 = nullptr);

// True if a is a prefix of b, ignoring case (strcmpxcase) or not
// (strcmpdiflen). An empty a is a prefix of anything; a null argument gives
// false.
bool strcmpxcase(const char* a, const char* b);
bool strcmpdiflen(const char* a, const char* b);

// How many leading bytes a and b have in common, ignoring case
// (strcmplenxcase) or not (strcmplen); 0 when either is null.
int strcmplenxcase(const char* a, const char* b);
int strcmplen(const char* a, const char* b);

// Value of the two hexadecimal digits s[0], s[1] (not validated); 0 for null.
int hexitoa(const char* s);

// Two upper-case hexadecimal digits of |n| into dst (3 bytes); values above
// 255 are reported. Returns dst, or null when dst is null.
char* itoahex(int n, char* dst);

// n in decimal into dst (12 bytes are always enough for 32 bits). Returns
// dst, or null when dst is null.
char* itoa(int n, char* dst);

// A new[] copy of s, or null when s is null.
char* newtext(const char* s);

// Appends value between double quotes, as a tag option's value is written:
// a double quote inside it becomes "&quot;", which cannot end the value
// early and so cannot let a '>' inside it end the tag. A null value is "".
void appendquoted(std::string& dst, const char* value);

// The four bytes of a message code, most significant first, into dst
// (5 bytes). Returns dst, or null when dst is null.
char* CopyInt32AsString(char* dst, long code);

// Copies src into dst with its "../" and "./" steps resolved; dst needs
// strlen(src) + 1 bytes (the result is never longer than src). Returns dst,
// or null when either is null.
char* ProcessPath(char* dst, const char* src);

// Reads from the file's position up to and including the next delimiter and
// returns the bytes before it (new[]); the position ends after the
// delimiter. A last piece without a delimiter is returned whole. Null for a
// null file, at the end of the file, or when reading fails.
char* LoadUntil(BFile* file, char delimiter);
char* LoadUntilEnter(BFile* file);

// Writes text (WriteText) or text and one line feed (WriteTextEnter; a null
// text writes only the line feed) at the file's position.
void WriteText(BFile* file, const char* text);
void WriteTextEnter(BFile* file, const char* text);

#endif	// QUILLORA_FUNCTIONS_H
