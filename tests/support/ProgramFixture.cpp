// The shared program fixture (see ProgramFixture.h).
#include "ProgramFixture.h"

#include <Entry.h>
#include <EventLoop.h>
#include <Font.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>

#include "Config.h"
#include "Functions.h"
#include "Page.h"
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
