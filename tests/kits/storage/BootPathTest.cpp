// BeOS locations land in the host folders of the user's environment; the
// program's declarations become a desktop entry there.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <AppFileInfo.h>
#include <BootPaths.h>
#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <FindDirectory.h>
#include <Message.h>
#include <Mime.h>
#include <NodeInfo.h>
#include <Path.h>
#include <SymLink.h>

#include "TempFolder.h"

using namespace quillora_test;

namespace {

// A temporary home with the XDG variables pointed into it.
class BootPathsTest : public testing::Test {
protected:
	void SetUp() override
	{
		fHome = fFolder / "home";
		fConfig = fFolder / "config";
		ASSERT_EQ(0, mkdir(fHome.c_str(), 0755));
		fEnv.Set("HOME", fHome);
		fEnv.Set("XDG_CONFIG_HOME", fConfig);
		fEnv.Unset("XDG_DATA_HOME");
		fEnv.Unset("XDG_STATE_HOME");
	}

	void MakeExecutable(const std::string& path)
	{
		WriteFile(path, "#!/bin/sh\n");
		ASSERT_EQ(0, chmod(path.c_str(), 0755));
	}

	TempFolder fFolder;
	ScopedEnv fEnv;
	std::string fHome;
	std::string fConfig;
};

// Undoes the two levels of a desktop entry's Exec value: the string escapes
// of the file format, then the quoting of one argument.
std::string
UnquoteExecArgument(const std::string& value)
{
	std::string unescaped;
	for (size_t i = 0; i < value.size(); i++) {
		if (value[i] == '\\' && i + 1 < value.size()) {
			char next = value[++i];
			unescaped += next == 'n' ? '\n' : next == 't' ? '\t' : next;
		} else
			unescaped += value[i];
	}
	std::string argument;
	if (unescaped.empty() || unescaped[0] != '"')
		return unescaped.substr(0, unescaped.find(' '));
	for (size_t i = 1; i < unescaped.size() && unescaped[i] != '"'; i++) {
		if (unescaped[i] == '\\' && i + 1 < unescaped.size())
			i++;
		argument += unescaped[i];
	}
	return argument;
}

std::string
KeyOf(const std::string& contents, const std::string& key)
{
	size_t start = contents.find("\n" + key + "=");
	if (start == std::string::npos)
		return "<missing>";
	start += key.size() + 2;
	return contents.substr(start, contents.find('\n', start) - start);
}

}	// namespace

TEST_F(BootPathsTest, TranslatesTheBeOSLocations)
{
	using BPrivate::boot_path;
	EXPECT_EQ(fConfig + "/Brindel/Quillora_settings",
		boot_path("/boot/home/config/settings/Brindel/Quillora_settings"));
	EXPECT_EQ(fConfig, boot_path("/boot/home/config/settings"));
	EXPECT_EQ(fHome + "/.local/bin/Quillora",
		boot_path("/boot/home/config/be/Applications/Quillora"));
	EXPECT_EQ(fHome + "/Documents/page.html", boot_path("/boot/home/Documents/page.html"));
	EXPECT_EQ(fHome, boot_path("/boot/home"));
	EXPECT_EQ(fHome + "/config/other", boot_path("/boot/home/config/other"));

	// Only whole components match; other paths stay as they are.
	EXPECT_EQ("/boot/homework/x", boot_path("/boot/homework/x"));
	EXPECT_EQ(fHome + "/config/settingsX", boot_path("/boot/home/config/settingsX"));
	EXPECT_EQ("/boot/beos/system", boot_path("/boot/beos/system"));
	EXPECT_EQ("/usr/share/x", boot_path("/usr/share/x"));
	EXPECT_EQ("relative/boot/home", boot_path("relative/boot/home"));

	// The XDG default, and a relative XDG value, which the rules say to ignore.
	fEnv.Unset("XDG_CONFIG_HOME");
	EXPECT_EQ(fHome + "/.config/Brindel",
		boot_path("/boot/home/config/settings/Brindel"));
	fEnv.Set("XDG_CONFIG_HOME", "relative/config");
	EXPECT_EQ(fHome + "/.config/Brindel",
		boot_path("/boot/home/config/settings/Brindel"));

	// What programs keep between runs goes to the XDG state folder.
	EXPECT_EQ(fHome + "/.local/state/Quillora/recovery",
		boot_path("/boot/home/config/var/Quillora/recovery"));
	fEnv.Set("XDG_STATE_HOME", fFolder / "state/");
	EXPECT_EQ(fFolder / "state/Quillora",
		boot_path("/boot/home/config/var/Quillora"));
	EXPECT_EQ(fHome + "/config/variable", boot_path("/boot/home/config/variable"));
	fEnv.Set("XDG_STATE_HOME", "relative/state");
	EXPECT_EQ(fHome + "/.local/state", boot_path("/boot/home/config/var"));

	// A folder made there gets its host root made first.
	fEnv.Set("XDG_STATE_HOME", fFolder / "fresh/state");
	ASSERT_EQ(B_OK, create_directory("/boot/home/config/var/Quillora/recovery",
		0700));
	EXPECT_TRUE(BEntry((fFolder / "fresh/state/Quillora/recovery").c_str())
		.IsDirectory());
}

// "." and ".." that step through BeOS's own folders are resolved before the
// mapping: on BeOS the parent of /boot/home is /boot, not the parent of the
// folder it maps to. Every spelling of a location lands in the same place.
TEST_F(BootPathsTest, EverySpellingOfALocationMapsAlike)
{
	BPath boot("/boot");
	ASSERT_EQ(B_OK, boot.InitCheck());
	EXPECT_STREQ("/boot", boot.Path());
	for (BPath path : { BPath("/boot", "home/.."), BPath("/boot/home/.."),
			BPath("/boot/home/config/settings/../../.."),
			BPath("/boot/", "./home/../") }) {
		EXPECT_EQ(B_OK, path.InitCheck());
		EXPECT_TRUE(path == boot) << (path.Path() ? path.Path() : "(none)");
	}
	EXPECT_STREQ("/", BPath("/boot/..").Path());
	EXPECT_EQ("/boot", BPrivate::boot_path("/boot/home/.."));

	std::string settings = fConfig + "/Brindel";
	for (BPath path : { BPath("/boot/home", "config/settings/Brindel"),
			BPath("/boot", "home/config/settings/Brindel"),
			BPath("/boot/home/config/./settings//Brindel"),
			BPath("/boot/home/config/be/../settings/Brindel") }) {
		EXPECT_EQ(B_OK, path.InitCheck());
		EXPECT_STREQ(settings.c_str(), path.Path());
	}
	EXPECT_STREQ((fHome + "/.local/bin/Quillora").c_str(),
		BPath("/boot/home/config/settings/../be/Applications",
			"Quillora").Path());
	EXPECT_EQ(settings, BPrivate::boot_path(
		"/boot/home/config/var/../settings/Brindel"));
	EXPECT_EQ(fHome + "/.local/state/Quillora", BPrivate::boot_path(
		"/boot/home/config/settings/../var/./Quillora"));

	// The other storage calls agree.
	ASSERT_EQ(0, mkdir(fConfig.c_str(), 0755));
	ASSERT_EQ(0, mkdir(settings.c_str(), 0755));
	WriteFile(settings + "/file", "x");
	BEntry entry("/boot/home/../home/config/./settings/Brindel/file");
	EXPECT_TRUE(entry.Exists());
	BPath entryPath;
	ASSERT_EQ(B_OK, entry.GetPath(&entryPath));
	EXPECT_STREQ((settings + "/file").c_str(), entryPath.Path());

	// Below the user's own folders the host resolves the rest, links
	// included.
	ASSERT_EQ(0, mkdir((fHome + "/site").c_str(), 0755));
	EXPECT_STREQ((fHome + "/page.html").c_str(),
		BPath("/boot/home/site/../page.html").Path());
	ASSERT_EQ(0, mkdir((fFolder / "elsewhere").c_str(), 0755));
	ASSERT_EQ(0, mkdir((fFolder / "elsewhere/inner").c_str(), 0755));
	ASSERT_EQ(0, symlink((fFolder / "elsewhere/inner").c_str(),
		(fHome + "/link").c_str()));
	EXPECT_STREQ((fFolder / "elsewhere/x").c_str(),
		BPath("/boot/home/link/../x").Path());
}

TEST_F(BootPathsTest, TheBrowserIsTheDesktopLauncherOnThePath)
{
	std::string bin = fFolder / "bin";
	ASSERT_EQ(0, mkdir(bin.c_str(), 0755));
	fEnv.Set("PATH", fFolder / "empty" + ":" + bin);
	// No browser of the user's or of the machine's desktop: the launcher is
	// what is left (the choice itself is the kernel kit's browser test).
	fEnv.Unset("BROWSER");
	fEnv.Set("XDG_CONFIG_DIRS", fFolder / "empty");
	fEnv.Set("XDG_DATA_DIRS", fFolder / "empty");

	EXPECT_EQ("/boot/beos/apps/NetPositive",
		BPrivate::boot_path("/boot/beos/apps/NetPositive"))
		<< "no launcher: the path stays, and opening it fails";
	EXPECT_NE(B_OK, BFile("/boot/beos/apps/NetPositive", B_READ_ONLY).InitCheck());

	// A file that is not executable is no launcher.
	WriteFile(bin + "/xdg-open", "#!/bin/sh\n");
	EXPECT_EQ("/boot/beos/apps/NetPositive",
		BPrivate::boot_path("/boot/beos/apps/NetPositive"));

	ASSERT_EQ(0, chmod((bin + "/xdg-open").c_str(), 0755));
	EXPECT_EQ(bin + "/xdg-open", BPrivate::boot_path("/boot/beos/apps/NetPositive"));
	EXPECT_EQ(B_OK, BFile("/boot/beos/apps/NetPositive", B_READ_ONLY).InitCheck());
}

TEST_F(BootPathsTest, SettingsFileLandsInTheConfigFolder)
{
	// The settings folder's host root does not exist yet.
	ASSERT_EQ(B_OK, create_directory("/boot/home/config/settings/Brindel", 0777));
	EXPECT_TRUE(BEntry((fConfig + "/Brindel").c_str()).IsDirectory());

	const char* settings = "/boot/home/config/settings/Brindel/Quillora_settings";
	BFile file(settings, B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
	ASSERT_EQ(B_OK, file.InitCheck());
	EXPECT_EQ(6, file.Write("line1\n", 6));
	file.Unset();
	EXPECT_EQ("line1\n", ReadFile(fConfig + "/Brindel/Quillora_settings"));

	BFile reread(settings, B_READ_ONLY);
	ASSERT_EQ(B_OK, reread.InitCheck());
	char buffer[6];
	EXPECT_EQ(6, reread.Read(buffer, 6));

	// Paths handed back are the real ones.
	BPath path(settings);
	EXPECT_STREQ((fConfig + "/Brindel/Quillora_settings").c_str(), path.Path());
	BEntry entry(settings);
	BPath fromEntry;
	ASSERT_EQ(B_OK, entry.GetPath(&fromEntry));
	EXPECT_STREQ(path.Path(), fromEntry.Path());
	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path(settings, &ref));
	EXPECT_STREQ("Quillora_settings", ref.name);

	BPath found;
	ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, &found));
	EXPECT_STREQ(fConfig.c_str(), found.Path());
	char buffer2[B_PATH_NAME_LENGTH];
	ASSERT_EQ(B_OK, find_directory(B_USER_DIRECTORY, -1, false, buffer2, sizeof(buffer2)));
	EXPECT_STREQ(fHome.c_str(), buffer2);
	EXPECT_EQ(B_NAME_TOO_LONG,
		find_directory(B_USER_DIRECTORY, -1, false, buffer2, 3));
}

TEST_F(BootPathsTest, ApplicationLinkIsCreatedInTheUserBinFolder)
{
	std::string program = fFolder / "build/Quillora";
	ASSERT_EQ(0, mkdir((fFolder / "build").c_str(), 0755));
	MakeExecutable(program);

	// "/boot" does not exist here; an absolute link path works regardless,
	// and ~/.local/bin is made because it does not exist yet.
	BDirectory boot("/boot");
	BSymLink link;
	ASSERT_EQ(B_OK, boot.CreateSymLink("/boot/home/config/be/Applications/Quillora",
		program.c_str(), &link));
	std::string linkPath = fHome + "/.local/bin/Quillora";
	char contents[B_PATH_NAME_LENGTH];
	ASSERT_GT(link.ReadLink(contents, sizeof(contents)), 0);
	EXPECT_EQ(program, contents);
	BEntry followed(linkPath.c_str(), true);
	BPath followedPath;
	followed.GetPath(&followedPath);
	EXPECT_TRUE(followed.IsFile());

	// A second start finds the link there.
	EXPECT_EQ(B_FILE_EXISTS, boot.CreateSymLink(
		"/boot/home/config/be/Applications/Quillora", program.c_str(), nullptr));

	// Link contents that are BeOS locations point to where those are here.
	BDirectory home(fHome.c_str());
	ASSERT_EQ(B_OK, home.CreateSymLink("docs", "/boot/home/Documents", &link));
	ASSERT_GT(link.ReadLink(contents, sizeof(contents)), 0);
	EXPECT_EQ(fHome + "/Documents", contents);
}

TEST_F(BootPathsTest, SupportedTypesBecomeADesktopEntry)
{
	// A program name with a blank and a dollar sign tests the Exec quoting.
	std::string program = fFolder / "My $Editor";
	MakeExecutable(program);
	BFile file(program.c_str(), B_READ_WRITE);
	ASSERT_EQ(B_OK, file.InitCheck());
	BAppFileInfo info(&file);
	ASSERT_EQ(B_OK, info.InitCheck());

	char signature[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(B_ENTRY_NOT_FOUND, info.GetSignature(signature));
	BMessage types;
	EXPECT_NE(B_OK, info.SetSupportedTypes(&types)) << "no signature, no entry name";

	ASSERT_EQ(B_OK, info.SetSignature("application/x-vnd.Test-Editor"));
	ASSERT_EQ(B_OK, info.GetSignature(signature));
	EXPECT_STREQ("application/x-vnd.Test-Editor", signature);
	EXPECT_EQ(B_BAD_VALUE, info.SetSignature("not a type"));

	ASSERT_EQ(B_OK, info.SetType(B_APP_MIME_TYPE));
	char type[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(B_OK, info.GetType(type));
	EXPECT_STREQ(B_APP_MIME_TYPE, type);

	EXPECT_FALSE(info.IsSupportedType("text/html"));
	types.AddString("types", "text/html");
	ASSERT_EQ(B_OK, info.SetSupportedTypes(&types));

	std::string entryPath = fHome + "/.local/share/applications/"
		"application-x-vnd.Test-Editor.desktop";
	EXPECT_EQ(entryPath, BAppFileInfo::DesktopEntryPath("application/x-vnd.Test-Editor"));
	std::string contents = ReadFile(entryPath);
	ASSERT_FALSE(contents.empty()) << "no desktop entry at " << entryPath;
	EXPECT_EQ(0u, contents.find("[Desktop Entry]\n"));
	EXPECT_EQ("Application", KeyOf(contents, "Type"));
	EXPECT_EQ("My $Editor", KeyOf(contents, "Name"));
	EXPECT_EQ("text/html;", KeyOf(contents, "MimeType"));
	std::string exec = KeyOf(contents, "Exec");
	EXPECT_EQ(" %f", exec.substr(exec.size() - 3));
	EXPECT_EQ(program, UnquoteExecArgument(exec));

	BMessage readBack;
	ASSERT_EQ(B_OK, info.GetSupportedTypes(&readBack));
	const char* first = nullptr;
	ASSERT_EQ(B_OK, readBack.FindString("types", 0, &first));
	EXPECT_STREQ("text/html", first);
	EXPECT_NE(B_OK, readBack.FindString("types", 1, &first));
	EXPECT_TRUE(info.IsSupportedType("text/html"));
	EXPECT_TRUE(info.IsSupportedType("TEXT/HTML"));
	EXPECT_FALSE(info.IsSupportedType("image/gif"));

	// A bad type is refused before anything is written.
	BMessage bad;
	bad.AddString("types", "text/html");
	bad.AddString("types", "no-slash-allowed/");
	EXPECT_EQ(B_BAD_VALUE, info.SetSupportedTypes(&bad));
	EXPECT_EQ(contents, ReadFile(entryPath));

	// No types: no entry.
	BMessage none;
	ASSERT_EQ(B_OK, info.SetSupportedTypes(&none));
	EXPECT_FALSE(BEntry(entryPath.c_str()).Exists());
}

TEST_F(BootPathsTest, TheRunningProgramHasItsApplicationSignature)
{
	char* self = realpath("/proc/self/exe", nullptr);
	ASSERT_NE(nullptr, self);
	std::string selfPath = self;
	free(self);

	// Opened read-write as BeOS programs did, although it is running.
	BFile file(selfPath.c_str(), B_READ_WRITE);
	ASSERT_EQ(B_OK, file.InitCheck());
	BAppFileInfo info(&file);
	BPrivate::set_running_app_signature("application/x-vnd.Quillora-StorageTest");
	char signature[B_MIME_TYPE_LENGTH];
	status_t status = info.GetSignature(signature);
	BMessage types;
	types.AddString("types", "text/html");
	status_t setStatus = info.SetSupportedTypes(&types);
	BPrivate::set_running_app_signature(nullptr);

	ASSERT_EQ(B_OK, status);
	EXPECT_STREQ("application/x-vnd.Quillora-StorageTest", signature);
	ASSERT_EQ(B_OK, setStatus);
	std::string contents = ReadFile(BAppFileInfo::DesktopEntryPath(signature));
	EXPECT_EQ(selfPath, UnquoteExecArgument(KeyOf(contents, "Exec")));

	// Another file does not borrow the running program's signature.
	std::string other = fFolder / "other";
	MakeExecutable(other);
	BFile otherFile(other.c_str(), B_READ_ONLY);
	BAppFileInfo otherInfo(&otherFile);
	BPrivate::set_running_app_signature("application/x-vnd.Quillora-StorageTest");
	EXPECT_EQ(B_ENTRY_NOT_FOUND, otherInfo.GetSignature(signature));
	BPrivate::set_running_app_signature(nullptr);
}

TEST(MimeType, ChecksFormAndGuessesFromNamesAndContents)
{
	for (const char* valid : { "text/html", "application/x-vnd.Quillora", "text" })
		EXPECT_TRUE(BMimeType::IsValid(valid)) << valid;
	for (const char* invalid : { "text/", "/html", "a/b/c", "text/ht ml", "" })
		EXPECT_FALSE(BMimeType::IsValid(invalid)) << invalid;
	EXPECT_FALSE(BMimeType::IsValid(nullptr));

	BMimeType html("Text/HTML");
	EXPECT_EQ(B_OK, html.InitCheck());
	EXPECT_TRUE(html == "text/html");
	BMimeType super;
	ASSERT_EQ(B_OK, html.GetSupertype(&super));
	EXPECT_STREQ("Text", super.Type());
	EXPECT_TRUE(super.IsSupertypeOnly());
	EXPECT_EQ(B_BAD_VALUE, BMimeType("bad/").InitCheck());
	EXPECT_EQ(nullptr, BMimeType("bad/").Type());

	// By name; a hidden file has no extension.
	const std::pair<const char*, const char*> kByName[] = {
		{ "/x/page.HTML", "text/html" }, { "index.htm", "text/html" },
		{ "photo.JPG", "image/jpeg" }, { "photo.jpeg", "image/jpeg" },
		{ "anim.gif", "image/gif" }, { ".gif", B_FILE_MIME_TYPE },
		{ "dir.html/README", B_FILE_MIME_TYPE } };
	for (const auto& name : kByName) {
		BMimeType guess;
		ASSERT_EQ(B_OK, BMimeType::GuessMimeType(name.first, &guess)) << name.first;
		EXPECT_STREQ(name.second, guess.Type()) << name.first;
	}

	// By contents, where the name says nothing.
	TempFolder folder;
	WriteFile(folder / "picture", "GIF89a....");
	WriteFile(folder / "startpage", "  \n<HTML><BODY>");
	const std::pair<std::string, const char*> kByContents[] = {
		{ folder / "picture", "image/gif" }, { folder / "startpage", "text/html" },
		{ folder.Path(), B_DIRECTORY_MIME_TYPE } };
	for (const auto& file : kByContents) {
		entry_ref ref;
		ASSERT_EQ(B_OK, get_ref_for_path(file.first.c_str(), &ref));
		BMimeType guess;
		ASSERT_EQ(B_OK, BMimeType::GuessMimeType(&ref, &guess)) << file.first;
		EXPECT_STREQ(file.second, guess.Type()) << file.first;
	}

	BNode node((folder / "picture").c_str());
	BNodeInfo nodeInfo(&node);
	char type[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(B_OK, nodeInfo.GetType(type));
	EXPECT_STREQ("image/gif", type);
}
