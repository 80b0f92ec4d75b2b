/*
 * Pages of ordinary text for the benchmarks: headings, paragraphs with
 * bold, italic and underlined runs, links, lists, line breaks, rules and a
 * few tags the editor does not interpret, in the proportions of a real page.
 */
#ifndef QUILLORA_BENCH_GENERATOR_H
#define QUILLORA_BENCH_GENERATOR_H

#include <cstddef>
#include <string>

// A complete document of about `bytes` bytes; the same seed gives the same
// page. One paragraph in the middle of the page is a long one (several
// kilobytes), for editing benchmarks; it begins with the word "Middle".
std::string GeneratePage(size_t bytes, unsigned seed = 1);

#endif	// QUILLORA_BENCH_GENERATOR_H
