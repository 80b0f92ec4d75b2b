/*
 * Pages made to hurt a reader: empty, binary, NUL bytes, megabytes of text
 * without a tag, a tag of hundreds of kilobytes, tens of thousands of nested
 * tags, angle brackets that never pair up. Made at run time so the large ones
 * need not live in the tree.
 */
#ifndef QUILLORA_FUZZ_HOSTILE_INPUTS_H
#define QUILLORA_FUZZ_HOSTILE_INPUTS_H

#include <string>
#include <utility>
#include <vector>

namespace quillora_fuzz {

// (file name, bytes) pairs.
std::vector<std::pair<std::string, std::string>> HostileInputs();

}	// namespace quillora_fuzz

#endif	// QUILLORA_FUZZ_HOSTILE_INPUTS_H
