// Font enumeration and metrics on the installed fonts.
#include <gtest/gtest.h>

#include <Font.h>

#include <cstring>
#include <set>
#include <string>

namespace {

bool IsRegularName(const char* style)
{
	static const char* const kNames[] = { "Regular", "Book", "Roman", "Normal", "Medium" };
	for (const char* name : kNames) {
		if (strcasecmp(style, name) == 0)
			return true;
	}
	return false;
}

}	// namespace


TEST(Font, SystemFontsWorkBeforeAnyWindowExists)
{
	EXPECT_GT(be_plain_font->StringWidth("Hello"), 10.0f);
	EXPECT_GT(be_bold_font->StringWidth("Hello"), be_plain_font->StringWidth("Hello"));
	EXPECT_TRUE(be_fixed_font->IsFixed());
	EXPECT_EQ(be_fixed_font->StringWidth("iiii"), be_fixed_font->StringWidth("MMMM"));
	EXPECT_TRUE(be_bold_font->Face() & B_BOLD_FACE);
}


TEST(Font, FamiliesListTheirRegularStyleFirstAndIncludeAFixedOne)
{
	int32 families = count_font_families();
	ASSERT_GT(families, 0);
	bool foundStyledFamily = false;
	bool foundFixed = false;
	for (int32 i = 0; i < families; i++) {
		font_family family;
		uint32 flags = 0;
		ASSERT_EQ(get_font_family(i, &family, &flags), B_OK);
		if (flags & B_IS_FIXED)
			foundFixed = true;
		std::set<std::string> styles;
		int32 count = count_font_styles(family);
		bool hasRegular = false;
		for (int32 j = 0; j < count; j++) {
			font_style style;
			uint32 styleFlags = 0;
			ASSERT_EQ(get_font_style(family, j, &style, &styleFlags), B_OK);
			styles.insert(style);
			if (IsRegularName(style))
				hasRegular = true;
		}
		if (hasRegular) {
			font_style first;
			get_font_style(family, 0, &first);
			EXPECT_TRUE(IsRegularName(first)) << family << " lists " << first << " first";
		}
		if (styles.count("Italic") && styles.count("Bold") && styles.count("Bold Italic"))
			foundStyledFamily = true;
	}
	EXPECT_TRUE(foundStyledFamily);
	EXPECT_TRUE(foundFixed);

	font_family name;
	EXPECT_NE(get_font_family(families, &name), B_OK);
	EXPECT_EQ(count_font_styles((char*)"No Such Family Here"), -1);
}


TEST(Font, FamilyStyleAndFaceSelection)
{
	BFont font;
	ASSERT_EQ(font.SetFamilyAndStyle("Liberation Sans", "Bold Italic"), B_OK);
	font_family family;
	font_style style;
	font.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "Liberation Sans");
	EXPECT_STREQ(style, "Bold Italic");
	EXPECT_EQ(font.Face() & (B_BOLD_FACE | B_ITALIC_FACE), B_BOLD_FACE | B_ITALIC_FACE);

	font.SetFace(B_REGULAR_FACE);
	font.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(style, "Regular");
	font.SetFace(B_ITALIC_FACE);
	font.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(style, "Italic");

	// Unknown names leave the font alone.
	EXPECT_NE(font.SetFamilyAndStyle("Liberation Sans", "Wobbly"), B_OK);
	EXPECT_NE(font.SetFamilyAndStyle("No Such Family Here", "Regular"), B_OK);
	font.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "Liberation Sans");
	EXPECT_STREQ(style, "Italic");

	BFont copy(font);
	EXPECT_TRUE(copy == font);
	copy.SetSize(30);
	EXPECT_TRUE(copy != font);
}


TEST(Font, WidthsAreLatin1AndAdditive)
{
	BFont font;
	ASSERT_EQ(font.SetFamilyAndStyle("Liberation Sans", "Regular"), B_OK);
	font.SetSize(20);
	font.SetEncoding(B_ISO_8859_1);

	// 0xe9 is é: as wide as e in this font, not a replacement glyph.
	float e = font.StringWidth("e");
	EXPECT_GT(e, 5.0f);
	EXPECT_FLOAT_EQ(font.StringWidth("\xe9"), e);
	EXPECT_FLOAT_EQ(font.StringWidth("caf\xe9"), font.StringWidth("cafe"));
	// Decoded as UTF-8 the same byte is invalid and measures differently.
	BFont utf8(font);
	utf8.SetEncoding(B_UNICODE_UTF8);
	EXPECT_NE(utf8.StringWidth("\xe9"), e);
	EXPECT_FLOAT_EQ(utf8.StringWidth("caf\xc3\xa9"), font.StringWidth("caf\xe9"));

	// Sums of pieces equal the whole: no kerning between pieces.
	const char* text = "AVAWAY To. Wolf";
	float whole = font.StringWidth(text);
	float sum = 0;
	for (const char* p = text; *p != '\0'; p++)
		sum += font.StringWidth(p, 1);
	EXPECT_NEAR(whole, sum, 0.001f);
	EXPECT_FLOAT_EQ(font.StringWidth("abcdef", 3), font.StringWidth("abc"));
	// A length past the terminator stops there.
	EXPECT_FLOAT_EQ(font.StringWidth("ab", 10), font.StringWidth("ab"));

	const char* strings[] = { "a", "abc" };
	int32 lengths[] = { 1, 3 };
	float widths[2];
	font.GetStringWidths(strings, lengths, 2, widths);
	EXPECT_FLOAT_EQ(widths[1], font.StringWidth("abc"));

	font_height height;
	font.GetHeight(&height);
	EXPECT_GT(height.ascent, 10.0f);
	EXPECT_GT(height.descent, 2.0f);
	EXPECT_GE(height.leading, 0.0f);
	BFont big(font);
	big.SetSize(40);
	font_height bigHeight;
	big.GetHeight(&bigHeight);
	EXPECT_NEAR(bigHeight.ascent, 2 * height.ascent, 2.0f);
	EXPECT_NEAR(big.StringWidth("wide"), 2 * font.StringWidth("wide"), 2.0f);
}


namespace {

BFont
FontIn(uint8 encoding)
{
	BFont font;
	font.SetFamilyAndStyle("DejaVu Sans", "Book");
	font.SetSize(20);
	font.SetEncoding(encoding);
	return font;
}

}	// namespace


TEST(Font, EachEncodingMeasuresItsOwnCharacters)
{
	BFont utf8 = FontIn(B_UNICODE_UTF8);
	BFont latin = FontIn(B_ISO_8859_1);

	// Latin-1 shows windows-1252 where ISO 8859-1 has control characters,
	// as browsers do; a byte that code page leaves undefined takes no room.
	EXPECT_FLOAT_EQ(latin.StringWidth("\x80"), utf8.StringWidth("\xe2\x82\xac"));
	EXPECT_FLOAT_EQ(latin.StringWidth("\x97"), utf8.StringWidth("\xe2\x80\x94"));
	EXPECT_GT(latin.StringWidth("\x97"), latin.StringWidth("-"));
	EXPECT_FLOAT_EQ(latin.StringWidth("a\x81z"), latin.StringWidth("az"));

	// Cyrillic in three encodings is the same word.
	float privet = utf8.StringWidth("\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82");
	EXPECT_GT(privet, 40.0f);
	EXPECT_FLOAT_EQ(FontIn(B_KOI8_R).StringWidth("\xf0\xd2\xc9\xd7\xc5\xd4"), privet);
	EXPECT_FLOAT_EQ(FontIn(B_MS_WINDOWS_1251).StringWidth("\xcf\xf0\xe8\xe2\xe5\xf2"),
		privet);
	// Read as Latin-1 the KOI8-R bytes are six other letters.
	EXPECT_NE(latin.StringWidth("\xf0\xd2\xc9\xd7\xc5\xd4"), privet);

	// Two-byte encodings: each pair is one character. In Shift_JIS the
	// second byte of 表 is the backslash's byte.
	float nihon = utf8.StringWidth("\xe6\x97\xa5\xe6\x9c\xac");
	EXPECT_GT(nihon, 0.0f);
	BFont sjis = FontIn(B_SHIFT_JIS);
	EXPECT_FLOAT_EQ(sjis.StringWidth("\x93\xfa\x96\x7b"), nihon);
	EXPECT_FLOAT_EQ(FontIn(B_EUC_JP).StringWidth("\xc6\xfc\xcb\xdc"), nihon);
	EXPECT_FLOAT_EQ(sjis.StringWidth("\x95\x5c"), utf8.StringWidth("\xe8\xa1\xa8"));
	EXPECT_FLOAT_EQ(FontIn(B_EUC_KR).StringWidth("\xc7\xd1\xb1\xb9"),
		utf8.StringWidth("\xed\x95\x9c\xea\xb5\xad"));
	EXPECT_FLOAT_EQ(FontIn(B_BIG5).StringWidth("\xa4\xa4\xa4\xe5"),
		utf8.StringWidth("\xe4\xb8\xad\xe6\x96\x87"));
	// GB18030 spells Hangul in four bytes a character.
	EXPECT_FLOAT_EQ(FontIn(B_GB18030).StringWidth("\x83\x36\x84\x33\x82\x37\xf4\x30"),
		utf8.StringWidth("\xed\x95\x9c\xea\xb5\xad"));

	// A byte that begins no character is one replacement character, and
	// the bytes after it keep their meaning.
	float replacement = utf8.StringWidth("\xef\xbf\xbd");
	EXPECT_GT(replacement, 0.0f);
	EXPECT_FLOAT_EQ(utf8.StringWidth("\xe9"), replacement);
	EXPECT_FLOAT_EQ(utf8.StringWidth("\xe2\x82z"), 2 * replacement + utf8.StringWidth("z"));
	EXPECT_FLOAT_EQ(utf8.StringWidth("\xed\xa0\x80"), 3 * replacement);	// a surrogate
	EXPECT_FLOAT_EQ(sjis.StringWidth("\x81 "), replacement + sjis.StringWidth(" "));
}


TEST(Font, ReferenceMarkAndNoBreakSpaceShowWhatTheyStandFor)
{
	BFont utf8 = FontIn(B_UNICODE_UTF8);
	BFont plain = FontIn(B_ISO_8859_1);
	BFont font(plain);
	font.SetReferenceMark(0x1a);
	font.SetNoBreakSpace(0x0f);
	EXPECT_TRUE(font != plain);

	// Without them the two bytes are control characters: no room.
	EXPECT_FLOAT_EQ(plain.StringWidth("a\x0f\x1az"), plain.StringWidth("az"));

	float eAcute = plain.StringWidth("\xe9");
	float dash = utf8.StringWidth("\xe2\x80\x94");
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a" "eacute;"), eAcute);
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a#233;"), eAcute);
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a#x2014;"), dash);
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a#X2014;"), dash);
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a" "mdash;"), dash);
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a" "apos;"), plain.StringWidth("'"));
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a" "Eacute;"), plain.StringWidth("\xc9"));
	// Numbers 128 to 159 are windows-1252's characters; no character is
	// U+FFFD.
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a#150;"), utf8.StringWidth("\xe2\x80\x93"));
	float replacement = utf8.StringWidth("\xef\xbf\xbd");
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a#0;"), replacement);
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a#x110000;"), replacement);
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a#99999999999;"), replacement);

	// A mark followed by no well-formed reference is "&"; names have
	// their case.
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a" "copy"), plain.StringWidth("&copy"));
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a" "EACUTE;"), plain.StringWidth("&EACUTE;"));
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a#;"), plain.StringWidth("&#;"));
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a#x;"), plain.StringWidth("&#x;"));
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a \x1a"), plain.StringWidth("& &"));
	EXPECT_FLOAT_EQ(font.StringWidth("\x1a"), plain.StringWidth("&"));

	// The no-break space is as wide as U+00A0, which is as wide as a space.
	EXPECT_FLOAT_EQ(font.StringWidth("a\x0f" "b"), utf8.StringWidth("a\xc2\xa0" "b"));
	EXPECT_FLOAT_EQ(font.StringWidth("a\x0f" "b"), font.StringWidth("a b"));

	// Both travel with the encoding from font to font.
	BFont other = FontIn(B_UNICODE_UTF8);
	other.SetSize(30);
	EXPECT_EQ(other.ReferenceMark(), 0);
	BFont copy(font);
	EXPECT_EQ(copy.ReferenceMark(), 0x1a);
	EXPECT_EQ(copy.NoBreakSpace(), 0x0f);
	EXPECT_FLOAT_EQ(copy.StringWidth("\x1a" "eacute;"), eAcute);
}
