/*
 * The page the fuzz targets work on: a real page (visual window, engine,
 * HTML window) opened read-only from a file in a temporary home, on Qt's
 * offscreen platform, made once per process and reused for every input.
 * Alerts are answered with their first button, as in a batch run.
 */
#ifndef QUILLORA_FUZZ_PAGE_H
#define QUILLORA_FUZZ_PAGE_H

#include <stddef.h>

#include <Point.h>
#include <SupportDefs.h>

#include <string>

class BRecordingAlertResponder;
class BView;
class BWindow;
class Page;

namespace quillora_fuzz {

// The page, made on the first call.
Page* TheFuzzPage();

// The page file's path: inputs are written there and read as the program
// reads a page it opens.
const std::string& FuzzPagePath();

// Whole files as bytes; false when the file cannot be written.
bool WriteWholeFile(const std::string& path, const char* data, size_t length);

// The alerts of the current input (the fuzz targets clear it for each).
BRecordingAlertResponder* FuzzAlerts();

// Puts the visual window back as it was made (size, scroll position, find
// position, an empty clipboard), so that each input starts the same.
void RestoreWindows(BWindow* visualWindow);

// Quits the windows that a step opened (a settings window, say): the next
// step goes to the page again.
void CloseStrayWindows();

// A point of `view` in its window's coordinates, as mouse messages carry
// it (the caller holds the window's lock).
BPoint InWindow(BView* view, BPoint where);
// Posts a mouse message as the host sends it.
void PostMouse(BWindow* window, uint32 what, BPoint where, int32 buttons,
	int32 clicks, int32 modifiers);

// Bytes and message codes for logs.
std::string QuoteBytes(const std::string& bytes);
std::string CodeText(uint32 what);

// The document the page generates (as "Save page" writes it).
std::string GenerateDocument(Page* page);

// Where two documents begin to differ, with some bytes of each around it.
std::string FirstDifference(const std::string& a, const std::string& b);

// Reports a broken property of an input and ends the process the way a
// sanitizer finding does, so the fuzzer keeps the input.
[[noreturn]] void Fail(const char* what, const std::string& detail);

}	// namespace quillora_fuzz

#endif	// QUILLORA_FUZZ_PAGE_H
