/*
 * The undo record of a BTextView: one level, as on BeOS, toggling between
 * undo and redo.
 *
 * A record is the list of the primitive changes an action made (bytes
 * inserted here, bytes removed there), captured in the view's own
 * InsertText()/DeleteText() after any subclass filtering, so it always
 * describes what really happened to the text. Undoing replays the inverse
 * steps through the hooks and records what that replay did: that becomes the
 * redo record, and undoing again redoes.
 */
#ifndef _TEXT_UNDO_H
#define _TEXT_UNDO_H

#include <TextView.h>

#include <string>
#include <vector>

namespace BPrivate {

struct TextUndoStep {
	bool inserted;			// false: the bytes were removed
	int32 offset;
	std::string bytes;
	text_run_array* runs;	// styles of removed bytes (stylable views)
};

class TextUndoBuffer {
public:
								TextUndoBuffer();
								~TextUndoBuffer();

			undo_state			State(bool* isRedo) const;
			void				Clear();

			// Starts recording an action. Typing at the caret where the
			// last typing stopped continues that record.
			void				StartAction(undo_state kind, int32 caret);
			void				EndAction(int32 caret);
			bool				IsRecording() const { return fRecording; }

			void				AddInsert(int32 offset, const char* bytes,
									int32 length);
			// Takes ownership of runs.
			void				AddDelete(int32 offset, const char* bytes,
									int32 length, text_run_array* runs);

			// Hands the steps to invert (the caller undoes them last first
			// and owns their runs) and starts recording the replay, which
			// becomes the record of the opposite direction.
			void				StartReplay(std::vector<TextUndoStep>* steps);
			void				EndReplay();

private:
			void				_FreeSteps();

			std::vector<TextUndoStep> fSteps;
			undo_state			fKind;
			bool				fRedo;
			bool				fRecording;
			bool				fTypingOpen;
			int32				fTypingCaret;
};

}	// namespace BPrivate

#endif	// _TEXT_UNDO_H
