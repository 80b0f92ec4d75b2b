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
	while (*p != '\0') {
		while (*p != '\0' && IsWhite(*p))
			p++;
		if (*p == '\0')
			break;
		if (StartsWithNoCase(p, key.c_str())) {
			const char* start = p + key.size();
			const char* end;
			// Pages quote with either kind of quote; a value in single
			// quotes is no more its quotes than one in double quotes.
			if (*start == '"' || *start == '\'') {
				char quote = *start;
				start++;
				end = start;
				while (*end != '\0' && *end != quote)
					end++;
			} else {
				// Any white space ends it, as it separates options.
				end = start;
				while (*end != '\0' && *end != '"' && !IsWhite(*end))
					end++;
			}
			*value = NewCopy(start, end - start);
			return;
		}
		while (*p != '\0' && !IsWhite(*p))
			p++;
		if (*p != '\0')
			p++;
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
				p += strlen(name);
				isKnown = true;
				break;
			}
		}
		// To the white space that ends the option; blanks inside a quoted
		// stretch belong to it.
		while (p < end && !IsWhite(*p)) {
			// A single quote quotes only a value (an apostrophe inside
			// an unquoted value is a letter of it).
			if (*p == '"' || (*p == '\'' && p > start && p[-1] == '=')) {
				char quote = *p;
				p++;
				while (p < end && *p != quote)
					p++;
				if (p < end)
					p++;
				continue;
			}
			p++;
		}
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
