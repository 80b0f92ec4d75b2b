/*
 * Kit-private: the heap on large pages where the kernel hands them out on
 * request.
 *
 * Reading a large page makes tens of thousands of small objects, and the
 * heap grows by megabytes; each 4 KiB page of it costs a fault when first
 * touched, which on a virtual machine is a good part of the whole time.
 * When transparent huge pages are given on request (madvise), the heap is
 * advised to take them: one fault then brings 2 MiB. Memory use stays as it
 * was (only touched pages count), and where the kernel does not offer them
 * nothing changes.
 */
#ifndef _QUILLORA_HEAP_PAGES_H
#define _QUILLORA_HEAP_PAGES_H

namespace BPrivate {

// Sets the allocator to grow the heap in large steps and advises what it
// has so far; once per process (the application calls it when it is made).
void use_large_heap_pages();

// Advises what the heap grew by since the last call. Cheap when it did not
// grow (a comparison): the kits call it whenever a handler is made.
void advise_heap_growth();

}	// namespace BPrivate

#endif	// _QUILLORA_HEAP_PAGES_H
