// The two tag option readers. Both are plain text functions; neither touches
// the engine's state. Work buffers grow with the input instead of the fixed
// sizes the format was first written with.

#include "WYSIWYG_Engine.h"

#include <cctype>
#include <cstring>
#include <string>

namespace {

inline bool
IsWhite(char c)
{
	return isspace((unsigned char)c) != 0;
}

// True when text begins with prefix, ignoring case.
bool
StartsWithNoCase(const char* text, const char* prefix)
{
	for (; *prefix != '\0'; text++, prefix++) {
		if (*text == '\0' || tolower((unsigned char)*text)
				!= tolower((unsigned char)*prefix))
			return false;
	}
	return true;
}

char*
NewCopy(const char* from, size_t length)
{
	char* copy = new char[length + 1];
	memcpy(copy, from, length);
	copy[length] = '\0';
	return copy;
}

// Where the option that starts at p ends: at the white space after it, or
// at the end. Quotes are read as the parser reads them when it looks for a
// tag's '>': a quote opens a value only after '=' (blanks between allowed)
// and only when the same quote closes it further on; any other quote is a
// character like the rest. Options cut here are therefore whole as the
// parser saw them, so options kept from a tag and written back beside new
// ones never let a quoted '>' end the tag early.
const char*
OptionEnd(const char* p, const char* end)
{
	bool afterEquals = false;
	for (; p < end; p++) {
		char c = *p;
		if ((c == '"' || c == '\'') && afterEquals) {
			const char* close = (const char*)memchr(p + 1, c, end - p - 1);
			if (close != nullptr) {
				p = close;
				afterEquals = false;
				continue;
			}
		}
		if (IsWhite(c)) {
			if (!afterEquals)
				return p;
			// "NAME= value": the blanks end the option unless a quoted
			// value follows them.
			const char* next = p;
			while (next < end && IsWhite(*next))
				next++;
			if (next == end || (*next != '"' && *next != '\'')
				|| memchr(next + 1, *next, end - next - 1) == nullptr)
				return p;
			p = next - 1;
			continue;
		}
		afterEquals = c == '=';
	}
	return end;
}

}	// namespace

void
WYSIWYG_Engine::ReadTAGOption(const char* name, char** value,
	const char* options)
{
	if (value == nullptr)
		return;
	delete[] *value;
	*value = nullptr;
	if (name == nullptr || options == nullptr)
		return;

	std::string key = name;
	key += "=";

	const char* p = options;
	const char* end = options + strlen(options);
	while (p < end) {
		while (p < end && IsWhite(*p))
			p++;
		if (p == end)
			break;
		const char* optionEnd = OptionEnd(p, end);
		if (StartsWithNoCase(p, key.c_str())) {
			const char* start = p + key.size();
			while (start < optionEnd && IsWhite(*start))
				start++;
			const char* valueEnd;
			// Pages quote with either kind of quote; a value in single
			// quotes is no more its quotes than one in double quotes.
			if (start < optionEnd && (*start == '"' || *start == '\'')) {
				char quote = *start;
				start++;
				valueEnd = start;
				while (valueEnd < optionEnd && *valueEnd != quote)
					valueEnd++;
			} else {
				// A quote or white space ends it.
				valueEnd = start;
				while (valueEnd < optionEnd && *valueEnd != '"'
					&& !IsWhite(*valueEnd))
					valueEnd++;
			}
			*value = NewCopy(start, valueEnd - start);
			return;
		}
		p = optionEnd;
	}
}

void
WYSIWYG_Engine::ReadUnsupportedTAGOption(char** result, const char* options,
	const char* known1, const char* known2, const char* known3,
	const char* known4, const char* known5, const char* known6)
{
	if (result == nullptr)
		return;
	delete[] *result;
	*result = nullptr;
	if (options == nullptr)
		return;

	const char* known[6] = { known1, known2, known3, known4, known5, known6 };
	std::string kept;
	const char* p = options;
	size_t length = strlen(options);
	const char* end = options + length;
	while (true) {
		while (p < end && IsWhite(*p))
			p++;
		if (end - p < 2)
			break;
		bool isKnown = false;
		const char* start = p;
		for (const char* name : known) {
			if (name != nullptr && StartsWithNoCase(p, name)) {
				isKnown = true;
				break;
			}
		}
		p = OptionEnd(p, end);
		// The white space after it, all of it: a kept option is written
		// back with the line breaks and blanks that followed it.
		while (p < end && IsWhite(*p))
			p++;
		if (!isKnown)
			kept.append(start, p - start);
	}
	while (!kept.empty() && IsWhite(kept.back()))
		kept.pop_back();
	if (!kept.empty())
		*result = NewCopy(kept.data(), kept.size());
}
