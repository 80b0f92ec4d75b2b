/*
 * WFinder: find and replace across the text elements of the visual page.
 *
 * The search walks the text elements in chain order from where the last
 * match ended. A match may run on from one text element into the ones that
 * directly follow it (the pieces of a paragraph the layout made), but not
 * across a tag: a word split by a bold change is not found as a whole. The
 * match is selected in the element where it begins and scrolled into view.
 *
 * Replace deletes the match, from every element it covers, and inserts the
 * replacement in its place; an empty replacement only deletes. The search
 * goes on after the inserted replacement, and Replace all does not wrap,
 * so it ends whatever the texts are. The page is laid out once, after the
 * last replacement. The whole search runs with the visual window locked.
 */
#ifndef QUILLORA_W_FINDER_H
#define QUILLORA_W_FINDER_H

#include "RFinder.h"

#include <string>

class WText;
class WYSIWYG_Element;
class WYSIWYG_Engine;

class WFinder : public RFinder {
public:
	WFinder(WYSIWYG_Engine* engine, BWindow* window);

	virtual bool Find();
	virtual void Reset();

	// Fields, in this order.
	WYSIWYG_Engine* engine;
	WText* current;
	int32 matchStart;
	int32 resumeOffset;

private:
	struct Position;

	void _SetCurrent(WText* text);

	// Where the search begins: `current` at `resumeOffset` when `current`
	// is still in the chain and the offset still in its text (an offset past
	// its end goes on into the pieces after it), else the top of the page.
	Position _Start();
	// The first match at or after `from`; false when there is none.
	bool _NextMatch(Position from, Position* match, int32* length);
	// The bytes from `at` on, over the text elements that follow directly,
	// until there are `count` of them (or the pieces end); zero-terminated.
	void _RunBytes(Position at, int32 count, std::string& bytes);
	bool _AtWordStart(Position at);
	// Replaces `length` bytes from `at` by the replacement text; returns
	// the position right after what was inserted.
	Position _Replace(Position at, int32 length);
	void _Show(Position at, int32 length);
	// `at` with an offset past the end of its element moved on into the
	// pieces that follow it (to the end of the last one at most).
	static Position _Forward(Position at);
	static WText* _FollowingPiece(WText* text);

	// `current` as an element of the chain, for finding it there by its
	// address alone, the value `current` had when it was taken, and how
	// often the chain had been emptied then.
	WYSIWYG_Element* fCurrentElement;
	WText* fCurrentSet;
	uint32 fEmptyCount;
};

#endif	// QUILLORA_W_FINDER_H
