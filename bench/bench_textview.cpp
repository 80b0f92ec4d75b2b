// The text view on big texts: the HTML editor holds whole pages, up to
// 10 MiB, in one word-wrapped BTextView inside a scroll view.
//
//   SetText + scroll to the end + draw:   1 MiB < 100 ms, 10 MiB < 1 s
//   typing one byte in the middle of 10 MiB (with its redraw): < 5 ms
#include <benchmark/benchmark.h>

#include <AppDefs.h>
#include <EventLoop.h>
#include <Message.h>
#include <ScrollView.h>
#include <TextView.h>
#include <Window.h>

#include <cstdlib>
#include <string>

namespace {

// HTML-like text: paragraphs of words and tags, a blank line now and then.
std::string
html_text(size_t size)
{
	static const char* kWords[] = { "<P>", "The", "page", "editor", "shows",
		"<B>bold</B>", "text", "and", "<A HREF=\"index.html\">links</A>",
		"caf\xe9", "with", "images", "<IMG SRC=\"images/About.gif\">", "of",
		"several", "<I>sizes</I>", "in", "one", "long", "paragraph,", "a" };
	const int kCount = sizeof(kWords) / sizeof(kWords[0]);
	std::string text;
	text.reserve(size + 256);
	uint32_t state = 12345;
	while (text.size() < size) {
		int words = 30 + (state >> 20) % 150;
		for (int i = 0; i < words; i++) {
			state = state * 1103515245u + 12345u;
			text += kWords[(state >> 16) % kCount];
			text += ' ';
		}
		text += "</P>\n";
		if ((state >> 24) % 3 == 0)
			text += "\n";
	}
	text.resize(size);
	return text;
}


// A document window like the HTML editor's: a wrapping text view in a
// scroll view with a vertical scroll bar.
struct EditorWindow {
	BWindow* window;
	BTextView* view;

	EditorWindow()
	{
		setenv("QT_QPA_PLATFORM", "offscreen", 0);
		window = new BWindow(BRect(50, 50, 849, 649), "HTML", B_DOCUMENT_WINDOW, 0);
		BRect frame(0, 0, 800 - B_V_SCROLL_BAR_WIDTH - 1, 599);
		view = new BTextView(frame, "HTML text view", frame, B_FOLLOW_ALL,
			B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE | B_FRAME_EVENTS);
		BScrollView* scroll = new BScrollView("HTML scroll view", view,
			B_FOLLOW_ALL, 0, false, true);
		window->Lock();
		window->AddChild(scroll);
		view->MakeFocus(true);
		window->Show();
		window->Unlock();
		BPrivate::dispatch_until_idle();
	}

	~EditorWindow()
	{
		if (window->Lock())
			window->Quit();
		BPrivate::dispatch_until_idle();
	}

	void SetTextScrollAndDraw(const std::string& text)
	{
		window->Lock();
		view->SetText(text.data(), (int32)text.size());
		view->Select(view->TextLength(), view->TextLength());
		view->ScrollToSelection();
		window->UpdateIfNeeded();
		window->Unlock();
	}
};


void
SetTextScrollDraw(benchmark::State& state)
{
	std::string text = html_text((size_t)state.range(0) * 1024 * 1024);
	EditorWindow editor;
	for (auto _ : state) {
		editor.SetTextScrollAndDraw(text);
		benchmark::DoNotOptimize(editor.view->CountLines());
	}
	state.counters["lines"] = editor.view->CountLines();
	state.SetBytesProcessed(state.iterations() * (int64_t)text.size());
}
BENCHMARK(SetTextScrollDraw)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);


// One typed byte in the middle of 10 MiB: a real key message through the
// window, the re-break of the changed lines and the redraw.
void
TypeInTheMiddle(benchmark::State& state)
{
	std::string text = html_text(10 * 1024 * 1024);
	EditorWindow editor;
	editor.window->Lock();
	editor.view->SetText(text.data(), (int32)text.size());
	int32 middle = editor.view->TextLength() / 2;
	editor.view->Select(middle, middle);
	editor.view->ScrollToSelection();
	editor.window->UpdateIfNeeded();
	editor.window->Unlock();

	BMessage key(B_KEY_DOWN);
	key.AddString("bytes", "x");
	key.AddInt32("modifiers", 0);
	key.AddInt32("key", 0x3f);
	key.AddInt32("raw_char", 'x');
	int typed = 0;
	for (auto _ : state) {
		// Every other key takes the typed byte back, so the text stays put.
		const char* bytes = ++typed % 2 == 0 ? "\x08" : "x";
		key.ReplaceString("bytes", bytes);
		key.ReplaceInt32("raw_char", (uint8)bytes[0]);
		editor.window->PostMessage(&key, editor.view);
		BPrivate::dispatch_until_idle();
		editor.window->Lock();
		editor.window->UpdateIfNeeded();
		editor.window->Unlock();
	}
	state.counters["lines"] = editor.view->CountLines();
}
BENCHMARK(TypeInTheMiddle)->Unit(benchmark::kMicrosecond);

}	// namespace

BENCHMARK_MAIN();
