/*
 * Recovery files: names, the header, reading and writing (see RecoveryFile.h).
 */
#include "RecoveryFile.h"

#include <Directory.h>
#include <Entry.h>
#include <Errors.h>
#include <File.h>
#include <OS.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

const char* const kRecoveryFolder = "/boot/home/config/var/Quillora/recovery";

namespace {

const char kMagicLine[] = "Quillora recovery 1";
const char kPageKey[] = "Page: ";
const char kTimeKey[] = "Time: ";
const char kDocumentKey[] = "Document: ";
const char kSourceKey[] = "HTML editor: ";

// The part of a page's file name that goes into its recovery file's name:
// enough to recognise it, never so long that the whole name is refused.
const size_t kLongestNamePart = 100;

// FNV-1a, 64 bits: the same path gives the same name in every run and on
// every machine.
uint64
path_hash(const char* path)
{
	uint64 hash = 14695981039346656037ULL;
	for (const unsigned char* c = (const unsigned char*)path; *c != '\0'; c++) {
		hash ^= *c;
		hash *= 1099511628211ULL;
	}
	return hash;
}


std::string
escape_path(const char* path)
{
	std::string escaped;
	for (const char* c = path; *c != '\0'; c++) {
		if (*c == '%')
			escaped += "%25";
		else if (*c == '\n')
			escaped += "%0A";
		else if (*c == '\r')
			escaped += "%0D";
		else
			escaped += *c;
	}
	return escaped;
}


int
hex_value(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'A' && c <= 'F')
		return c - 'A' + 10;
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	return -1;
}


std::string
unescape_path(const std::string& escaped)
{
	std::string path;
	for (size_t i = 0; i < escaped.size(); i++) {
		if (escaped[i] == '%' && i + 2 < escaped.size()
			&& hex_value(escaped[i + 1]) >= 0
			&& hex_value(escaped[i + 2]) >= 0) {
			path += char(hex_value(escaped[i + 1]) * 16
				+ hex_value(escaped[i + 2]));
			i += 2;
		} else
			path += escaped[i];
	}
	return path;
}


// A whole decimal number, no sign, nothing after it but `end`.
bool
read_number(const std::string& text, size_t start, char end, uint64* value)
{
	if (start >= text.size() || text[start] < '0' || text[start] > '9')
		return false;
	uint64 number = 0;
	size_t i = start;
	for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; i++) {
		if (number > (UINT64_MAX - 9) / 10)
			return false;
		number = number * 10 + uint64(text[i] - '0');
	}
	if (i < text.size() && text[i] != end)
		return false;
	*value = number;
	return true;
}


bool
starts_with(const std::string& line, const char* key)
{
	return line.compare(0, strlen(key), key) == 0;
}


// Half-written new files that a writer killed before its rename left
// beside the recovery file: their names carry the writer's process id,
// and only those of processes that are gone are taken away.
void
remove_leftovers(const std::string& recoveryPath)
{
	size_t slash = recoveryPath.rfind('/');
	std::string folder = recoveryPath.substr(0, slash);
	std::string prefix = "." + recoveryPath.substr(slash + 1) + ".quillora-";
	BDirectory directory(folder.c_str());
	if (directory.InitCheck() != B_OK)
		return;
	BEntry entry;
	while (directory.GetNextEntry(&entry) == B_OK) {
		char name[B_FILE_NAME_LENGTH];
		if (entry.GetName(name) != B_OK
			|| strncmp(name, prefix.c_str(), prefix.size()) != 0)
			continue;
		uint64 writer = 0;
		if (!read_number(name, prefix.size(), '-', &writer) || writer == 0
			|| writer > uint64(INT32_MAX))
			continue;
		team_info info;
		if (get_team_info(team_id(writer), &info) != B_OK)
			entry.Remove();
	}
}

}	// namespace


std::string
recovery_file_for(const char* pagePath)
{
	if (pagePath == nullptr)
		pagePath = "";
	const char* slash = strrchr(pagePath, '/');
	std::string name = slash != nullptr ? slash + 1 : pagePath;
	if (name.size() > kLongestNamePart) {
		// Cut between characters, not inside one.
		size_t end = kLongestNamePart;
		while (end > 0 && (uchar(name[end]) & 0xC0) == 0x80)
			end--;
		name.resize(end);
	}
	for (char& c : name) {
		if (uchar(c) < 0x20)
			c = '_';
	}
	// The new files of a write begin with a dot; recovery files never do.
	if (name.empty() || name[0] == '.')
		name.insert(0, "_");

	char hash[17];
	snprintf(hash, sizeof(hash), "%016llx",
		(unsigned long long)path_hash(pagePath));
	return std::string(kRecoveryFolder) + "/" + name + "-" + hash
		+ ".recovery";
}


std::string
recovery_header(const char* pagePath, bigtime_t time, size_t documentLength,
	bool hasSource, size_t sourceLength)
{
	std::string header = kMagicLine;
	header += "\n";
	header += kPageKey;
	header += escape_path(pagePath != nullptr ? pagePath : "");
	header += "\n";
	char line[128];
	time_t seconds = time_t(time / 1000000);
	struct tm local;
	char when[64] = "";
	if (localtime_r(&seconds, &local) != nullptr)
		strftime(when, sizeof(when), " %Y-%m-%d %H:%M:%S", &local);
	snprintf(line, sizeof(line), "%s%lld%s\n%s%zu\n", kTimeKey,
		(long long)time, when, kDocumentKey, documentLength);
	header += line;
	if (hasSource) {
		snprintf(line, sizeof(line), "%s%zu\n", kSourceKey, sourceLength);
		header += line;
	}
	header += "\n";
	return header;
}


bool
read_recovery_copy(const char* recoveryPath, RecoveryCopy* copy)
{
	BFile file(recoveryPath, B_READ_ONLY);
	off_t size = 0;
	if (file.InitCheck() != B_OK || file.GetSize(&size) != B_OK || size <= 0)
		return false;
	std::string content(size_t(size), '\0');
	if (file.ReadAtExactly(0, &content[0], content.size()) != B_OK)
		return false;

	RecoveryCopy read;
	bool sawPage = false, sawTime = false, sawDocument = false;
	uint64 documentLength = 0, sourceLength = 0;
	size_t position = 0;
	bool first = true;
	while (true) {
		size_t end = content.find('\n', position);
		if (end == std::string::npos)
			return false;
		std::string line = content.substr(position, end - position);
		position = end + 1;
		if (first) {
			if (line != kMagicLine)
				return false;
			first = false;
			continue;
		}
		if (line.empty())
			break;
		uint64 number = 0;
		if (starts_with(line, kPageKey)) {
			read.pagePath = unescape_path(line.substr(strlen(kPageKey)));
			sawPage = true;
		} else if (starts_with(line, kTimeKey)) {
			if (!read_number(line, strlen(kTimeKey), ' ', &number)
				|| number > uint64(INT64_MAX))
				return false;
			read.time = bigtime_t(number);
			sawTime = true;
		} else if (starts_with(line, kDocumentKey)) {
			if (!read_number(line, strlen(kDocumentKey), '\0', &documentLength))
				return false;
			sawDocument = true;
		} else if (starts_with(line, kSourceKey)) {
			if (!read_number(line, strlen(kSourceKey), '\0', &sourceLength))
				return false;
			read.hasSource = true;
		}
		// Lines of later versions are passed over.
	}
	if (!sawPage || !sawTime || !sawDocument)
		return false;
	// Exactly the bytes announced: anything else is not a copy to offer.
	uint64 rest = content.size() - position;
	if (documentLength > rest || sourceLength != rest - documentLength)
		return false;
	read.document = content.substr(position, size_t(documentLength));
	if (read.hasSource)
		read.source = content.substr(position + size_t(documentLength));
	*copy = std::move(read);
	return true;
}


status_t
write_recovery_copy(const char* recoveryPath, const std::string& header,
	const FilePiece* body, int32 count)
{
	// The copies are the user's unsaved work: theirs alone to read.
	status_t status = create_directory(kRecoveryFolder, 0700);
	if (status != B_OK && status != B_FILE_EXISTS)
		return status;
	remove_leftovers(recoveryPath);

	FilePiece pieces[4];
	if (count > 3)
		return B_BAD_VALUE;
	pieces[0] = { header.data(), header.size() };
	for (int32 i = 0; i < count; i++)
		pieces[i + 1] = body[i];
	return replace_file(recoveryPath, pieces, count + 1, nullptr, 0600,
		nullptr);
}


void
remove_recovery_copy(const char* recoveryPath)
{
	BEntry entry(recoveryPath);
	if (entry.Exists())
		entry.Remove();
}


std::string
recovery_time_text(bigtime_t time)
{
	time_t seconds = time_t(time / 1000000);
	struct tm local;
	char text[64] = "";
	if (localtime_r(&seconds, &local) != nullptr)
		strftime(text, sizeof(text), "%Y-%m-%d at %H:%M:%S", &local);
	return text;
}
