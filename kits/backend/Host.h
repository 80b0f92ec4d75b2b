/*
 * The host: the one Qt application object of the process and the event
 * hooks the application kit's loop calls. Qt-free.
 */
#ifndef _QUILLORA_HOST_H
#define _QUILLORA_HOST_H

#include <cstdint>

namespace BPrivate {

// Creates the host application object the first time (once per process; it
// lives until exit). Safe to call often; returns false when no platform
// could be opened. Must first be called on the thread that runs the loop.
bool host_init();
bool host_is_up();

// The two hooks of HostHooks (EventLoop.h); timeout in microseconds.
void host_process_events(int64_t timeout);
void host_wake();

// The main screen in screen pixels (x, y, width, height).
void host_screen_frame(int32_t* x, int32_t* y, int32_t* width, int32_t* height);

// Makes the host's alert sound.
void host_beep();

// Microseconds of the host's double-click interval.
int64_t host_double_click_interval();

}	// namespace BPrivate

#endif	// _QUILLORA_HOST_H
