/*
 * Chain dumps in test messages, and a short description of a chain for
 * tests about what the parser builds rather than where it is placed.
 * (The dump itself is the program's own, see ChainDump.h.)
 */
#ifndef QUILLORA_TEST_CHAIN_TEXT_H
#define QUILLORA_TEST_CHAIN_TEXT_H

#include <string>
#include <vector>

class WYSIWYG_Element;

namespace quillora_test {

// The first lines in which two dumps differ ("- " expected, "+ " found),
// for failure messages that must not print megabytes.
std::string DiffLines(const std::string& expected, const std::string& found);

// A dump without vertical positions, each frame as "x=left..right
// h=height": lines after a hard break are moved by their own rule (lowest
// view top), which can differ from a whole layout by the rise of a taller
// text; the flow of the text and the horizontal places cannot.
std::string FlowOf(const std::string& dump);

// One short description of an element: T'text' (WText), C<id>
// (TextChange), E<type> (EndLine), HR, I<source> (WImage), A+ and A-
// (Anchor), L<type>+ and L<type>- (List), LI<item type> (List_Element),
// U<html> (UnsupportedTAG), ? else.
std::string Describe(WYSIWYG_Element* element);

// Alert texts as the expectation files beside test pages hold them: one a
// line, line feeds in them as "\n", `folder` (where the page was read
// from) written as `name`.
std::string AlertLines(const std::vector<std::string>& alerts,
	const std::string& folder, const char* name);

// The descriptions of a chain in order. The layout may pull text from one
// text element into the one before it or spread a run over several:
// neighbouring text elements are described as one.
std::vector<std::string> DescribeChain(WYSIWYG_Element* first);

}	// namespace quillora_test

#endif	// QUILLORA_TEST_CHAIN_TEXT_H
