/*
 * Drawing into a HostImage (a window's buffer or an offscreen image).
 * Qt-free.
 *
 * Coordinates are floats with BeOS conventions: rectangles have inclusive
 * edges (0, 0, 9, 9 is 10 by 10 pixels) and lines cover both end points.
 * SetOrigin() is added to every coordinate; SetClip() is in image pixels.
 */
#ifndef _QUILLORA_HOST_PAINTER_H
#define _QUILLORA_HOST_PAINTER_H

#include <GraphicsDefs.h>

#include <cstdint>

namespace BPrivate {

class HostImage;
struct HostFont;

class HostPainter {
public:
	explicit HostPainter(HostImage* target);
	~HostPainter();

	// Inclusive pixel edges in the target; an empty rectangle clips all.
	void SetClip(int32_t left, int32_t top, int32_t right, int32_t bottom);
	void SetOrigin(float x, float y);
	void SetPenSize(float size);
	void SetMode(drawing_mode mode);
	// What fills and strokes use: a solid colour, or an 8 by 8 pattern of
	// the high colour (bits set) and the low colour.
	void SetSource(rgb_color high, rgb_color low, const uint8_t* pattern);

	void FillRect(float left, float top, float right, float bottom);
	void StrokeRect(float left, float top, float right, float bottom);
	void StrokeLine(float x0, float y0, float x1, float y1);
	void FillEllipse(float left, float top, float right, float bottom);
	void StrokeEllipse(float left, float top, float right, float bottom);
	void FillArc(float left, float top, float right, float bottom, float start, float arc);
	void StrokeArc(float left, float top, float right, float bottom, float start, float arc);
	void FillRoundRect(float left, float top, float right, float bottom, float rx, float ry);
	void StrokeRoundRect(float left, float top, float right, float bottom, float rx, float ry);
	// points: x0, y0, x1, y1 ...
	void FillPolygon(const float* points, int32_t count);
	void StrokePolygon(const float* points, int32_t count, bool closed);
	void InvertRect(float left, float top, float right, float bottom);

	// Draws Unicode characters with the baseline's left end at (x, y) in
	// the high colour.
	void DrawString(const HostFont* font, const uint32_t* characters, int32_t count,
		float x, float y);

	// Scales the source rectangle of image into the destination rectangle.
	void DrawImage(const HostImage& image, float srcLeft, float srcTop, float srcRight,
		float srcBottom, float left, float top, float right, float bottom);
	// Repeats the source rectangle over the area, the first tile's left top
	// at (originX, originY); tileX/tileY choose the repeating directions.
	void TileImage(const HostImage& image, float srcLeft, float srcTop, float srcRight,
		float srcBottom, float originX, float originY, float areaLeft, float areaTop,
		float areaRight, float areaBottom, bool tileX, bool tileY);

private:
	HostPainter(const HostPainter&);
	HostPainter& operator=(const HostPainter&);

	struct Impl;
	Impl* fImpl;
};

}	// namespace BPrivate

#endif	// _QUILLORA_HOST_PAINTER_H
