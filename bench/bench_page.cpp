/*
 * The page's whole-document commands on a generated 1 MiB page, with both
 * windows shown as when they are used: "Update from Visual", "Update from
 * HTML" next to opening the same page, "Reload" and "Save page". Each timed
 * part is the command followed by the handling of everything it left queued
 * (redrawing, menu states), which is what the user waits for; the setup
 * around it is not timed.
 *
 * Goals: Update from Visual < 30 ms; Update from HTML within 10% of opening
 * the page (the counter update/open, to stay below 1.1); Save page < 50 ms;
 * opening the page in UTF-8 within 10% of opening it in Latin-1.
 */
#include <benchmark/benchmark.h>

#include <Alert.h>
#include <EventLoop.h>
#include <Font.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

#include "Config.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "Page.h"
#include "WApplication.h"
#include "WWindow.h"
#include "fixture.h"
#include "generator.h"

namespace {

using Fixture = BenchFixture;


Fixture&
TheFixture()
{
	static Fixture* fixture = new Fixture(GeneratePage(1 << 20));
	return *fixture;
}


// Whether the visual page holds the whole document again: what it
// generates is at least half the page's size (the generated document is
// written differently, not shorter by much).
bool
HoldsWholePage(Fixture& fixture)
{
	fixture.page->GenerateHTML();
	return fixture.page->HTMLBufferLength() >= fixture.pageSize / 2;
}


double
SecondsSince(std::chrono::steady_clock::time_point start)
{
	return std::chrono::duration<double>(std::chrono::steady_clock::now()
		- start).count();
}


// Opens the page as the program does at its start (both windows, reading,
// parsing, laying out) and closes it again; returns the seconds the opening
// took, closing not counted, or a negative number when the page opened
// incomplete or, given an encoding, not in that one. Another page than the
// fixture's own is of about the same size.
double
TimeOpening(Fixture& fixture, std::string path = std::string(),
	int encoding = -1)
{
	if (path.empty())
		path = fixture.path;
	auto start = std::chrono::steady_clock::now();
	Page* other = new Page(&path[0], 1);
	BPrivate::dispatch_until_idle();
	double seconds = SecondsSince(start);
	other->GenerateHTML();
	if (other->HTMLBufferLength() < fixture.pageSize / 2
		|| (encoding >= 0 && other->encoding != encoding))
		seconds = -1;
	delete other;
	BPrivate::dispatch_until_idle();
	return seconds;
}

}	// namespace


static void
BM_UpdateFromVisual(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	Page* page = fixture.page;
	for (auto _ : state) {
		page->UpdateFromVisual();
		BPrivate::dispatch_until_idle();
	}
	if (page->htmlWindow->htmlView->TextLength() < int32(fixture.pageSize / 2))
		state.SkipWithError("the HTML view did not get the page");
	std::string complaint = fixture.Complaint();
	if (!complaint.empty())
		state.SkipWithError(complaint.c_str());
	state.SetBytesProcessed(int64_t(state.iterations())
		* int64_t(page->HTMLBufferLength()));
}
BENCHMARK(BM_UpdateFromVisual)->Unit(benchmark::kMillisecond);


// Opening the page on its own.
static void
BM_OpenPage(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	for (auto _ : state) {
		double seconds = TimeOpening(fixture);
		if (seconds < 0) {
			state.SkipWithError("the page opened incomplete");
			break;
		}
		state.SetIterationTime(seconds);
	}
	std::string complaint = fixture.Complaint();
	if (!complaint.empty())
		state.SkipWithError(complaint.c_str());
}
BENCHMARK(BM_OpenPage)->UseManualTime()->MinTime(2)
	->Unit(benchmark::kMillisecond);


// Opening the page with accented words in UTF-8 next to the same page in
// Latin-1; neither declares its charset, so the UTF-8 one is read through
// whole to be known as UTF-8. The time is the UTF-8 page's; the counter
// utf8/latin1 is to stay below 1.1.
static void
BM_OpenUTF8NextToLatin1(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	std::string latin1 = fixture.directory + "/latin1.html";
	std::string utf8 = fixture.directory + "/utf8.html";
	std::ofstream(latin1, std::ios::binary)
		<< GeneratePage(1 << 20, 1, kLatin1Words);
	std::ofstream(utf8, std::ios::binary)
		<< GeneratePage(1 << 20, 1, kUTF8Words);
	double latin1Seconds = 0;
	double utf8Seconds = 0;
	for (auto _ : state) {
		double latin1Opening = TimeOpening(fixture, latin1, B_ISO_8859_1);
		double utf8Opening = TimeOpening(fixture, utf8, B_UNICODE_UTF8);
		if (latin1Opening < 0 || utf8Opening < 0) {
			state.SkipWithError("a page opened incomplete or in another "
				"encoding");
			break;
		}
		latin1Seconds += latin1Opening;
		utf8Seconds += utf8Opening;
		state.SetIterationTime(utf8Opening);
	}
	double iterations = double(state.iterations());
	state.counters["latin1_ms"] = latin1Seconds * 1000 / iterations;
	state.counters["utf8_ms"] = utf8Seconds * 1000 / iterations;
	state.counters["utf8/latin1"] = utf8Seconds / latin1Seconds;
	std::string complaint = fixture.Complaint();
	if (!complaint.empty())
		state.SkipWithError(complaint.c_str());
}
BENCHMARK(BM_OpenUTF8NextToLatin1)->UseManualTime()->MinTime(4)
	->Unit(benchmark::kMillisecond);


// "Update from HTML": the page laid out again from the HTML window's text.
// Every iteration also opens the page once (not in the time), so that
// open_ms and the ratio update/open come from the same moments.
static void
BM_UpdateFromHTML(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	Page* page = fixture.page;
	page->Update(true);
	BPrivate::dispatch_until_idle();
	double updating = 0, opening = 0;
	for (auto _ : state) {
		auto start = std::chrono::steady_clock::now();
		page->Update(false);
		BPrivate::dispatch_until_idle();
		double seconds = SecondsSince(start);
		state.SetIterationTime(seconds);
		updating += seconds;
		double open = TimeOpening(fixture);
		if (open < 0) {
			state.SkipWithError("the page opened incomplete");
			break;
		}
		opening += open;
	}
	if (!HoldsWholePage(fixture))
		state.SkipWithError("the page was not laid out again");
	std::string complaint = fixture.Complaint();
	if (!complaint.empty())
		state.SkipWithError(complaint.c_str());
	if (opening > 0) {
		state.counters["open_ms"] = opening / double(state.iterations()) * 1e3;
		state.counters["update/open"] = updating / opening;
	}
}
BENCHMARK(BM_UpdateFromHTML)->UseManualTime()->MinTime(2)
	->Unit(benchmark::kMillisecond);


// "Reload": the page read again from its file into both windows.
static void
BM_Reload(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	for (auto _ : state) {
		fixture.page->Update(true);
		BPrivate::dispatch_until_idle();
	}
	if (!HoldsWholePage(fixture))
		state.SkipWithError("the page was not read again");
	std::string complaint = fixture.Complaint();
	if (!complaint.empty())
		state.SkipWithError(complaint.c_str());
}
BENCHMARK(BM_Reload)->Unit(benchmark::kMillisecond);


// "Save page" after an edit: the page generated and written through a
// temporary file that replaces the page.
static void
BM_SavePage(benchmark::State& state)
{
	Fixture& fixture = TheFixture();
	Page* page = fixture.page;
	for (auto _ : state) {
		state.PauseTiming();
		page->NotSaved();
		BPrivate::dispatch_until_idle();
		state.ResumeTiming();
		if (!page->Save()) {
			state.SkipWithError(fixture.Complaint().c_str());
			break;
		}
		BPrivate::dispatch_until_idle();
	}
	std::string complaint = fixture.Complaint();
	if (!complaint.empty())
		state.SkipWithError(complaint.c_str());
	std::ifstream saved(fixture.path, std::ios::binary | std::ios::ate);
	if (size_t(saved.tellg()) < fixture.pageSize / 2)
		state.SkipWithError("the saved page is too short");
	state.SetBytesProcessed(int64_t(state.iterations())
		* int64_t(page->HTMLBufferLength()));
}
BENCHMARK(BM_SavePage)->Unit(benchmark::kMillisecond);


BENCHMARK_MAIN();
