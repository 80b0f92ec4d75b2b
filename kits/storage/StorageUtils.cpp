/*
 * Path helpers shared by the storage kit's classes.
 */
#include "StorageUtils.h"

#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include <BootPaths.h>
#include <Node.h>

namespace BPrivate {

std::string
make_absolute(const std::string& path)
{
	if (!path.empty() && path[0] == '/')
		return path;
	std::vector<char> buffer(256);
	while (getcwd(buffer.data(), buffer.size()) == NULL) {
		if (errno != ERANGE)
			return join_path("/", path);
		buffer.resize(buffer.size() * 2);
	}
	return join_path(buffer.data(), path);
}

std::string
join_path(const std::string& dir, const std::string& leaf)
{
	if (leaf.empty())
		return dir;
	std::string result = dir;
	while (result.size() > 1 && result.back() == '/')
		result.pop_back();
	size_t start = 0;
	while (start < leaf.size() && leaf[start] == '/')
		start++;
	if (result.empty() || result.back() != '/')
		result += '/';
	result.append(leaf, start, std::string::npos);
	return result;
}

void
split_path(const std::string& path, std::string& dir, std::string& leaf)
{
	std::string trimmed = path;
	while (trimmed.size() > 1 && trimmed.back() == '/')
		trimmed.pop_back();
	size_t slash = trimmed.rfind('/');
	if (slash == std::string::npos) {
		dir = ".";
		leaf = trimmed;
	} else if (trimmed == "/") {
		dir = "/";
		leaf.clear();
	} else {
		dir = slash == 0 ? std::string("/") : trimmed.substr(0, slash);
		leaf = trimmed.substr(slash + 1);
	}
}

bool
needs_normalization(const std::string& path)
{
	if (path.empty() || path[0] != '/')
		return true;
	if (path.size() > 1 && path.back() == '/')
		return true;
	if (path.find("//") != std::string::npos
		|| path.find("/./") != std::string::npos
		|| path.find("/../") != std::string::npos)
		return true;
	size_t length = path.size();
	return (length >= 2 && path.compare(length - 2, 2, "/.") == 0)
		|| (length >= 3 && path.compare(length - 3, 3, "/..") == 0);
}

static status_t
RealPath(const std::string& path, std::string& out)
{
	char* resolved = realpath(path.c_str(), NULL);
	if (resolved == NULL)
		return status_for_errno(errno);
	out = resolved;
	free(resolved);
	return B_OK;
}

status_t
resolve_directory_part(const std::string& path, std::string& out)
{
	std::string dir, leaf;
	split_path(make_absolute(path), dir, leaf);
	if (leaf.empty() || leaf == "." || leaf == "..")
		return RealPath(leaf.empty() ? dir : join_path(dir, leaf), out);

	std::string realDir;
	status_t status = RealPath(dir, realDir);
	if (status != B_OK)
		return status;
	struct stat st;
	if (stat(realDir.c_str(), &st) != 0)
		return status_for_errno(errno);
	if (!S_ISDIR(st.st_mode))
		return B_NOT_A_DIRECTORY;
	out = join_path(realDir, leaf);
	return B_OK;
}

status_t
path_in_directory(const BNode* dir, const char* path, std::string& out,
	bool forCreate)
{
	if (path == NULL)
		return B_BAD_VALUE;
	std::string host = forCreate ? boot_path_for_create(path) : boot_path(path);
	if (!host.empty() && host[0] == '/') {
		out = host;
		return B_OK;
	}
	if (dir == NULL) {
		out = make_absolute(host);
		return B_OK;
	}
	if (dir->InitCheck() != B_OK)
		return B_NO_INIT;
	out = join_path(dir->_Path(), host);
	return B_OK;
}

bool
read_link(const std::string& path, std::string& contents)
{
	std::vector<char> buffer(256);
	for (;;) {
		ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size());
		if (length < 0)
			return false;
		if ((size_t)length < buffer.size()) {
			contents.assign(buffer.data(), length);
			return true;
		}
		buffer.resize(buffer.size() * 2);
	}
}

}	// namespace BPrivate
