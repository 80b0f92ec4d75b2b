/*
 * BMimeType without a database: form checks and guesses from names.
 */
#include <MimeType.h>

#include <ctype.h>
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <Entry.h>
#include <Mime.h>

// Characters RFC 2045 does not allow in a type token.
static bool
IsTokenChar(char c)
{
	return c > ' ' && c < 127 && strchr("()<>@,;:\\\"/[]?=", c) == NULL;
}

bool
BMimeType::IsValid(const char* mimeType)
{
	if (mimeType == NULL || mimeType[0] == '\0')
		return false;
	size_t length = strlen(mimeType);
	if (length >= B_MIME_TYPE_LENGTH)
		return false;
	int slashes = 0;
	for (size_t i = 0; i < length; i++) {
		if (mimeType[i] == '/') {
			// One slash, with something on both sides of it.
			if (++slashes > 1 || i == 0 || i == length - 1)
				return false;
		} else if (!IsTokenChar(mimeType[i]))
			return false;
	}
	return true;
}

BMimeType::BMimeType()
	:
	fCStatus(B_NO_INIT)
{
}

BMimeType::BMimeType(const char* mimeType)
	:
	fCStatus(B_NO_INIT)
{
	SetTo(mimeType);
}

BMimeType::BMimeType(const BMimeType& other)
	:
	fType(other.fType),
	fCStatus(other.fCStatus)
{
}

BMimeType::~BMimeType()
{
}

status_t
BMimeType::SetTo(const char* mimeType)
{
	Unset();
	if (!IsValid(mimeType))
		return fCStatus = B_BAD_VALUE;
	fType = mimeType;
	return fCStatus = B_OK;
}

status_t
BMimeType::SetType(const char* mimeType)
{
	return SetTo(mimeType);
}

void
BMimeType::Unset()
{
	fType.clear();
	fCStatus = B_NO_INIT;
}

status_t
BMimeType::InitCheck() const
{
	return fCStatus;
}

const char*
BMimeType::Type() const
{
	return fCStatus == B_OK ? fType.c_str() : NULL;
}

bool
BMimeType::IsValid() const
{
	return fCStatus == B_OK && IsValid(fType.c_str());
}

bool
BMimeType::IsSupertypeOnly() const
{
	return fCStatus == B_OK && fType.find('/') == std::string::npos;
}

status_t
BMimeType::GetSupertype(BMimeType* supertype) const
{
	if (supertype == NULL)
		return B_BAD_VALUE;
	supertype->Unset();
	if (fCStatus != B_OK)
		return fCStatus;
	size_t slash = fType.find('/');
	if (slash == std::string::npos)
		return B_BAD_VALUE;
	return supertype->SetTo(fType.substr(0, slash).c_str());
}

bool
BMimeType::operator==(const BMimeType& type) const
{
	return *this == type.Type();
}

bool
BMimeType::operator==(const char* type) const
{
	const char* mine = Type();
	if (mine == NULL || type == NULL)
		return mine == type;
	return strcasecmp(mine, type) == 0;
}

BMimeType&
BMimeType::operator=(const BMimeType& other)
{
	fType = other.fType;
	fCStatus = other.fCStatus;
	return *this;
}

namespace {

struct Extension {
	const char*	extension;
	const char*	type;
};

const Extension kExtensions[] = {
	{ "html", "text/html" },
	{ "htm", "text/html" },
	{ "gif", "image/gif" },
	{ "jpeg", "image/jpeg" },
	{ "jpg", "image/jpeg" },
	{ "jpe", "image/jpeg" },
	{ "png", "image/png" },
	{ "bmp", "image/bmp" },
	{ "txt", "text/plain" },
	{ "text", "text/plain" },
	{ "css", "text/css" },
};

}	// namespace

status_t
BMimeType::GuessMimeType(const char* filename, BMimeType* type)
{
	if (filename == NULL || type == NULL)
		return B_BAD_VALUE;
	const char* leaf = strrchr(filename, '/');
	leaf = leaf != NULL ? leaf + 1 : filename;
	const char* dot = strrchr(leaf, '.');
	if (dot != NULL && dot != leaf) {
		for (const Extension& known : kExtensions) {
			if (strcasecmp(dot + 1, known.extension) == 0)
				return type->SetTo(known.type);
		}
	}
	return type->SetTo(B_FILE_MIME_TYPE);
}

status_t
BMimeType::GuessMimeType(const void* buffer, int32 length, BMimeType* type)
{
	if (buffer == NULL || type == NULL || length < 0)
		return B_BAD_VALUE;
	const unsigned char* bytes = (const unsigned char*)buffer;
	if (length >= 4 && memcmp(bytes, "\x7f" "ELF", 4) == 0)
		return type->SetTo(B_APP_MIME_TYPE);
	if (length >= 6 && (memcmp(bytes, "GIF87a", 6) == 0
			|| memcmp(bytes, "GIF89a", 6) == 0))
		return type->SetTo("image/gif");
	if (length >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
		return type->SetTo("image/jpeg");
	if (length >= 8 && memcmp(bytes, "\x89PNG\r\n\x1a\n", 8) == 0)
		return type->SetTo("image/png");
	// Text that starts with a tag is taken for a page.
	int32 i = 0;
	while (i < length && isspace(bytes[i]))
		i++;
	if (i < length && bytes[i] == '<')
		return type->SetTo("text/html");
	return type->SetTo(B_FILE_MIME_TYPE);
}

status_t
BMimeType::GuessMimeType(const entry_ref* file, BMimeType* type)
{
	if (file == NULL || type == NULL)
		return B_BAD_VALUE;
	BEntry entry(file);
	if (entry.InitCheck() != B_OK)
		return entry.InitCheck();
	struct stat st;
	if (entry.GetStat(&st) == B_OK) {
		if (S_ISLNK(st.st_mode))
			return type->SetTo(B_SYMLINK_MIME_TYPE);
		if (S_ISDIR(st.st_mode))
			return type->SetTo(B_DIRECTORY_MIME_TYPE);
	}
	status_t status = GuessMimeType(file->name, type);
	if (status != B_OK || strcmp(type->Type(), B_FILE_MIME_TYPE) != 0)
		return status;

	// No telling extension: look at the first bytes.
	FILE* stream = fopen(entry._Path(), "rb");
	if (stream == NULL)
		return B_OK;
	unsigned char head[64];
	size_t count = fread(head, 1, sizeof(head), stream);
	fclose(stream);
	return GuessMimeType(head, (int32)count, type);
}
