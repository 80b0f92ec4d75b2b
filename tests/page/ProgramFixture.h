/*
 * What the program's own tests share (page, visual, htmledit, dialogs): a
 * real application object with a real page in real windows on the offscreen
 * platform, a settings file of its own in a temporary home, alerts answered
 * and recorded by the kit's responder, and small file helpers.
 *
 * Header-only, so that each test program includes it without a library.
 */
#ifndef QUILLORA_TESTS_PROGRAM_FIXTURE_H
#define QUILLORA_TESTS_PROGRAM_FIXTURE_H

#include <gtest/gtest.h>

#include <Alert.h>
#include <Entry.h>
#include <EventLoop.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Config.h"
#include "Functions.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "Page.h"
#include "WApplication.h"
#include "WWindow.h"

namespace quillora_test {

inline std::string
ReadFile(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	std::stringstream data;
	data << in.rdbuf();
	return data.str();
}


inline void
WriteFile(const std::string& path, const std::string& content)
{
	std::ofstream out(path, std::ios::binary | std::ios::trunc);
	out << content;
}


inline bool
FileExists(const std::string& path)
{
	struct stat st;
	return stat(path.c_str(), &st) == 0;
}


inline std::string
MakeTemporaryDirectory()
{
	char pattern[] = "/tmp/quillora-test-XXXXXX";
	const char* made = mkdtemp(pattern);
	return made != nullptr ? made : "";
}


inline std::vector<std::string>
ListDirectory(const std::string& path)
{
	std::vector<std::string> names;
	DIR* dir = opendir(path.c_str());
	if (dir == nullptr)
		return names;
	while (dirent* entry = readdir(dir)) {
		std::string name = entry->d_name;
		if (name != "." && name != "..")
			names.push_back(name);
	}
	closedir(dir);
	return names;
}


inline void
RemoveTree(const std::string& path)
{
	if (path.empty() || path.compare(0, 5, "/tmp/") != 0)
		return;
	pid_t child = fork();
	if (child == 0) {
		execlp("rm", "rm", "-rf", path.c_str(), (char*)nullptr);
		_exit(127);
	}
	int status;
	waitpid(child, &status, 0);
}


// The temporary home of the whole test program: HOME, the configuration and
// data folders point into it, and a settings file there names the source
// tree as the program's directory (so Documentation/ is found).
inline const std::string&
TestHome()
{
	static std::string home;
	if (!home.empty())
		return home;
	home = MakeTemporaryDirectory();
	setenv("HOME", home.c_str(), 1);
	setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
	setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
	Config::SetWritable(true);
	{
		// Without an application the program's folder cannot be found;
		// that alert is answered here, and the folder is set below.
		BRecordingAlertResponder quiet;
		BAlert::SetResponder(&quiet);
		Config config;
		BAlert::SetResponder(nullptr);
		delete[] config.applicationDirectory;
		config.applicationDirectory = newtext(QUILLORA_SOURCE_DIR "/");
		config.Save();
	}
	return home;
}


inline BMenuItem*
SaveItem(BMenuBar* bar)
{
	return bar != nullptr ? bar->FindItem(kMsgSavePage) : nullptr;
}


// A test with the real application and one page.
class ProgramTest : public testing::Test {
protected:
	void SetUp() override
	{
		TestHome();
		fDirectory = MakeTemporaryDirectory();
		BAlert::SetResponder(&fAlerts);
	}

	void TearDown() override
	{
		CloseApplication();
		BAlert::SetResponder(nullptr);
		RemoveTree(fDirectory);
	}

	// Starts the application on `path` as main() does with an argument.
	WApplication* Open(const std::string& path)
	{
		CloseApplication();
		fPath = path;
		fApplication = new WApplication(&fPath[0]);
		StartLooper();
		return fApplication;
	}

	// The application's looper takes messages as under Run(), while the
	// test drives the dispatching itself.
	void StartLooper()
	{
		fApplication->BLooper::Run();
		Idle();
	}

	// Writes `content` into a page file of this test's folder and opens it.
	WApplication* OpenContent(const std::string& content,
		const std::string& name = "page.html")
	{
		std::string path = fDirectory + "/" + name;
		WriteFile(path, content);
		return Open(path);
	}

	void CloseApplication()
	{
		if (fApplication == nullptr)
			return;
		delete fApplication;
		fApplication = nullptr;
		Idle();
	}

	static void Idle() { BPrivate::dispatch_until_idle(); }

	// The reply a save panel sends to `window` when the user has typed
	// `name` in `directory`.
	static void SavePanelReply(BWindow* window, const std::string& directory,
		const char* name)
	{
		BEntry entry(directory.c_str());
		entry_ref ref;
		ASSERT_EQ(entry.GetRef(&ref), B_OK);
		BMessage reply(kMsgSavePanelReply);
		reply.AddRef("directory", &ref);
		reply.AddString("name", name);
		window->PostMessage(&reply);
		Idle();
	}

	Page* CurrentPage() const
	{
		return fApplication != nullptr ? fApplication->pages[0] : nullptr;
	}

	WApplication* fApplication = nullptr;
	BRecordingAlertResponder fAlerts;
	std::string fDirectory;
	std::string fPath;
};

}	// namespace quillora_test

#endif	// QUILLORA_TESTS_PROGRAM_FIXTURE_H
