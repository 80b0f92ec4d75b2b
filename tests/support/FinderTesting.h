/*
 * Driving an editor's find dialog as the user does: the texts typed in,
 * the boxes ticked (each tick posted as the box posts it), a button pressed
 * or "Find again" chosen in the editor's window. Every search runs under a
 * time limit, so one that never ends fails its test.
 *
 * Header-only, for the program's suites.
 */
#ifndef QUILLORA_TEST_FINDER_TESTING_H
#define QUILLORA_TEST_FINDER_TESTING_H

#include <gtest/gtest.h>

#include <Beep.h>
#include <CheckBox.h>
#include <EventLoop.h>

#include "MessageCode.h"
#include "RFinder.h"
#include "RTextControl.h"
#include "TimeLimit.h"

namespace quillora_test {

struct FindOptions {
	bool caseSensitive = false;
	bool wholeWord = false;
	bool wrap = false;
};

const FindOptions kPlain;
const FindOptions kCase = { true, false, false };
const FindOptions kWhole = { false, true, false };
const FindOptions kWrap = { false, false, true };

// The buttons, and the editors' "Find again".
const uint32 kFind = kMsgFinderFind;
const uint32 kReplace = kMsgFinderReplace;
const uint32 kAll = kMsgFinderReplaceAll;
const uint32 kAgain = message_code("fnda");

inline void
FillFinder(RFinder* finder, const char* search, const char* replacement,
	FindOptions options = FindOptions())
{
	ASSERT_TRUE(finder->Lock());
	finder->FindText()->SetText(search);
	finder->ReplaceText()->SetText(replacement);
	finder->view->caseBox->SetValue(options.caseSensitive);
	finder->view->wholeWordBox->SetValue(options.wholeWord);
	finder->view->wrapBox->SetValue(options.wrap);
	finder->Unlock();
	finder->PostMessage(kMsgFinderCaseSensitive);
	finder->PostMessage(kMsgFinderWholeWord);
	finder->PostMessage(kMsgFinderWrap);
	BPrivate::dispatch_until_idle();
}

// Presses a button of the dialog, or chooses "Find again" (kAgain) in the
// dialog's editor window; returns the number of beeps it made.
inline int32
PressFinder(RFinder* finder, uint32 what)
{
	int32 before = beep_count();
	TimeLimit limit(60, "a search");
	if (what == kAgain)
		finder->target->PostMessage(kAgain);
	else
		finder->PostMessage(what);
	BPrivate::dispatch_until_idle();
	return beep_count() - before;
}

}	// namespace quillora_test

#endif	// QUILLORA_TEST_FINDER_TESTING_H
