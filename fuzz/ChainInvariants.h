/*
 * What must hold of a page's chain after every editing step, checked by the
 * editing fuzz target. A broken property ends the process through Fail(),
 * with the session's log so far.
 */
#ifndef QUILLORA_FUZZ_CHAIN_INVARIANTS_H
#define QUILLORA_FUZZ_CHAIN_INVARIANTS_H

#include <string>

class WYSIWYG_Engine;

namespace quillora_fuzz {

// The chain is linked both ways from a first element without a previous
// one, without circles; it begins and ends with a text and has a text
// between any two tags; the views of its elements are children of the main
// view and the main view has no others; the selection and the focus name
// elements of the chain; every paired tag finds its partner in the chain
// or reports that it has none (a list end without a beginning says so
// once); no alert was an internal error.
void CheckChain(WYSIWYG_Engine* engine, const std::string& log);

// Carries the environments down the whole chain and lays it all out again:
// what the edits laid out piece by piece must not move (horizontal places, widths, heights, line ends and the
// elements themselves; see FlowOf()).
void CheckWholeLayout(WYSIWYG_Engine* engine, const std::string& log);

}	// namespace quillora_fuzz

#endif	// QUILLORA_FUZZ_CHAIN_INVARIANTS_H
