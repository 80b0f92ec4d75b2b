// A real temporary folder for one test, removed with everything in it, and
// environment variables set for one test and put back afterwards.
#ifndef QUILLORA_TEST_TEMP_FOLDER_H
#define QUILLORA_TEST_TEMP_FOLDER_H

#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

class TempFolder {
public:
	TempFolder()
	{
		char pattern[] = "/tmp/quillora-storage-XXXXXX";
		const char* made = mkdtemp(pattern);
		fPath = made != nullptr ? made : "";
	}

	~TempFolder()
	{
		if (!fPath.empty())
			nftw(fPath.c_str(), Remove, 16, FTW_DEPTH | FTW_PHYS);
	}

	const std::string& Path() const { return fPath; }
	std::string operator/(const std::string& leaf) const
		{ return fPath + "/" + leaf; }

private:
	static int Remove(const char* path, const struct stat*, int, struct FTW*)
	{
		::remove(path);
		return 0;
	}

	std::string fPath;
};

class ScopedEnv {
public:
	void Set(const char* name, const std::string& value)
	{
		Remember(name);
		setenv(name, value.c_str(), 1);
	}

	void Unset(const char* name)
	{
		Remember(name);
		unsetenv(name);
	}

	~ScopedEnv()
	{
		for (auto it = fSaved.rbegin(); it != fSaved.rend(); ++it) {
			if (it->second.first)
				setenv(it->first.c_str(), it->second.second.c_str(), 1);
			else
				unsetenv(it->first.c_str());
		}
	}

private:
	void Remember(const char* name)
	{
		const char* old = getenv(name);
		fSaved.push_back({name, {old != nullptr, old != nullptr ? old : ""}});
	}

	std::vector<std::pair<std::string, std::pair<bool, std::string>>> fSaved;
};

inline std::string
ReadWholeFile(const std::string& path)
{
	std::ifstream stream(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(stream),
		std::istreambuf_iterator<char>());
}

inline void
WriteWholeFile(const std::string& path, const std::string& contents)
{
	std::ofstream stream(path, std::ios::binary | std::ios::trunc);
	stream << contents;
}

#endif	// QUILLORA_TEST_TEMP_FOLDER_H
