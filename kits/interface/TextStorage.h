/*
 * The bytes of a BTextView, kept in a gap buffer.
 *
 * Edits cluster around the caret, so the gap sits there and typing costs a
 * byte copy, not a move of the whole text. Text() needs one contiguous,
 * zero-terminated block: RealText() closes the gap at the end on demand,
 * which costs one move after an edit in the middle and nothing afterwards.
 * A gap at the very start leaves the text contiguous too, so a text whose
 * head was cut off is handed out where it lies; one byte kept after the
 * buffer holds the terminator then.
 */
#ifndef _TEXT_STORAGE_H
#define _TEXT_STORAGE_H

#include <SupportDefs.h>

namespace BPrivate {

class TextStorage {
public:
								TextStorage();
								~TextStorage();

			int32				Length() const { return fLength; }

			// 0 beyond either end, as BTextView::ByteAt() promises.
			char				ByteAt(int32 offset) const
								{
									if (offset < 0 || offset >= fLength)
										return 0;
									return offset < fGapStart ? fBuffer[offset]
										: fBuffer[offset + fGapLength];
								}
			// The bytes from offset (0 <= offset < Length()) that lie together
			// in the buffer: up to the gap or the end, which *end gets.
			const char*			Segment(int32 offset, int32* end) const
								{
									if (offset < fGapStart) {
										*end = fGapStart;
										return fBuffer + offset;
									}
									*end = fLength;
									return fBuffer + offset + fGapLength;
								}
			// Unchecked access for the hot loops (0 <= offset < Length()).
			char				UncheckedByteAt(int32 offset) const
								{
									return offset < fGapStart ? fBuffer[offset]
										: fBuffer[offset + fGapLength];
								}

			// False when memory could not be had; the text is unchanged then.
			bool				Insert(int32 offset, const char* text,
									int32 length);
			void				Remove(int32 from, int32 to);
			void				MakeEmpty();

			// Gives the bytes from offset to the end to `into`, which must
			// be empty; this keeps the bytes before offset. The tail is not
			// copied: `into` takes over the buffer and the head is copied
			// back, so the cost is that of the head. False when memory
			// could not be had; nothing changed then.
			bool				MoveTail(int32 offset, TextStorage* into);

			// Copies bytes [offset, offset + length) clipped to the text.
			// Returns the number of bytes copied; does not terminate.
			int32				CopyOut(int32 offset, int32 length,
									char* buffer) const;

			// The whole text, zero-terminated; valid until the next change.
			const char*			RealText();

			// A contiguous pointer to [from, to): straight into the buffer
			// when the range lies on one side of the gap, else into scratch
			// (valid until the next call). Not zero-terminated.
			const char*			RangePointer(int32 from, int32 to);

private:
			void				_MoveGapTo(int32 offset);
			bool				_GrowGap(int32 needed);

			char*				fBuffer;		// length + gap + 1 bytes
			int32				fLength;		// bytes of text
			int32				fGapStart;
			int32				fGapLength;		// buffer = length + gap
			char*				fScratch;
			int32				fScratchSize;
};

}	// namespace BPrivate

#endif	// _TEXT_STORAGE_H
