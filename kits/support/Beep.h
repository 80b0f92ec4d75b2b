/*
 * The system beep.
 */
#ifndef _BEEP_H
#define _BEEP_H

#include <SupportDefs.h>

status_t beep();

// Kit extensions: the number of beep() calls so far (tests watch it), and
// the hook the backend installs to make the host's sound. Without a hook
// beep() only counts. Thread-safe.
int32 beep_count();
void set_beep_hook(void (*hook)());

#endif	// _BEEP_H
