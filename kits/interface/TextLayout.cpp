#include "TextLayout.h"

#include "TextEncoding.h"
#include "TextStorage.h"
#include "TextStyleRuns.h"

#include <math.h>

namespace BPrivate {

static inline bool
is_blank(uint8 byte)
{
	return byte == ' ' || byte == '\t';
}


// Whether a byte can be part of a character reference after its mark.
static inline bool
is_reference_byte(uint8 byte)
{
	return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z')
		|| (byte >= 'A' && byte <= 'Z') || byte == '#' || byte == ';';
}


TextLayout::TextLayout(TextStorage* text, TextStyleRuns* styles)
	:
	fText(text),
	fStyles(styles),
	fWrapWidth(-1),
	fTabWidth(28),
	fStale(true),
	fAllStale(true),
	fLaidLength(0),
	fDirtyStart(0),
	fCleanSuffix(0)
{
}


void
TextLayout::InvalidateAll()
{
	fStale = true;
	fAllStale = true;
}


void
TextLayout::TextChanged(int32 offset, int32 removed, int32 inserted)
{
	if (fAllStale)
		return;
	int32 lengthBefore = fText->Length() - inserted + removed;
	int32 suffix = lengthBefore - (offset + removed);
	if (suffix < 0)
		suffix = 0;
	if (!fStale) {
		fStale = true;
		fDirtyStart = offset;
		fCleanSuffix = suffix;
		return;
	}
	if (offset < fDirtyStart)
		fDirtyStart = offset;
	if (suffix < fCleanSuffix)
		fCleanSuffix = suffix;
}


void
TextLayout::SetWrapWidth(float width)
{
	if (width == fWrapWidth)
		return;
	fWrapWidth = width;
	InvalidateAll();
}


void
TextLayout::SetTabWidth(float width)
{
	if (width == fTabWidth)
		return;
	fTabWidth = width;
	InvalidateAll();
}


int32
TextLayout::CountLines() const
{
	_Validate();
	return (int32)fLines.size() - 1;
}


const TextLine&
TextLayout::LineAt(int32 index) const
{
	_Validate();
	if (index < 0)
		index = 0;
	if (index >= (int32)fLines.size())
		index = (int32)fLines.size() - 1;
	return fLines[index];
}


int32
TextLayout::LineOf(int32 offset) const
{
	_Validate();
	return _FindLine(offset);
}


int32
TextLayout::_FindLine(int32 offset) const
{
	int32 low = 0;
	int32 high = (int32)fLines.size() - 2;
	while (low < high) {
		int32 middle = (low + high + 1) / 2;
		if (fLines[middle].offset <= offset)
			low = middle;
		else
			high = middle - 1;
	}
	return low;
}


int32
TextLayout::LineAtHeight(float y) const
{
	_Validate();
	int32 low = 0;
	int32 high = (int32)fLines.size() - 2;
	while (low < high) {
		int32 middle = (low + high + 1) / 2;
		if (fLines[middle].origin <= y)
			low = middle;
		else
			high = middle - 1;
	}
	return low;
}


float
TextLayout::TotalHeight() const
{
	_Validate();
	return fLines.back().origin;
}


float
TextLayout::MaxWidth() const
{
	_Validate();
	float width = 0;
	for (size_t i = 0; i + 1 < fLines.size(); i++) {
		if (fLines[i].width > width)
			width = fLines[i].width;
	}
	return width;
}


float
TextLayout::LineHeight(int32 index) const
{
	_Validate();
	if (index < 0 || index >= (int32)fLines.size() - 1)
		return 0;
	return fLines[index + 1].origin - fLines[index].origin;
}


int32
TextLayout::LineEnd(int32 index) const
{
	_Validate();
	int32 start = fLines[index].offset;
	int32 end = fLines[index + 1].offset;
	if (end > start && fText->UncheckedByteAt(end - 1) == '\n')
		return end - 1;
	if (fWrapWidth >= 0 && end < fText->Length()) {
		// A wrapped line hangs its blanks into the margin; its end for
		// the caret is before them.
		while (end > start && is_blank(fText->UncheckedByteAt(end - 1)))
			end--;
	}
	return end;
}


float
TextLayout::NextTabStop(float x) const
{
	if (fTabWidth <= 0)
		return x;
	return (floorf(x / fTabWidth) + 1) * fTabWidth;
}


float
TextLayout::Measure(int32 from, int32 to, float start) const
{
	if (to > fText->Length())
		to = fText->Length();
	if (from >= to)
		return 0;
	int32 run = fStyles->IndexAt(from);
	int32 runEnd = fStyles->RunEnd(run);
	const TextFontMetrics* metrics = fStyles->RunAt(run).style.metrics;
	const float* widths = metrics->widths;
	float x = start;
	int32 i = from;
	while (i < to) {
		if (i >= runEnd) {
			while (i >= runEnd)
				runEnd = fStyles->RunEnd(++run);
			metrics = fStyles->RunAt(run).style.metrics;
			widths = metrics->widths;
		}
		uint8 byte = (uint8)fText->UncheckedByteAt(i);
		float width = widths[byte];
		if (byte == '\t') {
			x = NextTabStop(x);
			i++;
		} else if (width != kLongerCharacter) {
			x += width;
			i++;
		} else {
			int32 length;
			x += _LongerCharacter(i, metrics, &length);
			i += length;
		}
	}
	return x - start;
}


float
TextLayout::_LongerCharacter(int32 offset, const TextFontMetrics* metrics,
	int32* length) const
{
	int32 end = offset + kMaxCharacterLength;
	if (end > fText->Length())
		end = fText->Length();
	return metrics->characters->CharacterWidth(fText->RangePointer(offset, end),
		end - offset, length);
}


int32
TextLayout::CharEnd(int32 offset) const
{
	int32 length = fText->Length();
	if (offset >= length)
		return length;
	if (offset < 0)
		return 0;
	const TextFontMetrics* metrics = fStyles->StyleAt(offset).metrics;
	if (metrics->widths[(uint8)fText->UncheckedByteAt(offset)] != kLongerCharacter)
		return offset + 1;
	int32 end = offset + kMaxCharacterLength;
	if (end > length)
		end = length;
	return offset + metrics->characters->CharLength(fText->RangePointer(offset, end),
		end - offset);
}


int32
TextLayout::CharStart(int32 offset) const
{
	int32 length = fText->Length();
	if (offset <= 0)
		return 0;
	if (offset >= length)
		return length;
	const FontCharacters* characters = fStyles->StyleAt(offset).metrics->characters;
	if (characters->simple)
		return offset;
	if (characters->encoding->IsSingleByte()) {
		// Only a reference can hold offset: the bytes before it back to its
		// mark are all a reference's, and there are few of them.
		uint8 mark = characters->referenceMark;
		int32 i = offset;
		while (i > 0 && offset - i < kMaxCharacterLength) {
			uint8 byte = (uint8)fText->UncheckedByteAt(i - 1);
			if (byte == mark)
				break;
			if (!is_reference_byte(byte))
				return offset;
			i--;
		}
		if (i == 0 || (uint8)fText->UncheckedByteAt(i - 1) != mark)
			return offset;
		return CharEnd(i - 1) > offset ? i - 1 : offset;
	}

	// Walk forward from a place where a character surely begins. A
	// reference that could reach offset begins at most a character's
	// length before it; walking from inside an earlier one only misreads
	// that one. Then back to where the encoding is in step: after a byte
	// that stands alone, or at a UTF-8 byte that continues nothing.
	int32 sync = offset - (characters->referenceMark != 0 ? kMaxCharacterLength
		: kMaxCharacterBytes - 1);
	if (sync < 0)
		sync = 0;
	const TextEncoding* encoding = characters->encoding;
	if (encoding->GetKind() == TextEncoding::kUTF8) {
		for (int32 i = 0; i < kMaxCharacterBytes - 1 && sync > 0
				&& ((uint8)fText->UncheckedByteAt(sync) & 0xc0) == 0x80; i++)
			sync--;
	} else {
		while (sync > 0 && !encoding->StandsAlone((uint8)fText->UncheckedByteAt(sync - 1)))
			sync--;
	}
	int32 position = sync;
	while (true) {
		int32 next = CharEnd(position);
		if (next > offset || next <= position)
			return position;
		if (next == offset)
			return offset;
		position = next;
	}
}


float
TextLayout::XOf(int32 offset) const
{
	int32 line = LineOf(offset);
	return Measure(fLines[line].offset, offset, 0);
}


int32
TextLayout::OffsetAtX(int32 line, float x) const
{
	_Validate();
	int32 start = fLines[line].offset;
	int32 end = LineEnd(line);
	float position = 0;
	int32 i = start;
	while (i < end) {
		uint8 byte = (uint8)fText->UncheckedByteAt(i);
		const TextFontMetrics* metrics = fStyles->StyleAt(i).metrics;
		int32 length = 1;
		float next;
		if (byte == '\t')
			next = NextTabStop(position);
		else if (metrics->widths[byte] != kLongerCharacter)
			next = position + metrics->widths[byte];
		else
			next = position + _LongerCharacter(i, metrics, &length);
		if (x < (position + next) / 2)
			return i;
		position = next;
		i += length;
	}
	return end;
}


void
TextLayout::_Validate() const
{
	if (!fStale)
		return;
	if (fAllStale || fLines.empty())
		_Rebuild();
	else
		_Update();
	fStale = false;
	fAllStale = false;
	fLaidLength = fText->Length();
}


int32
TextLayout::_BreakLine(int32 start, TextLine* line) const
{
	int32 length = fText->Length();
	bool wrap = fWrapWidth >= 0;
	int32 run = fStyles->IndexAt(start);
	int32 runEnd = fStyles->RunEnd(run);
	const TextFontMetrics* metrics = fStyles->RunAt(run).style.metrics;
	const float* widths = metrics->widths;

	float x = 0;
	float content = 0;		// x after the last non-blank byte
	int32 lastBreak = -1;	// after the last run of blanks
	float widthAtBreak = 0;
	int32 end = length;
	int32 i = start;
	bool done = false;
	while (i < length && !done) {
		if (i >= runEnd) {
			while (i >= runEnd)
				runEnd = fStyles->RunEnd(++run);
			metrics = fStyles->RunAt(run).style.metrics;
			widths = metrics->widths;
		}
		// The bytes that lie together in the buffer, in one run: the hot
		// loop reads them straight.
		int32 stretchEnd;
		const uint8* bytes = (const uint8*)fText->Segment(i, &stretchEnd);
		if (stretchEnd > runEnd)
			stretchEnd = runEnd;
		const uint8* stop = bytes + (stretchEnd - i);
		const uint8* p = bytes;
		while (p < stop) {
			uint8 byte = *p;
			float width = widths[byte];
			if (byte <= ' ') {
				if (byte == '\n') {
					end = i + (int32)(p - bytes) + 1;
					done = true;
					break;
				}
				if (byte == ' ' || byte == '\t') {
					x = byte == '\t' ? NextTabStop(x) : x + width;
					lastBreak = i + (int32)(p - bytes) + 1;
					widthAtBreak = content;
					p++;
					continue;
				}
			}
			int32 charLength = 1;
			if (width == kLongerCharacter) {
				width = _LongerCharacter(i + (int32)(p - bytes), metrics,
					&charLength);
			}
			int32 offset = i + (int32)(p - bytes);
			if (wrap && x + width > fWrapWidth && offset > start) {
				if (lastBreak > start) {
					end = lastBreak;
					content = widthAtBreak;
				} else {
					// One word wider than the line: break inside it,
					// between two characters.
					end = offset;
					content = x;
				}
				done = true;
				break;
			}
			x += width;
			content = x;
			p += charLength;
			if (charLength > 1)
				break;		// it may have reached past the stretch
		}
		if (!done)
			i += (int32)(p - bytes);
	}
	line->offset = start;
	line->width = wrap ? content : x;
	return end;
}


void
TextLayout::_SetHeight(TextLine* line, int32 end, float* height) const
{
	float ascent;
	float rest;
	int32 from = line->offset;
	if (from >= fText->Length() && from > 0)
		from--;		// the empty last line takes the style of the line end
	fStyles->MaxHeight(from, end, &ascent, &rest);
	// Lines sit on whole pixels, so that text is drawn alike wherever it
	// is scrolled to.
	line->ascent = ceilf(ascent);
	*height = ceilf(ascent + rest);
	if (*height < line->ascent)
		*height = line->ascent;
}


void
TextLayout::_Rebuild() const
{
	fLines.clear();
	int32 length = fText->Length();
	float origin = 0;
	int32 start = 0;
	while (true) {
		TextLine line;
		float height;
		if (start >= length) {
			// An empty text, or one ending in a line end, has an empty
			// last line for the caret.
			if (length == 0 || fText->UncheckedByteAt(length - 1) == '\n') {
				line.offset = length;
				line.origin = origin;
				line.width = 0;
				_SetHeight(&line, length, &height);
				origin += height;
				fLines.push_back(line);
			}
			break;
		}
		int32 next = _BreakLine(start, &line);
		line.origin = origin;
		_SetHeight(&line, next, &height);
		origin += height;
		fLines.push_back(line);
		start = next;
	}
	fLines.push_back(TextLine{length, origin, 0, 0});
}


void
TextLayout::_Update() const
{
	int32 oldLength = fLaidLength;
	int32 newLength = fText->Length();
	int32 delta = newLength - oldLength;
	int32 suffix = fCleanSuffix;
	if (suffix > oldLength - fDirtyStart)
		suffix = oldLength - fDirtyStart;
	if (suffix > newLength - fDirtyStart)
		suffix = newLength - fDirtyStart;
	if (suffix < 0)
		suffix = 0;
	int32 changedEnd = newLength - suffix;		// in the new text
	int32 oldCount = (int32)fLines.size() - 1;

	// A change can move the end of the line two lines up: that line's last
	// word may now fit, or its overflowing byte may have changed.
	int32 changedLine = _FindLine(fDirtyStart);
	int32 first = changedLine >= 2 ? changedLine - 2 : 0;

	std::vector<TextLine> fresh;
	float origin = fLines[first].origin;
	int32 start = fLines[first].offset;
	int32 resync = -1;
	while (true) {
		if (start >= newLength) {
			if (newLength == 0 || fText->UncheckedByteAt(newLength - 1) == '\n') {
				TextLine line;
				float height;
				line.offset = newLength;
				line.origin = origin;
				line.width = 0;
				_SetHeight(&line, newLength, &height);
				origin += height;
				fresh.push_back(line);
			}
			break;
		}
		if (start >= changedEnd) {
			// Lines from here are the old ones, shifted, if an old line
			// started at the same byte of the unchanged tail.
			int32 target = start - delta;
			int32 low = first;
			int32 high = oldCount;
			while (low < high) {
				int32 middle = (low + high) / 2;
				if (fLines[middle].offset < target)
					low = middle + 1;
				else
					high = middle;
			}
			if (low < oldCount && fLines[low].offset == target) {
				resync = low;
				break;
			}
		}
		TextLine line;
		float height;
		int32 next = _BreakLine(start, &line);
		line.origin = origin;
		_SetHeight(&line, next, &height);
		origin += height;
		fresh.push_back(line);
		start = next;
	}

	if (resync < 0) {
		fLines.erase(fLines.begin() + first, fLines.end());
		fLines.insert(fLines.end(), fresh.data(), fresh.data() + fresh.size());
		fLines.push_back(TextLine{newLength, origin, 0, 0});
		return;
	}

	float shift = origin - fLines[resync].origin;
	for (size_t i = resync; i < fLines.size(); i++) {
		fLines[i].offset += delta;
		fLines[i].origin += shift;
	}
	fLines.erase(fLines.begin() + first, fLines.begin() + resync);
	fLines.insert(fLines.begin() + first, fresh.data(),
		fresh.data() + fresh.size());
}

}	// namespace BPrivate
