// The user's web browser behind the BeOS browser's place: which program
// load_image() really starts, with which arguments, from $BROWSER, the
// desktop's choice for web addresses or xdg-open, and never the running
// program itself.
#include <gtest/gtest.h>

#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include <AppFileInfo.h>
#include <BootPaths.h>
#include <OS.h>

#include "TempFolder.h"

using namespace quillora_test;

namespace {

const char kBrowserPlace[] = "/boot/beos/apps/NetPositive";
const char kSignature[] = "application/x-vnd.Quillora-test";
const char kURL[] = "file:///tmp/a page's \"name\".html";

class BrowserTest : public testing::Test {
protected:
	void SetUp() override
	{
		// Only this test's folders count: no browser of the machine.
		fEnv.Set("HOME", fFolder / "home");
		fEnv.Set("XDG_CONFIG_HOME", fFolder / "config");
		fEnv.Set("XDG_CONFIG_DIRS", fFolder / "etc");
		fEnv.Set("XDG_DATA_HOME", fFolder / "data");
		fEnv.Set("XDG_DATA_DIRS", fFolder / "share");
		fEnv.Set("PATH", fFolder / "bin");
		fEnv.Unset("BROWSER");
		fEnv.Unset("XDG_CURRENT_DESKTOP");
		for (const char* folder : { "home", "config", "etc", "data",
				"data/applications", "share", "share/applications", "bin" })
			mkdir((fFolder / folder).c_str(), 0755);
		BPrivate::set_running_app_signature(kSignature);
	}

	void TearDown() override
	{
		BPrivate::set_running_app_signature(NULL);
	}

	// A program that writes its own path and its arguments, one a line, to
	// "<name>.args" in the test's folder.
	std::string Recorder(const std::string& name)
	{
		std::string path = fFolder / ("bin/" + name);
		std::ofstream(path) << "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > '"
			<< fFolder / (name + ".args") << "'\n";
		chmod(path.c_str(), 0755);
		return path;
	}

	void Write(const std::string& leaf, const std::string& contents)
	{
		std::ofstream(fFolder / leaf) << contents;
	}

	// Starts the browser on kURL as the program does and returns what the
	// started program recorded, or "not started".
	std::string Launch(const std::string& recorder)
	{
		const char* argv[] = { kBrowserPlace, kURL, NULL };
		thread_id team = load_image(2, argv, NULL);
		if (team < 0)
			return "not started";
		EXPECT_EQ(B_OK, resume_thread(team));
		status_t exitStatus = -1;
		EXPECT_EQ(B_OK, wait_for_thread(team, &exitStatus));
		EXPECT_EQ(0, exitStatus);
		std::string recorded = ReadFile(fFolder / (recorder + ".args"));
		unlink((fFolder / (recorder + ".args")).c_str());
		return recorded;
	}

	// A link to this test program, which counts as the running program.
	std::string SelfLink(const std::string& name)
	{
		char* self = realpath("/proc/self/exe", nullptr);
		std::string path = fFolder / ("bin/" + name);
		EXPECT_EQ(0, symlink(self, path.c_str()));
		free(self);
		return path;
	}

	TempFolder fFolder{"browser"};
	ScopedEnv fEnv;
};

}	// namespace


TEST_F(BrowserTest, BrowserVariableCommandsInTheirOrder)
{
	std::string browser = Recorder("browser");
	SelfLink("editor");
	// A missing program and the running program are passed over; "%s"
	// takes the address, quotes group words, "%%" is a percent sign.
	fEnv.Set("BROWSER", "no-such-browser --x:editor:browser --new-window "
		"\"two words\" 100%% %s");
	EXPECT_EQ(browser + "\n--new-window\ntwo words\n100%\n" + kURL + "\n",
		Launch("browser"));
	std::string shown;
	EXPECT_TRUE(BPrivate::translate_boot_path(kBrowserPlace, shown));
	EXPECT_EQ(browser, shown);

	// Without "%s" the address comes last; a path names the program.
	fEnv.Set("BROWSER", browser + " --private");
	EXPECT_EQ(browser + "\n--private\n" + kURL + "\n", Launch("browser"));

	// Only the running program: there is no browser at all.
	fEnv.Set("BROWSER", "editor");
	EXPECT_EQ("not started", Launch("browser"));
	EXPECT_FALSE(BPrivate::translate_boot_path(kBrowserPlace, shown));
}


TEST_F(BrowserTest, DesktopDefaultForWebAddresses)
{
	std::string web = Recorder("web");
	Recorder("other");
	std::string editor = Recorder("editor");
	// This program's own entry is the user's first choice and is passed
	// over; so is an entry whose program is not installed.
	Write("data/applications/quillora.desktop", "[Desktop Entry]\n"
		"Exec=" + editor + " %f\nMimeType=text/html;x-scheme-handler/https;\n"
		"X-Be-Signature=" + kSignature + "\n");
	Write("data/applications/gone.desktop", "[Desktop Entry]\n"
		"Exec=not-installed %u\n");
	Write("share/applications/web.desktop", "[Desktop Entry]\nName=Web\n"
		"Exec=web --profile \"my profile\" %U\n");
	Write("share/applications/other.desktop", "[Desktop Entry]\nExec=other %u\n"
		"MimeType=x-scheme-handler/https;\n");
	Write("config/mimeapps.list", "[Added Associations]\n"
		"x-scheme-handler/https=other.desktop;\n"
		"[Default Applications]\n"
		"x-scheme-handler/https=quillora.desktop;gone.desktop;web.desktop\n");
	EXPECT_EQ(web + "\n--profile\nmy profile\n" + kURL + "\n", Launch("web"));

	// The defaults of the applications folder's list, then what the
	// folders declare.
	unlink((fFolder / "config/mimeapps.list").c_str());
	Write("share/applications/mimeapps.list", "[Default Applications]\n"
		"x-scheme-handler/http=web.desktop;\n");
	EXPECT_EQ(web + "\n--profile\nmy profile\n" + kURL + "\n", Launch("web"));
	unlink((fFolder / "share/applications/mimeapps.list").c_str());
	EXPECT_EQ(fFolder / "bin/other" + "\n" + kURL + "\n", Launch("other"));

	// A folder's cache names the handlers of the folder.
	Write("share/applications/mimeinfo.cache", "[MIME Cache]\n"
		"x-scheme-handler/http=web.desktop;\n");
	EXPECT_EQ(web + "\n--profile\nmy profile\n" + kURL + "\n", Launch("web"));
}


TEST_F(BrowserTest, XdgOpenOnlyWhenItWouldNotPickThisProgram)
{
	std::string launcher = Recorder("xdg-open");
	std::string editor = Recorder("editor");
	Recorder("writer");
	// This program declares HTML pages on its first start; xdg-open would
	// hand the page to it.
	Write("data/applications/quillora.desktop", "[Desktop Entry]\n"
		"Exec=" + editor + " %f\nMimeType=text/html;\n"
		"X-Be-Signature=" + kSignature + "\n");
	EXPECT_EQ("not started", Launch("xdg-open"));
	EXPECT_EQ("", ReadFile(fFolder / "editor.args"));
	// An entry without the signature whose program is this one (a link to
	// it, as a package installs) is this program too.
	unlink((fFolder / "data/applications/quillora.desktop").c_str());
	SelfLink("quillora");
	Write("share/applications/quillora.desktop", "[Desktop Entry]\n"
		"Exec=quillora %f\nMimeType=text/html;\n");
	EXPECT_EQ("not started", Launch("xdg-open"));

	// The user's own choice for HTML pages is another program.
	Write("config/mimeapps.list", "[Default Applications]\n"
		"text/html=writer.desktop\n");
	Write("share/applications/writer.desktop", "[Desktop Entry]\n"
		"Exec=writer %f\nMimeType=text/html;\n");
	EXPECT_EQ(launcher + "\n" + kURL + "\n", Launch("xdg-open"));

	// No handler of HTML pages at all: xdg-open knows browsers of its own.
	unlink((fFolder / "config/mimeapps.list").c_str());
	unlink((fFolder / "share/applications/writer.desktop").c_str());
	unlink((fFolder / "share/applications/quillora.desktop").c_str());
	EXPECT_EQ(launcher + "\n" + kURL + "\n", Launch("xdg-open"));

	// xdg-open itself is no way out when it is this program.
	unlink(launcher.c_str());
	SelfLink("xdg-open");
	EXPECT_EQ("not started", Launch("xdg-open"));
}
