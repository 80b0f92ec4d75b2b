// Pairing of opening and closing tags. The chain has no tree: a pair is two
// elements (a style change, an anchor or a list, each with an opening and a
// closing end) and what lies between them. Here the two ends find each
// other, report a missing partner when a query looks for it (never while a
// page is read, so a page with an unclosed tag opens without alerts), and
// the engine tells which font tag is open at a point of the chain and closes
// it before another one is inserted there.

#include "WYSIWYG_Engine.h"

#include <Window.h>

#include <cctype>

#include "Alerts.h"
#include "Anchor.h"
#include "EndLine.h"
#include "List_Element.h"
#include "Page.h"
#include "Parser.h"
#include "TextChange.h"
#include "WText.h"
#include "WYSIWYG_Element.h"

namespace {

// The tags that choose the text's font kind, first the one that wins when
// several are open; then the italic ones, the last open one winning.
const int32 kFontKindTags[] = {
	kTagSUP, kTagSUB, kTagSMALL, kTagBIG, kTagSTRIKE, kTagKBD, kTagSAMP,
	kTagCODE, kTagDFN, kTagSTRONG, kTagTT, kTagB, kTagH6, kTagH5, kTagH4,
	kTagH3, kTagH2, kTagH1
};
const int32 kItalicTags[] = { kTagI, kTagEM, kTagVAR, kTagCITE };

bool
Counted(int32 id)
{
	for (int32 tag : kFontKindTags) {
		if (tag == id)
			return true;
	}
	for (int32 tag : kItalicTags) {
		if (tag == id)
			return true;
	}
	return id == kTagU;
}

// Whether the element is a text holding something else than white space.
bool
HasVisibleText(WYSIWYG_Element* element)
{
	WText* text = dynamic_cast<WText*>(element);
	if (text == nullptr)
		return false;
	const char* bytes = text->Text();
	int32 length = text->TextLength();
	for (int32 i = 0; i < length; i++) {
		if (!isspace((unsigned char)bytes[i]))
			return true;
	}
	return false;
}

// Whether a text with something else than white space lies strictly
// between `from` and `to`, walking from `from` forward or backward.
bool
TextBetween(WYSIWYG_Element* from, WYSIWYG_Element* to, bool forward)
{
	for (WYSIWYG_Element* element = forward ? from->next : from->previous;
			element != nullptr && element != to;
			element = forward ? element->next : element->previous) {
		if (HasVisibleText(element))
			return true;
	}
	return false;
}

void
Report(WYSIWYG_Engine* engine, const char* text)
{
	if (engine == nullptr || !engine->IsLoading())
		error(text);
}

}	// namespace


// #pragma mark - TextChange


TextChange*
TextChange::FindOpeningClosing()
{
	bool forward = type > 0;
	for (WYSIWYG_Element* element = forward ? next : previous;
			element != nullptr;
			element = forward ? element->next : element->previous) {
		TextChange* change = dynamic_cast<TextChange*>(element);
		if (change != nullptr && change->type == -type)
			return change;
	}
	Report(engine, forward ? "Pair HTML TAG doesn't have closing TAG"
		: "Pair HTML TAG has closing TAG but no opening TAG");
	return nullptr;
}

bool
TextChange::HasText()
{
	TextChange* partner = FindOpeningClosing();
	return partner != nullptr && TextBetween(this, partner, type > 0);
}


// #pragma mark - Anchor


Anchor*
Anchor::FindOpeningClosing()
{
	for (WYSIWYG_Element* element = openTag ? next : previous;
			element != nullptr;
			element = openTag ? element->next : element->previous) {
		Anchor* anchor = dynamic_cast<Anchor*>(element);
		if (anchor != nullptr && anchor->openTag != openTag)
			return anchor;
	}
	Report(engine, openTag
		? "Pair HTML TAG - <A>...</A> doesn't have closing TAG"
		: "Pair HTML TAG - <A>...</A> has closing TAG but no opening TAG");
	return nullptr;
}

bool
Anchor::HasText()
{
	Anchor* partner = FindOpeningClosing();
	return partner != nullptr && TextBetween(this, partner, openTag);
}


// #pragma mark - List


List*
List::FindOpeningClosing()
{
	if (!openTag) {
		List* opening = previous != nullptr
			? previous->environment->currentList : nullptr;
		if (opening == nullptr)
			ReportNoBeginning();
		return opening;
	}
	// The closing end is the first closing list that this one is current
	// before; an inner opening list is current inside this one too, but
	// opens rather than closes.
	for (WYSIWYG_Element* element = next; element != nullptr;
			element = element->next) {
		List* list = dynamic_cast<List*>(element);
		if (list != nullptr && !list->openTag && list->previous != nullptr
			&& list->previous->environment->currentList == this)
			return list;
	}
	Report(engine, "List without end");
	return nullptr;
}

bool
List::HasElements()
{
	List* partner = FindOpeningClosing();
	if (partner == nullptr)
		return false;
	for (WYSIWYG_Element* element = openTag ? next : previous;
			element != nullptr && element != partner;
			element = openTag ? element->next : element->previous) {
		if (dynamic_cast<List_Element*>(element) != nullptr)
			return true;
	}
	return false;
}


// #pragma mark - List_Element


bool
List_Element::HasText()
{
	bool found = false;
	for (WYSIWYG_Element* element = next; element != nullptr;
			element = element->next) {
		if (dynamic_cast<List_Element*>(element) != nullptr
			|| dynamic_cast<List*>(element) != nullptr)
			return found;
		if (!found && HasVisibleText(element))
			found = true;
	}
	Report(engine, "List without end");
	return false;
}


// #pragma mark - WYSIWYG_Engine


int32
WYSIWYG_Engine::OpenTAGs(WYSIWYG_Element* stop, int32* counts, int32& italic,
	bool& underline)
{
	// Up to and including `stop`: what is open right after it, where an
	// insertion after it goes.
	for (WYSIWYG_Element* element = first; element != nullptr;
			element = element->next) {
		if (TextChange* change = dynamic_cast<TextChange*>(element)) {
			int32 type = change->Type();
			int32 id = type < 0 ? -type : type;
			if (id < Parser::kTagCount && Counted(id))
				counts[id] += type > 0 ? 1 : -1;
		}
		if (element == stop)
			break;
	}

	italic = 0;
	for (int32 tag : kItalicTags) {
		if (counts[tag] > 0)
			italic = tag;
	}
	underline = counts[kTagU] > 0;
	for (int32 tag : kFontKindTags) {
		if (counts[tag] > 0)
			return tag;
	}
	return 0;
}

TextChange*
WYSIWYG_Engine::_LinkStyle(WYSIWYG_Element* after, int32 type)
{
	WYSIWYG_Element* oldNext = after->next;
	TextChange* change = new TextChange(type, after, nullptr, this, nullptr);
	// Linked without carrying the environment on at every step: the caller
	// does it once when the chain is complete.
	change->WYSIWYG_Element::SetNext(oldNext);
	if (oldNext != nullptr)
		oldNext->SetPrevious(change);
	after->SetNext(change);
	if (oldNext == nullptr)
		fLastHint = change;
	return change;
}

int32
WYSIWYG_Engine::CloseOpenTAGs(WYSIWYG_Element* after,
	WYSIWYG_Element** result, int32 tag, int32)
{
	if (after == nullptr)
		return 0;
	int32 counts[Parser::kTagCount] = {};
	int32 italic;
	bool underline;
	int32 open = OpenTAGs(after, counts, italic, underline);
	if (open == (tag < 0 ? -tag : tag))
		return -1;
	if (open == 0)
		return 0;
	// The insertion point is right after the range's opening end: nothing
	// of the range comes before it, so the range stays whole and what is
	// inserted goes in before it.
	TextChange* opening = dynamic_cast<TextChange*>(after);
	if (opening != nullptr && opening->Type() == open
		&& after->previous != nullptr) {
		if (result != nullptr)
			*result = after->previous;
		return open;
	}

	bool locked = window != nullptr && window->Lock();
	// The closing end goes after a text, as every tag does.
	if (dynamic_cast<WText*>(after) == nullptr)
		after = _LinkText(after);

	// The closing end of the open range, and whether text lies before it.
	TextChange* closing = nullptr;
	bool text = false;
	for (WYSIWYG_Element* element = after->next; element != nullptr;
			element = element->next) {
		TextChange* change = dynamic_cast<TextChange*>(element);
		if (change != nullptr && change->Type() == -open) {
			closing = change;
			break;
		}
		WText* piece = dynamic_cast<WText*>(element);
		if (piece != nullptr && piece->TextLength() > 0)
			text = true;
	}

	// Where a closing end is taken away, the texts on either side of it
	// meet: that line is laid out again below, as it may lie lines after
	// the insertion point.
	WYSIWYG_Element* emptied = nullptr;
	// What followed the insertion point and now follows a reopened range.
	WYSIWYG_Element* reopenedRest = nullptr;
	if (closing != nullptr && text) {
		// The range goes on after the insertion: it is split there, and
		// the reopened range begins with a text.
		reopenedRest = after->next;
		_TextAfter(_LinkStyle(after, open));
	} else if (closing != nullptr) {
		// Nothing of the range follows: its closing end moves here. It
		// leaves the chain as every element does, so that neither the
		// selection nor the environments keep it.
		WYSIWYG_Element* following = closing->next;
		emptied = closing->previous;
		Delete(closing);
		delete closing;
		EndLine* lineBreak = dynamic_cast<EndLine*>(following);
		if (lineBreak != nullptr && !lineBreak->IsTAG()
			&& dynamic_cast<TextChange*>(lineBreak->next) == nullptr) {
			Delete(lineBreak);
			delete lineBreak;
		}
	}
	TextChange* created = _LinkStyle(after, -open);
	// The new end took its look when it was made, so the walk would end
	// at it at once: it starts again with what follows, which may still
	// have the look of the range.
	Do(created);
	if (created->next != nullptr)
		Do(created->next);
	// So did the reopening end and the text after it; what follows them
	// takes the range's look from them, as it took it from the range's
	// first end until now (a count of ends may find a range open that
	// the environments had closed).
	if (reopenedRest != nullptr)
		Do(reopenedRest);
	if (emptied != nullptr && !IsLoading() && emptied->previous != nullptr)
		Place(emptied, false);
	if (locked)
		window->Unlock();
	if (page != nullptr)
		page->NotSaved();
	if (result != nullptr)
		*result = created;
	return open;
}
