/*
 * The host's clipboard as UTF-8 text. Qt-free. All calls belong on the event
 * thread.
 */
#ifndef _QUILLORA_HOST_CLIPBOARD_H
#define _QUILLORA_HOST_CLIPBOARD_H

#include <cstddef>
#include <cstdint>

namespace BPrivate {

// False when the clipboard holds no text (or no host could be opened);
// otherwise *bytes is malloc()ed and the caller frees it.
bool host_clipboard_get_text(char** bytes, size_t* length);
void host_clipboard_set_text(const char* bytes, size_t length);
void host_clipboard_clear();
// Moves on every change of the host clipboard, ours included.
uint32_t host_clipboard_change_count();

}	// namespace BPrivate

#endif	// _QUILLORA_HOST_CLIPBOARD_H
