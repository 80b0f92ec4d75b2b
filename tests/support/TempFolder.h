/*
 * Real temporary folders and files for the tests, and environment variables
 * set for one test and put back afterwards. Nothing here needs the kits, so
 * the kits' own suites use it as well as the program's.
 */
#ifndef QUILLORA_TEST_TEMP_FOLDER_H
#define QUILLORA_TEST_TEMP_FOLDER_H

#include <string>
#include <utility>
#include <vector>

namespace quillora_test {

// Makes a new folder /tmp/quillora-<label>-XXXXXX and returns its path with
// links resolved (panels and paths compare resolved names), or "" when the
// folder cannot be made.
std::string MakeTemporaryFolder(const char* label = "test");

// Removes a folder below /tmp with everything in it, links not followed.
// Any other path is left alone, so a wrong argument cannot empty a home.
void RemoveTree(const std::string& path);

// A temporary folder that lives as long as the object.
class TempFolder {
public:
	explicit TempFolder(const char* label = "test");
	~TempFolder();

	TempFolder(const TempFolder&) = delete;
	TempFolder& operator=(const TempFolder&) = delete;

	// Empty when the folder could not be made.
	const std::string& Path() const { return fPath; }
	std::string operator/(const std::string& leaf) const
		{ return fPath + "/" + leaf; }

private:
	std::string fPath;
};

// Environment variables changed for a while; the destructor puts back what
// was there before (or unsets what was not).
class ScopedEnv {
public:
	ScopedEnv() = default;
	~ScopedEnv();

	ScopedEnv(const ScopedEnv&) = delete;
	ScopedEnv& operator=(const ScopedEnv&) = delete;

	void Set(const char* name, const std::string& value);
	void Unset(const char* name);

private:
	void Remember(const char* name);

	// name, (was set, old value)
	std::vector<std::pair<std::string, std::pair<bool, std::string>>> fSaved;
};

// A folder with a home in it, and the environment pointing there for the
// object's lifetime:
//   <root>/home    HOME (made)
//   <root>/config  XDG_CONFIG_HOME (not made: the program makes it)
//   <root>/data    XDG_DATA_HOME (not made)
//   <root>/state   XDG_STATE_HOME (not made)
class TemporaryHome {
public:
	explicit TemporaryHome(const char* label = "home");

	const std::string& Root() const { return fFolder.Path(); }
	std::string Home() const { return fFolder / "home"; }
	std::string ConfigFolder() const { return fFolder / "config"; }
	std::string DataFolder() const { return fFolder / "data"; }
	std::string StateFolder() const { return fFolder / "state"; }

private:
	TempFolder fFolder;
	ScopedEnv fEnvironment;
};

// Whole files as bytes.
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
bool FileExists(const std::string& path);
// Writes an expected file of the test data after an intended change: the
// file gets `content`, or goes when `content` is empty. Prints what it
// changed.
void RewriteExpected(const std::string& path, const std::string& content);
// The names in a folder, without "." and "..", in the order the system
// lists them.
std::vector<std::string> ListDirectory(const std::string& path);

}	// namespace quillora_test

#endif	// QUILLORA_TEST_TEMP_FOLDER_H
