#include "WYSIWYG_View.h"

#include <AppDefs.h>
#include <Message.h>
#include <MessageQueue.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <Window.h>

#include <algorithm>

#include "HorizontalLine.h"
#include "Page.h"
#include "WText.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_Engine.h"

namespace {

// True while the window has messages waiting: a resize or scroll then is
// not the last one of its drag. The kit's own requests to repaint (which
// every move or resize of a view posts) are no such messages.
bool
WindowBusy(BView* view)
{
	BWindow* window = view->Window();
	if (window == nullptr)
		return false;
	BMessageQueue* queue = window->MessageQueue();
	if (queue == nullptr || !queue->Lock())
		return false;
	bool busy = false;
	int32 count = queue->CountMessages();
	for (int32 i = 0; i < count && !busy; i++) {
		BMessage* message = queue->FindMessage(i);
		busy = message != nullptr && message->what != _UPDATE_
			&& message->what != _UPDATE_IF_NEEDED_;
	}
	queue->Unlock();
	return busy;
}

}	// namespace

WYSIWYG_View::WYSIWYG_View(BRect frame, const char* name,
	WYSIWYG_Engine* engine)
	:
	BView(frame, name, B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW | B_PULSE_NEEDED | B_FRAME_EVENTS | B_FULL_UPDATE_ON_RESIZE),
	engine(engine),
	fResizeWaiting(false),
	fScrollWaiting(false),
	fSettlePosted(false)
{
	Page* page = engine != nullptr ? engine->page : nullptr;
	if (page != nullptr && page->backgroundColor != nullptr) {
		SetViewColor(*page->backgroundColor);
		SetLowColor(*page->backgroundColor);
	}
}

void
WYSIWYG_View::Draw(BRect update)
{
	BView::Draw(update);
	SetDrawingMode(B_OP_COPY);
	if (engine == nullptr)
		return;
	// Rules are painted on this view; the element views are its children
	// and the kit draws each of them over its own bounds after this. The
	// update has just painted the background, so there is nothing to erase
	// (and erasing would ask for another update). Only the rules are looked
	// at, not the whole chain, and only those whose band (2 to 4 pixels
	// below their place) meets the update are drawn. A rule out of the
	// chain has no previous element (a chain never begins with a rule).
	for (HorizontalLine* rule : HorizontalLine::AllRules()) {
		if (rule->engine != engine || rule->Previous() == nullptr)
			continue;
		float where = rule->LineTop() + 13.0f;
		if (where + 4.0f < update.top || where + 2.0f > update.bottom)
			continue;
		rule->Draw(where);
	}
}

void
WYSIWYG_View::FrameResized(float, float)
{
	if (engine == nullptr)
		return;
	if (WindowBusy(this)) {
		fResizeWaiting = true;
		_SettleLater();
		return;
	}
	fResizeWaiting = false;
	engine->Refresh();
}

void
WYSIWYG_View::ScrollTo(BPoint where)
{
	if (WindowBusy(this)) {
		fScrollWaiting = true;
		fScrollWaitingTo = where;
		_SettleLater();
		return;
	}
	fScrollWaiting = false;
	float y = where.y;
	BScrollBar* bar = engine != nullptr && engine->scrollView != nullptr
		? engine->scrollView->ScrollBar(B_VERTICAL) : nullptr;
	if (bar != nullptr) {
		float min, max;
		bar->GetRange(&min, &max);
		if (y > max)
			y = max;
	}
	if (y < 0)
		y = 0;
	BView::ScrollTo(BPoint(where.x, y));
}

void
WYSIWYG_View::MessageReceived(BMessage* message)
{
	if (message->what != kMsgViewSettle) {
		BView::MessageReceived(message);
		return;
	}
	// Still busy, each puts itself off again behind what waits now.
	fSettlePosted = false;
	if (fResizeWaiting)
		FrameResized(Bounds().Width(), Bounds().Height());
	if (fScrollWaiting)
		ScrollTo(fScrollWaitingTo);
}

void
WYSIWYG_View::MouseDown(BPoint where)
{
	if (engine == nullptr)
		return;
	// The nearest text by height, then by column. Lines run down the page
	// in the chain's order, so the walk ends after a line whose texts all
	// begin further below the click than the best one found.
	WText* best = nullptr;
	float bestDy = 0;
	float bestDx = 0;
	float lineTop = -1;
	for (WYSIWYG_Element* e = engine->FirstElement(); e != nullptr;
			e = e->next) {
		WText* text = dynamic_cast<WText*>(e);
		if (text != nullptr && !text->IsHidden()) {
			BRect frame = text->Frame();
			if (lineTop < 0 || frame.top < lineTop)
				lineTop = frame.top;
			float dy = std::max(std::max(frame.top - where.y,
				where.y - frame.bottom), 0.0f);
			float dx = std::max(std::max(frame.left - where.x,
				where.x - frame.right), 0.0f);
			if (best == nullptr || dy < bestDy
				|| (dy == bestDy && dx < bestDx)) {
				best = text;
				bestDy = dy;
				bestDx = dx;
			}
		}
		if (e->eolStatus != 0) {
			if (best != nullptr && lineTop - where.y > bestDy)
				break;
			lineTop = -1;
		}
	}
	if (best == nullptr)
		return;
	BRect frame = best->Frame();
	float inside = where.x - frame.left;
	int32 caret = inside <= 0 ? 0
		: best->OffsetAt(BPoint(inside, (frame.bottom - frame.top) / 2));
	// A click puts the caret somewhere new: a selection across elements is
	// over.
	engine->ClearRange();
	best->Select(caret, caret);
	best->MakeFocus(true);
	best->Select(caret, caret);
}

// Without this, a resize put off behind some other message (a pulse, a
// note from another window) would leave the page laid out for the old width
// until the next resize.
void
WYSIWYG_View::_SettleLater()
{
	BWindow* window = Window();
	if (fSettlePosted || window == nullptr)
		return;
	fSettlePosted = window->PostMessage(kMsgViewSettle, this) == B_OK;
}
