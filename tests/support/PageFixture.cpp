// The shared page fixture (see PageFixture.h).
#include "PageFixture.h"

#include <sys/stat.h>

#include <Application.h>
#include <DataIO.h>
#include <EventLoop.h>
#include <Font.h>
#include <Window.h>

#include "ChainDump.h"
#include "Config.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "Page.h"
#include "Parser.h"
#include "WText.h"
#include "WWindow.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

namespace quillora_test {

void
PageFixture::SetUp()
{
	if (be_app == nullptr)
		new BApplication("application/x-vnd.Quillora-test");

	fHome.reset(new TemporaryHome("page"));
	fRoot = fHome->Root();
	ASSERT_FALSE(fRoot.empty());
	mkdir((fHome->Home() + "/site").c_str(), 0700);

	Config::SetWritable(false);
	fConfig = new Config;
	fPagePath = PageToOpen();
	bool readOnly = !fPagePath.empty();
	if (!readOnly) {
		fPagePath = fHome->Home() + "/site/page.html";
		WriteFile(fPagePath, "");
	}
	fPage = new Page(&fPagePath[0], 0, readOnly);
	BPrivate::dispatch_until_idle();
	ASSERT_NE(nullptr, fPage->visualWindow);
	ASSERT_NE(nullptr, fPage->htmlWindow);
	for (int32 i = 0; i < fResponder.CountAlerts(); i++)
		fOpeningAlerts.push_back(fResponder.TextAt(i));
	fResponder.Clear();
}


TAGSettingsWindow*
PageFixture::TagWindow()
{
	for (int32 i = 0; i < be_app->CountWindows(); i++) {
		if (TAGSettingsWindow* window
				= dynamic_cast<TAGSettingsWindow*>(be_app->WindowAt(i)))
			return window;
	}
	return nullptr;
}


void
PageFixture::CloseTagWindow()
{
	if (TAGSettingsWindow* window = TagWindow()) {
		window->PostMessage(B_QUIT_REQUESTED);
		BPrivate::dispatch_until_idle();
	}
}


void
PageFixture::TearDown()
{
	// A window left open by an insertion goes with its page.
	while (TagWindow() != nullptr)
		CloseTagWindow();
	delete fPage;
	fPage = nullptr;
	BPrivate::dispatch_until_idle();
	delete fConfig;
	fConfig = nullptr;
	Config::SetWritable(true);
	fHome.reset();
}


WYSIWYG_Engine*
PageFixture::Engine() const
{
	return fPage->visualWindow->engine;
}


BWindow*
PageFixture::Window() const
{
	return fPage->visualWindow;
}


WYSIWYG_Element*
PageFixture::First() const
{
	return Engine()->FirstElement();
}


std::string
PageFixture::Dump() const
{
	return DumpChain(Engine());
}


std::string
PageFixture::FlowDump() const
{
	return FlowOf(Dump());
}


std::string
PageFixture::RelayoutDifference()
{
	std::string incremental = FlowDump();
	if (!Window()->Lock())
		return "window lock failed";
	Engine()->Place(nullptr, true);
	Window()->Unlock();
	std::string whole = FlowDump();
	return incremental == whole ? std::string() : DiffLines(whole, incremental);
}


std::string
PageFixture::ShiftDifference()
{
	std::string before = Dump();
	WYSIWYG_Element* settled = Engine()->SettledFrom();
	if (settled == nullptr)
		return std::string();
	if (!Window()->Lock())
		return "window lock failed";
	// Carrying the environments down again forgets which lines are known
	// to be in place, so the shift walks every line.
	Engine()->Do(nullptr);
	Engine()->ShiftLines(settled);
	Window()->Unlock();
	std::string after = Dump();
	return before == after ? std::string() : DiffLines(after, before);
}


void
PageFixture::Type(const std::string& bytes, int32 modifiers)
{
	BMessage message(B_KEY_DOWN);
	message.AddString("bytes", bytes.c_str());
	message.AddInt32("modifiers", modifiers);
	message.AddInt32("key", 0);
	Window()->PostMessage(&message);
	BPrivate::dispatch_until_idle();
}


void
PageFixture::Click(BView* view, BPoint where, int32 buttons)
{
	ASSERT_TRUE(Window()->Lock());
	where = view->ConvertToScreen(where);
	where = Window()->ConvertFromScreen(where);
	Window()->Unlock();
	BMessage down(B_MOUSE_DOWN);
	down.AddPoint("where", where);
	down.AddInt32("buttons", buttons);
	down.AddInt32("clicks", 1);
	down.AddInt32("modifiers", 0);
	Window()->PostMessage(&down);
	BPrivate::dispatch_until_idle();
}


void
PageFixture::Parse(const std::string& html)
{
	HTML_View* view = fPage->htmlWindow->htmlView;
	ASSERT_TRUE(view->LockLooper());
	view->SetText(html.data(), html.size());
	view->UnlockLooper();
	ASSERT_TRUE(Window()->Lock());
	Engine()->Empty();
	Window()->Unlock();
	Parser::Parse(fPage);
	BPrivate::dispatch_until_idle();
}


void
PageFixture::SetViewSize(float width, float height)
{
	ASSERT_TRUE(Window()->Lock());
	Engine()->view->ResizeTo(width, height);
	Window()->Unlock();
	BPrivate::dispatch_until_idle();
}


std::string
PageFixture::HTMLOf(WYSIWYG_Element* element)
{
	delete fPage->htmlBuffer;
	fPage->htmlBuffer = new BMallocIO();
	if (element != nullptr)
		element->HTML();
	else
		Engine()->HTML();
	return std::string((const char*)fPage->htmlBuffer->Buffer(),
		fPage->htmlBuffer->BufferLength());
}


WText*
PageFixture::AddText(WYSIWYG_Element* after, const char* text)
{
	Engine()->BeginLoading();
	WText* added = dynamic_cast<WText*>(Engine()->InsertAt(after, 1, nullptr));
	Engine()->EndLoading();
	if (added != nullptr && text != nullptr)
		added->SetText(text);
	return added;
}


void
PageFixture::LinkAfter(WYSIWYG_Element* after, WYSIWYG_Element* element)
{
	WYSIWYG_Element* oldNext = after->Next();
	element->SetNext(oldNext);
	if (oldNext != nullptr)
		oldNext->SetPrevious(element);
	after->SetNext(element);
}


WYSIWYG_Element*
PageFixture::At(int index) const
{
	WYSIWYG_Element* element = First();
	while (element != nullptr && index-- > 0)
		element = element->Next();
	return element;
}


int
PageFixture::Count() const
{
	int count = 0;
	for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next())
		count++;
	return count;
}


std::vector<std::string>
PageFixture::Chain() const
{
	return DescribeChain(First());
}


void
PageFixture::Selection(int32* start, int32* end) const
{
	HTML_View* view = fPage->htmlWindow->htmlView;
	view->LockLooper();
	view->GetSelection(start, end);
	view->UnlockLooper();
}


float
PageFixture::FontHeight(BFont* font)
{
	font_height height;
	font->GetHeight(&height);
	return height.ascent + height.descent + height.leading;
}

}	// namespace quillora_test
