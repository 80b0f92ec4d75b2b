// BListView: rows of items, a single or multiple selection, and messages.
#include <ListView.h>

#include <Message.h>
#include <ScrollBar.h>
#include <Window.h>

#include <algorithm>
#include <cmath>

#include "ControlLook.h"

BListView::BListView(BRect frame, const char* name, list_view_type type,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags),
	BInvoker(),
	fSelectMessage(NULL),
	fListType(type),
	fAnchor(-1),
	fLastClick(0),
	fLastClickIndex(-1)
{
	SetViewColor(255, 255, 255);
	SetLowColor(255, 255, 255);
}


BListView::~BListView()
{
	delete fSelectMessage;
}


void
BListView::AttachedToWindow()
{
	_SetFallbackTarget(Window());
	_Relayout();
	BView::AttachedToWindow();
}


void
BListView::_Relayout()
{
	BFont font;
	GetFont(&font);
	for (BListItem* item : fItems)
		item->Update(this, &font);
	_UpdateScrollBars();
	Invalidate();
}


float
BListView::_ItemTop(int32 index) const
{
	float top = 0;
	for (int32 i = 0; i < index && i < CountItems(); i++)
		top += ceilf(fItems[i]->Height());
	return top;
}


BRect
BListView::ItemFrame(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return BRect();
	float top = _ItemTop(index);
	BRect bounds = Bounds();
	return BRect(bounds.left, top, bounds.right,
		top + ceilf(fItems[index]->Height()) - 1);
}


void
BListView::Draw(BRect updateRect)
{
	float top = 0;
	BRect bounds = Bounds();
	for (BListItem* item : fItems) {
		float height = ceilf(item->Height());
		BRect frame(bounds.left, top, bounds.right, top + height - 1);
		if (frame.Intersects(updateRect))
			item->DrawItem(this, frame, true);
		top += height;
		if (top > updateRect.bottom)
			break;
	}
}


void
BListView::MouseDown(BPoint where)
{
	if (Flags() & B_NAVIGABLE)
		MakeFocus(true);
	int32 clicks = 1;
	int32 buttons = 0;
	int32 modifiers = 0;
	BMessage* current = Window() != NULL ? Window()->CurrentMessage() : NULL;
	if (current != NULL) {
		// A failed find gives 0: a press without a count is one click.
		if (current->FindInt32("clicks", &clicks) != B_OK)
			clicks = 1;
		current->FindInt32("buttons", &buttons);
		current->FindInt32("modifiers", &modifiers);
	}
	int32 index = IndexOf(where);
	if (index < 0) {
		// Below the last row: the selection goes.
		DeselectAll();
		fLastClickIndex = -1;
		return;
	}
	if (clicks >= 2 && index == fLastClickIndex) {
		if (!IsItemSelected(index))
			Select(index);
		Invoke();
		return;
	}
	fLastClickIndex = index;
	fLastClick = BPrivate::controls_now();
	if (fListType == B_MULTIPLE_SELECTION_LIST
		&& (modifiers & (B_SHIFT_KEY | B_COMMAND_KEY)) != 0) {
		if (modifiers & B_SHIFT_KEY) {
			int32 anchor = fAnchor >= 0 ? fAnchor : index;
			Select(std::min(anchor, index), std::max(anchor, index), false);
			fAnchor = anchor;
		} else if (IsItemSelected(index))
			Deselect(index);
		else
			Select(index, true);
		return;
	}
	Select(index);
}


void
BListView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes <= 0) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	int32 current = CurrentSelection();
	switch (bytes[0]) {
		case B_UP_ARROW:
			if (current > 0)
				Select(current - 1);
			else if (current < 0 && CountItems() > 0)
				Select(CountItems() - 1);
			ScrollToSelection();
			break;
		case B_DOWN_ARROW:
			if (current < CountItems() - 1)
				Select(current + 1);
			ScrollToSelection();
			break;
		case B_HOME:
			if (CountItems() > 0)
				Select(0);
			ScrollToSelection();
			break;
		case B_END:
			if (CountItems() > 0)
				Select(CountItems() - 1);
			ScrollToSelection();
			break;
		case B_ENTER:
		case B_SPACE:
			if (current >= 0)
				Invoke();
			break;
		default:
			BView::KeyDown(bytes, numBytes);
	}
}


void
BListView::MakeFocus(bool focused)
{
	if (focused == IsFocus())
		return;
	BView::MakeFocus(focused);
	if (Parent() != NULL)
		Parent()->Invalidate();
}


void
BListView::FrameResized(float width, float height)
{
	_Relayout();
	BView::FrameResized(width, height);
}


void
BListView::TargetedByScrollView(BScrollView* scrollView)
{
	BView::TargetedByScrollView(scrollView);
	_UpdateScrollBars();
}


void
BListView::GetPreferredSize(float* width, float* height)
{
	float w = 0;
	for (BListItem* item : fItems)
		w = std::max(w, item->Width());
	if (width != NULL)
		*width = w;
	if (height != NULL)
		*height = _ItemTop(CountItems());
}


bool
BListView::AddItem(BListItem* item)
{
	return AddItem(item, CountItems());
}


bool
BListView::AddItem(BListItem* item, int32 atIndex)
{
	if (item == NULL || atIndex < 0 || atIndex > CountItems())
		return false;
	fItems.insert(fItems.begin() + atIndex, item);
	BFont font;
	GetFont(&font);
	item->Update(this, &font);
	if (fAnchor >= atIndex)
		fAnchor++;
	_UpdateScrollBars();
	Invalidate();
	return true;
}


bool
BListView::RemoveItem(BListItem* item)
{
	return RemoveItem(IndexOf(item)) != NULL;
}


BListItem*
BListView::RemoveItem(int32 index)
{
	if (index < 0 || index >= CountItems())
		return NULL;
	BListItem* item = fItems[index];
	bool wasSelected = item->IsSelected();
	item->Deselect();
	fItems.erase(fItems.begin() + index);
	if (fAnchor == index)
		fAnchor = -1;
	else if (fAnchor > index)
		fAnchor--;
	_UpdateScrollBars();
	Invalidate();
	if (wasSelected) {
		SelectionChanged();
		_PostSelection();
	}
	return item;
}


bool
BListView::RemoveItems(int32 index, int32 count)
{
	if (index < 0 || count < 0 || index + count > CountItems())
		return false;
	for (int32 i = 0; i < count; i++)
		RemoveItem(index);
	return true;
}


void
BListView::MakeEmpty()
{
	bool hadSelection = CurrentSelection() >= 0;
	for (BListItem* item : fItems)
		item->Deselect();
	fItems.clear();
	fAnchor = -1;
	fLastClickIndex = -1;
	_UpdateScrollBars();
	Invalidate();
	if (hadSelection) {
		SelectionChanged();
		_PostSelection();
	}
}


BListItem*
BListView::ItemAt(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return NULL;
	return fItems[index];
}


int32
BListView::IndexOf(BPoint point) const
{
	float top = 0;
	for (int32 i = 0; i < CountItems(); i++) {
		float height = ceilf(fItems[i]->Height());
		if (point.y >= top && point.y < top + height)
			return i;
		top += height;
	}
	return -1;
}


int32
BListView::IndexOf(BListItem* item) const
{
	auto found = std::find(fItems.begin(), fItems.end(), item);
	return found == fItems.end() ? -1 : (int32)(found - fItems.begin());
}


BListItem*
BListView::FirstItem() const
{
	return ItemAt(0);
}


BListItem*
BListView::LastItem() const
{
	return ItemAt(CountItems() - 1);
}


bool
BListView::HasItem(BListItem* item) const
{
	return IndexOf(item) >= 0;
}


int32
BListView::CountItems() const
{
	return (int32)fItems.size();
}


bool
BListView::IsEmpty() const
{
	return fItems.empty();
}


void
BListView::SetSelectionMessage(BMessage* message)
{
	delete fSelectMessage;
	fSelectMessage = message;
}


void
BListView::SetInvocationMessage(BMessage* message)
{
	SetMessage(message);
}


uint32
BListView::SelectionCommand() const
{
	return fSelectMessage != NULL ? fSelectMessage->what : 0;
}


BMessage*
BListView::InvocationMessage() const
{
	return Message();
}


uint32
BListView::InvocationCommand() const
{
	return Command();
}


void
BListView::SetListType(list_view_type type)
{
	if (fListType == B_MULTIPLE_SELECTION_LIST
		&& type == B_SINGLE_SELECTION_LIST) {
		int32 first = CurrentSelection();
		if (first >= 0)
			DeselectExcept(first, first);
	}
	fListType = type;
}


bool
BListView::_SetSelection(int32 from, int32 to, bool extend)
{
	if (fListType == B_SINGLE_SELECTION_LIST) {
		to = from;
		extend = false;
	}
	bool changed = false;
	for (int32 i = 0; i < CountItems(); i++) {
		bool select = i >= from && i <= to;
		BListItem* item = fItems[i];
		if (select && !item->IsSelected()) {
			item->Select();
			changed = true;
			InvalidateItem(i);
		} else if (!select && !extend && item->IsSelected()) {
			item->Deselect();
			changed = true;
			InvalidateItem(i);
		}
	}
	fAnchor = from;
	return changed;
}


void
BListView::Select(int32 index, bool extend)
{
	if (index < 0 || index >= CountItems())
		return;
	Select(index, index, extend);
}


void
BListView::Select(int32 from, int32 to, bool extend)
{
	if (from < 0 || to < from || to >= CountItems())
		return;
	if (_SetSelection(from, to, extend)) {
		SelectionChanged();
		_PostSelection();
	}
}


bool
BListView::IsItemSelected(int32 index) const
{
	BListItem* item = ItemAt(index);
	return item != NULL && item->IsSelected();
}


int32
BListView::CurrentSelection(int32 index) const
{
	int32 seen = 0;
	for (int32 i = 0; i < CountItems(); i++) {
		if (fItems[i]->IsSelected()) {
			if (seen == index)
				return i;
			seen++;
		}
	}
	return -1;
}


void
BListView::DeselectAll()
{
	DeselectExcept(0, -1);
}


void
BListView::DeselectExcept(int32 from, int32 to)
{
	bool changed = false;
	for (int32 i = 0; i < CountItems(); i++) {
		if ((i < from || i > to) && fItems[i]->IsSelected()) {
			fItems[i]->Deselect();
			InvalidateItem(i);
			changed = true;
		}
	}
	if (changed) {
		SelectionChanged();
		_PostSelection();
	}
}


void
BListView::Deselect(int32 index)
{
	BListItem* item = ItemAt(index);
	if (item == NULL || !item->IsSelected())
		return;
	item->Deselect();
	InvalidateItem(index);
	SelectionChanged();
	_PostSelection();
}


status_t
BListView::Invoke(BMessage* message)
{
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", BPrivate::controls_now());
	copy.AddPointer("source", static_cast<BListView*>(this));
	for (int32 i = 0; i < CountItems(); i++) {
		if (fItems[i]->IsSelected())
			copy.AddInt32("index", i);
	}
	_SetFallbackTarget(Window());
	return _PostCopy(&copy, static_cast<BListView*>(this));
}


void
BListView::SelectionChanged()
{
}


void
BListView::_PostSelection()
{
	if (fSelectMessage != NULL)
		Invoke(fSelectMessage);
}


void
BListView::SortItems(int (*compare)(const void*, const void*))
{
	std::stable_sort(fItems.begin(), fItems.end(),
		[compare](BListItem* a, BListItem* b) {
			return compare(&a, &b) < 0;
		});
	Invalidate();
}


void
BListView::InvalidateItem(int32 index)
{
	if (Window() != NULL)
		Invalidate(ItemFrame(index));
}


void
BListView::ScrollToSelection()
{
	int32 selected = CurrentSelection();
	if (selected < 0)
		return;
	BRect frame = ItemFrame(selected);
	BRect bounds = Bounds();
	if (frame.top < bounds.top)
		ScrollTo(bounds.left, frame.top);
	else if (frame.bottom > bounds.bottom)
		ScrollTo(bounds.left, frame.bottom - bounds.Height());
}


void
BListView::_UpdateScrollBars()
{
	BScrollBar* bar = ScrollBar(B_VERTICAL);
	if (bar == NULL)
		return;
	float total = _ItemTop(CountItems());
	float visible = Bounds().Height() + 1;
	float max = total > visible ? total - visible : 0;
	bar->SetRange(0, max);
	bar->SetProportion(total > 0 ? std::min(1.0f, visible / total) : 1.0f);
	float step = CountItems() > 0 ? ceilf(fItems[0]->Height()) : 12;
	bar->SetSteps(step, visible > step ? visible - step : step);
}
