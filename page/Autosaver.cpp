/*
 * Autosaver: when copies are due, taking them, writing them on a thread of
 * their own, removing them (see Autosaver.h).
 */
#include "Autosaver.h"

#include <DataIO.h>
#include <Errors.h>
#include <Message.h>
#include <MessageRunner.h>
#include <Messenger.h>
#include <OS.h>

#include <atomic>

#include "Alerts.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "Page.h"
#include "RecoveryFile.h"

namespace {

// How long after a change, or after the last look, a waiting change is
// looked at again: a copy comes at most this much later than it is due.
const bigtime_t kPulseInterval = 500000;

Autosaver::Clock sClock = nullptr;

}	// namespace


// #pragma mark - AutosaveTimer


void
AutosaveTimer::Changed(bigtime_t now)
{
	if (!fPending) {
		fPending = true;
		fFirstChange = now;
	}
	fLastChange = now;
}


void
AutosaveTimer::Clear()
{
	fPending = false;
}


bigtime_t
AutosaveTimer::DueTime() const
{
	bigtime_t quiet = fLastChange + kQuietDelay;
	bigtime_t pause = fLastChange + kShortPause;
	bigtime_t longest = fFirstChange + kLongestDelay;
	if (pause > longest)
		longest = pause;
	bigtime_t limit = fFirstChange + kHardLimit;
	bigtime_t due = quiet < longest ? quiet : longest;
	return due < limit ? due : limit;
}


bool
AutosaveTimer::IsDue(bigtime_t now) const
{
	return fPending && now >= DueTime();
}


// #pragma mark - Autosaver


// What a writer thread writes; the event thread hands it over whole and
// looks at it again only once the thread is done.
struct Autosaver::Copy {
	std::string recoveryPath;
	std::string header;
	// What "Save page" writes in front of the document (a byte-order mark).
	std::string start;
	BMallocIO* document = nullptr;
	std::string source;
	std::atomic<bool> done{false};
	status_t status = B_OK;

	~Copy() { delete document; }
};


Autosaver::Autosaver(Page* page)
	:
	BHandler("autosaver"),
	fPage(page),
	fPulse(nullptr),
	fWriter(-1),
	fCopy(nullptr),
	fCopies(0),
	fFailureShown(false)
{
}


Autosaver::~Autosaver()
{
	_StopPulse();
	if (fWriter >= 0)
		_Collect(false);
}


void
Autosaver::SetClock(Clock clock)
{
	sClock = clock;
}


bigtime_t
Autosaver::_Now()
{
	return sClock != nullptr ? sClock() : system_time();
}


void
Autosaver::Changed()
{
	fTimer.Changed(_Now());
	_StartPulse();
}


void
Autosaver::Saved()
{
	fTimer.Clear();
}


void
Autosaver::Remove()
{
	// A copy still being written would come back after the removal.
	if (fWriter >= 0)
		_Collect(false);
	fTimer.Clear();
	_StopPulse();
	if (fPage->path != nullptr)
		remove_recovery_copy(recovery_file_for(fPage->path).c_str());
	for (const std::string& written : fWritten)
		remove_recovery_copy(written.c_str());
	fWritten.clear();
}


void
Autosaver::TakeCopy()
{
	if (fPage->readOnly || fPage->path == nullptr)
		return;
	if (fWriter >= 0)
		_Collect(true);

	Copy* copy = new Copy();
	bigtime_t time = real_time_clock_usecs();
	// The document as "Save page" generates it, in a buffer of its own that
	// goes to the writer as it is; the page's buffer stays as it was, so a
	// copy taken in between changes nothing for anyone else.
	BMallocIO* pageBuffer = fPage->htmlBuffer;
	fPage->htmlBuffer = nullptr;
	fPage->GenerateHTML();
	copy->document = fPage->htmlBuffer;
	fPage->htmlBuffer = pageBuffer;
	copy->start = fPage->FileStart();

	bool hasSource = fPage->IsSourceEdited();
	HTML_View* view = fPage->htmlWindow != nullptr
		? fPage->htmlWindow->htmlView : nullptr;
	if (hasSource && view != nullptr && view->LockLooper()) {
		copy->source.assign(view->Text(), size_t(view->TextLength()));
		view->UnlockLooper();
	}
	copy->recoveryPath = recovery_file_for(fPage->path);
	copy->header = recovery_header(fPage->path, time,
		copy->start.size() + copy->document->BufferLength(), hasSource, copy->source.size());
	fTimer.Clear();

	bool known = false;
	for (const std::string& written : fWritten)
		known = known || written == copy->recoveryPath;
	if (!known)
		fWritten.push_back(copy->recoveryPath);

	fCopy = copy;
	fCopies++;
	fWriter = spawn_thread(_WriteCopy, "autosave writer", B_LOW_PRIORITY,
		copy);
	if (fWriter < 0 || resume_thread(fWriter) != B_OK) {
		// Without a thread the copy is written here; it must not be lost
		// for want of one.
		fWriter = -1;
		_WriteCopy(copy);
		fCopy = nullptr;
		status_t status = copy->status;
		delete copy;
		if (status != B_OK)
			fTimer.Changed(_Now());
		return;
	}
	_StartPulse();
}


status_t
Autosaver::_WriteCopy(void* data)
{
	Copy* copy = static_cast<Copy*>(data);
	FilePiece body[3] = {
		{ copy->start.data(), copy->start.size() },
		{ (const char*)copy->document->Buffer(),
			copy->document->BufferLength() },
		{ copy->source.data(), copy->source.size() }
	};
	copy->status = write_recovery_copy(copy->recoveryPath.c_str(),
		copy->header, body, 3);
	copy->done = true;
	return copy->status;
}


void
Autosaver::Check()
{
	// The pulse that brought us here is spent; another is armed below
	// while there is something to wait for.
	_StopPulse();
	if (fWriter >= 0 && fCopy->done)
		_Collect(true);
	if (fWriter < 0 && fTimer.IsDue(_Now()))
		TakeCopy();
	if (fTimer.IsPending() || fWriter >= 0)
		_StartPulse();
}


void
Autosaver::WaitForCopy()
{
	if (fWriter >= 0)
		_Collect(true);
}


void
Autosaver::_Collect(bool report)
{
	status_t ignored;
	wait_for_thread(fWriter, &ignored);
	fWriter = -1;
	Copy* copy = fCopy;
	fCopy = nullptr;
	status_t status = copy->status;
	delete copy;

	if (status == B_OK) {
		fFailureShown = false;
		return;
	}
	// The changes are in no copy: try again a while later.
	fTimer.Changed(_Now());
	_StartPulse();
	if (report && !fFailureShown) {
		fFailureShown = true;
		std::string text = "Could not keep a copy of the unsaved changes to "
			"the document \"";
		text += fPage->path != nullptr ? fPage->path : "";
		text += "\": ";
		error(text.c_str(), strerror_status(status));
	}
}


void
Autosaver::_StartPulse()
{
	if (fPulse != nullptr || Looper() == nullptr)
		return;
	// One pulse at a time: a looper that is kept busy (a modal alert) does
	// not find a pile of them waiting afterwards.
	BMessage pulse(kMsgAutosavePulse);
	fPulse = new BMessageRunner(BMessenger(this), &pulse, kPulseInterval, 1);
}


void
Autosaver::_StopPulse()
{
	delete fPulse;
	fPulse = nullptr;
}


void
Autosaver::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgAutosavePulse:
			Check();
			break;
		default:
			BHandler::MessageReceived(message);
			break;
	}
}
