/*
 * Layout of generated pages of ordinary text.
 *
 * Goals: opening (parse, environment walk, whole layout) a 1 MiB page
 * < 0.25 s and a 10 MiB page < 2.5 s, growing linearly (compare the per-byte
 * rates of the three sizes); typing one byte in the middle of the long
 * paragraph of the 1 MiB page, up to the end of its layout, < 2 ms, and
 * a two-byte letter in the same paragraph of the page in UTF-8 no slower;
 * typing in a list item of that page < 0.5 ms (BM_TypeInListItem);
 * re-flowing the whole 1 MiB page (Refresh) < 200 ms; peak memory with the
 * 1 MiB page open < 150 MB (the "peak_MB" counter; run the 1 MiB open alone
 * with --benchmark_filter=BM_Open/1048576 to read it without the 10 MiB
 * page); opening a page whose body is one 1 MiB run of text without any
 * tag < 2 s (BM_OpenSingleRun).
 */
#include <benchmark/benchmark.h>

#include <Alert.h>
#include <Application.h>
#include <EventLoop.h>
#include <Font.h>
#include <Window.h>

#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <string>

#include "Config.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "List_Element.h"
#include "Page.h"
#include "Parser.h"
#include "WText.h"
#include "WWindow.h"
#include "WYSIWYG_Element.h"
#include "WYSIWYG_Engine.h"
#include "WYSIWYG_View.h"
#include "generator.h"

namespace {

class QuietResponder : public BAlertResponder {
public:
	int32 Respond(const char*, const char*, const char* const[3], int32) override
	{
		return 0;
	}
};

// One page in its windows, in a temporary home.
struct Fixture {
	Fixture()
	{
		char pattern[] = "/tmp/quillora-layout-XXXXXX";
		directory = mkdtemp(pattern);
		setenv("XDG_CONFIG_HOME", (directory + "/config").c_str(), 1);
		setenv("HOME", directory.c_str(), 1);
		setenv("QT_QPA_PLATFORM", "offscreen", 0);
		new BApplication("application/x-vnd.Quillora-bench");
		BAlert::SetResponder(&responder);
		Config::SetWritable(false);
		config = new Config;
		path = directory + "/page.html";
		std::ofstream(path) << "";
		page = new Page(&path[0], 0);
		BPrivate::dispatch_until_idle();
	}

	WYSIWYG_Engine* Engine() { return page->visualWindow->engine; }

	// Opens `html` as "Update from HTML" does: the chain is emptied (not
	// timed) and the text parsed, walked and laid out.
	void Open(const std::string& html, benchmark::State* state)
	{
		if (state != nullptr)
			state->PauseTiming();
		HTML_View* view = page->htmlWindow->htmlView;
		view->LockLooper();
		view->SetText(html.data(), html.size());
		view->UnlockLooper();
		page->visualWindow->Lock();
		Engine()->Empty();
		page->visualWindow->Unlock();
		if (state != nullptr)
			state->ResumeTiming();
		Parser::Parse(page);
	}

	std::string directory;
	std::string path;
	QuietResponder responder;
	Config* config;
	Page* page;
	std::string opened;
};

Fixture&
TheFixture()
{
	static Fixture* fixture = new Fixture();
	return *fixture;
}

double
PeakMegabytes()
{
	struct rusage usage;
	getrusage(RUSAGE_SELF, &usage);
	return usage.ru_maxrss / 1024.0;
}

int
CountElements(WYSIWYG_Engine* engine)
{
	int count = 0;
	for (WYSIWYG_Element* e = engine->FirstElement(); e != nullptr;
			e = e->Next())
		count++;
	return count;
}

// Makes sure the 1 MiB page is the one open, or with `utf8` the one with
// accented words in UTF-8, in a page of that encoding.
void
OpenMegabytePage(Fixture& fixture, bool utf8 = false)
{
	const char* name = utf8 ? "1MiB UTF-8" : "1MiB";
	if (fixture.opened == name)
		return;
	fixture.page->SetEncoding(utf8 ? B_UNICODE_UTF8 : B_ISO_8859_1, false);
	fixture.Open(utf8 ? GeneratePage(1 << 20, 1, kUTF8Words)
		: GeneratePage(1 << 20), nullptr);
	fixture.opened = name;
}

// Types into `target` with the caret at `caret`, `letter` (one character,
// perhaps of several bytes) and a backspace in turn: the text re-flows both
// ways.
void
TypeIn(Fixture& fixture, WText* target, int32 caret, const char* letter,
	benchmark::State& state)
{
	BWindow* window = fixture.page->visualWindow;
	window->Lock();
	target->MakeFocus(true);
	target->Select(caret, caret);
	bool typeLetter = true;
	for (auto _ : state) {
		WText* focus = dynamic_cast<WText*>(window->CurrentFocus());
		if (focus == nullptr)
			break;
		const char* key = typeLetter ? letter : "\x08";
		focus->KeyDown(key, int32(strlen(key)));
		typeLetter = !typeLetter;
	}
	window->Unlock();
}

}	// namespace

static void
BM_Open(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	fixture.page->SetEncoding(B_ISO_8859_1, false);
	std::string html = GeneratePage(state.range(0));
	for (auto _ : state)
		fixture.Open(html, &state);
	fixture.opened = state.range(0) == (1 << 20) ? "1MiB" : "";
	state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(html.size()));
	state.counters["elements"] = CountElements(fixture.Engine());
	state.counters["us_per_KiB"] = benchmark::Counter(
		double(html.size()) / 1024.0 * state.iterations(),
		benchmark::Counter::kIsIterationInvariantRate
			| benchmark::Counter::kInvert);
	state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_Open)->Arg(100 << 10)->Arg(1 << 20)->Arg(10 << 20)
	->Unit(benchmark::kMillisecond)->Iterations(2);

// A body that is one run of words without a single tag: the layout splits
// one text element line after line.
static void
BM_OpenSingleRun(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	std::string run;
	while (run.size() < size_t(state.range(0)))
		run += "word" + std::to_string(run.size() % 97) + " ";
	std::string html = "<BODY>" + run + "<BR>";
	fixture.page->SetEncoding(B_ISO_8859_1, false);
	for (auto _ : state)
		fixture.Open(html, &state);
	fixture.opened = "";
	state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(html.size()));
	state.counters["elements"] = CountElements(fixture.Engine());
	state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_OpenSingleRun)->Arg(256 << 10)->Arg(1 << 20)
	->Unit(benchmark::kMillisecond)->Iterations(1);

// Arg 0: "x" in the Latin-1 page; 1: an "e" with an acute accent (two
// bytes) in the UTF-8 page.
static void
BM_TypeInLongParagraph(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	bool utf8 = state.range(0) == 1;
	OpenMegabytePage(fixture, utf8);
	const char* letter = utf8 ? "\xc3\xa9" : "x";
	WYSIWYG_Engine* engine = fixture.Engine();
	WText* target = LongParagraphText(engine);
	if (target == nullptr) {
		state.SkipWithError("no long paragraph");
		return;
	}
	TypeIn(fixture, target, 5, letter, state);
}
BENCHMARK(BM_TypeInLongParagraph)->Arg(0)->Arg(1)
	->Unit(benchmark::kMicrosecond)->Iterations(400);

// Typing in the text of an item of a nested list half way down the page:
// the item's line is laid out again and the lines below only move.
static void
BM_TypeInListItem(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	OpenMegabytePage(fixture);
	WYSIWYG_Engine* engine = fixture.Engine();
	int count = CountElements(engine);
	int index = 0;
	WText* target = nullptr;
	for (WYSIWYG_Element* e = engine->FirstElement(); e != nullptr;
			e = e->Next(), index++) {
		if (index < count / 2 || e->CurrentList() == nullptr)
			continue;
		WText* text = dynamic_cast<WText*>(e);
		if (text != nullptr && text->TextLength() > 10
			&& text->CurrentList()->Level() > 1) {
			target = text;
			break;
		}
	}
	if (target == nullptr) {
		state.SkipWithError("no nested list item");
		return;
	}
	TypeIn(fixture, target, 3, "x", state);
}
BENCHMARK(BM_TypeInListItem)->Unit(benchmark::kMicrosecond)->Iterations(400);

static void
BM_Refresh(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	OpenMegabytePage(fixture);
	BWindow* window = fixture.page->visualWindow;
	for (auto _ : state) {
		window->Lock();
		fixture.Engine()->Refresh();
		window->Unlock();
	}
	state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_Refresh)->Unit(benchmark::kMillisecond)->Iterations(5);

// One redraw of the visible part of the 1 MiB page's view (its rules; the
// element views draw themselves), as every scroll step and repaint asks for.
static void
BM_DrawPageView(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	OpenMegabytePage(fixture);
	BWindow* window = fixture.page->visualWindow;
	window->Lock();
	BView* view = fixture.Engine()->view;
	view->ScrollTo(BPoint(0, 5000));
	BRect visible = view->Bounds();
	for (auto _ : state)
		view->Draw(visible);
	window->Unlock();
}
BENCHMARK(BM_DrawPageView)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
