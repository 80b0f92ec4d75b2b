/*
 * WFinder: find and replace across the visual page's text elements.
 */
#include "WFinder.h"

#include <Beep.h>
#include <Font.h>
#include <Window.h>

#include <string>
#include <typeinfo>

#include "Page.h"
#include "WText.h"
#include "WYSIWYG_Engine.h"

namespace {

// The element as a text element, or null. A search looks at every element
// of the page, and the cross cast from the element base is slow: plain
// text elements, most of a page, are told by their exact type first.
inline WText*
as_text(WYSIWYG_Element* element)
{
	if (element == nullptr)
		return nullptr;
	if (typeid(*element) == typeid(WText))
		return static_cast<WText*>(element);
	return dynamic_cast<WText*>(element);
}


// The next text element of the chain after `text`, whatever lies between.
WText*
next_text(WText* text)
{
	for (WYSIWYG_Element* element = text->next; element != nullptr;
			element = element->next) {
		if (WText* found = as_text(element))
			return found;
	}
	return nullptr;
}


bool
in_chain(WYSIWYG_Engine* engine, WYSIWYG_Element* element)
{
	// Taking an element out of the chain clears its links.
	return element != nullptr
		&& (element == engine->FirstElement() || element->previous != nullptr);
}

}	// namespace


struct WFinder::Position {
	WText* text;
	int32 offset;
};


WFinder::WFinder(WYSIWYG_Engine* pageEngine, BWindow* window)
	:
	RFinder(window),
	engine(pageEngine),
	current(nullptr),
	matchStart(0),
	resumeOffset(0),
	fCurrentElement(nullptr),
	fCurrentSet(nullptr),
	fEmptyCount(0)
{
	Reset();
	// Shown once so that the dialog's looper runs, then hidden until
	// "Find…".
	Show();
	Hide();
}


void
WFinder::Reset()
{
	WYSIWYG_Element* first = engine != nullptr ? engine->FirstElement()
		: nullptr;
	_SetCurrent(as_text(first));
	matchStart = 0;
	resumeOffset = 0;
}


void
WFinder::_SetCurrent(WText* text)
{
	current = text;
	fCurrentSet = text;
	fCurrentElement = text;
	fEmptyCount = engine != nullptr ? engine->EmptyCount() : 0;
}


WText*
WFinder::_FollowingPiece(WText* text)
{
	return as_text(text->next);
}


WFinder::Position
WFinder::_Forward(Position at)
{
	while (at.text != nullptr && at.offset > at.text->TextLength()) {
		WText* following = _FollowingPiece(at.text);
		if (following == nullptr) {
			at.offset = at.text->TextLength();
			break;
		}
		at.offset -= at.text->TextLength();
		at.text = following;
	}
	return at;
}


WFinder::Position
WFinder::_Start()
{
	// Whoever set the public field directly set it to a live element.
	if (current != fCurrentSet)
		_SetCurrent(current);
	// The element of the last match may have left the chain (a line joined
	// away) and lives on until the chain is emptied ("Delete all", a
	// reload), which deletes it: it is looked for by its address only,
	// never touched unless it is found.
	bool found = false;
	if (fCurrentElement != nullptr && fEmptyCount == engine->EmptyCount()) {
		for (WYSIWYG_Element* element = engine->FirstElement();
				element != nullptr; element = element->next) {
			if (element == fCurrentElement) {
				// A new element may sit where a deleted one was: it counts
				// only when it is the text element `current` names.
				found = as_text(element) == current;
				break;
			}
		}
	}
	if (!found || resumeOffset < 0)
		Reset();
	return _Forward(Position{ current, resumeOffset });
}


bool
WFinder::_AtWordStart(Position at)
{
	if (at.offset > 0)
		return AtWordStart(at.text->Text(), at.offset);
	// At the start of a piece the word may have begun in the piece before;
	// after a tag a new word begins.
	WText* before = as_text(at.text->previous);
	if (before == nullptr)
		return true;
	return AtWordStart(before->Text(), before->TextLength());
}


void
WFinder::_RunBytes(Position at, int32 count, std::string& bytes)
{
	bytes.assign(at.text->Text() + at.offset,
		size_t(at.text->TextLength() - at.offset));
	for (WText* piece = _FollowingPiece(at.text);
			piece != nullptr && int32(bytes.size()) < count;
			piece = _FollowingPiece(piece))
		bytes.append(piece->Text(), size_t(piece->TextLength()));
}


bool
WFinder::_NextMatch(Position from, Position* match, int32* matchLength)
{
	const FindPattern& pattern = Pattern();
	if (pattern.IsEmpty())
		return false;
	// What a match may take, and the character after it for "Whole word".
	int32 reach = pattern.MaxMatchLength() + 4;
	std::string run;
	for (WText* text = from.text; text != nullptr; text = next_text(text)) {
		int32 length = text->TextLength();
		const char* bytes = text->Text();
		// From character to character: a match never begins inside one,
		// nor inside a reference after its mark.
		for (int32 i = text == from.text ? from.offset : 0; i < length;
				i += pattern.CharacterLength(bytes + i, length - i)) {
			if (!pattern.MayStartWith((uint8)bytes[i]))
				continue;
			bool atWordStart = _AtWordStart(Position{ text, i });
			int32 found;
			if (length - i >= reach)
				found = Compare((char*)bytes + i, atWordStart);
			else {
				// Near its end a match may go on into the following pieces.
				_RunBytes(Position{ text, i }, reach, run);
				found = Compare(&run[0], atWordStart);
			}
			if (found > 0) {
				*match = Position{ text, i };
				*matchLength = found;
				return true;
			}
			bytes = text->Text();
		}
	}
	return false;
}


WFinder::Position
WFinder::_Replace(Position at, int32 length)
{
	WText* text = at.text;
	int32 inFirst = text->TextLength() - at.offset;
	if (inFirst > length)
		inFirst = length;
	// The rest of a match that runs on into the following pieces goes
	// from them too.
	int32 rest = length - inFirst;
	for (WText* piece = _FollowingPiece(text); piece != nullptr && rest > 0;
			piece = _FollowingPiece(piece)) {
		int32 take = piece->TextLength() < rest ? piece->TextLength() : rest;
		if (take > 0)
			piece->Delete(0, take);
		rest -= take;
	}
	if (inFirst > 0)
		text->Delete(at.offset, at.offset + inFirst);

	// Inserted as text, not typed: every byte goes in as it is, under the
	// element's rule for white space.
	const std::string& replacement = Replacement();
	int32 before = text->TextLength();
	if (!replacement.empty())
		text->Insert(at.offset, replacement.data(), int32(replacement.size()));
	return Position{ text, at.offset + text->TextLength() - before };
}


void
WFinder::_Show(Position at, int32 length)
{
	WText* text = at.text;
	if (text == nullptr || !in_chain(engine, text))
		return;
	text->MakeFocus(true);
	text->ScrollToSelection();
	text->Select(at.offset, at.offset + length);
}


bool
WFinder::Find()
{
	BWindow* window = engine != nullptr ? engine->window : nullptr;
	if (window == nullptr || !window->Lock())
		return false;

	Position at = _Start();
	bool fromTop = current == as_text(engine->FirstElement())
		&& resumeOffset == 0;
	// The texts are in the encoding of their fonts, which keep references
	// after a mark and no-break spaces as one byte.
	const BFont* font = at.text != nullptr ? at.text->environment->font
		: nullptr;
	if (font != nullptr)
		PrepareSearch(font->Encoding(), font->ReferenceMark(),
			font->NoBreakSpace());
	else
		PrepareSearch(B_ISO_8859_1);

	bool found = false;
	WText* firstChanged = nullptr;
	Position match;
	int32 length = 0;
	while (at.text != nullptr && _NextMatch(at, &match, &length)) {
		found = true;
		_SetCurrent(match.text);
		matchStart = match.offset;
		// The offset stays relative to the element of the match even when
		// it lies past its end: the layout may move the bytes after the
		// match into the next piece, where _Forward() finds them again.
		if (replace) {
			if (firstChanged == nullptr)
				firstChanged = match.text;
			at = _Replace(match, length);
			resumeOffset = at.offset;
		} else {
			resumeOffset = match.offset + length;
			at = _Forward(Position{ match.text, resumeOffset });
		}
		if (single)
			break;
	}

	if (firstChanged != nullptr) {
		// One layout for all the replacements: from the line before the
		// first change (its words may now fit there), to the end of the
		// page for Replace all, over the changed paragraph otherwise.
		WYSIWYG_Element* before = firstChanged->previous;
		engine->Place(before != nullptr ? before : firstChanged, !single);
		if (single && before != nullptr && in_chain(engine, firstChanged))
			engine->Place(firstChanged, false);
		if (engine->page != nullptr)
			engine->page->NotSaved();
		_Show(_Forward(Position{ current, resumeOffset }), 0);
	} else if (found)
		_Show(Position{ current, matchStart }, resumeOffset - matchStart);
	window->Unlock();

	if (found) {
		// A search for every match ran to the end of the page.
		if (!single)
			beep();
		return true;
	}
	if (wrap && single && !fromTop) {
		Reset();
		Find();
		return false;
	}
	beep();
	return false;
}
