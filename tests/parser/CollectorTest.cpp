// The page's element collector with elements the parser built.
#include "PageFixture.h"

#include <Window.h>

#include <vector>

#include "EndLine.h"
#include "GarbageCollector.h"
#include "Page.h"
#include "Parser.h"
#include "WText.h"
#include "WWindow.h"
#include "WYSIWYG_Engine.h"

using namespace quillora_test;

namespace {

class Collector : public PageFixture {
protected:
	GarbageCollector* Garbage() const { return fPage->garbageCollector; }
};

TEST_F(Collector, ElementsRegisterAndUnregister)
{
	Parse("<BODY><P>Hello <B>big</B> world</P></BODY>");
	// The layout may have taken elements out of the chain (joined texts);
	// they stay registered until collected.
	Garbage()->Collect(First());
	EXPECT_EQ(Count(), Garbage()->CountRegistered());
	for (WYSIWYG_Element* element = First(); element != nullptr;
			element = element->Next())
		EXPECT_TRUE(Garbage()->IsRegistered(element));

	// An element that is destroyed leaves the registry.
	EndLine* extra = new EndLine(1, nullptr, nullptr, Engine(), nullptr);
	EXPECT_TRUE(Garbage()->IsRegistered(extra));
	EXPECT_EQ(Count() + 1, Garbage()->CountRegistered());
	delete extra;
	EXPECT_FALSE(Garbage()->IsRegistered(extra));
	EXPECT_EQ(Count(), Garbage()->CountRegistered());

	Garbage()->Register(nullptr);
	int dummy;
	Garbage()->UnRegister(&dummy);
	EXPECT_EQ(Count(), Garbage()->CountRegistered());
	RegisterAtGarbageCollector(&dummy, nullptr);
	UnRegisterFromGarbageCollector(&dummy, nullptr);
}

TEST_F(Collector, ElementsLeavingTheChainAreReleased)
{
	Parse("<BODY><P>Hello <B>big</B> world</P></BODY>");
	Garbage()->Collect(First());
	int32 length = Count();

	// Taken out of the chain, an element is only unlinked ...
	WYSIWYG_Element* paragraph = First()->Next();
	ASSERT_EQ("E2", Describe(paragraph));
	ASSERT_TRUE(fPage->visualWindow->Lock());
	Engine()->Delete(paragraph);
	fPage->visualWindow->Unlock();
	EXPECT_EQ(length - 1, Count());
	EXPECT_TRUE(Garbage()->IsRegistered(paragraph));

	// ... until the collector takes what is not in the chain.
	EXPECT_EQ(1, Garbage()->Collect(First()));
	EXPECT_FALSE(Garbage()->IsRegistered(paragraph));
	EXPECT_EQ(length - 1, Garbage()->CountRegistered());
	EXPECT_EQ(0, Garbage()->Collect(First()));

	// Reparsing does not let old chains pile up while the page lives:
	// emptying the page collects them.
	Parse("<BODY><P>Hello <B>big</B> world</P></BODY>");
	int32 registered = Garbage()->CountRegistered();
	for (int i = 0; i < 3; i++)
		Parse("<BODY><P>Hello <B>big</B> world</P></BODY>");
	EXPECT_EQ(length, Count());
	EXPECT_EQ(registered, Garbage()->CountRegistered());
}

TEST_F(Collector, EmptyReleasesEverything)
{
	// A collector of its own, filled with a chain of style changes and line
	// breaks and with some elements outside it: collecting takes only the
	// outsiders, emptying the rest, each exactly once (the sanitizer build
	// sees any double delete or leak), in whatever order. Thousands of them,
	// some outsiders deleted on the way, so that the registry grows and
	// keeps finding what stays; the chain's end runs back into it.
	GarbageCollector own;
	GarbageCollector* pageCollector = fPage->garbageCollector;
	fPage->garbageCollector = &own;
	const char* tags[] = { "B", "BR", "/B", "I", "P", "/I" };
	WYSIWYG_Element* chainStart = nullptr;
	WYSIWYG_Element* previous = nullptr;
	ASSERT_TRUE(fPage->visualWindow->Lock());
	for (int i = 0; i < 3000; i++) {
		WYSIWYG_Element* element = Parser::Constructor(previous, tags[i % 6],
			fPage);
		if (previous != nullptr)
			previous->SetNext(element);
		else
			chainStart = element;
		previous = element;
	}
	std::vector<WYSIWYG_Element*> outsiders;
	for (int i = 0; i < 1400; i++) {
		outsiders.push_back(Parser::Constructor(nullptr, tags[i % 6], fPage));
		if (i % 2 == 1) {
			delete outsiders[i - 1];
			EXPECT_FALSE(own.IsRegistered(outsiders[i - 1]));
		}
	}
	fPage->visualWindow->Unlock();

	EXPECT_EQ(3700, own.CountRegistered());
	for (size_t i = 1; i < outsiders.size(); i += 2)
		EXPECT_TRUE(own.IsRegistered(outsiders[i]));
	WYSIWYG_Element* middle = chainStart;
	for (int i = 0; i < 1234; i++)
		middle = middle->Next();
	previous->next = middle;
	EXPECT_EQ(700, own.Collect(chainStart));
	previous->next = nullptr;
	EXPECT_EQ(3000, own.CountRegistered());
	EXPECT_TRUE(own.IsRegistered(chainStart));
	EXPECT_TRUE(own.IsRegistered(previous));
	own.Empty();
	EXPECT_EQ(0, own.CountRegistered());
	fPage->garbageCollector = pageCollector;
}

}	// namespace
