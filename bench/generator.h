/*
 * Pages of ordinary text for the benchmarks: headings, paragraphs with
 * bold, italic and underlined runs, links, nested lists of the three kinds,
 * line breaks, rules and a few tags the editor does not interpret, in the
 * proportions of a real page.
 */
#ifndef QUILLORA_BENCH_GENERATOR_H
#define QUILLORA_BENCH_GENERATOR_H

#include <cstddef>
#include <string>
#include <vector>

// The words of a page.
enum PageWords {
	kEnglishWords,	// ASCII only
	// One word in eight with accented letters ("café", "Straße"), the same
	// words for the same seed, in Latin-1 or in UTF-8. No charset is
	// declared: the bytes tell.
	kLatin1Words,
	kUTF8Words
};

// A complete document of about `bytes` bytes; the same seed gives the same
// page. One paragraph in the middle of the page is a long one (several
// kilobytes), for editing benchmarks; it begins with the word "Middle".
std::string GeneratePage(size_t bytes, unsigned seed = 1,
	PageWords words = kEnglishWords);

// The page with `count` IMG tags spread evenly over its paragraphs, at the
// start of a paragraph, their sources taken from `sources` in turn (so a
// handful of files serve many pictures), every third one aligned TOP.
std::string AddPictures(const std::string& page, int count,
	const std::vector<std::string>& sources);

class WText;
class WYSIWYG_Engine;

// In a generated page laid out in `engine`: a text element some way into
// the long paragraph (typing there re-flows many lines), or null when the
// page has none. The caller holds the visual window's lock.
WText* LongParagraphText(WYSIWYG_Engine* engine);

#endif	// QUILLORA_BENCH_GENERATOR_H
