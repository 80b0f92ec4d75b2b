/*
 * The page's whole-document operations on a generated 1 MiB page:
 * "Update from Visual", "Update from HTML" next to re-reading the page from
 * its file (opening without the windows), and "Save page".
 *
 * Goals: Update from Visual < 30 ms, Update from HTML within 10% of opening,
 * Save page < 50 ms.
 */
#include <benchmark/benchmark.h>

#include <Alert.h>
#include <EventLoop.h>

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "Config.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "Page.h"
#include "WApplication.h"

namespace {

// Ordinary text: paragraphs, headings, bold/italic/underline runs, links,
// lists, breaks, rules and a few tags the editor keeps verbatim.
std::string
GeneratePage(size_t bytes)
{
	static const char* kWords[] = { "editor", "page", "quill", "layout",
		"window", "text", "paragraph", "heading", "line", "visual", "source",
		"element", "chain", "font", "colour", "link", "image", "list" };
	std::string page = "<HTML><HEAD><TITLE>Generated</TITLE></HEAD>\r\n"
		"<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\">\r\n";
	unsigned seed = 7;
	auto next = [&seed]() { seed = seed * 1103515245 + 12345; return seed >> 16; };
	int paragraph = 0;
	while (page.size() < bytes) {
		paragraph++;
		if (paragraph % 9 == 1)
			page += "<H2>Section " + std::to_string(paragraph) + "</H2>\r\n";
		page += "<P>";
		int words = 40 + int(next() % 60);
		for (int i = 0; i < words; i++) {
			const char* word = kWords[next() % 18];
			switch (next() % 23) {
				case 0: page += std::string("<B>") + word + "</B>"; break;
				case 1: page += std::string("<I>") + word + "</I>"; break;
				case 2: page += std::string("<U>") + word + "</U>"; break;
				case 3: page += std::string("<A HREF=\"#x\">") + word + "</A>";
					break;
				default: page += word; break;
			}
			page += (i % 17 == 16) ? "\r\n" : " ";
		}
		page += "</P>\r\n";
		if (paragraph % 7 == 0) {
			page += "<UL>\r\n<LI>one item</LI>\r\n<LI>another item</LI>\r\n"
				"</UL>\r\n";
		}
		if (paragraph % 11 == 0)
			page += "Before a break<BR>\r\nafter it<HR>\r\n";
		if (paragraph % 13 == 0)
			page += "<TABLE BORDER=1><TR><TD>kept</TD></TR></TABLE>\r\n";
	}
	page += "</BODY></HTML>\r\n";
	return page;
}


class QuietResponder : public BAlertResponder {
public:
	virtual int32 Respond(const char*, const char*, const char* const[3],
		int32)
	{
		return 0;
	}
};


// One application with the generated page for all benchmarks.
struct Fixture {
	Fixture()
	{
		char pattern[] = "/tmp/quillora-bench-XXXXXX";
		directory = mkdtemp(pattern);
		setenv("XDG_CONFIG_HOME", (directory + "/config").c_str(), 1);
		setenv("HOME", directory.c_str(), 1);
		setenv("QT_QPA_PLATFORM", "offscreen", 0);
		BAlert::SetResponder(&responder);
		path = directory + "/page.html";
		std::ofstream(path, std::ios::binary) << GeneratePage(1 << 20);
		application = new WApplication(&path[0]);
		BPrivate::dispatch_until_idle();
		page = application->pages[0];
	}

	std::string directory;
	std::string path;
	QuietResponder responder;
	WApplication* application;
	Page* page;
};


Fixture&
TheFixture()
{
	static Fixture* fixture = new Fixture();
	return *fixture;
}

}	// namespace


static void
BM_UpdateFromVisual(benchmark::State& state)
{
	Page* page = TheFixture().page;
	for (auto _ : state)
		page->UpdateFromVisual();
	state.SetBytesProcessed(int64_t(state.iterations())
		* int64_t(page->HTMLBufferLength()));
}
BENCHMARK(BM_UpdateFromVisual)->Unit(benchmark::kMillisecond);


static void
BM_OpenFromFile(benchmark::State& state)
{
	Page* page = TheFixture().page;
	for (auto _ : state)
		page->Update(true);
}
BENCHMARK(BM_OpenFromFile)->Unit(benchmark::kMillisecond);


static void
BM_UpdateFromHTML(benchmark::State& state)
{
	Page* page = TheFixture().page;
	page->Update(true);
	for (auto _ : state)
		page->Update(false);
}
BENCHMARK(BM_UpdateFromHTML)->Unit(benchmark::kMillisecond);


static void
BM_SavePage(benchmark::State& state)
{
	Page* page = TheFixture().page;
	for (auto _ : state) {
		page->NotSaved();
		page->Save();
	}
}
BENCHMARK(BM_SavePage)->Unit(benchmark::kMillisecond);


BENCHMARK_MAIN();
