/*
 * A real page (its windows, engine and HTML view) in a temporary home, for
 * the element and engine tests. Alerts are answered and recorded by the
 * kit's responder. Header-only: tests/elements includes it too.
 */
#ifndef QUILLORA_TEST_ENGINE_FIXTURE_H
#define QUILLORA_TEST_ENGINE_FIXTURE_H

#include <gtest/gtest.h>

#include <Alert.h>
#include <Application.h>
#include <DataIO.h>
#include <EventLoop.h>
#include <Font.h>
#include <Window.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>

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

class EngineTest : public testing::Test {
protected:
	void SetUp() override
	{
		if (be_app == nullptr)
			new BApplication("application/x-vnd.Quillora-test");
		BAlert::SetResponder(&fResponder);

		char folder[] = "/tmp/quillora-engine-XXXXXX";
		ASSERT_NE(nullptr, mkdtemp(folder));
		fRoot = folder;
		fOldHome = Save("HOME");
		fOldConfig = Save("XDG_CONFIG_HOME");
		setenv("HOME", (fRoot + "/home").c_str(), 1);
		setenv("XDG_CONFIG_HOME", (fRoot + "/config").c_str(), 1);
		mkdir((fRoot + "/home").c_str(), 0700);

		Config::SetWritable(false);
		fConfig = new Config;
		fPagePath = fRoot + "/home/page.html";
		std::ofstream(fPagePath.c_str()) << "";
		fPage = new Page(&fPagePath[0], 0);
		BPrivate::dispatch_until_idle();
		ASSERT_NE(nullptr, fPage->visualWindow);
		fResponder.Clear();
	}

	void TearDown() override
	{
		delete fPage;
		BPrivate::dispatch_until_idle();
		delete fConfig;
		Config::SetWritable(true);
		BAlert::SetResponder(nullptr);
		Restore("HOME", fOldHome);
		Restore("XDG_CONFIG_HOME", fOldConfig);
		system(("rm -rf '" + fRoot + "'").c_str());
	}

	WYSIWYG_Engine* Engine() const { return fPage->visualWindow->engine; }
	BWindow* Window() const { return fPage->visualWindow; }
	WYSIWYG_Element* First() const { return Engine()->FirstElement(); }
	std::string Dump() const { return DumpChain(Engine()); }

	// Replaces the HTML view's text, empties the chain and parses, as
	// "Update from HTML" does.
	void Parse(const std::string& html)
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

	// Gives the main view a width (bounds right - left) and height,
	// without the resize hook's own re-layout.
	void SetViewSize(float width, float height)
	{
		ASSERT_TRUE(Window()->Lock());
		Engine()->view->ResizeTo(width, height);
		Window()->Unlock();
		BPrivate::dispatch_until_idle();
	}

	// The HTML an element (or the whole chain) writes.
	std::string HTMLOf(WYSIWYG_Element* element)
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

	// Chain building without layout, as the parser does while it reads.
	WText* AddText(WYSIWYG_Element* after, const char* text)
	{
		Engine()->BeginLoading();
		WText* added = dynamic_cast<WText*>(Engine()->InsertAt(after, 1,
			nullptr));
		Engine()->EndLoading();
		if (added != nullptr && text != nullptr)
			added->SetText(text);
		return added;
	}

	template<class T>
	T* Link(WYSIWYG_Element* after, T* element)
	{
		WYSIWYG_Element* oldNext = after->Next();
		element->SetNext(oldNext);
		if (oldNext != nullptr)
			oldNext->SetPrevious(element);
		after->SetNext(element);
		return element;
	}

	WYSIWYG_Element* At(int index) const
	{
		WYSIWYG_Element* element = First();
		while (element != nullptr && index-- > 0)
			element = element->Next();
		return element;
	}

	int Count() const
	{
		int count = 0;
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next())
			count++;
		return count;
	}

	float TextWidth(BFont* font, const char* text) const
	{
		return font->StringWidth(text);
	}

	float FontHeight(BFont* font) const
	{
		font_height height;
		font->GetHeight(&height);
		return height.ascent + height.descent + height.leading;
	}

	// The first lines in which two dumps differ, for failure messages.
	static std::string DiffLines(const std::string& a, const std::string& b)
	{
		std::istringstream left(a), right(b);
		std::string l, r, out;
		int shown = 0;
		while (shown < 6) {
			bool hasLeft = (bool)std::getline(left, l);
			bool hasRight = (bool)std::getline(right, r);
			if (!hasLeft && !hasRight)
				break;
			if (!hasLeft)
				l = "(none)";
			if (!hasRight)
				r = "(none)";
			if (l != r) {
				out += "- " + l + "\n+ " + r + "\n";
				shown++;
			}
		}
		return out;
	}

	BRecordingAlertResponder fResponder;
	std::string fRoot;
	std::string fPagePath;
	Config* fConfig = nullptr;
	Page* fPage = nullptr;

private:
	std::string fOldHome;
	std::string fOldConfig;

	static std::string Save(const char* name)
	{
		const char* value = getenv(name);
		return value != nullptr ? std::string("=") + value : std::string();
	}

	static void Restore(const char* name, const std::string& saved)
	{
		if (saved.empty())
			unsetenv(name);
		else
			setenv(name, saved.c_str() + 1, 1);
	}
};

#endif	// QUILLORA_TEST_ENGINE_FIXTURE_H
