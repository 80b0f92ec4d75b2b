/*
 * Translation of host key events into BeOS key messages. Qt-free and pure,
 * so it can be tested on its own: it takes Qt's key codes and modifier bits
 * as plain integers.
 */
#ifndef _QUILLORA_HOST_KEYS_H
#define _QUILLORA_HOST_KEYS_H

#include <cstdint>

namespace BPrivate {

// Qt's values (checked against Qt's headers where the backend includes them).
enum {
	HOST_KEY_ESCAPE = 0x01000000,
	HOST_KEY_TAB = 0x01000001,
	HOST_KEY_BACKTAB = 0x01000002,
	HOST_KEY_BACKSPACE = 0x01000003,
	HOST_KEY_RETURN = 0x01000004,
	HOST_KEY_ENTER = 0x01000005,
	HOST_KEY_INSERT = 0x01000006,
	HOST_KEY_DELETE = 0x01000007,
	HOST_KEY_PAUSE = 0x01000008,
	HOST_KEY_PRINT = 0x01000009,
	HOST_KEY_HOME = 0x01000010,
	HOST_KEY_END = 0x01000011,
	HOST_KEY_LEFT = 0x01000012,
	HOST_KEY_UP = 0x01000013,
	HOST_KEY_RIGHT = 0x01000014,
	HOST_KEY_DOWN = 0x01000015,
	HOST_KEY_PAGE_UP = 0x01000016,
	HOST_KEY_PAGE_DOWN = 0x01000017,
	HOST_KEY_SHIFT = 0x01000020,
	HOST_KEY_CONTROL = 0x01000021,
	HOST_KEY_META = 0x01000022,
	HOST_KEY_ALT = 0x01000023,
	HOST_KEY_CAPS_LOCK = 0x01000024,
	HOST_KEY_NUM_LOCK = 0x01000025,
	HOST_KEY_SCROLL_LOCK = 0x01000026,
	HOST_KEY_F1 = 0x01000030,
	HOST_KEY_F12 = 0x0100003b,
	HOST_KEY_SPACE = 0x20
};

enum {
	HOST_SHIFT_MODIFIER = 0x02000000,
	HOST_CONTROL_MODIFIER = 0x04000000,
	HOST_ALT_MODIFIER = 0x08000000,
	HOST_META_MODIFIER = 0x10000000,
	HOST_KEYPAD_MODIFIER = 0x20000000
};

struct HostKeyTranslation {
	char bytes[5];		// the UTF-8 of one character or a key byte, NUL-terminated
	int32_t numBytes;	// 0: the key types nothing (a modifier, an unmapped key)
	int32_t key;		// the BeOS raw key code, 0 when unknown
	int32_t rawChar;	// the character without Shift/Control/Command applied
	uint32_t modifiers;	// B_SHIFT_KEY, B_COMMAND_KEY (Alt), B_CONTROL_KEY, B_OPTION_KEY ...
};

// BeOS modifier bits for Qt's modifier bits.
uint32_t translate_host_modifiers(uint32_t hostModifiers);

// text/textLength: the UTF-16 text the host typed for the key (may be
// empty; a character beyond the BMP is its two surrogates). The character
// is typed as its UTF-8 bytes, as on BeOS. Returns false when the event has
// no BeOS meaning at all.
bool translate_host_key(int32_t hostKey, uint32_t hostModifiers, const uint16_t* text,
	int32_t textLength, HostKeyTranslation* out);

}	// namespace BPrivate

#endif	// _QUILLORA_HOST_KEYS_H
