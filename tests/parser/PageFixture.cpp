#include "PageFixture.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>

#include <Application.h>
#include <EventLoop.h>
#include <Window.h>

#include "Config.h"
#include "EndLine.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "HorizontalLine.h"
#include "Page.h"
#include "Parser.h"
#include "TextChange.h"
#include "UnsupportedTAG.h"
#include "WText.h"
#include "WWindow.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_Engine.h"


static std::string
SaveVariable(const char* name)
{
	const char* value = getenv(name);
	return value != nullptr ? std::string("=") + value : std::string();
}


static void
RestoreVariable(const char* name, const std::string& saved)
{
	if (saved.empty())
		unsetenv(name);
	else
		setenv(name, saved.c_str() + 1, 1);
}


void
PageTest::SetUp()
{
	if (be_app == nullptr)
		new BApplication("application/x-vnd.Quillora-test");
	BAlert::SetResponder(&fResponder);

	char folder[] = "/tmp/quillora-parser-XXXXXX";
	ASSERT_NE(nullptr, mkdtemp(folder));
	fRoot = folder;
	fOldHome = SaveVariable("HOME");
	fOldConfig = SaveVariable("XDG_CONFIG_HOME");
	setenv("HOME", (fRoot + "/home").c_str(), 1);
	setenv("XDG_CONFIG_HOME", (fRoot + "/config").c_str(), 1);
	mkdir((fRoot + "/home").c_str(), 0700);
	mkdir((fRoot + "/home/site").c_str(), 0700);

	Config::SetWritable(false);
	fConfig = new Config;
	fPagePath = fRoot + "/home/site/page.html";
	std::ofstream(fPagePath.c_str()) << "";
	fPage = new Page(&fPagePath[0], 0);
	BPrivate::dispatch_until_idle();
	ASSERT_NE(nullptr, fPage->visualWindow);
	ASSERT_NE(nullptr, fPage->htmlWindow);
	fResponder.Clear();
}


void
PageTest::TearDown()
{
	delete fPage;
	BPrivate::dispatch_until_idle();
	delete fConfig;
	Config::SetWritable(true);
	BAlert::SetResponder(nullptr);
	RestoreVariable("HOME", fOldHome);
	RestoreVariable("XDG_CONFIG_HOME", fOldConfig);
	ASSERT_EQ(0, system(("rm -rf '" + fRoot + "'").c_str()));
}


void
PageTest::Parse(const std::string& html)
{
	HTML_View* view = fPage->htmlWindow->htmlView;
	ASSERT_TRUE(view->LockLooper());
	view->SetText(html.data(), html.size());
	view->UnlockLooper();
	ASSERT_TRUE(fPage->visualWindow->Lock());
	Engine()->Empty();
	fPage->visualWindow->Unlock();
	Parser::Parse(fPage);
	BPrivate::dispatch_until_idle();
}


WYSIWYG_Engine*
PageTest::Engine() const
{
	return fPage->visualWindow->engine;
}


WYSIWYG_Element*
PageTest::First() const
{
	return Engine()->FirstElement();
}


std::string
PageTest::Describe(WYSIWYG_Element* element)
{
	if (WText* text = dynamic_cast<WText*>(element))
		return "T'" + std::string(text->Text()) + "'";
	if (TextChange* change = dynamic_cast<TextChange*>(element))
		return "C" + std::to_string(change->type);
	if (EndLine* end = dynamic_cast<EndLine*>(element))
		return "E" + std::to_string(end->type);
	if (dynamic_cast<HorizontalLine*>(element) != nullptr)
		return "HR";
	if (UnsupportedTAG* tag = dynamic_cast<UnsupportedTAG*>(element))
		return "U" + std::string(tag->html != nullptr ? tag->html : "(null)");
	return "?";
}


std::vector<std::string>
PageTest::Chain() const
{
	// The layout may pull text from one text element into the one before
	// it or spread a run over several: neighbouring text elements are shown
	// as one.
	std::vector<std::string> chain;
	bool lastWasText = false;
	for (WYSIWYG_Element* element = First(); element != nullptr;
			element = element->Next()) {
		WText* text = dynamic_cast<WText*>(element);
		if (text != nullptr && lastWasText) {
			std::string& joined = chain.back();
			joined.insert(joined.size() - 1, text->Text());
		} else
			chain.push_back(Describe(element));
		lastWasText = text != nullptr;
	}
	return chain;
}


int32
PageTest::ChainLength() const
{
	int32 count = 0;
	for (WYSIWYG_Element* element = First(); element != nullptr;
			element = element->Next())
		count++;
	return count;
}


void
PageTest::Selection(int32* start, int32* end) const
{
	HTML_View* view = fPage->htmlWindow->htmlView;
	view->LockLooper();
	view->GetSelection(start, end);
	view->UnlockLooper();
}
