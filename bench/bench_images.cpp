/*
 * A page with many pictures: 200 IMG tags over a generated page of 128 KiB,
 * their sources five real files (GIF, JPEG and PNG of 16 by 12 to 320 by
 * 240 pixels). Each benchmark runs with 0 and with 200 pictures on the same
 * text, so the cost of the pictures is the difference:
 *   - OpenPage: the page opened as at the program's start (reading, parsing,
 *     decoding, laying out, the first paint); counters: pictures shown and
 *     distinct bitmaps (one per file when each file is decoded once);
 *   - Scroll: the page view scrolled by 40 pixels and repainted;
 *   - Pulse: one pulse of the visual window, on which pictures in sight
 *     repaint themselves.
 *
 * Goals: OpenPage/200 < 300 ms; Scroll/200 and Pulse/200 close to their
 * runs without pictures (only what is visible is painted).
 */
#include <benchmark/benchmark.h>

#include <View.h>
#include <Window.h>

#include <chrono>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "WImage.h"
#include "WYSIWYG_View.h"
#include "fixture.h"

namespace {

const char* const kFiles[] = { "pic50x40.gif", "pic32x20.jpg", "pic16x12.png",
	"screen320x240.jpg", "screen200x150.png" };

// The application's own page is the one without pictures; the one with
// them lies beside it with its pictures.
struct Fixture : BenchFixture {
	Fixture()
		:
		BenchFixture(GeneratePage(128 << 10))
	{
		std::vector<std::string> sources;
		for (const char* name : kFiles) {
			std::ifstream in(std::string(QUILLORA_BENCH_IMAGES "/") + name,
				std::ios::binary);
			std::stringstream bytes;
			bytes << in.rdbuf();
			std::ofstream(directory + "/" + name, std::ios::binary)
				<< bytes.str();
			sources.push_back(name);
		}
		std::ifstream in(path, std::ios::binary);
		std::stringstream text;
		text << in.rdbuf();
		std::ofstream(Path(200), std::ios::binary)
			<< AddPictures(text.str(), 200, sources);
	}

	std::string Path(int pictures) const
	{
		return pictures == 0 ? path : directory + "/pictures.html";
	}
};

Fixture&
TheFixture()
{
	static Fixture* fixture = new Fixture();
	return *fixture;
}

// Pictures shown on the page, and how many distinct bitmaps they use.
void
CountPictures(Page* page, int* shown, int* bitmaps)
{
	std::set<const void*> distinct;
	*shown = 0;
	for (WYSIWYG_Element* e = page->Engine()->FirstElement(); e != nullptr;
			e = e->Next()) {
		WImage* image = dynamic_cast<WImage*>(e);
		if (image != nullptr && image->bitmap != nullptr) {
			(*shown)++;
			distinct.insert(image->bitmap.get());
		}
	}
	*bitmaps = (int)distinct.size();
}

// A page opened beside the application's own, for scrolling and pulses.
Page*
OpenPage(Fixture& fixture, int pictures)
{
	std::string path = fixture.Path(pictures);
	Page* page = new Page(&path[0], 1);
	BPrivate::dispatch_until_idle();
	return page;
}

void
ClosePage(Page* page)
{
	delete page;
	BPrivate::dispatch_until_idle();
}

}	// namespace


static void
BM_OpenPage(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	int shown = 0, bitmaps = 0;
	for (auto _ : state) {
		auto start = std::chrono::steady_clock::now();
		Page* page = OpenPage(fixture, (int)state.range(0));
		state.SetIterationTime(std::chrono::duration<double>(
			std::chrono::steady_clock::now() - start).count());
		CountPictures(page, &shown, &bitmaps);
		ClosePage(page);
	}
	if (shown != state.range(0))
		state.SkipWithError("not every picture was shown");
	std::string complaint = fixture.Complaint();
	if (!complaint.empty())
		state.SkipWithError(complaint.c_str());
	state.counters["pictures"] = shown;
	state.counters["bitmaps"] = bitmaps;
}
BENCHMARK(BM_OpenPage)->Arg(0)->Arg(200)->UseManualTime()
	->Unit(benchmark::kMillisecond);


static void
BM_Scroll(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	Page* page = OpenPage(fixture, (int)state.range(0));
	WWindow* window = page->visualWindow;
	BView* view = page->Engine()->view;
	float y = 0;
	for (auto _ : state) {
		window->Lock();
		y += 40;
		if (y > 20000)
			y = 0;
		view->ScrollTo(BPoint(0, y));
		window->Unlock();
		BPrivate::dispatch_until_idle();
	}
	std::string complaint = fixture.Complaint();
	if (!complaint.empty())
		state.SkipWithError(complaint.c_str());
	ClosePage(page);
}
BENCHMARK(BM_Scroll)->Arg(0)->Arg(200)->Unit(benchmark::kMicrosecond);


static void
BM_Pulse(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	Page* page = OpenPage(fixture, (int)state.range(0));
	WWindow* window = page->visualWindow;
	// Somewhere in the middle of the page, pictures in sight.
	window->Lock();
	page->Engine()->view->ScrollTo(BPoint(0, 6000));
	window->Unlock();
	BPrivate::dispatch_until_idle();
	for (auto _ : state) {
		window->PostMessage(B_PULSE);
		BPrivate::dispatch_until_idle();
	}
	ClosePage(page);
}
BENCHMARK(BM_Pulse)->Arg(0)->Arg(200)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
