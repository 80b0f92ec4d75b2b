// BView: the tree, geometry, scrolling, focus and visibility.
#include <View.h>

#include <AppDefs.h>
#include <Bitmap.h>
#include <Looper.h>
#include <Message.h>
#include <MessageQueue.h>
#include <ScrollBar.h>
#include <Window.h>

#include "Host.h"
#include "InterfacePrivate.h"
#include "WindowPrivate.h"

#include <cstdio>
#include <cstring>


using BPrivate::WindowPrivate;


BView::BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags)
	:
	BHandler(name),
	fParent(NULL),
	fWindow(NULL),
	fFont(NULL),
	fExtras(NULL),
	fIndexInParent(-1),
	fFrame(BPrivate::pixel_rect(frame)),
	fResizingMode(resizingMode),
	fFlags(flags),
	fShowLevel(0),
	fViewColor(make_color(255, 255, 255)),
	fHighColor(make_color(0, 0, 0)),
	fLowColor(make_color(255, 255, 255)),
	fDrawingMode(B_OP_COPY),
	fPenSize(1.0f),
	fPenLocation(0, 0)
{
	if (!fFrame.IsValid()) {
		// A frame with right < left has no size; keep it empty but sane.
		if (fFrame.right < fFrame.left)
			fFrame.right = fFrame.left;
		if (fFrame.bottom < fFrame.top)
			fFrame.bottom = fFrame.top;
	}
	fBounds = fFrame.OffsetToCopy(0, 0);
}


BView::~BView()
{
	if (fParent != NULL)
		RemoveSelf();
	// From the back, so each removal is cheap even for many children.
	while (!fChildren.empty()) {
		BView* child = fChildren.back();
		RemoveChild(child);
		delete child;
	}
	if (fExtras != NULL) {
		if (fExtras->verticalBar != NULL)
			fExtras->verticalBar->fTarget = NULL;
		if (fExtras->horizontalBar != NULL)
			fExtras->horizontalBar->fTarget = NULL;
		delete fExtras->viewBitmap;
		delete fExtras;
	}
	delete fFont;
}


BView::Extras::Extras()
	:
	lineArrayBegun(false),
	viewBitmap(NULL),
	viewBitmapOptions(0),
	verticalBar(NULL),
	horizontalBar(NULL),
	eventMask(0),
	mouseEventMask(0)
{
}


BView::Extras* BView::_Extras()
{
	if (fExtras == NULL)
		fExtras = new Extras;
	return fExtras;
}


void BView::AttachedToWindow() {}
void BView::AllAttached() {}
void BView::DetachedFromWindow() {}
void BView::AllDetached() {}
void BView::Draw(BRect) {}
void BView::DrawAfterChildren(BRect) {}
void BView::MouseDown(BPoint) {}
void BView::MouseUp(BPoint) {}
void BView::MouseMoved(BPoint, uint32, const BMessage*) {}
void BView::WindowActivated(bool) {}
void BView::KeyUp(const char*, int32) {}
void BView::Pulse() {}
void BView::FrameMoved(BPoint) {}
void BView::FrameResized(float, float) {}
void BView::TargetedByScrollView(BScrollView*) {}


void BView::KeyDown(const char* bytes, int32 numBytes)
{
	// Tab moves the focus to the next navigable view, as on BeOS.
	if (fWindow != NULL && bytes != NULL && numBytes > 0 && bytes[0] == B_TAB)
		fWindow->fPrivate->Navigate((modifiers() & B_SHIFT_KEY) != 0);
}


void BView::MessageReceived(BMessage* message)
{
	if (message->what == B_MOUSE_WHEEL_CHANGED) {
		// Scroll the nearest scroll bars, this view's or an ancestor's.
		float dx = 0, dy = 0;
		message->FindFloat("be:wheel_delta_x", &dx);
		message->FindFloat("be:wheel_delta_y", &dy);
		BScrollBar* vertical = NULL;
		BScrollBar* horizontal = NULL;
		for (BView* view = this; view != NULL && vertical == NULL && horizontal == NULL;
				view = view->fParent) {
			if (BScrollBar* bar = dynamic_cast<BScrollBar*>(view)) {
				if (bar->Orientation() == B_VERTICAL)
					vertical = bar;
				else
					horizontal = bar;
				break;
			}
			vertical = view->_VerticalBar();
			horizontal = view->_HorizontalBar();
		}
		if (vertical == NULL && horizontal != NULL && dx == 0)
			dx = dy, dy = 0;
		if (vertical != NULL && dy != 0) {
			float small, large;
			vertical->GetSteps(&small, &large);
			vertical->SetValue(vertical->Value() + dy * small * 3);
		}
		if (horizontal != NULL && dx != 0) {
			float small, large;
			horizontal->GetSteps(&small, &large);
			horizontal->SetValue(horizontal->Value() + dx * small * 3);
		}
		return;
	}
	BHandler::MessageReceived(message);
}


// #pragma mark - tree


void BView::ChildList::insert(size_t index, BView* child)
{
	if (fList == NULL)
		fList = new std::vector<BView*>;
	fList->insert(fList->begin() + index, child);
}


void BView::ChildList::erase(size_t index)
{
	fList->erase(fList->begin() + index);
}


void BView::AddChild(BView* child, BView* before)
{
	if (child == NULL || child == this)
		return;
	if (child->fParent != NULL) {
		fprintf(stderr, "BView::AddChild(): \"%s\" already has a parent\n",
			child->Name() != NULL ? child->Name() : "");
		return;
	}
	size_t index = fChildren.size();
	if (before != NULL && before->fParent == this)
		index = (size_t)before->fIndexInParent;
	fChildren.insert(index, child);
	for (size_t i = index; i < fChildren.size(); i++)
		fChildren[i]->fIndexInParent = (int32)i;
	child->fParent = this;
	if (fWindow != NULL) {
		child->_Attach(fWindow);
		child->Invalidate(child->Bounds());
	}
}


bool BView::RemoveChild(BView* child)
{
	if (child == NULL || child->fParent != this)
		return false;
	if (fWindow != NULL) {
		if (child->fShowLevel <= 0)
			child->_InvalidateWindowRect(child->Frame().OffsetByCopy(_WindowOffset()));
		child->_Detach();
	}
	size_t index = (size_t)child->fIndexInParent;
	fChildren.erase(index);
	for (size_t i = index; i < fChildren.size(); i++)
		fChildren[i]->fIndexInParent = (int32)i;
	child->fParent = NULL;
	child->fIndexInParent = -1;
	return true;
}


int32 BView::CountChildren() const
{
	return (int32)fChildren.size();
}


BView* BView::ChildAt(int32 index) const
{
	if (index < 0 || index >= (int32)fChildren.size())
		return NULL;
	return fChildren[index];
}


BView* BView::NextSibling() const
{
	if (fParent == NULL)
		return NULL;
	return fParent->ChildAt(fIndexInParent + 1);
}


BView* BView::PreviousSibling() const
{
	if (fParent == NULL)
		return NULL;
	return fParent->ChildAt(fIndexInParent - 1);
}


bool BView::RemoveSelf()
{
	if (fParent == NULL)
		return false;
	return fParent->RemoveChild(this);
}


BView* BView::FindView(const char* name) const
{
	if (name == NULL)
		return NULL;
	// Breadth first, without recursion: trees can be wide.
	std::vector<const BView*> pending(1, this);
	for (size_t i = 0; i < pending.size(); i++) {
		const BView* view = pending[i];
		if (view->Name() != NULL && strcmp(view->Name(), name) == 0)
			return const_cast<BView*>(view);
		for (BView* child : view->fChildren)
			pending.push_back(child);
	}
	return NULL;
}


void BView::_Attach(BWindow* window)
{
	// AttachedToWindow() top down, then AllAttached() bottom up.
	fWindow = window;
	window->AddHandler(this);
	if (fParent != NULL && fParent != window->fTopView)
		SetNextHandler(fParent);
	if (fFlags & B_PULSE_NEEDED) {
		window->fPrivate->pulseViews++;
		window->fPrivate->StartPulse();
	}
	AttachedToWindow();
	for (size_t i = 0; i < fChildren.size(); i++)
		fChildren[i]->_Attach(window);
	AllAttached();
}


void BView::_Detach()
{
	BWindow* window = fWindow;
	if (window == NULL)
		return;
	DetachedFromWindow();
	for (size_t i = fChildren.size(); i-- > 0;)
		fChildren[i]->_Detach();
	AllDetached();
	if (fFlags & B_PULSE_NEEDED)
		window->fPrivate->pulseViews--;
	window->fPrivate->ForgetView(this);
	if (window->fFocus == this) {
		window->fFocus = NULL;
		window->SetPreferredHandler(NULL);
	}
	window->RemoveHandler(this);
	fWindow = NULL;
}


// #pragma mark - geometry


BRect BView::Bounds() const
{
	return fBounds;
}


BRect BView::Frame() const
{
	return fFrame;
}


BPoint BView::_WindowOffset() const
{
	// Window coordinates of this view's (0, 0).
	BPoint offset(0, 0);
	for (const BView* view = this; view != NULL; view = view->fParent) {
		offset.x += view->fFrame.left - view->fBounds.left;
		offset.y += view->fFrame.top - view->fBounds.top;
	}
	return offset;
}


BRect BView::_VisibleWindowRect() const
{
	if (fWindow == NULL)
		return BRect();
	BRect rect = fBounds;
	for (const BView* view = this; view != NULL; view = view->fParent) {
		if (view->fShowLevel > 0)
			return BRect();
		rect = rect & view->fBounds;
		rect.OffsetBy(view->fFrame.left - view->fBounds.left,
			view->fFrame.top - view->fBounds.top);
		if (!rect.IsValid())
			return BRect();
	}
	return rect;
}


bool BView::_IsVisibleInWindow() const
{
	for (const BView* view = this; view != NULL; view = view->fParent) {
		if (view->fShowLevel > 0)
			return false;
	}
	return fWindow != NULL;
}


void BView::_InvalidateWindowRect(BRect windowRect)
{
	if (fWindow != NULL)
		fWindow->fPrivate->Invalidate(windowRect);
}


void BView::ConvertToParent(BPoint* point) const
{
	point->x += fFrame.left - fBounds.left;
	point->y += fFrame.top - fBounds.top;
}


BPoint BView::ConvertToParent(BPoint point) const
{
	ConvertToParent(&point);
	return point;
}


void BView::ConvertFromParent(BPoint* point) const
{
	point->x -= fFrame.left - fBounds.left;
	point->y -= fFrame.top - fBounds.top;
}


BPoint BView::ConvertFromParent(BPoint point) const
{
	ConvertFromParent(&point);
	return point;
}


void BView::ConvertToParent(BRect* rect) const
{
	rect->OffsetBy(fFrame.left - fBounds.left, fFrame.top - fBounds.top);
}


BRect BView::ConvertToParent(BRect rect) const
{
	ConvertToParent(&rect);
	return rect;
}


void BView::ConvertFromParent(BRect* rect) const
{
	rect->OffsetBy(fBounds.left - fFrame.left, fBounds.top - fFrame.top);
}


BRect BView::ConvertFromParent(BRect rect) const
{
	ConvertFromParent(&rect);
	return rect;
}


void BView::ConvertToScreen(BPoint* point) const
{
	*point += _WindowOffset();
	if (fWindow != NULL)
		fWindow->ConvertToScreen(point);
}


BPoint BView::ConvertToScreen(BPoint point) const
{
	ConvertToScreen(&point);
	return point;
}


void BView::ConvertFromScreen(BPoint* point) const
{
	if (fWindow != NULL)
		fWindow->ConvertFromScreen(point);
	*point -= _WindowOffset();
}


BPoint BView::ConvertFromScreen(BPoint point) const
{
	ConvertFromScreen(&point);
	return point;
}


void BView::ConvertToScreen(BRect* rect) const
{
	BPoint leftTop = ConvertToScreen(rect->LeftTop());
	rect->OffsetTo(leftTop);
}


BRect BView::ConvertToScreen(BRect rect) const
{
	ConvertToScreen(&rect);
	return rect;
}


void BView::ConvertFromScreen(BRect* rect) const
{
	BPoint leftTop = ConvertFromScreen(rect->LeftTop());
	rect->OffsetTo(leftTop);
}


BRect BView::ConvertFromScreen(BRect rect) const
{
	ConvertFromScreen(&rect);
	return rect;
}


void BView::_MoveResize(float left, float top, float width, float height)
{
	BRect oldFrame = fFrame;
	bool moved = left != fFrame.left || top != fFrame.top;
	bool resized = width != fFrame.Width() || height != fFrame.Height();
	if (!moved && !resized)
		return;
	// Only the area is recorded here; nothing is drawn until the update.
	if (fWindow != NULL && fParent != NULL && fShowLevel <= 0 && fParent->_IsVisibleInWindow())
		_InvalidateWindowRect(oldFrame.OffsetByCopy(fParent->_WindowOffset()));
	fFrame.Set(left, top, left + width, top + height);
	if (resized) {
		float dw = width - oldFrame.Width();
		float dh = height - oldFrame.Height();
		fBounds.right = fBounds.left + width;
		fBounds.bottom = fBounds.top + height;
		for (size_t i = 0; i < fChildren.size(); i++)
			fChildren[i]->_ParentResized(dw, dh);
	}
	if (fWindow != NULL && fParent != NULL && fShowLevel <= 0 && fParent->_IsVisibleInWindow())
		_InvalidateWindowRect(fFrame.OffsetByCopy(fParent->_WindowOffset()));
	if (fFlags & B_FRAME_EVENTS) {
		if (moved)
			FrameMoved(fFrame.LeftTop());
		if (resized)
			FrameResized(fFrame.Width(), fFrame.Height());
	}
}


void BView::_ParentResized(float dw, float dh)
{
	// Each edge follows the parent edge its rule names.
	auto shift = [](uint32 rule, float delta, uint32 nearRule, uint32 farRule) -> float {
		if (rule == farRule)
			return delta;
		if (rule == _VIEW_CENTER_)
			return delta / 2;
		(void)nearRule;
		return 0;
	};
	uint32 mode = fResizingMode;
	float left = fFrame.left + shift((mode >> 8) & 0xf, dw, _VIEW_LEFT_, _VIEW_RIGHT_);
	float right = fFrame.right + shift(mode & 0xf, dw, _VIEW_LEFT_, _VIEW_RIGHT_);
	float top = fFrame.top + shift((mode >> 12) & 0xf, dh, _VIEW_TOP_, _VIEW_BOTTOM_);
	float bottom = fFrame.bottom + shift((mode >> 4) & 0xf, dh, _VIEW_TOP_, _VIEW_BOTTOM_);
	left = std::floor(left + 0.5f);
	top = std::floor(top + 0.5f);
	right = std::floor(right + 0.5f);
	bottom = std::floor(bottom + 0.5f);
	if (right < left)
		right = left;
	if (bottom < top)
		bottom = top;
	_MoveResize(left, top, right - left, bottom - top);
}


void BView::MoveBy(float dh, float dv)
{
	MoveTo(fFrame.left + dh, fFrame.top + dv);
}


void BView::MoveTo(BPoint where)
{
	MoveTo(where.x, where.y);
}


void BView::MoveTo(float x, float y)
{
	x = std::floor(x + 0.5f);
	y = std::floor(y + 0.5f);
	_MoveResize(x, y, fFrame.Width(), fFrame.Height());
}


void BView::ResizeBy(float dh, float dv)
{
	ResizeTo(fFrame.Width() + dh, fFrame.Height() + dv);
}


void BView::ResizeTo(float width, float height)
{
	width = std::floor(width + 0.5f);
	height = std::floor(height + 0.5f);
	if (width < 0)
		width = 0;
	if (height < 0)
		height = 0;
	_MoveResize(fFrame.left, fFrame.top, width, height);
}


void BView::GetPreferredSize(float* width, float* height)
{
	if (width != NULL)
		*width = fBounds.Width();
	if (height != NULL)
		*height = fBounds.Height();
}


void BView::ResizeToPreferred()
{
	float width, height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}


// #pragma mark - scrolling


void BView::ScrollBy(float dh, float dv)
{
	ScrollTo(BPoint(fBounds.left + dh, fBounds.top + dv));
}


void BView::ScrollTo(float x, float y)
{
	ScrollTo(BPoint(x, y));
}


void BView::ScrollTo(BPoint where)
{
	where.x = std::floor(where.x + 0.5f);
	where.y = std::floor(where.y + 0.5f);
	if (where.x == fBounds.left && where.y == fBounds.top)
		return;
	fBounds.OffsetTo(where);
	Invalidate();
	// The bars follow without calling back into this view.
	if (BScrollBar* bar = _VerticalBar())
		bar->_SetValueFromTarget(where.y);
	if (BScrollBar* bar = _HorizontalBar())
		bar->_SetValueFromTarget(where.x);
}


BScrollBar* BView::ScrollBar(orientation posture) const
{
	return posture == B_VERTICAL ? _VerticalBar() : _HorizontalBar();
}


void BView::_SetScrollBar(BScrollBar* bar)
{
	if (bar->Orientation() == B_VERTICAL)
		_Extras()->verticalBar = bar;
	else
		_Extras()->horizontalBar = bar;
}


// #pragma mark - focus, visibility, flags


void BView::MakeFocus(bool focusState)
{
	if (fWindow == NULL)
		return;
	if (focusState) {
		BView* old = fWindow->fFocus;
		if (old == this)
			return;
		if (old != NULL)
			old->MakeFocus(false);
		fWindow->fFocus = this;
		// Keys posted to the window go to its preferred handler.
		fWindow->SetPreferredHandler(this);
	} else if (fWindow->fFocus == this) {
		fWindow->fFocus = NULL;
		fWindow->SetPreferredHandler(NULL);
	}
}


bool BView::IsFocus() const
{
	return fWindow != NULL && fWindow->fFocus == this;
}


void BView::Show()
{
	fShowLevel--;
	if (fShowLevel == 0 && fWindow != NULL)
		Invalidate();
}


void BView::Hide()
{
	if (fShowLevel == 0 && fWindow != NULL && fParent != NULL
		&& fParent->_IsVisibleInWindow())
		_InvalidateWindowRect(fFrame.OffsetByCopy(fParent->_WindowOffset()));
	fShowLevel++;
}


bool BView::IsHidden() const
{
	if (fWindow != NULL && fWindow->IsHidden())
		return true;
	return IsHidden(NULL);
}


bool BView::IsHidden(const BView* lookingFrom) const
{
	for (const BView* view = this; view != NULL && view != lookingFrom;
			view = view->fParent) {
		if (view->fShowLevel > 0)
			return true;
	}
	return false;
}


void BView::Flush() const
{
	if (fWindow != NULL)
		fWindow->fPrivate->ReleaseDirect();
}


void BView::Sync() const
{
	Flush();
}


void BView::SetFlags(uint32 flags)
{
	if (fWindow != NULL && ((flags ^ fFlags) & B_PULSE_NEEDED)) {
		if (flags & B_PULSE_NEEDED) {
			fWindow->fPrivate->pulseViews++;
			fWindow->fPrivate->StartPulse();
		} else {
			fWindow->fPrivate->pulseViews--;
		}
	}
	fFlags = flags;
}


void BView::SetResizingMode(uint32 mode)
{
	fResizingMode = mode;
}


// #pragma mark - invalidation and input


void BView::Invalidate(BRect invalRect)
{
	if (fWindow == NULL || !invalRect.IsValid())
		return;
	BRect visible = _VisibleWindowRect();
	if (!visible.IsValid())
		return;
	BPoint offset = _WindowOffset();
	fWindow->fPrivate->Invalidate(invalRect.OffsetByCopy(offset) & visible);
}


void BView::Invalidate()
{
	Invalidate(fBounds);
}


void BView::GetMouse(BPoint* location, uint32* buttons, bool checkMessageQueue)
{
	if (fWindow == NULL) {
		if (location != NULL)
			*location = BPoint(0, 0);
		if (buttons != NULL)
			*buttons = 0;
		return;
	}
	WindowPrivate* window = fWindow->fPrivate;
	// Tracking loops call this over and over: let the host deliver input.
	BPrivate::host_process_events(0);
	BPoint where = window->mouseWhere;
	uint32 held = window->buttons;
	if (checkMessageQueue) {
		if (BMessage* message = window->TakePointerMessage()) {
			where = window->mouseWhere;
			held = window->buttons;
			delete message;
		}
	}
	if (location != NULL)
		*location = where - _WindowOffset();
	if (buttons != NULL)
		*buttons = held;
}


status_t BView::SetMouseEventMask(uint32 mask, uint32 options)
{
	if (fExtras != NULL || mask != 0 || options != 0)
		_Extras()->mouseEventMask = mask | (options << 16);
	if (fWindow != NULL && (mask & B_POINTER_EVENTS) && fWindow->fPrivate->buttons != 0)
		fWindow->fPrivate->eventMaskView = this;
	return B_OK;
}


status_t BView::SetEventMask(uint32 mask, uint32 options)
{
	if (fExtras != NULL || mask != 0 || options != 0)
		_Extras()->eventMask = mask | (options << 16);
	if (fWindow != NULL && (mask & B_POINTER_EVENTS))
		fWindow->fPrivate->eventMaskView = this;
	return B_OK;
}


uint32 BView::EventMask()
{
	return fExtras != NULL ? fExtras->eventMask & 0xffff : 0;
}
