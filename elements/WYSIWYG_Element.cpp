#include "WYSIWYG_Element.h"

#include <View.h>

#include "GarbageCollector.h"
#include "Page.h"
#include "WText.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

WYSIWYG_Element::WYSIWYG_Element(WYSIWYG_Element* previous,
	WYSIWYG_Element* next, WYSIWYG_Engine* engine, long vAlignment)
	:
	engine(engine),
	dontJoin(false),
	environment(nullptr),
	previous(previous),
	next(next),
	eolStatus(0),
	isTAG(true),
	selected(false),
	placed(false),
	beginsLine(false),
	lineBreakAfter(kLineEndAsEdited)
{
	RegisterAtGarbageCollector(this, GetPage());
	environment = new Environment(this);
	environment->SetVAlignment(vAlignment);
	if (engine != nullptr)
		engine->MarkUnplaced(this);
}

WYSIWYG_Element::~WYSIWYG_Element()
{
	_ReleaseEnvironment();
	if (engine != nullptr)
		engine->ElementDestroyed(this);
	UnRegisterFromGarbageCollector(this, GetPage());
}

Page*
WYSIWYG_Element::GetPage() const
{
	return engine != nullptr ? engine->page : nullptr;
}

Environment*
WYSIWYG_Element::OwnEnvironment()
{
	if (environment->references > 1) {
		Environment* own = new Environment(*environment);
		own->owner = this;
		own->references = 1;
		environment->references--;
		environment = own;
	}
	return environment;
}

void
WYSIWYG_Element::ShareEnvironment()
{
	Environment* shared = previous != nullptr ? previous->environment
		: nullptr;
	if (shared == nullptr || shared == environment
			|| !environment->SameAs(*shared)) {
		// Alike to none before it: perhaps to one further off.
		if (engine == nullptr || environment->references > 1)
			return;
		shared = engine->Environments()->Alike(environment);
		if (shared == environment)
			return;
	}
	_ReleaseEnvironment();
	shared->references++;
	environment = shared;
}

void
WYSIWYG_Element::_ReleaseEnvironment()
{
	if (environment != nullptr && --environment->references == 0)
		delete environment;
	environment = nullptr;
}

void
WYSIWYG_Element::Do()
{
	if (previous != nullptr) {
		const Environment* from = previous->environment;
		// A shared environment stays shared while nothing in it changes;
		// the classes that change it further make it their own first.
		if (environment->references > 1 && _Inherits(*from))
			return;
		OwnEnvironment();
		environment->fontType = from->fontType;
		environment->font = from->font;
		environment->italic = from->italic;
		environment->color = from->color;
		environment->underlined = from->underlined;
		environment->leftMargin = from->leftMarginAfter >= 0
			? from->leftMarginAfter : from->leftMargin;
		environment->rightMargin = from->rightMargin;
		environment->hAlignment = from->hAlignment;
		environment->currentAnchor = from->currentAnchor;
		environment->currentList = from->currentList;
		environment->preformatted = from->preformatted;
		environment->openCenter = from->openCenter;
		environment->breakBefore = 0;
		environment->breakAfter = 0;
		return;
	}
	Page* page = GetPage();
	if (page != nullptr) {
		if (environment->references > 1 && environment->font == page->plainFont
			&& environment->color == page->textColor)
			return;
		OwnEnvironment();
		environment->font = page->plainFont;
		environment->color = page->textColor;
	}
}

bool
WYSIWYG_Element::_Inherits(const Environment& from) const
{
	// What Do() would write, compared with what is there.
	const Environment& own = *environment;
	float leftMargin = from.leftMarginAfter >= 0
		? from.leftMarginAfter : from.leftMargin;
	return own.fontType == from.fontType && own.font == from.font
		&& own.italic == from.italic && own.color == from.color
		&& own.underlined == from.underlined && own.leftMargin == leftMargin
		&& own.rightMargin == from.rightMargin
		&& own.hAlignment == from.hAlignment
		&& own.currentAnchor == from.currentAnchor
		&& own.currentList == from.currentList
		&& own.preformatted == from.preformatted
		&& own.openCenter == from.openCenter
		&& own.breakBefore == 0 && own.breakAfter == 0;
}

BRect
WYSIWYG_Element::LockedFrame(BView* view)
{
	if (view == nullptr || !view->LockLooper())
		return BRect(0, 0, 0, 0);
	BRect frame = view->Frame();
	view->UnlockLooper();
	return frame;
}

BRect
WYSIWYG_Element::LockedBounds(BView* view)
{
	if (view == nullptr || !view->LockLooper())
		return BRect(0, 0, 0, 0);
	BRect bounds = view->Bounds();
	view->UnlockLooper();
	return bounds;
}

BRect
WYSIWYG_Element::WFrame()
{
	return BRect(0, 0, 0, 0);
}

BRect
WYSIWYG_Element::WBounds()
{
	return BRect(0, 0, 0, 0);
}

BView*
WYSIWYG_Element::View()
{
	return nullptr;
}

WYSIWYG_Element*
WYSIWYG_Element::JoinSplit(float, bool)
{
	return nullptr;
}

bool
WYSIWYG_Element::Splitable()
{
	return false;
}

void
WYSIWYG_Element::SetPrevious(WYSIWYG_Element* element)
{
	previous = element;
	if (engine != nullptr)
		engine->MarkUnplaced(this);
}

void
WYSIWYG_Element::SetNext(WYSIWYG_Element* element)
{
	next = element;
	if (engine != nullptr)
		engine->MarkUnplaced(this);
}

void
WYSIWYG_Element::Placed()
{
}

void
WYSIWYG_Element::WasPlaced()
{
	if (placed)
		return;
	placed = true;
	Placed();
}

WYSIWYG_Element*
WYSIWYG_Element::FirstOnLine()
{
	WYSIWYG_Element* element = this;
	while (element->previous != nullptr && element->previous->eolStatus == 0)
		element = element->previous;
	return element;
}

WYSIWYG_Element*
WYSIWYG_Element::LastOnLine()
{
	WYSIWYG_Element* element = this;
	while (element->eolStatus == 0 && element->next != nullptr)
		element = element->next;
	return element;
}

int
WYSIWYG_Element::Line()
{
	int line = 0;
	for (WYSIWYG_Element* element = previous; element != nullptr;
			element = element->previous) {
		if (element->eolStatus == 1)
			line++;
	}
	return line;
}

float
WYSIWYG_Element::_LineMaxBottom(WYSIWYG_Element* last, bool* hasView)
{
	float max = last->WFrame().bottom;
	*hasView = false;
	WYSIWYG_Element* element = last;
	while (true) {
		if (element->View() != nullptr)
			*hasView = true;
		float bottom = element->WFrame().bottom;
		if (max < bottom)
			max = bottom;
		WYSIWYG_Element* before = element->previous;
		if (before == nullptr || before->eolStatus != 0)
			break;
		element = before;
	}
	return max;
}

float
WYSIWYG_Element::LineTop()
{
	WYSIWYG_Element* first = FirstOnLine();
	if (first->previous == nullptr)
		return 8.0;
	BView* view = engine != nullptr ? (BView*)engine->view : nullptr;
	if (view == nullptr || !view->LockLooper())
		return 8.0;

	// A line without any view takes no height: it begins where the line
	// above it begins, so keep going up until a line has a view.
	float top = 8.0;
	while (first->previous != nullptr) {
		WYSIWYG_Element* last = first->previous;
		bool hasView;
		float max = _LineMaxBottom(last, &hasView);
		if (hasView) {
			top = max + 2.0;
			break;
		}
		first = last->FirstOnLine();
	}
	view->UnlockLooper();
	return top;
}

float
WYSIWYG_Element::LineBottom()
{
	WYSIWYG_Element* last = LastOnLine();
	BView* view = engine != nullptr ? (BView*)engine->view : nullptr;
	if (view == nullptr || !view->LockLooper())
		return 0.0;

	// A line without a view ends 2 pixels above the bottom of the line
	// below it (8 for the last line).
	float offset = 0;
	float bottom;
	while (true) {
		bool hasView;
		float max = _LineMaxBottom(last, &hasView);
		if (hasView) {
			bottom = max + offset;
			break;
		}
		if (last->next == nullptr) {
			bottom = 8.0 + offset;
			break;
		}
		offset -= 2.0;
		last = last->next->LastOnLine();
	}
	view->UnlockLooper();
	return bottom;
}

WText*
WYSIWYG_Element::FindPreviousText()
{
	if (previous == nullptr)
		return dynamic_cast<WText*>(this);
	for (WYSIWYG_Element* element = previous; element != nullptr;
			element = element->previous) {
		if (WText* text = dynamic_cast<WText*>(element))
			return text;
	}
	return nullptr;
}

WText*
WYSIWYG_Element::FindNextText()
{
	if (next == nullptr)
		return dynamic_cast<WText*>(this);
	for (WYSIWYG_Element* element = next; element != nullptr;
			element = element->next) {
		if (WText* text = dynamic_cast<WText*>(element))
			return text;
	}
	return nullptr;
}
