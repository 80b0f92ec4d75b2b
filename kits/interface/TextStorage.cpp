#include "TextStorage.h"

#include <stdlib.h>
#include <string.h>

namespace BPrivate {

static const int32 kMinimumGap = 256;


TextStorage::TextStorage()
	:
	fBuffer(NULL),
	fLength(0),
	fGapStart(0),
	fGapLength(0),
	fScratch(NULL),
	fScratchSize(0)
{
}


TextStorage::~TextStorage()
{
	free(fBuffer);
	free(fScratch);
}


bool
TextStorage::Insert(int32 offset, const char* text, int32 length)
{
	if (length <= 0 || text == NULL)
		return true;
	if (offset < 0)
		offset = 0;
	if (offset > fLength)
		offset = fLength;
	if (fGapLength < length && !_GrowGap(length))
		return false;

	_MoveGapTo(offset);
	memcpy(fBuffer + fGapStart, text, length);
	fGapStart += length;
	fGapLength -= length;
	fLength += length;
	return true;
}


void
TextStorage::Remove(int32 from, int32 to)
{
	if (from < 0)
		from = 0;
	if (to > fLength)
		to = fLength;
	if (from >= to)
		return;

	// Moving the gap to either end of the range and widening it removes the
	// bytes without copying them; the nearer end costs the fewer moves.
	int32 toFrom = fGapStart > from ? fGapStart - from : from - fGapStart;
	int32 toTo = fGapStart > to ? fGapStart - to : to - fGapStart;
	if (toTo < toFrom) {
		_MoveGapTo(to);
		fGapStart = from;
	} else {
		_MoveGapTo(from);
	}
	fGapLength += to - from;
	fLength -= to - from;
}


void
TextStorage::MakeEmpty()
{
	fGapStart = 0;
	fGapLength += fLength;
	fLength = 0;
}


bool
TextStorage::MoveTail(int32 offset, TextStorage* into)
{
	if (into == NULL || into == this || into->fLength != 0)
		return false;
	if (offset < 0)
		offset = 0;
	if (offset >= fLength)
		return true;

	// `into` takes the whole buffer, this one takes the empty one of
	// `into` and gets the head back.
	char* buffer = fBuffer;
	int32 length = fLength;
	int32 gapStart = fGapStart;
	int32 gapLength = fGapLength;
	fBuffer = into->fBuffer;
	fLength = 0;
	fGapStart = 0;
	fGapLength = into->fGapLength + into->fLength;
	into->fBuffer = buffer;
	into->fLength = length;
	into->fGapStart = gapStart;
	into->fGapLength = gapLength;
	if (offset > 0) {
		if (!Insert(0, into->RangePointer(0, offset), offset)) {
			// Undone: each side gets its own buffer back.
			into->fBuffer = fBuffer;
			into->fLength = 0;
			into->fGapStart = 0;
			into->fGapLength = fGapLength;
			fBuffer = buffer;
			fLength = length;
			fGapStart = gapStart;
			fGapLength = gapLength;
			return false;
		}
		into->Remove(0, offset);
	}
	return true;
}


int32
TextStorage::CopyOut(int32 offset, int32 length, char* buffer) const
{
	if (offset < 0) {
		length += offset;
		offset = 0;
	}
	if (offset > fLength)
		offset = fLength;
	if (length > fLength - offset)
		length = fLength - offset;
	if (length <= 0)
		return 0;

	int32 end = offset + length;
	int32 copied = 0;
	if (offset < fGapStart) {
		int32 first = (end < fGapStart ? end : fGapStart) - offset;
		memcpy(buffer, fBuffer + offset, first);
		copied = first;
	}
	if (end > fGapStart) {
		int32 start = offset > fGapStart ? offset : fGapStart;
		memcpy(buffer + copied, fBuffer + start + fGapLength, end - start);
		copied += end - start;
	}
	return copied;
}


const char*
TextStorage::RealText()
{
	if (fBuffer == NULL)
		return "";
	// The byte kept after the buffer ends the text when the gap is at
	// either end of it.
	if (fGapStart == 0) {
		fBuffer[fGapLength + fLength] = '\0';
		return fBuffer + fGapLength;
	}
	_MoveGapTo(fLength);
	fBuffer[fLength] = '\0';
	return fBuffer;
}


const char*
TextStorage::RangePointer(int32 from, int32 to)
{
	if (from < 0)
		from = 0;
	if (to > fLength)
		to = fLength;
	if (from >= to || fBuffer == NULL)
		return "";
	if (to <= fGapStart)
		return fBuffer + from;
	if (from >= fGapStart)
		return fBuffer + from + fGapLength;

	int32 length = to - from;
	if (length > fScratchSize) {
		char* scratch = (char*)realloc(fScratch, length);
		if (scratch == NULL)
			return "";
		fScratch = scratch;
		fScratchSize = length;
	}
	CopyOut(from, length, fScratch);
	return fScratch;
}


void
TextStorage::_MoveGapTo(int32 offset)
{
	if (offset == fGapStart || fBuffer == NULL)
		return;
	if (offset < fGapStart) {
		int32 count = fGapStart - offset;
		memmove(fBuffer + offset + fGapLength, fBuffer + offset, count);
	} else {
		int32 count = offset - fGapStart;
		memmove(fBuffer + fGapStart, fBuffer + fGapStart + fGapLength, count);
	}
	fGapStart = offset;
}


bool
TextStorage::_GrowGap(int32 needed)
{
	// The first text a view is given is mostly all it ever holds (a page
	// has tens of thousands of text views, few of them edited), so it gets
	// exactly its bytes. After that grow by half the text at least, so that
	// a run of insertions costs amortised constant time per byte.
	int64 extra = needed;
	if (fBuffer != NULL)
		extra += kMinimumGap + fLength / 2;
	int64 newSize = (int64)fLength + fGapLength + extra;
	if (newSize >= INT32_MAX)
		return false;
	// One more byte for the terminator of a text that ends the buffer.
	char* buffer = (char*)realloc(fBuffer, newSize + 1);
	if (buffer == NULL)
		return false;

	// Move the bytes after the gap to the end of the bigger buffer.
	int32 tail = fLength - fGapStart;
	int32 oldTail = fGapStart + fGapLength;
	memmove(buffer + newSize - tail, buffer + oldTail, tail);
	fBuffer = buffer;
	fGapLength = newSize - fLength;
	return true;
}

}	// namespace BPrivate
