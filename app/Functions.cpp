/*
 * Text and number helpers, and the file text helpers of the settings file.
 */
#include "Functions.h"

#include <ctype.h>
#include <string.h>

#include <File.h>

#include "Alerts.h"


void
endstrcpys(char* dst, const char* s1, const char* s2, const char* s3,
	const char* s4, const char* s5, const char* s6)
{
	if (dst == nullptr)
		return;
	const char* pieces[6] = { s1, s2, s3, s4, s5, s6 };
	char* end = dst + strlen(dst);
	for (const char* piece : pieces) {
		if (piece == nullptr)
			continue;
		size_t length = strlen(piece);
		memcpy(end, piece, length);
		end += length;
	}
	*end = '\0';
}


size_t
piecelength(const char* s1, const char* s2, const char* s3, const char* s4,
	const char* s5, const char* s6)
{
	const char* pieces[6] = { s1, s2, s3, s4, s5, s6 };
	size_t length = 0;
	for (const char* piece : pieces) {
		if (piece != nullptr)
			length += strlen(piece);
	}
	return length;
}


// Case folding works on the byte as a signed character, as the C library's
// tolower() is called on it; bytes above 127 are negative then and tolower()
// is only defined for EOF and unsigned char values, so they are left alone.
static inline int
fold(char c)
{
	unsigned char u = (unsigned char)c;
	return u < 128 ? tolower(u) : u;
}


bool
strcmpxcase(const char* a, const char* b)
{
	if (a == nullptr || b == nullptr)
		return false;
	size_t lengthA = strlen(a);
	if (strlen(b) < lengthA)
		return false;
	for (size_t i = 0; i < lengthA; i++) {
		if (fold(a[i]) != fold(b[i]))
			return false;
	}
	return true;
}


bool
strcmpdiflen(const char* a, const char* b)
{
	if (a == nullptr || b == nullptr)
		return false;
	size_t lengthA = strlen(a);
	if (strlen(b) < lengthA)
		return false;
	return memcmp(a, b, lengthA) == 0;
}


int
strcmplenxcase(const char* a, const char* b)
{
	if (a == nullptr || b == nullptr)
		return 0;
	int count = 0;
	while (a[count] != '\0' && b[count] != '\0'
		&& fold(a[count]) == fold(b[count]))
		count++;
	return count;
}


int
strcmplen(const char* a, const char* b)
{
	if (a == nullptr || b == nullptr)
		return 0;
	int count = 0;
	while (a[count] != '\0' && b[count] != '\0' && a[count] == b[count])
		count++;
	return count;
}


static inline int
hexdigit(char c)
{
	unsigned char u = (unsigned char)c;
	if (u < 128)
		u = (unsigned char)toupper(u);
	if (u < 'A')
		return (int)u - '0';
	return (int)u - 'A' + 10;
}


int
hexitoa(const char* s)
{
	if (s == nullptr)
		return 0;
	// The second digit is only looked at when the string has one: a single
	// digit must not read past its terminator.
	if (s[0] == '\0')
		return 0;
	return 16 * hexdigit(s[0]) + hexdigit(s[1]);
}


char*
itoahex(int n, char* dst)
{
	if (dst == nullptr)
		return nullptr;
	// Work unsigned: the absolute value of the most negative int does not
	// fit into an int.
	unsigned int value = n < 0 ? 0u - (unsigned int)n : (unsigned int)n;
	if (value > 255)
		alert("itoahex can't convert numbers > 255");
	unsigned int high = (value >> 4) & 0xf;
	unsigned int low = value & 0xf;
	dst[0] = (char)(high < 10 ? '0' + high : 'A' + high - 10);
	dst[1] = (char)(low < 10 ? '0' + low : 'A' + low - 10);
	dst[2] = '\0';
	return dst;
}


char*
itoa(int n, char* dst)
{
	if (dst == nullptr)
		return nullptr;
	// Digits are produced from the least significant end into a work area.
	// The magnitude is taken unsigned, so the most negative value converts
	// like every other one.
	char work[33];
	int position = 32;
	work[position] = '\0';
	bool negative = n < 0;
	unsigned int value = negative ? 0u - (unsigned int)n : (unsigned int)n;
	do {
		work[--position] = (char)('0' + value % 10);
		value /= 10;
	} while (value != 0 && position > 1);
	if (value != 0)
		alert("Error in itoa() - the number is too high for conversion!");
	if (negative)
		work[--position] = '-';
	strcpy(dst, work + position);
	return dst;
}


void
appendquoted(std::string& dst, const char* value)
{
	dst += '"';
	for (const char* p = value; p != nullptr && *p != '\0'; p++) {
		if (*p == '"')
			dst += "&quot;";
		else
			dst += *p;
	}
	dst += '"';
}


char*
newtext(const char* s)
{
	if (s == nullptr)
		return nullptr;
	size_t length = strlen(s);
	char* copy = new char[length + 1];
	memcpy(copy, s, length + 1);
	return copy;
}


char*
CopyInt32AsString(char* dst, long code)
{
	if (dst == nullptr)
		return nullptr;
	uint32_t value = (uint32_t)code;
	dst[0] = (char)((value >> 24) & 0xff);
	dst[1] = (char)((value >> 16) & 0xff);
	dst[2] = (char)((value >> 8) & 0xff);
	dst[3] = (char)(value & 0xff);
	dst[4] = '\0';
	return dst;
}


char*
ProcessPath(char* dst, const char* src)
{
	if (dst == nullptr || src == nullptr)
		return nullptr;
	size_t in = 0;
	size_t out = 0;
	while (src[in] != '\0') {
		bool skipped = false;
		// A "../" removes the last directory written. With nothing left to
		// remove (fewer than two bytes written) the step is dropped, so that
		// "/../a" stays inside the root as "/a" and a relative path never
		// reaches above its start.
		while (strncmp(src + in, "../", 3) == 0) {
			in += 3;
			skipped = true;
			if (out < 2)
				continue;
			// Cut back to just after the '/' that precedes the final one
			// (an absolute path keeps its leading '/').
			size_t last = out;
			while (last > 0 && dst[last - 1] != '/')
				last--;
			if (last == 0) {
				// No '/' written at all: the whole relative name goes.
				out = 0;
				continue;
			}
			size_t position = last - 1;
			if (position > 0)
				position--;
			while (position > 0 && dst[position] != '/')
				position--;
			out = dst[position] == '/' ? position + 1 : 0;
		}
		while (strncmp(src + in, "./", 2) == 0) {
			in += 2;
			skipped = true;
		}
		if (skipped)
			continue;
		dst[out++] = src[in++];
	}
	dst[out] = '\0';
	return dst;
}


char*
LoadUntil(BFile* file, char delimiter)
{
	if (file == nullptr)
		return nullptr;
	off_t size = 0;
	if (file->GetSize(&size) != B_OK)
		return nullptr;
	off_t start = file->Position();
	if (start < 0 || start >= size)
		return nullptr;

	off_t scan = start;
	bool foundDelimiter = false;
	while (scan < size) {
		char c;
		if (file->ReadAt(scan, &c, 1) != 1)
			return nullptr;
		scan++;
		if (c == delimiter) {
			foundDelimiter = true;
			break;
		}
	}

	size_t length = (size_t)(scan - start);
	char* piece = new char[length + 1];
	if (file->Read(piece, length) != (ssize_t)length) {
		delete[] piece;
		return nullptr;
	}
	// A last piece that ends at the end of the file keeps all its bytes.
	piece[foundDelimiter ? length - 1 : length] = '\0';
	return piece;
}


char*
LoadUntilEnter(BFile* file)
{
	return LoadUntil(file, '\n');
}


void
WriteText(BFile* file, const char* text)
{
	if (file == nullptr || text == nullptr)
		return;
	file->Write(text, strlen(text));
}


void
WriteTextEnter(BFile* file, const char* text)
{
	if (file == nullptr)
		return;
	WriteText(file, text);
	file->Write("\n", 1);
}
