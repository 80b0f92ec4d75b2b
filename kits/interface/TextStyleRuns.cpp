#include "TextStyleRuns.h"

#include <memory>
#include <mutex>

namespace BPrivate {

const TextFontMetrics*
text_font_metrics(const BFont& font)
{
	static std::mutex sLock;
	static std::vector<std::unique_ptr<TextFontMetrics>> sMetrics;

	std::lock_guard<std::mutex> lock(sLock);
	for (const std::unique_ptr<TextFontMetrics>& metrics : sMetrics) {
		if (metrics->font == font)
			return metrics.get();
	}

	std::unique_ptr<TextFontMetrics> metrics(new TextFontMetrics);
	metrics->font = font;
	metrics->characters = font._Characters();
	metrics->widths = metrics->characters->widths;
	font.GetHeight(&metrics->height);
	sMetrics.push_back(std::move(metrics));
	return sMetrics.back().get();
}


TextStyleRuns::TextStyleRuns(const TextStyle& style)
{
	Reset(style);
}


void
TextStyleRuns::Reset(const TextStyle& style)
{
	fRuns.clear();
	fRuns.push_back(TextStyleRun{0, style});
}


int32
TextStyleRuns::IndexAt(int32 offset) const
{
	// The last run starting at or before offset.
	int32 low = 0;
	int32 high = (int32)fRuns.size() - 1;
	while (low < high) {
		int32 middle = (low + high + 1) / 2;
		if (fRuns[middle].offset <= offset)
			low = middle;
		else
			high = middle - 1;
	}
	return low;
}


int32
TextStyleRuns::RunEnd(int32 index) const
{
	if (index + 1 < (int32)fRuns.size())
		return fRuns[index + 1].offset;
	return INT32_MAX;
}


void
TextStyleRuns::Inserted(int32 offset, int32 length, const TextStyle& style)
{
	if (length <= 0)
		return;
	// The new bytes first join the run before them (or the first run at
	// offset 0); SetStyle() then gives them their own style.
	for (TextStyleRun& run : fRuns) {
		if (run.offset > offset || (run.offset == offset && offset > 0))
			run.offset += length;
	}
	SetStyle(offset, offset + length, style);
}


void
TextStyleRuns::Removed(int32 from, int32 to)
{
	if (from >= to)
		return;
	int32 length = to - from;
	for (TextStyleRun& run : fRuns) {
		if (run.offset >= to)
			run.offset -= length;
		else if (run.offset > from)
			run.offset = from;
	}
	// Of runs that now start at the same offset only the last one holds
	// any bytes.
	uint32 kept = 0;
	for (uint32 i = 0; i < fRuns.size(); i++) {
		if (i + 1 < fRuns.size() && fRuns[i + 1].offset == fRuns[i].offset)
			continue;
		fRuns[kept++] = fRuns[i];
	}
	fRuns.resize(kept);
	fRuns[0].offset = 0;
	_Merge();
}


void
TextStyleRuns::SetStyle(int32 from, int32 to, const TextStyle& style)
{
	if (from >= to)
		return;
	// Within one run of that style already (as every insertion into a
	// view of one style is): splitting and merging again would give back
	// the runs as they are.
	int32 index = IndexAt(from);
	if (fRuns[index].style == style && RunEnd(index) >= to)
		return;
	_SplitAt(from);
	_SplitAt(to);
	int32 first = IndexAt(from);
	int32 last = first;
	while (last + 1 < (int32)fRuns.size() && fRuns[last + 1].offset < to)
		last++;
	fRuns[first].style = style;
	fRuns.erase(fRuns.begin() + first + 1, fRuns.begin() + last + 1);
	_Merge();
}


void
TextStyleRuns::ApplyFont(int32 from, int32 to, const BFont* font, uint32 mode,
	const rgb_color* color)
{
	if (from >= to)
		return;
	_SplitAt(from);
	_SplitAt(to);
	for (int32 i = IndexAt(from); i < (int32)fRuns.size()
			&& fRuns[i].offset < to; i++) {
		fRuns[i].style = _Changed(fRuns[i].style, font, mode, color);
	}
	_Merge();
}


void
TextStyleRuns::ApplyFontToAll(const BFont* font, uint32 mode,
	const rgb_color* color)
{
	for (TextStyleRun& run : fRuns)
		run.style = _Changed(run.style, font, mode, color);
	_Merge();
}


void
TextStyleRuns::MaxHeight(int32 from, int32 to, float* ascent,
	float* descentAndLeading) const
{
	float maxAscent = 0;
	float maxRest = 0;
	int32 index = IndexAt(from);
	do {
		const font_height& height = fRuns[index].style.metrics->height;
		if (height.ascent > maxAscent)
			maxAscent = height.ascent;
		if (height.descent + height.leading > maxRest)
			maxRest = height.descent + height.leading;
		index++;
	} while (index < (int32)fRuns.size() && fRuns[index].offset < to);
	*ascent = maxAscent;
	*descentAndLeading = maxRest;
}


void
TextStyleRuns::_SplitAt(int32 offset)
{
	int32 index = IndexAt(offset);
	if (fRuns[index].offset == offset)
		return;
	TextStyleRun run = fRuns[index];
	run.offset = offset;
	fRuns.insert(fRuns.begin() + index + 1, run);
}


void
TextStyleRuns::_Merge()
{
	size_t out = 0;
	for (size_t i = 1; i < fRuns.size(); i++) {
		if (fRuns[i].style == fRuns[out].style)
			continue;
		fRuns[++out] = fRuns[i];
	}
	fRuns.resize(out + 1);
}


TextStyle
TextStyleRuns::_Changed(const TextStyle& style, const BFont* font, uint32 mode,
	const rgb_color* color)
{
	TextStyle result = style;
	if (color != NULL)
		result.color = *color;
	if (font == NULL || (mode & B_FONT_ALL) == 0)
		return result;

	BFont changed(style.metrics->font);
	if ((mode & B_FONT_ALL) == B_FONT_ALL) {
		changed = *font;
	} else {
		if ((mode & B_FONT_FAMILY_AND_STYLE) != 0)
			changed.SetFamilyAndStyle(font->FamilyAndStyle());
		if ((mode & B_FONT_SIZE) != 0)
			changed.SetSize(font->Size());
		if ((mode & B_FONT_SHEAR) != 0)
			changed.SetShear(font->Shear());
		if ((mode & B_FONT_ROTATION) != 0)
			changed.SetRotation(font->Rotation());
		if ((mode & B_FONT_SPACING) != 0)
			changed.SetSpacing(font->Spacing());
		if ((mode & B_FONT_ENCODING) != 0) {
			changed.SetEncoding(font->Encoding());
			changed.SetReferenceMark(font->ReferenceMark());
			changed.SetNoBreakSpace(font->NoBreakSpace());
		}
		if ((mode & B_FONT_FACE) != 0)
			changed.SetFace(font->Face());
		if ((mode & B_FONT_FLAGS) != 0)
			changed.SetFlags(font->Flags());
	}
	result.metrics = text_font_metrics(changed);
	return result;
}

}	// namespace BPrivate
