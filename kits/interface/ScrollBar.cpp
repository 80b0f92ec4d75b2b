// BScrollBar: range, value, proportion, steps; arrows, trough and thumb.
#include <ScrollBar.h>

#include <EventLoop.h>
#include <OS.h>
#include <Window.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

const float kMinThumb = 14.0f;
const bigtime_t kRepeatDelay = 300000;
const bigtime_t kRepeatInterval = 50000;

const rgb_color kTrough = { 184, 184, 184, 255 };
const rgb_color kDisabledTrough = { 216, 216, 216, 255 };
const rgb_color kFace = { 216, 216, 216, 255 };
const rgb_color kPressedFace = { 168, 168, 168, 255 };
const rgb_color kShine = { 255, 255, 255, 255 };
const rgb_color kShadow = { 136, 136, 136, 255 };
const rgb_color kFrame = { 96, 96, 96, 255 };
const rgb_color kArrow = { 0, 0, 0, 255 };
const rgb_color kDisabledArrow = { 152, 152, 152, 255 };

}	// namespace


BScrollBar::BScrollBar(BRect frame, const char* name, BView* target, float min, float max,
	orientation direction)
	:
	BView(frame, name, direction == B_VERTICAL
			? B_FOLLOW_TOP_BOTTOM | B_FOLLOW_RIGHT : B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM,
		B_WILL_DRAW | B_FRAME_EVENTS),
	fMin(min),
	fMax(max >= min ? max : min),
	fValue(min),
	fProportion(0.0f),
	fSmallStep(1.0f),
	fLargeStep(10.0f),
	fTarget(NULL),
	fTargetName(NULL),
	fOrientation(direction),
	fPressedPart(kNone),
	fThumbGrabOffset(0),
	fRepeatTimer(-1),
	fRepeatStart(0),
	fSettingFromTarget(false)
{
	SetViewColor(B_TRANSPARENT_COLOR);
	if (fValue < fMin)
		fValue = fMin;
	SetTarget(target);
}


BScrollBar::~BScrollBar()
{
	_StopRepeat();
	if (fTarget != NULL) {
		if (fOrientation == B_VERTICAL && fTarget->_VerticalBar() == this)
			fTarget->fExtras->verticalBar = NULL;
		if (fOrientation == B_HORIZONTAL && fTarget->_HorizontalBar() == this)
			fTarget->fExtras->horizontalBar = NULL;
	}
	free(fTargetName);
}


void BScrollBar::AttachedToWindow()
{
	if (fTarget == NULL && fTargetName != NULL && Window() != NULL) {
		if (BView* target = Window()->FindView(fTargetName))
			SetTarget(target);
	}
}


void BScrollBar::DetachedFromWindow()
{
	_StopRepeat();
	fPressedPart = kNone;
}


void BScrollBar::ValueChanged(float newValue)
{
	if (fTarget == NULL || fSettingFromTarget)
		return;
	BPoint where = fTarget->Bounds().LeftTop();
	if (fOrientation == B_VERTICAL)
		where.y = newValue;
	else
		where.x = newValue;
	fTarget->ScrollTo(where);
}


void BScrollBar::SetValue(float value)
{
	value = std::floor(value + 0.5f);
	if (value > fMax)
		value = fMax;
	if (value < fMin)
		value = fMin;
	if (value == fValue)
		return;
	fValue = value;
	Invalidate();
	ValueChanged(fValue);
}


void BScrollBar::_SetValueFromTarget(float value)
{
	fSettingFromTarget = true;
	SetValue(value);
	fSettingFromTarget = false;
}


void BScrollBar::SetProportion(float proportion)
{
	if (proportion < 0)
		proportion = 0;
	if (proportion > 1)
		proportion = 1;
	if (proportion == fProportion)
		return;
	fProportion = proportion;
	Invalidate();
}


void BScrollBar::SetRange(float min, float max)
{
	if (max < min)
		max = min;
	fMin = std::floor(min + 0.5f);
	fMax = std::floor(max + 0.5f);
	Invalidate();
	// A value outside the new range moves to the nearest end and scrolls.
	float value = fValue;
	if (value > fMax)
		value = fMax;
	if (value < fMin)
		value = fMin;
	if (value != fValue) {
		fValue = value;
		ValueChanged(fValue);
	}
}


void BScrollBar::GetRange(float* min, float* max) const
{
	if (min != NULL)
		*min = fMin;
	if (max != NULL)
		*max = fMax;
}


void BScrollBar::SetSteps(float smallStep, float largeStep)
{
	fSmallStep = smallStep;
	fLargeStep = largeStep;
}


void BScrollBar::GetSteps(float* smallStep, float* largeStep) const
{
	if (smallStep != NULL)
		*smallStep = fSmallStep;
	if (largeStep != NULL)
		*largeStep = fLargeStep;
}


void BScrollBar::SetTarget(BView* target)
{
	if (fTarget != NULL) {
		if (fOrientation == B_VERTICAL && fTarget->_VerticalBar() == this)
			fTarget->fExtras->verticalBar = NULL;
		if (fOrientation == B_HORIZONTAL && fTarget->_HorizontalBar() == this)
			fTarget->fExtras->horizontalBar = NULL;
	}
	fTarget = target;
	if (target != NULL)
		target->_SetScrollBar(this);
}


void BScrollBar::SetTarget(const char* targetName)
{
	free(fTargetName);
	fTargetName = targetName != NULL ? strdup(targetName) : NULL;
	if (targetName != NULL && Window() != NULL) {
		if (BView* target = Window()->FindView(targetName))
			SetTarget(target);
	}
}


void BScrollBar::MessageReceived(BMessage* message)
{
	BView::MessageReceived(message);
}


// #pragma mark - geometry


BRect BScrollBar::_TroughRect() const
{
	BRect bounds = Bounds();
	if (fOrientation == B_VERTICAL) {
		float arrow = bounds.Width() + 1;
		return BRect(bounds.left, bounds.top + arrow, bounds.right, bounds.bottom - arrow);
	}
	float arrow = bounds.Height() + 1;
	return BRect(bounds.left + arrow, bounds.top, bounds.right - arrow, bounds.bottom);
}


BRect BScrollBar::_ThumbRect() const
{
	BRect trough = _TroughRect();
	float length = (fOrientation == B_VERTICAL ? trough.Height() : trough.Width()) + 1;
	float range = fMax - fMin;
	if (length <= 0 || range <= 0)
		return BRect();
	float thumb;
	if (fProportion > 0)
		thumb = length * fProportion;
	else
		thumb = length * length / (length + range);
	if (thumb < kMinThumb)
		thumb = kMinThumb;
	if (thumb > length)
		thumb = length;
	float offset = std::floor((length - thumb) * (fValue - fMin) / range + 0.5f);
	thumb = std::floor(thumb + 0.5f);
	if (fOrientation == B_VERTICAL)
		return BRect(trough.left, trough.top + offset, trough.right,
			trough.top + offset + thumb - 1);
	return BRect(trough.left + offset, trough.top, trough.left + offset + thumb - 1,
		trough.bottom);
}


BScrollBar::Part BScrollBar::_PartAt(BPoint where) const
{
	BRect bounds = Bounds();
	if (!bounds.Contains(where))
		return kNone;
	BRect trough = _TroughRect();
	float position = fOrientation == B_VERTICAL ? where.y : where.x;
	float start = fOrientation == B_VERTICAL ? trough.top : trough.left;
	float end = fOrientation == B_VERTICAL ? trough.bottom : trough.right;
	if (position < start)
		return kDecrementArrow;
	if (position > end)
		return kIncrementArrow;
	BRect thumb = _ThumbRect();
	if (!thumb.IsValid())
		return kNone;
	float thumbStart = fOrientation == B_VERTICAL ? thumb.top : thumb.left;
	float thumbEnd = fOrientation == B_VERTICAL ? thumb.bottom : thumb.right;
	if (position < thumbStart)
		return kPageDecrement;
	if (position > thumbEnd)
		return kPageIncrement;
	return kThumb;
}


float BScrollBar::_ValueForThumbPosition(float position) const
{
	BRect trough = _TroughRect();
	BRect thumb = _ThumbRect();
	if (!thumb.IsValid())
		return fValue;
	float length = fOrientation == B_VERTICAL ? trough.Height() + 1 : trough.Width() + 1;
	float thumbLength = fOrientation == B_VERTICAL ? thumb.Height() + 1 : thumb.Width() + 1;
	float start = fOrientation == B_VERTICAL ? trough.top : trough.left;
	float travel = length - thumbLength;
	if (travel <= 0)
		return fMin;
	return fMin + (position - start) * (fMax - fMin) / travel;
}


// #pragma mark - mouse


void BScrollBar::_DoPartAction(Part part)
{
	switch (part) {
		case kDecrementArrow:
			SetValue(fValue - fSmallStep);
			break;
		case kIncrementArrow:
			SetValue(fValue + fSmallStep);
			break;
		case kPageDecrement:
			// Paging stops once the thumb reaches the mouse.
			if (_PartAt(fLastMouse) == kPageDecrement)
				SetValue(fValue - fLargeStep);
			break;
		case kPageIncrement:
			if (_PartAt(fLastMouse) == kPageIncrement)
				SetValue(fValue + fLargeStep);
			break;
		default:
			break;
	}
}


static void RepeatTimer(void* cookie)
{
	BScrollBar* bar = static_cast<BScrollBar*>(cookie);
	if (bar->LockLooper()) {
		bar->Pulse();
		bar->UnlockLooper();
	}
}


void BScrollBar::Pulse()
{
	// Driven by the repeat timer while an arrow or the trough is held.
	if (fPressedPart == kNone || fPressedPart == kThumb)
		return;
	if (system_time() - fRepeatStart < kRepeatDelay)
		return;
	_DoPartAction(fPressedPart);
}


void BScrollBar::_StartRepeat()
{
	_StopRepeat();
	fRepeatStart = system_time();
	fRepeatTimer = BPrivate::add_timer(kRepeatInterval, RepeatTimer, this);
}


void BScrollBar::_StopRepeat()
{
	if (fRepeatTimer >= 0)
		BPrivate::remove_timer(fRepeatTimer);
	fRepeatTimer = -1;
}


void BScrollBar::MouseDown(BPoint where)
{
	fLastMouse = where;
	Part part = _PartAt(where);
	if (part == kNone)
		return;
	fPressedPart = part;
	SetMouseEventMask(B_POINTER_EVENTS, B_LOCK_WINDOW_FOCUS);
	if (part == kThumb) {
		BRect thumb = _ThumbRect();
		fThumbGrabOffset = fOrientation == B_VERTICAL ? where.y - thumb.top : where.x - thumb.left;
	} else {
		_DoPartAction(part);
		_StartRepeat();
	}
	Invalidate();
}


void BScrollBar::MouseMoved(BPoint where, uint32, const BMessage*)
{
	fLastMouse = where;
	if (fPressedPart != kThumb)
		return;
	float position = (fOrientation == B_VERTICAL ? where.y : where.x) - fThumbGrabOffset;
	SetValue(_ValueForThumbPosition(position));
}


void BScrollBar::MouseUp(BPoint where)
{
	fLastMouse = where;
	_StopRepeat();
	if (fPressedPart != kNone) {
		fPressedPart = kNone;
		Invalidate();
		// A quick drag or a held arrow brings moves and the release
		// together; a target that drops scrolls while its window has more
		// messages waiting may have dropped the last one. The release comes
		// last, so the target hears the final value once more.
		if (fTarget != NULL) {
			BPoint origin = fTarget->Bounds().LeftTop();
			float shown = fOrientation == B_VERTICAL ? origin.y : origin.x;
			if (shown != fValue)
				ValueChanged(fValue);
		}
	}
}


// #pragma mark - drawing


void BScrollBar::_DrawArrow(BRect rect, bool increment, bool pressed)
{
	SetHighColor(pressed ? kPressedFace : kFace);
	FillRect(rect.InsetByCopy(1, 1));
	BeginLineArray(4);
	rgb_color light = pressed ? kShadow : kShine;
	rgb_color dark = pressed ? kShine : kShadow;
	AddLine(BPoint(rect.left + 1, rect.bottom - 1), BPoint(rect.left + 1, rect.top + 1), light);
	AddLine(BPoint(rect.left + 1, rect.top + 1), BPoint(rect.right - 1, rect.top + 1), light);
	AddLine(BPoint(rect.right - 1, rect.top + 2), BPoint(rect.right - 1, rect.bottom - 1), dark);
	AddLine(BPoint(rect.left + 2, rect.bottom - 1), BPoint(rect.right - 1, rect.bottom - 1), dark);
	EndLineArray();
	SetHighColor(kFrame);
	StrokeRect(rect);

	bool enabled = fMax > fMin;
	SetHighColor(enabled ? kArrow : kDisabledArrow);
	float cx = std::floor((rect.left + rect.right) / 2);
	float cy = std::floor((rect.top + rect.bottom) / 2);
	float size = std::floor((rect.Width() - 4) / 3);
	if (size < 2)
		size = 2;
	if (fOrientation == B_VERTICAL) {
		float tip = increment ? cy + size / 2 : cy - size / 2;
		float base = increment ? tip - size : tip + size;
		FillTriangle(BPoint(cx, tip), BPoint(cx - size, base), BPoint(cx + size, base));
	} else {
		float tip = increment ? cx + size / 2 : cx - size / 2;
		float base = increment ? tip - size : tip + size;
		FillTriangle(BPoint(tip, cy), BPoint(base, cy - size), BPoint(base, cy + size));
	}
}


void BScrollBar::Draw(BRect)
{
	BRect bounds = Bounds();
	BRect trough = _TroughRect();
	bool enabled = fMax > fMin;

	SetHighColor(enabled ? kTrough : kDisabledTrough);
	FillRect(trough);
	SetHighColor(kFrame);
	StrokeRect(bounds);

	BRect decrement, increment;
	if (fOrientation == B_VERTICAL) {
		decrement.Set(bounds.left, bounds.top, bounds.right, trough.top - 1);
		increment.Set(bounds.left, trough.bottom + 1, bounds.right, bounds.bottom);
	} else {
		decrement.Set(bounds.left, bounds.top, trough.left - 1, bounds.bottom);
		increment.Set(trough.right + 1, bounds.top, bounds.right, bounds.bottom);
	}
	_DrawArrow(decrement, false, fPressedPart == kDecrementArrow);
	_DrawArrow(increment, true, fPressedPart == kIncrementArrow);

	BRect thumb = _ThumbRect();
	if (!enabled || !thumb.IsValid())
		return;
	SetHighColor(kFace);
	FillRect(thumb);
	BeginLineArray(8);
	AddLine(thumb.LeftBottom(), thumb.LeftTop(), kFrame);
	AddLine(thumb.LeftTop(), thumb.RightTop(), kFrame);
	AddLine(thumb.RightTop(), thumb.RightBottom(), kFrame);
	AddLine(thumb.RightBottom(), thumb.LeftBottom(), kFrame);
	BRect inner = thumb.InsetByCopy(1, 1);
	AddLine(inner.LeftBottom(), inner.LeftTop(), kShine);
	AddLine(inner.LeftTop(), inner.RightTop(), kShine);
	AddLine(inner.RightTop(), inner.RightBottom(), kShadow);
	AddLine(inner.RightBottom(), inner.LeftBottom(), kShadow);
	EndLineArray();
	// Three grip lines across the middle of a thumb long enough for them.
	float cx = std::floor((thumb.left + thumb.right) / 2);
	float cy = std::floor((thumb.top + thumb.bottom) / 2);
	BeginLineArray(6);
	for (int i = -1; i <= 1; i++) {
		if (fOrientation == B_VERTICAL && thumb.Height() > 12) {
			AddLine(BPoint(inner.left + 2, cy + 2 * i), BPoint(inner.right - 2, cy + 2 * i), kShadow);
			AddLine(BPoint(inner.left + 2, cy + 2 * i + 1), BPoint(inner.right - 2, cy + 2 * i + 1), kShine);
		} else if (fOrientation == B_HORIZONTAL && thumb.Width() > 12) {
			AddLine(BPoint(cx + 2 * i, inner.top + 2), BPoint(cx + 2 * i, inner.bottom - 2), kShadow);
			AddLine(BPoint(cx + 2 * i + 1, inner.top + 2), BPoint(cx + 2 * i + 1, inner.bottom - 2), kShine);
		}
	}
	EndLineArray();
}


void BScrollBar::FrameResized(float, float)
{
	Invalidate();
}


void BScrollBar::GetPreferredSize(float* width, float* height)
{
	BRect bounds = Bounds();
	if (fOrientation == B_VERTICAL) {
		if (width != NULL)
			*width = B_V_SCROLL_BAR_WIDTH;
		if (height != NULL)
			*height = bounds.Height();
	} else {
		if (width != NULL)
			*width = bounds.Width();
		if (height != NULL)
			*height = B_H_SCROLL_BAR_HEIGHT;
	}
}
