/*
 * A real page (its windows, engine and HTML view) in a temporary home, for
 * the parser, element, engine and layout tests. The settings are read but
 * never written; alerts are answered and recorded by fResponder. It brings
 * in the kit and program headers these tests work with.
 */
#ifndef QUILLORA_TEST_PAGE_FIXTURE_H
#define QUILLORA_TEST_PAGE_FIXTURE_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <Application.h>
#include <DataIO.h>
#include <EventLoop.h>
#include <Font.h>
#include <Window.h>

#include "AlertRecorder.h"
#include "ChainDump.h"
#include "ChainText.h"
#include "Config.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "Page.h"
#include "Parser.h"
#include "TAGSettingsWindow.h"
#include "TempFolder.h"
#include "WText.h"
#include "WWindow.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

namespace quillora_test {

class PageFixture : public testing::Test {
protected:
	void SetUp() override;
	void TearDown() override;

	// The page file to open. By default an empty page.html in the
	// temporary home, opened for writing; any other file is opened
	// read-only, as a batch run opens it, so that it never changes.
	virtual std::string PageToOpen() const { return std::string(); }

	WYSIWYG_Engine* Engine() const;
	BWindow* Window() const;
	WYSIWYG_Element* First() const;
	// The chain as the program's --dump writes it.
	std::string Dump() const;
	// The dump without vertical positions (see FlowOf()).
	std::string FlowDump() const;

	// Lays the whole chain out again; empty when that moved nothing (the
	// flow of the lines, FlowDump()), else the first differing lines.
	std::string RelayoutDifference();
	// Moves every line the engine holds to be in place (from its
	// SettledFrom() on) to where the line above puts it, walking them all;
	// empty when that moved nothing, else the first differing lines of the
	// dump. An edit that stopped moving lines too early shows here.
	std::string ShiftDifference();

	// Posts a key to the visual window as the keyboard does and handles
	// it: the focused view gets it with the message as the window's
	// current message.
	void Type(const std::string& bytes, int32 modifiers = 0);
	// Posts a press of `buttons` at `where` in `view`'s coordinates (a
	// view of the visual window) as the mouse does, and handles it.
	void Click(BView* view, BPoint where, int32 buttons);

	// Replaces the HTML view's text, empties the chain and parses, as
	// "Update from HTML" does.
	void Parse(const std::string& html);

	// Gives the main view a width (bounds right - left) and height,
	// without the resize hook's own re-layout.
	void SetViewSize(float width, float height);

	// The HTML an element (or with nullptr the whole chain) writes.
	std::string HTMLOf(WYSIWYG_Element* element);

	// Chain building without layout, as the parser does while it reads.
	WText* AddText(WYSIWYG_Element* after, const char* text);

	// Links `element` into the chain after `after`.
	template<class T>
	T* Link(WYSIWYG_Element* after, T* element)
	{
		LinkAfter(after, element);
		return element;
	}

	WYSIWYG_Element* At(int index) const;
	int Count() const;
	// Short descriptions of the chain (see DescribeChain()).
	std::vector<std::string> Chain() const;
	// The HTML view's selection.
	void Selection(int32* start, int32* end) const;

	static float FontHeight(BFont* font);

	// The open tag settings window, or null; closing it as its close box
	// does (the values are stored).
	static TAGSettingsWindow* TagWindow();
	static void CloseTagWindow();

	AlertRecorder fResponder;
	// The texts of the alerts that opening the page gave (fResponder is
	// cleared once the page is open).
	std::vector<std::string> fOpeningAlerts;
	std::string fRoot;
	std::string fPagePath;
	Config* fConfig = nullptr;
	Page* fPage = nullptr;

private:
	static void LinkAfter(WYSIWYG_Element* after, WYSIWYG_Element* element);

	std::unique_ptr<TemporaryHome> fHome;
};

}	// namespace quillora_test

#endif	// QUILLORA_TEST_PAGE_FIXTURE_H
