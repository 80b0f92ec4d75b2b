/*
 * WYSIWYG_Element: one piece of the page in the engine's element chain.
 *
 * The chain is a doubly linked list in HTML text order. Lines have no objects
 * of their own: the layout marks the last element of each line with
 * eolStatus 1, and the line queries below find everything else by walking the
 * chain (always in loops: a page may hold hundreds of thousands of elements).
 *
 * Every element registers with its page's garbage collector when it is made
 * and unregisters when it is destroyed; the collector deletes whatever is
 * still registered when the page's engine goes, so elements taken out of the
 * chain do not outlive their page.
 */
#ifndef QUILLORA_WYSIWYG_ELEMENT_H
#define QUILLORA_WYSIWYG_ELEMENT_H

#include <Rect.h>
#include <SupportDefs.h>

#include "Environment.h"

class Anchor;
class BMessage;
class BView;
class List;
class Page;
class WText;
class WYSIWYG_Engine;

// WYSIWYG_Element::lineBreakAfter: whether a line break followed the element
// in the page it was read from. Elements made by editing have none to
// remember and write their line ends as their class always has.
const int32 kLineEndAsEdited = -1;
const int32 kNoLineEndInSource = 0;
const int32 kLineEndInSource = 1;

class WYSIWYG_Element {
public:
	WYSIWYG_Element(WYSIWYG_Element* previous, WYSIWYG_Element* next,
		WYSIWYG_Engine* engine, long vAlignment);
	// Virtual: the garbage collector deletes elements through this class.
	virtual ~WYSIWYG_Element();

	// Virtual operations, in slot order.
	virtual int Read(char* text) = 0;
	virtual void HTML() = 0;
	virtual void Do();
	virtual void Archive(BMessage* archive) = 0;
	virtual BRect WFrame();
	virtual BRect WBounds();
	virtual BView* View();
	virtual WYSIWYG_Element* JoinSplit(float width, bool force);
	virtual bool Splitable();
	virtual void SetPrevious(WYSIWYG_Element* element);
	virtual void SetNext(WYSIWYG_Element* element);
	virtual void Placed();

	// Chain and line queries.
	WYSIWYG_Element* Next() const { return next; }
	WYSIWYG_Element* Previous() const { return previous; }
	long EOLStatus() const { return eolStatus; }
	WYSIWYG_Element* FirstOnLine();
	WYSIWYG_Element* LastOnLine();
	int Line();
	float LineTop();
	float LineBottom();
	WText* FindPreviousText();
	WText* FindNextText();

	// Flags and environment.
	bool DontJoin() const { return dontJoin; }
	bool Selected() const { return selected; }
	bool IsTAG() const { return isTAG; }
	void NotTAG() { isTAG = false; }
	void WasPlaced();
	float BreakBefore() const { return environment->breakBefore; }
	float BreakAfter() const { return environment->breakAfter; }
	float LeftMargin() const { return environment->leftMargin; }
	float RightMargin() const { return environment->rightMargin; }
	long HAlignment() const { return environment->hAlignment; }
	void SetHAlignment(long alignment)
		{ OwnEnvironment()->hAlignment = alignment; }
	long VAlignment() const { return environment->vAlignment; }
	void SetVAlignment(long alignment)
		{ OwnEnvironment()->vAlignment = alignment; }
	List* CurrentList() const { return environment->currentList; }
	Anchor* CurrentAnchor() const { return environment->currentAnchor; }

	// The page of the element's engine, or null.
	Page* GetPage() const;

	// The environment, made the element's own first when it is shared:
	// whatever changes it goes through this.
	Environment* OwnEnvironment();
	// Shares the previous element's environment when it is alike in every
	// field (Environment::SameAs()), else one alike from the engine's pool.
	// The engine calls it after Do(), the reader after making an element.
	void ShareEnvironment();

	// The frame or bounds of an element's view, read under the view's
	// looper lock; (0, 0, 0, 0) when it cannot be locked.
	static BRect LockedFrame(BView* view);
	static BRect LockedBounds(BView* view);

	// Whether the element's HTML begins or ends with a line end: what its
	// class usually writes for an element made by editing; for one read
	// from a page only the line break the page had after it, so that the
	// generated document reads back into the same chain and never gains
	// blanks between tags and text that touched.
	bool LineEndBefore(bool usual) const
		{ return lineBreakAfter == kLineEndAsEdited ? usual : false; }
	bool LineEndAfter(bool usual) const
		{ return lineBreakAfter == kLineEndAsEdited
			? usual : lineBreakAfter == kLineEndInSource; }

	// Fields, in this order.
	WYSIWYG_Engine* engine;
	bool dontJoin;
	Environment* environment;	// perhaps shared: see OwnEnvironment()
	WYSIWYG_Element* previous;
	WYSIWYG_Element* next;
	int32 eolStatus;
	bool isTAG;
	bool selected;
	bool placed;
	// Whether the element began its line when that line was last laid
	// out: a line below a hard break is only moved down when it still
	// begins where it began (layout keeps this, Layout.cpp).
	bool beginsLine;
	// kLineEndAsEdited, kNoLineEndInSource or kLineEndInSource.
	int32 lineBreakAfter;

private:
	void _ReleaseEnvironment();
	bool _Inherits(const Environment& from) const;
	// Bottom of the lowest view of the line that ends with `last`, and
	// whether the line has a view at all (the caller holds the lock).
	static float _LineMaxBottom(WYSIWYG_Element* last, bool* hasView);
};

#endif	// QUILLORA_WYSIWYG_ELEMENT_H
