#include <Clipboard.h>

#include <Message.h>
#include <TypeConstants.h>

#include <stdlib.h>
#include <string.h>

namespace {

BPrivate::ClipboardHooks sHooks = { NULL, NULL, NULL, NULL };
bool sHaveHooks = false;

// Counts commits made without a host, so SystemCount() still moves.
uint32 sLocalSystemCount = 0;

}	// namespace


namespace BPrivate {

void
set_clipboard_hooks(const ClipboardHooks& hooks)
{
	sHooks = hooks;
	sHaveHooks = hooks.getText != NULL && hooks.setText != NULL
		&& hooks.clear != NULL && hooks.changeCount != NULL;
}

}	// namespace BPrivate


// The system clipboard needs no construction work, so it is usable from
// the start of the program, before any application object exists.
static BClipboard sSystemClipboard("system");
BClipboard* be_clipboard = &sSystemClipboard;


BClipboard::BClipboard(const char* name, bool /*transient*/)
	:
	fName(strdup(name != NULL ? name : "")),
	fData(NULL),
	fLockCount(0),
	fLocalCount(0),
	fSyncedCount(0),
	fSynced(false)
{
}


BClipboard::~BClipboard()
{
	delete fData;
	free(fName);
}


const char*
BClipboard::Name() const
{
	return fName;
}


uint32
BClipboard::LocalCount() const
{
	return fLocalCount;
}


uint32
BClipboard::SystemCount() const
{
	if (_IsSystem() && sHaveHooks)
		return sHooks.changeCount();
	return _IsSystem() ? sLocalSystemCount : fLocalCount;
}


bool
BClipboard::Lock()
{
	fLock.lock();
	if (fLockCount++ == 0 && _IsSystem() && sHaveHooks) {
		// Take the host's contents only when they changed since we last
		// looked, so entries that the host does not hold survive.
		if (!fSynced || sHooks.changeCount() != fSyncedCount)
			_ReadFromHost();
	}
	return true;
}


void
BClipboard::Unlock()
{
	if (fLockCount <= 0)
		return;
	fLockCount--;
	fLock.unlock();
}


bool
BClipboard::IsLocked() const
{
	return fLockCount > 0;
}


status_t
BClipboard::Clear()
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	_EnsureData();
	fData->MakeEmpty();
	return B_OK;
}


status_t
BClipboard::Commit()
{
	return Commit(false);
}


status_t
BClipboard::Commit(bool failIfChanged)
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	_EnsureData();
	if (_IsSystem() && sHaveHooks) {
		if (failIfChanged && fSynced && sHooks.changeCount() != fSyncedCount)
			return B_ERROR;
		const void* text = NULL;
		ssize_t length = 0;
		if (fData->FindData("text/plain", B_MIME_TYPE, &text, &length) == B_OK)
			sHooks.setText((const char*)text, length);
		else
			sHooks.clear();
		fSyncedCount = sHooks.changeCount();
		fSynced = true;
	} else if (_IsSystem()) {
		sLocalSystemCount++;
	}
	fLocalCount++;
	return B_OK;
}


status_t
BClipboard::Revert()
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	if (_IsSystem() && sHaveHooks)
		_ReadFromHost();
	return B_OK;
}


BMessage*
BClipboard::Data() const
{
	_EnsureData();
	return fData;
}


void
BClipboard::_EnsureData() const
{
	if (fData == NULL)
		fData = new BMessage();
}


void
BClipboard::_ReadFromHost()
{
	_EnsureData();
	fData->MakeEmpty();
	char* bytes = NULL;
	size_t length = 0;
	if (sHooks.getText(&bytes, &length)) {
		fData->AddData("text/plain", B_MIME_TYPE, bytes, length, false);
		free(bytes);
	}
	fSyncedCount = sHooks.changeCount();
	fSynced = true;
}


bool
BClipboard::_IsSystem() const
{
	return strcmp(fName, "system") == 0;
}
