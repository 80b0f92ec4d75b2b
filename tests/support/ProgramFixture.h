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

#include <Application.h>
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
#include "RecoveryFile.h"
#include "TempFolder.h"
#include "WApplication.h"
#include "WText.h"
#include "WWindow.h"
#include "WYSIWYG_Engine.h"

class BTextControl;

namespace quillora_test {

// The temporary home of the whole test program (see TemporaryHome): a
// settings file there makes the program start as it does after its first
// start. (The program's folder is the test program's own; tests/ in the
// build has Documentation/ beside it.) Made on the first call.
const std::string& TestHome();

// The application's windows of class T, in its order.
template<class T>
std::vector<T*>
WindowsOf()
{
	std::vector<T*> found;
	for (int32 i = 0; be_app != nullptr && i < be_app->CountWindows(); i++) {
		if (T* window = dynamic_cast<T*>(be_app->WindowAt(i)))
			found.push_back(window);
	}
	return found;
}

// The "Save page" item of a menu bar.
BMenuItem* SaveItem(BMenuBar* bar);

// The document the page generates now.
std::string GeneratedDocument(Page* page);

// The lines of a text without their line feeds; text after the last line
// feed is a last line.
std::vector<std::string> SplitLines(const std::string& text);

// The folder of the running program (this test program), ending in "/".
std::string RunningProgramFolder();

// The host path of a page's recovery copy.
std::string RecoveryCopyPath(const std::string& page);

// Writes a recovery copy of `page` as the autosaver does: the document
// taken at `time` and, when `source` is given, the HTML editor's text.
// The copy names `recordedPage` as its page (by default `page`).
status_t WriteRecoveryCopy(const std::string& page,
	const std::string& document, bigtime_t time = 1000000,
	const char* source = nullptr,
	const std::string& recordedPage = std::string());

// Reads and removes the recovery copy of `page`.
bool ReadRecoveryCopy(const std::string& page, RecoveryCopy* copy);
void RemoveRecoveryCopy(const std::string& page);

// The sample pages' pictures (tests/data/pages/images) copied into
// `folder`/images, where a sample page opened from `folder` looks for them.
void CopySamplePictures(const std::string& folder);

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

	// Keys as the keyboard brings them to the window's focus view, one
	// byte each ("\t" is Tab, "\n" Enter, "\x08" Backspace), handled.
	static void TypeKeys(BWindow* window, const char* keys);

	// Selects the control's text and types `keys` over it.
	static void TypeInto(BWindow* window, BTextControl* control,
		const char* keys);

	// The current page's elements of class T, in chain order.
	template<class T>
	std::vector<T*> Elements() const
	{
		std::vector<T*> found;
		for (WYSIWYG_Element* e = CurrentPage()->visualWindow->engine
				->FirstElement(); e != nullptr; e = e->Next()) {
			if (T* element = dynamic_cast<T*>(e))
				found.push_back(element);
		}
		return found;
	}

	// Focuses the current page's first text element that holds `holding`
	// and puts the caret `offset` bytes after where `holding` starts in
	// it; null (and a failure) when no text holds it.
	WText* PlaceCaret(const char* holding, int32 offset);

	// Writes `content` into a page file of this test's folder and opens it.
	WApplication* OpenContent(const std::string& content,
		const std::string& name = "page.html");

	void CloseApplication();

	static void Idle();

	// Posts `what` to `looper` and handles it.
	static void Send(BLooper* looper, uint32 what);

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
