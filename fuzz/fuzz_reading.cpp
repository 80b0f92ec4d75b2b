/*
 * Reading: any bytes as a page file. The page is opened from the file (parsed,
 * laid out) and its document generated; that document goes into the HTML
 * editor and is read back ("Update from Visual", "Update from HTML") and
 * generated again; that one is saved to the file and opened once more. The
 * second and third documents must be the same: a page the editor wrote
 * reads back as itself.
 */
#include <EventLoop.h>

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "FuzzPage.h"
#include "Page.h"

using namespace quillora_fuzz;

namespace {

void
OpenFromFile(Page* page, const char* data, size_t length)
{
	if (!WriteWholeFile(FuzzPagePath(), data, length))
		Fail("cannot write the page file", FuzzPagePath());
	page->Update(true);
	BPrivate::dispatch_until_idle();
}

}	// namespace


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	Page* page = TheFuzzPage();

	OpenFromFile(page, reinterpret_cast<const char*>(data), size);
	GenerateDocument(page);

	page->UpdateFromVisual();
	page->Update(false);
	BPrivate::dispatch_until_idle();
	std::string second = GenerateDocument(page);

	OpenFromFile(page, second.data(), second.size());
	std::string third = GenerateDocument(page);

	if (second != third)
		Fail("the document read back differs", FirstDifference(second, third));
	return 0;
}
