// Line breaking, mouse, focus and scrolling of a text element. Its keys are
// in WTextKeys.cpp.

#include "WText.h"

#include <InterfaceDefs.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <Window.h>

#include "Anchor.h"
#include "EndLine.h"
#include "Page.h"
#include "TAGSettingsWindow.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"

namespace {

// A line broken inside preformatted text ends with the page's own line
// feed, as its other lines do, not with a BR. `made` is what inserting the
// break returned: the break itself or the text after it.
void
KeepPreformatted(WText* text, WYSIWYG_Element* made)
{
	if (made == nullptr || text->environment->preformatted == kFlowingText)
		return;
	EndLine* end = dynamic_cast<EndLine*>(made);
	if (end == nullptr)
		end = dynamic_cast<EndLine*>(made->previous);
	if (end != nullptr) {
		end->SetType(kPreformattedLine);
		end->Do();
	}
}

}	// namespace

WText*
WText::Enter()
{
	int32 start, end;
	GetSelection(&start, &end);
	if (start < end) {
		Delete(start, end);
		Select(start, start);
	}
	int32 caret = start;
	int32 length = TextLength();
	WText* result = this;
	if (engine == nullptr)
		return this;
	if (caret > 0 && caret < length) {
		WText* added = engine->SplitText(this, caret, false);
		// Laying the split out may have given the head to the line above,
		// joined into the text there: the break goes after whatever comes
		// before the piece split off now.
		WYSIWYG_Element* at = added != nullptr && added->previous != nullptr
			? added->previous : this;
		KeepPreformatted(this, engine->InsertAt(at, 13, nullptr));
		if (added != nullptr)
			result = added;
	} else if (caret == 0 && length > 0 && this != engine->FirstElement()) {
		engine->SetDontJoin(this, true);
		KeepPreformatted(this, engine->InsertAt(previous, 13, nullptr));
		engine->SetDontJoin(this, false);
		result = this;
	} else if (caret == length && dynamic_cast<EndLine*>(next) != nullptr) {
		// At the end of a line the page ends with a break or a paragraph:
		// a new line before that end (a break put in there would only
		// retype it).
		WText* line = engine->InsertLineBefore(this);
		KeepPreformatted(this, line);
		result = line;
	} else {
		WYSIWYG_Element* made = engine->InsertAt(this, 13, nullptr);
		KeepPreformatted(this, made);
		WText* text = dynamic_cast<WText*>(made);
		if (text == nullptr && made != nullptr)
			text = dynamic_cast<WText*>(engine->InsertAt(made, 1, nullptr));
		if (text != nullptr)
			result = text;
	}
	// This text may have been joined into the one before it (see above);
	// then the line of the caret is what is left to lay out.
	bool linked = this == engine->FirstElement() || previous != nullptr;
	engine->Place(linked ? this : result, false);
	if (linked && next != nullptr)
		engine->Place(next, false);
	engine->ResetScrollRange();
	return result;
}

void
WText::MouseDown(BPoint where)
{
	// A click puts the caret somewhere new: a selection across elements
	// is over.
	if (engine != nullptr)
		engine->ClearRange();
	BMessage* message = Window() != nullptr ? Window()->CurrentMessage()
		: nullptr;
	int32 buttons = 0;
	if (CurrentAnchor() != nullptr && message != nullptr
		&& message->FindInt32("buttons", &buttons) == B_OK
		&& (buttons & B_SECONDARY_MOUSE_BUTTON) != 0)
		_LinkPopUp(where);
	BTextView::MouseDown(where);
}

void
WText::_LinkPopUp(BPoint where)
{
	// The menu is run here and waited for; its item's message is not used.
	BPopUpMenu menu("", false, false, B_ITEMS_IN_COLUMN);
	BMenuItem* item = new BMenuItem(Anchor::kSettingsLabel,
		new BMessage('    '));
	menu.AddItem(item);
	if (menu.Go(ConvertToScreen(where), false, false, false) == item)
		TAGSettingsWindow::Open(CurrentAnchor());
}

void
WText::MakeFocus(bool focus)
{
	if (!LockLooper())
		return;
	BTextView::MakeFocus(focus);
	Invalidate(Bounds());
	if (focus)
		ScrollToSelection();
	else {
		int32 start, end;
		GetSelection(&start, &end);
		Select(end, end);
	}
	UnlockLooper();
}

void
WText::ScrollToSelection()
{
	if (engine == nullptr || engine->view == nullptr)
		return;
	BView* main = engine->view;
	BRect bounds = main->Bounds();
	float h = bounds.bottom - bounds.top;
	float bottom = LineBottom() + 2.0f;
	float top = LineTop() - 2.0f;
	// Compared with the visible part of the page, so that a line that is
	// already in view does not move.
	if (top < bounds.top) {
		float y = bottom - 0.88f * h;
		main->ScrollTo(BPoint(bounds.left, y < 0 ? 0 : y));
	} else if (bottom > bounds.bottom)
		main->ScrollTo(BPoint(bounds.left, bottom - 0.12f * h));
}
