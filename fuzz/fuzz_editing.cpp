/*
 * Editing: a page and a session of a user's editing on it. The input is the
 * page's bytes, then (after kScriptMark) the script: a byte string decoded
 * into keys with modifiers, menu commands of the visual window, clicks and
 * drags at places of the page, find and replace, scrolling, resizing and
 * pictures chosen in the image panel. An input without the mark is a page
 * alone; its script is made from its own bytes, so that every page of the
 * test data is a seed with a session of its own.
 *
 * After each step the chain must hold together (ChainInvariants.h), and a
 * whole layout must give the frames the incremental layouts gave. At the
 * end the page the session made must read back as itself: generated, read
 * through "Update from Visual" and "Update from HTML", generated again, the
 * same bytes.
 */
#include <Alert.h>
#include <Application.h>
#include <CheckBox.h>
#include <Entry.h>
#include <EventLoop.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <Window.h>

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "ChainDump.h"
#include "ChainInvariants.h"
#include "FuzzPage.h"
#include "Page.h"
#include "RFinder.h"
#include "RTextControl.h"
#include "WFinder.h"
#include "WLooper.h"
#include "WText.h"
#include "WWindow.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

using namespace quillora_fuzz;

namespace {

// The menu commands a session uses: every insertion, style, heading,
// clipboard and undo command and "Delete all". A command the window does
// not handle yet does nothing; a new one is one line here.
const uint32 kCommands[] = {
	kMsgInsertAnchor, kMsgUnorderedList, kMsgOrderedList,
	kMsgDefinitionList, kMsgBlockquote, kMsgCenter, kMsgHorizontalLine,
	kMsgBreakLine, kMsgParagraph, kMsgNonBreakingSpace, kMsgNormalText,
	kMsgBold, kMsgItalic, kMsgFixed, kMsgBig, kMsgSmall, kMsgUnderline,
	kMsgSub, kMsgSup, kMsgStrike,
	kMsgEmbed, kMsgStrong, kMsgDefinition, kMsgCode, kMsgSample,
	kMsgKeyboard, kMsgVariable, kMsgCite,
	kMsgHeading1, kMsgHeading2, kMsgHeading3, kMsgHeading4, kMsgHeading5,
	kMsgHeading6,
	kMsgUndoRedo, kMsgCopy, kMsgCut, kMsgPaste, kMsgDeleteAll,
	kMsgUpdate,
};

// Keys as the keyboard sends them (UTF-8 bytes, BeOS key codes).
const char* const kKeys[] = {
	"\x1c", "\x1d", "\x1e", "\x1f",			// arrows
	"\x01", "\x04", "\x0b", "\x0c",			// Home, End, Page Up, Page Down
	"\x08", "\x7f", "\n", "\t", " ",		// Backspace, Delete, Enter, Tab, Space
	"\x05", "\x1b",							// Insert, Escape
	"a", "Z", "7", ".", "<", "&", ">", "\"",
	"\xc3\xa9", "\xe2\x82\xac",				// two- and three-byte characters
	"\x0f",									// the non-breaking space byte
	"ab cd", "x\ny",						// bytes of one event
};

// Shift and Control with any key; Command is left out: with letters it
// chooses menu items such as Close and Exit.
const int32 kModifiers[] = {
	0, B_SHIFT_KEY, B_CONTROL_KEY, B_SHIFT_KEY | B_CONTROL_KEY,
};

// Texts for find and replace besides those taken from the page.
const char* const kTexts[] = {
	"", "a", "e", " ", "the", "<b>", "&amp;", "\xc3\xa9", "X Y",
	"a somewhat longer replacement that has to wrap in a narrow page",
};

const char* const kPictures[] = {
	"pic16x12.png", "pic32x20.jpg", "pic50x40.gif", "wide700x8.gif",
	"broken.gif",
};

// What separates the page from its script.
const char kScriptMark[] = "\n\x00\xffscript\x00\n";
const size_t kScriptMarkLength = sizeof(kScriptMark) - 1;

// The longest session: a step costs a check of the whole chain and a whole
// layout.
const size_t kMaxSteps = 80;


class Script {
public:
	Script(const uint8_t* data, size_t size)
		: fData(data), fSize(size), fAt(0) {}

	bool AtEnd() const { return fAt >= fSize; }
	uint8_t Next() { return fAt < fSize ? fData[fAt++] : 0; }
	// A fraction from 0 to 1.
	float Fraction() { return Next() / 255.0f; }
	template<size_t N, class T>
	const T& Pick(const T (&table)[N]) { return table[Next() % N]; }

private:
	const uint8_t* fData;
	size_t fSize;
	size_t fAt;
};


class Session {
public:
	explicit Session(Page* page)
		:
		fWindow(page->visualWindow),
		fEngine(page->visualWindow->engine)
	{
	}

	void Step(Script& script, std::string& log);

private:
	void _Key(Script& script, std::string& log);
	void _Command(Script& script, std::string& log);
	void _Mouse(Script& script, std::string& log);
	void _Find(Script& script, std::string& log);
	void _Scroll(Script& script, std::string& log);
	void _Resize(Script& script, std::string& log);
	void _Picture(Script& script, std::string& log);

	BPoint _PagePoint(Script& script);
	std::string _PageText(Script& script);

	WWindow* fWindow;
	WYSIWYG_Engine* fEngine;
};


void
Session::Step(Script& script, std::string& log)
{
	switch (script.Next() % 16) {
		case 0: case 1: case 2: case 3: case 4: case 5:
			_Key(script, log);
			break;
		case 6: case 7: case 8:
			_Command(script, log);
			break;
		case 9: case 10: case 11:
			_Mouse(script, log);
			break;
		case 12:
			_Find(script, log);
			break;
		case 13:
			_Scroll(script, log);
			break;
		case 14:
			_Resize(script, log);
			break;
		case 15:
			_Picture(script, log);
			break;
	}
	BPrivate::dispatch_until_idle();
}


void
Session::_Key(Script& script, std::string& log)
{
	const char* bytes = script.Pick(kKeys);
	int32 modifiers = script.Pick(kModifiers);
	BMessage message(B_KEY_DOWN);
	message.AddString("bytes", bytes);
	message.AddInt32("raw_char", (uint8)bytes[0]);
	message.AddInt32("modifiers", modifiers);
	message.AddInt32("key", 0);
	fWindow->PostMessage(&message);
	log += "key " + QuoteBytes(bytes) + " modifiers " + std::to_string(modifiers);
}


void
Session::_Command(Script& script, std::string& log)
{
	uint32 what = script.Pick(kCommands);
	fWindow->PostMessage(what);
	log += "command " + CodeText(what);
}


BPoint
Session::_PagePoint(Script& script)
{
	// A point of the visible part of the page.
	BRect bounds = fEngine->view->Bounds();
	return BPoint(bounds.left + script.Fraction() * bounds.Width(),
		bounds.top + script.Fraction() * bounds.Height());
}


void
Session::_Mouse(Script& script, std::string& log)
{
	uint8_t kind = script.Next();
	int32 clicks = 1 + kind % 3;
	int32 modifiers = (kind & 4) != 0 ? B_SHIFT_KEY : 0;
	bool drag = (kind & 8) != 0;
	if (!fWindow->Lock())
		return;
	BPoint from = _PagePoint(script);
	BPoint to = drag ? _PagePoint(script) : from;
	BPoint fromInWindow = InWindow(fEngine->view, from);
	BPoint toInWindow = InWindow(fEngine->view, to);
	fWindow->Unlock();

	PostMouse(fWindow, B_MOUSE_DOWN, fromInWindow, B_PRIMARY_MOUSE_BUTTON,
		clicks, modifiers);
	if (drag) {
		PostMouse(fWindow, B_MOUSE_MOVED, toInWindow, B_PRIMARY_MOUSE_BUTTON,
			clicks, modifiers);
	}
	PostMouse(fWindow, B_MOUSE_UP, toInWindow, 0, clicks, modifiers);
	log += "mouse at " + std::to_string((int)from.x) + ","
		+ std::to_string((int)from.y);
	if (drag)
		log += " to " + std::to_string((int)to.x) + "," + std::to_string((int)to.y);
	log += " clicks " + std::to_string(clicks) + " modifiers "
		+ std::to_string(modifiers);
}


std::string
Session::_PageText(Script& script)
{
	// Mostly a piece of a text of the page, so that searches find things.
	uint8_t how = script.Next();
	if (how % 3 == 0)
		return script.Pick(kTexts);
	std::vector<WText*> texts;
	for (WYSIWYG_Element* e = fEngine->first; e != nullptr; e = e->next) {
		WText* text = dynamic_cast<WText*>(e);
		if (text != nullptr && text->TextLength() > 0)
			texts.push_back(text);
	}
	if (texts.empty())
		return script.Pick(kTexts);
	WText* text = texts[script.Next() % texts.size()];
	int32 length = text->TextLength();
	int32 start = script.Next() % length;
	int32 count = 1 + how % 5;
	if (count > length - start)
		count = length - start;
	return std::string(text->Text() + start, count);
}


void
Session::_Find(Script& script, std::string& log)
{
	WFinder* finder = fWindow->finder;
	if (finder == nullptr)
		return;
	uint8_t options = script.Next();
	std::string search = _PageText(script);
	std::string replacement = _PageText(script);
	if (!finder->Lock())
		return;
	finder->FindText()->SetText(search.c_str());
	finder->ReplaceText()->SetText(replacement.c_str());
	finder->view->caseBox->SetValue((options & 1) != 0);
	finder->view->wholeWordBox->SetValue((options & 2) != 0);
	finder->view->wrapBox->SetValue((options & 4) != 0);
	finder->Unlock();
	finder->PostMessage(kMsgFinderCaseSensitive);
	finder->PostMessage(kMsgFinderWholeWord);
	finder->PostMessage(kMsgFinderWrap);
	BPrivate::dispatch_until_idle();

	static const uint32 kActions[] = { kMsgFinderFind, kMsgFinderReplace,
		kMsgFinderReplaceAll, kMsgFindAgain };
	uint32 action = kActions[(options >> 3) % 4];
	if (action == kMsgFindAgain)
		fWindow->PostMessage(action);
	else
		finder->PostMessage(action);
	log += "find " + QuoteBytes(search) + " replace " + QuoteBytes(replacement)
		+ " options " + std::to_string(options & 7) + " " + CodeText(action);
}


void
Session::_Scroll(Script& script, std::string& log)
{
	if (!fWindow->Lock())
		return;
	float min = 0, max = 0;
	if (BScrollBar* bar = fEngine->scrollView->ScrollBar(B_VERTICAL))
		bar->GetRange(&min, &max);
	float y = min + script.Fraction() * (max - min);
	fEngine->view->ScrollTo(0, y);
	fWindow->Unlock();
	log += "scroll to " + std::to_string((int)y);
}


void
Session::_Resize(Script& script, std::string& log)
{
	float width = 160 + script.Next() * 4;
	float height = 120 + script.Next() * 3;
	if (!fWindow->Lock())
		return;
	fWindow->ResizeTo(width, height);
	fWindow->Unlock();
	log += "window size " + std::to_string((int)width) + "x"
		+ std::to_string((int)height);
}


void
Session::_Picture(Script& script, std::string& log)
{
	// What the image panel sends the engine's looper.
	std::string path = std::string(QUILLORA_FUZZ_DATA "/images/")
		+ script.Pick(kPictures);
	entry_ref ref;
	if (get_ref_for_path(path.c_str(), &ref) != B_OK)
		Fail("a test picture is missing", path);
	BMessage message(B_REFS_RECEIVED);
	message.AddRef("refs", &ref);
	fEngine->looper->PostMessage(&message);
	log += "picture " + path.substr(path.rfind('/') + 1);
}


// The page and the script of an input.
void
Split(const uint8_t* data, size_t size, std::string& page,
	std::vector<uint8_t>& script)
{
	const uint8_t* end = data + size;
	const uint8_t* markBytes = (const uint8_t*)kScriptMark;
	const uint8_t* mark = std::search(data, end, markBytes,
		markBytes + kScriptMarkLength);
	if (mark != end) {
		page.assign((const char*)data, mark - data);
		script.assign(mark + kScriptMarkLength, end);
		return;
	}
	// A page alone: a session drawn from its bytes (FNV-1a, then
	// xorshift), the same every time.
	page.assign((const char*)data, size);
	uint64_t state = 14695981039346656037ull;
	for (size_t i = 0; i < size; i++)
		state = (state ^ data[i]) * 1099511628211ull;
	if (state == 0)
		state = 1;
	for (size_t i = 0; i < kMaxSteps * 4; i++) {
		state ^= state << 13;
		state ^= state >> 7;
		state ^= state << 17;
		script.push_back((uint8_t)(state >> 24));
	}
}


// Where the focus is, for traces: the index of its element in the chain.
std::string
FocusText(WWindow* window)
{
	BView* focus = window->CurrentFocus();
	if (focus == nullptr)
		return "none";
	int index = 0;
	for (WYSIWYG_Element* e = window->engine->first; e != nullptr;
			e = e->next, index++) {
		if (e->View() == focus)
			return "element " + std::to_string(index);
	}
	WYSIWYG_Element* element = dynamic_cast<WYSIWYG_Element*>(focus);
	return element != nullptr ? "out of the chain: " + DumpElement(element, -1)
		: "a view of no element";
}

}	// namespace


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	Page* page = TheFuzzPage();
	std::string html;
	std::vector<uint8_t> bytes;
	Split(data, size, html, bytes);

	if (!WriteWholeFile(FuzzPagePath(), html.data(), html.size()))
		Fail("cannot write the page file", FuzzPagePath());
	page->Update(true);
	BPrivate::dispatch_until_idle();
	WWindow* window = page->visualWindow;
	RestoreWindows(window);
	FuzzAlerts()->Clear();

	Session session(page);
	Script script(bytes.data(), bytes.size());
	std::string log;
	for (size_t step = 0; step < kMaxSteps && !script.AtEnd(); step++) {
		log += std::to_string(step) + ": ";
		session.Step(script, log);
		log += "\n";
		CloseStrayWindows();
		// For finding out what a step did: the chain after each one.
		if (getenv("QUILLORA_FUZZ_TRACE") != nullptr) {
			fprintf(stderr, "%s%sfocus: %s\n", log.c_str(),
				DumpChain(window->engine).c_str(), FocusText(window).c_str());
		}
		CheckChain(window->engine, log);
		CheckWholeLayout(window->engine, log);
		// The whole layout is a state of its own (a window resized lays
		// everything out again): it must hold together too.
		CheckChain(window->engine, log + "(after the whole layout)\n");
	}

	std::string first = GenerateDocument(page);
	page->UpdateFromVisual();
	page->Update(false);
	BPrivate::dispatch_until_idle();
	std::string second = GenerateDocument(page);
	if (first != second) {
		Fail("the edited page does not read back as itself",
			log + "--- " + FirstDifference(first, second));
	}
	return 0;
}
