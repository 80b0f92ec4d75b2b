/*
 * BScrollBar: scrolls its target view. Changing the value calls
 * ValueChanged(), which scrolls the target (through its virtual ScrollTo());
 * scrolling the target moves the bar's value back without calling the target
 * again.
 */
#ifndef _SCROLL_BAR_H
#define _SCROLL_BAR_H

#include <View.h>

class BScrollBar : public BView {
public:
	BScrollBar(BRect frame, const char* name, BView* target, float min, float max,
		orientation direction);
	virtual ~BScrollBar();

	virtual void AttachedToWindow();
	virtual void DetachedFromWindow();
	virtual void ValueChanged(float newValue);

	// Clamped to the range.
	void SetValue(float value);
	float Value() const { return fValue; }
	// Visible part of the target relative to its whole: sizes the thumb.
	void SetProportion(float proportion);
	float Proportion() const { return fProportion; }
	// A range whose max is below min is taken as (min, min).
	void SetRange(float min, float max);
	void GetRange(float* min, float* max) const;
	// Arrow clicks move by the small step, trough clicks by the large one.
	void SetSteps(float smallStep, float largeStep);
	void GetSteps(float* smallStep, float* largeStep) const;
	void SetTarget(BView* target);
	void SetTarget(const char* targetName);
	BView* Target() const { return fTarget; }
	orientation Orientation() const { return fOrientation; }

	virtual void MessageReceived(BMessage* message);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 code, const BMessage* dragMessage);
	virtual void Draw(BRect updateRect);
	virtual void FrameResized(float newWidth, float newHeight);
	virtual void GetPreferredSize(float* width, float* height);
	virtual void Pulse();

private:
	friend class BView;

	enum Part { kNone, kDecrementArrow, kIncrementArrow, kPageDecrement, kPageIncrement, kThumb };

	BRect _ThumbRect() const;
	BRect _TroughRect() const;
	Part _PartAt(BPoint where) const;
	float _ValueForThumbPosition(float position) const;
	void _DoPartAction(Part part);
	void _DrawArrow(BRect rect, bool increment, bool pressed);
	void _SetValueFromTarget(float value);
	void _StartRepeat();
	void _StopRepeat();

	float fMin;
	float fMax;
	float fValue;
	float fProportion;
	float fSmallStep;
	float fLargeStep;
	BView* fTarget;
	char* fTargetName;
	orientation fOrientation;
	Part fPressedPart;
	float fThumbGrabOffset;
	BPoint fLastMouse;
	int32 fRepeatTimer;
	bigtime_t fRepeatStart;
	bool fSettingFromTarget;
};

#endif	// _SCROLL_BAR_H
