// BTranslationUtils over the host's image decoders.
#include <TranslationUtils.h>

#include <Bitmap.h>
#include <BootPaths.h>
#include <DataIO.h>
#include <Entry.h>
#include <Path.h>
#include <TranslatorRoster.h>

#include "HostImage.h"
#include "InterfacePrivate.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Larger inputs are not pictures this program shows; refusing them keeps
// a stray huge file from exhausting memory.
const size_t kMaxInput = 256 * 1024 * 1024;

BBitmap* BitmapFromData(const std::vector<uint8>& data)
{
	if (data.empty())
		return NULL;
	BPrivate::init_interface_kit();
	BPrivate::HostDecodedImage image;
	if (!BPrivate::host_decode_image(data.data(), data.size(), &image))
		return NULL;
	if (image.width <= 0 || image.height <= 0)
		return NULL;
	BBitmap* bitmap = new BBitmap(BRect(0, 0, image.width - 1, image.height - 1), B_RGBA32);
	if (!bitmap->IsValid()) {
		delete bitmap;
		return NULL;
	}
	uint8* bits = (uint8*)bitmap->Bits();
	size_t row = (size_t)image.width * 4;
	for (int32 y = 0; y < image.height; y++)
		memcpy(bits + (size_t)y * bitmap->BytesPerRow(), image.pixels.data() + y * row, row);
	return bitmap;
}

}	// namespace


BTranslatorRoster::BTranslatorRoster()
{
}


BTranslatorRoster::~BTranslatorRoster()
{
}


BTranslatorRoster* BTranslatorRoster::Default()
{
	static BTranslatorRoster sDefault;
	return &sDefault;
}


BBitmap* BTranslationUtils::GetBitmap(const char* name, BTranslatorRoster* roster)
{
	return GetBitmapFile(name, roster);
}


BBitmap* BTranslationUtils::GetBitmap(uint32, int32, BTranslatorRoster*)
{
	return NULL;
}


BBitmap* BTranslationUtils::GetBitmap(uint32, const char*, BTranslatorRoster*)
{
	return NULL;
}


BBitmap* BTranslationUtils::GetBitmapFile(const char* name, BTranslatorRoster*)
{
	if (name == NULL || name[0] == '\0')
		return NULL;
	std::string path = BPrivate::boot_path(name);
	FILE* file = fopen(path.c_str(), "rb");
	if (file == NULL)
		return NULL;
	std::vector<uint8> data;
	uint8 buffer[65536];
	size_t length;
	while ((length = fread(buffer, 1, sizeof(buffer), file)) > 0) {
		if (data.size() + length > kMaxInput) {
			fclose(file);
			return NULL;
		}
		data.insert(data.end(), buffer, buffer + length);
	}
	fclose(file);
	return BitmapFromData(data);
}


BBitmap* BTranslationUtils::GetBitmap(const entry_ref* ref, BTranslatorRoster* roster)
{
	if (ref == NULL)
		return NULL;
	BPath path(ref);
	if (path.InitCheck() != B_OK)
		return NULL;
	return GetBitmapFile(path.Path(), roster);
}


BBitmap* BTranslationUtils::GetBitmap(BPositionIO* stream, BTranslatorRoster*)
{
	if (stream == NULL)
		return NULL;
	std::vector<uint8> data;
	uint8 buffer[65536];
	for (;;) {
		ssize_t length = stream->Read(buffer, sizeof(buffer));
		if (length <= 0)
			break;
		if (data.size() + (size_t)length > kMaxInput)
			return NULL;
		data.insert(data.end(), buffer, buffer + length);
	}
	return BitmapFromData(data);
}
