/*
 * Find and replace in the HTML editor's text, driven through the dialog's
 * buttons and fields on a real page: the selection or the text each search
 * leaves, the beeps, Find again, undo, and searches that must end.
 */
#include "ProgramFixture.h"
#include "FinderTesting.h"

#include <Font.h>

#include "HFinder.h"
#include "WFinder.h"

using namespace quillora_test;

namespace {

class HFinderTest : public ProgramTest {
protected:
	void SetUp() override
	{
		ProgramTest::SetUp();
		OpenContent("<BODY>start</BODY>");
	}

	HWindow* Html() { return CurrentPage()->htmlWindow; }
	HTML_View* View() { return Html()->htmlView; }
	HFinder* Finder() { return Html()->finder; }

	void SetText(const std::string& text, uint8 encoding = B_ISO_8859_1)
	{
		CurrentPage()->SetEncoding(encoding, false);
		ASSERT_TRUE(Html()->Lock());
		View()->SetText(text.data(), int32(text.size()));
		Html()->Unlock();
		Finder()->Reset();
	}

	std::string Text() { return std::string(View()->Text()); }

	std::pair<int32, int32> Selection()
	{
		int32 start, end;
		View()->GetSelection(&start, &end);
		return { start, end };
	}

	void Fill(const char* search, const char* replacement,
		FindOptions options = FindOptions())
	{
		FillFinder(Finder(), search, replacement, options);
	}

	// A button of the dialog, or "Find again" of the window; returns the
	// number of beeps.
	int32 Press(uint32 what) { return PressFinder(Finder(), what); }
};


struct Search {
	const char* name;
	const char* text;
	const char* search;
	const char* replacement;
	uint32 button;
	FindOptions options;
	uint8 encoding;
	// The selection afterwards, and the text when it changed.
	int32 start;
	int32 end;
	const char* result;
	int32 beeps;
};

const uint8 kLatin1 = B_ISO_8859_1;
const uint8 kUTF8 = B_UNICODE_UTF8;

const Search kSearches[] = {
	{ "tag in any case", "a <B>b</B>", "<b>", "", kFind, kPlain, kLatin1,
		2, 5, nullptr, 0 },
	{ "tag in its case", "a <B>b</B>", "<b>", "", kFind, kCase, kLatin1,
		0, 0, nullptr, 1 },
	{ "Body finds BODY", "<BODY>", "Body", "", kFind, kPlain, kLatin1,
		1, 5, nullptr, 0 },
	{ "inside a word", "concatenate", "cat", "", kFind, kPlain, kLatin1,
		3, 6, nullptr, 0 },
	{ "whole word", "concatenate cats cat. cat", "cat", "", kFind, kWhole,
		kLatin1, 17, 20, nullptr, 0 },
	{ "whole word at the start", "cat, concat", "cat", "", kFind, kWhole,
		kLatin1, 0, 3, nullptr, 0 },
	{ "at the very end", "abc xyz", "xyz", "", kFind, kPlain, kLatin1,
		4, 7, nullptr, 0 },
	{ "no match", "abc", "q", "", kFind, kPlain, kLatin1, 0, 0, nullptr, 1 },
	{ "no match, wrap from the top", "abc", "q", "", kFind, kWrap, kLatin1,
		0, 0, nullptr, 1 },
	{ "empty search", "abc", "", "", kFind, kPlain, kLatin1, 0, 0, nullptr,
		1 },
	{ "empty search replaces nothing", "abc", "", "x", kReplace, kPlain,
		kLatin1, 0, 0, nullptr, 1 },
	{ "replace the first", "cat cat", "cat", "dog", kReplace, kPlain, kLatin1,
		3, 3, "dog cat", 0 },
	{ "replace with nothing", "x<BR>y<BR>", "<br>", "", kReplace, kPlain,
		kLatin1, 1, 1, "xy<BR>", 0 },
	{ "replace all BR", "a<BR>b<BR>c<BR>", "BR", "br", kAll, kPlain,
		kLatin1, 14, 14, "a<br>b<br>c<br>", 1 },
	{ "replace all, replacement holds the search", "a a", "a", "ba", kAll,
		kWrap, kLatin1, 5, 5, "ba ba", 1 },
	{ "replace all with nothing", "x<BR>y<BR>", "<BR>", "", kAll, kPlain,
		kLatin1, 2, 2, "xy", 1 },
	{ "replace all whole words", "cat concat cat", "cat", "dog", kAll, kWhole,
		kLatin1, 14, 14, "dog concat dog", 1 },
	{ "replace all, none there", "abc", "q", "x", kAll, kWrap, kLatin1,
		0, 0, nullptr, 1 },
	{ "Latin-1 letters in any case", "\xC9t\xE9", "é", "", kFind, kPlain,
		kLatin1, 0, 1, nullptr, 0 },
	{ "Latin-1 letters are letters", "caf\xE9 caf", "caf", "", kFind, kWhole,
		kLatin1, 5, 8, nullptr, 0 },
	{ "what Latin-1 lacks is its reference", "a &#26085; b", "日", "", kFind,
		kPlain, kLatin1, 2, 10, nullptr, 0 },
	{ "what windows-1252 shows is its byte", "a\x97" "b", "—", "", kFind,
		kPlain, kLatin1, 1, 2, nullptr, 0 },
	{ "and is replaced by one", "a-b", "-", "—", kReplace, kPlain, kLatin1,
		8, 8, "a&#8212;b", 0 },
	// Shift_JIS "表" ends in the byte of "\\", and CP949 "갂" in that of "A".
	{ "never from inside a character", "\x95\x5C" "x\\", "\\", "", kFind,
		kPlain, B_SHIFT_JIS, 3, 4, nullptr, 0 },
	{ "never from its second byte", "\x81\x41" "a", "a", "", kFind, kPlain,
		B_EUC_KR, 2, 3, nullptr, 0 },
	{ "typed in UTF-8, looked for in Shift_JIS", "\x93\xFA\x96\x7B",
		"本", "日", kReplace, kPlain, B_SHIFT_JIS, 4, 4, "\x93\xFA\x93\xFA",
		0 },
	{ "UTF-8 é finds É", "Été été", "é", "", kFind, kPlain, kUTF8,
		0, 2, nullptr, 0 },
	{ "UTF-8 É replaced in its case", "tÉ été", "É", "E", kReplace, kCase,
		kUTF8, 2, 2, "tE été", 0 },
	{ "UTF-8 é in its case", "Été été", "é", "", kFind, kCase, kUTF8,
		3, 5, nullptr, 0 },
	{ "UTF-8 replace all", "Été été", "É", "e", kAll, kPlain, kUTF8,
		7, 7, "ete ete", 1 },
	{ "UTF-8 whole word", "café caf", "caf", "", kFind, kWhole, kUTF8,
		6, 9, nullptr, 0 },
};

}	// namespace


TEST_F(HFinderTest, SearchesAndTheirResults)
{
	for (const Search& search : kSearches) {
		SCOPED_TRACE(search.name);
		SetText(search.text, search.encoding);
		Fill(search.search, search.replacement, search.options);
		EXPECT_EQ(Press(search.button), search.beeps);
		EXPECT_EQ(Selection(), std::make_pair(search.start, search.end));
		EXPECT_EQ(Text(), search.result != nullptr ? search.result
			: search.text);
		// Only a replacement changes the page.
		EXPECT_EQ(CurrentPage()->IsSaved(), search.result == nullptr);
		CurrentPage()->Saved();
	}
}


TEST_F(HFinderTest, FindAgainGoesOnFromTheLastMatch)
{
	SetText("x a x a x");
	Fill("a", "");
	EXPECT_EQ(Press(kFind), 0);
	EXPECT_EQ(Selection(), std::make_pair(2, 3));
	EXPECT_EQ(Press(kAgain), 0);
	EXPECT_EQ(Selection(), std::make_pair(6, 7));
	// Past the last match: a beep, the selection stays.
	EXPECT_EQ(Press(kAgain), 1);
	EXPECT_EQ(Selection(), std::make_pair(6, 7));
	// With Wrap, it starts over at the top.
	Fill("a", "", kWrap);
	EXPECT_EQ(Press(kAgain), 0);
	EXPECT_EQ(Selection(), std::make_pair(2, 3));

	// Replace, then "Find again" replaces the next one.
	SetText("a-a-a");
	Fill("a", "bb");
	EXPECT_EQ(Press(kReplace), 0);
	EXPECT_EQ(Text(), "bb-a-a");
	EXPECT_EQ(Press(kAgain), 0);
	EXPECT_EQ(Text(), "bb-bb-a");
	EXPECT_EQ(Selection(), std::make_pair(5, 5));
}


TEST_F(HFinderTest, APositionLeftBehindByAnEditStartsOver)
{
	SetText(std::string(5000, 'x') + "needle");
	Fill("needle", "");
	Press(kFind);
	EXPECT_EQ(Finder()->position, 5006);
	// The text shrinks under the saved position (the sanitizer build
	// would see a read past it).
	ASSERT_TRUE(Html()->Lock());
	View()->SetText("a needle");
	Html()->Unlock();
	EXPECT_EQ(Press(kAgain), 0);
	EXPECT_EQ(Selection(), std::make_pair(2, 8));
}


TEST_F(HFinderTest, OneUndoTakesBackReplaceAll)
{
	const std::string original = "<P>one<BR>two<BR>three<BR></P>";
	SetText(original);
	CurrentPage()->Saved();
	Fill("<br>", "<BR/>");
	EXPECT_EQ(Press(kAll), 1);
	EXPECT_EQ(Text(), "<P>one<BR/>two<BR/>three<BR/></P>");
	EXPECT_FALSE(CurrentPage()->IsSaved());
	Send(Html(), kMsgUndoRedo);
	EXPECT_EQ(Text(), original);
	// And again redoes it.
	Send(Html(), kMsgUndoRedo);
	EXPECT_EQ(Text(), "<P>one<BR/>two<BR/>three<BR/></P>");

	// A single replacement is one edit of its own.
	SetText(original);
	Fill("two", "2");
	Press(kReplace);
	EXPECT_EQ(Text(), "<P>one<BR>2<BR>three<BR></P>");
	Send(Html(), kMsgUndoRedo);
	EXPECT_EQ(Text(), original);
}


TEST_F(HFinderTest, ReplacementsThatCouldGoOnForEver)
{
	// Every replacement holds what is searched for, with and without Wrap,
	// from the top and from the middle of the text ("Find again" after
	// Replace all repeats it from where it ended).
	const FindOptions options[] = { kPlain, kWrap };
	for (const FindOptions& option : options) {
		SetText("a b a b a");
		Fill("a", "aa", option);
		EXPECT_EQ(Press(kAll), 1);
		EXPECT_EQ(Text(), "aa b aa b aa");
		EXPECT_EQ(Press(kAgain), 1);
		EXPECT_EQ(Text(), "aa b aa b aa");

		SetText("x x x");
		Fill("x", "x x", option);
		Press(kReplace);
		EXPECT_EQ(Text(), "x x x x");
		EXPECT_EQ(Press(kAgain), 0);
		EXPECT_EQ(Text(), "x x x x x");
		// The second went after the first replacement, not into it.
		EXPECT_EQ(Selection(), std::make_pair(7, 7));
	}

	// Thousands of matches in one go.
	std::string many;
	for (int i = 0; i < 20000; i++)
		many += "ab ";
	SetText(many);
	Fill("ab", "abab");
	EXPECT_EQ(Press(kAll), 1);
	EXPECT_EQ(Text().size(), many.size() + 40000);
	EXPECT_EQ(Text().compare(0, 10, "abab abab "), 0);
}


TEST_F(HFinderTest, MenuItemsShowTheDialogAndFindAgain)
{
	HFinder* finder = Finder();
	ASSERT_NE(finder, nullptr);
	EXPECT_TRUE(finder->IsHidden());
	EXPECT_EQ(finder->target, Html());
	EXPECT_EQ(finder->textView, View());
	BMenuItem* item = Html()->menuBar->FindItem(kMsgFind);
	ASSERT_NE(item, nullptr);
	EXPECT_STREQ(item->Label(), "Find\xE2\x80\xA6");
	Send(Html(), kMsgFind);
	EXPECT_FALSE(finder->IsHidden());
	// Each window has its own dialog.
	EXPECT_NE(static_cast<BWindow*>(finder),
		static_cast<BWindow*>(CurrentPage()->visualWindow->finder));

	SetText("one two");
	Fill("two", "");
	Send(Html(), kAgain);
	EXPECT_EQ(Selection(), std::make_pair(4, 7));
	// The dialog stayed up: only its own buttons put it away.
	EXPECT_FALSE(finder->IsHidden());
}
