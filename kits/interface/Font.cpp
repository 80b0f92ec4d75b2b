// BFont over the host's font database.
#include <Font.h>

#include <Errors.h>

#include "FontCharacters.h"
#include "HostFont.h"
#include "InterfacePrivate.h"

#include <cstdio>
#include <cstring>

using BPrivate::HostFontFamily;
using BPrivate::host_font_families;

namespace {

enum {
	kPlainFont = -1,
	kBoldFont = -2,
	kFixedFont = -3
};

const float kDefaultSize = 12.0f;

int32 FindFirstFamily(const char* const* names, bool wantFixed)
{
	for (int32 i = 0; names[i] != NULL; i++) {
		int32 index = BPrivate::host_find_family(names[i]);
		if (index >= 0)
			return index;
	}
	const std::vector<HostFontFamily>& families = host_font_families();
	for (size_t i = 0; i < families.size(); i++) {
		if (!wantFixed || families[i].fixed)
			return (int32)i;
	}
	return families.empty() ? -1 : 0;
}

// The style of family that best matches bold/italic; -1 when the family
// is unknown.
int32 StyleForFace(int32 family, bool bold, bool italic)
{
	const std::vector<HostFontFamily>& families = host_font_families();
	if (family < 0 || family >= (int32)families.size())
		return -1;
	const std::vector<BPrivate::HostFontStyle>& styles = families[family].styles;
	// Styles come regular first, so the first exact match is the plainest.
	for (size_t i = 0; i < styles.size(); i++) {
		if (styles[i].bold == bold && styles[i].italic == italic)
			return (int32)i;
	}
	for (size_t i = 0; i < styles.size(); i++) {
		if (styles[i].bold == bold)
			return (int32)i;
	}
	return 0;
}

uint16 FaceOfStyle(int32 family, int32 style)
{
	const std::vector<HostFontFamily>& families = host_font_families();
	if (family < 0 || family >= (int32)families.size() || style < 0
		|| style >= (int32)families[family].styles.size())
		return B_REGULAR_FACE;
	const BPrivate::HostFontStyle& entry = families[family].styles[style];
	uint16 face = 0;
	if (entry.bold)
		face |= B_BOLD_FACE;
	if (entry.italic)
		face |= B_ITALIC_FACE;
	return face != 0 ? face : (uint16)B_REGULAR_FACE;
}

void CopyName(char* target, const std::string& name)
{
	size_t length = name.size();
	if (length > B_FONT_FAMILY_LENGTH)
		length = B_FONT_FAMILY_LENGTH;
	memcpy(target, name.data(), length);
	target[length] = '\0';
}

}	// namespace


// Constant-initialised pointers to objects built during static
// initialisation: both are safe to read before main(), and the objects
// only ask the host for a font when first measured.
namespace BPrivate {
struct SystemFonts {
	SystemFonts()
		:
		plain(kPlainFont, kDefaultSize),
		bold(kBoldFont, kDefaultSize),
		fixed(kFixedFont, kDefaultSize)
	{
	}

	BFont plain;
	BFont bold;
	BFont fixed;
};
}	// namespace BPrivate

static BPrivate::SystemFonts sSystemFonts;
const BFont* be_plain_font = &sSystemFonts.plain;
const BFont* be_bold_font = &sSystemFonts.bold;
const BFont* be_fixed_font = &sSystemFonts.fixed;


BFont::BFont(int32 systemFont, float size)
	:
	fFamilyIndex(systemFont),
	fStyleIndex(-1),
	fSize(size),
	fShear(90.0f),
	fRotation(0.0f),
	fSpacing(B_BITMAP_SPACING),
	// The whole program is 8-bit text: Latin-1 unless told otherwise.
	fEncoding(B_ISO_8859_1),
	fReferenceMark(0),
	fNoBreakSpace(0),
	fFace(systemFont == kBoldFont ? B_BOLD_FACE : B_REGULAR_FACE),
	fFlags(0),
	fHost(NULL),
	fCharacters(NULL)
{
}


BFont::BFont()
	:
	BFont(kPlainFont, kDefaultSize)
{
}


BFont::BFont(const BFont& font)
	:
	BFont(kPlainFont, kDefaultSize)
{
	*this = font;
}


BFont::BFont(const BFont* font)
	:
	BFont(kPlainFont, kDefaultSize)
{
	if (font != NULL)
		*this = *font;
}


BFont& BFont::operator=(const BFont& font)
{
	fFamilyIndex = font.fFamilyIndex;
	fStyleIndex = font.fStyleIndex;
	fSize = font.fSize;
	fShear = font.fShear;
	fRotation = font.fRotation;
	fSpacing = font.fSpacing;
	fEncoding = font.fEncoding;
	fReferenceMark = font.fReferenceMark;
	fNoBreakSpace = font.fNoBreakSpace;
	fFace = font.fFace;
	fFlags = font.fFlags;
	fHost = font.fHost;
	fCharacters = font.fCharacters;
	return *this;
}


void BFont::_Resolve() const
{
	if (fFamilyIndex >= 0)
		return;
	BPrivate::init_interface_kit();
	static const char* const kSans[] = { "DejaVu Sans", "Liberation Sans", "Noto Sans",
		"FreeSans", NULL };
	static const char* const kMono[] = { "DejaVu Sans Mono", "Liberation Mono",
		"Noto Sans Mono", "FreeMono", NULL };
	int32 family = FindFirstFamily(fFamilyIndex == kFixedFont ? kMono : kSans,
		fFamilyIndex == kFixedFont);
	int32 style = StyleForFace(family, fFamilyIndex == kBoldFont, false);
	fFamilyIndex = family >= 0 ? family : 0;
	fStyleIndex = style >= 0 ? style : 0;
}


void BFont::_SetFamilyStyleIndex(int32 family, int32 style)
{
	fFamilyIndex = family;
	fStyleIndex = style;
	fFace = FaceOfStyle(family, style) | (fFace & (B_UNDERSCORE_FACE | B_STRIKEOUT_FACE));
	_Invalidate();
}


status_t BFont::SetFamilyAndStyle(const font_family family, const font_style style)
{
	_Resolve();
	int32 familyIndex = fFamilyIndex;
	if (family != NULL) {
		familyIndex = BPrivate::host_find_family(family);
		if (familyIndex < 0)
			return B_NAME_NOT_FOUND;
	}
	int32 styleIndex;
	if (style != NULL) {
		styleIndex = BPrivate::host_find_style(familyIndex, style);
		if (styleIndex < 0)
			return B_NAME_NOT_FOUND;
	} else {
		// A family alone keeps the face as far as the family has it.
		styleIndex = StyleForFace(familyIndex, (fFace & B_BOLD_FACE) != 0,
			(fFace & B_ITALIC_FACE) != 0);
	}
	_SetFamilyStyleIndex(familyIndex, styleIndex);
	return B_OK;
}


void BFont::SetFamilyAndStyle(uint32 code)
{
	int32 family = (int32)(code >> 16);
	int32 style = (int32)(code & 0xffff);
	const std::vector<HostFontFamily>& families = host_font_families();
	if (family >= (int32)families.size() || style >= (int32)families[family].styles.size())
		return;
	_SetFamilyStyleIndex(family, style);
}


status_t BFont::SetFamilyAndFace(const font_family family, uint16 face)
{
	_Resolve();
	int32 familyIndex = fFamilyIndex;
	if (family != NULL) {
		familyIndex = BPrivate::host_find_family(family);
		if (familyIndex < 0)
			return B_NAME_NOT_FOUND;
	}
	fFamilyIndex = familyIndex;
	SetFace(face);
	return B_OK;
}


void BFont::SetSize(float size)
{
	if (size < 1.0f)
		size = 1.0f;
	if (size > 10000.0f)
		size = 10000.0f;
	if (size != fSize) {
		fSize = size;
		_Invalidate();
	}
}


void BFont::SetShear(float shear)
{
	fShear = shear;
}


void BFont::SetRotation(float rotation)
{
	fRotation = rotation;
}


void BFont::SetSpacing(uint8 spacing)
{
	fSpacing = spacing;
}


void BFont::SetEncoding(uint8 encoding)
{
	if (encoding != fEncoding) {
		fEncoding = encoding;
		fCharacters = NULL;
	}
}


void BFont::SetReferenceMark(uint8 mark)
{
	if (mark != fReferenceMark) {
		fReferenceMark = mark;
		fCharacters = NULL;
	}
}


void BFont::SetNoBreakSpace(uint8 space)
{
	if (space != fNoBreakSpace) {
		fNoBreakSpace = space;
		fCharacters = NULL;
	}
}


void BFont::SetFace(uint16 face)
{
	_Resolve();
	int32 style = StyleForFace(fFamilyIndex, (face & B_BOLD_FACE) != 0,
		(face & B_ITALIC_FACE) != 0);
	if (style >= 0)
		fStyleIndex = style;
	fFace = face != 0 ? face : (uint16)B_REGULAR_FACE;
	_Invalidate();
}


void BFont::SetFlags(uint32 flags)
{
	fFlags = flags;
}


void BFont::GetFamilyAndStyle(font_family* family, font_style* style) const
{
	_Resolve();
	const std::vector<HostFontFamily>& families = host_font_families();
	bool known = fFamilyIndex < (int32)families.size()
		&& fStyleIndex < (int32)families[fFamilyIndex].styles.size();
	if (family != NULL) {
		if (known)
			CopyName(*family, families[fFamilyIndex].name);
		else
			(*family)[0] = '\0';
	}
	if (style != NULL) {
		if (known)
			CopyName(*style, families[fFamilyIndex].styles[fStyleIndex].name);
		else
			(*style)[0] = '\0';
	}
}


uint32 BFont::FamilyAndStyle() const
{
	_Resolve();
	return ((uint32)fFamilyIndex << 16) | (uint32)(fStyleIndex & 0xffff);
}


bool BFont::IsFixed() const
{
	const BPrivate::HostFont* font = _HostFont();
	return font != NULL && font->fixed;
}


const BPrivate::HostFont* BFont::_HostFont() const
{
	if (fHost == NULL) {
		_Resolve();
		uint32 decoration = 0;
		if (fFace & B_UNDERSCORE_FACE)
			decoration |= BPrivate::HOST_FONT_UNDERLINE;
		if (fFace & B_STRIKEOUT_FACE)
			decoration |= BPrivate::HOST_FONT_STRIKEOUT;
		fHost = BPrivate::host_font(fFamilyIndex, fStyleIndex, fSize, decoration);
	}
	return fHost;
}


const BPrivate::FontCharacters* BFont::_Characters() const
{
	if (fCharacters == NULL) {
		fCharacters = BPrivate::font_characters(_HostFont(), fEncoding, fReferenceMark,
			fNoBreakSpace);
	}
	return fCharacters;
}


float BFont::StringWidth(const char* string) const
{
	if (string == NULL)
		return 0.0f;
	return StringWidth(string, (int32)strlen(string));
}


float BFont::StringWidth(const char* string, int32 length) const
{
	if (string == NULL || length <= 0)
		return 0.0f;
	// A length past the terminator stops at it, as for C strings.
	const char* end = (const char*)memchr(string, '\0', (size_t)length);
	if (end != NULL)
		length = (int32)(end - string);
	return _Characters()->Width(string, length);
}


void BFont::GetStringWidths(const char* stringArray[], const int32 lengthArray[],
	int32 numStrings, float widthArray[]) const
{
	for (int32 i = 0; i < numStrings; i++)
		widthArray[i] = StringWidth(stringArray[i], lengthArray[i]);
}


void BFont::GetByteWidths(float widths[256]) const
{
	static_assert(B_LONGER_CHARACTER == BPrivate::kLongerCharacter,
		"one mark for longer characters");
	memcpy(widths, _Characters()->widths, 256 * sizeof(float));
}


void BFont::GetHeight(font_height* height) const
{
	if (height == NULL)
		return;
	const BPrivate::HostFont* font = _HostFont();
	if (font == NULL) {
		height->ascent = fSize * 0.8f;
		height->descent = fSize * 0.2f;
		height->leading = 0.0f;
		return;
	}
	height->ascent = font->ascent;
	height->descent = font->descent;
	height->leading = font->leading;
}


bool BFont::operator==(const BFont& font) const
{
	_Resolve();
	font._Resolve();
	return fFamilyIndex == font.fFamilyIndex && fStyleIndex == font.fStyleIndex
		&& fSize == font.fSize && fShear == font.fShear && fRotation == font.fRotation
		&& fSpacing == font.fSpacing && fEncoding == font.fEncoding
		&& fReferenceMark == font.fReferenceMark && fNoBreakSpace == font.fNoBreakSpace
		&& fFace == font.fFace
		&& fFlags == font.fFlags;
}


bool BFont::operator!=(const BFont& font) const
{
	return !(*this == font);
}


void BFont::PrintToStream() const
{
	font_family family;
	font_style style;
	GetFamilyAndStyle(&family, &style);
	printf("BFont(family: %s, style: %s, size: %.1f, face: 0x%x)\n", family, style, fSize,
		fFace);
}


int32 count_font_families()
{
	BPrivate::init_interface_kit();
	return (int32)host_font_families().size();
}


status_t get_font_family(int32 index, font_family* name, uint32* flags)
{
	BPrivate::init_interface_kit();
	const std::vector<HostFontFamily>& families = host_font_families();
	if (name == NULL)
		return B_BAD_VALUE;
	if (index < 0 || index >= (int32)families.size())
		return B_BAD_VALUE;
	CopyName(*name, families[index].name);
	if (flags != NULL)
		*flags = families[index].fixed ? B_IS_FIXED : 0;
	return B_OK;
}


int32 count_font_styles(font_family name)
{
	BPrivate::init_interface_kit();
	int32 family = BPrivate::host_find_family(name);
	if (family < 0)
		return -1;
	return (int32)host_font_families()[family].styles.size();
}


status_t get_font_style(font_family family, int32 index, font_style* name, uint32* flags)
{
	uint16 face;
	return get_font_style(family, index, name, &face, flags);
}


status_t get_font_style(font_family family, int32 index, font_style* name, uint16* face,
	uint32* flags)
{
	BPrivate::init_interface_kit();
	int32 familyIndex = BPrivate::host_find_family(family);
	if (familyIndex < 0 || name == NULL)
		return B_BAD_VALUE;
	const std::vector<BPrivate::HostFontStyle>& styles
		= host_font_families()[familyIndex].styles;
	if (index < 0 || index >= (int32)styles.size())
		return B_BAD_VALUE;
	CopyName(*name, styles[index].name);
	if (face != NULL)
		*face = FaceOfStyle(familyIndex, index);
	if (flags != NULL)
		*flags = styles[index].fixed ? B_IS_FIXED : 0;
	return B_OK;
}


bool update_font_families(bool)
{
	return false;
}
