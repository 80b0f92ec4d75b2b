// Windows with very many light views: adding them, and moving every one
// of them by a pixel followed by the redraw of the visible part.
#include <benchmark/benchmark.h>

#include <View.h>
#include <Window.h>

#include <vector>

namespace {

const int kViews = 50000;

// A text-run-like view: fills its background and draws a small bar.
class RunView : public BView {
public:
	RunView(BRect frame)
		: BView(frame, NULL, B_FOLLOW_NONE, B_WILL_DRAW) {}

	void Draw(BRect) override
	{
		SetHighColor(40, 40, 40);
		FillRect(BRect(1, 3, Bounds().right - 2, 5));
	}
};

BRect FrameFor(int index)
{
	// Lines of 25 runs, 32 by 14 pixels: 2,000 lines, most far below the
	// visible part of the window, as in a long page.
	int column = index % 25;
	int line = index / 25;
	return BRect(column * 32, line * 16, column * 32 + 31, line * 16 + 13);
}

BWindow* MakeWindow(BView** mainView)
{
	BWindow* window = new BWindow(BRect(0, 0, 799, 599), "Views", B_DOCUMENT_WINDOW, 0);
	window->Lock();
	BView* main = new BView(window->Bounds(), "main", B_FOLLOW_ALL, B_WILL_DRAW);
	window->AddChild(main);
	*mainView = main;
	return window;
}

}	// namespace


static void BM_Add50000Views(benchmark::State& state)
{
	for (auto _ : state) {
		state.PauseTiming();
		BView* main;
		BWindow* window = MakeWindow(&main);
		window->UpdateIfNeeded();
		state.ResumeTiming();

		for (int i = 0; i < kViews; i++)
			main->AddChild(new RunView(FrameFor(i)));

		state.PauseTiming();
		window->Quit();
		state.ResumeTiming();
	}
	state.SetItemsProcessed(state.iterations() * kViews);
}
// Few iterations: tearing a window of 50,000 views down is not what is measured.
BENCHMARK(BM_Add50000Views)->Unit(benchmark::kMillisecond)->Iterations(3);


static void BM_Move50000ViewsAndRedraw(benchmark::State& state)
{
	BView* main;
	BWindow* window = MakeWindow(&main);
	std::vector<BView*> views;
	views.reserve(kViews);
	for (int i = 0; i < kViews; i++) {
		BView* view = new RunView(FrameFor(i));
		main->AddChild(view);
		views.push_back(view);
	}
	window->UpdateIfNeeded();
	float step = 1;
	for (auto _ : state) {
		for (BView* view : views)
			view->MoveBy(step, 0);
		window->UpdateIfNeeded();
		step = -step;
	}
	window->Quit();
}
BENCHMARK(BM_Move50000ViewsAndRedraw)->Unit(benchmark::kMillisecond);


static void BM_ScrollPageOf50000Views(benchmark::State& state)
{
	BView* main;
	BWindow* window = MakeWindow(&main);
	for (int i = 0; i < kViews; i++)
		main->AddChild(new RunView(FrameFor(i)));
	window->UpdateIfNeeded();
	float top = 0;
	for (auto _ : state) {
		top = top > 30000 ? 0 : top + 300;
		main->ScrollTo(0, top);
		window->UpdateIfNeeded();
	}
	window->Quit();
}
BENCHMARK(BM_ScrollPageOf50000Views)->Unit(benchmark::kMillisecond);


BENCHMARK_MAIN();
