/*
 * The whole program in batch mode: `Quillora --html PAGE` on an empty page
 * and on generated pages of 1 MiB and 10 MiB, from its launch to its exit,
 * next to `tidy` reading the same page and writing it out again. Both are
 * started for real (posix_spawn, no shell) and waited for; the counters give
 * tidy's times and the ratio Quillora / tidy, in wall-clock time and in CPU
 * time (user + system of the child, which a busy machine disturbs less), and
 * the peak memory (resident) of each program.
 *
 * Goals: on the 1 MiB page Quillora within twice tidy's time (cpu_ratio and
 * ratio <= 2) and under 60 MB (quillora_peak_MB), under 300 MB on the
 * 10 MiB page.
 *
 * tidy is only a yardstick here: without it on the PATH the benchmark still
 * times Quillora and says in its label that the comparison was skipped.
 */
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "generator.h"

#ifndef QUILLORA_PROGRAM
#error "QUILLORA_PROGRAM must name the built Quillora executable"
#endif

extern char** environ;

namespace {

struct RunResult {
	std::string error;		// empty when the program was started and waited for
	int exitStatus = -1;	// -1 when it did not exit normally
	double wallSeconds = 0;
	double cpuSeconds = 0;
	double peakMegabytes = 0;
};


double
seconds(const struct timeval& value)
{
	return double(value.tv_sec) + double(value.tv_usec) / 1e6;
}


// Starts `arguments[0]` with the given environment, standard input from
// /dev/null, standard output into `outputPath` and standard error into
// `errorPath`, and waits for it.
RunResult
Run(const std::vector<std::string>& arguments,
	const std::vector<std::string>& environment, const std::string& outputPath,
	const std::string& errorPath)
{
	std::vector<char*> argv;
	for (const std::string& argument : arguments)
		argv.push_back(const_cast<char*>(argument.c_str()));
	argv.push_back(nullptr);
	std::vector<char*> envp;
	for (const std::string& variable : environment)
		envp.push_back(const_cast<char*>(variable.c_str()));
	envp.push_back(nullptr);

	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
	posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(),
		O_WRONLY | O_CREAT | O_TRUNC, 0644);
	posix_spawn_file_actions_addopen(&actions, 2, errorPath.c_str(),
		O_WRONLY | O_CREAT | O_TRUNC, 0644);

	RunResult result;
	auto start = std::chrono::steady_clock::now();
	pid_t child;
	int error = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(),
		envp.data());
	posix_spawn_file_actions_destroy(&actions);
	if (error != 0) {
		result.error = "cannot start " + arguments[0] + ": " + strerror(error);
		return result;
	}
	int status;
	struct rusage usage;
	pid_t waited;
	do
		waited = wait4(child, &status, 0, &usage);
	while (waited < 0 && errno == EINTR);
	auto end = std::chrono::steady_clock::now();
	if (waited != child) {
		result.error = "cannot wait for " + arguments[0] + ": "
			+ strerror(errno);
		return result;
	}
	result.wallSeconds = std::chrono::duration<double>(end - start).count();
	result.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
	result.peakMegabytes = usage.ru_maxrss / 1024.0;
	if (WIFEXITED(status))
		result.exitStatus = WEXITSTATUS(status);
	else
		result.error = arguments[0] + " was ended by signal "
			+ std::to_string(WTERMSIG(status));
	return result;
}


off_t
FileSize(const std::string& path)
{
	struct stat info;
	return stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}


std::string
FileStart(const std::string& path)
{
	std::ifstream file(path, std::ios::binary);
	std::string text(400, '\0');
	file.read(&text[0], std::streamsize(text.size()));
	text.resize(size_t(file.gcount()));
	return text;
}


// The first executable `name` along PATH; empty when there is none.
std::string
FindOnPath(const char* name)
{
	const char* path = getenv("PATH");
	std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin");
	std::string folder;
	while (std::getline(folders, folder, ':')) {
		if (folder.empty())
			folder = ".";
		std::string candidate = folder + "/" + name;
		struct stat info;
		if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode)
			&& access(candidate.c_str(), X_OK) == 0)
			return candidate;
	}
	return std::string();
}


// The page, the files the programs write, and their environment: the
// caller's, with a home and settings folder of its own so that the
// user's settings play no part.
struct Fixture {
	// A generated page of about `bytes` bytes; 0 for an empty one.
	explicit Fixture(size_t bytes)
	{
		char pattern[] = "/tmp/quillora-bench-batch-XXXXXX";
		if (mkdtemp(pattern) == nullptr) {
			perror("mkdtemp");
			exit(1);
		}
		directory = pattern;
		page = directory + "/page.html";
		std::string text = bytes > 0 ? GeneratePage(bytes)
			: "<HTML><HEAD><TITLE></TITLE></HEAD><BODY></BODY></HTML>\n";
		pageSize = text.size();
		std::ofstream(page, std::ios::binary) << text;
		quilloraOutput = directory + "/quillora.out";
		quilloraErrors = directory + "/quillora.err";
		tidyOutput = directory + "/tidy.out";
		tidyErrors = directory + "/tidy.err";
		tidy = FindOnPath("tidy");

		for (char** variable = environ; *variable != nullptr; variable++) {
			if (strncmp(*variable, "HOME=", 5) != 0
				&& strncmp(*variable, "XDG_CONFIG_HOME=", 16) != 0)
				environment.push_back(*variable);
		}
		environment.push_back("HOME=" + directory);
		environment.push_back("XDG_CONFIG_HOME=" + directory + "/config");
	}

	~Fixture()
	{
		for (const std::string* file : { &page, &quilloraOutput,
				&quilloraErrors, &tidyOutput, &tidyErrors })
			unlink(file->c_str());
		rmdir((directory + "/config").c_str());
		rmdir(directory.c_str());
	}

	// Runs Quillora once; an empty string when it exited with 0 and wrote
	// something, else what went wrong.
	std::string RunQuillora(RunResult& result)
	{
		result = Run({ QUILLORA_PROGRAM, "--html", page }, environment,
			quilloraOutput, quilloraErrors);
		if (!result.error.empty())
			return result.error;
		if (result.exitStatus != 0) {
			return "Quillora exited with " + std::to_string(result.exitStatus)
				+ ": " + FileStart(quilloraErrors);
		}
		if (FileSize(quilloraOutput) <= 0)
			return "Quillora wrote nothing";
		return std::string();
	}

	// Runs tidy once; it exits with 1 for warnings and 2 for errors, which
	// the generated page (with tags tidy does not know) may well have.
	std::string RunTidy(RunResult& result)
	{
		result = Run({ tidy, "-q", "--show-errors", "0", "--show-warnings",
			"no", "--force-output", "yes", "-o", tidyOutput, page },
			environment, "/dev/null", tidyErrors);
		if (!result.error.empty())
			return result.error;
		if (result.exitStatus < 0 || result.exitStatus > 2) {
			return "tidy exited with " + std::to_string(result.exitStatus)
				+ ": " + FileStart(tidyErrors);
		}
		if (FileSize(tidyOutput) <= 0)
			return "tidy wrote nothing";
		return std::string();
	}

	std::string directory;
	std::string page;
	size_t pageSize;
	std::string quilloraOutput;
	std::string quilloraErrors;
	std::string tidyOutput;
	std::string tidyErrors;
	std::string tidy;
	std::vector<std::string> environment;
	bool warmedUp = false;
};


// One page of each size for every run of the benchmark; removed at exit.
Fixture&
TheFixture(size_t bytes)
{
	static std::map<size_t, std::unique_ptr<Fixture>> fixtures;
	std::unique_ptr<Fixture>& fixture = fixtures[bytes];
	if (!fixture)
		fixture.reset(new Fixture(bytes));
	return *fixture;
}

}	// namespace


static void
BM_QuilloraHTMLVersusTidy(benchmark::State& state)
{
	Fixture& fixture = TheFixture(size_t(state.range(0)));
	bool withTidy = !fixture.tidy.empty();
	RunResult result;
	std::string problem;
	if (!fixture.warmedUp) {
		if (!withTidy) {
			fprintf(stderr, "tidy was not found on the PATH: only Quillora "
				"is timed, there is no ratio (install the Debian package tidy "
				"for it)\n");
		}
		// One run of each outside the timing: it checks that both work and
		// brings the programs and their libraries into memory.
		problem = fixture.RunQuillora(result);
		if (problem.empty() && withTidy)
			problem = fixture.RunTidy(result);
		if (!problem.empty()) {
			state.SkipWithError(problem.c_str());
			return;
		}
		fixture.warmedUp = true;
	}

	double quilloraWall = 0, quilloraCPU = 0, tidyWall = 0, tidyCPU = 0;
	double quilloraPeak = 0, tidyPeak = 0;
	for (auto _ : state) {
		problem = fixture.RunQuillora(result);
		if (!problem.empty()) {
			state.SkipWithError(problem.c_str());
			return;
		}
		state.SetIterationTime(result.wallSeconds);
		quilloraWall += result.wallSeconds;
		quilloraCPU += result.cpuSeconds;
		quilloraPeak = std::max(quilloraPeak, result.peakMegabytes);

		if (withTidy) {
			problem = fixture.RunTidy(result);
			if (!problem.empty()) {
				state.SkipWithError(problem.c_str());
				return;
			}
			tidyWall += result.wallSeconds;
			tidyCPU += result.cpuSeconds;
			tidyPeak = std::max(tidyPeak, result.peakMegabytes);
		}
	}

	double iterations = double(state.iterations());
	state.SetBytesProcessed(int64_t(state.iterations())
		* int64_t(fixture.pageSize));
	state.counters["page_KiB"] = double(fixture.pageSize) / 1024;
	state.counters["quillora_cpu_ms"] = quilloraCPU / iterations * 1e3;
	state.counters["quillora_peak_MB"] = quilloraPeak;
	if (!withTidy) {
		state.SetLabel("tidy not found: no comparison");
		return;
	}
	state.counters["tidy_ms"] = tidyWall / iterations * 1e3;
	state.counters["tidy_cpu_ms"] = tidyCPU / iterations * 1e3;
	state.counters["ratio"] = quilloraWall / tidyWall;
	state.counters["cpu_ratio"] = quilloraCPU / tidyCPU;
	state.counters["tidy_peak_MB"] = tidyPeak;
	state.SetLabel("ratio = Quillora / tidy");
}
BENCHMARK(BM_QuilloraHTMLVersusTidy)->Arg(0)->Arg(1 << 20)->Arg(10 << 20)
	->UseManualTime()->MinTime(2)->Unit(benchmark::kMillisecond);


BENCHMARK_MAIN();
