/*
 * BSymLink: the link itself, opened without following it.
 */
#include <SymLink.h>

#include <string.h>
#include <sys/stat.h>

#include <Directory.h>
#include <Entry.h>
#include <Path.h>

#include "StorageUtils.h"

using namespace BPrivate;

static const int kLinkFlags = O_PATH | O_NOFOLLOW;

BSymLink::BSymLink()
{
}

BSymLink::BSymLink(const BSymLink& link)
	:
	BNode(link)
{
}

BSymLink::BSymLink(const entry_ref* ref)
{
	SetTo(ref);
}

BSymLink::BSymLink(const BEntry* entry)
{
	SetTo(entry);
}

BSymLink::BSymLink(const char* path)
{
	SetTo(path);
}

BSymLink::BSymLink(const BDirectory* dir, const char* path)
{
	SetTo(dir, path);
}

BSymLink::~BSymLink()
{
}

status_t
BSymLink::SetTo(const entry_ref* ref)
{
	std::string host;
	status_t status = path_for_ref(ref, host);
	if (status != B_OK)
		return _Fail(status);
	return _SetToPath(host, kLinkFlags);
}

status_t
BSymLink::SetTo(const BEntry* entry)
{
	if (entry == NULL || entry->InitCheck() != B_OK)
		return _Fail(entry == NULL ? B_BAD_VALUE : entry->InitCheck());
	return _SetToPath(entry->_Path(), kLinkFlags);
}

status_t
BSymLink::SetTo(const char* path)
{
	return SetTo(NULL, path);
}

status_t
BSymLink::SetTo(const BDirectory* dir, const char* path)
{
	std::string host;
	status_t status = path_in_directory(dir, path, host);
	if (status != B_OK)
		return _Fail(status);
	return _SetToPath(make_absolute(host), kLinkFlags);
}

status_t
BSymLink::_Contents(std::string& contents) const
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (!IsSymLink())
		return B_BAD_VALUE;
	if (!read_link(_Path(), contents))
		return B_ENTRY_NOT_FOUND;
	return B_OK;
}

ssize_t
BSymLink::ReadLink(char* buffer, size_t size)
{
	if (buffer == NULL)
		return B_BAD_VALUE;
	std::string contents;
	status_t status = _Contents(contents);
	if (status != B_OK)
		return status;
	if (size > 0) {
		size_t count = std::min(contents.size(), size - 1);
		memcpy(buffer, contents.data(), count);
		buffer[count] = '\0';
	}
	return contents.size();
}

ssize_t
BSymLink::MakeLinkedPath(const char* dirPath, BPath* path)
{
	if (dirPath == NULL || path == NULL)
		return B_BAD_VALUE;
	std::string contents;
	status_t status = _Contents(contents);
	if (status != B_OK)
		return status;
	if (!contents.empty() && contents[0] == '/')
		status = path->SetTo(contents.c_str());
	else
		status = path->SetTo(dirPath, contents.c_str());
	if (status != B_OK)
		return status;
	return strlen(path->Path());
}

ssize_t
BSymLink::MakeLinkedPath(const BDirectory* dir, BPath* path)
{
	if (dir == NULL || path == NULL)
		return B_BAD_VALUE;
	if (dir->InitCheck() != B_OK)
		return B_NO_INIT;
	return MakeLinkedPath(dir->_Path(), path);
}

bool
BSymLink::IsAbsolute()
{
	std::string contents;
	return _Contents(contents) == B_OK && !contents.empty()
		&& contents[0] == '/';
}

BSymLink&
BSymLink::operator=(const BSymLink& link)
{
	BNode::operator=(link);
	return *this;
}
