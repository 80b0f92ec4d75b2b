/*
 * WYSIWYG_Engine: the visual editing engine of one page.
 *
 * It owns the on-screen part of the page (the scroll view "Main scroll view"
 * with the main view "Main view" in it), a looper for images chosen in the
 * image panel, and the element chain. It lays the chain out in lines
 * (Layout.cpp), carries environments down the chain, performs the editing
 * operations and offers the whole-page services (Engine.cpp), and reads tag
 * options for the elements (TagOptions.cpp).
 *
 * Fields are public: the windows, the parser and the elements reach the view
 * and the page through them.
 */
#ifndef QUILLORA_WYSIWYG_ENGINE_H
#define QUILLORA_WYSIWYG_ENGINE_H

#include <Rect.h>
#include <SupportDefs.h>

#include <unordered_set>

#include "Environment.h"

class BScrollView;
class BView;
class BWindow;
class Page;
class TextChange;
class WLooper;
class WText;
class WYSIWYG_Element;
class WYSIWYG_View;
struct entry_ref;

class WYSIWYG_Engine {
public:
	WYSIWYG_Engine(BRect frame, BWindow* window, Page* page);
	~WYSIWYG_Engine();

	// Chain access.
	WYSIWYG_Element* FirstElement() { return first; }
	WYSIWYG_Element* Element(BView* view);
	int Line();
	WYSIWYG_Element* FirstSelection() { return firstSelection; }
	WYSIWYG_Element* LastSelection() { return lastSelection; }
	void SetSelecting(bool value) { selecting = value; }
	// Selection across elements (Selection.cpp). The anchor is where the
	// user began selecting, the active end where the caret is now; every
	// text between them is selected whole, the two ends in part, and the
	// active text has the focus. Ends in the same text leave no range.
	void SelectRange(WText* anchor, int32 anchorOffset, WText* active,
		int32 activeOffset);
	bool HasRange() const { return firstSelection != nullptr; }
	WText* RangeAnchor(int32* offset) const;
	WText* RangeActive(int32* offset) const;
	// Drops the range: every text of it but the focused one loses its
	// selection.
	void ClearRange();
	// Deletes the selected bytes of every text of the range; the caret
	// goes to where the range began. Returns that text (null without a
	// range).
	WText* EraseRange();
	void HTML();

	// Whole-page operations.
	void Empty();
	void Refresh();
	void SetBackgroundBitmap(char* path);
	void Preview(char* path);
	void RunQuilloraSeek();
	void Test();

	// Layout (Layout.cpp).
	void Place(WYSIWYG_Element* element, bool all);
	void ShiftLines(WYSIWYG_Element* element);
	void ResetScrollRange();
	// Lays out the lines from the one that holds `from` up to the next list
	// item or list end: an item or list put in or taken out changes the
	// indent of what follows it up to there. With `to`, up to the line of
	// `to` (the other end of a range taken out, which changed the look of
	// every line between).
	void PlaceListLines(WYSIWYG_Element* from, WYSIWYG_Element* to = nullptr);
	// Numbers again the items after `from` up to the end of the list that
	// `from` lies in, once an item of it went in or out at `from`.
	void RenumberItems(WYSIWYG_Element* from);
	WText* SplitText(WText* text, int32 position, bool force);
	void JoinText(WText* text, int32 count);
	// Sets or clears the mark that keeps a text from being pulled into the
	// text before it. The engine knows every marked element, so that taking
	// all marks away costs what is marked, not the length of the chain.
	void SetDontJoin(WYSIWYG_Element* element, bool value);
	// Notes that the line holding `element` must be laid out again: the
	// element is new, has new neighbours or a new environment. The next
	// Place lays out every such line it did not reach by itself, so an
	// edit need not know which lines further down its change touches.
	void MarkUnplaced(WYSIWYG_Element* element);
	// The first of the lines known to sit where ShiftLines puts them, down
	// to the end of the chain (null when none is known).
	WYSIWYG_Element* SettledFrom() const { return fSettledFrom; }

	// The environments alike elements share (see EnvironmentPool).
	EnvironmentPool* Environments() { return &fEnvironments; }

	// Environments and pairing (Pairing.cpp).
	void Do(WYSIWYG_Element* element);
	// Counts the style changes from the first element up to and including
	// `stop` (the whole chain when null) into `counts` (91 entries, zeroed
	// by the caller): returns the open font-kind tag (0 for none), sets
	// `italic` to the open italic tag (0 for none) and `underline`.
	int32 OpenTAGs(WYSIWYG_Element* stop, int32* counts, int32& italic,
		bool& underline);
	// Before a style tag `tag` goes in after `after`: -1 when `tag` is the
	// open font kind already (nothing may be inserted), 0 when no font
	// kind is open, else the open one, which is then closed right after
	// `after`; `result` is set to that closing end, after which the
	// insertion goes on. `flag` is not used.
	int32 CloseOpenTAGs(WYSIWYG_Element* after, WYSIWYG_Element** result,
		int32 tag, int32 flag);

	// Editing.
	// Whether the tag id (either sign) inserts a style pair, and whether
	// that pair first ends the open font kind.
	static bool IsStylePairTag(int32 tag, bool* fontKind);
	void Insert(int32 tag, entry_ref* ref);
	WYSIWYG_Element* InsertAt(WYSIWYG_Element* after, int32 tag,
		entry_ref* ref);
	// A new line after `text`, which a line end of the page follows: a line
	// break of its own before that end and an empty text for the caret
	// between the two. Returns the new text.
	WText* InsertLineBefore(WText* text);
	void Delete(WYSIWYG_Element* element);
	// Lays out again the line of a text whose bytes changed, and the line
	// after a hard break before it.
	void PlaceText(WText* text);
	void Copy(int32 unused);
	void Cut();
	void PasteAtCursor();
	void Undo();

	// Tag options (TagOptions.cpp). Results are new[] strings owned by the
	// caller; the previous value is deleted first.
	static void ReadTAGOption(const char* name, char** value,
		const char* options);
	static void ReadUnsupportedTAGOption(char** result, const char* options,
		const char* known1 = nullptr, const char* known2 = nullptr,
		const char* known3 = nullptr, const char* known4 = nullptr,
		const char* known5 = nullptr, const char* known6 = nullptr);

	// Loading: while a parser fills the chain it brackets the work with
	// these, and text insertions then skip their own layout (the parser lays
	// the whole chain out once when it is done).
	void BeginLoading() { fLoading++; }
	void EndLoading() { if (fLoading > 0) fLoading--; }
	bool IsLoading() const { return fLoading > 0; }

	// How many times the chain was emptied. Elements taken out of the chain
	// live on until then, so a pointer to one kept from before may name a
	// deleted element.
	uint32 EmptyCount() const { return fEmptyCount; }

	// The last element of the chain.
	WYSIWYG_Element* LastElement();
	// Called by an element's destructor, so that the engine keeps no
	// pointer to it.
	void ElementDestroyed(WYSIWYG_Element* element);

	// Fields, in this order.
	WYSIWYG_View* view;
	BScrollView* scrollView;
	WLooper* looper;
	Page* page;
	WYSIWYG_Element* first;
	WYSIWYG_Element* firstSelection;
	WYSIWYG_Element* lastSelection;
	bool selecting;
	BWindow* window;

private:
	// Lays out the one line that starts at `first` (after a rule when the
	// line begins with one); returns the element that ends it, or null when
	// the chain ends inside it.
	WYSIWYG_Element* _PlaceLine(WYSIWYG_Element* element, bool* chainEnded);
	// Lays out the line of `element` and the lines after it, all of them
	// or up to the next hard break (after which the lines only move).
	void _PlaceLines(WYSIWYG_Element* element, bool all);
	// Takes every dontJoin mark away; returns the elements that had one.
	std::unordered_set<WYSIWYG_Element*> _ClearDontJoin();
	void _MarkNestedEndsReaching(WYSIWYG_Element* element);
	// What laying out every line from `element` to the end gives, for a
	// change that only touches the lines from `element` to the next hard
	// break: those lines and the lines of the texts whose mark went are laid
	// out again, everything below only moves.
	void _PlaceOnward(WYSIWYG_Element* element);
	// ShiftLines for lines that all sit where the line above puts them:
	// every view from the line of `lineFirst`, whose highest view is at
	// `top`, to the end of the chain moves by `delta`.
	void _MoveRest(WYSIWYG_Element* lineFirst, float top, float delta);
	// The text element that has the keyboard focus, or null.
	WText* _FocusedText();
	// Editing.cpp: a new empty text linked after `after`, not laid out;
	// a style pair inserted after `after`.
	WText* _LinkText(WYSIWYG_Element* after);
	// Links an empty text after `tag` unless a text or a line break
	// follows it: no two tags meet.
	void _TextAfter(WYSIWYG_Element* tag);
	WYSIWYG_Element* _InsertPair(WYSIWYG_Element* after, int32 tag,
		WYSIWYG_Element* caretElement);
	bool _FontKindOpenAt(WText* text, int32 tag);
	// Links the two ends of a pair (made unlinked) with a new empty text
	// between them after `after`, lays them out from the line of
	// `caretElement` (where the caret was, at or before `after`) and gives
	// the text the focus; returns that text.
	WText* _LinkPair(WYSIWYG_Element* after, WYSIWYG_Element* opening,
		WYSIWYG_Element* closing, WYSIWYG_Element* caretElement);
	bool _TakenIn(WYSIWYG_Element* element) const;
	// Runs Do() of the new elements linked from after->next to `last`,
	// then carries it on past them when they change what follows.
	void _SettleNew(WYSIWYG_Element* after, WYSIWYG_Element* last);
	// EditingLists.cpp: a link pair; a list with two items; a list item.
	WYSIWYG_Element* _InsertAnchor(WYSIWYG_Element* after);
	WYSIWYG_Element* _InsertList(WYSIWYG_Element* after, int32 tag);
	WYSIWYG_Element* _InsertItem(WYSIWYG_Element* after, int32 tag);
	// Lays out the lines from `after` to the one after `last`, the lines
	// new elements begin.
	void _PlaceNew(WYSIWYG_Element* after, WYSIWYG_Element* last);
	// Links a new style change of `type` after `after` without carrying
	// the environment on.
	TextChange* _LinkStyle(WYSIWYG_Element* after, int32 type);
	void _Launch(const char* path, const char* argument);

	// Layout bookkeeping. A split made while a line is being laid out lays
	// the line out again and may shift the whole rest of the document; the
	// Place that is already running does that work once, so nested calls
	// only note what they were asked for.
	int32 fPlaceDepth;
	bool fScrollRangePending;
	int32 fLoading;

	// The environment walk runs as one loop: a style element that asks to
	// continue the walk while one is running only leaves the element to go
	// on with.
	bool fDoWalking;
	WYSIWYG_Element* fDoContinue;
	// A walk ends at the first element whose environment comes out as it
	// was: everything after it would copy the same. Not a walk that has
	// passed (or was asked for by) a list, a list item or a CENTER: a
	// closing list, the next item's number and a closing CENTER read them
	// from further back. Nor while this count is above 0 (an element of
	// that kind is being taken out).
	int32 fDoCarriesAll;
	static bool _ReadFurtherOn(WYSIWYG_Element* element);

	// Where the search for the last element starts (an element of the
	// chain, or null).
	WYSIWYG_Element* fLastHint;

	// Every line from the one this element begins to the end of the chain
	// sits where ShiftLines would put it (null when unknown). A shift that
	// reaches such a line without moving it can stop there: nothing below
	// would move either.
	WYSIWYG_Element* fSettledFrom;
	bool fShiftedInPlace;

	// The elements whose dontJoin is set (see SetDontJoin).
	std::unordered_set<WYSIWYG_Element*> fDontJoin;
	// The elements whose lines are to be laid out again (MarkUnplaced).
	std::unordered_set<WYSIWYG_Element*> fUnplaced;

	EnvironmentPool fEnvironments;

	uint32 fEmptyCount;

	// The ends of the selection across elements (see SelectRange).
	WText* fRangeAnchor;
	int32 fRangeAnchorOffset;
	WText* fRangeActive;
	int32 fRangeActiveOffset;
	// Whether `element` comes after `other` in the chain; walks out from
	// `other` in both directions at once, so it costs the distance.
	static bool _Follows(WYSIWYG_Element* element, WYSIWYG_Element* other);
	void _ForgetRange();
};

#endif	// QUILLORA_WYSIWYG_ENGINE_H
