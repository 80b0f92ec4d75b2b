/*
 * BRect: a rectangle with inclusive edges, as on BeOS: BRect(0, 0, 9, 9)
 * covers 10 by 10 pixels, Width() is right - left (9), IntegerWidth() the
 * same rounded up. A rectangle whose right < left or bottom < top is invalid;
 * the default one is (0, 0, -1, -1).
 */
#ifndef _RECT_H
#define _RECT_H

#include <Point.h>

#include <cmath>

class BRect {
public:
	float left;
	float top;
	float right;
	float bottom;

	BRect() : left(0), top(0), right(-1), bottom(-1) {}
	BRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
	BRect(BPoint leftTop, BPoint rightBottom)
		: left(leftTop.x), top(leftTop.y), right(rightBottom.x), bottom(rightBottom.y) {}
	BRect(const BRect& r) = default;
	BRect& operator=(const BRect& r) = default;

	void Set(float l, float t, float r, float b) { left = l; top = t; right = r; bottom = b; }

	BPoint LeftTop() const { return BPoint(left, top); }
	BPoint RightBottom() const { return BPoint(right, bottom); }
	BPoint LeftBottom() const { return BPoint(left, bottom); }
	BPoint RightTop() const { return BPoint(right, top); }
	void SetLeftTop(BPoint p) { left = p.x; top = p.y; }
	void SetRightBottom(BPoint p) { right = p.x; bottom = p.y; }
	void SetLeftBottom(BPoint p) { left = p.x; bottom = p.y; }
	void SetRightTop(BPoint p) { right = p.x; top = p.y; }

	// Positive values shrink, negative values grow; both edges move.
	void InsetBy(BPoint p) { InsetBy(p.x, p.y); }
	void InsetBy(float dx, float dy) { left += dx; right -= dx; top += dy; bottom -= dy; }
	void OffsetBy(BPoint p) { OffsetBy(p.x, p.y); }
	void OffsetBy(float dx, float dy) { left += dx; right += dx; top += dy; bottom += dy; }
	void OffsetTo(BPoint p) { OffsetTo(p.x, p.y); }
	void OffsetTo(float x, float y) { right += x - left; bottom += y - top; left = x; top = y; }

	BRect& InsetBySelf(float dx, float dy) { InsetBy(dx, dy); return *this; }
	BRect& InsetBySelf(BPoint p) { InsetBy(p); return *this; }
	BRect InsetByCopy(float dx, float dy) const { BRect r(*this); r.InsetBy(dx, dy); return r; }
	BRect InsetByCopy(BPoint p) const { return InsetByCopy(p.x, p.y); }
	BRect& OffsetBySelf(float dx, float dy) { OffsetBy(dx, dy); return *this; }
	BRect& OffsetBySelf(BPoint p) { OffsetBy(p); return *this; }
	BRect OffsetByCopy(float dx, float dy) const { BRect r(*this); r.OffsetBy(dx, dy); return r; }
	BRect OffsetByCopy(BPoint p) const { return OffsetByCopy(p.x, p.y); }
	BRect& OffsetToSelf(float x, float y) { OffsetTo(x, y); return *this; }
	BRect& OffsetToSelf(BPoint p) { OffsetTo(p); return *this; }
	BRect OffsetToCopy(float x, float y) const { BRect r(*this); r.OffsetTo(x, y); return r; }
	BRect OffsetToCopy(BPoint p) const { return OffsetToCopy(p.x, p.y); }

	bool operator==(const BRect& r) const
		{ return left == r.left && top == r.top && right == r.right && bottom == r.bottom; }
	bool operator!=(const BRect& r) const { return !(*this == r); }

	// Intersection and union. The intersection of disjoint rectangles is invalid.
	BRect operator&(const BRect& r) const
	{
		return BRect(std::fmax(left, r.left), std::fmax(top, r.top),
			std::fmin(right, r.right), std::fmin(bottom, r.bottom));
	}
	BRect operator|(const BRect& r) const
	{
		return BRect(std::fmin(left, r.left), std::fmin(top, r.top),
			std::fmax(right, r.right), std::fmax(bottom, r.bottom));
	}

	bool IsValid() const { return left <= right && top <= bottom; }
	float Width() const { return right - left; }
	int32 IntegerWidth() const { return (int32)std::ceil(right - left); }
	float Height() const { return bottom - top; }
	int32 IntegerHeight() const { return (int32)std::ceil(bottom - top); }

	bool Intersects(const BRect& r) const
	{
		return IsValid() && r.IsValid() && left <= r.right && r.left <= right
			&& top <= r.bottom && r.top <= bottom;
	}
	bool Contains(BPoint p) const
		{ return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
	bool Contains(const BRect& r) const
	{
		return r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom;
	}

	void PrintToStream() const;
};

#endif	// _RECT_H
