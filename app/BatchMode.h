/*
 * The batch modes: the program without a display, for scripts and tests.
 *
 *   Quillora --html PAGE            the generated document on standard output
 *   Quillora --dump PAGE            the element chain, one line per element
 *   Quillora --snapshot DIR PAGE    PNG pictures of both windows in DIR
 *
 * Nothing on disk changes: the page is opened for reading only (a missing
 * page is an error, not a new file), the settings are read but not written,
 * and there is no first-start installation. Every alert is written to
 * standard error as one line, "Alert: " and its text (line feeds shown as
 * \n), and answered with its first button.
 */
#ifndef QUILLORA_BATCH_MODE_H
#define QUILLORA_BATCH_MODE_H

// True when the first argument is an option ("--" and a name) rather than
// a page: a batch mode, or an option that is not understood, which
// run_batch_mode() answers with the usage. A page whose name begins with
// "--" is opened as "./--name".
bool is_batch_mode(const char* argument);

// Runs the mode. Exit statuses: 0 on success, 1 when the page cannot be
// read or the output cannot be written, 2 for a command line that is not
// understood. Failures before the page opens are returned; once the page
// has been opened the process ends here with its status.
int run_batch_mode(int argc, char** argv);

#endif	// QUILLORA_BATCH_MODE_H
