// Anchors and lists: what each end gives the elements after it, the item
// kinds and numbers, and the tags they write back.

#include "PageFixture.h"

#include "Anchor.h"
#include "Functions.h"
#include "List_Element.h"

using namespace quillora_test;

namespace {

class LinksAndLists : public PageFixture {
protected:
	WText* Text(const char* bytes)
	{
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			WText* text = dynamic_cast<WText*>(e);
			if (text != nullptr && strcmp(text->Text(), bytes) == 0)
				return text;
		}
		ADD_FAILURE() << "no text " << bytes;
		return nullptr;
	}

	std::vector<List_Element*> Items()
	{
		std::vector<List_Element*> items;
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			if (List_Element* item = dynamic_cast<List_Element*>(e))
				items.push_back(item);
		}
		return items;
	}

	// The tag an anchor read from `options` writes.
	std::string AnchorTag(const char* options, const char* linkTo = nullptr)
	{
		Anchor anchor(true, nullptr, nullptr, Engine(), nullptr);
		char* text = newtext(options);
		anchor.Read(text);
		delete[] text;
		if (linkTo != nullptr) {
			delete[] anchor.linkTo;
			anchor.linkTo = newtext(linkTo);
		}
		return HTMLOf(&anchor);
	}
};

}	// namespace


TEST_F(LinksAndLists, LinksAreColouredAndUnderlinedUpToTheirEnd)
{
	Parse("<BODY LINK=\"#FF0000\">a <U>b <A HREF=\"x.html\">c <B>d</B></A> e"
		"</U> f<A NAME=t>g</A>");
	Anchor* link = dynamic_cast<Anchor*>(Text("c ")->Previous());
	ASSERT_NE(nullptr, link);
	EXPECT_STREQ("x.html", link->LinkTo());
	for (const char* inside : { "c ", "d" }) {
		WText* text = Text(inside);
		EXPECT_EQ(fPage->linkColor, text->environment->color) << inside;
		EXPECT_TRUE(text->Underlined()) << inside;
		EXPECT_EQ(link, text->CurrentAnchor()) << inside;
		rgb_color drawn = text->HighColor();
		EXPECT_EQ(255, drawn.red);
		EXPECT_EQ(0, drawn.blue);
	}
	// After the link: the text colour, and no underline even inside U.
	WText* after = Text(" e");
	EXPECT_EQ(fPage->textColor, after->environment->color);
	EXPECT_FALSE(after->Underlined());
	EXPECT_EQ(nullptr, after->CurrentAnchor());
	// A link target is drawn as a link as well.
	EXPECT_EQ(fPage->linkColor, Text("g")->environment->color);
	EXPECT_EQ(0, fResponder.CountAlerts());
}

TEST_F(LinksAndLists, AnchorsWriteTheirKnownOptionsFirstAndWhole)
{
	EXPECT_EQ("<A HREF=\"h\" NAME=\"n\" target=_top class=\"a b\">",
		AnchorTag("target=_top NAME=\"n\" class=\"a b\" href=h"));
	// Empty values are left out; HREFLANG is not HREF.
	EXPECT_EQ("<A NAME=\"n\" hreflang=en>",
		AnchorTag("HREF=\"\" hreflang=en name=n"));
	EXPECT_EQ("<A>", AnchorTag(""));
	// Single quotes are the page's spelling, not part of the value.
	EXPECT_EQ("<A HREF=\"#q\" class='c'>", AnchorTag("href='#q' class='c'"));
	EXPECT_EQ("<A HREF=\"x y\" title='a b'>",
		AnchorTag("title='a b' href='x y'"));
	// A double quote typed into the link target does not end it early.
	EXPECT_EQ("<A HREF=\"say &quot;hi&quot;\">",
		AnchorTag("", "say \"hi\""));
	// Tags longer than any fixed buffer are written whole.
	std::string longTarget(3000, 'x');
	EXPECT_EQ("<A HREF=\"" + longTarget + "\">",
		AnchorTag("", longTarget.c_str()));
	Anchor closing(false, nullptr, nullptr, Engine(), nullptr);
	EXPECT_EQ("</A>", HTMLOf(&closing));
}

TEST_F(LinksAndLists, ItemsTakeTheirListsKindAndNumber)
{
	Parse("<BODY><OL><LI>1<LI>2<UL><LI>in<OL><LI>in 1</OL></UL><LI>3</OL>"
		"<DL><DT>t<DD>d<DD>d2<LI>l</DL><MENU><LI>m1<LI>m2</MENU>");
	std::vector<List_Element*> items = Items();
	ASSERT_EQ(11u, items.size());
	const int32 kinds[] = { 2, 2, 1, 2, 2, 4, 5, 5, 1, 2, 2 };
	const int32 numbers[] = { 1, 2, 0, 1, 3, 0, 0, 0, 0, 1, 2 };
	for (size_t i = 0; i < items.size(); i++) {
		EXPECT_EQ(kinds[i], items[i]->ItemType()) << i;
		EXPECT_EQ(numbers[i], items[i]->Number()) << i;
	}
	// The text of an item is indented by its bullet, the bullet's own line
	// begins at the list's edge.
	EXPECT_FLOAT_EQ(45, Text("1")->LeftMargin());
	EXPECT_FLOAT_EQ(0, items[0]->LeftMargin());
	EXPECT_FLOAT_EQ(80, Text("in")->LeftMargin());
	EXPECT_FLOAT_EQ(115, Text("in 1")->LeftMargin());
	EXPECT_FLOAT_EQ(0, Text("t")->LeftMargin());
	EXPECT_FLOAT_EQ(45, Text("d")->LeftMargin());
	EXPECT_EQ(0, fResponder.CountAlerts());
}

TEST_F(LinksAndLists, LinesOfTermsStayWhenTheLinesAboveMove)
{
	// A term shows no mark and takes no room: moving the lines from a list
	// above (as typing there does) leaves every line where it belongs.
	Parse("<BODY><UL><LI>a</UL><DL><DT>term<DD>data<DT>two</DL>");
	BRect term = Text("term")->WFrame();
	BRect two = Text("two")->WFrame();
	EXPECT_FLOAT_EQ(5, term.left);
	ASSERT_TRUE(Window()->Lock());
	Engine()->ShiftLines(Text("a"));
	Engine()->ShiftLines(Text("a"));
	Window()->Unlock();
	EXPECT_EQ(term, Text("term")->WFrame());
	EXPECT_EQ(two, Text("two")->WFrame());
	EXPECT_LT(Text("data")->WFrame().bottom, two.top);
}

TEST_F(LinksAndLists, InsertedItemsOfADefinitionListTakeTurns)
{
	ASSERT_TRUE(Window()->Lock());
	List* list = Link(First(), new List(true, kDefinitionList, First(),
		nullptr, Engine(), nullptr));
	WYSIWYG_Element* last = list;
	std::vector<List_Element*> items;
	for (int i = 0; i < 3; i++) {
		List_Element* item = new List_Element(last, nullptr, Engine(),
			nullptr);
		Engine()->view->AddChild(item);
		last = Link(last, item);
		items.push_back(item);
	}
	Window()->Unlock();
	EXPECT_EQ(kDefinitionTerm, items[0]->ItemType());
	EXPECT_EQ(kDefinitionData, items[1]->ItemType());
	EXPECT_EQ(kDefinitionTerm, items[2]->ItemType());
	// Made by editing, each list tag is on a line of its own and each item
	// begins one.
	EXPECT_EQ("\r\n<DL>\r\n<DT>\r\n<DD>\r\n<DT>", HTMLOf(nullptr));
}
