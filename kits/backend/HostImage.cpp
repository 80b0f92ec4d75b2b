// Images through QImage and QImageReader.
#include "HostImage.h"

#include "Host.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <cstring>

namespace BPrivate {

static QImage* ImageOf(void* impl)
{
	return static_cast<QImage*>(impl);
}


HostImage::HostImage(int32_t width, int32_t height, bool opaque)
{
	QImage* image = new QImage(width > 0 ? width : 1, height > 0 ? height : 1,
		opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
	image->fill(Qt::white);
	fImpl = image;
}


HostImage::HostImage(void* bits, int32_t width, int32_t height, int32_t bytesPerRow,
	bool hasAlpha)
{
	fImpl = new QImage(static_cast<uchar*>(bits), width, height, bytesPerRow,
		hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}


HostImage::~HostImage()
{
	delete ImageOf(fImpl);
}


int32_t HostImage::Width() const
{
	return ImageOf(fImpl)->width();
}


int32_t HostImage::Height() const
{
	return ImageOf(fImpl)->height();
}


uint8_t* HostImage::Bits()
{
	return ImageOf(fImpl)->bits();
}


const uint8_t* HostImage::Bits() const
{
	return static_cast<const QImage*>(fImpl)->constBits();
}


int32_t HostImage::BytesPerRow() const
{
	return (int32_t)ImageOf(fImpl)->bytesPerLine();
}


uint32_t HostImage::PixelAt(int32_t x, int32_t y) const
{
	const QImage* image = ImageOf(fImpl);
	if (x < 0 || y < 0 || x >= image->width() || y >= image->height())
		return 0;
	return image->pixel(x, y);
}


void HostImage::Resize(int32_t width, int32_t height)
{
	QImage* image = ImageOf(fImpl);
	*image = QImage(width > 0 ? width : 1, height > 0 ? height : 1, image->format());
	image->fill(Qt::white);
}


bool HostImage::WritePNG(const char* path) const
{
	if (path == nullptr)
		return false;
	QImageWriter writer(QString::fromLocal8Bit(path), "PNG");
	return writer.write(*ImageOf(fImpl));
}


bool host_decode_image(const void* data, size_t length, HostDecodedImage* result)
{
	if (data == nullptr || length == 0 || result == nullptr)
		return false;
	// Image plugins need the application object.
	host_init();
	QByteArray bytes = QByteArray::fromRawData(static_cast<const char*>(data), (qsizetype)length);
	QBuffer buffer(&bytes);
	buffer.open(QIODevice::ReadOnly);
	QImageReader reader(&buffer);
	reader.setAutoTransform(true);
	QImage image;
	if (!reader.read(&image) || image.isNull())
		return false;
	image = image.convertToFormat(QImage::Format_ARGB32);
	result->width = image.width();
	result->height = image.height();
	result->pixels.resize((size_t)result->width * result->height * 4);
	for (int32_t y = 0; y < result->height; y++) {
		memcpy(result->pixels.data() + (size_t)y * result->width * 4, image.constScanLine(y),
			(size_t)result->width * 4);
	}
	return true;
}


bool host_encode_image(const uint8_t* pixels, int32_t width, int32_t height,
	int32_t bytesPerRow, bool hasAlpha, const char* format, const char* path)
{
	if (pixels == nullptr || width <= 0 || height <= 0 || path == nullptr || format == nullptr)
		return false;
	host_init();
	QImage image(pixels, width, height, bytesPerRow,
		hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
	QImageWriter writer(QString::fromLocal8Bit(path), format);
	return writer.write(image);
}

}	// namespace BPrivate
