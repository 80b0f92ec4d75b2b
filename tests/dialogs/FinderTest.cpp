/*
 * The find and replace dialog: its window and controls, what its buttons,
 * fields and check boxes do, and the matching rule in one-byte and UTF-8
 * documents.
 */
#include <gtest/gtest.h>

#include <Button.h>
#include <CheckBox.h>
#include <EventLoop.h>
#include <Font.h>
#include <TextView.h>

#include <string>
#include <vector>

#include "../kits/controls/ControlsTesting.h"
#include "FindPattern.h"
#include "RFinder.h"
#include "RTextControl.h"

namespace {

void
Idle()
{
	BPrivate::dispatch_until_idle();
}


// The dialog with a document that only notes what it is asked: the
// searches themselves belong to the editors' finders and their tests.
class NotingFinder : public RFinder {
public:
	NotingFinder() : RFinder(nullptr) {}

	bool Find() override
	{
		calls += hiddenWhenFound == IsHidden() ? "F" : "f";
		return false;
	}

	void Reset() override { calls += "R"; }

	void Prepare(uint8 encoding) { PrepareSearch(encoding); }

	// "R" for Reset, "F" for Find (with the dialog hidden as expected).
	std::string calls;
	bool hiddenWhenFound = true;
};


class FinderTest : public testing::Test {
protected:
	void SetUp() override
	{
		fFinder = new NotingFinder;
		fFinder->Show();
		Idle();
	}

	void TearDown() override
	{
		if (fFinder->Lock())
			fFinder->Quit();
		Idle();
	}

	void Texts(const char* search, const char* replacement)
	{
		ASSERT_TRUE(fFinder->Lock());
		fFinder->FindText()->SetText(search);
		fFinder->ReplaceText()->SetText(replacement);
		fFinder->Unlock();
	}

	void Send(uint32 what)
	{
		fFinder->PostMessage(what);
		Idle();
	}

	void Check(BCheckBox* box, uint32 what, bool on)
	{
		ASSERT_TRUE(fFinder->Lock());
		box->SetValue(on ? B_CONTROL_ON : B_CONTROL_OFF);
		fFinder->Unlock();
		Send(what);
	}

	// A key as the host brings it to the dialog's focus view.
	void Key(const char* bytes)
	{
		ControlsWindow::KeyTo(fFinder, bytes);
		Idle();
	}

	int Compare(const char* text, bool atWordStart,
		uint8 encoding = B_ISO_8859_1)
	{
		fFinder->Prepare(encoding);
		return fFinder->Compare((char*)text, atWordStart);
	}

	NotingFinder* fFinder = nullptr;
};

}	// namespace


TEST_F(FinderTest, WindowAndControls)
{
	EXPECT_STREQ(fFinder->Title(), "Finder");
	EXPECT_EQ(fFinder->Frame(), BRect(80, 40, 484, 145));
	EXPECT_EQ(fFinder->Look(), B_FLOATING_WINDOW_LOOK);
	EXPECT_EQ(fFinder->Feel(), B_NORMAL_WINDOW_FEEL);
	EXPECT_EQ(fFinder->Flags(), uint32(B_NOT_RESIZABLE | B_NOT_ZOOMABLE));
	// The options as they start.
	EXPECT_TRUE(fFinder->single);
	EXPECT_FALSE(fFinder->replace);
	EXPECT_FALSE(fFinder->caseSensitive);
	EXPECT_FALSE(fFinder->wholeWord);
	EXPECT_FALSE(fFinder->wrap);

	RFinderView* view = fFinder->view;
	ASSERT_EQ(fFinder->FindView("RFinderView"), view);
	EXPECT_EQ(view->Bounds(), fFinder->Bounds());
	EXPECT_EQ(fFinder->FindText(), view->findText);
	EXPECT_EQ(fFinder->ReplaceText(), view->replaceText);
	EXPECT_STREQ(view->findText->Label(), "Find:");
	EXPECT_STREQ(view->replaceText->Label(), "Replace:");
	EXPECT_EQ(view->findText->Frame(), BRect(10, 10, 320, 30));
	EXPECT_EQ(view->replaceText->Frame(), BRect(10, 40, 320, 70));
	EXPECT_STREQ(view->findText->Name(), "RBoldTextControl");
	// The search text takes the keys from the start.
	EXPECT_TRUE(view->findText->TextView()->IsFocus());

	float h = 0;
	view->findText->GetPreferredSize(nullptr, &h);
	struct Expected {
		const char* name;
		const char* label;
		BRect frame;
		uint32 what;
	};
	const Expected buttons[] = {
		{ "FindButton", "Find", BRect(330, 6, 400, h + 13), kMsgFinderFind },
		{ "ReplaceButton", "Replace", BRect(330, 36, 400, h + 43),
			kMsgFinderReplace },
		{ "ReplaceAllButton", "Replace all", BRect(330, h + 51, 400, 2 * h + 54),
			kMsgFinderReplaceAll },
		{ "XCaseCheckBox", "Case sensitive", BRect(10, 80, 120, 100),
			kMsgFinderCaseSensitive },
		{ "WholeWordCheckBox", "Whole word", BRect(120, 80, 220, 100),
			kMsgFinderWholeWord },
		{ "WrapCheckBox", "Wrap", BRect(230, 80, 320, 100), kMsgFinderWrap },
	};
	for (const Expected& expected : buttons) {
		BControl* control = dynamic_cast<BControl*>(
			fFinder->FindView(expected.name));
		ASSERT_NE(control, nullptr) << expected.name;
		EXPECT_STREQ(control->Label(), expected.label);
		EXPECT_EQ(control->Frame(), expected.frame) << expected.name;
		ASSERT_NE(control->Message(), nullptr);
		EXPECT_EQ(control->Message()->what, expected.what) << expected.name;
		EXPECT_TRUE(control->Flags() & B_NAVIGABLE);
	}
	EXPECT_EQ(view->caseBox, fFinder->FindView("XCaseCheckBox"));
	EXPECT_EQ(view->wholeWordBox, fFinder->FindView("WholeWordCheckBox"));
	EXPECT_EQ(view->wrapBox, fFinder->FindView("WrapCheckBox"));
}


TEST_F(FinderTest, ButtonsFieldsAndBoxesSetTheOptions)
{
	struct Step {
		uint32 what;
		const char* replacement;
		bool single;
		bool replace;
	};
	// Each step starts from the state the one before left.
	const Step steps[] = {
		{ kMsgFinderReplaceAll, "", false, true },
		// Enter in "Find:" keeps single as it was, replaces only with a
		// replacement text.
		{ kMsgFinderFindEnter, "", false, false },
		{ kMsgFinderFindEnter, "x", false, true },
		{ kMsgFinderFind, "x", true, false },
		{ kMsgFinderReplaceEnter, "", true, true },
		{ kMsgFinderFind, "", true, false },
		{ kMsgFinderReplace, "", true, true },
	};
	for (const Step& step : steps) {
		Texts("a", step.replacement);
		fFinder->calls.clear();
		Send(step.what);
		EXPECT_EQ(fFinder->single, step.single) << step.what;
		EXPECT_EQ(fFinder->replace, step.replace) << step.what;
		// Every one of them searches from the start, with the dialog
		// out of the way.
		EXPECT_EQ(fFinder->calls, "RF") << step.what;
		EXPECT_TRUE(fFinder->IsHidden());
		fFinder->Show();
		Idle();
	}

	RFinderView* view = fFinder->view;
	Check(view->caseBox, kMsgFinderCaseSensitive, true);
	Check(view->wholeWordBox, kMsgFinderWholeWord, true);
	Check(view->wrapBox, kMsgFinderWrap, true);
	EXPECT_TRUE(fFinder->caseSensitive && fFinder->wholeWord && fFinder->wrap);
	Check(view->wholeWordBox, kMsgFinderWholeWord, false);
	EXPECT_TRUE(fFinder->caseSensitive);
	EXPECT_FALSE(fFinder->wholeWord);
	EXPECT_TRUE(fFinder->wrap);

	// "Find again" goes on without starting over.
	fFinder->calls.clear();
	fFinder->hiddenWhenFound = false;
	fFinder->FindAgain();
	EXPECT_EQ(fFinder->calls, "F");
}


TEST_F(FinderTest, EnterInTheFieldsSearches)
{
	// Enter in "Find:" finds; with a replacement text it replaces.
	Texts("a", "");
	Key("\n");
	EXPECT_EQ(fFinder->calls, "RF");
	EXPECT_FALSE(fFinder->replace);
	EXPECT_STREQ(fFinder->FindText()->Text(), "a");

	fFinder->Show();
	Idle();
	Texts("a", "b");
	Key("\n");
	EXPECT_TRUE(fFinder->replace);
	EXPECT_EQ(fFinder->calls, "RFRF");

	// Enter in "Replace:" replaces.
	fFinder->Show();
	Idle();
	Texts("a", "");
	fFinder->single = true;
	ASSERT_TRUE(fFinder->Lock());
	fFinder->ReplaceText()->MakeFocus(true);
	fFinder->Unlock();
	fFinder->replace = false;
	Key("\n");
	EXPECT_TRUE(fFinder->replace);
	EXPECT_EQ(fFinder->calls, "RFRFRF");
	EXPECT_STREQ(fFinder->ReplaceText()->Text(), "");
}


TEST_F(FinderTest, CloseOnlyHidesAndShowingTwiceNeedsOneClose)
{
	EXPECT_FALSE(fFinder->IsHidden());
	// "Find…" chosen again while the dialog is up.
	fFinder->Show();
	Idle();
	EXPECT_FALSE(fFinder->QuitRequested());
	EXPECT_TRUE(fFinder->IsHidden());
	fFinder->Show();
	EXPECT_FALSE(fFinder->IsHidden());
	fFinder->PostMessage(B_QUIT_REQUESTED);
	Idle();
	EXPECT_TRUE(fFinder->IsHidden());
	// Still there, texts and options kept.
	Texts("kept", "");
	fFinder->Show();
	Idle();
	EXPECT_STREQ(fFinder->FindText()->Text(), "kept");

	// A search started while hidden leaves it hidden, and one Show()
	// brings it back.
	fFinder->Hide();
	fFinder->hiddenWhenFound = true;
	fFinder->FindFirst();
	fFinder->Show();
	EXPECT_FALSE(fFinder->IsHidden());
}


TEST_F(FinderTest, CompareInOneByteText)
{
	struct Case {
		const char* search;
		const char* text;
		bool atWordStart;
		bool caseSensitive;
		bool wholeWord;
		int expected;
	};
	const Case cases[] = {
		{ "Body", "BODY>", true, false, false, 4 },
		{ "Body", "BODY>", true, true, false, 0 },
		{ "BODY", "BODY>", true, true, false, 4 },
		{ "cat", "catenate", false, false, false, 3 },
		// Whole word: not inside a word, not at the start of a longer one.
		{ "cat", "catenate", false, false, true, 0 },
		{ "cat", "cats", true, false, true, 0 },
		{ "cat", "cat.", true, false, true, 3 },
		{ "cat", "cat", true, false, true, 3 },
		{ "cat", "ca", true, false, false, 0 },
		// An empty search text never matches.
		{ "", "anything", true, false, false, 0 },
		// Typed in UTF-8, Latin-1 letters have their other case, and are
		// letters.
		{ "\xC3\xA9t\xC3\xA9", "\xC9T\xC9 ", true, false, true, 3 },
		{ "\xC3\xA9t\xC3\xA9", "\xC9T\xC9", true, true, false, 0 },
		{ "caf", "caf\xE9", true, false, true, 0 },
		// Read as windows-1252: the letters it adds there too.
		{ "\xC5\xA1", "\x8A", true, false, false, 1 },
		// A character Latin-1 lacks is looked for as its reference.
		{ "\xE6\x97\xA5", "&#26085;", true, false, false, 8 },
		// Not a letter: the multiplication sign ends a word.
		{ "caf", "caf\xD7", true, false, true, 3 },
	};
	for (const Case& test : cases) {
		Texts(test.search, "");
		fFinder->caseSensitive = test.caseSensitive;
		fFinder->wholeWord = test.wholeWord;
		EXPECT_EQ(Compare(test.text, test.atWordStart), test.expected)
			<< test.search << " in " << test.text;
	}
}


TEST_F(FinderTest, TheFieldsTakeAnyCharacterInUTF8)
{
	ASSERT_TRUE(fFinder->Lock());
	fFinder->FindText()->MakeFocus(true);
	fFinder->Unlock();
	Key("\xE6\x97\xA5");
	Key("\xC3\xA9");
	EXPECT_STREQ(fFinder->FindText()->Text(), "\xE6\x97\xA5\xC3\xA9");
	// In a Shift_JIS document it is looked for in Shift_JIS.
	EXPECT_EQ(Compare("\x93\xFA\x82\xA0", true, B_SHIFT_JIS), 0);
	Texts("\xE6\x97\xA5", "");
	EXPECT_EQ(Compare("\x93\xFA\x82\xA0", true, B_SHIFT_JIS), 2);
}


TEST(FindPatternTest, UTF8Text)
{
	struct Case {
		const char* search;
		const char* text;
		bool caseSensitive;
		int32 expected;
	};
	const Case cases[] = {
		{ "é", "é!", true, 2 },
		{ "é", "É!", true, 0 },
		{ "é", "É!", false, 2 },
		{ "ÉTÉ", "été", false, 5 },
		{ "été", "ÉTÉ", false, 5 },
		{ "Ω", "ω", false, 2 },
		{ "д", "Дом", false, 2 },
		// The byte-wise Latin-1 rule would take "é" for "É" + a stray byte.
		{ "\xC3", "é", true, 0 },
		// A match never ends inside a character.
		{ "e", "é", false, 0 },
		{ "a", "ab", false, 1 },
		// Bytes that are not UTF-8 match only themselves.
		{ "\xE9", "\xE9t", false, 1 },
		{ "\xE9", "\xC9t", false, 0 },
	};
	for (const Case& test : cases) {
		FindPattern pattern;
		pattern.Set(test.search, int32(strlen(test.search)), B_UNICODE_UTF8,
			test.caseSensitive);
		EXPECT_EQ(pattern.MatchAt(test.text), test.expected)
			<< test.search << " in " << test.text;
		if (test.expected > 0) {
			EXPECT_TRUE(pattern.MayStartWith((uint8)test.text[0]));
		}
		EXPECT_LE(test.expected, pattern.MaxMatchLength());
	}

	// Letters and digits of any script are parts of words.
	FindPattern pattern;
	pattern.Set("x", 1, B_UNICODE_UTF8, false);
	const char* text = "aé—1д ";
	EXPECT_TRUE(pattern.IsWordCharacterAt(text));
	EXPECT_TRUE(pattern.IsWordCharacterAt(text + 1));
	EXPECT_FALSE(pattern.IsWordCharacterAt(text + 3));	// the dash
	EXPECT_TRUE(pattern.IsWordCharacterAt(text + 6));
	EXPECT_TRUE(pattern.IsWordCharacterAt(text + 7));
	EXPECT_FALSE(pattern.IsWordCharacterAt(text + 9));
	EXPECT_FALSE(pattern.IsWordCharacterAt(text + 10));
	EXPECT_FALSE(pattern.IsWordCharacterBefore(text, 0));
	EXPECT_TRUE(pattern.IsWordCharacterBefore(text, 3));	// after é
	EXPECT_FALSE(pattern.IsWordCharacterBefore(text, 6));	// after the dash
	EXPECT_TRUE(pattern.IsWordCharacterBefore(text, 9));	// after д
	// In the middle of a character, no character ends there.
	EXPECT_FALSE(pattern.IsWordCharacterBefore(text, 2));
}


TEST(FindPatternTest, OtherOneByteEncodings)
{
	// ISO 8859-5: Cyrillic capital De is 0xB4, small de 0xD4.
	FindPattern pattern;
	pattern.Set("\xD4", 1, B_ISO_8859_5, false);
	EXPECT_EQ(pattern.MatchAt("\xB4"), 1);
	EXPECT_TRUE(pattern.MayStartWith(0xB4));
	EXPECT_TRUE(pattern.IsWordCharacterAt("\xB4"));
	// ISO 8859-2: L with caron 0xA5, l with caron 0xB5.
	pattern.Set("\xB5", 1, B_ISO_8859_2, false);
	EXPECT_EQ(pattern.MatchAt("\xA5"), 1);
	pattern.Set("\xB5", 1, B_ISO_8859_2, true);
	EXPECT_EQ(pattern.MatchAt("\xA5"), 0);
}


TEST(FindPatternTest, MarkedReferencesAreTheirCharacters)
{
	// The visual page's text: references after the mark 0x1A, no-break
	// spaces as 0x0F.
	FindPattern pattern;
	pattern.Set("\xE9", 1, B_ISO_8859_1, false, 0x1A, 0x0F);
	EXPECT_EQ(pattern.MatchAt("\x1A" "eacute;x"), 8);
	EXPECT_EQ(pattern.MatchAt("\x1A" "Eacute;x"), 8);
	EXPECT_EQ(pattern.MatchAt("\x1A#233;"), 6);
	EXPECT_TRUE(pattern.MayStartWith(0x1A));
	// The search text's own reference, as a typed em dash becomes in a
	// Latin-1 page.
	pattern.Set("\x1A#8212;", 7, B_ISO_8859_1, true, 0x1A, 0x0F);
	EXPECT_EQ(pattern.MatchAt("\x1A" "mdash;"), 7);
	EXPECT_EQ(pattern.MatchAt("\x1A#x2014;"), 8);
	// Steps go over whole references; a mark without one is "&".
	EXPECT_EQ(pattern.CharacterLength("\x1A" "eacute;", 8), 8);
	EXPECT_EQ(pattern.CharacterLength("\x1A" "e", 2), 1);
	pattern.Set("&x", 2, B_ISO_8859_1, true, 0x1A, 0x0F);
	EXPECT_EQ(pattern.MatchAt("\x1A" "x"), 2);
	// "eacute" is not in "&eacute;", and no match ends inside one.
	pattern.Set("e", 1, B_ISO_8859_1, false, 0x1A, 0x0F);
	EXPECT_EQ(pattern.MatchAt("\x1A" "eacute;"), 0);
	// Letters as words.
	EXPECT_TRUE(pattern.IsWordCharacterBefore("a\x1A" "eacute;", 9));
	EXPECT_FALSE(pattern.IsWordCharacterBefore("a\x1A" "mdash;", 8));
	EXPECT_FALSE(pattern.IsWordCharacterAt("\x1A" "nbsp;"));
	// A no-break space matches the no-break space byte.
	pattern.Set("a\x0F", 2, B_ISO_8859_1, true, 0x1A, 0x0F);
	EXPECT_EQ(pattern.MatchAt("a\x1A" "nbsp;"), 7);
}
