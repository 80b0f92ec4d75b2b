/*
 * BAppFileInfo: type and signature as attributes, supported types as a
 * desktop entry.
 */
#include <AppFileInfo.h>

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <mutex>
#include <sstream>

#include <BootPaths.h>
#include <File.h>

#include "StorageUtils.h"

using namespace BPrivate;

namespace {

std::mutex sSignatureLock;
std::string sRunningSignature;

const char kGroup[] = "[Desktop Entry]";

// Escapes a value of the "string" kind of a desktop entry.
std::string
EscapeValue(const std::string& value)
{
	std::string out;
	for (char c : value) {
		switch (c) {
			case '\\': out += "\\\\"; break;
			case '\n': out += "\\n"; break;
			case '\t': out += "\\t"; break;
			case '\r': out += "\\r"; break;
			default: out += c; break;
		}
	}
	return out;
}

// One argument of an Exec key: quoted when it holds a reserved character,
// with ", `, $ and \ escaped inside the quotes; "%" is doubled so that it is
// not taken for a field code.
std::string
QuoteExecArgument(const std::string& argument)
{
	bool quote = argument.empty()
		|| argument.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos;
	std::string out;
	if (quote)
		out += '"';
	for (char c : argument) {
		if (quote && (c == '"' || c == '`' || c == '$' || c == '\\'))
			out += '\\';
		out += c;
		if (c == '%')
			out += '%';
	}
	if (quote)
		out += '"';
	return out;
}

bool
IsRunningExecutable(const BNode* node)
{
	struct stat mine, own;
	return node->GetStat(&mine) == B_OK && stat("/proc/self/exe", &own) == 0
		&& mine.st_dev == own.st_dev && mine.st_ino == own.st_ino;
}

status_t
CreateFolders(const std::string& folder)
{
	for (size_t position = 1; position <= folder.size(); position++) {
		if (position != folder.size() && folder[position] != '/')
			continue;
		std::string partial = folder.substr(0, position);
		if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST)
			return status_for_errno(errno);
	}
	return B_OK;
}

}	// namespace

namespace BPrivate {

void
set_running_app_signature(const char* signature)
{
	std::lock_guard<std::mutex> lock(sSignatureLock);
	sRunningSignature = signature != NULL ? signature : "";
}

std::string
running_app_signature()
{
	std::lock_guard<std::mutex> lock(sSignatureLock);
	return sRunningSignature;
}

}	// namespace BPrivate

BAppFileInfo::BAppFileInfo()
{
}

BAppFileInfo::BAppFileInfo(BFile* file)
{
	SetTo(file);
}

BAppFileInfo::~BAppFileInfo()
{
}

status_t
BAppFileInfo::SetTo(BFile* file)
{
	return BNodeInfo::SetTo(file);
}

status_t
BAppFileInfo::GetType(char* type) const
{
	return BNodeInfo::GetType(type);
}

status_t
BAppFileInfo::SetType(const char* type)
{
	return BNodeInfo::SetType(type);
}

status_t
BAppFileInfo::_Signature(std::string& signature) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	char stored[B_MIME_TYPE_LENGTH];
	ssize_t length = fNode->ReadAttr("BEOS:APP_SIG", B_MIME_STRING_TYPE, 0,
		stored, sizeof(stored) - 1);
	if (length > 0) {
		stored[length] = '\0';
		signature = stored;
		if (BMimeType::IsValid(signature.c_str()))
			return B_OK;
	}
	if (IsRunningExecutable(fNode)) {
		std::lock_guard<std::mutex> lock(sSignatureLock);
		if (!sRunningSignature.empty()) {
			signature = sRunningSignature;
			return B_OK;
		}
	}
	return B_ENTRY_NOT_FOUND;
}

status_t
BAppFileInfo::GetSignature(char* signature) const
{
	if (signature == NULL)
		return B_BAD_VALUE;
	std::string found;
	status_t status = _Signature(found);
	if (status == B_OK)
		snprintf(signature, B_MIME_TYPE_LENGTH, "%s", found.c_str());
	return status;
}

status_t
BAppFileInfo::SetSignature(const char* signature)
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (signature == NULL) {
		status_t status = fNode->RemoveAttr("BEOS:APP_SIG");
		return status == B_ENTRY_NOT_FOUND ? B_OK : status;
	}
	if (!BMimeType::IsValid(signature))
		return B_BAD_VALUE;
	ssize_t written = fNode->WriteAttr("BEOS:APP_SIG", B_MIME_STRING_TYPE, 0,
		signature, strlen(signature) + 1);
	return written < 0 ? (status_t)written : B_OK;
}

std::string
BAppFileInfo::DesktopEntryPath(const char* signature)
{
	std::string name;
	for (const char* c = signature; c != NULL && *c != '\0'; c++) {
		bool plain = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z')
			|| (*c >= '0' && *c <= '9') || *c == '.' || *c == '_' || *c == '-';
		name += plain ? *c : '-';
	}
	return data_directory() + "/applications/" + name + ".desktop";
}

status_t
BAppFileInfo::GetSupportedTypeList(std::vector<std::string>& types) const
{
	types.clear();
	std::string signature;
	status_t status = _Signature(signature);
	if (status != B_OK)
		return status;

	std::ifstream stream(DesktopEntryPath(signature.c_str()));
	if (!stream)
		return B_ENTRY_NOT_FOUND;
	std::string line;
	bool inGroup = false;
	while (std::getline(stream, line)) {
		if (!line.empty() && line[0] == '[') {
			inGroup = line == kGroup;
			continue;
		}
		if (!inGroup || line.compare(0, 9, "MimeType=") != 0)
			continue;
		std::stringstream list(line.substr(9));
		std::string type;
		while (std::getline(list, type, ';')) {
			if (BMimeType::IsValid(type.c_str()))
				types.push_back(type);
		}
	}
	return B_OK;
}

status_t
BAppFileInfo::SetSupportedTypeList(const std::vector<std::string>& types)
{
	std::string signature;
	status_t status = _Signature(signature);
	if (status != B_OK)
		return status;
	for (const std::string& type : types) {
		if (!BMimeType::IsValid(type.c_str()))
			return B_BAD_VALUE;
	}

	std::string path = DesktopEntryPath(signature.c_str());
	if (types.empty()) {
		if (unlink(path.c_str()) != 0 && errno != ENOENT)
			return status_for_errno(errno);
		return B_OK;
	}

	std::string program = fNode->_Path();
	std::string dir, leaf;
	split_path(program, dir, leaf);

	std::string contents = std::string(kGroup) + "\n"
		"Type=Application\n"
		"Name=" + EscapeValue(leaf) + "\n"
		"Exec=" + EscapeValue(QuoteExecArgument(program)) + " %f\n"
		"MimeType=";
	for (const std::string& type : types)
		contents += type + ";";
	contents += "\nTerminal=false\n"
		"X-Be-Signature=" + signature + "\n";

	std::string folder, name;
	split_path(path, folder, name);
	status = CreateFolders(folder);
	if (status != B_OK)
		return status;

	// Written beside and renamed over, so a reader never sees half an entry.
	std::string temporary = path + ".new";
	FILE* file = fopen(temporary.c_str(), "we");
	if (file == NULL)
		return status_for_errno(errno);
	bool written = fwrite(contents.data(), 1, contents.size(), file)
		== contents.size();
	if (fclose(file) != 0)
		written = false;
	if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
		status = written ? status_for_errno(errno) : B_IO_ERROR;
		unlink(temporary.c_str());
		return status;
	}
	return B_OK;
}

bool
BAppFileInfo::IsSupportedType(const char* type) const
{
	if (type == NULL)
		return false;
	std::vector<std::string> types;
	if (GetSupportedTypeList(types) != B_OK)
		return false;
	BMimeType wanted(type);
	for (const std::string& supported : types) {
		// "application/octet-stream" stands for every type, as on BeOS.
		if (wanted == supported.c_str() || supported == B_FILE_MIME_TYPE)
			return true;
	}
	return false;
}

bool
BAppFileInfo::Supports(BMimeType* type) const
{
	return type != NULL && IsSupportedType(type->Type());
}
