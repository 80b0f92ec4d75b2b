// The two tag option readers.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "WYSIWYG_Engine.h"

namespace {

std::string
Option(const char* name, const char* options)
{
	char* value = nullptr;
	WYSIWYG_Engine::ReadTAGOption(name, &value, options);
	std::string result = value != nullptr ? std::string("=") + value : "null";
	delete[] value;
	return result;
}

std::string
Unsupported(const char* options, const char* a = nullptr,
	const char* b = nullptr)
{
	char* value = nullptr;
	WYSIWYG_Engine::ReadUnsupportedTAGOption(&value, options, a, b);
	std::string result = value != nullptr ? std::string("=") + value : "null";
	delete[] value;
	return result;
}

}	// namespace

TEST(TagOptions, ReadsOneNamedOption)
{
	EXPECT_EQ("=a b.html", Option("HREF", "href=\"a b.html\" NAME=x"));
	EXPECT_EQ("=a.html", Option("HREF", "HREF=a.html NAME=x"));
	EXPECT_EQ("=x", Option("NAME", "HREF=a.html NAME=x"));
	// The key includes the equals sign.
	EXPECT_EQ("=2", Option("HREF", "HREFX=1 HREF=2"));
	EXPECT_EQ("null", Option("NAME", "HREF=a.html"));
	EXPECT_EQ("null", Option("HREF", ""));
	// Empty values are values.
	EXPECT_EQ("=", Option("ALT", "ALT= SRC=x"));
	EXPECT_EQ("=", Option("ALT", "ALT=\"\""));
	// An unquoted value ends at a quote or any white space.
	EXPECT_EQ("=a", Option("SRC", "SRC=a\tb c"));
	EXPECT_EQ("=a", Option("SRC", "SRC=a\nALT=b"));
	EXPECT_EQ("=open", Option("SRC", "SRC=\"open"));
	// A value inside another option's quotes is not an option.
	EXPECT_EQ("=x", Option("NAME", "ALT=\"NAME=y\" NAME=\"x"));
	// Single quotes quote a value too; an apostrophe inside one is a letter.
	EXPECT_EQ("=a b.gif", Option("SRC", "src='a b.gif' ALT=x"));
	EXPECT_EQ("=say \"hi\"", Option("ALT", "ALT='say \"hi\"' SRC=x"));
	EXPECT_EQ("=don't", Option("ALT", "ALT=don't SRC=x"));
	char* kept = nullptr;
	WYSIWYG_Engine::ReadUnsupportedTAGOption(&kept,
		"alt='A b' it's=1 title='c d' x=don't", "ALT=");
	EXPECT_STREQ("it's=1 title='c d' x=don't", kept);
	delete[] kept;
}

TEST(TagOptions, ReplacesThePreviousValue)
{
	char* value = new char[4];
	strcpy(value, "old");
	WYSIWYG_Engine::ReadTAGOption("X", &value, "Y=1");
	EXPECT_EQ(nullptr, value);
	WYSIWYG_Engine::ReadTAGOption("Y", &value, "Y=1");
	ASSERT_NE(nullptr, value);
	EXPECT_STREQ("1", value);
	WYSIWYG_Engine::ReadUnsupportedTAGOption(&value, "Y=1 Z=2", "Y");
	EXPECT_STREQ("Z=2", value);
	delete[] value;
}

TEST(TagOptions, KeepsEveryUnknownOptionVerbatim)
{
	EXPECT_EQ("=TYPE=disc COMPACT", Unsupported("TYPE=disc COMPACT"));
	EXPECT_EQ("=TARGET=\"_top frame\"",
		Unsupported("HREF=\"a b.html\" TARGET=\"_top frame\" NAME=\"n\"",
			"HREF", "NAME"));
	// A name that merely begins with a known one counts as known.
	EXPECT_EQ("=ID=1", Unsupported("HREFLANG=de ID=1", "HREF"));
	EXPECT_EQ("null", Unsupported("href=x name=y", "HREF", "NAME"));
	EXPECT_EQ("null", Unsupported("/"));
	EXPECT_EQ("null", Unsupported(""));
	EXPECT_EQ("null", Unsupported(nullptr));
	// Separators after each kept option stay as they were; trailing
	// blanks go.
	EXPECT_EQ("=a=1\tb=2", Unsupported("a=1\tb=2   "));
	EXPECT_EQ("=C=3 D", Unsupported("  C=3 x D /", "X"));
}

TEST(TagOptions, LongOptionTextsAreKeptWhole)
{
	std::string value(300000, 'v');
	std::string options = "SRC=" + value + " ALT=\"" + value + "\"";
	EXPECT_EQ("=" + value, Option("ALT", options.c_str()));
	std::string name(200, 'N');
	EXPECT_EQ("=1", Option(name.c_str(), (name + "=1").c_str()));
	EXPECT_EQ("=" + options, Unsupported(options.c_str()));
}

// Options are cut where the parser sees them when it looks for a tag's end:
// a quote opens a value only after '=' and only when it is closed later.
// Kept options written back beside the known ones must not leave a quoted
// '>' outside its quotes, where it would end the tag early.
TEST(TagOptions, OptionsAreCutWhereTheParserCutsTheTag)
{
	// A stray quote after a closed value is a letter, not an opening.
	const char* stray = "C=\"1=\"2\" V=\"3\" B=\"4 <T>\n5\" N=6";
	EXPECT_EQ("=V=\"3\" N=6", Unsupported(stray, "C=", "B="));
	EXPECT_EQ("=4 <T>\n5", Option("B", stray));
	EXPECT_EQ("=6", Option("N", stray));
	// A value quoted after blanks belongs to its name.
	EXPECT_EQ("=a b", Option("ALT", "ALT= \"a b\" SRC=x"));
	EXPECT_EQ("=x", Option("SRC", "ALT= \"a SRC=y\" SRC=x"));
	EXPECT_EQ("=SRC=x", Unsupported("ALT= \"a > b\" SRC=x", "ALT="));
	// A quote nothing closes is a letter too.
	EXPECT_EQ("=B=2", Unsupported("A=\"x> B=2", "A="));
}
