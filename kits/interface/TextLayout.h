/*
 * Where the lines of a BTextView start, how wide and how tall they are.
 *
 * Lines are kept as an array of starts with a sentinel at the end, so that
 * finding the line of an offset or of a height is a binary search. Edits only
 * mark the layout stale (the changed stretch is kept as a common prefix and a
 * common suffix of the old and new text); the next question re-breaks from
 * a little before the change until a new line start meets an old one again,
 * then shifts the lines below. Many small edits in a row (a conversion over
 * the whole text, say) thus cost one re-break, not one each.
 *
 * Widths come from the per-font tables of the style runs, so measuring never
 * calls the host font system for text it has seen; kerning between
 * characters is ignored, as in the fonts' own StringWidth(). Lines begin and
 * end between whole characters of the fonts' encodings.
 */
#ifndef _TEXT_LAYOUT_H
#define _TEXT_LAYOUT_H

#include <SupportDefs.h>

#include "SmallArray.h"
#include "TextStorage.h"
#include "TextStyleRuns.h"

#include <vector>

namespace BPrivate {

class TextStorage;
class TextStyleRuns;
struct TextFontMetrics;

struct TextLine {
	int32 offset;	// first byte
	float origin;	// top, from the top of the text rectangle
	float ascent;	// baseline below origin
	float width;	// without the line end (and trailing blanks when wrapped)
};

class TextLayout {
public:
								TextLayout(TextStorage* text,
									TextStyleRuns* styles);

			// Everything is broken again at the next question.
			void				InvalidateAll();
			// The text changed at offset: removed bytes gone, inserted
			// bytes there now. Lines are fixed up lazily.
			void				TextChanged(int32 offset, int32 removed,
									int32 inserted);
			bool				IsStale() const { return fStale; }

			void				SetWrapWidth(float width);	// < 0: no wrapping
			float				WrapWidth() const { return fWrapWidth; }
			void				SetTabWidth(float width);

			// Questions; each brings the lines up to date first.
			int32				CountLines() const;
			const TextLine&		LineAt(int32 index) const;	// index <= count
			int32				LineOf(int32 offset) const;
			int32				LineAtHeight(float y) const;
			float				TotalHeight() const;
			float				MaxWidth() const;
			float				LineHeight(int32 index) const;
			// The end of the line's text, before its line end or the blanks
			// a wrapped line hangs into the margin.
			int32				LineEnd(int32 index) const;

			// x of offset within its line (0 at the line's left edge).
			float				XOf(int32 offset) const;
			// The offset nearest to x on the given line.
			int32				OffsetAtX(int32 line, float x) const;
			// Width of [from, to) on one line starting at x = start.
			float				Measure(int32 from, int32 to,
									float start) const;

			float				NextTabStop(float x) const;

			// Where the characters of the runs' encodings begin and end:
			// the start of the character holding the byte at offset, and
			// the end of the character that begins at offset.
			int32				CharStart(int32 offset) const;
			int32				CharEnd(int32 offset) const;

private:
			void				_Validate() const;
			void				_Rebuild() const;
			void				_Update() const;
			int32				_FindLine(int32 offset) const;
			// Breaks one line starting at start (< text length); returns
			// the next line's start and fills in the line.
			int32				_BreakLine(int32 start, TextLine* line) const;
			void				_SetHeight(TextLine* line, int32 end,
									float* height) const;
			// Width and length of the character at offset, whose first
			// byte the table marks as kLongerCharacter.
			float				_LongerCharacter(int32 offset,
									const TextFontMetrics* metrics,
									int32* length) const;

			TextStorage*		fText;
			TextStyleRuns*		fStyles;
			float				fWrapWidth;
			float				fTabWidth;

	mutable	SmallArray<TextLine, 2> fLines;	// count + 1 (sentinel)
	mutable	bool				fStale;
	mutable	bool				fAllStale;
	mutable	int32				fLaidLength;	// text length at last layout
	mutable	int32				fDirtyStart;	// unchanged prefix
	mutable	int32				fCleanSuffix;	// unchanged suffix
};


// A text view's text, its styles and its lines, made together: two
// allocations less for each of the many views of a page.
struct TextViewParts {
	explicit TextViewParts(const TextStyle& style)
		: styles(style), layout(&text, &styles) {}

	TextStorage text;
	TextStyleRuns styles;
	TextLayout layout;
};

}	// namespace BPrivate

#endif	// _TEXT_LAYOUT_H
