/*
 * Pages in their own encodings: the encoding decided when a page is read,
 * UTF-16 and UTF-32 files read as UTF-8, pages of several encodings written
 * back byte for byte by both windows, and typed characters stored in the
 * page's encoding in both windows.
 */
#include "ProgramFixture.h"

#include <Font.h>

#include "PageEncoding.h"
#include "WText.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

using namespace quillora_test;

namespace {

template<size_t N>
std::string
bytes(const char (&text)[N])
{
	return std::string(text, N - 1);
}


// `text` (Unicode) in UTF-16 or UTF-32 with its byte-order mark.
std::string
wide(const std::u32string& text, int unitBytes, bool bigEndian)
{
	std::string out;
	auto put = [&](uint32 unit) {
		for (int k = 0; k < unitBytes; k++) {
			int shift = bigEndian ? 8 * (unitBytes - 1 - k) : 8 * k;
			out += char((unit >> shift) & 0xff);
		}
	};
	put(0xfeff);
	for (char32_t c : text) {
		if (unitBytes == 2 && c >= 0x10000) {
			put(0xd800 + ((c - 0x10000) >> 10));
			put(0xdc00 + ((c - 0x10000) & 0x3ff));
		} else
			put(uint32(c));
	}
	return out;
}


class EncodingTest : public ProgramTest {
protected:

	std::string ViewText()
	{
		HTML_View* view = CurrentPage()->htmlWindow->htmlView;
		return std::string(view->Text(), size_t(view->TextLength()));
	}

	void FocusSource(int32 offset)
	{
		HWindow* window = CurrentPage()->htmlWindow;
		window->Show();
		Idle();
		ASSERT_TRUE(window->Lock());
		window->htmlView->MakeFocus(true);
		window->htmlView->Select(offset, offset);
		window->Unlock();
	}
};

}	// namespace


TEST(PageEncodingTest, DecidedByTheMarkTheDeclarationOrTheBytes)
{
	struct Case {
		const char* what;
		std::string page;
		uint8 encoding;
		int32 mark;
	};
	const Case kCases[] = {
		{ "empty", "", B_ISO_8859_1, 0 },
		{ "ASCII", "<BODY>plain</BODY>", B_ISO_8859_1, 0 },
		{ "Latin-1 bytes", "<BODY>caf\xe9</BODY>", B_ISO_8859_1, 0 },
		{ "valid UTF-8", "<BODY>caf\xc3\xa9 \xf0\x9d\x84\x9e", B_UNICODE_UTF8, 0 },
		{ "UTF-8 cut at the end", "<BODY>caf\xc3\xa9 \xe2\x80", B_ISO_8859_1, 0 },
		{ "overlong UTF-8", "<BODY>\xc0\xaf", B_ISO_8859_1, 0 },
		{ "mark", "\xef\xbb\xbf<BODY>x", B_UNICODE_UTF8, 3 },
		{ "mark over the declaration", "\xef\xbb\xbf<META CHARSET=EUC-KR>",
			B_UNICODE_UTF8, 3 },
		{ "CONTENT", "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
			"charset=EUC-KR\"><BODY>\xc7\xd1", B_EUC_KR, 0 },
		{ "CHARSET", "<meta charset=\"Shift_JIS\"><body>\x93\xfa", B_SHIFT_JIS, 0 },
		{ "unquoted and spaced", "<meta content='text/html;Charset = utf-8'>",
			B_UNICODE_UTF8, 0 },
		{ "declared Latin-1 over UTF-8 bytes",
			"<META CHARSET=iso-8859-1><BODY>caf\xc3\xa9", B_ISO_8859_1, 0 },
		{ "windows-1252", "<META CHARSET=\"windows-1252\">\x93", B_MS_WINDOWS_1252, 0 },
		{ "ISO number with a year", "<META CHARSET=ISO_8859-15:1998>",
			B_ISO_8859_15, 0 },
		{ "KOI8-R", "<META CONTENT=\"text/html; charset=koi8-r\">", B_KOI8_R, 0 },
		{ "after BODY, where the editor writes it",
			"<BODY TEXT=\"#000000\">\r\n<META HTTP-EQUIV=\"Content-Type\" "
			"CONTENT=\"text/html; charset=gb2312\">\r\n", B_GBK, 0 },
		{ "unknown name: the bytes decide",
			"<META CHARSET=x-unknown><BODY>caf\xc3\xa9", B_UNICODE_UTF8, 0 },
		{ "in a comment", "<!-- <META CHARSET=EUC-KR> --><BODY>caf\xe9",
			B_ISO_8859_1, 0 },
		{ "UTF-16 named without its mark", "<META CHARSET=utf-16><BODY>x",
			B_UNICODE_UTF8, 0 },
		{ "no charset in CONTENT", "<META NAME=\"Author\" CONTENT=\"Ann\">"
			"<BODY>caf\xe9", B_ISO_8859_1, 0 },
		{ "UTF-16LE", bytes("\xff\xfe<\0B\0"), B_UNICODE_UTF8, 2 },
		{ "UTF-16BE", bytes("\xfe\xff\0<\0B"), B_UNICODE_UTF8, 2 },
		{ "UTF-32LE", bytes("\xff\xfe\0\0<\0\0\0"), B_UNICODE_UTF8, 4 },
		{ "UTF-32BE", bytes("\0\0\xfe\xff\0\0\0<"), B_UNICODE_UTF8, 4 },
	};
	for (const Case& c : kCases) {
		PageEncoding decided = page_encoding(c.page.data(), c.page.size());
		EXPECT_EQ(c.encoding, decided.encoding) << c.what;
		EXPECT_EQ(c.mark, decided.byteOrderMark) << c.what;
	}
}


TEST_F(EncodingTest, FontsAndTheSourceViewTakeThePagesEncoding)
{
	OpenContent("<META CHARSET=EUC-KR><BODY>\xc7\xd1\xb1\xb9</BODY>");
	Page* page = CurrentPage();
	BFont* fonts[] = { page->plainFont, page->italicFont, page->boldFont,
		page->boldItalicFont, page->fixedFont, page->fixedItalicFont,
		page->smallFont, page->smallItalicFont, page->bigFont,
		page->bigItalicFont };
	for (BFont* font : fonts)
		EXPECT_EQ(B_EUC_KR, font->Encoding());
	for (int i = 0; i < 6; i++) {
		EXPECT_EQ(B_EUC_KR, page->headingFonts[i]->Encoding());
		EXPECT_EQ(B_EUC_KR, page->headingItalicFonts[i]->Encoding());
	}
	BFont viewFont;
	page->htmlWindow->htmlView->GetFontAndColor(0, &viewFont);
	EXPECT_EQ(B_EUC_KR, viewFont.Encoding());
	// Two characters of two bytes each.
	WText* text = PlaceCaret("\xc7\xd1\xb1\xb9", 0);
	ASSERT_NE(nullptr, text);
	EXPECT_EQ(2, text->NextCharacter(0));

	// A reload decides again; a new, empty page is Latin-1.
	std::ofstream(fPath, std::ios::binary | std::ios::trunc) << "";
	page->Update(true);
	Idle();
	EXPECT_EQ(B_ISO_8859_1, page->plainFont->Encoding());
	page->htmlWindow->htmlView->GetFontAndColor(0, &viewFont);
	EXPECT_EQ(B_ISO_8859_1, viewFont.Encoding());
}


TEST_F(EncodingTest, PagesComeBackByteForByteFromBothWindows)
{
	const char* kDeclaration = "<META HTTP-EQUIV=\"Content-Type\" "
		"CONTENT=\"text/html; charset=";
	struct Case {
		const char* what;
		std::string start;
		std::string charset;
		std::string text;
		uint8 encoding;
	};
	const Case kCases[] = {
		{ "Latin-1", "", "", "caf\xe9 na\xefve \xa9 \xbd", B_ISO_8859_1 },
		{ "windows-1252", "", "windows-1252", "\x93quoted\x94 \x80 5",
			B_MS_WINDOWS_1252 },
		{ "UTF-8", "", "", "caf\xc3\xa9 \xd0\x9f\xd1\x80\xd0\xb8 \xe2\x80\x94 "
			"\xf0\x9d\x84\x9e", B_UNICODE_UTF8 },
		{ "UTF-8 with its mark", "\xef\xbb\xbf", "", "caf\xc3\xa9 "
			"\xe6\x97\xa5\xe6\x9c\xac", B_UNICODE_UTF8 },
		// Korean; and Japanese with a second byte that is "\" in ASCII.
		{ "EUC-KR", "", "EUC-KR", "\xc7\xd1\xb1\xb9\xbe\xee \xb0\xa1", B_EUC_KR },
		{ "Shift_JIS", "", "Shift_JIS", "\x93\xfa\x96\x7b\x8c\xea \x95\x5c",
			B_SHIFT_JIS },
	};
	for (const Case& c : kCases) {
		SCOPED_TRACE(c.what);
		std::string head = c.charset.empty() ? ""
			: kDeclaration + c.charset + "\">";
		OpenContent(c.start + "<HTML><HEAD>" + head + "<TITLE>T</TITLE></HEAD>"
			"<BODY><P>" + c.text + "</P></BODY></HTML>\r\n");
		EXPECT_EQ(c.encoding, CurrentPage()->plainFont->Encoding());
		ASSERT_TRUE(CurrentPage()->Save());
		std::string saved = ReadFile(fPath);
		// The text's bytes as they were, the mark where it was.
		EXPECT_NE(std::string::npos, saved.find(c.text));
		EXPECT_EQ(c.start, saved.substr(0, c.start.size()));

		// The editor's own document reads back and is written again
		// unchanged, from the visual page and from the source.
		CloseApplication();
		Open(fPath);
		EXPECT_EQ(c.encoding, CurrentPage()->plainFont->Encoding());
		CurrentPage()->NotSaved();
		ASSERT_TRUE(CurrentPage()->Save());
		EXPECT_EQ(saved, ReadFile(fPath));
		CurrentPage()->UpdateFromVisual();
		CurrentPage()->Update(false);
		Idle();
		ASSERT_TRUE(CurrentPage()->SaveHTML());
		EXPECT_EQ(saved, ReadFile(fPath));
		CloseApplication();
	}
	EXPECT_EQ(0, fAlerts.CountAlerts());
}


TEST_F(EncodingTest, UTF16AndUTF32PagesAreReadAndSavedAsUTF8)
{
	const std::u32string kPage = U"<BODY>caf\u00e9 \U0001d11e</BODY>";
	const std::string kUTF8 = "<BODY>caf\xc3\xa9 \xf0\x9d\x84\x9e</BODY>";
	const struct {
		int unit;
		bool big;
		const char* name;
	} kForms[] = { { 2, false, "UTF-16" }, { 2, true, "UTF-16" },
		{ 4, false, "UTF-32" }, { 4, true, "UTF-32" } };
	for (const auto& form : kForms) {
		SCOPED_TRACE(std::to_string(form.unit) + (form.big ? " big" : " little"));
		fAlerts.Clear();
		OpenContent(wide(kPage, form.unit, form.big));
		ASSERT_EQ(1, fAlerts.CountAlerts());
		EXPECT_EQ(std::string("This page was written in ") + form.name
			+ ". It has been converted to UTF-8 and will be saved in UTF-8.",
			fAlerts.TextAt(0));
		EXPECT_EQ(kUTF8, ViewText());
		EXPECT_EQ(B_UNICODE_UTF8, CurrentPage()->plainFont->Encoding());
		// The file is not the page any more until it is saved.
		EXPECT_FALSE(CurrentPage()->IsSaved());
		ASSERT_TRUE(CurrentPage()->SaveHTML());
		EXPECT_EQ("\xef\xbb\xbf" + kUTF8, ReadFile(fPath));
		CloseApplication();
	}

	// A lone surrogate and a last, incomplete unit are replacement
	// characters; nothing else is lost.
	fAlerts.Clear();
	OpenContent(bytes("\xff\xfe" "a\0\x00\xd8" "b\0c"));
	EXPECT_EQ("a\xef\xbf\xbd" "b\xef\xbf\xbd", ViewText());
}


TEST_F(EncodingTest, TypedCharactersGoInInThePagesEncodingInBothWindows)
{
	struct Case {
		const char* what;
		std::string page;
		const char* typed;
		const char* stored;
	};
	const Case kCases[] = {
		{ "é into UTF-8", "<BODY>caf\xc3\xa9 ab", "\xc3\xa9", "\xc3\xa9" },
		{ "— into UTF-8", "<BODY>caf\xc3\xa9 ab", "\xe2\x80\x94", "\xe2\x80\x94" },
		{ "é into Latin-1", "<BODY>ab", "\xc3\xa9", "\xe9" },
		{ "— into Latin-1", "<BODY>ab", "\xe2\x80\x94", "&#8212;" },
		{ "€ into windows-1252", "<META CHARSET=windows-1252><BODY>ab",
			"\xe2\x82\xac", "\x80" },
		{ "Hangul into EUC-KR", "<META CHARSET=EUC-KR><BODY>ab", "\xed\x95\x9c",
			"\xc7\xd1" },
		{ "Thai into EUC-KR", "<META CHARSET=EUC-KR><BODY>ab", "\xe0\xb8\x81",
			"&#3585;" },
	};
	for (const Case& c : kCases) {
		SCOPED_TRACE(c.what);
		OpenContent(c.page + "</BODY>");
		std::string body = c.page.substr(c.page.find("<BODY>") + 6);
		std::string expected = body.substr(0, body.size() - 1) + c.stored
			+ "b";

		// In the visual page, between "a" and "b".
		WText* text = PlaceCaret(body.c_str(), int32(body.size()) - 1);
		ASSERT_NE(nullptr, text);
		PostKey(CurrentPage()->visualWindow, c.typed);
		std::string generated = GeneratedDocument(CurrentPage());
		EXPECT_NE(std::string::npos, generated.find(expected)) << generated;

		// In the source, the same.
		std::string source = ViewText();
		int32 at = int32(source.find(body)) + int32(body.size()) - 1;
		FocusSource(at);
		PostKey(CurrentPage()->htmlWindow, c.typed);
		EXPECT_EQ(expected, ViewText().substr(size_t(at) - body.size() + 1,
			expected.size()));
		CloseApplication();
	}
}
