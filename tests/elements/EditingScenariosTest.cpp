/*
 * Editing scenarios kept as data: each tests/data/editing/NAME.txt is a test
 * that opens small pages, puts the caret somewhere, presses keys and gives
 * menu commands through the visual window, and says what a user then sees.
 * One step a line; blank lines and lines beginning with '#' are skipped.
 *
 *   page: BODY                 opens <BODY>BODY</BODY> as "Update from HTML"
 *                              does; the page counts as saved
 *   place "TEXT" START [END]   the caret (or the range START..END) into the
 *                              first text holding exactly TEXT ("TEXT"#N: Nth)
 *   type KEYS [shift] [control] [command]
 *                              one key message of "text" and <Key> pieces
 *                              (no blanks between them); keys: Left Right Up
 *                              Down Home End PageUp PageDown Backspace Delete
 *                              Enter Tab Escape Insert
 *   choose "LABEL"             the visual window's menu item of that label
 *   mark saved                 the page counts as saved
 *   unfocus                    no text has the caret
 *   expect saved | changed
 *   expect body: HTML          the generated body, exactly
 *   expect caret: TEXT@S[-E]   the focused text (TEXT#N@S: the Nth of those
 *                              bytes) and its selection; (none)
 *   expect selection: none     no range is selected, no text holds one
 *   expect selection: range    a range is selected
 *   expect chain: DESCRIPTIONS the chain as ChainText.h describes it
 *   expect numbers: N ...      the numbers of the list items in order
 *   expect links: none         no element is inside a link (lists: a list)
 *   expect flow contains: TEXT a line of the dump without vertical places
 *   expect alert: TEXT         the next alert (one not expected fails)
 *   expect dump:               the whole chain dump, one indented line of it
 *                              on each line that follows
 *
 * A value after a colon begins after the one blank behind it; in values and
 * in "quoted" text \r \n \t \" \\ and \xHH are those bytes.
 *
 * Before each step that is not an expectation, and at the end, the chain
 * the last page, key or command left is checked as
 * EditingFixture::ExpectSoundChain() does. Failures name the file and line.
 */

#include "DataCases.h"
#include "EditingFixture.h"

#include <ctype.h>

#include <InterfaceDefs.h>
#include <MenuBar.h>
#include <MenuItem.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "List_Element.h"

using namespace quillora_test;

namespace {

const std::string kFolder = QUILLORA_TEST_DATA "/editing";

const std::map<std::string, char> kKeys = {
	{ "Left", B_LEFT_ARROW }, { "Right", B_RIGHT_ARROW }, { "Up", B_UP_ARROW },
	{ "Down", B_DOWN_ARROW }, { "Home", B_HOME }, { "End", B_END },
	{ "PageUp", B_PAGE_UP }, { "PageDown", B_PAGE_DOWN },
	{ "Backspace", B_BACKSPACE }, { "Delete", B_DELETE }, { "Enter", B_ENTER },
	{ "Tab", B_TAB }, { "Escape", B_ESCAPE }, { "Insert", B_INSERT } };

const std::map<std::string, int32> kModifiers = { { "shift", B_SHIFT_KEY },
	{ "control", B_CONTROL_KEY }, { "command", B_COMMAND_KEY } };


std::string
Unescape(const std::string& in)
{
	static const std::map<char, char> kEscapes = { { 'r', '\r' },
		{ 'n', '\n' }, { 't', '\t' }, { '"', '"' }, { '\\', '\\' } };
	std::string out;
	for (size_t i = 0; i < in.size(); i++) {
		if (in[i] == '\\' && i + 3 < in.size() && in[i + 1] == 'x'
				&& isxdigit((uchar)in[i + 2]) && isxdigit((uchar)in[i + 3])) {
			out += (char)std::stoi(in.substr(i + 2, 2), nullptr, 16);
			i += 3;
		} else if (in[i] == '\\' && i + 1 < in.size()
				&& kEscapes.count(in[i + 1]) != 0)
			out += kEscapes.at(in[++i]);
		else
			out += in[i];
	}
	return out;
}


// The words of a step; a "quoted" word keeps its blanks and its quotes.
std::vector<std::string>
Words(const std::string& line)
{
	std::vector<std::string> words(1);
	bool quoted = false;
	for (size_t i = 0; i < line.size(); i++) {
		if (!quoted && isspace((uchar)line[i])) {
			if (!words.back().empty())
				words.emplace_back();
			continue;
		}
		words.back() += line[i];
		if (line[i] == '\\' && quoted && i + 1 < line.size())
			words.back() += line[++i];
		else if (line[i] == '"')
			quoted = !quoted;
	}
	if (words.back().empty())
		words.pop_back();
	return words;
}


// The bytes of a run of "text" and <Key> pieces; empty when it is none.
std::string
KeyBytes(const std::string& word)
{
	std::string bytes;
	for (size_t at = 0; at < word.size();) {
		bool text = word[at] == '"';
		size_t end = word.find(text ? '"' : '>', at + 1);
		while (text && end != std::string::npos && word[end - 1] == '\\')
			end = word.find('"', end + 1);
		if (end == std::string::npos || (!text && word[at] != '<'))
			return std::string();
		std::string piece = word.substr(at + 1, end - at - 1);
		if (!text && kKeys.count(piece) == 0)
			return std::string();
		bytes += text ? Unescape(piece) : std::string(1, kKeys.at(piece));
		at = end + 1;
	}
	return bytes;
}


class EditingScenario : public EditingFixture,
	public testing::WithParamInterface<std::string> {
protected:
	bool Act(const std::vector<std::string>& words, const std::string& value);
	bool Expect(const std::string& what, const std::string& expected,
		std::istream& rest);

	// The step whose chain is still to be checked, empty when none is.
	std::string fPending;
	// The number of the line last read.
	int fLine = 0;
};


bool
EditingScenario::Act(const std::vector<std::string>& words,
	const std::string& value)
{
	const std::string& kind = words[0];
	size_t count = words.size();
	if (kind == "page:") {
		Open(value);
	} else if (kind == "place" && (count == 3 || count == 4)) {
		size_t close = words[1].rfind('"');
		std::string nth = words[1].substr(close + 1);
		if (words[1][0] != '"' || close == 0 || (!nth.empty() && nth[0] != '#'))
			return false;
		Place(Unescape(words[1].substr(1, close - 1)), std::stoi(words[2]),
			count == 4 ? std::stoi(words[3]) : -1,
			nth.empty() ? 1 : std::stoi(nth.substr(1)));
		return true;
	} else if (kind == "type" && count >= 2) {
		std::string bytes = KeyBytes(words[1]);
		int32 modifiers = 0;
		for (size_t i = 2; i < count; i++) {
			if (kModifiers.count(words[i]) == 0)
				return false;
			modifiers |= kModifiers.at(words[i]);
		}
		if (bytes.empty())
			return false;
		Type(bytes, modifiers);
	} else if (kind == "choose" && count == 2 && words[1].size() > 2) {
		BMenuItem* item = fPage->visualWindow->menuBar->FindItem(
			Unescape(words[1].substr(1, words[1].size() - 2)).c_str());
		if (item == nullptr)
			return false;
		Command(item->Command());
	} else if (kind == "mark" && count == 2 && words[1] == "saved") {
		fPage->Saved();
		return true;
	} else if (kind == "unfocus" && count == 1 && Window()->Lock()) {
		if (BView* focus = Window()->CurrentFocus())
			focus->MakeFocus(false);
		Window()->Unlock();
	} else
		return false;
	return true;
}


bool
EditingScenario::Expect(const std::string& what, const std::string& expected,
	std::istream& rest)
{
	std::string found;
	if (what == "saved" || what == "changed") {
		found = fPage->IsSaved() ? "saved" : "changed";
		EXPECT_EQ(what, found);
		return true;
	} else if (what == "dump:") {
		std::string dump;
		while (isspace(rest.peek()) && rest.peek() != '\n') {
			std::string line;
			std::getline(rest, line);
			fLine++;
			dump += line.erase(0, line.find_first_not_of(" \t")) + "\n";
		}
		found = Dump();
		EXPECT_TRUE(dump == found) << "the dump differs (- expected, "
			"+ found):\n" << DiffLines(dump, found);
		return expected.empty();
	} else if (what == "flow contains:") {
		EXPECT_NE(std::string::npos, FlowDump().find(expected)) << "no line holds "
			<< expected << ":\n" << FlowDump();
		return true;
	} else if (what == "alert:") {
		if (fAlertsBefore < fResponder.CountAlerts())
			found = fResponder.TextAt(fAlertsBefore++);
	} else if (what == "body:") {
		found = Body();
	} else if (what == "caret:") {
		found = Caret();
	} else if (what == "chain:") {
		for (const std::string& element : Chain())
			found += (found.empty() ? "" : " ") + element;
	} else if (what == "selection:") {
		WYSIWYG_Element* e = First();
		int32 start = 0, end = 0;
		for (; e != nullptr && start == end; e = e->Next()) {
			if (WText* text = dynamic_cast<WText*>(e))
				text->GetSelection(&start, &end);
		}
		found = Engine()->FirstSelection() != nullptr ? "range"
			: start != end ? "a text holds a range" : "none";
	} else if (what == "numbers:") {
		for (WYSIWYG_Element* e = First(); e != nullptr; e = e->Next()) {
			if (List_Element* item = dynamic_cast<List_Element*>(e))
				found += (found.empty() ? "" : " ") + std::to_string(item->Number());
		}
	} else if (what == "links:" || what == "lists:") {
		WYSIWYG_Element* e = First();
		while (e != nullptr && (what == "links:" ? e->CurrentAnchor() == nullptr
				: e->CurrentList() == nullptr))
			e = e->Next();
		found = e == nullptr ? "none" : Describe(e) + " is inside one";
	} else
		return false;
	EXPECT_EQ(expected, found) << "expect " << what << "\n" << Dump();
	return true;
}


TEST_P(EditingScenario, GoesAsWritten)
{
	std::string path = kFolder + "/" + GetParam() + ".txt";
	std::istringstream in(ReadFile(path));
	for (std::string line; std::getline(in, line);) {
		int number = ++fLine;
		std::vector<std::string> words = Words(line);
		if (words.empty() || line[0] == '#')
			continue;
		testing::ScopedTrace trace(path.c_str(), number, line);
		// What follows "WORDS:" and a blank.
		size_t colon = line.find(':');
		std::string value = colon == std::string::npos ? std::string()
			: Unescape(line.substr(std::min(colon + 2, line.size())));
		bool understood;
		if (words[0] == "expect" && words.size() > 1) {
			std::string what = words[1];
			if (words.size() > 2 && what.back() != ':' && colon != std::string::npos)
				what = line.substr(7, colon - 6);
			understood = Expect(what, value, in);
		} else {
			if (!fPending.empty())
				ExpectSoundChain(fPending);
			fPending.clear();
			if (words[0] != "place" && words[0] != "mark")
				fPending = path + ":" + std::to_string(number) + ": " + line;
			understood = Act(words, value);
		}
		if (!understood)
			GTEST_FAIL_AT(path.c_str(), number) << "not understood: " << line;
		if (HasFatalFailure())
			return;
	}
	ASSERT_GT(fLine, 0) << path << " is empty";
	if (!fPending.empty())
		ExpectSoundChain(fPending);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, EditingScenario,
	testing::ValuesIn(DataCases(kFolder, ".txt")), DataCaseName);

}	// namespace
