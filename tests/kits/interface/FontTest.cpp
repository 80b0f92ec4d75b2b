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
