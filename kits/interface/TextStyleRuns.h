/*
 * Fonts and colours of the bytes of a BTextView, as runs of equal style.
 *
 * Each distinct font gets one shared metrics record: how the font shows the
 * bytes of its encoding (the width of every byte that is a character of its
 * own, and the means to measure longer characters) and its height, so
 * breaking and measuring lines never asks the host font system again for
 * text it has seen. Records live until the program ends; runs point at them.
 */
#ifndef _TEXT_STYLE_RUNS_H
#define _TEXT_STYLE_RUNS_H

#include <Font.h>
#include <GraphicsDefs.h>

#include <vector>

#include "FontCharacters.h"
#include "SmallArray.h"

namespace BPrivate {

struct TextFontMetrics {
	BFont font;
	const FontCharacters* characters;
	// characters->widths: of each byte that is a character of its own,
	// kLongerCharacter where a longer character may begin.
	const float* widths;
	font_height height;
};

// The shared record for this font (created on first use).
const TextFontMetrics* text_font_metrics(const BFont& font);

struct TextStyle {
	const TextFontMetrics* metrics;
	rgb_color color;

	bool operator==(const TextStyle& other) const
	{
		return metrics == other.metrics && color.red == other.color.red
			&& color.green == other.color.green && color.blue == other.color.blue
			&& color.alpha == other.color.alpha;
	}
	bool operator!=(const TextStyle& other) const { return !(*this == other); }
};

struct TextStyleRun {
	int32 offset;
	TextStyle style;
};

class TextStyleRuns {
public:
	explicit					TextStyleRuns(const TextStyle& style);

			void				Reset(const TextStyle& style);

			int32				CountRuns() const { return (int32)fRuns.size(); }
			const TextStyleRun&	RunAt(int32 index) const { return fRuns[index]; }
			// The run holding the byte at offset (the last run for offsets
			// at or beyond its start).
			int32				IndexAt(int32 offset) const;
			const TextStyle&	StyleAt(int32 offset) const
									{ return fRuns[IndexAt(offset)].style; }
			// Where the run ends: the next run's start or INT32_MAX.
			int32				RunEnd(int32 index) const;

			// length bytes were inserted at offset; they take `style`.
			void				Inserted(int32 offset, int32 length,
									const TextStyle& style);
			// Bytes [from, to) were removed.
			void				Removed(int32 from, int32 to);
			// Gives [from, to) one style.
			void				SetStyle(int32 from, int32 to,
									const TextStyle& style);
			// Changes the properties named by mode (B_FONT_* bits) of every
			// run in [from, to) to those of font; color (if given) too.
			void				ApplyFont(int32 from, int32 to,
									const BFont* font, uint32 mode,
									const rgb_color* color);
			// Every run takes the font properties named by mode and the
			// colour, keeping what differs otherwise.
			void				ApplyFontToAll(const BFont* font, uint32 mode,
									const rgb_color* color);

			// Tallest ascent and descent + leading of the runs overlapping
			// [from, to) (at least the run at from).
			void				MaxHeight(int32 from, int32 to, float* ascent,
									float* descentAndLeading) const;

private:
			void				_SplitAt(int32 offset);
			void				_Merge();
	static	TextStyle			_Changed(const TextStyle& style,
									const BFont* font, uint32 mode,
									const rgb_color* color);

			SmallArray<TextStyleRun, 1> fRuns;	// fRuns[0].offset == 0
};

}	// namespace BPrivate

#endif	// _TEXT_STYLE_RUNS_H
