/*
 * The heap on large pages (see HeapPages.h).
 *
 * The kernel keeps the advice with the mapping it was given for, and the
 * heap's later growth is a mapping of its own: so the growth is advised as
 * it comes, from the kit calls that go with it. The allocator grows the
 * heap in steps of kGrowthStep, so a step is advised before most of it is
 * touched.
 */
#include "HeapPages.h"

#include <malloc.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

namespace BPrivate {

namespace {

const size_t kGrowthStep = 32 << 20;
// The allocator keeps up to this much free at the heap's end instead of
// giving it back at once, so that freeing and allocating again does not
// shrink and regrow (and lose the advice on) the heap.
const size_t kKeptFree = 64 << 20;
// Buffers up to this size come from the heap too (megabytes of page text
// among them), instead of mappings of their own.
const size_t kLargestFromHeap = 32 << 20;

std::mutex sLock;
// 0 while the heap is left as it is; else the huge page size.
std::atomic<uintptr_t> sPageSize(0);
// Up to where the heap has been advised.
std::atomic<uintptr_t> sAdvisedEnd(0);


bool
HugePagesOnRequest(uintptr_t* pageSize)
{
	char mode[128] = "";
	FILE* file = fopen("/sys/kernel/mm/transparent_hugepage/enabled", "r");
	if (file == NULL)
		return false;
	bool read = fgets(mode, sizeof(mode), file) != NULL;
	fclose(file);
	// "[always]" needs no advice, "[never]" takes none.
	if (!read || strstr(mode, "[madvise]") == NULL)
		return false;

	unsigned long size = 0;
	file = fopen("/sys/kernel/mm/transparent_hugepage/hpage_pmd_size", "r");
	if (file != NULL) {
		if (fscanf(file, "%lu", &size) != 1)
			size = 0;
		fclose(file);
	}
	// A power of two of some size, or the page size is not what we think.
	if (size < 4096 || (size & (size - 1)) != 0)
		return false;
	*pageSize = size;
	return true;
}


// Advises the heap from sAdvisedEnd to its end, on whole huge pages; the
// caller holds sLock.
void
AdviseUpToBreak(uintptr_t pageSize)
{
	uintptr_t end = uintptr_t(sbrk(0)) & ~(pageSize - 1);
	uintptr_t start = sAdvisedEnd.load();
	if (end <= start) {
		// The heap gave memory back: what grows there again is a new
		// mapping and wants the advice anew.
		if (end + pageSize < start)
			sAdvisedEnd.store(end);
		return;
	}
	// A range the kernel refuses is left as it is: it still works with
	// small pages.
	madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
	sAdvisedEnd.store(end);
}

}	// namespace


void
use_large_heap_pages()
{
	std::lock_guard<std::mutex> guard(sLock);
	if (sPageSize.load() != 0)
		return;
	uintptr_t pageSize;
	if (!HugePagesOnRequest(&pageSize))
		return;
	mallopt(M_TOP_PAD, int(kGrowthStep));
	mallopt(M_TRIM_THRESHOLD, int(kKeptFree));
	mallopt(M_MMAP_THRESHOLD, int(kLargestFromHeap));
	// From the first whole huge page after what is in use now.
	uintptr_t now = uintptr_t(sbrk(0));
	sAdvisedEnd.store((now + pageSize - 1) & ~(pageSize - 1));
	sPageSize.store(pageSize);
	AdviseUpToBreak(pageSize);
}


void
advise_heap_growth()
{
	uintptr_t pageSize = sPageSize.load(std::memory_order_relaxed);
	if (pageSize == 0)
		return;
	uintptr_t end = uintptr_t(sbrk(0));
	uintptr_t advised = sAdvisedEnd.load(std::memory_order_relaxed);
	if (end < advised + pageSize && end + 2 * pageSize > advised)
		return;
	std::lock_guard<std::mutex> guard(sLock);
	AdviseUpToBreak(pageSize);
}

}	// namespace BPrivate
