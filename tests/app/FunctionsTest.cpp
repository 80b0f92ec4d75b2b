// Text and number helpers and the file text helpers.
#include <gtest/gtest.h>

#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <File.h>

#include <string>

#include "Functions.h"
#include "TempFolder.h"

namespace {

TEST(TextHelpers, PrefixComparisons)
{
	EXPECT_TRUE(strcmpxcase("body", "BODY TEXT=x"));
	EXPECT_FALSE(strcmpxcase("BODYX", "BODY"));
	EXPECT_TRUE(strcmpxcase("", "anything"));
	EXPECT_TRUE(strcmpxcase("", ""));
	EXPECT_FALSE(strcmpxcase(nullptr, "x"));
	EXPECT_FALSE(strcmpxcase("x", nullptr));
	// Bytes above 127 are compared as they are, not folded.
	EXPECT_TRUE(strcmpxcase("\xe9t\xe9", "\xe9T\xe9s"));
	EXPECT_FALSE(strcmpxcase("\xe9", "\xc9"));

	EXPECT_TRUE(strcmpdiflen("BO", "BODY"));
	EXPECT_FALSE(strcmpdiflen("bo", "BODY"));
	EXPECT_FALSE(strcmpdiflen("BODYX", "BODY"));
	EXPECT_FALSE(strcmpdiflen(nullptr, "BODY"));

	EXPECT_EQ(3, strcmplenxcase("Hello", "help"));
	EXPECT_EQ(0, strcmplen("Hello", "help"));
	EXPECT_EQ(3, strcmplen("Hello", "Help"));
	EXPECT_EQ(4, strcmplen("abcd", "abcdef"));
	EXPECT_EQ(0, strcmplenxcase(nullptr, "a"));
	EXPECT_EQ(0, strcmplen("a", nullptr));
}

TEST(TextHelpers, HexConversions)
{
	EXPECT_EQ(255, hexitoa("ff"));
	EXPECT_EQ(10, hexitoa("0A"));
	EXPECT_EQ(0x3c, hexitoa("3c7f"));
	EXPECT_EQ(0, hexitoa(nullptr));
	EXPECT_EQ(0, hexitoa(""));

	char out[3];
	EXPECT_STREQ("05", itoahex(-5, out));
	EXPECT_STREQ("FF", itoahex(255, out));
	EXPECT_STREQ("0A", itoahex(10, out));
	EXPECT_STREQ("AB", itoahex(0xAB, out));
	EXPECT_STREQ("00", itoahex(0, out));
	EXPECT_EQ(nullptr, itoahex(1, nullptr));
	// Round trip of every byte value, as the colours of a page take it.
	for (int value = 0; value < 256; value++)
		EXPECT_EQ(value, hexitoa(itoahex(value, out))) << value;
}

TEST(TextHelpers, DecimalConversion)
{
	char out[12];
	EXPECT_STREQ("0", itoa(0, out));
	EXPECT_STREQ("-120", itoa(-120, out));
	EXPECT_STREQ("7", itoa(7, out));
	EXPECT_STREQ("2147483647", itoa(INT_MAX, out));
	// The most negative value has no positive counterpart in an int.
	EXPECT_STREQ("-2147483648", itoa(INT_MIN, out));
	EXPECT_STREQ("-2147483647", itoa(INT_MIN + 1, out));
	EXPECT_EQ(nullptr, itoa(1, nullptr));
	for (int value : { 1, 9, 10, 99, 100, 65535, -1, -10, 123456789 })
		EXPECT_EQ(value, atoi(itoa(value, out))) << value;
}

TEST(TextHelpers, CopiesAndCodes)
{
	char* copy = newtext("Hello");
	ASSERT_NE(nullptr, copy);
	EXPECT_STREQ("Hello", copy);
	delete[] copy;
	EXPECT_EQ(nullptr, newtext(nullptr));
	copy = newtext("");
	EXPECT_STREQ("", copy);
	delete[] copy;

	char code[5];
	EXPECT_STREQ("qpag", CopyInt32AsString(code, 'qpag'));
	EXPECT_STREQ("br  ", CopyInt32AsString(code, 'br  '));
	EXPECT_EQ(nullptr, CopyInt32AsString(nullptr, 'qpag'));
}

TEST(TextHelpers, Concatenation)
{
	char buffer[64] = "start:";
	endstrcpys(buffer, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
	EXPECT_STREQ("start:", buffer);
	endstrcpys(buffer, "a", nullptr, "b", "", "c", nullptr);
	EXPECT_STREQ("start:abc", buffer);
	endstrcpys(buffer, "1", "2", "3", "4", "5", "6");
	EXPECT_STREQ("start:abc123456", buffer);
	EXPECT_EQ(6u, piecelength("ab", nullptr, "cde", "f"));
	EXPECT_EQ(0u, piecelength(nullptr));
}

std::string
Resolve(const char* path)
{
	std::string out(strlen(path) + 1, 'X');
	EXPECT_EQ(&out[0], ProcessPath(&out[0], path));
	return std::string(out.c_str());
}

TEST(TextHelpers, PathSteps)
{
	EXPECT_EQ("/boot/home/images/a.gif",
		Resolve("/boot/home/pages/../images/a.gif"));
	EXPECT_EQ("/c", Resolve("/a/b/../../c"));
	EXPECT_EQ("/a/b/c", Resolve("/a/b/./c"));
	EXPECT_EQ("/a/c", Resolve("/a/b/../c"));
	EXPECT_EQ("", Resolve(""));
	EXPECT_EQ("/a/b", Resolve("/a/b"));
	// Steps are recognised anywhere, so "x./" loses its "./".
	EXPECT_EQ("/a/xb", Resolve("/a/x./b"));

	// Nothing left to remove: the root stays, a relative path does not
	// climb above its start, and nothing is written before the buffer.
	EXPECT_EQ("/a", Resolve("/../a"));
	EXPECT_EQ("/b", Resolve("/a/../../../b"));
	EXPECT_EQ("a", Resolve("../a"));
	EXPECT_EQ("b", Resolve("a/../b"));
	EXPECT_EQ("c", Resolve("a/../../c"));
	EXPECT_EQ("/", Resolve("/a/../"));

	char out[8];
	EXPECT_EQ(nullptr, ProcessPath(nullptr, "/a"));
	EXPECT_EQ(nullptr, ProcessPath(out, nullptr));
}

class FileText : public testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_FALSE(fFolder.Path().empty());
		fPath = fFolder / "lines";
	}

	void Write(const std::string& bytes)
	{
		BFile file(fPath.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
		ASSERT_EQ(B_OK, file.InitCheck());
		ASSERT_EQ((ssize_t)bytes.size(), file.Write(bytes.data(), bytes.size()));
	}

	std::string Contents()
	{
		BFile file(fPath.c_str(), B_READ_ONLY);
		off_t size = 0;
		file.GetSize(&size);
		std::string bytes(size, '\0');
		file.Read(&bytes[0], size);
		return bytes;
	}

	quillora_test::TempFolder fFolder{"text"};
	std::string fPath;
};

TEST_F(FileText, LinesAreReadOneByOne)
{
	Write("a\nbc\n\nlast");
	BFile file(fPath.c_str(), B_READ_ONLY);
	ASSERT_EQ(B_OK, file.InitCheck());

	char* line = LoadUntilEnter(&file);
	EXPECT_STREQ("a", line);
	delete[] line;
	EXPECT_EQ(2, file.Position());
	line = LoadUntilEnter(&file);
	EXPECT_STREQ("bc", line);
	delete[] line;
	// An empty line is an empty text, not the end.
	line = LoadUntilEnter(&file);
	ASSERT_NE(nullptr, line);
	EXPECT_STREQ("", line);
	delete[] line;
	// A last piece without a line feed keeps every byte.
	line = LoadUntilEnter(&file);
	EXPECT_STREQ("last", line);
	delete[] line;
	EXPECT_EQ(nullptr, LoadUntilEnter(&file));
	EXPECT_EQ(nullptr, LoadUntilEnter(nullptr));

	file.Seek(0, SEEK_SET);
	line = LoadUntil(&file, 'c');
	EXPECT_STREQ("a\nb", line);
	delete[] line;
}

TEST_F(FileText, WritingLines)
{
	{
		BFile file(fPath.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
		ASSERT_EQ(B_OK, file.InitCheck());
		WriteTextEnter(&file, "one");
		WriteTextEnter(&file, nullptr);
		WriteText(&file, "two");
		WriteText(&file, nullptr);
		WriteText(nullptr, "x");
		WriteTextEnter(nullptr, "x");
		WriteTextEnter(&file, "");
	}
	EXPECT_EQ("one\n\ntwo\n", Contents());
}

}	// namespace
