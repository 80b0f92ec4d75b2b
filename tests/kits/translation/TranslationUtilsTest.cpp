// BTranslationUtils::GetBitmap on real GIF and JPEG files and streams.
#include <gtest/gtest.h>

#include <Bitmap.h>
#include <DataIO.h>
#include <TranslationUtils.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <unistd.h>

#include "TempFolder.h"

using namespace quillora_test;

namespace {

std::string DataPath(const char* name)
{
	return std::string(QUILLORA_TEST_DATA) + "/interface/" + name;
}

// Blue, green, red of a B_RGBA32 pixel.
void Pixel(const BBitmap* bitmap, int x, int y, int* r, int* g, int* b)
{
	const uint8* p = (const uint8*)bitmap->Bits() + y * bitmap->BytesPerRow() + x * 4;
	*b = p[0];
	*g = p[1];
	*r = p[2];
}

}	// namespace


TEST(TranslationUtils, ReadsGifFromAPath)
{
	BBitmap* bitmap = BTranslationUtils::GetBitmap(DataPath("red6x4.gif").c_str());
	ASSERT_NE(bitmap, nullptr);
	EXPECT_EQ(bitmap->Bounds(), BRect(0, 0, 5, 3));
	EXPECT_EQ(bitmap->ColorSpace(), B_RGBA32);
	EXPECT_GE(bitmap->BytesPerRow(), 24);
	EXPECT_EQ(bitmap->BitsLength(), bitmap->BytesPerRow() * 4);
	int r, g, b;
	Pixel(bitmap, 0, 0, &r, &g, &b);
	EXPECT_EQ(r, 0);
	EXPECT_EQ(b, 255);
	Pixel(bitmap, 2, 1, &r, &g, &b);
	EXPECT_EQ(r, 255);
	EXPECT_EQ(g, 0);
	EXPECT_EQ(b, 0);
	Pixel(bitmap, 5, 3, &r, &g, &b);
	EXPECT_EQ(b, 255);
	delete bitmap;
}


TEST(TranslationUtils, ReadsJpegFromAStreamAtItsPosition)
{
	std::string jpeg = ReadFile(DataPath("green16x8.jpg"));
	ASSERT_FALSE(jpeg.empty());
	// Some bytes before the picture: reading starts at the stream position.
	BMallocIO stream;
	stream.Write("junk", 4);
	stream.Write(jpeg.data(), jpeg.size());
	stream.Seek(4, SEEK_SET);
	BBitmap* bitmap = BTranslationUtils::GetBitmap(&stream);
	ASSERT_NE(bitmap, nullptr);
	EXPECT_EQ(bitmap->Bounds(), BRect(0, 0, 15, 7));
	int r, g, b;
	Pixel(bitmap, 8, 4, &r, &g, &b);
	EXPECT_LT(r, 20);
	EXPECT_NEAR(g, 192, 12);
	EXPECT_LT(b, 20);
	delete bitmap;

	// The same data from the start is not a picture.
	stream.Seek(0, SEEK_SET);
	EXPECT_EQ(BTranslationUtils::GetBitmap(&stream), nullptr);
}


TEST(TranslationUtils, MissingFilesAndNonPicturesGiveNull)
{
	EXPECT_EQ(BTranslationUtils::GetBitmap("/nonexistent/picture.gif"), nullptr);
	EXPECT_EQ(BTranslationUtils::GetBitmap((const char*)nullptr), nullptr);
	EXPECT_EQ(BTranslationUtils::GetBitmap((BPositionIO*)nullptr), nullptr);
	TempFolder folder("translation");
	std::string path = folder / "fake.gif";
	WriteFile(path, "GIF89a but not really");
	EXPECT_EQ(BTranslationUtils::GetBitmap(path.c_str()), nullptr);
	BMallocIO empty;
	EXPECT_EQ(BTranslationUtils::GetBitmap(&empty), nullptr);
}


TEST(TranslationUtils, BootPathsAreTranslated)
{
	// /boot/home/... is the home folder.
	TemporaryHome home("translation");
	ASSERT_FALSE(home.Root().empty());
	std::string gif = ReadFile(DataPath("red6x4.gif"));
	ASSERT_FALSE(gif.empty());
	WriteFile(home.Home() + "/picture.gif", gif);

	BBitmap* bitmap = BTranslationUtils::GetBitmap("/boot/home/picture.gif");
	EXPECT_NE(bitmap, nullptr);
	if (bitmap != nullptr) {
		EXPECT_EQ(bitmap->Bounds(), BRect(0, 0, 5, 3));
	}
	delete bitmap;
}
