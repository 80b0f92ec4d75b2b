/*
 * Find and replace on a generated 1 MiB page in both windows, run as the
 * dialog's buttons run them (the search texts filled in, the search
 * started from the top). Each timed part is the search followed by the
 * handling of everything it left queued (redrawing), which is what the
 * user waits for.
 *
 * Goals: a word that occurs only at the end of the page is found in under
 * 50 ms in either window; Replace all of a common word (thousands of
 * matches) takes under 0.5 s in the HTML window and under 1 s in the
 * visual one, the page laid out once; the memory a Replace all takes
 * beyond what it held before (peak_extra_MiB) stays near the size of the
 * text whatever the number of matches (compare the word with the letter
 * pair, which has many times its matches).
 */
#include <benchmark/benchmark.h>

#include <EventLoop.h>

#include <malloc.h>
#include <stdio.h>
#include <string.h>

#include <atomic>
#include <new>
#include <string>

#include "HFinder.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "Page.h"
#include "RTextControl.h"
#include "WFinder.h"
#include "WWindow.h"
#include "fixture.h"

// Every allocation of the program is counted, so that the extra memory a
// search takes can be read off.
namespace {

std::atomic<size_t> sInUse(0);
std::atomic<size_t> sPeak(0);

void*
Counted(void* block)
{
	if (block == nullptr)
		throw std::bad_alloc();
	size_t now = sInUse += malloc_usable_size(block);
	size_t peak = sPeak.load();
	while (now > peak && !sPeak.compare_exchange_weak(peak, now)) {
	}
	return block;
}

void
Uncounted(void* block)
{
	if (block != nullptr)
		sInUse -= malloc_usable_size(block);
	// The compiler cannot see that the operator new of this block is
	// malloc() and takes free() here for a mismatch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
	free(block);
#pragma GCC diagnostic pop
}

}	// namespace

void* operator new(size_t size) { return Counted(malloc(size)); }
void* operator new[](size_t size) { return Counted(malloc(size)); }
void operator delete(void* block) noexcept { Uncounted(block); }
void operator delete[](void* block) noexcept { Uncounted(block); }
void operator delete(void* block, size_t) noexcept { Uncounted(block); }
void operator delete[](void* block, size_t) noexcept { Uncounted(block); }


namespace {

const char* kLastWord = "Zyzzyva";
const char* kWord = "engine";
const char* kLetters = "th";

// The generated page with one word that occurs nowhere else, at its end.
std::string
PageWithLastWord()
{
	std::string page = GeneratePage(1 << 20);
	size_t end = page.rfind("</BODY>");
	if (end == std::string::npos)
		end = page.size();
	page.insert(end, std::string(" ") + kLastWord + "\n");
	return page;
}


BenchFixture&
TheFixture()
{
	static BenchFixture* fixture = new BenchFixture(PageWithLastWord());
	return *fixture;
}


void
Fill(RFinder* finder, const char* search, const char* replacement,
	bool wholeWord, bool single, bool replace)
{
	finder->Lock();
	finder->FindText()->SetText(search);
	finder->ReplaceText()->SetText(replacement);
	finder->wholeWord = wholeWord;
	finder->caseSensitive = false;
	finder->wrap = false;
	finder->single = single;
	finder->replace = replace;
	finder->Unlock();
}


// Runs the search from the top; returns whether it found something.
bool
Search(RFinder* finder)
{
	finder->Reset();
	bool found = finder->Find();
	BPrivate::dispatch_until_idle();
	return found;
}


// Puts the HTML text back as it was read.
void
RestoreHTML(Page* page, const std::string& text)
{
	HTML_View* view = page->htmlWindow->htmlView;
	view->LockLooper();
	view->SetText(text.data(), int32(text.size()));
	view->UnlockLooper();
	BPrivate::dispatch_until_idle();
}


// Finds the word at the end from the top, over and over.
void
FindLastWord(benchmark::State& state, RFinder* finder)
{
	Fill(finder, kLastWord, "", true, true, false);
	for (auto _ : state) {
		if (!Search(finder)) {
			state.SkipWithError("the word was not found");
			break;
		}
	}
}


// Replace all of the common word (range 0) or of the letter pair (range 1),
// each match by a text three bytes longer. `restore` puts the page back as
// it was read (not timed), `length` measures the text that is searched.
template<typename Restore, typename Length>
void
ReplaceAll(benchmark::State& state, RFinder* finder, Restore restore,
	Length length)
{
	bool word = state.range(0) == 0;
	std::string search = word ? kWord : kLetters;
	std::string replacement = search + "xyz";
	Fill(finder, search.c_str(), replacement.c_str(), word, false, true);
	size_t extra = 0;
	int64_t matches = 0;
	int64_t before = 0;
	for (auto _ : state) {
		state.PauseTiming();
		restore();
		before = length();
		size_t base = sInUse.load();
		sPeak.store(base);
		state.ResumeTiming();
		Search(finder);
		state.PauseTiming();
		extra = sPeak.load() - base;
		matches = (length() - before) / 3;
		state.ResumeTiming();
	}
	if (matches < 1000)
		state.SkipWithError("fewer matches than a common word has");
	state.counters["matches"] = double(matches);
	state.counters["peak_extra_MiB"] = double(extra) / (1 << 20);
	state.counters["text_MiB"] = double(before) / (1 << 20);
	restore();
}

}	// namespace


static void
BM_FindLastWordHTML(benchmark::State& state)
{
	HFinder* finder = TheFixture().page->htmlWindow->finder;
	FindLastWord(state, finder);
	// The match is the word, within the last lines of the page.
	HTML_View* view = TheFixture().page->htmlWindow->htmlView;
	if (finder->matchStart < view->TextLength() - 200
		|| strncmp(view->Text() + finder->matchStart, kLastWord,
			strlen(kLastWord)) != 0)
		state.SkipWithError("the match is not the word at the end");
}
BENCHMARK(BM_FindLastWordHTML)->Unit(benchmark::kMillisecond);


static void
BM_FindLastWordVisual(benchmark::State& state)
{
	WFinder* finder = TheFixture().page->visualWindow->finder;
	FindLastWord(state, finder);
	if (finder->current == nullptr
		|| std::string(finder->current->Text()).find(kLastWord)
			== std::string::npos)
		state.SkipWithError("the match is not the word at the end");
}
BENCHMARK(BM_FindLastWordVisual)->Unit(benchmark::kMillisecond);


static void
BM_ReplaceAllHTML(benchmark::State& state)
{
	Page* page = TheFixture().page;
	HTML_View* view = page->htmlWindow->htmlView;
	std::string original = view->Text();
	ReplaceAll(state, page->htmlWindow->finder,
		[&]() { RestoreHTML(page, original); },
		[&]() { return int64_t(view->TextLength()); });
}
BENCHMARK(BM_ReplaceAllHTML)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);


// The page read again from its file before each Replace all.
static void
BM_ReplaceAllVisual(benchmark::State& state)
{
	BenchFixture& fixture = TheFixture();
	Page* page = fixture.page;
	ReplaceAll(state, page->visualWindow->finder,
		[&]() {
			page->Update(true);
			BPrivate::dispatch_until_idle();
		},
		[&]() { return fixture.VisualTextLength(); });
}
BENCHMARK(BM_ReplaceAllVisual)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);


BENCHMARK_MAIN();
