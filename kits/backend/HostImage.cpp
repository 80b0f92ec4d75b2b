// Images through QImage and QImageReader.
#include "HostImage.h"

#include "Host.h"

#include <QBackingStore>
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
	:
	fStore(nullptr),
	fPending(true),
	fWidth(width > 0 ? width : 1),
	fHeight(height > 0 ? height : 1),
	fOpaque(opaque)
{
	// A null image until the pixels are needed.
	fImpl = new QImage();
}


HostImage::HostImage(void* bits, int32_t width, int32_t height, int32_t bytesPerRow,
	bool hasAlpha)
	:
	fStore(nullptr),
	fPending(false),
	fWidth(width),
	fHeight(height),
	fOpaque(!hasAlpha)
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
	return fWidth;
}


int32_t HostImage::Height() const
{
	return fHeight;
}


// The store's image when it can hold the pixels of a width by height
// buffer, resized to that first and made white when `fresh`; else null.
static QImage* StoreImage(void* store, int32_t width, int32_t height, bool fresh)
{
	QBackingStore* backing = static_cast<QBackingStore*>(store);
	QSize size(width, height);
	if (backing->size() != size) {
		backing->resize(size);
		fresh = true;
	}
	QImage* image = dynamic_cast<QImage*>(backing->paintDevice());
	if (image == nullptr || image->size() != size
		|| image->format() != QImage::Format_RGB32)
		return nullptr;
	if (fresh)
		image->fill(Qt::white);
	return image;
}


void* HostImage::Impl() const
{
	if (fStore != nullptr) {
		if (QImage* image = StoreImage(fStore, fWidth, fHeight, fPending)) {
			fPending = false;
			return image;
		}
		// The store took another form: the pixels live here again.
		fStore = nullptr;
		fPending = true;
	}
	if (fPending) {
		QImage* image = ImageOf(fImpl);
		*image = QImage(fWidth, fHeight,
			fOpaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
		image->fill(Qt::white);
		fPending = false;
	}
	return fImpl;
}


uint8_t* HostImage::Bits()
{
	return ImageOf(Impl())->bits();
}


const uint8_t* HostImage::Bits() const
{
	return static_cast<const QImage*>(Impl())->constBits();
}


int32_t HostImage::BytesPerRow() const
{
	return (int32_t)ImageOf(Impl())->bytesPerLine();
}


uint32_t HostImage::PixelAt(int32_t x, int32_t y) const
{
	const QImage* image = ImageOf(Impl());
	if (x < 0 || y < 0 || x >= image->width() || y >= image->height())
		return 0;
	return image->pixel(x, y);
}


void HostImage::Resize(int32_t width, int32_t height)
{
	// White again, made when next needed.
	*ImageOf(fImpl) = QImage();
	fWidth = width > 0 ? width : 1;
	fHeight = height > 0 ? height : 1;
	fPending = true;
}


void HostImage::LendTo(void* store)
{
	*ImageOf(fImpl) = QImage();
	fStore = store;
	fPending = true;
}


bool HostImage::WritePNG(const char* path) const
{
	if (path == nullptr)
		return false;
	QImageWriter writer(QString::fromLocal8Bit(path), "PNG");
	return writer.write(*ImageOf(Impl()));
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
