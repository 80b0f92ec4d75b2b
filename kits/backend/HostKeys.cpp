// Qt key codes to BeOS key bytes, raw key codes and modifiers.
#include "HostKeys.h"

#include <InterfaceDefs.h>

#include <cstring>

namespace BPrivate {

namespace {

struct SpecialKey {
	int32_t hostKey;
	uint8_t byte;
	int32_t key;	// BeOS raw key code
};

// Keys that type a BeOS control byte.
const SpecialKey kSpecialKeys[] = {
	{ HOST_KEY_ESCAPE, B_ESCAPE, 0x01 },
	{ HOST_KEY_TAB, B_TAB, 0x26 },
	{ HOST_KEY_BACKTAB, B_TAB, 0x26 },
	{ HOST_KEY_BACKSPACE, B_BACKSPACE, 0x1e },
	{ HOST_KEY_RETURN, B_RETURN, 0x47 },
	{ HOST_KEY_ENTER, B_ENTER, 0x5b },
	{ HOST_KEY_INSERT, B_INSERT, 0x1f },
	{ HOST_KEY_DELETE, B_DELETE, 0x34 },
	{ HOST_KEY_HOME, B_HOME, 0x20 },
	{ HOST_KEY_END, B_END, 0x35 },
	{ HOST_KEY_PAGE_UP, B_PAGE_UP, 0x21 },
	{ HOST_KEY_PAGE_DOWN, B_PAGE_DOWN, 0x36 },
	{ HOST_KEY_LEFT, B_LEFT_ARROW, 0x61 },
	{ HOST_KEY_RIGHT, B_RIGHT_ARROW, 0x63 },
	{ HOST_KEY_UP, B_UP_ARROW, 0x57 },
	{ HOST_KEY_DOWN, B_DOWN_ARROW, 0x62 },
	{ HOST_KEY_PRINT, B_FUNCTION_KEY, B_PRINT_KEY },
	{ HOST_KEY_SCROLL_LOCK, B_FUNCTION_KEY, B_SCROLL_KEY },
	{ HOST_KEY_PAUSE, B_FUNCTION_KEY, B_PAUSE_KEY },
};

// BeOS raw key codes of the typing keys, by their unshifted US character.
int32_t RawKeyFor(int32_t c)
{
	static const char kRow1[] = "`1234567890-=";	// 0x11 ...
	static const char kRow2[] = "qwertyuiop[]\\";	// 0x27 ...
	static const char kRow3[] = "asdfghjkl;'";		// 0x3c ...
	static const char kRow4[] = "zxcvbnm,./";		// 0x4c ...
	if (c == ' ')
		return 0x5e;
	if (c <= 0 || c > 0x7f)
		return 0;
	if (const char* at = strchr(kRow1, c))
		return 0x11 + (int32_t)(at - kRow1);
	if (const char* at = strchr(kRow2, c))
		return 0x27 + (int32_t)(at - kRow2);
	if (const char* at = strchr(kRow3, c))
		return 0x3c + (int32_t)(at - kRow3);
	if (const char* at = strchr(kRow4, c))
		return 0x4c + (int32_t)(at - kRow4);
	return 0;
}

int32_t Lower(int32_t c)
{
	return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// Writes the UTF-8 of a character; returns its length.
int32_t AppendUTF8(uint32_t c, char* out)
{
	if (c < 0x80) {
		out[0] = (char)c;
		return 1;
	}
	if (c < 0x800) {
		out[0] = (char)(0xc0 | (c >> 6));
		out[1] = (char)(0x80 | (c & 0x3f));
		return 2;
	}
	if (c < 0x10000) {
		out[0] = (char)(0xe0 | (c >> 12));
		out[1] = (char)(0x80 | ((c >> 6) & 0x3f));
		out[2] = (char)(0x80 | (c & 0x3f));
		return 3;
	}
	out[0] = (char)(0xf0 | (c >> 18));
	out[1] = (char)(0x80 | ((c >> 12) & 0x3f));
	out[2] = (char)(0x80 | ((c >> 6) & 0x3f));
	out[3] = (char)(0x80 | (c & 0x3f));
	return 4;
}

}	// namespace


uint32_t translate_host_modifiers(uint32_t hostModifiers)
{
	uint32_t modifiers = 0;
	if (hostModifiers & HOST_SHIFT_MODIFIER)
		modifiers |= B_SHIFT_KEY | B_LEFT_SHIFT_KEY;
	if (hostModifiers & HOST_ALT_MODIFIER)
		modifiers |= B_COMMAND_KEY | B_LEFT_COMMAND_KEY;
	if (hostModifiers & HOST_CONTROL_MODIFIER)
		modifiers |= B_CONTROL_KEY | B_LEFT_CONTROL_KEY;
	if (hostModifiers & HOST_META_MODIFIER)
		modifiers |= B_OPTION_KEY | B_LEFT_OPTION_KEY;
	return modifiers;
}


bool translate_host_key(int32_t hostKey, uint32_t hostModifiers, const uint16_t* text,
	int32_t textLength, HostKeyTranslation* out)
{
	memset(out, 0, sizeof(*out));
	out->modifiers = translate_host_modifiers(hostModifiers);

	// Modifier keys alone type nothing.
	if (hostKey >= HOST_KEY_SHIFT && hostKey <= HOST_KEY_NUM_LOCK)
		return false;

	for (const SpecialKey& special : kSpecialKeys) {
		if (special.hostKey == hostKey) {
			out->bytes[0] = (char)special.byte;
			out->numBytes = 1;
			out->key = special.key;
			out->rawChar = special.byte;
			return true;
		}
	}
	if (hostKey >= HOST_KEY_F1 && hostKey <= HOST_KEY_F12) {
		out->bytes[0] = (char)B_FUNCTION_KEY;
		out->numBytes = 1;
		out->key = B_F1_KEY + (hostKey - HOST_KEY_F1);
		out->rawChar = B_FUNCTION_KEY;
		return true;
	}

	// The character the key stands for without modifiers: Qt's key code is
	// the upper-case character for letters.
	int32_t unmodified = 0;
	if (hostKey >= 0x20 && hostKey <= 0xff)
		unmodified = Lower(hostKey);

	int32_t typed = -1;
	if (textLength > 0 && text != nullptr && text[0] >= 0x20 && text[0] != 0x7f) {
		typed = text[0];
		if (typed >= 0xd800 && typed <= 0xdbff) {
			if (textLength < 2 || text[1] < 0xdc00 || text[1] > 0xdfff)
				return false;	// half a character
			typed = 0x10000 + ((typed - 0xd800) << 10) + (text[1] - 0xdc00);
		} else if (typed >= 0xdc00 && typed <= 0xdfff)
			return false;
	}
	if (typed < 0) {
		// No printable text (Control or Command held, or a dead text):
		// build the character from the key code.
		if (unmodified == 0)
			return false;
		typed = unmodified;
		if ((hostModifiers & HOST_SHIFT_MODIFIER) && typed >= 'a' && typed <= 'z')
			typed -= 'a' - 'A';
	}
	bool command = (hostModifiers & HOST_ALT_MODIFIER) != 0;
	bool control = (hostModifiers & HOST_CONTROL_MODIFIER) != 0;
	if (control && !command) {
		// Control+letter types the control character, as on BeOS.
		int32_t letter = Lower(typed);
		if (letter >= 'a' && letter <= 'z')
			typed = letter - 'a' + 1;
	} else if (command && typed >= 0x80 && unmodified != 0) {
		// Command shortcuts go by the key, not by what Alt composes.
		typed = unmodified;
	}
	out->numBytes = AppendUTF8((uint32_t)typed, out->bytes);
	out->bytes[out->numBytes] = '\0';
	out->rawChar = unmodified != 0 ? unmodified : (typed < 0x80 ? Lower(typed) : typed);
	out->key = RawKeyFor(out->rawChar);
	return true;
}

}	// namespace BPrivate
