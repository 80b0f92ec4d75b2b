/*
 * The web browser behind "/boot/beos/apps/NetPositive".
 *
 * The user's browser is, in this order: the first usable command of
 * $BROWSER; the desktop's default handler for https and http addresses (the
 * desktop entry the mimeapps.list files name, else the ones the applications
 * folders declare for the scheme); xdg-open. The program itself is never
 * chosen: it declares itself a handler of text/html on its first start, so
 * anything that goes by the page's type (xdg-open on a file, a desktop's
 * choice for text/html) may well pick it, and previewing a page would then
 * open another editor. xdg-open is therefore only taken when the handler it
 * would find for an HTML page is someone else.
 *
 * The lookups follow freedesktop.org's rules for base directories, desktop
 * entries and MIME applications lists; everything is read when a browser is needed
 * (on "Preview" and "Help"), so a change of the user's choice counts at once.
 */
#include <BootPaths.h>

#include <dirent.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <AppFileInfo.h>

namespace BPrivate {

namespace {

typedef std::map<std::string, std::map<std::string, std::string>> KeyFile;

// Reads a desktop entry or list file: groups of key=value lines.
bool
ReadKeyFile(const std::string& path, KeyFile& file)
{
	std::ifstream stream(path);
	if (!stream)
		return false;
	std::string line, group;
	while (std::getline(stream, line)) {
		if (!line.empty() && line.back() == '\r')
			line.pop_back();
		if (line.empty() || line[0] == '#')
			continue;
		if (line[0] == '[') {
			size_t end = line.find(']');
			group = line.substr(1, end == std::string::npos ? std::string::npos
				: end - 1);
			continue;
		}
		size_t equals = line.find('=');
		if (equals == std::string::npos)
			continue;
		std::string key = line.substr(0, equals);
		while (!key.empty() && key.back() == ' ')
			key.pop_back();
		size_t valueStart = line.find_first_not_of(' ', equals + 1);
		std::string value = valueStart == std::string::npos ? std::string()
			: line.substr(valueStart);
		// The first of a key counts.
		file[group].emplace(key, value);
	}
	return true;
}

std::vector<std::string>
SplitList(const std::string& value, char separator)
{
	std::vector<std::string> items;
	size_t start = 0;
	while (start <= value.size()) {
		size_t end = value.find(separator, start);
		if (end == std::string::npos)
			end = value.size();
		if (end > start)
			items.push_back(value.substr(start, end - start));
		start = end + 1;
	}
	return items;
}

std::string
Environment(const char* name, const char* fallback)
{
	const char* value = getenv(name);
	return value != NULL && value[0] != '\0' ? value : fallback;
}

// The folders of a search path variable, absolute ones only, as the base
// directory rules say.
std::vector<std::string>
SearchPath(const char* name, const char* fallback)
{
	std::vector<std::string> folders;
	for (std::string& folder : SplitList(Environment(name, fallback), ':')) {
		if (folder[0] == '/')
			folders.push_back(folder);
	}
	return folders;
}

// Where mimeapps.list files are looked for, the strongest first.
std::vector<std::string>
MimeAppsLists()
{
	std::vector<std::string> desktops;
	for (std::string& desktop : SplitList(Environment("XDG_CURRENT_DESKTOP",
			""), ':')) {
		std::transform(desktop.begin(), desktop.end(), desktop.begin(),
			[](unsigned char c) { return (char)tolower(c); });
		desktops.push_back(desktop);
	}
	std::vector<std::string> folders;
	folders.push_back(config_directory());
	for (const std::string& folder : SearchPath("XDG_CONFIG_DIRS", "/etc/xdg"))
		folders.push_back(folder);
	folders.push_back(data_directory() + "/applications");
	for (const std::string& folder : SearchPath("XDG_DATA_DIRS",
			"/usr/local/share:/usr/share"))
		folders.push_back(folder + "/applications");

	std::vector<std::string> lists;
	for (const std::string& folder : folders) {
		for (const std::string& desktop : desktops)
			lists.push_back(folder + "/" + desktop + "-mimeapps.list");
		lists.push_back(folder + "/mimeapps.list");
	}
	return lists;
}

// The applications folders, the strongest first.
std::vector<std::string>
ApplicationFolders()
{
	std::vector<std::string> folders;
	folders.push_back(data_directory() + "/applications");
	for (const std::string& folder : SearchPath("XDG_DATA_DIRS",
			"/usr/local/share:/usr/share"))
		folders.push_back(folder + "/applications");
	return folders;
}

bool
IsFile(const std::string& path)
{
	struct stat st;
	return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The file of a desktop entry id: "a-b.desktop" may also be "a/b.desktop".
std::string
FindDesktopFile(const std::string& id)
{
	if (id.empty() || id.find('/') != std::string::npos)
		return std::string();
	for (const std::string& folder : ApplicationFolders()) {
		if (IsFile(folder + "/" + id))
			return folder + "/" + id;
		for (size_t dash = id.find('-'); dash != std::string::npos;
				dash = id.find('-', dash + 1)) {
			std::string nested = id;
			nested[dash] = '/';
			if (IsFile(folder + "/" + nested))
				return folder + "/" + nested;
		}
	}
	return std::string();
}

// The desktop entries that handle any of `types`, the user's choice first:
// the mimeapps.list defaults, then their additions, then what the
// applications folders declare (their mimeinfo.cache files, then the
// MimeType keys of the entries in folders without one, in the order
// xdg-mime takes them). Each stage goes through all the types, so a
// default for one comes before a mere declaration for another.
std::vector<std::string>
HandlersOf(const std::vector<std::string>& types)
{
	std::vector<std::string> ids;
	auto add = [&ids](const std::string& list) {
		for (const std::string& id : SplitList(list, ';')) {
			if (std::find(ids.begin(), ids.end(), id) == ids.end())
				ids.push_back(id);
		}
	};
	std::vector<KeyFile> lists;
	for (const std::string& path : MimeAppsLists()) {
		KeyFile file;
		if (ReadKeyFile(path, file))
			lists.push_back(file);
	}
	for (const char* group : { "Default Applications", "Added Associations" }) {
		for (KeyFile& file : lists) {
			for (const std::string& type : types)
				add(file[group][type]);
		}
	}

	std::vector<std::string> uncached;
	for (const std::string& folder : ApplicationFolders()) {
		KeyFile cache;
		if (!ReadKeyFile(folder + "/mimeinfo.cache", cache)) {
			uncached.push_back(folder);
			continue;
		}
		for (const std::string& type : types)
			add(cache["MIME Cache"][type]);
	}
	for (const std::string& folder : uncached) {
		DIR* dir = opendir(folder.c_str());
		if (dir == NULL)
			continue;
		std::vector<std::string> names;
		while (dirent* entry = readdir(dir)) {
			std::string name = entry->d_name;
			if (name.size() > 8
				&& name.compare(name.size() - 8, 8, ".desktop") == 0)
				names.push_back(name);
		}
		closedir(dir);
		std::sort(names.begin(), names.end());
		for (const std::string& name : names) {
			KeyFile entry;
			if (!ReadKeyFile(folder + "/" + name, entry))
				continue;
			std::vector<std::string> declared
				= SplitList(entry["Desktop Entry"]["MimeType"], ';');
			for (const std::string& type : types) {
				if (std::find(declared.begin(), declared.end(), type)
						!= declared.end()) {
					add(name);
					break;
				}
			}
		}
	}
	return ids;
}

// A program given by name or path, as the system would start it.
std::string
ResolveProgram(const std::string& program)
{
	if (program.empty())
		return std::string();
	std::string path = program.find('/') == std::string::npos
		? find_in_path(program.c_str()) : program;
	struct stat st;
	if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)
		|| access(path.c_str(), X_OK) != 0)
		return std::string();
	return path;
}

// True when `path` is (a link to) the running program.
bool
IsSelf(const std::string& path)
{
	struct stat program, self;
	return stat(path.c_str(), &program) == 0
		&& stat("/proc/self/exe", &self) == 0
		&& program.st_dev == self.st_dev && program.st_ino == self.st_ino;
}

// Splits a command as a shell would split plain words and quoted ones
// (nothing is expanded).
std::vector<std::string>
SplitCommand(const std::string& command)
{
	std::vector<std::string> words;
	std::string word;
	bool inWord = false;
	char quote = 0;
	for (size_t i = 0; i < command.size(); i++) {
		char c = command[i];
		if (quote != 0) {
			if (c == quote)
				quote = 0;
			else if (c == '\\' && quote == '"' && i + 1 < command.size()
				&& strchr("\"`$\\", command[i + 1]) != NULL)
				word += command[++i];
			else
				word += c;
			continue;
		}
		if (c == ' ' || c == '\t' || c == '\n') {
			if (inWord)
				words.push_back(word);
			word.clear();
			inWord = false;
			continue;
		}
		inWord = true;
		if (c == '"' || c == '\'')
			quote = c;
		else if (c == '\\' && i + 1 < command.size())
			word += command[++i];
		else
			word += c;
	}
	if (inWord)
		words.push_back(word);
	return words;
}

// The escapes of a desktop entry string value.
std::string
UnescapeValue(const std::string& value)
{
	std::string out;
	for (size_t i = 0; i < value.size(); i++) {
		if (value[i] != '\\' || i + 1 == value.size()) {
			out += value[i];
			continue;
		}
		char c = value[++i];
		switch (c) {
			case 's': out += ' '; break;
			case 'n': out += '\n'; break;
			case 't': out += '\t'; break;
			case 'r': out += '\r'; break;
			default: out += '\\'; out += c; break;
		}
	}
	return out;
}

// A $BROWSER entry: "%s" stands for the address, "%%" for "%"; without a
// "%s" the address comes last.
std::vector<std::string>
BrowserVariableCommand(const std::string& entry, const char* url)
{
	std::vector<std::string> words = SplitCommand(entry);
	if (words.empty())
		return words;
	bool placed = false;
	for (std::string& word : words) {
		std::string out;
		for (size_t i = 0; i < word.size(); i++) {
			if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == 's') {
				out += url != NULL ? url : "";
				placed = true;
				i++;
			} else if (word[i] == '%' && i + 1 < word.size()
				&& word[i + 1] == '%') {
				out += '%';
				i++;
			} else
				out += word[i];
		}
		word = out;
	}
	if (!placed && url != NULL)
		words.push_back(url);
	return words;
}

// The command of a desktop entry's Exec key for `url`, its field codes
// expanded; empty when the entry cannot be started or is this program (then
// `self` is set).
std::vector<std::string>
DesktopEntryCommand(const std::string& path, const char* url, bool* self)
{
	*self = false;
	KeyFile file;
	if (!ReadKeyFile(path, file))
		return std::vector<std::string>();
	std::map<std::string, std::string>& entry = file["Desktop Entry"];
	std::string signature = running_app_signature();
	if (!signature.empty() && entry["X-Be-Signature"] == signature) {
		*self = true;
		return std::vector<std::string>();
	}
	if (entry["Hidden"] == "true" || (!entry["TryExec"].empty()
			&& ResolveProgram(UnescapeValue(entry["TryExec"])).empty()))
		return std::vector<std::string>();

	std::vector<std::string> words = SplitCommand(UnescapeValue(entry["Exec"]));
	std::vector<std::string> command;
	bool placed = false;
	std::string filePath = url != NULL ? url : "";
	if (filePath.compare(0, 7, "file://") == 0)
		filePath = filePath.substr(7);
	for (const std::string& word : words) {
		// A field code alone in its word may stand for several words or none.
		if (word == "%f" || word == "%F" || word == "%u" || word == "%U") {
			if (url != NULL)
				command.push_back(word[1] == 'f' || word[1] == 'F' ? filePath : url);
			placed = true;
			continue;
		}
		if (word == "%i") {
			if (!entry["Icon"].empty()) {
				command.push_back("--icon");
				command.push_back(entry["Icon"]);
			}
			continue;
		}
		std::string out;
		for (size_t i = 0; i < word.size(); i++) {
			if (word[i] != '%' || i + 1 == word.size()) {
				out += word[i];
				continue;
			}
			char code = word[++i];
			switch (code) {
				case '%': out += '%'; break;
				case 'c': out += entry["Name"]; break;
				case 'k': out += path; break;
				case 'f': case 'F': out += filePath; placed = true; break;
				case 'u': case 'U': out += url != NULL ? url : ""; placed = true;
					break;
				default: break;	// deprecated codes stand for nothing
			}
		}
		command.push_back(out);
	}
	if (command.empty())
		return command;
	std::string program = ResolveProgram(command[0]);
	if (program.empty() || IsSelf(program)) {
		*self = !program.empty();
		return std::vector<std::string>();
	}
	command[0] = program;
	// A browser whose entry takes no address still gets the one to show.
	if (!placed && url != NULL)
		command.push_back(url);
	return command;
}

}	// namespace


std::vector<std::string>
web_browser_command(const char* url)
{
	for (const std::string& entry : SplitList(Environment("BROWSER", ""), ':')) {
		std::vector<std::string> command = BrowserVariableCommand(entry, url);
		if (command.empty())
			continue;
		std::string program = ResolveProgram(command[0]);
		if (program.empty() || IsSelf(program))
			continue;
		command[0] = program;
		return command;
	}

	for (const std::string& id : HandlersOf({ "x-scheme-handler/https",
			"x-scheme-handler/http" })) {
		std::string path = FindDesktopFile(id);
		bool self;
		std::vector<std::string> command;
		if (!path.empty())
			command = DesktopEntryCommand(path, url, &self);
		if (!command.empty())
			return command;
	}

	// xdg-open shows a file with the first handler of its type that can be
	// started: when that is this program, it is not asked. Without any, it
	// goes on to browsers it knows itself.
	std::string launcher = find_in_path("xdg-open");
	if (launcher.empty() || IsSelf(launcher))
		return std::vector<std::string>();
	for (const std::string& id : HandlersOf({ "text/html" })) {
		std::string path = FindDesktopFile(id);
		if (path.empty())
			continue;
		bool self = false;
		if (!DesktopEntryCommand(path, url, &self).empty())
			break;
		if (self)
			return std::vector<std::string>();
	}
	std::vector<std::string> command;
	command.push_back(launcher);
	if (url != NULL)
		command.push_back(url);
	return command;
}

}	// namespace BPrivate
