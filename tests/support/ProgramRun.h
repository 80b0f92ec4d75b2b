/*
 * The built program run in a child process, as a user runs it from a shell
 * (the batch modes).
 */
#ifndef QUILLORA_TESTS_PROGRAM_RUN_H
#define QUILLORA_TESTS_PROGRAM_RUN_H

#include <string>
#include <vector>

namespace quillora_test {

struct ProgramRun {
	int status = -1;
	std::string out;
	std::string err;
};

// Runs the built program with `arguments` and an environment whose
// settings folder is `configHome`; collects both output streams, or sends
// standard output into `outputFile` when one is given. A run that goes on
// for a minute without output is killed (status -1).
ProgramRun RunProgram(const std::vector<std::string>& arguments,
	const std::string& configHome, const char* outputFile = nullptr);

// The text with its CR LF pairs as single line feeds, as the HTML editor
// holds a document.
std::string WithLineFeeds(const std::string& text);

}	// namespace quillora_test

#endif	// QUILLORA_TESTS_PROGRAM_RUN_H
