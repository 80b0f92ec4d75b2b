// The file panel tests' world: a real temporary folder, and a looper that
// receives the panel's replies.
#ifndef PANEL_TESTING_H
#define PANEL_TESTING_H

#include <Entry.h>
#include <Menu.h>
#include <Messenger.h>
#include <Path.h>

#include <string>

#include "ControlsTesting.h"
#include "TempFolder.h"

class PanelTest : public testing::Test {
protected:
	explicit PanelTest(const char* label)
		:
		fFolder(label),
		fDir(fFolder.Path())
	{
	}

	void SetUp() override
	{
		ASSERT_FALSE(fDir.empty());
		fLooper = new RecordingLooper(&fReceived);
		fLooper->Run();
		fTarget = BMessenger(fLooper);
	}

	void TearDown() override
	{
		BMenu::SetOpenHook(NULL, NULL);
		if (fLooper->Lock())
			fLooper->Quit();
		dispatch();
	}

	void Touch(const std::string& name)
	{
		quillora_test::WriteFile(fDir + "/" + name, "");
	}

	static std::string PathOf(const entry_ref& ref)
	{
		BPath path(&ref);
		return path.InitCheck() == B_OK ? path.Path() : "";
	}

	quillora_test::TempFolder fFolder;
	std::string fDir;
	Received fReceived;
	RecordingLooper* fLooper = NULL;
	BMessenger fTarget;
};

#endif	// PANEL_TESTING_H
