// The window's buffer, dirty area and update pass.
#include "WindowPrivate.h"

#include <AppDefs.h>
#include <AppPrivate.h>
#include <Bitmap.h>
#include <EventLoop.h>
#include <Message.h>
#include <MessageQueue.h>
#include <Window.h>

#include "HostImage.h"
#include "HostPainter.h"
#include "InterfacePrivate.h"

#include <algorithm>

namespace BPrivate {

namespace {

// Beyond this many separate rectangles the dirty area becomes their union.
const size_t kMaxDirtyRects = 8;

bool Touches(const BRect& a, const BRect& b)
{
	return a.left <= b.right + 1 && b.left <= a.right + 1 && a.top <= b.bottom + 1
		&& b.top <= a.bottom + 1;
}

void PulseTimer(void* cookie)
{
	WindowPrivate* data = static_cast<WindowPrivate*>(cookie);
	if (data->pulseViews > 0 && !data->pulsePosted) {
		data->pulsePosted = true;
		data->window->PostMessage(B_PULSE);
	}
}

}	// namespace


WindowPrivate* WindowPrivate::Of(BWindow* window)
{
	return window != NULL ? window->fPrivate : NULL;
}


WindowPrivate* window_private(BWindow* window)
{
	return WindowPrivate::Of(window);
}


WindowPrivate::WindowPrivate(BWindow* owner, int32 width, int32 height)
	:
	window(owner),
	buffer(new HostImage(width, height, true)),
	host(NULL),
	hostParent(NULL),
	updatePosted(false),
	updatesDisabled(0),
	inUpdate(false),
	snapshotting(false),
	painter(NULL),
	painterView(NULL),
	directPainter(NULL),
	directView(NULL),
	mouseView(NULL),
	eventMaskView(NULL),
	lastMouseMoved(NULL),
	buttons(0),
	lastClickTime(0),
	lastClickButtons(0),
	clicks(0),
	pulseTimer(-1),
	pulseViews(0),
	pulsePosted(false)
{
}


WindowPrivate::~WindowPrivate()
{
	StopPulse();
	ReleaseDirect();
	delete host;
	delete buffer;
}


void WindowPrivate::Invalidate(BRect rect)
{
	rect = pixel_rect(rect) & window->Bounds();
	if (!rect.IsValid())
		return;
	bool merged = false;
	for (BRect& existing : dirty) {
		if (existing.Contains(rect))
			return;
		if (Touches(existing, rect)) {
			existing = existing | rect;
			merged = true;
			break;
		}
	}
	if (!merged) {
		if (dirty.size() >= kMaxDirtyRects) {
			BRect all = rect;
			for (const BRect& existing : dirty)
				all = all | existing;
			dirty.clear();
			dirty.push_back(all);
		} else
			dirty.push_back(rect);
	}
	if (!updatePosted && updatesDisabled == 0) {
		updatePosted = true;
		window->PostMessage(_UPDATE_);
	}
}


void WindowPrivate::InvalidateAll()
{
	Invalidate(window->Bounds());
}


void WindowPrivate::ResizeBuffer(int32 width, int32 height)
{
	ReleaseDirect();
	buffer->Resize(width, height);
	dirty.clear();
}


void WindowPrivate::ShowOnScreen(BRect rect)
{
	if (host != NULL && rect.IsValid())
		host->Update((int32)rect.left, (int32)rect.top, (int32)rect.right, (int32)rect.bottom);
}


void WindowPrivate::Update()
{
	ReleaseDirect();
	if (inUpdate || updatesDisabled > 0 || dirty.empty())
		return;
	if (BPrivate::is_headless() && !snapshotting) {
		dirty.clear();
		return;
	}
	inUpdate = true;
	std::vector<BRect> rects;
	rects.swap(dirty);
	HostPainter passPainter(buffer);
	painter = &passPainter;
	for (const BRect& rect : rects) {
		BRect clip = pixel_rect(rect) & window->Bounds();
		if (!clip.IsValid())
			continue;
		passRect = clip;
		painterView = NULL;
		_DrawView(window->fTopView, 0, 0, clip);
	}
	painter = NULL;
	painterView = NULL;
	inUpdate = false;
	for (const BRect& rect : rects)
		ShowOnScreen(rect);
}


void WindowPrivate::_ConfigureFor(HostPainter* target, const BView* view, const BRect& limit)
{
	BRect visible = view->_VisibleWindowRect() & limit;
	if (visible.IsValid()) {
		target->SetClip(pixel_floor(visible.left), pixel_floor(visible.top),
			pixel_floor(visible.right), pixel_floor(visible.bottom));
	} else
		target->SetClip(0, 0, -1, -1);
	BPoint offset = view->_WindowOffset();
	target->SetOrigin(offset.x, offset.y);
}


void WindowPrivate::_DrawView(BView* view, float originX, float originY, const BRect& clip)
{
	BRect visible = view->fBounds.OffsetByCopy(originX, originY) & clip;
	if (!visible.IsValid())
		return;
	painter->SetClip(pixel_floor(visible.left), pixel_floor(visible.top),
		pixel_floor(visible.right), pixel_floor(visible.bottom));
	painter->SetOrigin(originX, originY);
	painterView = view;
	BRect update = visible.OffsetByCopy(-originX, -originY);

	if (view->fViewColor != B_TRANSPARENT_COLOR) {
		painter->SetMode(B_OP_COPY);
		painter->SetSource(view->fViewColor, view->fViewColor, NULL);
		painter->FillRect(update.left, update.top, update.right, update.bottom);
	}
	const BBitmap* viewBitmap = view->_ViewBitmap();
	if (viewBitmap != NULL && viewBitmap->IsValid()) {
		const BBitmap* bitmap = viewBitmap;
		BRect bounds = bitmap->Bounds();
		HostImage image(bitmap->Bits(), bounds.IntegerWidth() + 1, bounds.IntegerHeight() + 1,
			bitmap->BytesPerRow(), bitmap->ColorSpace() == B_RGBA32);
		const BRect& source = view->fExtras->viewBitmapSource;
		const BRect& dest = view->fExtras->viewBitmapDest;
		uint32 options = view->fExtras->viewBitmapOptions;
		painter->SetMode(B_OP_OVER);
		if ((options & B_TILE_BITMAP) == 0) {
			painter->DrawImage(image, source.left, source.top, source.right, source.bottom,
				dest.left, dest.top, dest.right, dest.bottom);
		} else {
			painter->TileImage(image, source.left, source.top, source.right, source.bottom,
				dest.left, dest.top, update.left, update.top, update.right, update.bottom,
				(options & B_TILE_BITMAP_X) != 0, (options & B_TILE_BITMAP_Y) != 0);
		}
	}
	if (view->fFlags & B_WILL_DRAW) {
		view->Draw(update);
		if (painterView != view) {
			painter->SetClip(pixel_floor(visible.left), pixel_floor(visible.top),
				pixel_floor(visible.right), pixel_floor(visible.bottom));
			painter->SetOrigin(originX, originY);
			painterView = view;
		}
	}

	// Only children that meet the update area are visited; the check is
	// four comparisons, so wide trees stay cheap.
	const BView::ChildList& children = view->fChildren;
	for (size_t i = 0; i < children.size(); i++) {
		BView* child = children[i];
		if (child->fShowLevel > 0)
			continue;
		const BRect& frame = child->fFrame;
		if (frame.left > update.right || frame.right < update.left || frame.top > update.bottom
			|| frame.bottom < update.top)
			continue;
		_DrawView(child, originX + frame.left - child->fBounds.left,
			originY + frame.top - child->fBounds.top, visible);
	}

	if ((view->fFlags & (B_WILL_DRAW | B_DRAW_ON_CHILDREN))
			== (B_WILL_DRAW | B_DRAW_ON_CHILDREN)) {
		painter->SetClip(pixel_floor(visible.left), pixel_floor(visible.top),
			pixel_floor(visible.right), pixel_floor(visible.bottom));
		painter->SetOrigin(originX, originY);
		painterView = view;
		view->DrawAfterChildren(update);
	}
}


HostPainter* WindowPrivate::PainterFor(const BView* view)
{
	if (painter != NULL) {
		// Inside the update pass: stay within the area being drawn.
		if (painterView != view) {
			_ConfigureFor(painter, view, passRect);
			painterView = view;
		}
		return painter;
	}
	// Drawing outside Draw() goes straight into the buffer.
	if (directView != view) {
		BRect visible = view->_VisibleWindowRect();
		if (!visible.IsValid())
			return NULL;
		if (directPainter == NULL)
			directPainter = new HostPainter(buffer);
		_ConfigureFor(directPainter, view, window->Bounds());
		directView = view;
		directFlush = directFlush.IsValid() ? (directFlush | visible) : visible;
	}
	return directPainter;
}


void WindowPrivate::ReleaseDirect()
{
	if (directPainter == NULL)
		return;
	delete directPainter;
	directPainter = NULL;
	directView = NULL;
	BRect flush = pixel_rect(directFlush) & window->Bounds();
	directFlush = BRect();
	ShowOnScreen(flush);
}


void WindowPrivate::ForgetView(BView* view)
{
	if (mouseView == view)
		mouseView = NULL;
	if (eventMaskView == view)
		eventMaskView = NULL;
	if (lastMouseMoved == view)
		lastMouseMoved = NULL;
	if (directView == view)
		directView = NULL;
	if (painterView == view)
		painterView = NULL;
	for (Shortcut& shortcut : shortcuts) {
		if (shortcut.target == view)
			shortcut.target = NULL;
	}
}


BMessage* WindowPrivate::TakePointerMessage(PointerChooser choose, void* cookie)
{
	BMessageQueue* queue = window->MessageQueue();
	if (queue == NULL || !queue->Lock())
		return NULL;
	BMessage* taken = NULL;
	for (int32 i = 0; BMessage* message = queue->FindMessage(i); i++) {
		uint32 what = message->what;
		if (what != B_MOUSE_MOVED && what != B_MOUSE_UP && what != B_MOUSE_DOWN)
			continue;
		PointerChoice choice = what == B_MOUSE_DOWN ? POINTER_PASS : POINTER_TAKE;
		if (choose != NULL)
			choice = choose(message, cookie);
		if (choice == POINTER_STOP)
			break;
		if (choice == POINTER_TAKE) {
			queue->RemoveMessage(message);
			taken = message;
			break;
		}
	}
	queue->Unlock();
	if (taken == NULL)
		return NULL;
	BPoint point;
	if (taken->FindPoint("be:window_where", &point) == B_OK
		|| taken->FindPoint("where", &point) == B_OK)
		mouseWhere = point;
	int32 value = 0;
	if (taken->FindInt32("buttons", &value) == B_OK)
		buttons = (uint32)value;
	else if (taken->what == B_MOUSE_UP)
		buttons = 0;
	else if (taken->what == B_MOUSE_DOWN)
		buttons = B_PRIMARY_MOUSE_BUTTON;
	if (buttons == 0) {
		mouseView = NULL;
		eventMaskView = NULL;
	}
	return taken;
}


BView* WindowPrivate::ViewAt(BPoint where) const
{
	// The topmost visible view under the point: later siblings lie above.
	BView* view = window->fTopView;
	BPoint local = where;
	if (!view->fBounds.Contains(local))
		return NULL;
	for (;;) {
		BView* found = NULL;
		for (size_t i = view->fChildren.size(); i-- > 0;) {
			BView* child = view->fChildren[i];
			if (child->fShowLevel <= 0 && child->fFrame.Contains(local)) {
				found = child;
				break;
			}
		}
		if (found == NULL)
			return view;
		local = found->ConvertFromParent(local);
		view = found;
	}
}


void WindowPrivate::Navigate(bool backwards)
{
	// All navigable views in tree order, then the one after the focus.
	std::vector<BView*> order;
	std::vector<BView*> pending(1, window->fTopView);
	while (!pending.empty()) {
		BView* view = pending.back();
		pending.pop_back();
		if (view->fShowLevel > 0)
			continue;
		if (view->fFlags & (B_NAVIGABLE | B_NAVIGABLE_JUMP))
			order.push_back(view);
		for (size_t i = view->fChildren.size(); i-- > 0;)
			pending.push_back(view->fChildren[i]);
	}
	if (order.empty())
		return;
	size_t index = 0;
	auto found = std::find(order.begin(), order.end(), window->fFocus);
	if (found != order.end()) {
		size_t current = (size_t)(found - order.begin());
		index = backwards ? (current + order.size() - 1) % order.size()
			: (current + 1) % order.size();
	} else if (backwards)
		index = order.size() - 1;
	order[index]->MakeFocus(true);
}


void WindowPrivate::StartPulse()
{
	if (pulseTimer >= 0 || pulseViews <= 0 || window->fPulseRate <= 0 || !window->fRunCalled)
		return;
	pulseTimer = add_timer(window->fPulseRate, PulseTimer, this);
}


void WindowPrivate::StopPulse()
{
	if (pulseTimer >= 0)
		remove_timer(pulseTimer);
	pulseTimer = -1;
}

}	// namespace BPrivate
