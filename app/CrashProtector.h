/*
 * Called by the layout when it finds the chain in a state it cannot work
 * in: tells the user, asks the application to force-quit (which offers to
 * save every unsaved page and ends the process) and never returns.
 */
#ifndef QUILLORA_CRASH_PROTECTOR_H
#define QUILLORA_CRASH_PROTECTOR_H

[[noreturn]] void CrashProtector();

#endif	// QUILLORA_CRASH_PROTECTOR_H
