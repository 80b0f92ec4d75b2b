/*
 * BTextView: clipboard, drops, undo and the editing messages.
 */
#include <TextView.h>

#include <AppDefs.h>
#include <Clipboard.h>
#include <HostClipboard.h>
#include <Message.h>
#include <TypeConstants.h>
#include <Window.h>

#include "TextLayout.h"
#include "TextStorage.h"
#include "TextStyleRuns.h"
#include "TextUndo.h"

#include <string>
#include <vector>

using namespace BPrivate;

static const char* kTextType = "text/plain";


// The application kit cannot reach the host itself; whoever links the
// interface kit has the host, so the system clipboard is wired up here.
static bool
register_host_clipboard()
{
	ClipboardHooks hooks;
	hooks.getText = host_clipboard_get_text;
	hooks.setText = host_clipboard_set_text;
	hooks.clear = host_clipboard_clear;
	hooks.changeCount = host_clipboard_change_count;
	set_clipboard_hooks(hooks);
	return true;
}

static bool sClipboardRegistered = register_host_clipboard();


void
BTextView::Copy(BClipboard* clipboard)
{
	(void)sClipboardRegistered;
	if (clipboard == NULL || fSelStart >= fSelEnd)
		return;
	_PutOnClipboard(clipboard, _ToUTF8(fSelStart, fSelEnd));
}


void
BTextView::_PutOnClipboard(BClipboard* clipboard, const std::string& text)
{
	if (!clipboard->Lock())
		return;
	clipboard->Clear();
	BMessage* data = clipboard->Data();
	if (data != NULL) {
		data->AddData(kTextType, B_MIME_TYPE, text.data(), text.size(), false);
		clipboard->Commit();
	}
	clipboard->Unlock();
}


std::string
BTextView::_ToUTF8(int32 from, int32 to) const
{
	std::string result;
	result.reserve(to - from);
	// Run by run: each run's font says how its bytes read.
	while (from < to) {
		int32 run = fParts->styles.IndexAt(from);
		int32 end = fParts->styles.RunEnd(run);
		if (end > to)
			end = to;
		fParts->styles.RunAt(run).style.metrics->characters->AppendUTF8(
			fParts->text.RangePointer(from, end), end - from, &result);
		from = end;
	}
	return result;
}


std::string
BTextView::_FromUTF8(const char* text, int32 length, int32 room) const
{
	const FontCharacters* characters = _InsertionStyle(fSelStart).metrics->characters;
	std::string result;
	result.reserve(length);
	characters->AppendFromUTF8(text, length, fReferencePrefix, &result);
	if ((int32)result.size() > room) {
		// What does not fit is left out, whole characters only.
		int32 end = 0;
		while (end < (int32)result.size()) {
			int32 next = end + characters->CharLength(result.data() + end,
				(int32)result.size() - end);
			if (next > room)
				break;
			end = next;
		}
		result.resize(end);
	}
	return result;
}


void
BTextView::Cut(BClipboard* clipboard)
{
	if (!fEditable || fSelStart >= fSelEnd)
		return;
	Copy(clipboard);
	_BeginEdit(B_UNDO_CUT);
	_DoDelete(fSelStart, fSelEnd);
	fSelEnd = fSelStart;
	fAnchor = fSelStart;
	_EndEdit();
	ScrollToOffset(fSelStart);
	_UpdateScrollBars();
}


void
BTextView::Paste(BClipboard* clipboard)
{
	if (!fEditable || clipboard == NULL || !clipboard->Lock())
		return;
	BMessage copy;
	BMessage* data = clipboard->Data();
	if (data != NULL)
		copy = *data;
	clipboard->Unlock();
	_PasteFrom(&copy, B_UNDO_PASTE, -1);
}


void
BTextView::_PasteFrom(BMessage* clip, undo_state kind, int32 offset)
{
	const void* bytes = NULL;
	ssize_t length = 0;
	if (clip->FindData(kTextType, B_MIME_TYPE, &bytes, &length) != B_OK
		|| length <= 0) {
		return;
	}
	if (offset >= 0 && (offset < fSelStart || offset > fSelEnd))
		Select(offset, offset);

	// The clipboard holds UTF-8; what does not fit under the limit is left
	// out.
	int32 room = fMaxBytes - (fParts->text.Length() - (fSelEnd - fSelStart));
	if (room <= 0)
		return;
	std::string text = _FromUTF8((const char*)bytes, (int32)length, room);
	if (text.empty())
		return;

	_HideCaret();
	_ReplaceSelection(text.data(), (int32)text.size(), NULL, kind);
	fCaretVisible = true;
}


void
BPrivate::replace_text(BTextView* view, int32 from, int32 to,
	const char* text, int32 length)
{
	if (view == NULL || !view->fEditable)
		return;
	int32 textLength = view->fParts->text.Length();
	if (from < 0)
		from = 0;
	if (to > textLength)
		to = textLength;
	if (from > to)
		from = to;
	if (text == NULL || length < 0)
		length = 0;
	if (from == to && length == 0)
		return;
	view->_HideCaret();
	// Through Select() where it may, so the old selection is redrawn.
	view->Select(from, to);
	view->fSelStart = from;
	view->fSelEnd = to;
	view->fAnchor = from;
	view->_ReplaceSelection(text, length, NULL, B_UNDO_PASTE);
	view->fCaretVisible = true;
}


void
BTextView::Clear()
{
	if (!fEditable || fSelStart >= fSelEnd)
		return;
	_BeginEdit(B_UNDO_CLEAR);
	_DoDelete(fSelStart, fSelEnd);
	fSelEnd = fSelStart;
	fAnchor = fSelStart;
	_EndEdit();
	_UpdateScrollBars();
}


bool
BTextView::AcceptsPaste(BClipboard* clipboard)
{
	if (!fEditable || clipboard == NULL || !clipboard->Lock())
		return false;
	BMessage* data = clipboard->Data();
	bool has = data != NULL && data->HasData(kTextType, B_MIME_TYPE);
	clipboard->Unlock();
	return has;
}


bool
BTextView::AcceptsDrop(const BMessage* message)
{
	return fEditable && message != NULL
		&& message->HasData(kTextType, B_MIME_TYPE);
}


void
BTextView::_DropText(BMessage* message)
{
	BPoint where = message->DropPoint();
	ConvertFromScreen(&where);
	int32 offset = OffsetAt(where);
	// A drop into the selection replaces it; elsewhere it goes in there.
	_PasteFrom(message, B_UNDO_DROP, offset);
}


// #pragma mark - undo


void
BTextView::Undo(BClipboard* clipboard)
{
	bool isRedo;
	undo_state kind = UndoState(&isRedo);
	if (!fUndoEnabled || kind == B_UNDO_UNAVAILABLE)
		return;

	std::vector<TextUndoStep> steps;
	_Undo()->StartReplay(&steps);
	int32 selectFrom = -1;
	int32 selectTo = -1;
	for (size_t i = steps.size(); i-- > 0;) {
		TextUndoStep& step = steps[i];
		int32 length = (int32)step.bytes.size();
		if (step.inserted) {
			_DoDelete(step.offset, step.offset + length);
			selectFrom = selectTo = step.offset;
		} else {
			int32 before = fParts->text.Length();
			_DoInsert(step.bytes.data(), length, step.offset, step.runs);
			selectFrom = step.offset;
			selectTo = step.offset + (fParts->text.Length() - before);
		}
	}
	_Undo()->EndReplay();
	for (TextUndoStep& step : steps)
		FreeRunArray(step.runs);

	// Redoing a cut puts the text on the clipboard again.
	if (kind == B_UNDO_CUT && isRedo && clipboard != NULL) {
		for (const TextUndoStep& step : steps) {
			if (step.inserted)
				continue;
			std::string text;
			_InsertionStyle(step.offset).metrics->characters->AppendUTF8(
				step.bytes.data(), (int32)step.bytes.size(), &text);
			_PutOnClipboard(clipboard, text);
			break;
		}
	}

	if (selectFrom >= 0) {
		Select(selectFrom, selectTo);
		fAnchor = selectFrom;
		ScrollToOffset(selectFrom);
	}
	_UpdateScrollBars();
}


// #pragma mark - messages


void
BTextView::MessageReceived(BMessage* message)
{
	if (message->WasDropped() && AcceptsDrop(message)) {
		_DropText(message);
		return;
	}
	switch (message->what) {
		case B_CUT:
			Cut(be_clipboard);
			break;
		case B_COPY:
			Copy(be_clipboard);
			break;
		case B_PASTE:
			Paste(be_clipboard);
			break;
		case B_SELECT_ALL:
			SelectAll();
			break;
		case B_UNDO:
			Undo(be_clipboard);
			break;
		default:
			BView::MessageReceived(message);
			break;
	}
}
