/*
 * Copies of unsaved changes while a page is edited: when they are taken (on
 * a clock of the test's own, no waiting), what they hold, that the page file
 * and the page's own generated document stay as they were, what removes
 * them, and a copy that cannot be written.
 */
#include "ProgramFixture.h"

#include <Messenger.h>
#include <OS.h>
#include <Path.h>

#include <string.h>

#include "Autosaver.h"
#include "RecoveryFile.h"
#include "WText.h"
#include "WYSIWYG_Engine.h"

using namespace quillora_test;

namespace {

const char* kPage = "<TITLE>Autosave</TITLE><BODY><P>Hello world</P></BODY>";

const bigtime_t kSecond = 1000000;

bigtime_t sNow = 0;

bigtime_t
TestClock()
{
	return sNow;
}


class AutosaveTest : public ProgramTest {
protected:
	void SetUp() override
	{
		ProgramTest::SetUp();
		sNow = 1000 * kSecond;
		Autosaver::SetClock(TestClock);
	}

	void TearDown() override
	{
		ProgramTest::TearDown();
		Autosaver::SetClock(nullptr);
	}

	Autosaver* Saver() { return CurrentPage()->autosaver; }

	// The autosaver's pulse as its runner sends it, with the clock at `at`;
	// returns once a copy it started is on disk.
	void PulseAt(bigtime_t at)
	{
		sNow = at;
		BMessenger(Saver()).SendMessage(kMsgAutosavePulse);
		Idle();
		Saver()->WaitForCopy();
	}

	bool ReadCopy(RecoveryCopy* copy) { return ReadRecoveryCopy(fPath, copy); }

	// Keys typed into the visual page right after `word`, as the user
	// types them: the caret put there, then one key message each.
	void TypeAfter(const char* word, const std::string& keys)
	{
		if (PlaceCaret(word, int32(strlen(word))) == nullptr)
			return;
		for (char key : keys)
			PostKey(CurrentPage()->visualWindow, std::string(1, key));
	}

	std::string Generated() { return GeneratedDocument(CurrentPage()); }
};

}	// namespace


TEST(AutosaveTimer, DueAFewSecondsAfterTheLastChangeAndWithinTheLongestDelay)
{
	const bigtime_t quiet = AutosaveTimer::kQuietDelay;
	const bigtime_t longest = AutosaveTimer::kLongestDelay;
	// "A few seconds", and "at least once a minute" with time to spare for
	// the pulse and the write.
	EXPECT_GE(quiet, 2 * kSecond);
	EXPECT_LE(quiet, 5 * kSecond);
	EXPECT_LE(longest, 50 * kSecond);
	EXPECT_GT(longest, 10 * quiet);

	AutosaveTimer timer;
	EXPECT_FALSE(timer.IsPending());
	EXPECT_FALSE(timer.IsDue(1000 * kSecond));

	// One change: due once the user has been quiet long enough.
	timer.Changed(10 * kSecond);
	EXPECT_TRUE(timer.IsPending());
	EXPECT_FALSE(timer.IsDue(10 * kSecond + quiet - 1));
	EXPECT_TRUE(timer.IsDue(10 * kSecond + quiet));

	// Another change moves it on.
	timer.Changed(11 * kSecond);
	EXPECT_FALSE(timer.IsDue(10 * kSecond + quiet));
	EXPECT_EQ(timer.DueTime(), 11 * kSecond + quiet);

	// Changes that never stop for that long: once the first of them is the
	// longest delay old, at the next short pause, between two keys.
	const bigtime_t pause = AutosaveTimer::kShortPause;
	EXPECT_LT(pause, kSecond);
	bigtime_t t = 11 * kSecond;
	while (t + kSecond < 10 * kSecond + longest) {
		t += kSecond;
		timer.Changed(t);
		ASSERT_FALSE(timer.IsDue(t + pause)) << t;
	}
	t = 10 * kSecond + longest;
	timer.Changed(t);
	EXPECT_FALSE(timer.IsDue(t + pause - 1));
	EXPECT_TRUE(timer.IsDue(t + pause));

	// Keys that come too fast for any pause: before the hard limit, which
	// leaves "at least once a minute" time for the pulse and the write.
	const bigtime_t limit = AutosaveTimer::kHardLimit;
	EXPECT_LE(limit, 57 * kSecond);
	timer.Clear();
	timer.Changed(200 * kSecond);
	for (t = 200 * kSecond; t < 200 * kSecond + limit; t += pause / 2) {
		timer.Changed(t);
		ASSERT_FALSE(timer.IsDue(t)) << t;
	}
	EXPECT_TRUE(timer.IsDue(200 * kSecond + limit));
	EXPECT_EQ(timer.DueTime(), 200 * kSecond + limit);

	// A copy holds everything so far; the next change starts anew.
	timer.Clear();
	EXPECT_FALSE(timer.IsPending());
	EXPECT_FALSE(timer.IsDue(1000 * kSecond));
	timer.Changed(100 * kSecond);
	EXPECT_EQ(timer.DueTime(), 100 * kSecond + quiet);
}


TEST_F(AutosaveTest, TypingIsCopiedAFewSecondsAfterTheLastKey)
{
	OpenContent(kPage);
	std::string pageBytes = ReadFile(fPath);
	std::string recovery = RecoveryCopyPath(fPath);
	EXPECT_FALSE(FileExists(recovery));

	sNow = 1000 * kSecond;
	TypeAfter("Hello ", "again ");
	EXPECT_FALSE(CurrentPage()->IsSaved());

	// Not while the user may still be typing.
	PulseAt(1000 * kSecond + AutosaveTimer::kQuietDelay - 1);
	EXPECT_FALSE(FileExists(recovery));
	EXPECT_EQ(Saver()->CountCopies(), 0);

	// The page's own generated document stays what it was across a copy.
	std::string generated = Generated();
	bigtime_t before = real_time_clock_usecs();
	PulseAt(1000 * kSecond + AutosaveTimer::kQuietDelay);
	bigtime_t after = real_time_clock_usecs();
	EXPECT_EQ(std::string(CurrentPage()->HTMLBuffer(),
		CurrentPage()->HTMLBufferLength()), generated);
	ASSERT_TRUE(FileExists(recovery));
	EXPECT_EQ(Saver()->CountCopies(), 1);

	// The copy: this page, the time it was taken, the document "Save
	// page" would write; the page file is untouched and still not saved.
	RecoveryCopy copy;
	ASSERT_TRUE(ReadCopy(&copy));
	EXPECT_EQ(copy.pagePath, fPath);
	EXPECT_GE(copy.time, before);
	EXPECT_LE(copy.time, after);
	EXPECT_EQ(copy.document, generated);
	EXPECT_NE(copy.document.find("Hello again world"), std::string::npos)
		<< copy.document;
	EXPECT_FALSE(copy.hasSource);
	EXPECT_EQ(ReadFile(fPath), pageBytes);
	EXPECT_FALSE(CurrentPage()->IsSaved());
	EXPECT_TRUE(SaveItem(CurrentPage()->visualWindow->menuBar)->IsEnabled());

	// Nothing new, nothing written again.
	PulseAt(1100 * kSecond);
	EXPECT_EQ(Saver()->CountCopies(), 1);

	// The next keys give the next copy.
	sNow = 1200 * kSecond;
	TypeAfter("again", "!");
	PulseAt(1200 * kSecond + AutosaveTimer::kQuietDelay);
	EXPECT_EQ(Saver()->CountCopies(), 2);
	ASSERT_TRUE(ReadCopy(&copy));
	EXPECT_NE(copy.document.find("Hello again! world"), std::string::npos);
	EXPECT_EQ(fAlerts.CountAlerts(), 0) << fAlerts.LastText();
}


TEST_F(AutosaveTest, ACopyStartsAsThePageFileWouldWithItsByteOrderMark)
{
	// A recovered copy is read like the page file: without the mark a
	// page saved after recovering would lose it.
	const std::string mark = "\xEF\xBB\xBF";
	OpenContent(mark + "<TITLE>Marked</TITLE><BODY><P>Caf\xC3\xA9 au lait</P></BODY>");
	sNow = 1000 * kSecond;
	TypeAfter("au ", "x");
	PulseAt(1000 * kSecond + AutosaveTimer::kQuietDelay);
	RecoveryCopy copy;
	ASSERT_TRUE(ReadCopy(&copy));
	EXPECT_EQ(copy.document, mark + Generated());
	EXPECT_NE(copy.document.find("au xlait"), std::string::npos) << copy.document;
}


TEST_F(AutosaveTest, TypingThatGoesOnIsCopiedAtLeastOnceAMinute)
{
	OpenContent(kPage);
	std::string typed;
	bigtime_t lastCopy = 0;
	int32 copies = 0;
	// Keys `every` apart for `duration`, the pulse right after each key and
	// half a second later (when the next key has not come yet); the times
	// of the copies taken.
	auto typeOn = [&](bigtime_t start, bigtime_t every, bigtime_t duration) {
		std::vector<bigtime_t> taken;
		lastCopy = start;
		for (bigtime_t now = start; now < start + duration; now += every) {
			sNow = now;
			char key = char('a' + typed.size() % 26);
			TypeAfter("Hello", std::string(1, key));
			typed.insert(0, 1, key);
			for (bigtime_t pulse = now; pulse < now + every;
					pulse += kSecond / 2) {
				PulseAt(pulse);
				if (Saver()->CountCopies() == copies)
					continue;
				// A new copy holds every key so far.
				copies = Saver()->CountCopies();
				taken.push_back(pulse - start);
				RecoveryCopy copy;
				EXPECT_TRUE(ReadCopy(&copy));
				EXPECT_NE(copy.document.find("Hello" + typed + " world"),
					std::string::npos) << pulse - start;
				lastCopy = pulse;
			}
			EXPECT_LT(now - lastCopy, 60 * kSecond) << "no copy for a minute";
		}
		return taken;
	};

	// A key a second: the copy comes in the pause after a key once the
	// longest delay is over, not at every key.
	std::vector<bigtime_t> taken = typeOn(2000 * kSecond, kSecond,
		150 * kSecond);
	ASSERT_EQ(taken.size(), 3u);
	EXPECT_EQ(taken[0], AutosaveTimer::kLongestDelay + kSecond / 2);

	// Keys too fast for a pause: still a copy before the minute is over.
	ASSERT_TRUE(CurrentPage()->Save());
	taken = typeOn(3000 * kSecond, kSecond / 5, 120 * kSecond);
	ASSERT_EQ(taken.size(), 2u);
	EXPECT_GE(taken[0], AutosaveTimer::kHardLimit);
	EXPECT_LT(taken[0], 60 * kSecond);
}


TEST_F(AutosaveTest, EditsOfTheHTMLEditorAreKeptBesideTheDocument)
{
	OpenContent(kPage);
	HWindow* html = CurrentPage()->htmlWindow;
	HTML_View* view = html->htmlView;
	html->Show();
	Idle();
	ASSERT_TRUE(html->Lock());
	view->MakeFocus(true);
	int32 offset = int32(strstr(view->Text(), "world") - view->Text());
	view->Select(offset, offset);
	html->Unlock();

	// Keys typed in the HTML editor are in no document yet: the copy keeps
	// the editor's text with the document.
	sNow = 3000 * kSecond;
	for (char key : std::string("big "))
		PostKey(html, std::string(1, key));
	EXPECT_TRUE(CurrentPage()->IsSourceEdited());
	PulseAt(3000 * kSecond + AutosaveTimer::kQuietDelay);
	RecoveryCopy copy;
	ASSERT_TRUE(ReadCopy(&copy));
	EXPECT_TRUE(copy.hasSource);
	EXPECT_EQ(copy.source, std::string(view->Text()));
	EXPECT_NE(copy.source.find("Hello big world"), std::string::npos);
	EXPECT_EQ(copy.document, Generated());
	EXPECT_EQ(copy.document.find("big"), std::string::npos);

	// Once the visual page is made from the text, the document holds the
	// edits and the text is not kept twice.
	sNow = 3100 * kSecond;
	CurrentPage()->Update(false);
	EXPECT_FALSE(CurrentPage()->IsSourceEdited());
	PulseAt(3100 * kSecond + AutosaveTimer::kQuietDelay);
	ASSERT_TRUE(ReadCopy(&copy));
	EXPECT_FALSE(copy.hasSource);
	EXPECT_NE(copy.document.find("Hello big world"), std::string::npos);

	// Text brought over from the visual page has no edits of its own.
	CurrentPage()->UpdateFromVisual();
	EXPECT_FALSE(CurrentPage()->IsSourceEdited());
}


TEST_F(AutosaveTest, SavingAndDroppingTheChangesRemoveTheCopy)
{
	OpenContent(kPage);
	std::string recovery = RecoveryCopyPath(fPath);
	auto changeAndCopy = [&](const char* keys) {
		sNow += 100 * kSecond;
		TypeAfter("Hello", keys);
		PulseAt(sNow + AutosaveTimer::kQuietDelay);
	};

	// "Save page", and "Save this HTML".
	changeAndCopy("1");
	ASSERT_TRUE(FileExists(recovery));
	ASSERT_TRUE(CurrentPage()->Save());
	EXPECT_FALSE(FileExists(recovery));
	EXPECT_NE(ReadFile(fPath).find("Hello1 world"), std::string::npos);
	changeAndCopy("2");
	ASSERT_TRUE(FileExists(recovery));
	ASSERT_TRUE(CurrentPage()->SaveHTML());
	EXPECT_FALSE(FileExists(recovery));

	// A save right after the keys leaves no copy to come after it.
	sNow += 100 * kSecond;
	TypeAfter("Hello", "3");
	ASSERT_TRUE(CurrentPage()->Save());
	PulseAt(sNow + AutosaveTimer::kQuietDelay);
	EXPECT_FALSE(FileExists(recovery));

	// "Reload" drops the changes.
	changeAndCopy("4");
	ASSERT_TRUE(FileExists(recovery));
	CurrentPage()->Update(true);
	EXPECT_FALSE(FileExists(recovery));

	// Closing: "Cancel" keeps the page and its copy, "Don't Save" drops
	// both.
	changeAndCopy("5");
	Page* page = CurrentPage();
	fAlerts.AnswerWithLabel("Cancel");
	EXPECT_FALSE(page->Quit());
	EXPECT_TRUE(FileExists(recovery));
	fAlerts.AnswerWithLabel("Don't Save");
	fApplication->pages[0] = nullptr;
	EXPECT_TRUE(page->Quit());
	EXPECT_FALSE(FileExists(recovery));
	EXPECT_EQ(ReadFile(fPath).find("5"), std::string::npos);

	// "Save" in the question.
	Open(fPath);
	changeAndCopy("6");
	page = CurrentPage();
	fAlerts.AnswerWithLabel("Save");
	fApplication->pages[0] = nullptr;
	EXPECT_TRUE(page->Quit());
	EXPECT_FALSE(FileExists(recovery));

	// "Save page as…": the copy under the old name goes too.
	Open(fPath);
	changeAndCopy("7");
	ASSERT_TRUE(FileExists(recovery));
	SavePanelReply(CurrentPage()->visualWindow, fDirectory, "other.html");
	EXPECT_FALSE(FileExists(recovery));
	EXPECT_FALSE(FileExists(RecoveryCopyPath(fDirectory + "/other.html")));
	EXPECT_NE(ReadFile(fDirectory + "/other.html").find("Hello7"),
		std::string::npos);
}


TEST_F(AutosaveTest, ACopyThatCannotBeWrittenIsReportedOnceAndTriedAgain)
{
	OpenContent(kPage);
	std::string pageBytes = ReadFile(fPath);
	// Something that is not a folder where the copies go.
	std::string folder = BPath("/boot/home/config/var/Quillora").Path();
	std::string moved = folder + ".moved";
	bool hadFolder = rename(folder.c_str(), moved.c_str()) == 0;
	WriteFile(folder, "in the way");

	sNow = 4000 * kSecond;
	TypeAfter("Hello", "x");
	PulseAt(4000 * kSecond + AutosaveTimer::kQuietDelay);
	// The failure comes to light at the next pulse.
	PulseAt(4000 * kSecond + AutosaveTimer::kQuietDelay + kSecond);
	ASSERT_EQ(fAlerts.CountAlerts(), 1);
	EXPECT_EQ(fAlerts.TextAt(0).rfind("Could not keep a copy of the unsaved "
		"changes to the document \"" + fPath + "\": ", 0), 0u)
		<< fAlerts.TextAt(0);
	EXPECT_EQ(fAlerts.ButtonsAt(0), std::vector<std::string>{"OK"});

	// Tried again a while later, without a new alert.
	int32 copies = Saver()->CountCopies();
	PulseAt(4000 * kSecond + 2 * AutosaveTimer::kQuietDelay + 2 * kSecond);
	PulseAt(4000 * kSecond + 2 * AutosaveTimer::kQuietDelay + 3 * kSecond);
	EXPECT_GT(Saver()->CountCopies(), copies);
	EXPECT_EQ(fAlerts.CountAlerts(), 1);

	// Once the way is free, the copy is written.
	unlink(folder.c_str());
	if (hadFolder)
		rename(moved.c_str(), folder.c_str());
	PulseAt(4000 * kSecond + 4 * AutosaveTimer::kQuietDelay);
	PulseAt(4000 * kSecond + 6 * AutosaveTimer::kQuietDelay);
	RecoveryCopy copy;
	ASSERT_TRUE(ReadCopy(&copy));
	EXPECT_NE(copy.document.find("Hellox world"), std::string::npos);
	EXPECT_EQ(ReadFile(fPath), pageBytes);
	EXPECT_EQ(fAlerts.CountAlerts(), 1);
}
