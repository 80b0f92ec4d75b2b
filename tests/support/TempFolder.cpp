// Temporary folders, files and environment for the tests (see TempFolder.h).
#include "TempFolder.h"

#include <dirent.h>
#include <ftw.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace quillora_test {

std::string
MakeTemporaryFolder(const char* label)
{
	std::string pattern = std::string("/tmp/quillora-") + label + "-XXXXXX";
	if (mkdtemp(&pattern[0]) == nullptr)
		return "";
	char resolved[PATH_MAX];
	return realpath(pattern.c_str(), resolved) != nullptr ? resolved : pattern;
}


static int
RemoveOne(const char* path, const struct stat*, int, struct FTW*)
{
	::remove(path);
	return 0;
}


void
RemoveTree(const std::string& path)
{
	if (path.compare(0, 5, "/tmp/") != 0 || path.size() <= 5)
		return;
	nftw(path.c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS);
}


TempFolder::TempFolder(const char* label)
	:
	fPath(MakeTemporaryFolder(label))
{
}


TempFolder::~TempFolder()
{
	RemoveTree(fPath);
}


ScopedEnv::~ScopedEnv()
{
	for (auto it = fSaved.rbegin(); it != fSaved.rend(); ++it) {
		if (it->second.first)
			setenv(it->first.c_str(), it->second.second.c_str(), 1);
		else
			unsetenv(it->first.c_str());
	}
}


void
ScopedEnv::Set(const char* name, const std::string& value)
{
	Remember(name);
	setenv(name, value.c_str(), 1);
}


void
ScopedEnv::Unset(const char* name)
{
	Remember(name);
	unsetenv(name);
}


void
ScopedEnv::Remember(const char* name)
{
	const char* old = getenv(name);
	fSaved.push_back({name, {old != nullptr, old != nullptr ? old : ""}});
}


TemporaryHome::TemporaryHome(const char* label)
	:
	fFolder(label)
{
	if (fFolder.Path().empty())
		return;
	mkdir(Home().c_str(), 0700);
	fEnvironment.Set("HOME", Home());
	fEnvironment.Set("XDG_CONFIG_HOME", ConfigFolder());
	fEnvironment.Set("XDG_DATA_HOME", DataFolder());
	fEnvironment.Set("XDG_STATE_HOME", StateFolder());
}


std::string
ReadFile(const std::string& path)
{
	std::ifstream stream(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(stream),
		std::istreambuf_iterator<char>());
}


void
WriteFile(const std::string& path, const std::string& content)
{
	std::ofstream stream(path, std::ios::binary | std::ios::trunc);
	stream << content;
}


bool
FileExists(const std::string& path)
{
	struct stat st;
	return stat(path.c_str(), &st) == 0;
}


void
RewriteExpected(const std::string& path, const std::string& content)
{
	if (ReadFile(path) == content && FileExists(path) == !content.empty())
		return;
	if (content.empty())
		unlink(path.c_str());
	else
		WriteFile(path, content);
	printf("%s %s\n", content.empty() ? "removed" : "wrote", path.c_str());
}


std::vector<std::string>
ListDirectory(const std::string& path)
{
	std::vector<std::string> names;
	DIR* dir = opendir(path.c_str());
	if (dir == nullptr)
		return names;
	while (dirent* entry = readdir(dir)) {
		std::string name = entry->d_name;
		if (name != "." && name != "..")
			names.push_back(name);
	}
	closedir(dir);
	return names;
}

}	// namespace quillora_test
