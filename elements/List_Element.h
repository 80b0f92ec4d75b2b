/*
 * Lists: List is one end of a UL, OL or DL tag (MENU and DIR are shown as
 * OL, and written back under their own names); List_Element is an LI, DT or
 * DD item. An opening list becomes the current list of the elements after
 * it and its closing end restores the enclosing one. An item is an element
 * and a small view at once, the bullet view: it begins a line, draws the
 * item's mark there (a circle, the item's number, nothing for DT and DD) and
 * indents the text of the item by its own width.
 */
#ifndef QUILLORA_LIST_ELEMENT_H
#define QUILLORA_LIST_ELEMENT_H

#include <View.h>

#include "WYSIWYG_Element.h"

// List::type.
const int32 kUnorderedList = 1;
const int32 kOrderedList = 2;
const int32 kDefinitionList = 3;

// List_Element::itemType.
const int32 kNoListItem = 0;
const int32 kUnorderedItem = 1;
const int32 kOrderedItem = 2;
const int32 kDefinitionTerm = 4;
const int32 kDefinitionData = 5;

class List : public WYSIWYG_Element {
public:
	List(bool openTag, long type, WYSIWYG_Element* previous,
		WYSIWYG_Element* next, WYSIWYG_Engine* engine, BMessage* archive);
	virtual ~List();

	virtual int Read(char* options);
	virtual void HTML();
	virtual void Do();
	virtual void Archive(BMessage* archive);
	virtual void SetNext(WYSIWYG_Element* element);

	long Type() const { return type; }
	bool OpenClose() const { return openTag; }
	int32 Level() const { return level; }

	// Pairing queries (engine/Pairing.cpp). The partner of an opening list
	// is the first list whose previous element has it as its current list;
	// that of a closing list the list current just before it.
	bool HasElements();
	List* FindOpeningClosing();

	// "Error: end of list but no beginning of it", once per element, and
	// never while a page is read (opening a page does not stop at alerts).
	void ReportNoBeginning();

	// Fields, in this order.
	int32 level;				// 1 outermost; an inner list one more
	int32 type;					// kUnorderedList, kOrderedList, kDefinitionList
	bool openTag;
	char* unsupportedOptions;	// owned, may be null
	bool errorShown;
	// The tag the list is written back as: UL, OL, DL, MENU or DIR.
	int32 tag;
};

class List_Element : public WYSIWYG_Element, public BView {
public:
	// `tag` is the item's own tag (LI, DT or DD) as read from a page; with
	// 0 an inserted item takes the kind its place asks for: LI in UL and OL,
	// DT and DD in turn in a DL.
	List_Element(WYSIWYG_Element* previous, WYSIWYG_Element* next,
		WYSIWYG_Engine* engine, BMessage* archive, int32 tag = 0);
	virtual ~List_Element();

	// WYSIWYG_Element
	virtual int Read(char* options);
	virtual void HTML();
	virtual void Do();
	virtual void Archive(BMessage* archive);
	virtual BRect WFrame();
	virtual BRect WBounds();
	virtual BView* View();
	virtual void SetNext(WYSIWYG_Element* element);
	virtual void Placed();

	// BView
	virtual void Draw(BRect update);

	int32 ItemType() const { return itemType; }
	// The number an OL item shows (0 for other items).
	int32 Number() const { return number; }
	int32 Tag() const { return tag; }

	// Counts the item's number again (an item of its list went in or out
	// before it) and redraws the mark when it changed.
	void Renumber();

	// Whether a text between this item and the next item or list tag holds
	// something else than white space (engine/Pairing.cpp).
	bool HasText();

	// Fields, in this order.
	int32 itemType;
	char* unsupportedOptions;	// owned, may be null
	int32 tag;					// kTagLI, kTagDT or kTagDD
	// Kept by Do() so that drawing never counts the items before.
	int32 number;

private:
	int32 _TagForPlace();
	int32 _CountNumber(List* list);
};

#endif	// QUILLORA_LIST_ELEMENT_H
