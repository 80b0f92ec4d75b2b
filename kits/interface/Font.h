/*
 * BFont: a family, style and size of one of the installed fonts.
 *
 * Sizes are pixels (BeOS assumed 72 dpi, so its points were pixels). Strings
 * are bytes in the font's encoding, for measuring and drawing alike: with
 * B_UNICODE_UTF8 they are UTF-8, with B_ISO_8859_1 each byte is one
 * character (shown as windows-1252 shows it, as browsers show Latin-1), and
 * so on for the other encodings; a byte that begins no valid character is
 * one character shown as U+FFFD. Unlike BeOS the default encoding is
 * B_ISO_8859_1: the program's own texts are 8-bit, and a page says in which
 * encoding its fonts are.
 */
#ifndef _FONT_H
#define _FONT_H

#include <InterfaceDefs.h>
#include <SupportDefs.h>

#define B_FONT_FAMILY_LENGTH 63
#define B_FONT_STYLE_LENGTH 63
typedef char font_family[B_FONT_FAMILY_LENGTH + 1];
typedef char font_style[B_FONT_STYLE_LENGTH + 1];

// Spacing.
enum {
	B_CHAR_SPACING = 0,
	B_STRING_SPACING = 1,
	B_BITMAP_SPACING = 2,
	B_FIXED_SPACING = 3
};

enum font_direction {
	B_FONT_LEFT_TO_RIGHT = 0,
	B_FONT_RIGHT_TO_LEFT = 1
};

// Flags of a font and of families and styles.
enum {
	B_DISABLE_ANTIALIASING = 0x00000001,
	B_FORCE_ANTIALIASING = 0x00000002
};

#define B_IS_FIXED 0x00000001
#define B_HAS_TUNED_FONT 0x00010000

// Encodings.
enum {
	B_UNICODE_UTF8 = 0,
	B_ISO_8859_1 = 1,
	B_ISO_8859_2 = 2,
	B_ISO_8859_3 = 3,
	B_ISO_8859_4 = 4,
	B_ISO_8859_5 = 5,
	B_ISO_8859_6 = 6,
	B_ISO_8859_7 = 7,
	B_ISO_8859_8 = 8,
	B_ISO_8859_9 = 9,
	B_ISO_8859_10 = 10,
	B_MACINTOSH_ROMAN = 11,
	// Kit extension: the other encodings pages are written in, so that a
	// page's bytes can be shown as they are. Every one keeps ASCII bytes
	// as ASCII characters.
	B_ISO_8859_13 = 12,
	B_ISO_8859_14 = 13,
	B_ISO_8859_15 = 14,
	B_ISO_8859_16 = 15,
	B_KOI8_R = 16,
	B_KOI8_U = 17,
	B_MS_DOS_866 = 18,
	B_MS_WINDOWS_874 = 19,
	B_MS_WINDOWS_1250 = 20,
	B_MS_WINDOWS_1251 = 21,
	B_MS_WINDOWS_1252 = 22,
	B_MS_WINDOWS_1253 = 23,
	B_MS_WINDOWS_1254 = 24,
	B_MS_WINDOWS_1255 = 25,
	B_MS_WINDOWS_1256 = 26,
	B_MS_WINDOWS_1257 = 27,
	B_MS_WINDOWS_1258 = 28,
	B_MAC_CYRILLIC = 29,
	B_SHIFT_JIS = 30,
	B_EUC_JP = 31,
	B_EUC_KR = 32,
	B_GBK = 33,
	B_GB18030 = 34,
	B_BIG5 = 35
};

// Masks for BView::SetFont() and BTextView::SetFontAndColor().
enum {
	B_FONT_FAMILY_AND_STYLE = 0x00000001,
	B_FONT_SIZE = 0x00000002,
	B_FONT_SHEAR = 0x00000004,
	B_FONT_ROTATION = 0x00000008,
	B_FONT_SPACING = 0x00000010,
	B_FONT_ENCODING = 0x00000020,
	B_FONT_FACE = 0x00000040,
	B_FONT_FLAGS = 0x00000080,
	B_FONT_ALL = 0x000000FF
};

// Faces.
enum {
	B_ITALIC_FACE = 0x0001,
	B_UNDERSCORE_FACE = 0x0002,
	B_NEGATIVE_FACE = 0x0004,
	B_OUTLINED_FACE = 0x0008,
	B_STRIKEOUT_FACE = 0x0010,
	B_BOLD_FACE = 0x0020,
	B_REGULAR_FACE = 0x0040
};

// Kit extension: see BFont::GetByteWidths().
#define B_LONGER_CHARACTER (-1.0f)

struct font_height {
	float ascent;
	float descent;
	float leading;
};

namespace BPrivate {
struct FontCharacters;
struct HostFont;
struct SystemFonts;
}

class BFont {
public:
	// A copy of be_plain_font (or a 12 pixel default before the kit is up).
	BFont();
	BFont(const BFont& font);
	BFont(const BFont* font);

	// B_BAD_VALUE for an unknown family or style; the font stays as it was.
	status_t SetFamilyAndStyle(const font_family family, const font_style style);
	void SetFamilyAndStyle(uint32 code);
	// Picks the family's style that matches the face bits (bold, italic).
	status_t SetFamilyAndFace(const font_family family, uint16 face);

	void SetSize(float size);
	void SetShear(float shear);
	void SetRotation(float rotation);
	void SetSpacing(uint8 spacing);
	void SetEncoding(uint8 encoding);
	// Kit extension (BeOS fonts have nothing like it), for text that keeps
	// HTML's character references as they were written: the byte `mark`
	// followed by a well-formed reference ("name;", "#digits;" or "#xhex;",
	// as after HTML's "&") is one character, measured and drawn as the
	// character the reference stands for; the mark followed by anything
	// else shows "&". The byte `space` is a no-break space (U+00A0). 0 turns
	// either off (the default). Both must be control bytes, which stand
	// alone in every encoding. They belong to the encoding: B_FONT_ENCODING
	// carries them from font to font.
	void SetReferenceMark(uint8 mark);
	void SetNoBreakSpace(uint8 space);
	// Picks the style of the current family that matches the face bits;
	// B_UNDERSCORE_FACE and B_STRIKEOUT_FACE are drawn as lines.
	void SetFace(uint16 face);
	void SetFlags(uint32 flags);

	void GetFamilyAndStyle(font_family* family, font_style* style) const;
	uint32 FamilyAndStyle() const;
	float Size() const { return fSize; }
	float Shear() const { return fShear; }
	float Rotation() const { return fRotation; }
	uint8 Spacing() const { return fSpacing; }
	uint8 Encoding() const { return fEncoding; }
	uint8 ReferenceMark() const { return fReferenceMark; }
	uint8 NoBreakSpace() const { return fNoBreakSpace; }
	uint16 Face() const { return fFace; }
	uint32 Flags() const { return fFlags; }
	font_direction Direction() const { return B_FONT_LEFT_TO_RIGHT; }
	bool IsFixed() const;

	float StringWidth(const char* string) const;
	float StringWidth(const char* string, int32 length) const;
	void GetStringWidths(const char* stringArray[], const int32 lengthArray[],
		int32 numStrings, float widthArray[]) const;
	// Kit extension, for measuring long texts in one pass: the width of
	// each byte value that is a whole character of the encoding on its own,
	// and B_LONGER_CHARACTER for a byte that may begin a longer one (measure
	// that character with StringWidth()).
	void GetByteWidths(float widths[256]) const;
	void GetHeight(font_height* height) const;

	BFont& operator=(const BFont& font);
	bool operator==(const BFont& font) const;
	bool operator!=(const BFont& font) const;

	void PrintToStream() const;

	// Kit internal: the host font these settings resolve to, and how it
	// shows the bytes of the encoding (both cached).
	const BPrivate::HostFont* _HostFont() const;
	const BPrivate::FontCharacters* _Characters() const;

private:
	friend struct BPrivate::SystemFonts;
	// The system fonts: negative family numbers resolved on first use.
	BFont(int32 systemFont, float size);

	void _Invalidate() { fHost = NULL; fCharacters = NULL; }
	void _Resolve() const;
	void _SetFamilyStyleIndex(int32 family, int32 style);

	// Negative until first use for the system fonts: they resolve lazily so
	// that be_plain_font works before the host is up.
	mutable int32 fFamilyIndex;
	mutable int32 fStyleIndex;
	float fSize;
	float fShear;
	float fRotation;
	uint8 fSpacing;
	uint8 fEncoding;
	uint8 fReferenceMark;
	uint8 fNoBreakSpace;
	uint16 fFace;
	uint32 fFlags;
	mutable const BPrivate::HostFont* fHost;
	mutable const BPrivate::FontCharacters* fCharacters;
};

// The system fonts; usable before any window or application exists.
extern const BFont* be_plain_font;
extern const BFont* be_bold_font;
extern const BFont* be_fixed_font;

int32 count_font_families();
status_t get_font_family(int32 index, font_family* name, uint32* flags = NULL);
int32 count_font_styles(font_family name);
status_t get_font_style(font_family family, int32 index, font_style* name,
	uint32* flags = NULL);
status_t get_font_style(font_family family, int32 index, font_style* name,
	uint16* face, uint32* flags = NULL);
bool update_font_families(bool checkOnly);

#endif	// _FONT_H
