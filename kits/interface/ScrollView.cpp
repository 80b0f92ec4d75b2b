// BScrollView: a bordered frame that holds a target view and its scroll bars.
#include <ScrollView.h>

#include <ScrollBar.h>

#include "ControlLook.h"

static BRect
grown_frame(BView* target, border_style border, bool horizontal,
	bool vertical)
{
	BRect frame = target != NULL ? target->Frame() : BRect(0, 0, 20, 20);
	float size = border == B_FANCY_BORDER ? 2 : (border == B_PLAIN_BORDER
		? 1 : 0);
	frame.InsetBy(-size, -size);
	if (vertical)
		frame.right += B_V_SCROLL_BAR_WIDTH;
	if (horizontal)
		frame.bottom += B_H_SCROLL_BAR_HEIGHT;
	return frame;
}


BScrollView::BScrollView(const char* name, BView* target, uint32 resizingMode,
	uint32 flags, bool horizontal, bool vertical, border_style border)
	:
	BView(grown_frame(target, border, horizontal, vertical), name,
		resizingMode, flags | B_WILL_DRAW | B_FRAME_EVENTS),
	fTarget(target),
	fHorizontal(NULL),
	fVertical(NULL),
	fBorder(border),
	fHighlighted(false)
{
	SetViewColor(BPrivate::panel_color());
	SetLowColor(BPrivate::panel_color());
	float size = _BorderSize(border);
	BRect bounds = Bounds();
	float right = bounds.right - size - (vertical ? B_V_SCROLL_BAR_WIDTH : 0);
	float bottom = bounds.bottom - size
		- (horizontal ? B_H_SCROLL_BAR_HEIGHT : 0);
	if (target != NULL) {
		target->MoveTo(size, size);
		AddChild(target);
	}
	if (vertical) {
		fVertical = new BScrollBar(BRect(right + 1, size,
				right + B_V_SCROLL_BAR_WIDTH, bottom), "_VSB_", target, 0, 0,
			B_VERTICAL);
		fVertical->SetResizingMode(B_FOLLOW_RIGHT | B_FOLLOW_TOP_BOTTOM);
		AddChild(fVertical);
	}
	if (horizontal) {
		fHorizontal = new BScrollBar(BRect(size, bottom + 1, right,
				bottom + B_H_SCROLL_BAR_HEIGHT), "_HSB_", target, 0, 0,
			B_HORIZONTAL);
		fHorizontal->SetResizingMode(B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM);
		AddChild(fHorizontal);
	}
	if (target != NULL)
		target->TargetedByScrollView(this);
}


BScrollView::~BScrollView()
{
}


float
BScrollView::_BorderSize(border_style border)
{
	return border == B_FANCY_BORDER ? 2 : (border == B_PLAIN_BORDER ? 1 : 0);
}


void
BScrollView::AttachedToWindow()
{
	BView::AttachedToWindow();
}


void
BScrollView::Draw(BRect)
{
	BRect bounds = Bounds();
	if (fBorder == B_FANCY_BORDER) {
		BRect inner = BPrivate::draw_bevel(this, bounds, true);
		SetHighColor(fHighlighted ? BPrivate::focus_color()
			: BPrivate::dark_color());
		StrokeRect(inner);
	} else if (fBorder == B_PLAIN_BORDER) {
		SetHighColor(fHighlighted ? BPrivate::focus_color()
			: BPrivate::dark_color());
		StrokeRect(bounds);
	}
	if (fHorizontal != NULL && fVertical != NULL) {
		// The square where the two bars meet.
		float size = _BorderSize(fBorder);
		BRect corner(bounds.right - size - B_V_SCROLL_BAR_WIDTH + 1,
			bounds.bottom - size - B_H_SCROLL_BAR_HEIGHT + 1,
			bounds.right - size, bounds.bottom - size);
		SetHighColor(BPrivate::panel_color());
		FillRect(corner);
	}
}


void
BScrollView::FrameResized(float width, float height)
{
	Invalidate();
	BView::FrameResized(width, height);
}


BScrollBar*
BScrollView::ScrollBar(orientation posture) const
{
	return posture == B_VERTICAL ? fVertical : fHorizontal;
}


void
BScrollView::SetBorder(border_style border)
{
	float delta = _BorderSize(border) - _BorderSize(fBorder);
	fBorder = border;
	if (delta != 0) {
		for (int32 i = 0; i < CountChildren(); i++) {
			BView* child = ChildAt(i);
			BRect frame = child->Frame();
			if (child == fTarget) {
				child->MoveBy(delta, delta);
				child->ResizeBy(-2 * delta - (fVertical ? 0 : 0), -2 * delta);
			} else if (child == fVertical) {
				child->MoveBy(-delta, delta);
				child->ResizeBy(0, -2 * delta);
			} else if (child == fHorizontal) {
				child->MoveBy(delta, -delta);
				child->ResizeBy(-2 * delta, 0);
			}
			(void)frame;
		}
	}
	Invalidate();
}


status_t
BScrollView::SetBorderHighlighted(bool state)
{
	fHighlighted = state;
	Invalidate();
	return B_OK;
}


void
BScrollView::SetTarget(BView* target)
{
	if (target == fTarget)
		return;
	if (fTarget != NULL)
		RemoveChild(fTarget);
	fTarget = target;
	if (target != NULL) {
		float size = _BorderSize(fBorder);
		target->MoveTo(size, size);
		AddChild(target, ChildAt(0));
		target->TargetedByScrollView(this);
	}
	if (fVertical != NULL)
		fVertical->SetTarget(target);
	if (fHorizontal != NULL)
		fHorizontal->SetTarget(target);
}


void
BScrollView::_LayoutChildren()
{
}
