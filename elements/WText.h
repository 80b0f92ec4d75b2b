/*
 * WText: a run of page text. It is at once a text view in the engine's main
 * view (the user types straight into it) and an element of the chain.
 *
 * The text holds no tags. 0x0F stands for a non-breaking space; an entity
 * reference of the page (other than the "&lt;", "&gt;", "&amp;" and "&nbsp;"
 * this program writes itself) is held as it was spelled, its "&" replaced by
 * the reference mark 0x1A, so that it is written back byte for byte while an
 * "&" the user types stays "&" and is written as "&amp;". White space is kept
 * to single spaces by the insertion rule in InsertText(), which every
 * insertion (typing, pasting, SetText) goes through, except in preformatted
 * text (PRE and its kin), which keeps its blanks. The view is always (text
 * width + 5) by (font height): the five pixels after the last character
 * leave room for the caret.
 *
 * The white space around a run of page text is remembered as it stood in
 * the page (leadingSpace, trailingSpace) and written back so: line breaks
 * and indentation between the text and its tags survive, and the generated
 * document reads back into the same text.
 */
#ifndef QUILLORA_WTEXT_H
#define QUILLORA_WTEXT_H

#include <TextView.h>

#include <cstring>
#include <string>
#include <utility>

#include "WYSIWYG_Element.h"

class BClipboard;

// The byte that stands for a non-breaking space inside a text element.
const char kNonBreakingSpace = 0x0F;
// The byte that stands for the "&" of an entity reference read from the
// page; the reference follows it as it was spelled ("\x1A" "eacute;").
const char kReferenceMark = 0x1A;

// A stretch of the page's white space that a text keeps (see
// WText::leadingSpace): few texts have one, so it costs a pointer until it
// holds bytes, not a string object in every text of the page.
class PageSpace {
public:
	PageSpace() : fBytes(nullptr) {}
	~PageSpace() { delete[] fBytes; }

	PageSpace& operator=(const std::string& bytes)
	{
		clear();
		if (!bytes.empty()) {
			fBytes = new char[bytes.size() + 1];
			memcpy(fBytes, bytes.c_str(), bytes.size() + 1);
		}
		return *this;
	}
	bool empty() const { return fBytes == nullptr; }
	void clear()
	{
		delete[] fBytes;
		fBytes = nullptr;
	}
	void swap(PageSpace& other) { std::swap(fBytes, other.fBytes); }
	const char* c_str() const { return fBytes != nullptr ? fBytes : ""; }

private:
	PageSpace(const PageSpace&);
	PageSpace& operator=(const PageSpace&);

	char* fBytes;	// null when empty
};

class WText : public BTextView, public WYSIWYG_Element {
public:
	WText(WYSIWYG_Element* previous, WYSIWYG_Element* next,
		WYSIWYG_Engine* engine, BMessage* archive);
	virtual ~WText();

	// WYSIWYG_Element
	virtual int Read(char* text);
	virtual void HTML();
	virtual void Do();
	virtual void Archive(BMessage* archive);
	virtual BRect WFrame();
	virtual BRect WBounds();
	virtual BView* View();
	virtual WYSIWYG_Element* JoinSplit(float width, bool force);
	virtual bool Splitable();
	virtual void Placed();

	// BTextView hooks: every change of the text passes through these.
	virtual void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs);
	virtual void DeleteText(int32 start, int32 finish);

	virtual void GetPreferredSize(float* width, float* height);
	virtual void ResizeToPreferred();
	virtual void AttachedToWindow();
	virtual void Draw(BRect update);
	virtual void MouseMoved(BPoint where, uint32 code,
		const BMessage* dragMessage);
	virtual void Cut(BClipboard* clipboard);
	virtual void Paste(BClipboard* clipboard);
	virtual void Undo(BClipboard* clipboard);

	// Editing (WTextKeys.cpp, WTextEditing.cpp).
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void MouseDown(BPoint where);
	virtual void MakeFocus(bool focus = true);
	virtual void ScrollToSelection();
	WText* Enter();

	void SetUnderlined(bool value) { underline = value; }
	bool Underlined() const { return underline; }

	// Width of the text in the environment's font plus the caret room, and
	// the font's height (ascent + descent + leading).
	float TextWidth();
	float FontHeight();
	// Width of the character at offset in the environment's font, and
	// where it ends.
	float CharWidth(int32 offset, int32* end);
	// The font's byte widths (BFont::GetByteWidths()) with a tab counted as
	// a whole tab width (see TextWidth()).
	void ByteWidths(float widths[256]);
	// Resizes the view to (TextWidth(), FontHeight()).
	void SizeToText();

	// Moves the bytes from `position` on to the empty text `into`, as
	// into->Insert(0, ...) and Delete(position, TextLength()) would, and sizes
	// both views like SizeToText(). The bytes are not copied, and a long
	// tail is not measured either: its width is this text's width less the
	// head's (see MoveTail in WText.cpp). False, with nothing done, when the
	// insertion rule could change the tail (the text holds other white space
	// than single spaces) or it cannot be moved.
	bool MoveTail(int32 position, WText* into);

	// White space of the page before and after the text, kept as it stood
	// when it held more than a single blank. The text shows a leading
	// stretch as one blank when leadingSpaceShown, and not at all after a
	// tag that ends a line (as a browser drops it there); a trailing stretch
	// is always the text's last blank. Each is written in place of that
	// blank while the text still begins or ends with one (see HTML()).
	PageSpace leadingSpace;
	PageSpace trailingSpace;
	bool leadingSpaceShown;

	// Field (after the strings, with the flags below: no padding between).
	bool underline;
	bool HasPageSpace() const
		{ return !leadingSpace.empty() || !trailingSpace.empty(); }

private:
	// The pop-up menu of a linked text: the link's settings.
	void _LinkPopUp(BPoint where);
	// The size the view must have; resizes only when it differs.
	void _FitSize();
	// How many leading bytes of the text after this one (`following`) come
	// over to this one when the line leaves `width` for it (see JoinSplit).
	int32 _PullCount(WText* following, float width);
	// Sum of the widths of the characters of the first `length` bytes of
	// the text, in double precision; widths as BFont::GetByteWidths().
	double _RunWidth(int32 length, const float* widths);

	// No white space but single spaces in the text: the insertion rule
	// leaves the text, and any piece of it, as it is.
	bool fSingleSpaced;
	// Width of the text summed in double precision, when known.
	bool fRunWidthKnown;
	// The view's width came from fRunWidth, not from measuring.
	bool fWidthEstimated;
	// Counts the changes of the text, so that a key can tell whether it
	// changed anything.
	int32 fEdits;
	double fRunWidth;
};

// How many leading bytes of the text fit into `width`, measured character
// by character (a byte of a single-byte encoding is one). `left`, when
// given, receives what is left of `width` after them.
int32 CountCharsFit(WText* text, float width, float* left = nullptr);

#endif	// QUILLORA_WTEXT_H
