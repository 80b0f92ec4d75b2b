/*
 * Recovery copies of a generated 1 MiB page, both windows shown.
 *
 * BM_AutosaveOnEventThread is what a copy costs the event thread: the
 * document generated as "Save page" generates it and handed to the writer
 * thread. BM_AutosaveOnDisk is the whole copy, until the writer has the file
 * on disk (synced, renamed). BM_Typing types into the long paragraph, a key
 * every 150 ms of the autosaver's clock with its pulse after each and never
 * a pause, so that copies come as they come to a user who types on and on
 * (Arg 1, a copy each 55 s of typing, taken at a key), next to the same
 * typing without copies (Arg 0): the time per key, the slowest key
 * ("max_key_ms", the one that took a copy), the mean of the other keys
 * ("other_keys_us", some typed while the writer thread writes) and the
 * copies taken.
 *
 * Goals: the event thread's part of a copy < 30 ms (a generation), which is
 * the slowest key while copies are taken; every other key as fast as
 * without copies (the writer works on its own thread).
 */
#include <benchmark/benchmark.h>

#include <Alert.h>
#include <EventLoop.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <chrono>
#include <fstream>
#include <string>

#include "Autosaver.h"
#include "HWindow.h"
#include "Page.h"
#include "RecoveryFile.h"
#include "WApplication.h"
#include "WText.h"
#include "WWindow.h"
#include "WYSIWYG_Engine.h"
#include "fixture.h"
#include "generator.h"

namespace {

bigtime_t sNow = 0;

bigtime_t
BenchClock()
{
	return sNow;
}


// The benchmarks' page fixture on the 1 MiB page, with recovery copies in a
// state folder of its own and the autosaver on the benchmark's clock.
struct Fixture : BenchFixture {
	Fixture()
		:
		BenchFixture(StateFolderAndPage())
	{
	}

	static std::string StateFolderAndPage()
	{
		char pattern[] = "/tmp/quillora-bench-state-XXXXXX";
		setenv("XDG_STATE_HOME", mkdtemp(pattern), 1);
		Autosaver::SetClock(BenchClock);
		return GeneratePage(1 << 20);
	}

	// The text element in the middle of the long paragraph, focused, the
	// caret inside it; null when the page has none.
	WText* TypingTarget()
	{
		WText* text = LongParagraphText(page->visualWindow->engine);
		if (text != nullptr) {
			text->MakeFocus(true);
			text->Select(5, 5);
		}
		return text;
	}
};


Fixture&
TheFixture()
{
	static Fixture* fixture = new Fixture();
	return *fixture;
}


// The copy on disk holds the whole page.
bool
CopyIsWhole(Fixture& fixture)
{
	RecoveryCopy copy;
	return read_recovery_copy(recovery_file_for(fixture.page->path).c_str(),
		&copy) && copy.document.size() > (1 << 19);
}

}	// namespace


// Copies of the whole page, one an iteration; the write to disk is in the
// time when `untilOnDisk`.
static void
TakeCopies(benchmark::State& state, bool untilOnDisk)
{
	Fixture& fixture = TheFixture();
	Autosaver* autosaver = fixture.page->autosaver;
	for (auto _ : state) {
		state.PauseTiming();
		fixture.page->NotSaved();
		state.ResumeTiming();
		autosaver->TakeCopy();
		if (!untilOnDisk)
			state.PauseTiming();
		autosaver->WaitForCopy();
		if (!untilOnDisk)
			state.ResumeTiming();
	}
	if (!CopyIsWhole(fixture))
		state.SkipWithError("the copy does not hold the page");
	std::string complaint = fixture.Complaint();
	if (!complaint.empty())
		state.SkipWithError(complaint.c_str());
}


static void
BM_AutosaveOnEventThread(benchmark::State& state)
{
	TakeCopies(state, false);
}
BENCHMARK(BM_AutosaveOnEventThread)->Unit(benchmark::kMillisecond);


static void
BM_AutosaveOnDisk(benchmark::State& state)
{
	TakeCopies(state, true);
}
BENCHMARK(BM_AutosaveOnDisk)->Unit(benchmark::kMillisecond);


static void
BM_Typing(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	bool copies = state.range(0) != 0;
	Autosaver* autosaver = fixture.page->autosaver;
	BWindow* window = fixture.page->visualWindow;
	window->Lock();
	WText* target = fixture.TypingTarget();
	if (target == nullptr) {
		window->Unlock();
		state.SkipWithError("no long paragraph");
		return;
	}
	// Nothing waits for a copy when the typing starts.
	autosaver->TakeCopy();
	autosaver->WaitForCopy();
	int32 copiesBefore = autosaver->CountCopies();
	double slowest = 0;
	// The keys that did not take a copy themselves (some typed while the
	// writer thread writes one).
	double otherKeys = 0;
	int64_t otherCount = 0;
	bool typeLetter = true;
	for (auto _ : state) {
		int32 copiesNow = autosaver->CountCopies();
		auto start = std::chrono::steady_clock::now();
		// A letter, then a backspace: the paragraph re-flows both ways.
		sNow += 150000;
		WText* focus = dynamic_cast<WText*>(window->CurrentFocus());
		if (focus == nullptr)
			break;
		focus->KeyDown(typeLetter ? "x" : "\x08", 1);
		typeLetter = !typeLetter;
		if (copies)
			autosaver->Check();
		double seconds = std::chrono::duration<double>(
			std::chrono::steady_clock::now() - start).count();
		if (seconds > slowest)
			slowest = seconds;
		if (autosaver->CountCopies() == copiesNow) {
			otherKeys += seconds;
			otherCount++;
		}
	}
	autosaver->WaitForCopy();
	window->Unlock();
	state.counters["max_key_ms"] = slowest * 1e3;
	if (otherCount > 0)
		state.counters["other_keys_us"] = otherKeys / double(otherCount) * 1e6;
	state.counters["copies"] = autosaver->CountCopies() - copiesBefore;
	if (copies && autosaver->CountCopies() == copiesBefore)
		state.SkipWithError("no copy was taken");
	std::string complaint = fixture.Complaint();
	if (!complaint.empty())
		state.SkipWithError(complaint.c_str());
}
BENCHMARK(BM_Typing)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)
	->Iterations(1500);


BENCHMARK_MAIN();
