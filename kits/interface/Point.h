/*
 * BPoint: a position in a view's or the screen's coordinate system.
 */
#ifndef _POINT_H
#define _POINT_H

#include <SupportDefs.h>

class BRect;

class BPoint {
public:
	float x;
	float y;

	BPoint() : x(0), y(0) {}
	BPoint(float X, float Y) : x(X), y(Y) {}
	BPoint(const BPoint& p) = default;
	BPoint& operator=(const BPoint& p) = default;

	void Set(float X, float Y) { x = X; y = Y; }
	// Moves the point inside r (inclusive edges).
	void ConstrainTo(BRect r);
	void PrintToStream() const;

	BPoint operator+(const BPoint& p) const { return BPoint(x + p.x, y + p.y); }
	BPoint operator-(const BPoint& p) const { return BPoint(x - p.x, y - p.y); }
	BPoint operator-() const { return BPoint(-x, -y); }
	BPoint& operator+=(const BPoint& p) { x += p.x; y += p.y; return *this; }
	BPoint& operator-=(const BPoint& p) { x -= p.x; y -= p.y; return *this; }
	bool operator==(const BPoint& p) const { return x == p.x && y == p.y; }
	bool operator!=(const BPoint& p) const { return !(*this == p); }
};

extern const BPoint B_ORIGIN;

#endif	// _POINT_H
