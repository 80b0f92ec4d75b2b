// BTabView and BTab: slanted tabs over a bevelled box holding the pages.
#include <TabView.h>

#include <Window.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ControlLook.h"

BTab::BTab(BView* contents)
	:
	fView(contents),
	fLabel(NULL),
	fTabView(NULL),
	fSelected(false),
	fEnabled(true),
	fFocus(false)
{
}


BTab::~BTab()
{
	if (fView != NULL) {
		if (fView->Parent() != NULL)
			fView->RemoveSelf();
		delete fView;
	}
	delete[] fLabel;
}


const char*
BTab::Label() const
{
	if (fLabel != NULL)
		return fLabel;
	return fView != NULL ? fView->Name() : NULL;
}


void
BTab::SetLabel(const char* label)
{
	delete[] fLabel;
	fLabel = NULL;
	if (label != NULL) {
		size_t length = strlen(label);
		fLabel = new char[length + 1];
		memcpy(fLabel, label, length + 1);
	}
	if (fTabView != NULL)
		fTabView->Invalidate();
}


void
BTab::Select(BView*)
{
	if (fSelected)
		return;
	fSelected = true;
	if (fView != NULL)
		fView->Show();
}


void
BTab::Deselect()
{
	if (!fSelected)
		return;
	fSelected = false;
	if (fView != NULL)
		fView->Hide();
}


void
BTab::SetEnabled(bool enabled)
{
	fEnabled = enabled;
	if (fTabView != NULL)
		fTabView->Invalidate();
}


void
BTab::SetView(BView* view)
{
	if (view == fView)
		return;
	BView* container = fTabView != NULL ? fTabView->ContainerView() : NULL;
	if (fView != NULL) {
		if (fView->Parent() != NULL)
			fView->RemoveSelf();
		delete fView;
	}
	fView = view;
	if (view != NULL && container != NULL) {
		container->AddChild(view);
		if (!fSelected)
			view->Hide();
	}
}


void
BTab::DrawFocusMark(BView* owner, BRect frame)
{
	const char* label = Label();
	if (label == NULL)
		return;
	BPrivate::set_label_encoding(owner, label);
	float width = owner->StringWidth(label);
	float x = floorf(frame.left + (frame.Width() - width) / 2);
	owner->SetHighColor(BPrivate::focus_color());
	owner->StrokeLine(BPoint(x, frame.bottom - 4),
		BPoint(x + width, frame.bottom - 4));
}


void
BTab::DrawLabel(BView* owner, BRect frame)
{
	owner->SetLowColor(BPrivate::panel_color());
	BPrivate::draw_label(owner, frame, Label(), B_ALIGN_CENTER,
		fEnabled && (fTabView == NULL || true));
}


void
BTab::DrawTab(BView* owner, BRect frame, tab_position position, bool)
{
	// The BeOS tab: sloped sides, white on the left and top, shadow and
	// dark on the right; the front tab stands one pixel higher and open
	// at the bottom.
	bool front = position == B_TAB_FRONT;
	BRect tab = frame;
	if (!front)
		tab.top += 2;
	float slope = 6;
	owner->SetHighColor(BPrivate::panel_color());
	BPoint shape[4] = {
		BPoint(tab.left, tab.bottom),
		BPoint(tab.left + slope, tab.top),
		BPoint(tab.right - slope, tab.top),
		BPoint(tab.right, tab.bottom)
	};
	owner->FillPolygon(shape, 4);
	owner->BeginLineArray(4);
	owner->AddLine(shape[0], shape[1], BPrivate::shine_color());
	owner->AddLine(shape[1], shape[2], BPrivate::shine_color());
	owner->AddLine(shape[2], shape[3], BPrivate::dark_color());
	owner->AddLine(BPoint(shape[2].x - 1, shape[2].y + 1),
		BPoint(shape[3].x - 1, shape[3].y), BPrivate::shadow_color());
	owner->EndLineArray();
	DrawLabel(owner, tab.InsetByCopy(slope, 0));
	if (fFocus && fTabView != NULL && fTabView->IsFocus())
		DrawFocusMark(owner, tab);
}


// #pragma mark - BTabView


BTabView::BTabView(BRect frame, const char* name, button_width width,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags),
	fContainer(NULL),
	fTabWidthSetting(width),
	fTabHeight(0),
	fSelection(-1),
	fFocus(-1)
{
	SetViewColor(BPrivate::panel_color());
	SetLowColor(BPrivate::panel_color());
	BFont font;
	GetFont(&font);
	fTabHeight = BPrivate::font_line_height(font) + 8;
	fContainer = new BView(BRect(0, 0, 10, 10), "view container",
		B_FOLLOW_ALL, B_FRAME_EVENTS);
	fContainer->SetViewColor(BPrivate::panel_color());
	fContainer->SetLowColor(BPrivate::panel_color());
	AddChild(fContainer);
	_LayoutContainer();
}


BTabView::~BTabView()
{
	for (BTab* tab : fTabs)
		delete tab;
	fTabs.clear();
}


void
BTabView::_LayoutContainer()
{
	BRect bounds = Bounds();
	BRect frame(2, fTabHeight + 2, bounds.right - 2, bounds.bottom - 2);
	if (frame.bottom < frame.top)
		frame.bottom = frame.top;
	fContainer->MoveTo(frame.LeftTop());
	fContainer->ResizeTo(frame.Width(), frame.Height());
}


void
BTabView::AttachedToWindow()
{
	BView::AttachedToWindow();
	if (fSelection < 0 && !fTabs.empty())
		Select(0);
}


void
BTabView::Draw(BRect)
{
	BRect selected = fSelection >= 0 ? TabFrame(fSelection) : BRect();
	DrawBox(selected);
	DrawTabs();
}


BRect
BTabView::DrawBox(BRect selectedTabRect)
{
	BRect box = Bounds();
	box.top = fTabHeight;
	BeginLineArray(6);
	AddLine(box.LeftBottom(), box.LeftTop(), BPrivate::shine_color());
	if (selectedTabRect.IsValid()) {
		AddLine(box.LeftTop(), BPoint(selectedTabRect.left, box.top),
			BPrivate::shine_color());
		AddLine(BPoint(selectedTabRect.right, box.top), box.RightTop(),
			BPrivate::shine_color());
	} else
		AddLine(box.LeftTop(), box.RightTop(), BPrivate::shine_color());
	AddLine(box.RightTop(), box.RightBottom(), BPrivate::dark_color());
	AddLine(box.RightBottom(), box.LeftBottom(), BPrivate::dark_color());
	AddLine(BPoint(box.right - 1, box.top + 1),
		BPoint(box.right - 1, box.bottom - 1), BPrivate::shadow_color());
	EndLineArray();
	return box;
}


void
BTabView::DrawTabs()
{
	// Back tabs first, the front tab last so that it covers their edges.
	for (int32 i = 0; i < CountTabs(); i++) {
		if (i != fSelection)
			fTabs[i]->DrawTab(this, TabFrame(i), i == 0 ? B_TAB_FIRST
				: B_TAB_ANY);
	}
	if (fSelection >= 0 && fSelection < CountTabs())
		fTabs[fSelection]->DrawTab(this, TabFrame(fSelection), B_TAB_FRONT);
}


BRect
BTabView::TabFrame(int32 index) const
{
	if (index < 0 || index >= CountTabs())
		return BRect();
	BFont font;
	GetFont(&font);
	float widest = 0;
	for (BTab* tab : fTabs) {
		const char* label = tab->Label();
		widest = std::max(widest,
			label != NULL ? BPrivate::label_width(font, label) : 0);
	}
	float x = 4;
	for (int32 i = 0; i <= index; i++) {
		const char* label = fTabs[i]->Label();
		float labelWidth = label != NULL ? ceilf(BPrivate::label_width(font, label)) : 0;
		float width;
		switch (fTabWidthSetting) {
			case B_WIDTH_FROM_WIDEST:
				width = ceilf(widest) + 24;
				break;
			case B_WIDTH_FROM_LABEL:
				width = labelWidth + 24;
				break;
			default:
				width = std::max(labelWidth + 24, 80.0f);
				break;
		}
		if (i == index)
			return BRect(x, 0, x + width - 1, fTabHeight);
		x += width - 6;
	}
	return BRect();
}


void
BTabView::MouseDown(BPoint where)
{
	// The front tab overlaps its neighbours; it gets the click first.
	if (fSelection >= 0 && TabFrame(fSelection).Contains(where)) {
		MakeFocus(true);
		return;
	}
	for (int32 i = 0; i < CountTabs(); i++) {
		if (TabFrame(i).Contains(where) && fTabs[i]->IsEnabled()) {
			Select(i);
			SetFocusTab(i, true);
			return;
		}
	}
}


void
BTabView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes <= 0 || CountTabs() == 0) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	int32 focus = fFocus >= 0 ? fFocus : fSelection;
	switch (bytes[0]) {
		case B_LEFT_ARROW:
			SetFocusTab((focus - 1 + CountTabs()) % CountTabs(), true);
			break;
		case B_RIGHT_ARROW:
			SetFocusTab((focus + 1) % CountTabs(), true);
			break;
		case B_SPACE:
		case B_ENTER:
			if (focus >= 0)
				Select(focus);
			break;
		default:
			BView::KeyDown(bytes, numBytes);
	}
}


void
BTabView::MakeFocus(bool focused)
{
	BView::MakeFocus(focused);
	if (focused && fFocus < 0)
		fFocus = fSelection;
	Invalidate(BRect(0, 0, Bounds().right, fTabHeight));
}


void
BTabView::Select(int32 index)
{
	if (index < 0 || index >= CountTabs() || !fTabs[index]->IsEnabled())
		return;
	if (index == fSelection && fTabs[index]->IsSelected())
		return;
	if (fSelection >= 0 && fSelection < CountTabs())
		fTabs[fSelection]->Deselect();
	fSelection = index;
	fTabs[index]->Select(fContainer);
	Invalidate();
}


void
BTabView::SetFocusTab(int32 tab, bool focused)
{
	if (fFocus >= 0 && fFocus < CountTabs())
		fTabs[fFocus]->MakeFocus(false);
	fFocus = focused ? tab : -1;
	if (fFocus >= 0 && fFocus < CountTabs())
		fTabs[fFocus]->MakeFocus(true);
	Invalidate(BRect(0, 0, Bounds().right, fTabHeight));
}


void
BTabView::AddTab(BView* target, BTab* tab)
{
	if (tab == NULL)
		tab = new BTab(NULL);
	tab->fTabView = this;
	fTabs.push_back(tab);
	if (target != NULL && tab->View() != target) {
		tab->fView = NULL;
		tab->SetView(target);
	} else if (tab->View() != NULL && tab->View()->Parent() == NULL) {
		fContainer->AddChild(tab->View());
		tab->View()->Hide();
	}
	if (fSelection < 0)
		Select(CountTabs() - 1);
	Invalidate();
}


BTab*
BTabView::RemoveTab(int32 index)
{
	if (index < 0 || index >= CountTabs())
		return NULL;
	BTab* tab = fTabs[index];
	fTabs.erase(fTabs.begin() + index);
	if (tab->View() != NULL && tab->View()->Parent() != NULL) {
		if (!tab->IsSelected())
			tab->View()->Show();
		tab->View()->RemoveSelf();
	}
	tab->fSelected = false;
	tab->fTabView = NULL;
	if (fSelection == index) {
		fSelection = -1;
		if (!fTabs.empty())
			Select(std::min(index, CountTabs() - 1));
	} else if (fSelection > index)
		fSelection--;
	if (fFocus >= CountTabs())
		fFocus = -1;
	Invalidate();
	return tab;
}


BTab*
BTabView::TabAt(int32 index) const
{
	if (index < 0 || index >= CountTabs())
		return NULL;
	return fTabs[index];
}


int32
BTabView::CountTabs() const
{
	return (int32)fTabs.size();
}


int32
BTabView::IndexOf(BTab* tab) const
{
	auto found = std::find(fTabs.begin(), fTabs.end(), tab);
	return found == fTabs.end() ? -1 : (int32)(found - fTabs.begin());
}


BView*
BTabView::ViewForTab(int32 index) const
{
	BTab* tab = TabAt(index);
	return tab != NULL ? tab->View() : NULL;
}


void
BTabView::SetTabWidth(button_width width)
{
	fTabWidthSetting = width;
	Invalidate();
}


void
BTabView::SetTabHeight(float height)
{
	fTabHeight = height;
	_LayoutContainer();
	Invalidate();
}
