// Text views in the encodings of their fonts: the caret, the selection and
// deletions keep characters whole, typed and pasted UTF-8 goes in in the
// view's encoding, copies come out as UTF-8, and the characters are
// measured and drawn as one glyph each.
#include "TextViewTesting.h"

#include <Clipboard.h>

#include <gtest/gtest.h>


namespace {

const char kLeft[] = { (char)B_LEFT_ARROW, 0 };
const char kRight[] = { (char)B_RIGHT_ARROW, 0 };
const char kBackspace[] = { (char)B_BACKSPACE, 0 };
const char kDelete[] = { (char)B_DELETE, 0 };

BFont
font_in(uint8 encoding)
{
	BFont font;
	font.SetFamilyAndStyle("DejaVu Sans", "Book");
	font.SetSize(16);
	font.SetEncoding(encoding);
	return font;
}

BTextView*
view_in(const BFont& font, BRect frame = BRect(0, 0, 399, 99))
{
	BTextView* view = new BTextView(frame, "encoded", frame.OffsetToCopy(0, 0),
		B_FOLLOW_NONE, B_WILL_DRAW | B_NAVIGABLE);
	view->SetFontAndColor(&font);
	return view;
}

int32
caret(BTextView* view)
{
	Selection selection = selection_of(view);
	return selection.first == selection.second ? selection.first : -1;
}

// The offsets the caret visits going right from 0, then left from the end.
std::vector<int32>
walk(TextWindow& window, BTextView* view, const char* key)
{
	std::vector<int32> offsets;
	for (int32 i = 0; i < 20; i++) {
		window.Key(key);
		int32 at = caret(view);
		if (!offsets.empty() && offsets.back() == at)
			break;
		offsets.push_back(at);
	}
	return offsets;
}

}	// namespace


TEST(TextViewEncoding, CaretSelectionAndDeletionKeepUTF8CharactersWhole)
{
	// a, é (2 bytes), € (3), G clef (4), b.
	const char* text = "a\xc3\xa9\xe2\x82\xac\xf0\x9d\x84\x9e" "b";
	BTextView* view = view_in(font_in(B_UNICODE_UTF8));
	TextWindow window(view);
	view->SetText(text);
	view->Select(0, 0);

	EXPECT_EQ((std::vector<int32>{ 1, 3, 6, 10, 11 }), walk(window, view, kRight));
	EXPECT_EQ((std::vector<int32>{ 10, 6, 3, 1, 0 }), walk(window, view, kLeft));

	// Shift+Right selects a character at a time.
	view->Select(1, 1);
	window.Key(kRight, B_SHIFT_KEY);
	window.Key(kRight, B_SHIFT_KEY);
	EXPECT_EQ(Selection(1, 6), selection_of(view));

	// Offsets inside a character are moved out of it: a selection takes
	// whole characters, an insertion goes before the character.
	view->Select(2, 7);
	EXPECT_EQ(Selection(1, 10), selection_of(view));
	EXPECT_EQ(3, view->PreviousCharacter(6));
	EXPECT_EQ(6, view->PreviousCharacter(7));
	EXPECT_EQ(10, view->NextCharacter(7));
	EXPECT_EQ(11, view->NextCharacter(11));
	EXPECT_EQ(0, view->PreviousCharacter(0));
	// A click inside the G clef lands before or after it, never inside.
	for (float x = view->PointAt(6).x; x < view->PointAt(10).x; x += 1) {
		int32 offset = view->OffsetAt(BPoint(x, 5));
		EXPECT_TRUE(offset == 6 || offset == 10) << "x " << x << ": " << offset;
	}

	// Backspace and Delete remove one character each.
	view->Select(10, 10);
	window.Key(kBackspace);
	EXPECT_EQ("a\xc3\xa9\xe2\x82\xac" "b", text_of(view));
	view->Select(1, 1);
	window.Key(kDelete);
	EXPECT_EQ("a\xe2\x82\xac" "b", text_of(view));
	// Delete() and Insert() with offsets inside the euro sign.
	view->Delete(2, 3);
	EXPECT_EQ("ab", text_of(view));
	view->SetText("x\xc3\xa9y");
	view->Insert(2, "!", 1);
	EXPECT_EQ("x!\xc3\xa9y", text_of(view));

	// Control+Backspace takes the word before the caret, accented
	// letters included.
	view->SetText("d\xc3\xa9j\xc3\xa0 vu");
	view->Select(6, 6);
	window.Key(kBackspace, B_CONTROL_KEY);
	EXPECT_EQ(" vu", text_of(view));
}


TEST(TextViewEncoding, TwoAndFourByteEncodingsKeepTheirCharactersWhole)
{
	// Shift_JIS: the second byte of 表 (95 5C) is the backslash's byte.
	BTextView* view = view_in(font_in(B_SHIFT_JIS));
	TextWindow window(view);
	view->SetText("a\x95\x5c\\b");
	view->Select(0, 0);
	EXPECT_EQ((std::vector<int32>{ 1, 3, 4, 5 }), walk(window, view, kRight));
	view->Select(3, 3);
	window.Key(kBackspace);
	EXPECT_EQ("a\\b", text_of(view));

	// Typed characters go in as the encoding's bytes.
	view->SetText("");
	window.Key("\xe6\x97\xa5");		// 日
	window.Key("\xef\xbd\xb1");		// half-width katakana: one byte
	window.Key("z");
	EXPECT_EQ("\x93\xfa\xb1z", text_of(view));

	// EUC-KR and GB18030's four-byte characters.
	BTextView* korean = view_in(font_in(B_EUC_KR));
	BTextView* chinese = view_in(font_in(B_GB18030), BRect(0, 100, 399, 199));
	window.Window()->AddChild(korean);
	window.Window()->AddChild(chinese);
	korean->MakeFocus(true);
	korean->SetText("\xc7\xd1\xb1\xb9");		// 한국
	korean->Select(4, 4);
	window.Key(kLeft);
	EXPECT_EQ(2, caret(korean));
	window.Key("\xea\xb8\x80");		// 글
	EXPECT_EQ("\xc7\xd1\xb1\xdb\xb1\xb9", text_of(korean));

	chinese->MakeFocus(true);
	chinese->SetText("\x83\x36\x84\x33" "a");	// 한 in GB18030, then a
	chinese->Select(0, 0);
	window.Key(kDelete);
	EXPECT_EQ("a", text_of(chinese));
}


TEST(TextViewEncoding, TypedPastedAndCopiedTextCrossesEncodings)
{
	BTextView* utf8 = view_in(font_in(B_UNICODE_UTF8));
	TextWindow window(utf8);
	window.Key("\xc3\xa9");
	EXPECT_EQ("\xc3\xa9", text_of(utf8));

	BTextView* latin = view_in(font_in(B_ISO_8859_1), BRect(0, 100, 399, 199));
	window.Window()->AddChild(latin);
	latin->MakeFocus(true);
	window.Key("\xc3\xa9");
	window.Key("\xe2\x80\x94");		// —: not Latin-1, and no prefix: left out
	EXPECT_EQ("\xe9", text_of(latin));
	// With a prefix it goes in as a numeric character reference.
	latin->SetReferencePrefix('&');
	window.Key("\xe2\x80\x94");
	EXPECT_EQ("\xe9&#8212;", text_of(latin));

	// Copies are UTF-8, whatever the view's encoding; KOI8-R here.
	BTextView* russian = view_in(font_in(B_KOI8_R), BRect(0, 200, 399, 299));
	window.Window()->AddChild(russian);
	russian->SetText("\xf0\xd2\xc9\xd7\xc5\xd4 \xe9");
	russian->SelectAll();
	russian->Copy(be_clipboard);
	EXPECT_EQ("\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82 \xd0\x98", host_text());
	// Pasted into Latin-1 with the prefix, the Cyrillic becomes references;
	// into UTF-8, the same characters.
	latin->SetText("");
	latin->Paste(be_clipboard);
	EXPECT_EQ("&#1055;&#1088;&#1080;&#1074;&#1077;&#1090; &#1048;", text_of(latin));
	utf8->SetText("");
	utf8->Paste(be_clipboard);
	EXPECT_EQ("\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82 \xd0\x98", text_of(utf8));

	// A limit cuts what is pasted between characters.
	utf8->SetText("");
	utf8->SetMaxBytes(5);
	utf8->Paste(be_clipboard);
	EXPECT_EQ("\xd0\x9f\xd1\x80", text_of(utf8));
}


TEST(TextViewEncoding, AReferenceIsOneCharacterShownAsWhatItStandsFor)
{
	BFont font = font_in(B_ISO_8859_1);
	font.SetReferenceMark(0x1a);
	font.SetNoBreakSpace(0x0f);
	BTextView* view = view_in(font);
	TextWindow window(view);
	// a — b é c, a no-break space, and a mark that begins no reference.
	view->SetText("a\x1a#8212;b\x1a" "eacute;c\x0f\x1a" "x");
	view->Select(0, 0);
	EXPECT_EQ((std::vector<int32>{ 1, 8, 9, 17, 18, 19, 20, 21 }),
		walk(window, view, kRight));

	view->Select(3, 12);
	EXPECT_EQ(Selection(1, 17), selection_of(view));
	// Copied, each reference is its character, the no-break space U+00A0
	// and the lone mark "&".
	view->SelectAll();
	view->Copy(be_clipboard);
	EXPECT_EQ("a\xe2\x80\x94" "b\xc3\xa9" "c\xc2\xa0&x", host_text());
	// The reference is as wide as the character.
	BFont utf8 = font_in(B_UNICODE_UTF8);
	EXPECT_NEAR(utf8.StringWidth("\xe2\x80\x94"), view->PointAt(8).x - view->PointAt(1).x,
		0.01f);
	view->Select(8, 8);

	window.Key(kBackspace);
	EXPECT_EQ("ab\x1a" "eacute;c\x0f\x1a" "x", text_of(view));
	view->SetText("");

	// What Latin-1 cannot hold is typed as a reference after the mark, a
	// typed no-break space is the no-break byte, a typed "&" stays itself.
	window.Key("\xe2\x80\x94");
	window.Key("\xc2\xa0");
	window.Key("&");
	window.Key("\xc3\xa9");
	EXPECT_EQ("\x1a#8212;\x0f&\xe9", text_of(view));
	// Control characters with the special bytes' values never come in
	// from outside.
	BPrivate::host_clipboard_set_text("<\x1a#233;\x0f>", 9);
	view->SetText("");
	view->Paste(be_clipboard);
	EXPECT_EQ("<#233;>", text_of(view));
}


TEST(TextViewEncoding, WrappedUTF8LinesAgreeWithTheFontsMeasure)
{
	BFont font = font_in(B_UNICODE_UTF8);
	BTextView* view = view_in(font, BRect(0, 0, 299, 399));
	TextWindow window(view);
	static const char* kWords[] = { "caf\xc3\xa9", "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82",
		"\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xae\xe6\x96\x87\xe7\xab\xa0",
		"na\xc3\xafve", "\xe2\x80\x94", "word", "\xf0\x9d\x84\x9e\xf0\x9d\x84\x9e" };
	std::string text;
	for (int32 i = 0; i < 400; i++) {
		text += kWords[(i * 7 + i / 3) % 7];
		text += ' ';
	}
	// One run of ideographs longer than a line must be broken between
	// characters.
	for (int32 i = 0; i < 60; i++)
		text += "\xe6\x97\xa5";
	view->SetText(text.c_str());
	int32 lines = view->CountLines();
	EXPECT_GT(lines, 20);
	for (int32 line = 0; line < lines; line++) {
		int32 from = view->OffsetAt(line);
		int32 to = view->OffsetAt(line + 1);
		// A line begins with a character, never with a continuation byte.
		EXPECT_NE(0x80, view->ByteAt(from) & 0xc0) << "line " << line;
		std::string bytes(view->Text() + from, to - from);
		while (!bytes.empty() && bytes.back() == ' ')
			bytes.pop_back();
		float measured = font.StringWidth(bytes.c_str());
		EXPECT_NEAR(measured, view->LineWidth(line), 0.01f) << "line " << line;
		EXPECT_LE(view->LineWidth(line), 300.0f) << "line " << line;
	}
}


TEST(TextViewEncoding, CharactersAreDrawnAsTheirGlyphs)
{
	// The same characters in three encodings (and in a reference) draw
	// the same pixels; the UTF-8 bytes read as Latin-1 do not.
	struct Sample {
		uint8 encoding;
		const char* bytes;
	};
	const Sample kSamples[] = {
		{ B_UNICODE_UTF8, "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82 caf\xc3\xa9" },
		{ B_MS_WINDOWS_1251, "\xcf\xf0\xe8\xe2\xe5\xf2 caf\x1a#233;" },
		{ B_ISO_8859_1, "\x1a#1055;\x1a#1088;\x1a#1080;\x1a#1074;\x1a#1077;\x1a#1090; "
			"caf\xe9" },
		{ B_ISO_8859_1, "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82 caf\xc3\xa9" },
		// A no-break space looks like a space.
		{ B_ISO_8859_1, "a\x0f" "b" },
		{ B_ISO_8859_1, "a b" },
	};
	const int32 kCount = sizeof(kSamples) / sizeof(kSamples[0]);
	BTextView* views[kCount];
	BView* first = NULL;
	for (int32 i = 0; i < kCount; i++) {
		BFont font = font_in(kSamples[i].encoding);
		font.SetReferenceMark(0x1a);
		font.SetNoBreakSpace(0x0f);
		views[i] = view_in(font, BRect(0, 30 * i, 299, 30 * i + 29));
		views[i]->SetText(kSamples[i].bytes);
		views[i]->MakeEditable(false);
		if (first == NULL)
			first = views[i];
	}
	TextWindow window(first, BRect(100, 100, 399, 100 + 30 * kCount - 1));
	for (int32 i = 1; i < kCount; i++)
		window.Window()->AddChild(views[i]);

	Pixels pixels = snapshot(window.Window());
	ASSERT_EQ(300, pixels.width);
	auto same = [&pixels](int32 a, int32 b) {
		for (int32 y = 0; y < 30; y++) {
			for (int32 x = 0; x < 300; x++) {
				if (pixels.At(x, 30 * a + y) != pixels.At(x, 30 * b + y))
					return false;
			}
		}
		return true;
	};
	EXPECT_GT(count_dark(pixels, BRect(0, 0, 299, 29)), 100);
	EXPECT_TRUE(same(0, 1));
	EXPECT_TRUE(same(0, 2));
	EXPECT_FALSE(same(0, 3));
	EXPECT_GT(count_dark(pixels, BRect(0, 120, 299, 149)), 20);
	EXPECT_TRUE(same(4, 5));
}
