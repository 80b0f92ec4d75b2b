/*
 * entry_ref and BEntry.
 *
 * Linux cannot turn a directory's device and inode back into a path, so the
 * kit remembers the path of every directory a ref was made for. A ref made in
 * this process (by GetRef, get_ref_for_path, BDirectory::GetNextRef) turns
 * back into its entry as long as the directory is still where it was.
 */
#include <Entry.h>

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <utility>

#include <BootPaths.h>
#include <Directory.h>
#include <Path.h>

#include "StorageUtils.h"

using namespace BPrivate;

// #pragma mark - entry_ref

static char*
CopyName(const char* name)
{
	if (name == NULL)
		return NULL;
	size_t length = strlen(name);
	char* copy = new char[length + 1];
	memcpy(copy, name, length + 1);
	return copy;
}

entry_ref::entry_ref()
	:
	device((dev_t)-1),
	directory((ino_t)-1),
	name(NULL)
{
}

entry_ref::entry_ref(dev_t dev, ino_t dir, const char* name)
	:
	device(dev),
	directory(dir),
	name(CopyName(name))
{
}

entry_ref::entry_ref(const entry_ref& ref)
	:
	device(ref.device),
	directory(ref.directory),
	name(CopyName(ref.name))
{
}

entry_ref::~entry_ref()
{
	delete[] name;
}

status_t
entry_ref::set_name(const char* newName)
{
	char* copy = CopyName(newName);
	delete[] name;
	name = copy;
	return B_OK;
}

bool
entry_ref::operator==(const entry_ref& ref) const
{
	if (device != ref.device || directory != ref.directory)
		return false;
	if (name == NULL || ref.name == NULL)
		return name == ref.name;
	return strcmp(name, ref.name) == 0;
}

bool
entry_ref::operator!=(const entry_ref& ref) const
{
	return !(*this == ref);
}

entry_ref&
entry_ref::operator=(const entry_ref& ref)
{
	if (this != &ref) {
		device = ref.device;
		directory = ref.directory;
		set_name(ref.name);
	}
	return *this;
}

bool
operator<(const entry_ref& a, const entry_ref& b)
{
	if (a.device != b.device)
		return a.device < b.device;
	if (a.directory != b.directory)
		return a.directory < b.directory;
	if (a.name == NULL || b.name == NULL)
		return a.name == NULL && b.name != NULL;
	return strcmp(a.name, b.name) < 0;
}

// #pragma mark - directory registry

namespace {

typedef std::pair<dev_t, ino_t> DirectoryKey;

std::mutex sRegistryLock;
std::map<DirectoryKey, std::string> sDirectories;

}	// namespace

namespace BPrivate {

void
remember_directory(const std::string& path, dev_t device, ino_t node)
{
	std::lock_guard<std::mutex> lock(sRegistryLock);
	sDirectories[DirectoryKey(device, node)] = path;
}

status_t
make_ref(const std::string& dirPath, const char* leaf, entry_ref* ref)
{
	if (ref == NULL || leaf == NULL)
		return B_BAD_VALUE;
	struct stat st;
	if (stat(dirPath.c_str(), &st) != 0)
		return status_for_errno(errno);
	if (!S_ISDIR(st.st_mode))
		return B_NOT_A_DIRECTORY;
	remember_directory(dirPath, st.st_dev, st.st_ino);
	ref->device = st.st_dev;
	ref->directory = st.st_ino;
	return ref->set_name(leaf);
}

status_t
path_for_ref(const entry_ref* ref, std::string& path)
{
	if (ref == NULL || ref->name == NULL || ref->name[0] == '\0'
		|| strchr(ref->name, '/') != NULL)
		return B_BAD_VALUE;
	std::string dirPath;
	{
		std::lock_guard<std::mutex> lock(sRegistryLock);
		auto found = sDirectories.find(DirectoryKey(ref->device, ref->directory));
		if (found == sDirectories.end())
			return B_ENTRY_NOT_FOUND;
		dirPath = found->second;
	}
	// The folder may have been moved or replaced since the ref was made.
	struct stat st;
	if (stat(dirPath.c_str(), &st) != 0 || st.st_dev != ref->device
		|| st.st_ino != ref->directory)
		return B_ENTRY_NOT_FOUND;
	if (strcmp(ref->name, ".") == 0)
		path = dirPath;
	else
		path = join_path(dirPath, ref->name);
	return B_OK;
}

}	// namespace BPrivate

status_t
get_ref_for_path(const char* path, entry_ref* ref)
{
	if (path == NULL || ref == NULL)
		return B_BAD_VALUE;
	BEntry entry(path);
	status_t status = entry.InitCheck();
	if (status != B_OK)
		return status;
	return entry.GetRef(ref);
}

// #pragma mark - BEntry

BEntry::BEntry()
	:
	fCStatus(B_NO_INIT)
{
}

BEntry::BEntry(const BDirectory* dir, const char* path, bool traverse)
	:
	fCStatus(B_NO_INIT)
{
	SetTo(dir, path, traverse);
}

BEntry::BEntry(const entry_ref* ref, bool traverse)
	:
	fCStatus(B_NO_INIT)
{
	SetTo(ref, traverse);
}

BEntry::BEntry(const char* path, bool traverse)
	:
	fCStatus(B_NO_INIT)
{
	SetTo(path, traverse);
}

BEntry::BEntry(const BEntry& entry)
	:
	BStatable(),
	fPath(entry.fPath),
	fCStatus(entry.fCStatus)
{
}

BEntry::~BEntry()
{
}

status_t
BEntry::InitCheck() const
{
	return fCStatus;
}

bool
BEntry::Exists() const
{
	struct stat st;
	return fCStatus == B_OK && lstat(fPath.c_str(), &st) == 0;
}

status_t
BEntry::GetStat(struct stat* st) const
{
	if (st == NULL)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return fCStatus;
	if (lstat(fPath.c_str(), st) != 0)
		return status_for_errno(errno);
	return B_OK;
}

status_t
BEntry::_StatTarget(std::string& path, bool& follow) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	path = fPath;
	follow = false;
	return B_OK;
}

status_t
BEntry::SetTo(const BDirectory* dir, const char* path, bool traverse)
{
	// A directory without a path is the entry of the directory itself.
	if (dir != NULL && path == NULL)
		path = ".";
	std::string host;
	status_t status = path_in_directory(dir, path, host);
	if (status != B_OK) {
		Unset();
		return fCStatus = status;
	}
	return _SetToHostPath(host, traverse);
}

status_t
BEntry::SetTo(const entry_ref* ref, bool traverse)
{
	std::string host;
	status_t status = path_for_ref(ref, host);
	if (status != B_OK) {
		Unset();
		return fCStatus = status;
	}
	return _SetToHostPath(host, traverse);
}

status_t
BEntry::SetTo(const char* path, bool traverse)
{
	return SetTo(NULL, path, traverse);
}

void
BEntry::Unset()
{
	fPath.clear();
	fCStatus = B_NO_INIT;
}

status_t
BEntry::_SetToHostPath(std::string path, bool traverse)
{
	Unset();
	path = make_absolute(path);
	for (int links = 0;; links++) {
		std::string resolved;
		status_t status = resolve_directory_part(path, resolved);
		if (status != B_OK)
			return fCStatus = status;
		path = resolved;
		if (!traverse)
			break;

		std::string contents;
		if (!read_link(path, contents))
			break;
		if (links >= B_MAX_SYMLINKS)
			return fCStatus = B_LINK_LIMIT;
		// A link to "" names nothing; it stays a (dangling) link.
		if (contents.empty())
			break;
		std::string dir, leaf;
		split_path(path, dir, leaf);
		path = contents[0] == '/' ? contents : join_path(dir, contents);
	}
	fPath = path;
	return fCStatus = B_OK;
}

status_t
BEntry::GetRef(entry_ref* ref) const
{
	if (ref == NULL)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return fCStatus;
	std::string dir, leaf;
	split_path(fPath, dir, leaf);
	if (leaf.empty())
		return make_ref("/", ".", ref);
	return make_ref(dir, leaf.c_str(), ref);
}

status_t
BEntry::GetPath(BPath* path) const
{
	if (path == NULL)
		return B_BAD_VALUE;
	if (fCStatus != B_OK) {
		path->Unset();
		return fCStatus;
	}
	return path->_SetHost(fPath, NULL, false);
}

status_t
BEntry::GetParent(BEntry* entry) const
{
	if (entry == NULL)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return fCStatus;
	if (fPath == "/")
		return B_ENTRY_NOT_FOUND;
	std::string dir, leaf;
	split_path(fPath, dir, leaf);
	return entry->_SetToHostPath(dir, false);
}

status_t
BEntry::GetParent(BDirectory* dir) const
{
	if (dir == NULL)
		return B_BAD_VALUE;
	BEntry parent;
	status_t status = GetParent(&parent);
	if (status != B_OK)
		return status;
	return dir->SetTo(&parent);
}

status_t
BEntry::GetName(char* buffer) const
{
	if (buffer == NULL)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return fCStatus;
	std::string dir, leaf;
	split_path(fPath, dir, leaf);
	if (leaf.empty())
		leaf = "/";
	// Host names are at most NAME_MAX (255) bytes, so this always fits.
	snprintf(buffer, B_FILE_NAME_LENGTH, "%s", leaf.c_str());
	return B_OK;
}

static status_t
RenameEntry(const std::string& from, const std::string& to, bool clobber)
{
	if (from == to)
		return B_OK;
	if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(),
			clobber ? 0 : RENAME_NOREPLACE) == 0)
		return B_OK;
	if (errno != EINVAL && errno != ENOSYS)
		return status_for_errno(errno);

	// File systems without RENAME_NOREPLACE: check, then rename.
	struct stat st;
	if (!clobber && lstat(to.c_str(), &st) == 0)
		return B_FILE_EXISTS;
	if (rename(from.c_str(), to.c_str()) != 0)
		return status_for_errno(errno);
	return B_OK;
}

status_t
BEntry::Rename(const char* path, bool clobber)
{
	if (path == NULL || path[0] == '\0')
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return fCStatus;
	std::string target = boot_path(path);
	if (target[0] != '/') {
		std::string dir, leaf;
		split_path(fPath, dir, leaf);
		target = join_path(dir, target);
	}
	status_t status = RenameEntry(fPath, target, clobber);
	if (status != B_OK)
		return status;
	return _SetToHostPath(target, false);
}

status_t
BEntry::MoveTo(BDirectory* dir, const char* path, bool clobber)
{
	if (dir == NULL)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return fCStatus;
	std::string dirPath, leaf;
	split_path(fPath, dirPath, leaf);
	std::string target;
	status_t status = path_in_directory(dir, path != NULL ? path : leaf.c_str(),
		target);
	if (status != B_OK)
		return status;
	status = RenameEntry(fPath, target, clobber);
	if (status != B_OK)
		return status;
	return _SetToHostPath(target, false);
}

status_t
BEntry::Remove()
{
	if (fCStatus != B_OK)
		return fCStatus;
	struct stat st;
	if (lstat(fPath.c_str(), &st) != 0)
		return status_for_errno(errno);
	int result = S_ISDIR(st.st_mode) ? rmdir(fPath.c_str())
		: unlink(fPath.c_str());
	return result == 0 ? B_OK : status_for_errno(errno);
}

bool
BEntry::operator==(const BEntry& item) const
{
	if (fCStatus != B_OK || item.fCStatus != B_OK)
		return fCStatus != B_OK && item.fCStatus != B_OK;
	return fPath == item.fPath;
}

bool
BEntry::operator!=(const BEntry& item) const
{
	return !(*this == item);
}

BEntry&
BEntry::operator=(const BEntry& item)
{
	fPath = item.fPath;
	fCStatus = item.fCStatus;
	return *this;
}
