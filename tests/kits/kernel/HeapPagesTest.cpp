// The heap is advised to take large pages as it grows, as the kernel keeps
// the advice per mapping and every growth of the heap is a new one.
#include <gtest/gtest.h>

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "HeapPages.h"

namespace {

bool
HugePagesOnRequest()
{
	std::ifstream file("/sys/kernel/mm/transparent_hugepage/enabled");
	std::string mode;
	std::getline(file, mode);
	return mode.find("[madvise]") != std::string::npos;
}


// Bytes of the heap's mappings in all, and of those advised ("hg").
void
HeapMappings(size_t* total, size_t* advised)
{
	*total = *advised = 0;
	std::ifstream smaps("/proc/self/smaps");
	std::string line;
	bool inHeap = false;
	size_t size = 0;
	while (std::getline(smaps, line)) {
		unsigned long from, to;
		char permissions[5];
		if (sscanf(line.c_str(), "%lx-%lx %4s", &from, &to, permissions) == 3) {
			inHeap = line.find("[heap]") != std::string::npos;
			size = to - from;
			if (inHeap)
				*total += size;
		} else if (inHeap && line.rfind("VmFlags:", 0) == 0
			&& (line + " ").find(" hg ") != std::string::npos)
			*advised += size;
	}
}

}	// namespace


TEST(HeapPages, GrowthOfTheHeapIsAdvised)
{
	if (!HugePagesOnRequest())
		GTEST_SKIP() << "the kernel gives no huge pages on request";
	BPrivate::use_large_heap_pages();
	uintptr_t before = uintptr_t(sbrk(0));

	// 96 MiB in small blocks, as a page's elements come, with the kits'
	// check every so often as views are made.
	std::vector<char*> blocks;
	for (int i = 0; i < 96 * 2048; i++) {
		char* block = (char*)malloc(512);
		memset(block, 1, 512);
		blocks.push_back(block);
		if (i % 100 == 0)
			BPrivate::advise_heap_growth();
	}
	BPrivate::advise_heap_growth();
	uintptr_t grown = uintptr_t(sbrk(0)) - before;
	size_t total, advised;
	HeapMappings(&total, &advised);
	for (char* block : blocks)
		free(block);
	if (grown < (64 << 20))
		GTEST_SKIP() << "the allocator does not grow the heap here";

	// All but the start of each growth step (touched before it was
	// advised) and the part below the first whole large page.
	EXPECT_GE(advised, grown * 3 / 4) << "heap " << total << ", grown "
		<< grown;
}
