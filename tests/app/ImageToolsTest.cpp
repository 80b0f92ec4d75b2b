// Image references resolved against the image directory and the page.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include <File.h>

#include "ImageTools.h"
#include "TempFolder.h"

namespace {

// Pages and images live in a temporary home folder, reached through the
// program's own "/boot/home" paths.
class ImagePaths : public testing::Test {
protected:
	void SetUp() override
	{
		fHome = fTemporaryHome.Home();
		ASSERT_FALSE(fTemporaryHome.Root().empty());
		mkdir((fHome + "/site").c_str(), 0700);
		mkdir((fHome + "/site/images").c_str(), 0700);
		mkdir((fHome + "/pics").c_str(), 0700);
		Touch(fHome + "/site/images/a.gif");
		Touch(fHome + "/a.gif");
	}

	static void Touch(const std::string& path)
	{
		BFile file(path.c_str(), B_WRITE_ONLY | B_CREATE_FILE);
		ASSERT_EQ(B_OK, file.InitCheck());
		file.Write("GIF89a", 6);
	}

	// Resolves into a buffer sized as the helper says, guarded by a
	// sentinel byte right after it.
	bool Resolve(const char* image, const char* page, const char* directory,
		std::string& result)
	{
		size_t size = ImageTools::AbsoluteImagePathLength(image, page, directory);
		std::string out(size + 1, '#');
		bool found = ImageTools::AbsoluteImagePath(&out[0], image, page,
			directory);
		EXPECT_EQ('#', out[size]) << "wrote past the buffer";
		result = out.c_str();
		return found;
	}

	quillora_test::TemporaryHome fTemporaryHome;
	std::string fHome;
};

TEST_F(ImagePaths, ResolvesAgainstDirectoryAndPage)
{
	std::string out;
	// Absolute images stand for themselves, whatever the settings say.
	EXPECT_FALSE(Resolve("/boot/pics/a.gif", "/boot/home/site/index.html",
		"/boot/home/pics/", out));
	EXPECT_EQ("/boot/pics/a.gif", out);

	// A relative image directory is taken from the page's folder.
	EXPECT_TRUE(Resolve("a.gif", "/boot/home/site/index.html", "images/", out));
	EXPECT_EQ("/boot/home/site/images/a.gif", out);

	// An absolute image directory is used as it stands, steps resolved.
	EXPECT_TRUE(Resolve("../a.gif", "/boot/home/site/index.html",
		"/boot/home/pics/", out));
	EXPECT_EQ("/boot/home/a.gif", out);

	// A one-character directory is ignored, and so is none at all.
	EXPECT_TRUE(Resolve("images/a.gif", "/boot/home/site/index.html", "/", out));
	EXPECT_EQ("/boot/home/site/images/a.gif", out);
	EXPECT_TRUE(Resolve("images/./a.gif", "/boot/home/site/index.html",
		nullptr, out));
	EXPECT_EQ("/boot/home/site/images/a.gif", out);
}

TEST_F(ImagePaths, MissingFilesAndArguments)
{
	std::string out;
	// A missing file is reported false, with the path for the message.
	EXPECT_FALSE(Resolve("b.gif", "/boot/home/site/index.html", "images/", out));
	EXPECT_EQ("/boot/home/site/images/b.gif", out);
	// A folder is not an image file.
	EXPECT_FALSE(Resolve("images", "/boot/home/site/index.html", nullptr, out));

	char untouched[] = "keep";
	EXPECT_FALSE(ImageTools::AbsoluteImagePath(untouched, nullptr, "/p", "d/"));
	EXPECT_FALSE(ImageTools::AbsoluteImagePath(untouched, "a", nullptr, "d/"));
	EXPECT_FALSE(ImageTools::AbsoluteImagePath(nullptr, "a", "/p", "d/"));
	EXPECT_STREQ("keep", untouched);

	// Long references are no problem when the buffer is sized for them.
	std::string longName(5000, 'n');
	EXPECT_FALSE(Resolve(longName.c_str(), "/boot/home/site/index.html",
		"images/", out));
	EXPECT_EQ("/boot/home/site/images/" + longName, out);
}

}	// namespace
