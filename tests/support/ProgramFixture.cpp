// The shared program fixture (see ProgramFixture.h).
#include "ProgramFixture.h"

#include <Entry.h>
#include <EventLoop.h>
#include <Font.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <Path.h>
#include <TextControl.h>
#include <TextView.h>

#include <string.h>

#include "Config.h"
#include "Functions.h"
#include "Page.h"
#include "RecoveryFile.h"
#include "WApplication.h"
#include "WWindow.h"

namespace quillora_test {

const std::string&
TestHome()
{
	// Lives until the program ends and is removed then.
	static TemporaryHome home("test");
	static bool made = false;
	if (made)
		return home.Root();
	made = true;
	Config::SetWritable(true);
	// Without an application the program's folder cannot be found; that
	// alert is answered here, and the folder is set below.
	AlertRecorder quiet;
	Config config;
	delete[] config.applicationDirectory;
	config.applicationDirectory = newtext(QUILLORA_SOURCE_DIR "/");
	config.Save();
	return home.Root();
}


BMenuItem*
SaveItem(BMenuBar* bar)
{
	return bar != nullptr ? bar->FindItem(kMsgSavePage) : nullptr;
}


std::string
GeneratedDocument(Page* page)
{
	page->GenerateHTML();
	return std::string(page->HTMLBuffer(), page->HTMLBufferLength());
}


std::vector<std::string>
SplitLines(const std::string& text)
{
	std::vector<std::string> lines;
	std::istringstream in(text);
	std::string line;
	while (std::getline(in, line))
		lines.push_back(line);
	return lines;
}


std::string
RunningProgramFolder()
{
	char self[4096];
	ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
	if (length <= 0)
		return std::string();
	std::string path(self, size_t(length));
	return path.substr(0, path.rfind('/') + 1);
}


std::string
RecoveryCopyPath(const std::string& page)
{
	return BPath(recovery_file_for(page.c_str()).c_str()).Path();
}


status_t
WriteRecoveryCopy(const std::string& page, const std::string& document,
	bigtime_t time, const char* source, const std::string& recordedPage)
{
	std::string recorded = recordedPage.empty() ? page : recordedPage;
	size_t sourceLength = source != nullptr ? strlen(source) : 0;
	std::string header = recovery_header(recorded.c_str(), time,
		document.size(), source != nullptr, sourceLength);
	FilePiece body[2] = { { document.data(), document.size() },
		{ source != nullptr ? source : "", sourceLength } };
	return write_recovery_copy(recovery_file_for(page.c_str()).c_str(),
		header, body, 2);
}


bool
ReadRecoveryCopy(const std::string& page, RecoveryCopy* copy)
{
	return read_recovery_copy(recovery_file_for(page.c_str()).c_str(), copy);
}


void
RemoveRecoveryCopy(const std::string& page)
{
	remove_recovery_copy(recovery_file_for(page.c_str()).c_str());
}


void
CopySamplePictures(const std::string& folder)
{
	mkdir((folder + "/images").c_str(), 0755);
	WriteFile(folder + "/images/tile.gif",
		ReadFile(QUILLORA_TEST_DATA "/pages/images/tile.gif"));
}


void
ProgramTest::SetUp()
{
	TestHome();
	fFolder.reset(new TempFolder("test"));
	fDirectory = fFolder->Path();
	ASSERT_FALSE(fDirectory.empty());
}


void
ProgramTest::TearDown()
{
	RestoreProgramDirectory();
	CloseApplication();
	fFolder.reset();
}


WApplication*
ProgramTest::Open(const std::string& path)
{
	CloseApplication();
	fPath = path;
	fApplication = new WApplication(&fPath[0]);
	StartLooper();
	return fApplication;
}


void
ProgramTest::StartLooper()
{
	fApplication->BLooper::Run();
	Idle();
}


WApplication*
ProgramTest::OpenContent(const std::string& content, const std::string& name)
{
	std::string path = fDirectory + "/" + name;
	WriteFile(path, content);
	return Open(path);
}


void
ProgramTest::CloseApplication()
{
	if (fApplication == nullptr)
		return;
	delete fApplication;
	fApplication = nullptr;
	Idle();
}


void
ProgramTest::Idle()
{
	BPrivate::dispatch_until_idle();
}


void
ProgramTest::Send(BLooper* looper, uint32 what)
{
	looper->PostMessage(what);
	Idle();
}


void
ProgramTest::PostKey(BWindow* window, const std::string& bytes,
	uint32 keyModifiers)
{
	BMessage message(B_KEY_DOWN);
	message.AddString("bytes", bytes.c_str());
	message.AddInt32("raw_char", (uint8)bytes[0]);
	message.AddInt32("modifiers", int32(keyModifiers));
	message.AddInt32("key", 0);
	window->PostMessage(&message);
	Idle();
}


WText*
ProgramTest::PlaceCaret(const char* holding, int32 offset)
{
	WWindow* window = CurrentPage()->visualWindow;
	WText* found = nullptr;
	EXPECT_TRUE(window->Lock());
	for (WText* text : Elements<WText>()) {
		const char* at = strstr(text->Text(), holding);
		if (at != nullptr) {
			found = text;
			int32 caret = int32(at - text->Text()) + offset;
			found->MakeFocus(true);
			found->Select(caret, caret);
			break;
		}
	}
	window->Unlock();
	EXPECT_NE(nullptr, found) << "no text holds " << holding;
	return found;
}


void
ProgramTest::TypeKeys(BWindow* window, const char* keys)
{
	for (const char* c = keys; *c != '\0'; c++) {
		char bytes[2] = { *c, '\0' };
		BMessage message(B_KEY_DOWN);
		message.AddString("bytes", bytes);
		message.AddInt32("raw_char", (uint8)bytes[0]);
		message.AddInt32("modifiers", 0);
		message.AddInt32("key", 0);
		message.AddInt64("when", 0);
		// To the preferred handler, the focus view, whose filters see it.
		window->PostMessage(&message, (BHandler*)nullptr);
	}
	Idle();
}


void
ProgramTest::TypeInto(BWindow* window, BTextControl* control,
	const char* keys)
{
	ASSERT_TRUE(window->Lock());
	control->MakeFocus(true);
	control->TextView()->SelectAll();
	window->Unlock();
	TypeKeys(window, keys);
}


void
ProgramTest::SavePanelReply(BWindow* window, const std::string& directory,
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


void
ProgramTest::UseProgramDirectory(const std::string& directory)
{
	Config* config = Config::Current();
	ASSERT_NE(config, nullptr);
	RestoreProgramDirectory();
	fOldDirectory = config->applicationDirectory;
	config->applicationDirectory = newtext(directory.c_str());
}


void
ProgramTest::RestoreProgramDirectory()
{
	Config* config = Config::Current();
	if (config == nullptr || fOldDirectory == nullptr)
		return;
	delete[] config->applicationDirectory;
	config->applicationDirectory = fOldDirectory;
	fOldDirectory = nullptr;
}


Page*
ProgramTest::CurrentPage() const
{
	return fApplication != nullptr ? fApplication->pages[0] : nullptr;
}

}	// namespace quillora_test
