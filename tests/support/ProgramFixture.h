/*
 * What the program's own tests share (page, visual, htmledit, dialogs): a
 * real application object with a real page in real windows on the offscreen
 * platform, a settings file of its own in a temporary home, and alerts
 * answered and recorded by fAlerts. It brings in the kit and program
 * headers these tests work with.
 */
#ifndef QUILLORA_TEST_PROGRAM_FIXTURE_H
#define QUILLORA_TEST_PROGRAM_FIXTURE_H

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <Entry.h>
#include <EventLoop.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>

#include "AlertRecorder.h"
#include "Config.h"
#include "Functions.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "Page.h"
#include "TempFolder.h"
#include "WApplication.h"
#include "WWindow.h"

namespace quillora_test {

// The temporary home of the whole test program (see TemporaryHome): a
// settings file there makes the program start as it does after its first
// start. (The program's folder is the test program's own; tests/ in the
// build has Documentation/ beside it.) Made on the first call.
const std::string& TestHome();

// The "Save page" item of a menu bar.
BMenuItem* SaveItem(BMenuBar* bar);

// A test with the real application and one page.
class ProgramTest : public testing::Test {
protected:
	void SetUp() override;
	void TearDown() override;

	// Starts the application on `path` as main() does with an argument.
	WApplication* Open(const std::string& path);

	// The application's looper takes messages as under Run(), while the
	// test drives the dispatching itself.
	void StartLooper();

	// Posts a key to `window` as the keyboard does: `bytes` in UTF-8.
	static void PostKey(BWindow* window, const std::string& bytes,
		uint32 keyModifiers = 0);

	// Writes `content` into a page file of this test's folder and opens it.
	WApplication* OpenContent(const std::string& content,
		const std::string& name = "page.html");

	void CloseApplication();

	static void Idle();

	// The reply a save panel sends to `window` when the user has typed
	// `name` in `directory`.
	static void SavePanelReply(BWindow* window, const std::string& directory,
		const char* name);

	Page* CurrentPage() const;

	// Points the running application's settings at another program
	// folder (`directory` ends in '/') until the test ends.
	void UseProgramDirectory(const std::string& directory);

	WApplication* fApplication = nullptr;
	AlertRecorder fAlerts;
	std::string fDirectory;
	std::string fPath;

private:
	void RestoreProgramDirectory();

	std::unique_ptr<TempFolder> fFolder;
	char* fOldDirectory = nullptr;
};

}	// namespace quillora_test

#endif	// QUILLORA_TEST_PROGRAM_FIXTURE_H
