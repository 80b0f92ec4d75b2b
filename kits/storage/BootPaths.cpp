/*
 * The one place where BeOS locations become host paths.
 */
#include <BootPaths.h>

#include <errno.h>
#include <pwd.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace BPrivate {

namespace {

const char kSettingsPrefix[] = "/boot/home/config/settings";
const char kVarPrefix[] = "/boot/home/config/var";
const char kApplicationsPrefix[] = "/boot/home/config/be/Applications";
const char kHomePrefix[] = "/boot/home";
const char kBrowser[] = "/boot/beos/apps/NetPositive";

// True when `path` is `prefix` or continues it with a "/"; `rest` is what
// follows the prefix (empty or starting with "/").
bool
MatchPrefix(const char* path, const char* prefix, const char** rest)
{
	size_t length = strlen(prefix);
	if (strncmp(path, prefix, length) != 0)
		return false;
	if (path[length] != '\0' && path[length] != '/')
		return false;
	*rest = path + length;
	return true;
}

std::string
AbsoluteFromEnvironment(const char* name)
{
	const char* value = getenv(name);
	// The XDG rules say relative values are to be ignored.
	if (value == NULL || value[0] != '/')
		return std::string();
	return value;
}

// The BeOS folders the mapping knows, and every folder above them: their
// parents on the host are not their parents on BeOS.
bool
IsBeOSFolder(const std::string& path)
{
	static const char* const kFolders[] = { "/", "/boot", "/boot/home",
		"/boot/home/config", "/boot/home/config/settings",
		"/boot/home/config/var", "/boot/home/config/be", "/boot/home/config/be/Applications",
		"/boot/beos", "/boot/beos/apps" };
	for (const char* folder : kFolders) {
		if (path == folder)
			return true;
	}
	return false;
}

// Resolves ".", ".." and doubled slashes in the part of a /boot path that
// lies in BeOS's own folders, before the mapping sees it: "/boot/home/.."
// is "/boot" on BeOS, not the parent of $HOME. From the first folder of the
// user's own on, the rest is kept as written: it is resolved on the host,
// where it may pass through links.
std::string
ResolveBeOSFolders(const char* path)
{
	std::string resolved;
	const char* p = path;
	while (*p != '\0') {
		while (*p == '/')
			p++;
		const char* end = strchrnul(p, '/');
		std::string component(p, end - p);
		if (component.empty() || component == ".") {
			p = end;
			continue;
		}
		if (component == "..") {
			size_t slash = resolved.rfind('/');
			resolved.erase(slash == std::string::npos ? 0 : slash);
			p = end;
			continue;
		}
		resolved += "/" + component;
		p = end;
		if (!IsBeOSFolder(resolved)) {
			resolved += p;
			break;
		}
	}
	return resolved.empty() ? std::string("/") : resolved;
}

std::string
WithoutTrailingSlashes(std::string path)
{
	while (path.size() > 1 && path.back() == '/')
		path.pop_back();
	return path;
}

}	// namespace

std::string
home_directory()
{
	std::string home = AbsoluteFromEnvironment("HOME");
	if (home.empty()) {
		struct passwd* entry = getpwuid(getuid());
		if (entry != NULL && entry->pw_dir != NULL && entry->pw_dir[0] == '/')
			home = entry->pw_dir;
		else
			home = "/";
	}
	return WithoutTrailingSlashes(home);
}

std::string
config_directory()
{
	std::string config = AbsoluteFromEnvironment("XDG_CONFIG_HOME");
	if (config.empty())
		return home_directory() + "/.config";
	return WithoutTrailingSlashes(config);
}

std::string
data_directory()
{
	std::string data = AbsoluteFromEnvironment("XDG_DATA_HOME");
	if (data.empty())
		return home_directory() + "/.local/share";
	return WithoutTrailingSlashes(data);
}

std::string
state_directory()
{
	std::string state = AbsoluteFromEnvironment("XDG_STATE_HOME");
	if (state.empty())
		return home_directory() + "/.local/state";
	return WithoutTrailingSlashes(state);
}

std::string
user_bin_directory()
{
	return home_directory() + "/.local/bin";
}

std::string
find_in_path(const char* name)
{
	if (name == NULL || name[0] == '\0' || strchr(name, '/') != NULL)
		return std::string();
	const char* path = getenv("PATH");
	if (path == NULL)
		path = "/usr/local/bin:/usr/bin:/bin";
	std::string list = path;
	size_t start = 0;
	while (start <= list.size()) {
		size_t end = list.find(':', start);
		if (end == std::string::npos)
			end = list.size();
		std::string folder = list.substr(start, end - start);
		start = end + 1;
		// An empty element means the current folder; a launcher found there
		// would be whatever lies around, so it is not taken.
		if (folder.empty() || folder[0] != '/')
			continue;
		std::string candidate = WithoutTrailingSlashes(folder) + "/" + name;
		struct stat st;
		if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode)
			&& access(candidate.c_str(), X_OK) == 0)
			return candidate;
	}
	return std::string();
}

bool
is_web_browser_path(const char* path)
{
	return path != NULL && strcmp(path, kBrowser) == 0;
}

// Returns the host folder a translated location maps onto (empty when `path`
// is used as given) and the rest of the path below it.
static std::string
TranslationRoot(const char* path, const char** rest)
{
	if (path == NULL || strncmp(path, "/boot/", 6) != 0)
		return std::string();
	if (MatchPrefix(path, kSettingsPrefix, rest))
		return config_directory();
	if (MatchPrefix(path, kVarPrefix, rest))
		return state_directory();
	if (MatchPrefix(path, kApplicationsPrefix, rest))
		return user_bin_directory();
	if (MatchPrefix(path, kHomePrefix, rest))
		return home_directory();
	return std::string();
}

bool
translate_boot_path(const char* givenPath, std::string& out)
{
	out.clear();
	if (givenPath == NULL)
		return false;
	std::string beosPath = strncmp(givenPath, "/boot/", 6) == 0
		? ResolveBeOSFolders(givenPath) : std::string(givenPath);
	const char* path = beosPath.c_str();

	const char* rest = NULL;
	std::string root = TranslationRoot(path, &rest);
	if (!root.empty()) {
		out = root;
		if (root == "/" && rest[0] == '/')
			rest++;
		out += rest;
		return true;
	}

	if (is_web_browser_path(path)) {
		std::vector<std::string> browser = web_browser_command(NULL);
		if (!browser.empty()) {
			out = browser[0];
			return true;
		}
	}

	out = path;
	return false;
}

std::string
boot_path(const char* path)
{
	std::string out;
	translate_boot_path(path, out);
	return out;
}

// mkdir -p for the translation roots only.
static void
CreateFolders(const std::string& folder)
{
	std::string partial;
	size_t position = 0;
	while (position < folder.size()) {
		size_t next = folder.find('/', position + 1);
		if (next == std::string::npos)
			next = folder.size();
		partial = folder.substr(0, next);
		position = next;
		if (partial.empty() || partial == "/")
			continue;
		if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST)
			return;
	}
}

std::string
boot_path_for_create(const char* path)
{
	if (path == NULL)
		return std::string();
	std::string beosPath = strncmp(path, "/boot/", 6) == 0
		? ResolveBeOSFolders(path) : std::string(path);
	const char* rest = NULL;
	std::string root = TranslationRoot(beosPath.c_str(), &rest);
	if (!root.empty()) {
		struct stat st;
		if (stat(root.c_str(), &st) != 0)
			CreateFolders(root);
	}
	return boot_path(path);
}

}	// namespace BPrivate
