/*
 * BFont: a family, style and size of one of the installed fonts.
 *
 * Sizes are pixels (BeOS assumed 72 dpi, so its points were pixels). Strings
 * are bytes; with the B_ISO_8859_1 encoding each byte is the Latin-1
 * character of that value, for measuring and drawing alike. Unlike BeOS the
 * default encoding is B_ISO_8859_1, since all text here is 8-bit; with
 * B_UNICODE_UTF8 bytes are decoded as UTF-8.
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
	B_MACINTOSH_ROMAN = 11
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

struct font_height {
	float ascent;
	float descent;
	float leading;
};

namespace BPrivate {
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
	uint16 Face() const { return fFace; }
	uint32 Flags() const { return fFlags; }
	font_direction Direction() const { return B_FONT_LEFT_TO_RIGHT; }
	bool IsFixed() const;

	float StringWidth(const char* string) const;
	float StringWidth(const char* string, int32 length) const;
	void GetStringWidths(const char* stringArray[], const int32 lengthArray[],
		int32 numStrings, float widthArray[]) const;
	void GetHeight(font_height* height) const;

	BFont& operator=(const BFont& font);
	bool operator==(const BFont& font) const;
	bool operator!=(const BFont& font) const;

	void PrintToStream() const;

	// Kit internal: the host font these settings resolve to (cached).
	const BPrivate::HostFont* _HostFont() const;

private:
	friend struct BPrivate::SystemFonts;
	// The system fonts: negative family numbers resolved on first use.
	BFont(int32 systemFont, float size);

	void _Invalidate() { fHost = NULL; }
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
	uint16 fFace;
	uint32 fFlags;
	mutable const BPrivate::HostFont* fHost;
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
