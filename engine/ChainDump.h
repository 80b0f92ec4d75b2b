/*
 * A text dump of the element chain, one line per element in chain order:
 *
 *   <index> <class> eol=<eolStatus>[ frame=<l>,<t>,<r>,<b>][ name=value ...]
 *
 * The frame (numbers as %g prints them) appears when the element has a view.
 * Texts are written in double quotes with C escapes for quotes, backslashes
 * and control bytes. Used by the tests and by the program's --dump.
 */
#ifndef QUILLORA_CHAIN_DUMP_H
#define QUILLORA_CHAIN_DUMP_H

#include <string>

class WYSIWYG_Element;
class WYSIWYG_Engine;

// The class name of an element as the run-time type information spells it.
std::string ElementClassName(WYSIWYG_Element* element);

// One line (without the line feed) for the element with the given index.
std::string DumpElement(WYSIWYG_Element* element, int index);

// The whole chain of the engine, each line ending in a line feed.
std::string DumpChain(WYSIWYG_Engine* engine);
std::string DumpChain(WYSIWYG_Element* first);

// A text quoted with C escapes.
std::string QuoteText(const char* text);

#endif	// QUILLORA_CHAIN_DUMP_H
