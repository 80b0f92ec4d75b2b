/*
 * Editing in the visual window of the generated 1 MiB page, each step up
 * to the end of its layout.
 *
 * Goals: a key typed into a short line in the middle of the page < 0.5 ms;
 * a style pair inserted at the caret there < 1 ms; Enter in the long
 * paragraph < 2 ms; the Backspace that joins the two lines again < 2 ms;
 * "Delete all" < 100 ms. Taking the empty pair out again is measured too.
 * What an edit does must not grow with the rest of
 * the page. One page per run: the program holds one application.
 */
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "fixture.h"

namespace {

std::unique_ptr<BenchFixture> sFixture;

BenchFixture&
Opened(size_t bytes)
{
	if (sFixture == nullptr) {
		sFixture.reset(new BenchFixture(GeneratePage(bytes)));
	}
	return *sFixture;
}

WYSIWYG_Engine*
Engine(BenchFixture& fixture)
{
	return fixture.page->visualWindow->engine;
}

// The n-th text element after the page's middle that holds more than
// `minimum` bytes, with the focus and the caret at `caret`.
WText*
FocusMiddleText(BenchFixture& fixture, int n, int32 minimum, int32 caret)
{
	int seen = -1;
	for (WYSIWYG_Element* e = Engine(fixture)->FirstElement(); e != nullptr;
			e = e->next) {
		WText* text = dynamic_cast<WText*>(e);
		if (text == nullptr)
			continue;
		if (seen < 0 && strncmp(text->Text(), "Middle ", 7) == 0)
			seen = 0;
		else if (seen >= 0 && text->TextLength() > minimum && ++seen == n) {
			text->MakeFocus(true);
			text->Select(caret, caret);
			return text;
		}
	}
	return nullptr;
}

WText*
Focused(BenchFixture& fixture)
{
	return dynamic_cast<WText*>(fixture.page->visualWindow->CurrentFocus());
}

}	// namespace

static void
BM_Keystroke(benchmark::State& state)
{
	BenchFixture& fixture = Opened(state.range(0));
	BWindow* window = fixture.page->visualWindow;
	window->Lock();
	if (FocusMiddleText(fixture, 40, 10, 5) == nullptr) {
		state.SkipWithError("no text in the middle");
		window->Unlock();
		return;
	}
	bool letter = true;
	for (auto _ : state) {
		// A letter, then a backspace, into the same short line.
		WText* focus = Focused(fixture);
		if (focus == nullptr)
			break;
		focus->KeyDown(letter ? "x" : "\x08", 1);
		letter = !letter;
	}
	window->Unlock();
}
BENCHMARK(BM_Keystroke)->Arg(1 << 20)
	->Unit(benchmark::kMicrosecond)->Iterations(400);

static void
BM_InsertStylePair(benchmark::State& state)
{
	BenchFixture& fixture = Opened(state.range(0));
	BWindow* window = fixture.page->visualWindow;
	WYSIWYG_Engine* engine = Engine(fixture);
	window->Lock();
	if (FocusMiddleText(fixture, 40, 10, 5) == nullptr) {
		state.SkipWithError("no text in the middle");
		window->Unlock();
		return;
	}
	for (auto _ : state) {
		engine->Insert(42, nullptr);	// I
		// Backspace at the start of the new empty text takes the empty
		// pair out again (not timed).
		state.PauseTiming();
		if (WText* focus = Focused(fixture)) {
			focus->KeyDown("\x1d", 1);
			focus = Focused(fixture);
			if (focus != nullptr)
				focus->KeyDown("\x08", 1);
		}
		state.ResumeTiming();
	}
	window->Unlock();
}
BENCHMARK(BM_InsertStylePair)->Arg(1 << 20)
	->Unit(benchmark::kMicrosecond)->Iterations(100);

// The Backspace that takes an empty style pair out again: the walk that
// carries the environments on behind it ends where nothing changes.
static void
BM_RemoveStylePair(benchmark::State& state)
{
	BenchFixture& fixture = Opened(state.range(0));
	BWindow* window = fixture.page->visualWindow;
	WYSIWYG_Engine* engine = Engine(fixture);
	window->Lock();
	if (FocusMiddleText(fixture, 40, 10, 5) == nullptr) {
		state.SkipWithError("no text in the middle");
		window->Unlock();
		return;
	}
	for (auto _ : state) {
		state.PauseTiming();
		engine->Insert(42, nullptr);	// I
		WText* focus = Focused(fixture);
		if (focus != nullptr)
			focus->KeyDown("\x1d", 1);
		state.ResumeTiming();
		focus = Focused(fixture);
		if (focus != nullptr)
			focus->KeyDown("\x08", 1);
	}
	window->Unlock();
}
BENCHMARK(BM_RemoveStylePair)->Arg(1 << 20)
	->Unit(benchmark::kMicrosecond)->Iterations(100);

static void
BM_EnterAndBackspaceInLongParagraph(benchmark::State& state)
{
	BenchFixture& fixture = Opened(state.range(0));
	BWindow* window = fixture.page->visualWindow;
	window->Lock();
	if (FocusMiddleText(fixture, 15, 30, 12) == nullptr) {
		state.SkipWithError("no long paragraph");
		window->Unlock();
		return;
	}
	bool enter = state.range(1) != 0;
	for (auto _ : state) {
		WText* focus = Focused(fixture);
		if (focus == nullptr)
			break;
		// The step measured, then the one that undoes it (not timed).
		if (!enter)
			state.PauseTiming();
		focus->KeyDown("\n", 1);
		if (!enter)
			state.ResumeTiming();
		else
			state.PauseTiming();
		focus = Focused(fixture);
		if (focus != nullptr)
			focus->KeyDown("\x08", 1);
		if (enter)
			state.ResumeTiming();
	}
	window->Unlock();
}
BENCHMARK(BM_EnterAndBackspaceInLongParagraph)
	->ArgNames({ "bytes", "enter" })
	->Args({ 1 << 20, 1 })->Args({ 1 << 20, 0 })
	->Unit(benchmark::kMicrosecond)->Iterations(100);

static void
BM_DeleteAll(benchmark::State& state)
{
	BenchFixture& fixture = Opened(1 << 20);
	BWindow* window = fixture.page->visualWindow;
	for (auto _ : state) {
		window->PostMessage(kMsgDeleteAll);
		BPrivate::dispatch_until_idle();
		// The page comes back from the HTML editor's text (not timed).
		state.PauseTiming();
		fixture.page->Update(false);
		BPrivate::dispatch_until_idle();
		state.ResumeTiming();
	}
	std::string complaint = fixture.Complaint();
	if (!complaint.empty())
		state.SkipWithError(complaint.c_str());
}
BENCHMARK(BM_DeleteAll)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
