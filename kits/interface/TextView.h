/*
 * BTextView: an editable, scrollable view of 8-bit text.
 *
 * The text is bytes in the encoding of the view's fonts (BFont::Encoding()),
 * measured and drawn as its characters. The caret, the selection and the
 * edits of the user move by whole characters; Select(), Insert() and
 * Delete() never cut one either. Key messages carry UTF-8 (as on BeOS) and
 * the clipboard holds UTF-8 text: what is typed, pasted or dropped is put
 * into the view's encoding, and what is copied is taken out of it. Every
 * change of the text, whether typed, pasted, cut, dropped, undone or
 * made through SetText(), Insert() and Delete(), goes through the virtual
 * InsertText() and DeleteText() hooks, so a subclass sees (and may filter)
 * all of them. A subclass's hook calls the inherited one to make the change.
 *
 * Lines are broken lazily and incrementally, so a view of many megabytes
 * stays quick to edit; only the visible lines are drawn.
 */
#ifndef _TEXTVIEW_H
#define _TEXTVIEW_H

#include <Font.h>
#include <GraphicsDefs.h>
#include <InterfaceDefs.h>
#include <View.h>

#include <string>
#include <vector>

class BClipboard;
class BFile;
class BMessage;

class BTextView;

namespace BPrivate {
class TextLayout;
class TextStorage;
class TextStyleRuns;
struct TextStyle;
class TextUndoBuffer;
struct TextViewParts;

// Moves the bytes from offset to the end of `from` to the start of the
// empty view `to`, as to->Insert(0, ...) and from->Delete(offset, ...) would,
// but without passing them through the InsertText()/DeleteText() hooks and
// without copying or measuring them: the caller stands for what its hooks
// would have done, and gives the width of the moved bytes as the view's own
// layout measures them (a resizable `to` is sized by it; negative: measured).
// Costs what the bytes before offset cost. False when nothing was moved.
bool move_text_tail(BTextView* from, int32 offset, BTextView* to,
	float width);

// Replaces the bytes from `from` to `to` with `length` bytes of `text` as one
// edit that Undo() takes back, through the InsertText()/DeleteText() hooks,
// as a paste over that range would; the caret ends after what the hooks
// inserted. An empty text deletes the range. Programs search and replace
// with it: typing the replacement would read its bytes as keys.
void replace_text(BTextView* view, int32 from, int32 to, const char* text,
	int32 length);
}

struct text_run {
	int32 offset;		// of the run's first byte
	BFont font;
	rgb_color color;
};

struct text_run_array {
	int32 count;
	text_run runs[1];	// really `count` of them
};

enum undo_state {
	B_UNDO_UNAVAILABLE,
	B_UNDO_TYPING,
	B_UNDO_CUT,
	B_UNDO_PASTE,
	B_UNDO_CLEAR,
	B_UNDO_DROP
};

class BTextView : public BView {
public:
	BTextView(BRect frame, const char* name, BRect textRect,
		uint32 resizingMode, uint32 flags = B_WILL_DRAW | B_PULSE_NEEDED);
	BTextView(BRect frame, const char* name, BRect textRect,
		const BFont* initialFont, const rgb_color* initialColor,
		uint32 resizingMode, uint32 flags);
	virtual ~BTextView();

	// BView hooks.
	virtual void AttachedToWindow();
	virtual void DetachedFromWindow();
	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 code, const BMessage* dragMessage);
	virtual void WindowActivated(bool state);
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void Pulse();
	virtual void FrameResized(float newWidth, float newHeight);
	virtual void MakeFocus(bool focusState = true);
	virtual void MessageReceived(BMessage* message);
	virtual void TargetedByScrollView(BScrollView* scrollView);
	virtual void GetPreferredSize(float* width, float* height);
	virtual void ResizeToPreferred();

	// Text. SetText() replaces everything through DeleteText() and
	// InsertText(); Insert() and Delete() work at the selection or at the
	// given offsets, also through the hooks.
	void SetText(const char* text, const text_run_array* runs = NULL);
	void SetText(const char* text, int32 length, const text_run_array* runs = NULL);
	// length bytes of the file from offset (fewer if the file is shorter).
	void SetText(BFile* file, int32 offset, int32 length,
		const text_run_array* runs = NULL);
	void Insert(const char* text, const text_run_array* runs = NULL);
	void Insert(const char* text, int32 length, const text_run_array* runs = NULL);
	void Insert(int32 offset, const char* text, int32 length,
		const text_run_array* runs = NULL);
	void Delete();
	void Delete(int32 startOffset, int32 endOffset);

	// Zero-terminated; valid until the next change of the text.
	const char* Text() const;
	int32 TextLength() const;
	void GetText(int32 offset, int32 length, char* buffer) const;
	// 0 for any offset outside the text.
	uchar ByteAt(int32 offset) const;

	// Kit extension: where the characters of the view's encoding lie. The
	// start of the character before offset, and the end of the character
	// at offset (each an offset of the text, clipped to it).
	int32 PreviousCharacter(int32 offset) const;
	int32 NextCharacter(int32 offset) const;
	// Kit extension: a typed, pasted or dropped character the view's
	// encoding cannot hold goes in as `prefix` followed by "#<decimal>;",
	// which is HTML's numeric character reference when the prefix is '&'.
	// With 0 (the default) the reference mark of the view's font is the
	// prefix if it has one (BFont::SetReferenceMark()); without either
	// such a character is left out.
	void SetReferencePrefix(uint8 prefix);
	uint8 ReferencePrefix() const { return fReferencePrefix; }

	int32 CountLines() const;
	int32 CurrentLine() const;
	void GoToLine(int32 lineNumber);

	// Clipboard and undo.
	virtual void Cut(BClipboard* clipboard);
	virtual void Copy(BClipboard* clipboard);
	virtual void Paste(BClipboard* clipboard);
	void Clear();
	virtual bool AcceptsPaste(BClipboard* clipboard);
	virtual bool AcceptsDrop(const BMessage* message);
	// Undoes the last edit; called again, redoes it (one level, toggling).
	virtual void Undo(BClipboard* clipboard);
	undo_state UndoState(bool* isRedo) const;
	void SetDoesUndo(bool undo);
	bool DoesUndo() const { return fUndoEnabled; }

	// Selection.
	virtual void Select(int32 startOffset, int32 endOffset);
	void SelectAll();
	void GetSelection(int32* start, int32* end) const;
	void Highlight(int32 startOffset, int32 endOffset);

	// Fonts and colours. Without a selection (or when not stylable) the
	// first form changes the whole text.
	void SetFontAndColor(const BFont* font, uint32 mode = B_FONT_ALL,
		const rgb_color* color = NULL);
	void SetFontAndColor(int32 startOffset, int32 endOffset, const BFont* font,
		uint32 mode = B_FONT_ALL, const rgb_color* color = NULL);
	void GetFontAndColor(int32 offset, BFont* font, rgb_color* color = NULL) const;
	// The style of the selection: mode tells which properties are the same
	// all over it.
	void GetFontAndColor(BFont* font, uint32* mode, rgb_color* color = NULL,
		bool* sameColor = NULL) const;
	void SetRunArray(int32 startOffset, int32 endOffset, const text_run_array* runs);
	// Allocated with AllocRunArray(); free it with FreeRunArray().
	text_run_array* RunArray(int32 startOffset, int32 endOffset, int32* size = NULL) const;
	static text_run_array* AllocRunArray(int32 entryCount, int32* outSize = NULL);
	static text_run_array* CopyRunArray(const text_run_array* origin, int32 countDelta = 0);
	static void FreeRunArray(text_run_array* array);

	// Geometry. Points are in the view's coordinates; PointAt() gives the
	// top left of the byte's cell and the height of its line.
	int32 LineAt(int32 offset) const;
	int32 LineAt(BPoint point) const;
	BPoint PointAt(int32 offset, float* height = NULL) const;
	int32 OffsetAt(BPoint point) const;
	int32 OffsetAt(int32 line) const;
	virtual void FindWord(int32 offset, int32* fromOffset, int32* toOffset);
	virtual bool CanEndLine(int32 offset);
	float LineWidth(int32 lineNumber = 0) const;
	float LineHeight(int32 lineNumber = 0) const;
	float TextHeight(int32 startLine, int32 endLine) const;

	virtual void ScrollToOffset(int32 offset);
	virtual void ScrollToSelection();

	// Layout and behaviour.
	void SetTextRect(BRect rect);
	BRect TextRect() const { return fTextRect; }
	void SetInsets(float left, float top, float right, float bottom);
	void GetInsets(float* left, float* top, float* right, float* bottom) const;
	void SetStylable(bool stylable);
	bool IsStylable() const { return fStylable; }
	void SetTabWidth(float width);
	float TabWidth() const { return fTabWidth; }
	void MakeSelectable(bool selectable = true);
	bool IsSelectable() const { return fSelectable; }
	void MakeEditable(bool editable = true);
	bool IsEditable() const { return fEditable; }
	void SetWordWrap(bool wrap);
	bool DoesWordWrap() const { return fWrap; }
	void SetMaxBytes(int32 max);
	int32 MaxBytes() const { return fMaxBytes; }
	void DisallowChar(uint32 character);
	void AllowChar(uint32 character);
	void SetAlignment(alignment flag);
	alignment Alignment() const { return fAlignment; }
	void SetAutoindent(bool state);
	bool DoesAutoindent() const { return fAutoindent; }
	void SetColorSpace(color_space colors);
	color_space ColorSpace() const
		{ return fRare != NULL ? fRare->colorSpace : B_CMAP8; }
	// A resizable view follows the width of its text (its container, when
	// one is given, is resized along); lines are not wrapped then.
	void MakeResizable(bool resize, BView* resizeView = NULL);
	bool IsResizable() const { return fResizable; }
	void HideTyping(bool enabled);
	bool IsTypingHidden() const { return fTypingHidden; }

protected:
	// The hooks every change of the text goes through. The inherited
	// versions make the change; overrides filter and call them.
	virtual void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs);
	virtual void DeleteText(int32 fromOffset, int32 toOffset);

private:
	friend class BPrivate::TextLayout;
	friend bool BPrivate::move_text_tail(BTextView* from, int32 offset,
		BTextView* to, float width);
	friend void BPrivate::replace_text(BTextView* view, int32 from, int32 to,
		const char* text, int32 length);

	void _Init(BRect textRect, const BFont* font, const rgb_color* color);

	// Editing steps shared by typing, pasting, dropping and undoing.
	void _BeginEdit(undo_state kind);
	void _EndEdit();
	void _DoInsert(const char* text, int32 length, int32 offset,
		const text_run_array* runs);
	void _DoDelete(int32 from, int32 to);
	void _ReplaceSelection(const char* text, int32 length,
		const text_run_array* runs, undo_state kind);
	void _TextChanged();
	void _ApplyUndoRecord();
	void _DiscardUndo();

	// Input.
	void _HandleArrowKey(uint32 key, uint32 mods);
	void _HandleBackspace(uint32 mods);
	void _HandleDelete(uint32 mods);
	void _HandlePageKey(uint32 key, uint32 mods);
	void _HandleHomeEnd(uint32 key, uint32 mods);
	void _HandleAlphaKey(const char* bytes, int32 numBytes);
	void _MoveCaret(int32 offset, bool extend);
	int32 _NextOffsetOnLine(int32 offset, int32 lineDelta, float* goalX);
	uint32 _CurrentModifiers() const;
	void _TrackMouse(BPoint where);
	void _DropText(BMessage* message);
	void _PasteFrom(BMessage* clip, undo_state kind, int32 offset);
	// UTF-8 text as the bytes of the view's encoding where new text goes,
	// cut at a character to at most `room` bytes.
	std::string _FromUTF8(const char* text, int32 length, int32 room) const;
	// Bytes of the text as UTF-8, for the clipboard.
	std::string _ToUTF8(int32 from, int32 to) const;
	void _PutOnClipboard(BClipboard* clipboard, const std::string& text);
	// The style of text inserted at offset (see InsertText()).
	const BPrivate::TextStyle& _InsertionStyle(int32 offset) const;
	// offset moved back, or forward, to the nearest character boundary.
	int32 _CharFloor(int32 offset) const;
	int32 _CharCeiling(int32 offset) const;
	// The character (its first code point) at offset, and where it ends;
	// the one before offset, and where it begins.
	uint32 _CharacterAt(int32 offset, int32* end) const;
	uint32 _CharacterBefore(int32 offset, int32* start) const;
	// offset moved back, or forward, over characters that are word
	// characters (word true) or are not.
	int32 _SkipBack(int32 offset, bool word) const;
	int32 _SkipForward(int32 offset, bool word) const;

	// Layout and drawing.
	BPrivate::TextLayout* _Layout() const;
	void _LayoutChanged();
	void _AutoResize();
	void _AutoResizeTo(float textWidth);
	void _UpdateScrollBars();
	float _AlignmentOffset(int32 line) const;
	void _DrawLines(BRect updateRect);
	void _DrawCaret(bool visible);
	void _InvalidateCaret();
	void _InvalidateRange(int32 from, int32 to);
	BRect _CaretRect() const;
	void _ShowCaret();
	void _HideCaret();
	void _ResetTextRectForBounds();

	// The four-byte fields first: they fill the end of BView's last
	// eight bytes. A page has a text view for every line of its text.
	BRect fTextRect;
	float fLeftInset;
	float fTopInset;
	float fRightInset;
	float fBottomInset;
	int32 fSelStart;
	int32 fSelEnd;
	int32 fAnchor;			// the fixed end while extending a selection
	float fGoalX;			// for Up/Down through lines of varying length
	alignment fAlignment;
	float fTabWidth;
	int32 fMaxBytes;
	uint8 fReferencePrefix;
	bool fTracking : 1;
	bool fCaretVisible : 1;
	bool fActive : 1;
	bool fEditable : 1;
	bool fSelectable : 1;
	bool fStylable : 1;
	bool fWrap : 1;
	bool fResizable : 1;
	bool fAutoindent : 1;
	bool fTypingHidden : 1;
	bool fUndoEnabled : 1;
	bool fScrollBarsStale : 1;

	// The text, its styles and its lines, made together.
	BPrivate::TextViewParts* fParts;

	// What most text views never need, made when first needed: a page has
	// a text view for every line of its text, and few are ever edited.
	struct Rare {
		Rare();

		BPrivate::TextUndoBuffer* undo;	// from the first undoable edit
		BPrivate::TextStyle* nullStyle;	// for the next typing (stylable views)
		BView* containerView;			// resized along (MakeResizable())
		std::vector<uint32> disallowedChars;
		int32 clickOffset;				// where the mouse went down
		int32 clickCount;
		color_space colorSpace;
	};
	Rare* _Rare();
	BPrivate::TextUndoBuffer* _Undo() const
		{ return fRare != NULL ? fRare->undo : NULL; }
	BPrivate::TextStyle* _NullStyle() const
		{ return fRare != NULL ? fRare->nullStyle : NULL; }

	Rare* fRare;
};

#endif	// _TEXTVIEW_H
