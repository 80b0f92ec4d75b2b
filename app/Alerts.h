/*
 * Error and notice reporting: every problem is shown in a modal "Alert" box
 * with one "OK" button, and the caller goes on after it has been confirmed.
 */
#ifndef QUILLORA_ALERTS_H
#define QUILLORA_ALERTS_H

// Shows the pieces one after the other; null pieces are skipped. The text
// may be of any length.
void error(const char* a, const char* b = nullptr, const char* c = nullptr,
	const char* d = nullptr);
void alert(const char* a, const char* b = nullptr, const char* c = nullptr,
	const char* d = nullptr);

// Show the decimal text of n.
void errorINT(int n);
void alertint(int n);

#endif	// QUILLORA_ALERTS_H
