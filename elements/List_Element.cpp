#include "List_Element.h"

#include <Font.h>
#include <Message.h>
#include <Window.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "Alerts.h"
#include "Functions.h"
#include "Page.h"
#include "Parser.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

namespace {

const char* kNoBeginning = "Error: end of list but no beginning of it";
const char* kNoList = "Error: list item without list";

// Indentation of the first level and of each further one.
const float kBulletWidth = 45.0f;
const float kLevelIndent = 35.0f;

bool
Loading(WYSIWYG_Engine* engine)
{
	return engine != nullptr && engine->IsLoading();
}

int32
TagOfType(int32 type)
{
	switch (type) {
		case kOrderedList:
			return kTagOL;
		case kDefinitionList:
			return kTagDL;
		default:
			return kTagUL;
	}
}

// "<NAME options>", the options when there are any.
std::string
TagText(bool opening, int32 tag, const char* options)
{
	std::string text = opening ? "<" : "</";
	if (tag > 0 && tag < Parser::kTagCount && Parser::tags[tag] != nullptr)
		text += Parser::tags[tag];
	if (options != nullptr) {
		text += " ";
		text += options;
	}
	text += ">";
	return text;
}

}	// namespace


// #pragma mark - List


List::List(bool openTag, long type, WYSIWYG_Element* previous,
	WYSIWYG_Element* next, WYSIWYG_Engine* engine, BMessage* archive)
	:
	WYSIWYG_Element(previous, next, engine, 7),
	level(1),
	type(type),
	openTag(openTag),
	unsupportedOptions(nullptr),
	errorShown(false),
	tag(TagOfType(type))
{
	const char* className = nullptr;
	if (archive != nullptr && archive->FindString("class", &className) == B_OK
		&& strcmp(className, "List") == 0) {
		bool archivedOpen;
		if (archive->FindBool("opentag", &archivedOpen) == B_OK)
			this->openTag = archivedOpen;
		int32 value;
		if (archive->FindInt32("type", &value) == B_OK)
			this->type = value;
		tag = TagOfType(this->type);
		if (archive->FindInt32("tag", &value) == B_OK)
			tag = value;
		const char* options = nullptr;
		if (archive->FindString("unsupported", &options) == B_OK)
			unsupportedOptions = newtext(options);
	}
	Do();
	// A closing list made where no list is open. The walk of environments
	// does not report it: it runs over the whole page at every opening.
	if (!this->openTag && previous != nullptr
		&& previous->environment->currentList == nullptr)
		ReportNoBeginning();
}

List::~List()
{
	delete[] unsupportedOptions;
}

int
List::Read(char* options)
{
	WYSIWYG_Engine::ReadUnsupportedTAGOption(&unsupportedOptions, options);
	return 0;
}

void
List::ReportNoBeginning()
{
	// While a page is read nothing is reported: the lookup that needs the
	// beginning reports it.
	if (errorShown || Loading(engine))
		return;
	errorShown = true;
	error(kNoBeginning);
}

void
List::Do()
{
	WYSIWYG_Element::Do();
	Environment* environment = OwnEnvironment();
	List* enclosing = environment->currentList;
	if (openTag) {
		level = enclosing != nullptr ? enclosing->level + 1 : 1;
		environment->currentList = this;
	} else if (enclosing != nullptr && enclosing->previous != nullptr) {
		level = enclosing->level;
		environment->currentList
			= enclosing->previous->environment->currentList;
		environment->leftMargin = 0;
	} else
		level = 1;
	if (next != nullptr && engine != nullptr)
		engine->Do(next);
}

void
List::HTML()
{
	Page* page = GetPage();
	if (page == nullptr)
		return;
	std::string text = TagText(openTag, tag, unsupportedOptions);
	page->InsertHTML(text.c_str(), LineEndBefore(true), LineEndAfter(true));
}

void
List::Archive(BMessage* archive)
{
	if (archive == nullptr)
		return;
	archive->AddString("class", "List");
	archive->AddInt32("type", type);
	archive->AddInt32("tag", tag);
	archive->AddBool("opentag", openTag);
	if (unsupportedOptions != nullptr)
		archive->AddString("unsupported", unsupportedOptions);
}

void
List::SetNext(WYSIWYG_Element* element)
{
	WYSIWYG_Element::SetNext(element);
	Do();
}


// #pragma mark - List_Element


List_Element::List_Element(WYSIWYG_Element* previous, WYSIWYG_Element* next,
	WYSIWYG_Engine* engine, BMessage* archive, int32 tag)
	:
	WYSIWYG_Element(previous, next, engine, 7),
	BView(BRect(0, 0, kBulletWidth, 10), "", B_FOLLOW_NONE,
		B_WILL_DRAW | B_PULSE_NEEDED),
	itemType(kNoListItem),
	unsupportedOptions(nullptr),
	tag(tag),
	number(0)
{
	const char* className = nullptr;
	if (archive != nullptr && archive->FindString("class", &className) == B_OK
		&& strcmp(className, "List_Element") == 0) {
		const char* options = nullptr;
		if (archive->FindString("unsupported", &options) == B_OK)
			unsupportedOptions = newtext(options);
		int32 value;
		if (archive->FindInt32("tag", &value) == B_OK)
			this->tag = value;
	}
	WYSIWYG_Element::Do();
	if (environment->currentList == nullptr && !Loading(engine))
		error(kNoList);
	if (this->tag != kTagLI && this->tag != kTagDT && this->tag != kTagDD)
		this->tag = _TagForPlace();
	// Shown once the layout has put it in its place.
	Hide();
	Do();
}

List_Element::~List_Element()
{
	delete[] unsupportedOptions;
}

int32
List_Element::_TagForPlace()
{
	List* list = environment->currentList;
	if (list == nullptr || list->type != kDefinitionList)
		return kTagLI;
	// Terms and their data take turns: count the items of this list
	// before this one (only an inserted item is placed so; a read item
	// keeps the tag it was written with).
	int32 count = 0;
	for (WYSIWYG_Element* element = previous;
			element != nullptr && element != list;
			element = element->previous) {
		List_Element* item = dynamic_cast<List_Element*>(element);
		if (item != nullptr && item->environment->currentList == list)
			count++;
	}
	return count % 2 == 0 ? kTagDT : kTagDD;
}

int32
List_Element::_CountNumber(List* list)
{
	// The item before in the same list has its number already: the
	// environment walk goes in chain order. Items of inner lists have
	// another current list and do not count.
	for (WYSIWYG_Element* element = previous;
			element != nullptr && element != list;
			element = element->previous) {
		List_Element* item = dynamic_cast<List_Element*>(element);
		if (item != nullptr && item->environment->currentList == list)
			return item->number + 1;
	}
	return 1;
}

int
List_Element::Read(char* options)
{
	WYSIWYG_Engine::ReadUnsupportedTAGOption(&unsupportedOptions, options);
	return 0;
}

void
List_Element::Do()
{
	WYSIWYG_Element::Do();
	List* list = environment->currentList;
	if (list == nullptr)
		itemType = kNoListItem;
	else if (tag == kTagDT)
		itemType = kDefinitionTerm;
	else if (tag == kTagDD)
		itemType = kDefinitionData;
	else
		itemType = list->type == kOrderedList ? kOrderedItem : kUnorderedItem;
	number = itemType == kOrderedItem ? _CountNumber(list) : 0;

	bool locked = LockLooper();
	float height = Bounds().Height();
	if (engine != nullptr && engine->first != nullptr
		&& engine->first != this)
		height = engine->first->WBounds().Height();
	float width = Bounds().Width();
	if (itemType == kUnorderedItem || itemType == kOrderedItem)
		width = (list->level - 1) * kLevelIndent + kBulletWidth;
	else if (itemType == kDefinitionTerm)
		width = 0;
	if (width != Bounds().Width() || height != Bounds().Height())
		ResizeTo(width, height);
	if (environment->color != nullptr)
		SetHighColor(*environment->color);
	Page* page = GetPage();
	if (page != nullptr && page->backgroundColor != nullptr) {
		SetViewColor(*page->backgroundColor);
		SetLowColor(*page->backgroundColor);
	}
	if (locked) {
		// A term has no mark: its view stays out of sight.
		if (itemType == kDefinitionTerm) {
			if (!IsHidden())
				Hide();
		} else if (placed && IsHidden())
			Show();
		Invalidate(Bounds());
		UnlockLooper();
	}

	// The text of the item, and the lines it wraps to, begin after the
	// bullet; the line of the bullet itself begins at the list's edge.
	bool indents = itemType == kUnorderedItem || itemType == kOrderedItem
		|| itemType == kDefinitionData;
	Environment* environment = OwnEnvironment();
	environment->leftMargin = 0;
	environment->leftMarginAfter = indents ? width : 0;
	// Every item begins a line.
	environment->breakBefore = 0.01f;

	if (next != nullptr && engine != nullptr)
		engine->Do(next);
}

void
List_Element::Renumber()
{
	if (itemType != kOrderedItem || environment->currentList == nullptr)
		return;
	int32 counted = _CountNumber(environment->currentList);
	if (counted == number)
		return;
	number = counted;
	if (LockLooper()) {
		Invalidate(Bounds());
		UnlockLooper();
	}
}

void
List_Element::Draw(BRect)
{
	BRect bounds = Bounds();
	FillRect(bounds, B_SOLID_LOW);
	if (itemType == kUnorderedItem) {
		StrokeEllipse(BPoint(bounds.right - 9, bounds.bottom * 0.5f + 2), 2, 2,
			B_SOLID_HIGH);
	} else if (itemType == kOrderedItem) {
		char text[16];
		snprintf(text, sizeof(text), "%ld.", (long)number);
		SetFont(be_plain_font);
		font_height metrics;
		GetFontHeight(&metrics);
		float baseline = (int)(metrics.ascent + metrics.descent
			+ metrics.leading);
		DrawString(text, BPoint(bounds.right - 9 - StringWidth(text),
			baseline));
	}
	if (selected)
		StrokeRect(bounds, B_SOLID_HIGH);
}

void
List_Element::HTML()
{
	Page* page = GetPage();
	if (page == nullptr)
		return;
	// Items are not closed; an item outside any list keeps its tag too.
	std::string text = TagText(true, tag, unsupportedOptions);
	page->InsertHTML(text.c_str(), LineEndBefore(true), LineEndAfter(false));
}

void
List_Element::Archive(BMessage* archive)
{
	if (archive == nullptr)
		return;
	archive->AddString("class", "List_Element");
	archive->AddInt32("tag", tag);
	if (unsupportedOptions != nullptr)
		archive->AddString("unsupported", unsupportedOptions);
}

// A term has no mark: the layout sees no view for it, as for an element
// that has none (a view no pixel wide would never be placed, and a line
// moved by its top would jump).
BRect
List_Element::WFrame()
{
	BRect frame(0, 0, 0, 0);
	if (itemType != kDefinitionTerm && LockLooper()) {
		frame = Frame();
		UnlockLooper();
	}
	return frame;
}

BRect
List_Element::WBounds()
{
	BRect bounds(0, 0, 0, 0);
	if (itemType != kDefinitionTerm && LockLooper()) {
		bounds = Bounds();
		UnlockLooper();
	}
	return bounds;
}

BView*
List_Element::View()
{
	return itemType != kDefinitionTerm ? this : nullptr;
}

void
List_Element::SetNext(WYSIWYG_Element* element)
{
	WYSIWYG_Element::SetNext(element);
	Do();
}

void
List_Element::Placed()
{
	if (!LockLooper())
		return;
	if (IsHidden() && itemType != kDefinitionTerm)
		Show();
	UnlockLooper();
}
