// Inserting links and lists at the caret. A link is a pair like a style
// pair, with the tag settings window opened on it so that the user can say
// where it leads. A list goes in with its two ends and two items, each item
// with a text of its own, and typing goes on in the first item. A single
// item (Tab in a list) goes in after the text of the caret.
//
// The new elements are made one after the other, each linked behind the one
// before it, so that every one is made with the environment it will have;
// the piece is linked into the chain at once and its environments settled
// without walking the rest of the page when nothing there changes.

#include "WYSIWYG_Engine.h"

#include <Window.h>

#include "Anchor.h"
#include "EndLine.h"
#include "List_Element.h"
#include "Parser.h"
#include "TAGSettingsWindow.h"
#include "WText.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_View.h"

namespace {

long
ListType(int32 tag)
{
	switch (tag) {
		case kTagOL:
			return kOrderedList;
		case kTagDL:
			return kDefinitionList;
		default:
			return kUnorderedList;
	}
}

}	// namespace

// Adds the view of a new element (a text or a bullet) to the page's view.
static void
AddElementView(WYSIWYG_View* view, BView* child)
{
	if (view->LockLooper()) {
		view->AddChild(child);
		view->UnlockLooper();
	}
}

// A new empty text behind `previous`, which is not yet linked on.
static WText*
AppendText(WYSIWYG_Engine* engine, WYSIWYG_Element* previous)
{
	WText* text = new WText(previous, nullptr, engine, nullptr);
	previous->next = text;
	engine->MarkUnplaced(previous);
	AddElementView(engine->view, text);
	text->SetText("");
	return text;
}

// A new item behind `previous`: its kind follows from the list it is in.
static List_Element*
AppendItem(WYSIWYG_Engine* engine, WYSIWYG_Element* previous)
{
	List_Element* item = new List_Element(previous, nullptr, engine, nullptr);
	previous->next = item;
	engine->MarkUnplaced(previous);
	AddElementView(engine->view, item);
	return item;
}

// Links the piece from after->next to `last` in front of `oldNext`.
static void
CloseOver(WYSIWYG_Element* last, WYSIWYG_Element* oldNext)
{
	last->next = oldNext;
	if (oldNext != nullptr) {
		oldNext->previous = last;
		last->engine->MarkUnplaced(oldNext);
	}
}

WYSIWYG_Element*
WYSIWYG_Engine::_InsertAnchor(WYSIWYG_Element* after)
{
	Anchor* opening = new Anchor(true, after, nullptr, this, nullptr);
	Anchor* closing = new Anchor(false, opening, nullptr, this, nullptr);
	WText* text = _LinkPair(after, opening, closing, after);
	// Where the link leads is asked at once.
	if (!IsLoading())
		TAGSettingsWindow::Open(opening);
	return text;
}

WYSIWYG_Element*
WYSIWYG_Engine::_InsertList(WYSIWYG_Element* after, int32 tag)
{
	long type = ListType(tag);
	bool locked = window != nullptr && window->Lock();
	// A tag never touches another: the list goes after a text.
	if (dynamic_cast<WText*>(after) == nullptr)
		after = _LinkText(after);
	WYSIWYG_Element* oldNext = after->next;

	List* opening = new List(true, type, after, nullptr, this, nullptr);
	after->next = opening;
	MarkUnplaced(after);
	WText* last = AppendText(this, opening);
	List_Element* firstItem = AppendItem(this, last);
	WText* firstText = AppendText(this, firstItem);
	List_Element* secondItem = AppendItem(this, firstText);
	last = AppendText(this, secondItem);
	List* closing = new List(false, type, last, nullptr, this, nullptr);
	last->next = closing;
	WYSIWYG_Element* end = closing;
	if (dynamic_cast<WText*>(oldNext) == nullptr)
		end = AppendText(this, closing);
	CloseOver(end, oldNext);
	if (oldNext == nullptr)
		fLastHint = end;
	_SettleNew(after, end);
	if (locked)
		window->Unlock();

	if (!IsLoading()) {
		_PlaceNew(after, end);
		firstText->MakeFocus(true);
	}
	return firstText;
}

WYSIWYG_Element*
WYSIWYG_Engine::_InsertItem(WYSIWYG_Element* after, int32)
{
	bool locked = window != nullptr && window->Lock();
	if (dynamic_cast<WText*>(after) == nullptr) {
		after = _LinkText(after);
		if (!IsLoading())
			Place(after, false);
	}
	WYSIWYG_Element* oldNext = after->next;
	List_Element* item = AppendItem(this, after);
	WYSIWYG_Element* end = item;
	if (dynamic_cast<WText*>(oldNext) == nullptr
		&& dynamic_cast<EndLine*>(oldNext) == nullptr)
		end = AppendText(this, item);
	CloseOver(end, oldNext);
	if (oldNext == nullptr)
		fLastHint = end;
	_SettleNew(after, end);
	// The items after a new numbered one count one more.
	RenumberItems(item);
	if (locked)
		window->Unlock();

	if (!IsLoading())
		_PlaceNew(after, end);
	return end;
}

void
WYSIWYG_Engine::_PlaceNew(WYSIWYG_Element* after, WYSIWYG_Element* last)
{
	// Every item begins a line, and the end of a list ends one; the lines
	// between flow on from these.
	Place(after, false);
	for (WYSIWYG_Element* element = after->next; element != nullptr;
			element = element->next) {
		if (dynamic_cast<List_Element*>(element) != nullptr
			|| dynamic_cast<List*>(element) != nullptr)
			Place(element, false);
		if (element == last) {
			Place(last, false);
			if (last->next != nullptr)
				PlaceListLines(last->next);
			break;
		}
	}
	ResetScrollRange();
}

void
WYSIWYG_Engine::RenumberItems(WYSIWYG_Element* from)
{
	List* list = from->environment->currentList;
	if (list == nullptr || list->type != kOrderedList)
		return;
	for (WYSIWYG_Element* element = from->next; element != nullptr;
			element = element->next) {
		// The list's own end: the element before it still lies in it.
		List* end = dynamic_cast<List*>(element);
		if (end != nullptr && !end->openTag
			&& element->previous->environment->currentList == list)
			break;
		List_Element* item = dynamic_cast<List_Element*>(element);
		if (item != nullptr && item->environment->currentList == list)
			item->Renumber();
	}
}

void
WYSIWYG_Engine::PlaceListLines(WYSIWYG_Element* from, WYSIWYG_Element* to)
{
	Place(from, false);
	if (_TakenIn(to))
		return;
	for (WYSIWYG_Element* element = from->next; element != nullptr;
			element = element->next) {
		// The next item, or the end of a list, gives the lines after it an
		// indent of its own; a list that opens hands the indent on to
		// the lines before its first item. The tag itself may now begin
		// a line or end one.
		List* list = dynamic_cast<List*>(element);
		bool last = to != nullptr ? element == to
			: dynamic_cast<List_Element*>(element) != nullptr
				|| (list != nullptr && !list->openTag);
		if (last || element->previous->eolStatus != 0)
			Place(element, false);
		if (last || _TakenIn(to))
			break;
	}
}

// Whether the layout has taken `element` into a text before it: it laid
// out the line of `element` then, and a walk that looks for it never
// meets it again.
bool
WYSIWYG_Engine::_TakenIn(WYSIWYG_Element* element) const
{
	return element != nullptr && element->previous == nullptr
		&& element != first;
}
