// Long and deep pages: every walk along the chain is a loop, so neither a
// long row of style tags nor deeply nested ones exhausts the stack (run
// under the sanitizer build too, where frames are larger).

#include "PageFixture.h"

#include "TextChange.h"

using namespace quillora_test;
using EngineTest = PageFixture;

namespace {

std::string
Repeat(const std::string& piece, int count)
{
	std::string out;
	out.reserve(piece.size() * count);
	for (int i = 0; i < count; i++)
		out += piece;
	return out;
}

}	// namespace

TEST_F(EngineTest, HundredThousandStyleTagsInARow)
{
	// 50,000 pairs of I tags: 100,000 style elements, an empty text
	// between each two of them.
	Parse("<BODY>" + Repeat("<I></I>", 50000) + "end</BODY>");
	int styles = 0;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next())
		styles += dynamic_cast<TextChange*>(e) != nullptr;
	EXPECT_EQ(100000, styles);

	WYSIWYG_Element* last = Engine()->LastElement();
	ASSERT_NE(nullptr, dynamic_cast<WText*>(last));
	EXPECT_STREQ("end", dynamic_cast<WText*>(last)->Text());
	EXPECT_EQ(fPage->plainFont, last->environment->font);

	ASSERT_TRUE(Window()->Lock());
	Engine()->Refresh();
	Window()->Unlock();
	std::string html = HTMLOf(nullptr);
	EXPECT_EQ(Repeat("<I></I>", 50000) + "end", html);
	EXPECT_EQ(0, fResponder.CountAlerts());
}

TEST_F(EngineTest, TwentyThousandNestedBoldTags)
{
	Parse("<BODY>" + Repeat("<B>", 20000) + "deep" + Repeat("</B>", 20000)
		+ "after</BODY>");
	WYSIWYG_Element* deep = nullptr;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		WText* text = dynamic_cast<WText*>(e);
		if (text != nullptr && strcmp(text->Text(), "deep") == 0)
			deep = text;
	}
	ASSERT_NE(nullptr, deep);
	EXPECT_EQ(fPage->boldFont, deep->environment->font);
	WYSIWYG_Element* last = Engine()->LastElement();
	EXPECT_EQ(fPage->plainFont, last->environment->font);

	ASSERT_TRUE(Window()->Lock());
	Engine()->Refresh();
	Window()->Unlock();
	EXPECT_EQ(Repeat("<B>", 20000) + "deep" + Repeat("</B>", 20000) + "after",
		HTMLOf(nullptr));
	EXPECT_GT(Engine()->LastElement()->LineTop(), 8.0f);
}
