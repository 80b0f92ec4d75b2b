/*
 * Starting programs.
 */
#ifndef _IMAGE_H
#define _IMAGE_H

#include <SupportDefs.h>

// Loads the program argv[0] as a new team with the argument vector `argv`
// (`argc` entries) and the environment `envp` (NULL-terminated; NULL means
// this program's environment). The program is looked up after the /boot
// translation of BootPaths.h; a name without "/" is looked up in $PATH. No
// shell is involved: every argument reaches the program byte for byte. The
// new team does not run until resume_thread() (or wait_for_thread()) is
// called on the returned id, which is its main thread (and team) id.
// Returns B_ENTRY_NOT_FOUND when the program is missing or not executable.
thread_id load_image(int32 argc, const char** argv, const char** envp);

#endif	// _IMAGE_H
