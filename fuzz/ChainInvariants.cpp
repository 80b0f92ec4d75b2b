// The editing fuzz target's checks (see ChainInvariants.h).
#include "ChainInvariants.h"

#include <Alert.h>
#include <View.h>
#include <Window.h>

#include <set>

#include "Anchor.h"
#include "ChainDump.h"
#include "ChainText.h"
#include "EndLine.h"
#include "FuzzPage.h"
#include "List_Element.h"
#include "TextChange.h"
#include "WText.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

namespace quillora_fuzz {

namespace {

// Pairing queries walk the chain: a page with thousands of tags would make
// every step quadratic. The first ones are enough to find a broken chain.
const int kMaxPairQueries = 400;

// Reports a broken property at an element, with the session and the chain.
[[noreturn]] void
Broken(const char* what, int index, WYSIWYG_Engine* engine,
	const std::string& log)
{
	std::string where = std::string(what) + " (element "
		+ std::to_string(index) + ")";
	Fail(where.c_str(), log + "--- chain:\n" + DumpChain(engine));
}


// The partner of a paired tag, or the tag itself when it is no pair;
// *reported tells whether the query raised an alert.
WYSIWYG_Element*
Partner(WYSIWYG_Element* element, bool* opening, bool* reported)
{
	int32 before = FuzzAlerts()->CountAlerts();
	WYSIWYG_Element* partner = element;
	if (TextChange* change = dynamic_cast<TextChange*>(element)) {
		*opening = change->type > 0;
		TextChange* found = change->FindOpeningClosing();
		if (found != nullptr && found->type != -change->type)
			Fail("a style change pairs with another kind", DumpChain(element));
		partner = found;
	} else if (Anchor* anchor = dynamic_cast<Anchor*>(element)) {
		*opening = anchor->openTag;
		Anchor* found = anchor->FindOpeningClosing();
		if (found != nullptr && found->openTag == anchor->openTag)
			Fail("a link end pairs with an end of its own kind", "");
		partner = found;
	} else if (List* list = dynamic_cast<List*>(element)) {
		*opening = list->openTag;
		List* found = list->FindOpeningClosing();
		if (found != nullptr && found->openTag == list->openTag)
			Fail("a list end pairs with an end of its own kind", "");
		partner = found;
	}
	*reported = FuzzAlerts()->CountAlerts() > before;
	// A list end without a beginning says so once.
	if (List* list = dynamic_cast<List*>(element))
		*reported = *reported || list->errorShown;
	return partner;
}

}	// namespace


void
CheckChain(WYSIWYG_Engine* engine, const std::string& log)
{
	BWindow* window = engine->window;
	if (window == nullptr || !window->Lock())
		Fail("the visual window cannot be locked", log);

	WYSIWYG_Element* first = engine->first;
	if (first == nullptr)
		Fail("the chain has no first element", log);
	if (first->previous != nullptr)
		Fail("the first element has one before it", log);

	std::set<WYSIWYG_Element*> chain;
	std::set<BView*> views;
	bool afterTag = false;
	int index = 0;
	for (WYSIWYG_Element* e = first; e != nullptr; e = e->next, index++) {
		if (!chain.insert(e).second)
			Fail("the chain runs in a circle", log);
		if (e->engine != engine)
			Broken("an element of another engine", index, engine, log);
		if (e->next != nullptr && e->next->previous != e)
			Broken("the links disagree", index, engine, log);
		// Insertions may put a line break right after a tag; anything
		// else has a text before it.
		bool text = dynamic_cast<WText*>(e) != nullptr;
		bool lineBreak = dynamic_cast<EndLine*>(e) != nullptr;
		if (!text && (e == first || (afterTag && !lineBreak)))
			Broken("a tag without a text before it", index, engine, log);
		afterTag = !text;
		if (BView* view = e->View()) {
			views.insert(view);
			if (view->Parent() != engine->view)
				Broken("a view outside the main view", index, engine, log);
		}
	}
	if (afterTag)
		Broken("the chain ends in a tag", index, engine, log);
	if (engine->view->Window() != window)
		Fail("the main view is not in the window", log);
	// An element may keep a view it does not show (a definition term's
	// item has no mark): a child of the main view is either.
	for (int32 i = 0; i < engine->view->CountChildren(); i++) {
		BView* child = engine->view->ChildAt(i);
		WYSIWYG_Element* owner = dynamic_cast<WYSIWYG_Element*>(child);
		if (views.count(child) == 0 && chain.count(owner) == 0) {
			Fail("the main view holds the view of no element of the chain",
				log + "--- the view: " + (owner != nullptr
					? DumpElement(owner, -1) : std::string("no element's"))
				+ "\n--- chain:\n" + DumpChain(engine));
		}
	}

	WYSIWYG_Element* ends[] = { engine->firstSelection, engine->lastSelection,
		engine->RangeAnchor(nullptr), engine->RangeActive(nullptr) };
	for (WYSIWYG_Element* end : ends) {
		if (end != nullptr && chain.count(end) == 0)
			Fail("the selection names an element out of the chain", log);
	}
	if (WText* focus = dynamic_cast<WText*>(window->CurrentFocus())) {
		if (chain.count(focus) == 0)
			Fail("the focused text is out of the chain", log);
	}

	int queries = 0;
	index = 0;
	for (WYSIWYG_Element* e = first; e != nullptr && queries < kMaxPairQueries;
			e = e->next, index++) {
		bool opening = false;
		bool reported = false;
		WYSIWYG_Element* partner = Partner(e, &opening, &reported);
		if (partner == e)
			continue;
		queries++;
		if (partner == nullptr && !reported)
			Broken("an unpaired tag is not reported", index, engine, log);
		if (partner != nullptr && chain.count(partner) == 0)
			Broken("a tag's partner is out of the chain", index, engine, log);
		if (partner != nullptr) {
			// The opening end comes first.
			bool found = false;
			for (WYSIWYG_Element* p = opening ? e->next : e->previous;
					p != nullptr && !found; p = opening ? p->next : p->previous)
				found = p == partner;
			if (!found)
				Broken("a tag's partner is on the wrong side", index, engine, log);
		}
	}
	window->Unlock();

	BRecordingAlertResponder* alerts = FuzzAlerts();
	for (int32 i = 0; i < alerts->CountAlerts(); i++) {
		if (alerts->TextAt(i).compare(0, 15, "Internal error:") == 0)
			Fail("an internal error was reported", log + alerts->TextAt(i));
	}
}


void
CheckWholeLayout(WYSIWYG_Engine* engine, const std::string& log)
{
	BWindow* window = engine->window;
	if (window == nullptr || !window->Lock())
		Fail("the visual window cannot be locked", log);
	std::string pieces = quillora_test::FlowOf(DumpChain(engine));
	// As a page opened afresh: every environment from the top, then every
	// line.
	engine->Do(nullptr);
	engine->Place(nullptr, true);
	std::string whole = quillora_test::FlowOf(DumpChain(engine));
	window->Unlock();
	if (pieces != whole) {
		Fail("a whole layout moves what the edits laid out", log
			+ "--- whole (-) and after the edits (+):\n"
			+ quillora_test::DiffLines(whole, pieces) + "--- whole:\n" + whole);
	}
}

}	// namespace quillora_fuzz
