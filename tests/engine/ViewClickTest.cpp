// A click on the page view itself, beside every text: the caret goes into
// the nearest text, at the click's column.

#include "PageFixture.h"

#include <ScrollView.h>

#include <string>

#include "WText.h"
#include "WYSIWYG_Engine.h"

using namespace quillora_test;

namespace {

class ViewClickTest : public PageFixture {
protected:
	WText* TextHolding(const std::string& bytes)
	{
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			WText* text = dynamic_cast<WText*>(e);
			if (text != nullptr && bytes == text->Text())
				return text;
		}
		ADD_FAILURE() << "no text " << bytes << "\n" << Dump();
		return nullptr;
	}

	// A primary click at `where` in the page view's coordinates.
	void Click(BPoint where)
	{
		PageFixture::Click(Engine()->view, where, B_PRIMARY_MOUSE_BUTTON);
	}

	// The focused text and its caret as "text@offset".
	std::string Caret()
	{
		WText* text = dynamic_cast<WText*>(
			Engine()->Element(Window()->CurrentFocus()));
		if (text == nullptr)
			return "(none)";
		int32 start, end;
		text->GetSelection(&start, &end);
		std::string out = std::string(text->Text()) + "@" + std::to_string(start);
		if (end != start)
			out += "-" + std::to_string(end);
		return out;
	}
};

}	// namespace

TEST_F(ViewClickTest, AClickBesideTheTextsPutsTheCaretIntoTheNearest)
{
	SetViewSize(400, 300);
	Parse("<BODY>short<BR>a longer second line<P>after a paragraph"
		"<UL><LI>item</UL>last</BODY>");
	fPage->Saved();
	WText* shortText = TextHolding("short");
	WText* second = TextHolding("a longer second line");
	WText* after = TextHolding("after a paragraph");
	WText* item = TextHolding("item");
	WText* last = TextHolding("last");
	ASSERT_TRUE(shortText && second && after && item && last);
	BRect shortFrame = shortText->Frame();
	BRect secondFrame = second->Frame();
	BRect afterFrame = after->Frame();
	ASSERT_LT(shortFrame.right + 50, 395) << Dump();
	ASSERT_GT(afterFrame.top, secondFrame.bottom + 4) << Dump();

	// After a line's end: the end of that line's text.
	Click(BPoint(shortFrame.right + 50, (shortFrame.top + shortFrame.bottom) / 2));
	EXPECT_EQ("short@5", Caret());

	// In the gap a paragraph leaves: the nearer line, at the column.
	float column = secondFrame.left + second->PointAt(2).x + 1;
	Click(BPoint(column, secondFrame.bottom + 1));
	EXPECT_EQ("a longer second line@2", Caret());
	Click(BPoint(column, afterFrame.top - 1));
	EXPECT_EQ("after a paragraph@2", Caret());

	// Left of a list item's text, beside its bullet: the text's start.
	BRect itemFrame = item->Frame();
	Click(BPoint(1, (itemFrame.top + itemFrame.bottom) / 2));
	EXPECT_EQ("item@0", Caret());

	// Below the last line: the last text, at the column.
	BRect lastFrame = last->Frame();
	Click(BPoint(lastFrame.right + 30, lastFrame.bottom + 100));
	EXPECT_EQ("last@4", Caret());

	// Above the first line: the first line.
	Click(BPoint(shortFrame.left + shortText->PointAt(3).x + 1, 1));
	EXPECT_EQ("short@3", Caret());
	EXPECT_TRUE(fPage->IsSaved());
}

TEST_F(ViewClickTest, AClickEndsASelectionAcrossElements)
{
	SetViewSize(400, 300);
	Parse("<BODY>one <B>two</B> three<BR>four</BODY>");
	WText* one = TextHolding("one ");
	ASSERT_NE(nullptr, one);
	Window()->Lock();
	one->MakeFocus(true);
	one->Select(3, 3);
	Window()->Unlock();
	Type("\x1d", B_SHIFT_KEY);	// Shift+Right, twice: into the bold run
	Type("\x1d", B_SHIFT_KEY);
	ASSERT_TRUE(Engine()->HasRange()) << Dump();

	BRect four = TextHolding("four")->Frame();
	Click(BPoint(four.right + 40, (four.top + four.bottom) / 2));
	EXPECT_FALSE(Engine()->HasRange());
	EXPECT_EQ("four@4", Caret());
	// Typing now adds to the text clicked into and deletes nothing.
	Type("!");
	EXPECT_EQ("four!", std::string(TextHolding("four!")->Text()));
	EXPECT_NE(nullptr, TextHolding("one "));
}
