// Pairing: how the two ends of style changes, anchors and lists find each
// other, what a missing partner reports (only when a lookup needs it, never
// while a page is read), and which font tag is open at a point of the chain
// and how it is closed before another one goes in there.

#include "PageFixture.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "Anchor.h"
#include "Environment.h"
#include "List_Element.h"
#include "TextChange.h"

using namespace quillora_test;

namespace {

class PairingTest : public PageFixture {
protected:
	// The n-th element (from 0) of class T in the chain.
	template<class T>
	T* Nth(int n)
	{
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			if (T* found = dynamic_cast<T*>(e)) {
				if (n-- == 0)
					return found;
			}
		}
		return nullptr;
	}

	WText* Text(const char* bytes)
	{
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			WText* text = dynamic_cast<WText*>(e);
			if (text != nullptr && strcmp(text->Text(), bytes) == 0)
				return text;
		}
		return nullptr;
	}

	// The texts of the alerts shown since the last call.
	std::vector<std::string> Alerts()
	{
		std::vector<std::string> texts;
		for (int32 i = 0; i < fResponder.CountAlerts(); i++)
			texts.push_back(fResponder.TextAt(i));
		fResponder.Clear();
		return texts;
	}

	int32 Open(WYSIWYG_Element* stop, int32* italic, bool* underline)
	{
		int32 counts[Parser::kTagCount] = {};
		return Engine()->OpenTAGs(stop, counts, *italic, *underline);
	}

	std::string Chain()
	{
		std::string out;
		for (const std::string& part : DescribeChain(First()))
			out += part + " ";
		return out;
	}
};

using Strings = std::vector<std::string>;

}	// namespace


TEST_F(PairingTest, StyleChangesAndAnchorsFindTheNearestOtherEnd)
{
	Parse("<BODY><B></B><I> </I><I><I>x</I>y</I><A NAME=t>z</A>");
	EXPECT_TRUE(Alerts().empty());
	TextChange* bold = Nth<TextChange>(0);
	EXPECT_EQ(Nth<TextChange>(1), bold->FindOpeningClosing());
	EXPECT_EQ(bold, Nth<TextChange>(1)->FindOpeningClosing());
	EXPECT_FALSE(bold->HasText());
	EXPECT_FALSE(Nth<TextChange>(1)->HasText());
	// Only blanks between them, or any other white space.
	EXPECT_FALSE(Nth<TextChange>(2)->HasText());
	WText* blanks = dynamic_cast<WText*>(Nth<TextChange>(2)->Next());
	ASSERT_NE(nullptr, blanks);
	ASSERT_TRUE(Window()->Lock());
	blanks->SetText("\t\n \r\f\v");
	Window()->Unlock();
	EXPECT_FALSE(Nth<TextChange>(2)->HasText());
	// Nesting of one tag is not counted: the first I finds the first /I.
	EXPECT_EQ(Nth<TextChange>(6), Nth<TextChange>(4)->FindOpeningClosing());
	EXPECT_TRUE(Nth<TextChange>(4)->HasText());
	EXPECT_TRUE(Nth<TextChange>(7)->HasText());

	Anchor* anchor = Nth<Anchor>(0);
	EXPECT_EQ(Nth<Anchor>(1), anchor->FindOpeningClosing());
	EXPECT_EQ(anchor, Nth<Anchor>(1)->FindOpeningClosing());
	EXPECT_TRUE(anchor->HasText());
	EXPECT_TRUE(Alerts().empty());

	// Any white space is no text: a tab of preformatted text.
	Parse("<BODY><PRE><B>\t</B></PRE>");
	WText* inside = dynamic_cast<WText*>(Nth<TextChange>(0)->Next());
	ASSERT_NE(nullptr, inside);
	EXPECT_STREQ("\t", inside->Text()) << Chain();
	EXPECT_FALSE(Nth<TextChange>(0)->HasText());
}

TEST_F(PairingTest, MissingPartnersAreReportedWhenLookedFor)
{
	// Read without a word: the page opens as it is.
	Parse("<BODY>a</B>b<B>c</A>d<A NAME=x>e</UL>f<UL><LI>g<LI>");
	EXPECT_EQ(Strings(), Alerts());

	EXPECT_EQ(nullptr, Nth<TextChange>(0)->FindOpeningClosing());
	EXPECT_FALSE(Nth<TextChange>(1)->HasText());
	EXPECT_EQ(nullptr, Nth<Anchor>(0)->FindOpeningClosing());
	EXPECT_FALSE(Nth<Anchor>(1)->HasText());
	EXPECT_EQ(Strings({ "Pair HTML TAG has closing TAG but no opening TAG",
		"Pair HTML TAG doesn't have closing TAG",
		"Pair HTML TAG - <A>...</A> has closing TAG but no opening TAG",
		"Pair HTML TAG - <A>...</A> doesn't have closing TAG" }), Alerts());

	// A closing list without its beginning says so once, however often
	// it is looked up.
	List* stray = Nth<List>(0);
	ASSERT_FALSE(stray->OpenClose());
	EXPECT_EQ(nullptr, stray->FindOpeningClosing());
	EXPECT_FALSE(stray->HasElements());
	EXPECT_EQ(Strings({ "Error: end of list but no beginning of it" }),
		Alerts());
	List* open = Nth<List>(1);
	EXPECT_EQ(nullptr, open->FindOpeningClosing());
	EXPECT_TRUE(Nth<List_Element>(0)->HasText());
	EXPECT_FALSE(Nth<List_Element>(1)->HasText());
	EXPECT_EQ(Strings({ "List without end", "List without end" }), Alerts());

	// A closing list made by editing where none is open reports at once,
	// a list item outside any list too.
	ASSERT_TRUE(Window()->Lock());
	List* made = new List(false, kUnorderedList, Text("a"), nullptr, Engine(),
		nullptr);
	List_Element* item = new List_Element(Text("a"), nullptr, Engine(),
		nullptr);
	Window()->Unlock();
	EXPECT_EQ(Strings({ "Error: end of list but no beginning of it",
		"Error: list item without list" }), Alerts());
	EXPECT_EQ(kNoListItem, item->ItemType());
	delete made;
	delete item;
}

TEST_F(PairingTest, ListsPairAcrossInnerListsAndCountTheirItems)
{
	Parse("<BODY><UL><UL><LI>a</UL></UL><OL></OL><DL><DT>t<DD> <DT></DL>");
	List* outer = Nth<List>(0);
	List* inner = Nth<List>(1);
	// The inner opening list is current inside the outer one as well, but
	// it opens: the partner is the closing list after the inner one's end.
	EXPECT_EQ(Nth<List>(3), outer->FindOpeningClosing());
	EXPECT_EQ(Nth<List>(2), inner->FindOpeningClosing());
	EXPECT_EQ(outer, Nth<List>(3)->FindOpeningClosing());
	EXPECT_EQ(inner, Nth<List>(2)->FindOpeningClosing());
	EXPECT_TRUE(outer->HasElements());
	EXPECT_TRUE(Nth<List>(3)->HasElements());
	EXPECT_FALSE(Nth<List>(4)->HasElements());
	EXPECT_EQ(1, outer->Level());
	EXPECT_EQ(2, inner->Level());
	EXPECT_EQ(2, Nth<List>(2)->Level());

	EXPECT_TRUE(Nth<List_Element>(1)->HasText());
	EXPECT_FALSE(Nth<List_Element>(2)->HasText());
	EXPECT_FALSE(Nth<List_Element>(3)->HasText());
	EXPECT_EQ(Strings(), Alerts());
}

TEST_F(PairingTest, OpenTagsCountUpToAndIncludingTheStop)
{
	Parse("<BODY>a<B>b<I>c</I><U>d<SUP>e<CITE><EM>f</EM></CITE></SUP></U></B>"
		"g");
	int32 italic;
	bool underline;
	EXPECT_EQ(0, Open(Text("a"), &italic, &underline));
	EXPECT_EQ(kTagB, Open(Text("b"), &italic, &underline));
	EXPECT_EQ(0, italic);
	EXPECT_EQ(kTagB, Open(Text("c"), &italic, &underline));
	EXPECT_EQ(kTagI, italic);
	EXPECT_FALSE(underline);
	EXPECT_EQ(kTagB, Open(Text("d"), &italic, &underline));
	EXPECT_EQ(0, italic);
	EXPECT_TRUE(underline);
	// SUP comes first among the font kinds, CITE among the italics.
	EXPECT_EQ(kTagSUP, Open(Text("f"), &italic, &underline));
	EXPECT_EQ(kTagCITE, italic);
	// The closing B itself counts: right after it nothing is open.
	TextChange* closingBold = dynamic_cast<TextChange*>(Text("g")->Previous());
	ASSERT_NE(nullptr, closingBold);
	EXPECT_EQ(0, Open(closingBold, &italic, &underline));
	EXPECT_EQ(0, Open(nullptr, &italic, &underline));
	EXPECT_FALSE(underline);
}

TEST_F(PairingTest, CloseOpenTagsAnswersAndClosesTheOpenFontKind)
{
	Parse("<BODY>x<B>ab</B>after");
	WYSIWYG_Element* result = nullptr;
	std::string before = Chain();
	// Right after the closing B (the caret at the start of "after"):
	// nothing is open, nothing changes.
	TextChange* closing = Nth<TextChange>(1);
	EXPECT_EQ(0, Engine()->CloseOpenTAGs(closing, &result, kTagH1, 0));
	EXPECT_EQ(before, Chain());
	EXPECT_EQ(0, Engine()->CloseOpenTAGs(Text("x"), &result, kTagH1, 0));
	// B inside B must not be inserted.
	EXPECT_EQ(-1, Engine()->CloseOpenTAGs(Text("ab"), &result, kTagB, 0));
	EXPECT_EQ(before, Chain());

	// Nothing of the range after the point: the closing end moves there,
	// taken out of the chain as every element is (so the selection lets
	// go of it).
	Engine()->firstSelection = closing;
	Engine()->lastSelection = closing;
	ASSERT_TRUE(Window()->Lock());
	EXPECT_EQ(kTagB, Engine()->CloseOpenTAGs(Text("ab"), &result, kTagH2, 0));
	Window()->Unlock();
	EXPECT_EQ(nullptr, Engine()->FirstSelection());
	EXPECT_EQ(Text("ab")->Next(), result);
	EXPECT_EQ("T'x' C6 T'ab' C-6 T'after' ", Chain());
	EXPECT_EQ(fPage->plainFont, Text("after")->environment->font);
}

TEST_F(PairingTest, CloseOpenTagsSplitsARangeThatGoesOn)
{
	Parse("<BODY><B>ab cd</B>e");
	ASSERT_TRUE(Window()->Lock());
	WText* head = Text("ab cd");
	Engine()->SplitText(head, 3, false);
	WYSIWYG_Element* result = nullptr;
	EXPECT_EQ(kTagB, Engine()->CloseOpenTAGs(head, &result, kTagSTRONG, 0));
	Window()->Unlock();
	EXPECT_EQ("T'' C6 T'ab ' C-6 C6 T'cd' C-6 T'e' ", Chain());
	EXPECT_EQ(head->Next(), result);
	EXPECT_EQ(fPage->boldFont, Text("cd")->environment->font);
	EXPECT_EQ(Strings(), Alerts());
}

// After an element is taken out the environments are carried on only as far
// as they change; what comes out must be what a walk over the whole chain
// gives: fonts and styles, a picture inside a range, ordered-list numbers
// after an item, a closing list, a closing CENTER.
TEST_F(PairingTest, EnvironmentWalksEndWhereNothingFurtherOnChanges)
{
	Parse("<BODY>a <B>b</B> c <I>x <IMG SRC=\"" + std::string(QUILLORA_TEST_DATA)
		+ "/images/pic16x12.png\"> y</I> z <CENTER>centred <CENTER>inner"
		"</CENTER> back</CENTER> after <OL><LI>one <B>bold</B><LI>two"
		"<UL><LI>in</UL><LI>three<LI>four</OL> tail <U>under <IMG SRC=\""
		+ std::string(QUILLORA_TEST_DATA) + "/images/pic16x12.png\"> more"
		"</U> end</BODY>");
	// Every element's environment, with the elements it names as places
	// in the chain, and the chain dump (list levels, item numbers).
	auto environments = [&]() {
		std::vector<WYSIWYG_Element*> order;
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next())
			order.push_back(e);
		auto place = [&](const void* element) {
			auto found = std::find(order.begin(), order.end(), element);
			return found == order.end() ? -1 : (int)(found - order.begin());
		};
		std::ostringstream out;
		for (WYSIWYG_Element* e : order) {
			const Environment* env = e->environment;
			out << place(e) << " kind=" << env->fontType << " font="
				<< env->font << " italic=" << env->italic << " under="
				<< env->underlined << " margins=" << env->leftMargin << ","
				<< env->rightMargin << "," << env->leftMarginAfter
				<< " align=" << env->hAlignment << "," << env->vAlignment
				<< " anchor=" << place(env->currentAnchor) << " list="
				<< place(env->currentList) << " center="
				<< place(env->openCenter) << "\n";
		}
		return out.str() + Dump();
	};
	auto expectWhole = [&](const char* step) {
		std::string walked = environments();
		ASSERT_TRUE(Window()->Lock());
		Engine()->Do(nullptr);
		Window()->Unlock();
		std::string whole = environments();
		EXPECT_TRUE(walked == whole) << step << "\n"
			<< DiffLines(whole, walked);
	};
	// Takes an element out and carries the environments on from what
	// followed it, as an editing step does after taking out a style end.
	auto remove = [&](WYSIWYG_Element* element) {
		ASSERT_NE(nullptr, element);
		ASSERT_TRUE(Window()->Lock());
		WYSIWYG_Element* after = element->Next();
		Engine()->Delete(element);
		Engine()->Do(after);
		Window()->Unlock();
	};

	remove(Nth<TextChange>(0));	// <B>
	expectWhole("an opening B");
	remove(Nth<TextChange>(1));	// <I>, the picture inside
	expectWhole("an opening I around a picture");
	remove(Nth<List_Element>(1));	// the item "two"
	expectWhole("an ordered item");
	remove(Nth<List>(1));		// the inner <UL>
	expectWhole("an inner opening list");
	remove(Nth<TextChange>(2));	// the outer <CENTER>
	expectWhole("an opening CENTER");
	TextChange* underline = nullptr;
	for (int i = 0; Nth<TextChange>(i) != nullptr; i++) {
		if (Nth<TextChange>(i)->Type() == 86)
			underline = Nth<TextChange>(i);
	}
	remove(underline);
	expectWhole("an opening U, which leaves the font as it is");
}
