/*
 * Autosaver: keeps a recovery copy (RecoveryFile.h) of a page's unsaved
 * changes, so that a crash, a kill or a power cut costs at most the last few
 * seconds of typing.
 *
 * Every change of the page (Page::NotSaved) starts or extends a waiting
 * time (AutosaveTimer); when it is over, the document is generated on the
 * event thread, as "Save page" generates it, and a thread of its own writes
 * the bytes, so that typing goes on while the disk works. The page file is
 * never touched. Saving the page, "Don't Save" and "Reload" remove the copy;
 * anything that ends the program without them leaves it for the next
 * start on the page.
 */
#ifndef QUILLORA_AUTOSAVER_H
#define QUILLORA_AUTOSAVER_H

#include <Handler.h>

#include <string>
#include <vector>

#include "MessageCode.h"

class BMessageRunner;
class Page;

// The autosaver's own pulse, while changes wait for a copy.
constexpr uint32 kMsgAutosavePulse = message_code("asav");

// When a copy is due: a few seconds after the last change (the user has
// stopped typing); while changes go on, at the first short pause once the
// first change that no copy holds is a while old, so that the moment a copy
// takes on the event thread falls between words; and in any case before a
// minute is over. Times are microseconds on a clock that does not go back.
class AutosaveTimer {
public:
	static constexpr bigtime_t kQuietDelay = 3000000;
	static constexpr bigtime_t kLongestDelay = 45000000;
	static constexpr bigtime_t kShortPause = 400000;
	static constexpr bigtime_t kHardLimit = 55000000;

	void Changed(bigtime_t now);
	// Every change so far is in a copy (or the page is saved).
	void Clear();

	bool IsPending() const { return fPending; }
	bool IsDue(bigtime_t now) const;
	// When the copy is due (only while pending).
	bigtime_t DueTime() const;

private:
	bool fPending = false;
	bigtime_t fFirstChange = 0;
	bigtime_t fLastChange = 0;
};


class Autosaver : public BHandler {
public:
	// The page's visual window must exist: the autosaver works on its
	// looper, where the page's chain may be read.
	explicit Autosaver(Page* page);
	virtual ~Autosaver();

	// The page changed (Page::NotSaved).
	void Changed();
	// The page file holds the page now (Page::Saved): no copy is due.
	void Saved();
	// The copies are no longer wanted: the page was saved, or its changes
	// dropped. Waits for a copy being written, then removes the page's
	// recovery file and any this autosaver wrote under an earlier name of
	// the page.
	void Remove();

	// Takes a copy now, whatever the timer says.
	void TakeCopy();
	// Takes a copy when one is due (the pulse).
	void Check();
	// Waits until the copy being written is on disk.
	void WaitForCopy();

	virtual void MessageReceived(BMessage* message);

	const AutosaveTimer& Timer() const { return fTimer; }
	// Copies written (or failed) so far.
	int32 CountCopies() const { return fCopies; }

	// The clock of the timing (system_time by default); tests set their
	// own. Null puts the default back.
	typedef bigtime_t (*Clock)();
	static void SetClock(Clock clock);

private:
	struct Copy;

	static status_t _WriteCopy(void* data);
	void _Collect(bool report);
	void _StartPulse();
	void _StopPulse();
	static bigtime_t _Now();

	Page* fPage;
	AutosaveTimer fTimer;
	BMessageRunner* fPulse;
	thread_id fWriter;
	Copy* fCopy;
	// Recovery files this autosaver has written to.
	std::vector<std::string> fWritten;
	int32 fCopies;
	// A failure is shown once, until a copy is written again.
	bool fFailureShown;
};

#endif	// QUILLORA_AUTOSAVER_H
