/*
 * BPath: absolute host paths.
 */
#include <Path.h>

#include <string.h>

#include <BootPaths.h>
#include <Directory.h>
#include <Entry.h>

#include "StorageUtils.h"

using namespace BPrivate;

BPath::BPath()
	:
	fCStatus(B_NO_INIT)
{
}

BPath::BPath(const BPath& path)
	:
	fName(path.fName),
	fCStatus(path.fCStatus)
{
}

BPath::BPath(const entry_ref* ref)
	:
	fCStatus(B_NO_INIT)
{
	SetTo(ref);
}

BPath::BPath(const BEntry* entry)
	:
	fCStatus(B_NO_INIT)
{
	SetTo(entry);
}

BPath::BPath(const char* dir, const char* leaf, bool normalize)
	:
	fCStatus(B_NO_INIT)
{
	SetTo(dir, leaf, normalize);
}

BPath::BPath(const BDirectory* dir, const char* leaf, bool normalize)
	:
	fCStatus(B_NO_INIT)
{
	SetTo(dir, leaf, normalize);
}

BPath::~BPath()
{
}

status_t
BPath::InitCheck() const
{
	return fCStatus;
}

status_t
BPath::SetTo(const entry_ref* ref)
{
	Unset();
	if (ref == NULL)
		return fCStatus = B_BAD_VALUE;
	std::string host;
	status_t status = path_for_ref(ref, host);
	if (status != B_OK)
		return fCStatus = status;
	return _SetHost(host, NULL, false);
}

status_t
BPath::SetTo(const BEntry* entry)
{
	Unset();
	if (entry == NULL)
		return fCStatus = B_BAD_VALUE;
	return fCStatus = entry->GetPath(this);
}

status_t
BPath::SetTo(const char* path, const char* leaf, bool normalize)
{
	if (path == NULL || path[0] == '\0' || (leaf != NULL && leaf[0] == '/')) {
		Unset();
		return fCStatus = B_BAD_VALUE;
	}
	// The leaf joins the BeOS path before the mapping, so that "/boot" with
	// "home/.." names the same place as "/boot/home/.." and "/boot".
	std::string joined = leaf != NULL ? join_path(path, leaf) : path;
	return _SetHost(boot_path(joined.c_str()), NULL, normalize);
}

status_t
BPath::SetTo(const BDirectory* dir, const char* leaf, bool normalize)
{
	if (dir == NULL) {
		Unset();
		return fCStatus = B_BAD_VALUE;
	}
	if (dir->InitCheck() != B_OK) {
		Unset();
		return fCStatus = B_NO_INIT;
	}
	return _SetHost(dir->_Path(), leaf, normalize);
}

status_t
BPath::_SetHost(const std::string& host, const char* leaf, bool normalize)
{
	if (leaf != NULL && leaf[0] == '/') {
		Unset();
		return fCStatus = B_BAD_VALUE;
	}
	std::string path = leaf != NULL ? join_path(host, leaf) : host;
	if (normalize || needs_normalization(path)) {
		std::string resolved;
		status_t status = resolve_directory_part(make_absolute(path), resolved);
		if (status != B_OK) {
			Unset();
			return fCStatus = status;
		}
		path = resolved;
	}
	fName = path;
	return fCStatus = B_OK;
}

void
BPath::Unset()
{
	fName.clear();
	fCStatus = B_NO_INIT;
}

status_t
BPath::Append(const char* path, bool normalize)
{
	if (fCStatus != B_OK || path == NULL)
		return B_BAD_VALUE;
	return _SetHost(fName, path, normalize);
}

const char*
BPath::Path() const
{
	return fCStatus == B_OK ? fName.c_str() : NULL;
}

const char*
BPath::Leaf() const
{
	if (fCStatus != B_OK)
		return NULL;
	size_t slash = fName.rfind('/');
	return fName.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

status_t
BPath::GetParent(BPath* path) const
{
	if (path == NULL)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return fCStatus;
	if (fName == "/")
		return B_ENTRY_NOT_FOUND;
	std::string dir, leaf;
	split_path(fName, dir, leaf);
	path->fName = dir;
	path->fCStatus = B_OK;
	return B_OK;
}

bool
BPath::operator==(const BPath& item) const
{
	return *this == item.Path();
}

bool
BPath::operator==(const char* path) const
{
	const char* mine = Path();
	if (mine == NULL || path == NULL)
		return mine == path;
	return strcmp(mine, path) == 0;
}

bool
BPath::operator!=(const BPath& item) const
{
	return !(*this == item);
}

bool
BPath::operator!=(const char* path) const
{
	return !(*this == path);
}

BPath&
BPath::operator=(const BPath& item)
{
	fName = item.fName;
	fCStatus = item.fCStatus;
	return *this;
}

BPath&
BPath::operator=(const char* path)
{
	if (path == NULL)
		Unset();
	else
		SetTo(path);
	return *this;
}
