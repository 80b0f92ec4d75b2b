/*
 * BClipboard: a named store of one BMessage that programs share.
 *
 * be_clipboard, named "system", is the desktop's clipboard: its "text/plain"
 * entry (raw bytes, B_MIME_TYPE, UTF-8 as on BeOS) is read from the host when the
 * clipboard is locked and the host's contents changed, and written to the
 * host on Commit(). Other entries stay within this program. Clipboards of
 * other names are private to the program.
 */
#ifndef _CLIPBOARD_H
#define _CLIPBOARD_H

#include <SupportDefs.h>

#include <mutex>

class BMessage;

class BClipboard {
public:
	BClipboard(const char* name, bool transient = false);
	virtual ~BClipboard();

	const char* Name() const;

	// Commits through this object, and commits anywhere (host included).
	uint32 LocalCount() const;
	uint32 SystemCount() const;

	bool Lock();
	void Unlock();
	bool IsLocked() const;

	// Data() is the clipboard's message; use it only while locked.
	status_t Clear();
	status_t Commit();
	status_t Commit(bool failIfChanged);
	status_t Revert();
	BMessage* Data() const;

private:
	BClipboard(const BClipboard&);
	BClipboard& operator=(const BClipboard&);

	void _EnsureData() const;
	void _ReadFromHost();
	bool _IsSystem() const;

	char* fName;
	mutable BMessage* fData;
	mutable std::recursive_mutex fLock;
	int32 fLockCount;
	uint32 fLocalCount;
	uint32 fSyncedCount;	// the host's count when fData was last synced
	bool fSynced;
};

extern BClipboard* be_clipboard;

namespace BPrivate {

// The host clipboard, reached through functions the backend provides and
// the interface kit registers (the application kit does not link the host).
// Without them the system clipboard works within this program only.
struct ClipboardHooks {
	// UTF-8 text of the host clipboard; false when it holds no text.
	// The buffer is malloc()ed; the caller frees it.
	bool (*getText)(char** bytes, size_t* length);
	void (*setText)(const char* bytes, size_t length);
	void (*clear)();
	uint32 (*changeCount)();
};

void set_clipboard_hooks(const ClipboardHooks& hooks);

}	// namespace BPrivate

#endif	// _CLIPBOARD_H
