// The engine inside its window: construction, chain access, emptying,
// background images, the diagnostic walk, and the launches of the browser
// and the companion tool.

#include "PageFixture.h"

#include <cmath>

#include <ScrollBar.h>
#include <ScrollView.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "Functions.h"
#include "TempFolder.h"
#include "TextChange.h"

using namespace quillora_test;
using EngineTest = PageFixture;

namespace {

std::string
WaitForFile(const std::string& path)
{
	for (int i = 0; i < 100; i++) {
		std::ifstream in(path);
		std::stringstream data;
		data << in.rdbuf();
		if (!data.str().empty() && data.str().back() == '\n')
			return data.str();
		std::this_thread::sleep_for(std::chrono::milliseconds(50));
	}
	return "";
}

void
WriteScript(const std::string& path, const std::string& body)
{
	std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
	chmod(path.c_str(), 0755);
}

float
ScrollMax(WYSIWYG_Engine* engine)
{
	float min, max;
	engine->scrollView->ScrollBar(B_VERTICAL)->GetRange(&min, &max);
	return max;
}

}	// namespace

TEST_F(EngineTest, BuiltWithOneEmptyFocusedText)
{
	WYSIWYG_Engine* engine = Engine();
	EXPECT_STREQ("Main view", engine->view->Name());
	EXPECT_STREQ("Main scroll view", engine->scrollView->Name());
	EXPECT_EQ(engine->scrollView, engine->view->Parent());
	EXPECT_EQ(Window(), engine->scrollView->Window());
	EXPECT_EQ(fPage, engine->page);
	EXPECT_TRUE(engine->selecting);
	EXPECT_EQ(nullptr, engine->FirstSelection());

	WText* first = dynamic_cast<WText*>(engine->FirstElement());
	ASSERT_NE(nullptr, first);
	EXPECT_EQ(nullptr, first->Next());
	EXPECT_EQ(engine->view, first->Parent());
	EXPECT_TRUE(first->IsFocus());
	EXPECT_FALSE(first->IsHidden());
	EXPECT_EQ(0, engine->Line());
	EXPECT_EQ(0.0f, ScrollMax(engine));
	float min, max;
	engine->scrollView->ScrollBar(B_HORIZONTAL)->GetRange(&min, &max);
	EXPECT_EQ(0.0f, max);
	// Where it is laid out: tests/data/layout/empty-page.
}

TEST_F(EngineTest, ElementOfAView)
{
	Parse("<BODY>a<B>b</B>c</BODY>");
	EXPECT_EQ(nullptr, Engine()->Element(nullptr));
	EXPECT_EQ(nullptr, Engine()->Element(Engine()->view));
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		if (e->View() != nullptr) {
			EXPECT_EQ(e, Engine()->Element(e->View()));
		}
	}
	// A text taken out of the chain is no element of it any more.
	WYSIWYG_Element* last = Engine()->LastElement();
	ASSERT_TRUE(Window()->Lock());
	Engine()->Delete(last);
	Window()->Unlock();
	EXPECT_EQ(nullptr, Engine()->Element(dynamic_cast<WText*>(last)));

	// No focus, no line.
	ASSERT_TRUE(Window()->Lock());
	if (BView* focus = Window()->CurrentFocus())
		focus->MakeFocus(false);
	EXPECT_EQ(-1, Engine()->Line());
	Window()->Unlock();
}

TEST_F(EngineTest, DeleteKeepsTheChainAndMovesTheFocus)
{
	Parse("<BODY>a<BR>b</BODY>");
	// "a" | BR | "b"
	ASSERT_EQ(3, Count()) << Dump();
	WText* b = dynamic_cast<WText*>(At(2));
	ASSERT_TRUE(Window()->Lock());
	b->MakeFocus(true);
	Engine()->Delete(b);
	EXPECT_EQ(nullptr, b->Next());
	EXPECT_EQ(nullptr, b->Previous());
	EXPECT_EQ(nullptr, b->Parent());
	EXPECT_TRUE(b->IsHidden());
	EXPECT_EQ(nullptr, At(1)->Next());
	EXPECT_TRUE(dynamic_cast<WText*>(First())->IsFocus());
	EXPECT_EQ(1, dynamic_cast<WText*>(First())->TextLength());
	int32 start, end;
	dynamic_cast<WText*>(First())->GetSelection(&start, &end);
	EXPECT_EQ(1, start);

	// The first element is never removed.
	Engine()->Delete(First());
	Engine()->Delete(nullptr);
	EXPECT_EQ(2, Count());
	Window()->Unlock();
}

TEST_F(EngineTest, EmptyKeepsOneEmptyText)
{
	Parse("<BODY>one<P>two<HR>three</BODY>");
	EXPECT_GT(Count(), 3);
	fPage->Saved();
	ASSERT_TRUE(Window()->Lock());
	Engine()->Empty();
	Window()->Unlock();
	EXPECT_EQ(1, Count());
	EXPECT_EQ(0, dynamic_cast<WText*>(First())->TextLength());
	EXPECT_EQ(0.0f, ScrollMax(Engine()));
	EXPECT_FALSE(fPage->IsSaved());
	EXPECT_EQ("", HTMLOf(nullptr));
	// Only the first element's view is left in the main view.
	EXPECT_EQ(1, Engine()->view->CountChildren());
}

TEST_F(EngineTest, EmptyAfterSplitsLeavesTheFirstTextFocused)
{
	// Long paragraphs split into pieces whose views come after all the
	// others in the main view; the focus sits in one of the last pieces.
	std::string html = "<BODY>";
	for (int i = 0; i < 40; i++)
		html += "<P>many words to fill a line of the page, again and again <B>x</B>";
	Parse(html + "</BODY>");
	ASSERT_TRUE(Window()->Lock());
	WText* focused = nullptr;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
		if (WText* text = dynamic_cast<WText*>(e))
			focused = text;
	}
	ASSERT_NE(nullptr, focused);
	focused->MakeFocus(true);
	Engine()->Empty();
	EXPECT_EQ(1, Count());
	EXPECT_EQ(1, Engine()->view->CountChildren());
	EXPECT_EQ(First()->View(), Engine()->view->ChildAt(0));
	EXPECT_EQ(First()->View(), Window()->CurrentFocus());
	Window()->Unlock();
	// The page goes on working: new text lays out from the top.
	Parse("<BODY>again</BODY>");
	EXPECT_NE(Dump().find("text=\"again\""), std::string::npos) << Dump();
}

TEST_F(EngineTest, BackgroundImageErrorsKeepTheOldBackground)
{
	std::string missing = fRoot + "/home/none.gif";
	Engine()->SetBackgroundBitmap(&missing[0]);
	ASSERT_EQ(1, fResponder.CountAlerts());
	EXPECT_EQ("Could not open the file: " + missing, fResponder.LastText());

	std::string text = fRoot + "/home/text.gif";
	std::ofstream(text) << "not an image";
	Engine()->SetBackgroundBitmap(&text[0]);
	ASSERT_EQ(2, fResponder.CountAlerts());
	EXPECT_EQ("Incorrect Image file: " + text, fResponder.LastText());

	Engine()->SetBackgroundBitmap(nullptr);
	EXPECT_EQ(2, fResponder.CountAlerts());
}

TEST_F(EngineTest, DiagnosticWalkShowsEveryElement)
{
	Parse("<BODY>a<B>b</B><BR>c</BODY>");
	fResponder.Clear();
	ASSERT_TRUE(Window()->Lock());
	Engine()->Test();
	Window()->Unlock();
	std::vector<std::string> texts;
	for (int32 i = 0; i < fResponder.CountAlerts(); i++)
		texts.push_back(fResponder.TextAt(i));
	// "a" | B | "b" | /B | "" | BR | "c"
	std::vector<std::string> expected = { "WText", "TextChange", "1",
		"WText", "TextChange", "1", "EndOfLine: WText", "EndLine", "WText" };
	EXPECT_EQ(expected, texts) << Dump();
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next())
		EXPECT_FALSE(e->Selected());
}

TEST_F(EngineTest, PreviewStartsTheBrowserOnTheFile)
{
	// The user's browser is a script that writes its arguments down; no
	// browser of the machine's desktop comes into it.
	ScopedEnv env;
	std::string bin = fRoot + "/bin";
	mkdir(bin.c_str(), 0700);
	std::string log = fRoot + "/browser.log";
	WriteScript(bin + "/show", "echo \"$@\" > '" + log + "'");
	env.Set("PATH", bin);
	env.Set("BROWSER", "show");
	env.Set("XDG_CONFIG_DIRS", fRoot + "/nothing");
	env.Set("XDG_DATA_DIRS", fRoot + "/nothing");

	std::string shown = fRoot + "/home/shown page.html";
	std::ofstream(shown) << "<BODY>x</BODY>";
	Engine()->Preview(&shown[0]);
	EXPECT_EQ("file://" + shown + "\n", WaitForFile(log));
	EXPECT_EQ(0, fResponder.CountAlerts());

	// Without a path the page is saved first and its own file is shown.
	unlink(log.c_str());
	Parse("<BODY>saved text</BODY>");
	Engine()->Preview(nullptr);
	EXPECT_EQ("file://" + fPagePath + "\n", WaitForFile(log));
	std::ifstream in(fPagePath);
	std::stringstream data;
	data << in.rdbuf();
	EXPECT_NE(std::string::npos, data.str().find("saved text"));

	// No browser: reported once, and the call returns.
	env.Unset("BROWSER");
	env.Set("PATH", fRoot + "/nothing");
	Engine()->Preview(&shown[0]);
	ASSERT_EQ(1, fResponder.CountAlerts());
	EXPECT_EQ("You don't have NetPositive installed in /boot/beos/apps/",
		fResponder.LastText());
}

TEST_F(EngineTest, CompanionToolIsStartedFromTheProgramsDirectory)
{
	std::string directory = fRoot + "/app/";
	mkdir(directory.c_str(), 0700);
	char* oldDirectory = fConfig->applicationDirectory;
	fConfig->applicationDirectory = newtext(directory.c_str());

	std::string log = fRoot + "/seek.log";
	WriteScript(directory + "QuilloraSeek", "echo \"$0 $#\" > '" + log + "'");
	Engine()->RunQuilloraSeek();
	EXPECT_EQ(directory + "QuilloraSeek 0\n", WaitForFile(log));
	EXPECT_EQ(0, fResponder.CountAlerts());

	unlink((directory + "QuilloraSeek").c_str());
	Engine()->RunQuilloraSeek();
	ASSERT_EQ(1, fResponder.CountAlerts());
	EXPECT_EQ("You don't have QuilloraSeek installed in \n" + directory,
		fResponder.LastText());

	delete[] fConfig->applicationDirectory;
	fConfig->applicationDirectory = oldDirectory;
}
