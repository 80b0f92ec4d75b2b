// The tag table and the tag lookup.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "Parser.h"

namespace {

TEST(TagTable, LayoutOfTheTable)
{
	EXPECT_EQ(nullptr, Parser::tags[0]);
	EXPECT_EQ(nullptr, Parser::tags[1]);
	EXPECT_STREQ("A", Parser::tags[2]);
	EXPECT_STREQ("B", Parser::tags[6]);
	EXPECT_STREQ("BODY", Parser::tags[12]);
	EXPECT_STREQ("H1", Parser::tags[32]);
	EXPECT_STREQ("IMG", Parser::tags[44]);
	EXPECT_STREQ("P", Parser::tags[60]);
	EXPECT_STREQ("TITLE", Parser::tags[82]);
	EXPECT_STREQ("XMP", Parser::tags[89]);
	EXPECT_STREQ("BOLD", Parser::tags[90]);
	// 2 to 89 alphabetical, so that a short name finds its own entry before
	// a longer one that begins with it.
	for (int id = 3; id < 90; id++)
		EXPECT_LT(strcmp(Parser::tags[id - 1], Parser::tags[id]), 0) << id;
}

TEST(TagTable, EveryNameFindsItself)
{
	for (int id = 2; id < Parser::kTagCount; id++) {
		std::string name = Parser::tags[id];
		EXPECT_EQ(id, Parser::Comp(name.c_str())) << name;
		std::string lower;
		for (char c : name)
			lower += (char)tolower(c);
		EXPECT_EQ(id, Parser::Comp(lower.c_str())) << lower;
		EXPECT_EQ(id, Parser::Comp((name + " OPTION=1").c_str())) << name;
		EXPECT_EQ(id, Parser::Comp((lower + "\tx").c_str())) << name;
	}
}

TEST(TagTable, PrefixLookup)
{
	EXPECT_EQ(6, Parser::Comp("b"));
	EXPECT_EQ(6, Parser::Comp("B"));
	EXPECT_EQ(90, Parser::Comp("BOLD"));
	EXPECT_EQ(32, Parser::Comp("H"));
	EXPECT_EQ(75, Parser::Comp("T"));
	EXPECT_EQ(70, Parser::Comp("ST"));
	EXPECT_EQ(60, Parser::Comp("P ALIGN=center"));
	EXPECT_EQ(0, Parser::Comp(""));
	EXPECT_EQ(0, Parser::Comp(" B"));
	EXPECT_EQ(0, Parser::Comp("BODYX"));
	EXPECT_EQ(0, Parser::Comp("/B"));
	EXPECT_EQ(0, Parser::Comp("!DOCTYPE"));
	EXPECT_EQ(0, Parser::Comp(nullptr));
	// Names of 64 bytes or more match nothing, however long.
	EXPECT_EQ(0, Parser::Comp(std::string(64, 'B').c_str()));
	EXPECT_EQ(0, Parser::Comp(std::string(300000, 'A').c_str()));
	EXPECT_EQ(0, Parser::Comp(("B" + std::string(100, 'x')).c_str()));
}

}	// namespace
