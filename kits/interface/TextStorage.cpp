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
	// bytes without copying them.
	if (fGapStart == to) {
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
	if (fBuffer == NULL || fGapLength == 0) {
		// Need a byte for the terminator.
		if (!_GrowGap(1))
			return "";
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
	// Grow by half the text at least, so that a run of insertions costs
	// amortised constant time per byte.
	int64 extra = needed + kMinimumGap + fLength / 2;
	int64 newSize = (int64)fLength + fGapLength + extra;
	if (newSize > INT32_MAX)
		return false;
	char* buffer = (char*)realloc(fBuffer, newSize);
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
