/*
 * Find and replace across the visual page, driven through the dialog's
 * buttons and the window's "Find again" on real pages: the element and
 * range each search selects, the page each replacement leaves, the beeps,
 * and searches that must end.
 */
#include "ProgramFixture.h"
#include "FinderTesting.h"

#include <Font.h>

#include <cstdio>

#include "ChainDump.h"
#include "ChainText.h"
#include "WFinder.h"
#include "WText.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_Engine.h"

using namespace quillora_test;

namespace {

// What is selected: the text of the focused element and the range in it.
struct Selected {
	std::string text;
	int32 start;
	int32 end;

	bool operator==(const Selected& other) const
	{
		return text == other.text && start == other.start && end == other.end;
	}
};

std::ostream&
operator<<(std::ostream& out, const Selected& selected)
{
	return out << '"' << selected.text << "\" " << selected.start << '-'
		<< selected.end;
}


class WFinderTest : public ProgramTest {
protected:
	void SetUp() override
	{
		ProgramTest::SetUp();
		OpenContent("<BODY>start</BODY>");
	}

	WWindow* Visual() { return CurrentPage()->visualWindow; }
	WYSIWYG_Engine* Engine() { return Visual()->engine; }
	WFinder* Finder() { return Visual()->finder; }

	// The page from this HTML, as "Update from HTML" makes it; UTF-8 pages
	// get fonts in that encoding.
	void Load(const std::string& html, uint8 encoding = B_ISO_8859_1)
	{
		Page* page = CurrentPage();
		page->SetEncoding(encoding, false);
		HTML_View* view = page->htmlWindow->htmlView;
		ASSERT_TRUE(view->LockLooper());
		view->SetText(html.data(), int32(html.size()));
		view->UnlockLooper();
		Send(Visual(), kMsgUpdate);
		page->Saved();
	}

	// The chain in short (neighbouring text elements as one), one
	// description after the other.
	std::string PageText()
	{
		std::string out;
		for (const std::string& part : DescribeChain(Engine()->FirstElement()))
			out += (out.empty() ? "" : " ") + part;
		return out;
	}

	Selected Selection()
	{
		WText* text = dynamic_cast<WText*>(Visual()->CurrentFocus());
		if (text == nullptr)
			return Selected{ "(no text focused)", 0, 0 };
		int32 start, end;
		text->GetSelection(&start, &end);
		return Selected{ text->Text(), start, end };
	}

	void Fill(const char* search, const char* replacement,
		FindOptions options = FindOptions())
	{
		FillFinder(Finder(), search, replacement, options);
	}

	// A button of the dialog, or "Find again" of the window; returns the
	// number of beeps.
	int32 Press(uint32 what) { return PressFinder(Finder(), what); }

	// The chain with its view frames, as laid out.
	std::string Dump() { return DumpChain(Engine()); }
};


struct Search {
	const char* name;
	const char* html;
	const char* search;
	const char* replacement;
	uint32 button;
	FindOptions options;
	uint8 encoding;
	// What is selected afterwards (no text: nothing), and the page's
	// texts when they changed.
	Selected selected;
	const char* result;
	int32 beeps;
};

const uint8 kLatin1 = B_ISO_8859_1;
const uint8 kUTF8 = B_UNICODE_UTF8;
// The selection the page had before the search.
const Selected kNothing = { "(as it was)", 0, 0 };

const Search kSearches[] = {
	{ "any case", "<BODY>Hello World hello</BODY>", "hello", "", kFind,
		kPlain, kLatin1, { "Hello World hello", 0, 5 }, nullptr, 0 },
	{ "its case", "<BODY>Hello World hello</BODY>", "hello", "", kFind,
		kCase, kLatin1, { "Hello World hello", 12, 17 }, nullptr, 0 },
	{ "whole word", "<BODY>concatenate cats cat. cat</BODY>", "cat", "",
		kFind, kWhole, kLatin1, { "concatenate cats cat. cat", 17, 20 },
		nullptr, 0 },
	{ "inside a word", "<BODY>concatenate</BODY>", "cat", "", kFind, kPlain,
		kLatin1, { "concatenate", 3, 6 }, nullptr, 0 },
	{ "a word split by a tag", "<BODY>con<B>cat</B>enate</BODY>",
		"concatenate", "", kFind, kPlain, kLatin1, kNothing, nullptr, 1 },
	{ "none, the last text holds none", "<BODY>abc<B>def</B>ghi</BODY>",
		"zzz", "", kFind, kPlain, kLatin1, kNothing, nullptr, 1 },
	{ "none, with wrap", "<BODY>abc<B>def</B>ghi</BODY>", "zzz", "", kFind,
		kWrap, kLatin1, kNothing, nullptr, 1 },
	{ "at the very end", "<BODY>abc<B>def</B>ghi</BODY>", "hi", "", kFind,
		kPlain, kLatin1, { "ghi", 1, 3 }, nullptr, 0 },
	{ "empty search", "<BODY>abc</BODY>", "", "x", kReplace, kPlain, kLatin1,
		kNothing, nullptr, 1 },
	{ "replace", "<BODY>cat <B>cat</B> cat</BODY>", "cat", "dog", kReplace,
		kPlain, kLatin1, { "dog ", 3, 3 },
		"T'dog ' C6 T'cat' C-6 T' cat'", 0 },
	{ "replace all", "<BODY>cat <B>cat</B> cat</BODY>", "cat", "dog", kAll,
		kPlain, kLatin1, { " dog", 4, 4 },
		"T'dog ' C6 T'dog' C-6 T' dog'", 1 },
	{ "replace all, replacement holds the search", "<BODY>a a a</BODY>",
		"a", "ba", kAll, kWrap, kLatin1, { "ba ba ba", 8, 8 }, "T'ba ba ba'",
		1 },
	{ "replace all, none there", "<BODY>abc<B>def</B>ghi</BODY>", "zzz",
		"x", kAll, kWrap, kLatin1, kNothing, nullptr, 1 },
	{ "replace with nothing", "<BODY>one two three</BODY>", "two ", "",
		kReplace, kPlain, kLatin1, { "one three", 4, 4 }, "T'one three'", 0 },
	{ "replacement with blanks", "<BODY>x xy x</BODY>", "xy", "a b  c",
		kReplace, kPlain, kLatin1, { "x a b c x", 7, 7 }, "T'x a b c x'", 0 },
	{ "Latin-1 letters in any case", "<BODY>\xC9t\xE9</BODY>", "é", "",
		kFind, kPlain, kLatin1, { "\xC9t\xE9", 0, 1 }, nullptr, 0 },
	{ "a reference is its character", "<BODY>caf&Eacute; eacute</BODY>",
		"é", "", kFind, kPlain, kLatin1,
		{ "caf\x1A" "Eacute; eacute", 3, 11 }, nullptr, 0 },
	{ "never inside a reference", "<BODY>caf&eacute; eacute</BODY>",
		"eacute", "", kFind, kPlain, kLatin1,
		{ "caf\x1A" "eacute; eacute", 12, 18 }, nullptr, 0 },
	{ "what Latin-1 lacks, by any reference", "<BODY>a&mdash;b</BODY>",
		"—", "–", kReplace, kPlain, kLatin1, { "a\x1A#8211;b", 8, 8 },
		"T'a\x1A#8211;b'", 0 },
	{ "never from inside a Shift_JIS character",
		"<BODY>\x95\x5C" "x\\</BODY>", "\\", "", kFind, kPlain, B_SHIFT_JIS,
		{ "\x95\x5C" "x\\", 3, 4 }, nullptr, 0 },
	{ "UTF-8 é finds É", "<BODY>Été été</BODY>", "é", "", kFind, kPlain,
		kUTF8, { "Été été", 0, 2 }, nullptr, 0 },
	{ "UTF-8 in its case", "<BODY>Été été</BODY>", "é", "", kFind, kCase,
		kUTF8, { "Été été", 3, 5 }, nullptr, 0 },
	{ "UTF-8 replace all", "<BODY>Été <B>été</B></BODY>", "É", "e", kAll,
		kPlain, kUTF8, { "ete", 3, 3 }, "T'ete ' C6 T'ete' C-6 T''", 1 },
};

}	// namespace


TEST_F(WFinderTest, SearchesAndTheirResults)
{
	for (const Search& search : kSearches) {
		SCOPED_TRACE(search.name);
		Load(search.html, search.encoding);
		std::string before = PageText();
		Selected selected = Selection();
		Fill(search.search, search.replacement, search.options);
		EXPECT_EQ(Press(search.button), search.beeps);
		EXPECT_EQ(Selection(), search.selected == kNothing ? selected
			: search.selected);
		EXPECT_EQ(PageText(), search.result != nullptr ? search.result
			: before);
		EXPECT_EQ(CurrentPage()->IsSaved(), search.result == nullptr);
	}
}


TEST_F(WFinderTest, FindAgainWalksTheChainInOrder)
{
	Load("<BODY>cat <B>cat</B> cat</BODY>");
	Fill("cat", "");
	EXPECT_EQ(Press(kFind), 0);
	EXPECT_EQ(Selection(), (Selected{ "cat ", 0, 3 }));
	EXPECT_EQ(Press(kAgain), 0);
	EXPECT_EQ(Selection(), (Selected{ "cat", 0, 3 }));
	EXPECT_EQ(Press(kAgain), 0);
	EXPECT_EQ(Selection(), (Selected{ " cat", 1, 4 }));
	// Past the last match: a beep, and the last match stays selected.
	EXPECT_EQ(Press(kAgain), 1);
	EXPECT_EQ(Selection(), (Selected{ " cat", 1, 4 }));
	// With Wrap it starts over at the top.
	Fill("cat", "", kWrap);
	EXPECT_EQ(Press(kAgain), 0);
	EXPECT_EQ(Selection(), (Selected{ "cat ", 0, 3 }));

	// Replace, then "Find again" replaces the next one after the first
	// replacement, never inside it.
	Fill("cat", "cats");
	EXPECT_EQ(Press(kReplace), 0);
	EXPECT_EQ(PageText(), "T'cats ' C6 T'cat' C-6 T' cat'");
	EXPECT_EQ(Press(kAgain), 0);
	EXPECT_EQ(PageText(), "T'cats ' C6 T'cats' C-6 T' cat'");

	// After Replace all, "Find again" goes on from where it ended, even
	// with Wrap: nothing is left to replace, and no new round starts.
	Fill("cat", "cats", kWrap);
	EXPECT_EQ(Press(kAll), 1);
	EXPECT_EQ(Press(kAgain), 1);
	EXPECT_EQ(PageText(), "T'catss ' C6 T'catss' C-6 T' cats'");
}


TEST_F(WFinderTest, MatchesRunOnIntoTheNextPieceOfTheParagraph)
{
	// A paragraph long enough to be laid out on several lines, one text
	// element per line.
	std::string words;
	for (int i = 100; i < 400; i++)
		words += "w" + std::to_string(i) + " ";
	words.pop_back();
	Load("<BODY>" + words + "</BODY>");
	WText* first = nullptr;
	for (WText* text : Elements<WText>()) {
		if (first == nullptr && text->TextLength() > 0)
			first = text;
	}
	ASSERT_NE(first, nullptr);
	WText* second = dynamic_cast<WText*>(first->next);
	ASSERT_NE(second, nullptr) << "the paragraph was not broken into lines";
	std::string end(first->Text());
	std::string start(second->Text());
	ASSERT_EQ(end.back(), ' ');
	std::string lastWord = end.substr(end.rfind(' ', end.size() - 2) + 1);
	std::string firstWord = start.substr(0, 4);

	// A match that begins at the first byte of the second piece is
	// selected there.
	Fill(firstWord.c_str(), "");
	Press(kFind);
	EXPECT_EQ(Selection(), (Selected{ start, 0, 4 }));

	// One that begins in the first piece and ends in the second is
	// selected where it begins, and replaced in both.
	std::string across = lastWord + firstWord;
	Fill(across.c_str(), "NEW");
	Press(kFind);
	EXPECT_EQ(Selection(), (Selected{ end, int32(end.size() - 5),
		int32(end.size()) }));
	Press(kReplace);
	std::string expected = words;
	expected.replace(expected.find(across), across.size(), "NEW");
	std::string texts;
	for (WText* text : Elements<WText>())
		texts += text->Text();
	EXPECT_EQ(texts, expected);
}


TEST_F(WFinderTest, ReplaceAllLaysThePageOutOnce)
{
	// Thousands of matches, each replacement longer than what it replaces
	// and holding it: the search must end, and the page must come out laid
	// out as a fresh layout would lay it out.
	std::string words;
	for (int i = 0; i < 3000; i++)
		words += (i % 7 == 0) ? "<B>ab</B> " : "ab ";
	Load("<BODY><P>" + words + "</P></BODY>");
	Fill("ab", "abc ab");
	EXPECT_EQ(Press(kAll), 1);
	// Each "ab" replaced once: 3000 replacements holding two each.
	std::string texts = PageText();
	auto count = [&texts](const std::string& what) {
		size_t found = 0;
		for (size_t at = texts.find(what); at != std::string::npos;
				at = texts.find(what, at + what.size()))
			found++;
		return found;
	};
	EXPECT_EQ(count("abc ab"), 3000u);
	EXPECT_EQ(count("ab"), 6000u);

	std::string laidOut = Dump();
	ASSERT_TRUE(Visual()->Lock());
	Engine()->Place(nullptr, true);
	Visual()->Unlock();
	EXPECT_EQ(Dump(), laidOut);
	EXPECT_FALSE(CurrentPage()->IsSaved());
}


TEST_F(WFinderTest, ARemovedElementIsNotSearchedFrom)
{
	Load("<BODY>one <B>two</B> three</BODY>");
	Fill("three", "");
	Press(kFind);
	EXPECT_EQ(Selection(), (Selected{ " three", 1, 6 }));
	// The page is read again: the element of the last match is gone (the
	// sanitizer build would see it touched).
	Load("<BODY>three <I>three</I></BODY>");
	EXPECT_EQ(Press(kAgain), 0);
	EXPECT_EQ(Selection(), (Selected{ "three ", 0, 5 }));
	// And after "Delete all".
	Send(Visual(), kMsgDeleteAll);
	EXPECT_EQ(Press(kAgain), 1);
}


TEST_F(WFinderTest, MenuItemsShowTheDialogAndFindAgain)
{
	WFinder* finder = Finder();
	ASSERT_NE(finder, nullptr);
	EXPECT_TRUE(finder->IsHidden());
	EXPECT_EQ(finder->target, Visual());
	EXPECT_EQ(finder->engine, Engine());
	// Alt+F shows the dialog.
	PostKey(Visual(), "f", B_COMMAND_KEY);
	EXPECT_FALSE(finder->IsHidden());

	Load("<BODY>one two</BODY>");
	Fill("two", "");
	Send(Visual(), kAgain);
	EXPECT_EQ(Selection(), (Selected{ "one two", 4, 7 }));
	EXPECT_FALSE(finder->IsHidden());
}
