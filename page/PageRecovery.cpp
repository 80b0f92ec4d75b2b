/*
 * Page: a recovery copy left by a run that ended without saving is offered
 * when the page is opened again.
 */
#include "Page.h"

#include <Alert.h>
#include <Entry.h>
#include <TextView.h>

#include <sys/stat.h>

#include <string>

#include "Autosaver.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "RecoveryFile.h"

namespace {

// The answers of the question, in the order of its buttons.
enum {
	kDiscardCopy = 0,
	kRecoverCopy = 1
};

}	// namespace


bool
Page::_OfferRecovery(RecoveryCopy* copy)
{
	if (readOnly || path == nullptr)
		return false;
	std::string recoveryPath = recovery_file_for(path);
	// A copy of another page that happens to have the same name is not
	// this page's.
	if (!read_recovery_copy(recoveryPath.c_str(), copy)
		|| copy->pagePath != path)
		return false;

	// A page file written after the copy was taken holds the newer work;
	// a missing one holds none.
	BEntry pageEntry(path, true);
	struct stat st;
	if (pageEntry.Exists() && pageEntry.GetStat(&st) == B_OK) {
		bigtime_t modified = bigtime_t(st.st_mtim.tv_sec) * 1000000
			+ st.st_mtim.tv_nsec / 1000;
		if (modified >= copy->time)
			return false;
	}

	std::string text = "Quillora kept a copy of unsaved changes to the "
		"document \"";
	text += path;
	text += "\", made on ";
	text += recovery_time_text(copy->time);
	text += ".\nRecover the changes, or discard the copy?";
	BAlert* question = new BAlert("Alert", text.c_str(), "Discard", "Recover",
		nullptr, B_WIDTH_AS_USUAL, B_OFFSET_SPACING, B_WARNING_ALERT);
	// Escape would press "Discard": throwing work away takes a deliberate
	// click.
	question->SetShortcut(kDiscardCopy, 0);
	if (question->Go() == kRecoverCopy)
		return true;
	remove_recovery_copy(recoveryPath.c_str());
	return false;
}


void
Page::_LoadRecovered(const RecoveryCopy& copy)
{
	HTML_View* view = htmlWindow->htmlView;
	view->LoadText(copy.document.data(), copy.document.size());
	SetSourceEdited(false);
	if (copy.hasSource && view->LockLooper()) {
		// The HTML editor gets back the edits that were in no document.
		view->SetText(copy.source.data(), int32(copy.source.size()));
		view->Select(0, 0);
		view->ScrollToSelection();
		view->UnlockLooper();
	}
	NotSaved();
	// A fresh copy: the page file may have just been made, and a copy
	// older than it would not be offered again.
	if (autosaver != nullptr)
		autosaver->TakeCopy();
}
