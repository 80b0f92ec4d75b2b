/*
 * The page the fuzz targets work on: a real page (visual window, engine,
 * HTML window) opened read-only from a file in a temporary home, on Qt's
 * offscreen platform, made once per process and reused for every input.
 * Alerts are answered with their first button, as in a batch run.
 */
#ifndef QUILLORA_FUZZ_PAGE_H
#define QUILLORA_FUZZ_PAGE_H

#include <stddef.h>

#include <string>

class Page;

namespace quillora_fuzz {

// The page, made on the first call.
Page* TheFuzzPage();

// The page file's path: inputs are written there and read as the program
// reads a page it opens.
const std::string& FuzzPagePath();

// Whole files as bytes; false when the file cannot be written.
bool WriteWholeFile(const std::string& path, const char* data, size_t length);

// Reports a broken property of an input and ends the process the way a
// sanitizer finding does, so the fuzzer keeps the input.
[[noreturn]] void Fail(const char* what, const std::string& detail);

}	// namespace quillora_fuzz

#endif	// QUILLORA_FUZZ_PAGE_H
