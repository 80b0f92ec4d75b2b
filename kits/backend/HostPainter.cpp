// Drawing with QPainter on QImage, in BeOS pixel conventions.
#include "HostPainter.h"

#include "HostFont.h"
#include "HostImage.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QString>

#include <cmath>

namespace BPrivate {

struct HostPainter::Impl {
	QPainter painter;
	float originX = 0;
	float originY = 0;
	float penSize = 1;
	drawing_mode mode = B_OP_COPY;
	rgb_color high = { 0, 0, 0, 255 };
	rgb_color low = { 255, 255, 255, 255 };
	bool patterned = false;
	QImage patternImage;
	QBrush brush;
	QColor color;
	bool clippedOut = false;
	int32_t width = 0;
	int32_t height = 0;

	int X(float x) const { return (int)std::floor(x + originX + 0.5f); }
	int Y(float y) const { return (int)std::floor(y + originY + 0.5f); }

	// Sets the composition for a primitive and refreshes the brush colour.
	void Apply()
	{
		QPainter::CompositionMode composition = QPainter::CompositionMode_SourceOver;
		rgb_color source = mode == B_OP_ERASE ? low : high;
		int alpha = 255;
		switch (mode) {
			case B_OP_ALPHA:
				alpha = source.alpha;
				break;
			case B_OP_BLEND:
				alpha = 128;
				break;
			case B_OP_INVERT:
				composition = QPainter::RasterOp_NotDestination;
				break;
			case B_OP_ADD:
				composition = QPainter::CompositionMode_Plus;
				break;
			case B_OP_SUBTRACT:
				composition = QPainter::CompositionMode_Difference;
				break;
			case B_OP_MIN:
				composition = QPainter::CompositionMode_Darken;
				break;
			case B_OP_MAX:
				composition = QPainter::CompositionMode_Lighten;
				break;
			default:
				break;
		}
		painter.setCompositionMode(composition);
		color = QColor(source.red, source.green, source.blue, alpha);
		if (patterned && mode != B_OP_ERASE)
			brush = QBrush(patternImage);
		else
			brush = QBrush(color);
	}

	void ApplyForImage()
	{
		painter.setCompositionMode(mode == B_OP_INVERT
			? QPainter::RasterOp_NotDestination : QPainter::CompositionMode_SourceOver);
		painter.setOpacity(mode == B_OP_BLEND ? 0.5 : 1.0);
	}

	void Fill(int left, int top, int right, int bottom)
	{
		if (right < left || bottom < top)
			return;
		painter.fillRect(QRect(left, top, right - left + 1, bottom - top + 1), brush);
	}

	QPen Pen() const
	{
		QPen pen(brush, penSize <= 1.0f ? 0.0 : penSize, Qt::SolidLine, Qt::SquareCap,
			Qt::MiterJoin);
		return pen;
	}
};


HostPainter::HostPainter(HostImage* target)
	:
	fImpl(new Impl)
{
	QImage* image = static_cast<QImage*>(target->Impl());
	fImpl->width = image->width();
	fImpl->height = image->height();
	fImpl->painter.begin(image);
	fImpl->painter.setRenderHint(QPainter::Antialiasing, false);
	fImpl->painter.setRenderHint(QPainter::TextAntialiasing, true);
	fImpl->painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}


HostPainter::~HostPainter()
{
	fImpl->painter.end();
	delete fImpl;
}


void HostPainter::SetClip(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
	if (left < 0)
		left = 0;
	if (top < 0)
		top = 0;
	if (right >= fImpl->width)
		right = fImpl->width - 1;
	if (bottom >= fImpl->height)
		bottom = fImpl->height - 1;
	fImpl->clippedOut = right < left || bottom < top;
	if (!fImpl->clippedOut)
		fImpl->painter.setClipRect(QRect(left, top, right - left + 1, bottom - top + 1));
}


void HostPainter::SetOrigin(float x, float y)
{
	fImpl->originX = x;
	fImpl->originY = y;
}


void HostPainter::SetPenSize(float size)
{
	fImpl->penSize = size;
}


void HostPainter::SetMode(drawing_mode mode)
{
	fImpl->mode = mode;
}


void HostPainter::SetSource(rgb_color high, rgb_color low, const uint8_t* pattern)
{
	fImpl->high = high;
	fImpl->low = low;
	fImpl->patterned = pattern != nullptr;
	if (pattern != nullptr) {
		QImage& image = fImpl->patternImage;
		if (image.isNull())
			image = QImage(8, 8, QImage::Format_ARGB32);
		QRgb highPixel = qRgba(high.red, high.green, high.blue, 255);
		QRgb lowPixel = qRgba(low.red, low.green, low.blue, 255);
		for (int y = 0; y < 8; y++) {
			for (int x = 0; x < 8; x++)
				image.setPixel(x, y, (pattern[y] & (0x80 >> x)) ? highPixel : lowPixel);
		}
	}
}


void HostPainter::FillRect(float left, float top, float right, float bottom)
{
	if (fImpl->clippedOut)
		return;
	fImpl->Apply();
	fImpl->Fill(fImpl->X(left), fImpl->Y(top), fImpl->X(right), fImpl->Y(bottom));
}


void HostPainter::StrokeRect(float left, float top, float right, float bottom)
{
	if (fImpl->clippedOut)
		return;
	fImpl->Apply();
	int l = fImpl->X(left), t = fImpl->Y(top), r = fImpl->X(right), b = fImpl->Y(bottom);
	if (r < l || b < t)
		return;
	int size = fImpl->penSize > 1.0f ? (int)std::lround(fImpl->penSize) : 1;
	if (r - l + 1 <= 2 * size || b - t + 1 <= 2 * size) {
		fImpl->Fill(l, t, r, b);
		return;
	}
	fImpl->Fill(l, t, r, t + size - 1);
	fImpl->Fill(l, b - size + 1, r, b);
	fImpl->Fill(l, t + size, l + size - 1, b - size);
	fImpl->Fill(r - size + 1, t + size, r, b - size);
}


void HostPainter::StrokeLine(float x0, float y0, float x1, float y1)
{
	if (fImpl->clippedOut)
		return;
	fImpl->Apply();
	int ax = fImpl->X(x0), ay = fImpl->Y(y0), bx = fImpl->X(x1), by = fImpl->Y(y1);
	int size = fImpl->penSize > 1.0f ? (int)std::lround(fImpl->penSize) : 1;
	if (ay == by || ax == bx) {
		// Straight lines, by far the most common, as exact rectangles.
		int l = std::min(ax, bx), r = std::max(ax, bx);
		int t = std::min(ay, by), b = std::max(ay, by);
		int before = (size - 1) / 2, after = size - 1 - before;
		if (ay == by)
			fImpl->Fill(l, t - before, r, b + after);
		else
			fImpl->Fill(l - before, t, r + after, b);
		return;
	}
	fImpl->painter.setPen(fImpl->Pen());
	fImpl->painter.drawLine(QPoint(ax, ay), QPoint(bx, by));
}


void HostPainter::FillEllipse(float left, float top, float right, float bottom)
{
	if (fImpl->clippedOut)
		return;
	fImpl->Apply();
	int l = fImpl->X(left), t = fImpl->Y(top), r = fImpl->X(right), b = fImpl->Y(bottom);
	if (r < l || b < t)
		return;
	fImpl->painter.setPen(Qt::NoPen);
	fImpl->painter.setBrush(fImpl->brush);
	fImpl->painter.drawEllipse(QRect(l, t, r - l + 1, b - t + 1));
	fImpl->painter.setBrush(Qt::NoBrush);
}


void HostPainter::StrokeEllipse(float left, float top, float right, float bottom)
{
	if (fImpl->clippedOut)
		return;
	fImpl->Apply();
	int l = fImpl->X(left), t = fImpl->Y(top), r = fImpl->X(right), b = fImpl->Y(bottom);
	if (r < l || b < t)
		return;
	fImpl->painter.setPen(fImpl->Pen());
	fImpl->painter.setBrush(Qt::NoBrush);
	fImpl->painter.drawEllipse(QRect(l, t, r - l, b - t));
}


void HostPainter::FillArc(float left, float top, float right, float bottom, float start,
	float arc)
{
	if (fImpl->clippedOut)
		return;
	fImpl->Apply();
	int l = fImpl->X(left), t = fImpl->Y(top), r = fImpl->X(right), b = fImpl->Y(bottom);
	fImpl->painter.setPen(Qt::NoPen);
	fImpl->painter.setBrush(fImpl->brush);
	fImpl->painter.drawPie(QRect(l, t, r - l + 1, b - t + 1), (int)std::lround(start * 16),
		(int)std::lround(arc * 16));
	fImpl->painter.setBrush(Qt::NoBrush);
}


void HostPainter::StrokeArc(float left, float top, float right, float bottom, float start,
	float arc)
{
	if (fImpl->clippedOut)
		return;
	fImpl->Apply();
	int l = fImpl->X(left), t = fImpl->Y(top), r = fImpl->X(right), b = fImpl->Y(bottom);
	fImpl->painter.setPen(fImpl->Pen());
	fImpl->painter.drawArc(QRect(l, t, r - l, b - t), (int)std::lround(start * 16),
		(int)std::lround(arc * 16));
}


void HostPainter::FillRoundRect(float left, float top, float right, float bottom, float rx,
	float ry)
{
	if (fImpl->clippedOut)
		return;
	fImpl->Apply();
	int l = fImpl->X(left), t = fImpl->Y(top), r = fImpl->X(right), b = fImpl->Y(bottom);
	fImpl->painter.setPen(Qt::NoPen);
	fImpl->painter.setBrush(fImpl->brush);
	fImpl->painter.drawRoundedRect(QRect(l, t, r - l + 1, b - t + 1), rx, ry);
	fImpl->painter.setBrush(Qt::NoBrush);
}


void HostPainter::StrokeRoundRect(float left, float top, float right, float bottom, float rx,
	float ry)
{
	if (fImpl->clippedOut)
		return;
	fImpl->Apply();
	int l = fImpl->X(left), t = fImpl->Y(top), r = fImpl->X(right), b = fImpl->Y(bottom);
	fImpl->painter.setPen(fImpl->Pen());
	fImpl->painter.setBrush(Qt::NoBrush);
	fImpl->painter.drawRoundedRect(QRect(l, t, r - l, b - t), rx, ry);
}


void HostPainter::FillPolygon(const float* points, int32_t count)
{
	if (fImpl->clippedOut || points == nullptr || count < 3)
		return;
	fImpl->Apply();
	QPolygon polygon;
	for (int32_t i = 0; i < count; i++)
		polygon << QPoint(fImpl->X(points[2 * i]), fImpl->Y(points[2 * i + 1]));
	// Outline too, so that the polygon covers its edge pixels as on BeOS.
	fImpl->painter.setPen(fImpl->Pen());
	fImpl->painter.setBrush(fImpl->brush);
	fImpl->painter.drawPolygon(polygon);
	fImpl->painter.setBrush(Qt::NoBrush);
}


void HostPainter::StrokePolygon(const float* points, int32_t count, bool closed)
{
	if (fImpl->clippedOut || points == nullptr || count < 2)
		return;
	fImpl->Apply();
	QPolygon polygon;
	for (int32_t i = 0; i < count; i++)
		polygon << QPoint(fImpl->X(points[2 * i]), fImpl->Y(points[2 * i + 1]));
	fImpl->painter.setPen(fImpl->Pen());
	fImpl->painter.setBrush(Qt::NoBrush);
	if (closed)
		fImpl->painter.drawPolygon(polygon);
	else
		fImpl->painter.drawPolyline(polygon);
}


void HostPainter::InvertRect(float left, float top, float right, float bottom)
{
	if (fImpl->clippedOut)
		return;
	fImpl->painter.setCompositionMode(QPainter::RasterOp_NotDestination);
	int l = fImpl->X(left), t = fImpl->Y(top), r = fImpl->X(right), b = fImpl->Y(bottom);
	if (r >= l && b >= t)
		fImpl->painter.fillRect(QRect(l, t, r - l + 1, b - t + 1), Qt::black);
	fImpl->painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}


void HostPainter::DrawString(const HostFont* font, const uint32_t* characters,
	int32_t count, float x, float y)
{
	if (font == nullptr || characters == nullptr || count <= 0 || fImpl->clippedOut)
		return;
	QString text = QString::fromUcs4(reinterpret_cast<const char32_t*>(characters), count);
	fImpl->Apply();
	if (fImpl->mode == B_OP_INVERT)
		fImpl->painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
	fImpl->painter.setFont(*static_cast<const QFont*>(font->qfont));
	fImpl->painter.setPen(fImpl->color);
	fImpl->painter.drawText(QPointF(x + fImpl->originX, y + fImpl->originY), text);
}


void HostPainter::DrawImage(const HostImage& image, float srcLeft, float srcTop,
	float srcRight, float srcBottom, float left, float top, float right, float bottom)
{
	if (fImpl->clippedOut)
		return;
	const QImage* source = static_cast<const QImage*>(image.Impl());
	int l = fImpl->X(left), t = fImpl->Y(top), r = fImpl->X(right), b = fImpl->Y(bottom);
	if (r < l || b < t || srcRight < srcLeft || srcBottom < srcTop)
		return;
	fImpl->ApplyForImage();
	fImpl->painter.drawImage(QRectF(l, t, r - l + 1, b - t + 1), *source,
		QRectF(srcLeft, srcTop, srcRight - srcLeft + 1, srcBottom - srcTop + 1));
	fImpl->painter.setOpacity(1.0);
}


void HostPainter::TileImage(const HostImage& image, float srcLeft, float srcTop,
	float srcRight, float srcBottom, float originX, float originY, float areaLeft,
	float areaTop, float areaRight, float areaBottom, bool tileX, bool tileY)
{
	if (fImpl->clippedOut)
		return;
	const QImage* source = static_cast<const QImage*>(image.Impl());
	int tileWidth = (int)std::lround(srcRight - srcLeft) + 1;
	int tileHeight = (int)std::lround(srcBottom - srcTop) + 1;
	if (tileWidth <= 0 || tileHeight <= 0)
		return;
	int ox = fImpl->X(originX), oy = fImpl->Y(originY);
	int al = fImpl->X(areaLeft), at = fImpl->Y(areaTop);
	int ar = fImpl->X(areaRight), ab = fImpl->Y(areaBottom);
	if (ar < al || ab < at)
		return;
	// Tiles repeat both ways from the origin; start at the one covering the
	// area's first pixel.
	int firstX = ox, firstY = oy;
	if (tileX)
		firstX = ox + (int)std::floor((double)(al - ox) / tileWidth) * tileWidth;
	if (tileY)
		firstY = oy + (int)std::floor((double)(at - oy) / tileHeight) * tileHeight;
	QRect sourceRect((int)std::lround(srcLeft), (int)std::lround(srcTop), tileWidth, tileHeight);
	fImpl->ApplyForImage();
	fImpl->painter.save();
	fImpl->painter.setClipRect(QRect(al, at, ar - al + 1, ab - at + 1), Qt::IntersectClip);
	for (int y = firstY; y <= ab; y += tileHeight) {
		for (int x = firstX; x <= ar; x += tileWidth) {
			fImpl->painter.drawImage(QPoint(x, y), *source, sourceRect);
			if (!tileX)
				break;
		}
		if (!tileY)
			break;
	}
	fImpl->painter.restore();
	fImpl->painter.setOpacity(1.0);
}

}	// namespace BPrivate
