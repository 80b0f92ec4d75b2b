#include "TextUndo.h"

namespace BPrivate {

TextUndoBuffer::TextUndoBuffer()
	:
	fKind(B_UNDO_UNAVAILABLE),
	fRedo(false),
	fRecording(false),
	fTypingOpen(false),
	fTypingCaret(0)
{
}


TextUndoBuffer::~TextUndoBuffer()
{
	_FreeSteps();
}


undo_state
TextUndoBuffer::State(bool* isRedo) const
{
	if (isRedo != NULL)
		*isRedo = fKind != B_UNDO_UNAVAILABLE && fRedo;
	return fKind;
}


void
TextUndoBuffer::Clear()
{
	_FreeSteps();
	fKind = B_UNDO_UNAVAILABLE;
	fRedo = false;
	fRecording = false;
	fTypingOpen = false;
}


void
TextUndoBuffer::StartAction(undo_state kind, int32 caret)
{
	fRecording = true;
	if (kind == B_UNDO_TYPING && fKind == B_UNDO_TYPING && !fRedo
		&& fTypingOpen && caret == fTypingCaret) {
		return;
	}
	_FreeSteps();
	fKind = kind;
	fRedo = false;
	fTypingOpen = kind == B_UNDO_TYPING;
}


void
TextUndoBuffer::EndAction(int32 caret)
{
	fRecording = false;
	fTypingCaret = caret;
	// An action that changed nothing leaves nothing to undo, but keeps a
	// typing record open so the next key joins it.
	if (fSteps.empty() && fKind != B_UNDO_TYPING) {
		fKind = B_UNDO_UNAVAILABLE;
		fRedo = false;
	}
}


void
TextUndoBuffer::AddInsert(int32 offset, const char* bytes, int32 length)
{
	if (!fRecording || length <= 0)
		return;
	if (!fSteps.empty()) {
		TextUndoStep& last = fSteps.back();
		if (last.inserted && last.offset + (int32)last.bytes.size() == offset) {
			last.bytes.append(bytes, length);
			return;
		}
	}
	fSteps.push_back(TextUndoStep{true, offset, std::string(bytes, length), NULL});
}


void
TextUndoBuffer::AddDelete(int32 offset, const char* bytes, int32 length,
	text_run_array* runs)
{
	if (!fRecording || length <= 0) {
		BTextView::FreeRunArray(runs);
		return;
	}
	if (!fSteps.empty() && runs == NULL) {
		TextUndoStep& last = fSteps.back();
		if (!last.inserted && last.runs == NULL) {
			if (offset + length == last.offset) {
				// Backspacing: the new bytes come before the old ones.
				last.bytes.insert(0, bytes, length);
				last.offset = offset;
				return;
			}
			if (offset == last.offset) {
				// Forward deleting.
				last.bytes.append(bytes, length);
				return;
			}
		}
	}
	fSteps.push_back(TextUndoStep{false, offset, std::string(bytes, length), runs});
}


void
TextUndoBuffer::StartReplay(std::vector<TextUndoStep>* steps)
{
	steps->swap(fSteps);
	fSteps.clear();
	fRedo = !fRedo;
	fRecording = true;
	fTypingOpen = false;
}


void
TextUndoBuffer::EndReplay()
{
	fRecording = false;
}


void
TextUndoBuffer::_FreeSteps()
{
	for (TextUndoStep& step : fSteps)
		BTextView::FreeRunArray(step.runs);
	fSteps.clear();
}

}	// namespace BPrivate
