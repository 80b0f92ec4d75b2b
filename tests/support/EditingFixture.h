/*
 * A page to edit as a user does: a small body opened through "Update from
 * HTML", the caret put into one of its texts, keys and menu commands through
 * the visual window, and what a user would see afterwards (the generated
 * body, the text holding the caret) together with a check that the chain
 * still holds together and is laid out as a whole new layout lays it out.
 * The editing scenarios of tests/data/editing and the editing suites that
 * need C++ share it.
 */
#ifndef QUILLORA_TEST_EDITING_FIXTURE_H
#define QUILLORA_TEST_EDITING_FIXTURE_H

#include "PageFixture.h"

#include <string>

namespace quillora_test {

class EditingFixture : public PageFixture {
protected:
	// Opens <BODY>body</BODY> and counts the page as saved.
	void Open(const std::string& body);

	// Puts the caret (or the selection start..end) into the nth text
	// (from 1) whose bytes are exactly `bytes`; null and a failure when
	// there is none.
	WText* Place(const std::string& bytes, int32 start, int32 end = -1,
		int nth = 1);

	// The text that has the caret, or null.
	WText* Focused();

	// The focused text and its selection as "text@start" or
	// "text@start-end", with "#n" after the text when it is the nth (from
	// 2) of several texts holding the same bytes; "(none)" without a
	// focused text.
	std::string Caret();

	// Posts a menu command to the visual window and handles it.
	void Command(uint32 what);

	// The generated body, exactly.
	std::string Body() { return HTMLOf(nullptr); }

	// Every neighbour has both links; no two tags touch unless both are
	// style ends (a range ends where another begins) or the second is a
	// line break; with `styleEndsTouchAnyTag` a style end may touch any
	// tag (a range ends where a list or a link begins, or after a line
	// break), as long random editing leaves them. No style end lost its
	// partner, the page gave no alert since fAlertsBefore, moving the lines
	// from the first one held to be in place moves nothing, and a whole
	// new environment walk and layout give the flow the incremental ones
	// gave. `step` says in a failure what led to it.
	void ExpectSoundChain(const std::string& step,
		bool styleEndsTouchAnyTag = false);

	// How many of the alerts given so far were expected.
	int32 fAlertsBefore = 0;
};

}	// namespace quillora_test

#endif	// QUILLORA_TEST_EDITING_FIXTURE_H
