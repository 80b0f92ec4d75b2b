/*
 * The user's settings and their file.
 */
#include "Config.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <Application.h>
#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <Font.h>
#include <Path.h>
#include <Roster.h>

#include "Alerts.h"
#include "CWindow.h"
#include "Functions.h"


const char* Config::ConfigVersion = "1.000";
const char* Config::SettingsDirectory = "/boot/home/config/settings/Brindel";
const char* Config::SettingsFile
	= "/boot/home/config/settings/Brindel/Quillora_settings";

bool Config::sWritable = true;
Config* Config::sCurrent = nullptr;


static const char* kHeaderLine1 = "Brindel Quillora 1.00 configuration file";
static const char* kHeaderLine2 = "Do not delete these two lines. Do not "
	"modify this file manually! Use Edit-Settings instead.";


Config::Config()
	:
	applicationDirectory(nullptr),
	userName(nullptr),
	imageDirectory(nullptr),
	proportionalSize(10),
	fixedSize(10),
	proportionalFamily(nullptr),
	fixedFamily(nullptr),
	fFirstStart(false),
	fFontsReported(false)
{
	sCurrent = this;

	SetStandardValues();
	if (Init()) {
		// The program's folder is where the running program is, whatever
		// the file says: a program that was moved, or a packaged copy
		// started after a build-tree one, would otherwise look for its help
		// and start page in the old place. The stored folder only stands
		// when the running program's file cannot be found.
		if (!_FindApplicationDirectory(false) && (applicationDirectory == nullptr
				|| applicationDirectory[0] == '\0'))
			_FindApplicationDirectory(true);
		return;
	}

	// No usable file: defaults throughout (whatever Init() read before it
	// gave up goes), the program's directory worked out anew, and a fresh
	// file written.
	SetStandardValues();
	_FindApplicationDirectory(true);
	Save();
	fFirstStart = true;
}


Config::~Config()
{
	_FreeStrings();
	if (sCurrent == this)
		sCurrent = nullptr;
}


void
Config::SetWritable(bool writable)
{
	sWritable = writable;
}


bool
Config::IsWritable()
{
	return sWritable;
}


Config*
Config::Current()
{
	return sCurrent;
}


bool
Config::IsInstalledSystemWide() const
{
	return applicationDirectory != nullptr
		&& strncmp(applicationDirectory, "/usr/", 5) == 0;
}


void
Config::_FreeStrings()
{
	char** strings[5] = { &applicationDirectory, &userName, &imageDirectory,
		&proportionalFamily, &fixedFamily };
	for (char** string : strings) {
		delete[] *string;
		*string = nullptr;
	}
}


bool
Config::_FindApplicationDirectory(bool report)
{
	app_info info;
	BPath path;
	bool found = be_app != nullptr && be_app->GetAppInfo(&info) == B_OK;
	if (found) {
		BEntry entry(&info.ref, true);
		found = entry.InitCheck() == B_OK && entry.GetPath(&path) == B_OK
			&& path.Path() != nullptr;
	}
	if (!found) {
		if (report) {
			delete[] applicationDirectory;
			applicationDirectory = nullptr;
			error("Could not find the path to Quillora.");
		}
		return false;
	}

	delete[] applicationDirectory;
	applicationDirectory = newtext(path.Path());
	char* slash = strrchr(applicationDirectory, '/');
	if (slash != nullptr)
		slash[1] = '\0';
	else
		applicationDirectory[0] = '\0';
	return true;
}


// The settings are made while the application is being built, before its
// message loop runs: a quit request is posted, so that it is still there
// when the loop starts (a plain Quit() now would be forgotten by Run()).
void
Config::_AskToQuit()
{
	if (be_app != nullptr)
		be_app->PostMessage(B_QUIT_REQUESTED);
}


void
Config::SetStandardValues()
{
	_FreeStrings();
	proportionalSize = 10;
	fixedSize = 10;

	font_family proportional = "";
	font_family fixed = "";
	bool haveProportional = false;
	bool haveFixed = false;

	int32 familyCount = count_font_families();
	for (int32 i = 0; i < familyCount; i++) {
		font_family family;
		uint32 flags = 0;
		if (get_font_family(i, &family, &flags) != B_OK)
			continue;
		int32 styleCount = count_font_styles(family);
		for (int32 j = 0; j < styleCount && !haveFixed; j++) {
			font_style style;
			uint32 styleFlags = 0;
			if (get_font_style(family, j, &style, &styleFlags) != B_OK)
				continue;
			if ((styleFlags & B_IS_FIXED) != 0) {
				snprintf(fixed, sizeof(fixed), "%s", family);
				haveFixed = true;
			}
		}
		if (!haveProportional && HasTextStyles(family)) {
			snprintf(proportional, sizeof(proportional), "%s", family);
			haveProportional = true;
		}
	}

	// The constructor may pick the defaults twice (before and after reading
	// the file); a missing font is told once.
	bool report = !fFontsReported && (!haveProportional || !haveFixed);
	if (report)
		fFontsReported = true;
	if (!haveProportional && report) {
		error("Fatal error: you haven't installed a font with \"Italic\", "
			"\"Bold\" and \"Bold Italic\" styles! You must have at least one "
			"such font for running Quillora.");
		_AskToQuit();
	}
	if (!haveFixed && report) {
		error("Fatal error: you haven't installed a fixed font! You must have "
			"at least one such font for running Quillora.");
		_AskToQuit();
	}

	proportionalFamily = newtext(proportional);
	fixedFamily = newtext(fixed);
}


bool
Config::HasTextStyles(const char* name)
{
	if (name == nullptr)
		return false;
	font_family family;
	snprintf(family, sizeof(family), "%s", name);
	int32 styleCount = count_font_styles(family);
	int32 needed = 0;
	for (int32 j = 0; j < styleCount; j++) {
		font_style style;
		uint32 flags = 0;
		if (get_font_style(family, j, &style, &flags) != B_OK)
			continue;
		if (strcmp(style, "Italic") == 0 || strcmp(style, "Bold") == 0
			|| strcmp(style, "Bold Italic") == 0)
			needed++;
	}
	return needed == 3;
}


void
Config::Setup(Page* page)
{
	CWindow* window = new CWindow(this, page);
	window->Show();
}


// A size line: leading blanks and a sign are accepted and the digits up to
// the first other byte count; no digits read as 0. Values beyond 32 bits are
// held at the nearest 32-bit value instead of overflowing.
static int32
ReadSize(const char* line)
{
	long long value = strtoll(line, nullptr, 10);
	if (value > INT32_MAX)
		return INT32_MAX;
	if (value < INT32_MIN)
		return INT32_MIN;
	return (int32)value;
}


bool
Config::Init()
{
	BFile file(SettingsFile, B_READ_ONLY);
	if (file.InitCheck() != B_OK)
		return false;

	char* lines[10] = {};
	int32 count = 0;
	while (count < 10) {
		lines[count] = LoadUntilEnter(&file);
		if (lines[count] == nullptr)
			break;
		count++;
	}

	bool complete = count >= 3 && strcmp(lines[2], ConfigVersion) == 0;
	if (complete) {
		// Lines 4 to 8 replace the values set before, as far as they exist.
		char** fields[5] = { &applicationDirectory, &userName,
			&imageDirectory, &proportionalFamily, &fixedFamily };
		for (int32 i = 0; i < 5 && 3 + i < count; i++) {
			delete[] *fields[i];
			*fields[i] = lines[3 + i];
			lines[3 + i] = nullptr;
		}
		if (count > 8)
			proportionalSize = ReadSize(lines[8]);
		if (count > 9)
			fixedSize = ReadSize(lines[9]);
		complete = count == 10;
	}

	for (char* line : lines)
		delete[] line;
	return complete;
}


// Writes one value as one line: a line feed or carriage return inside the
// value (a pasted author name, say) becomes a blank, so that the lines after
// it keep their places.
static void
WriteValueLine(BFile* file, const char* value)
{
	if (value == nullptr || strpbrk(value, "\n\r") == nullptr) {
		WriteTextEnter(file, value);
		return;
	}
	char* line = newtext(value);
	for (char* c = line; *c != '\0'; c++) {
		if (*c == '\n' || *c == '\r')
			*c = ' ';
	}
	WriteTextEnter(file, line);
	delete[] line;
}


void
Config::Save()
{
	if (!sWritable)
		return;

	create_directory(SettingsDirectory, 0777);
	BFile file(SettingsFile, B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
	if (file.InitCheck() != B_OK)
		return;
	file.SetSize(0);

	char number[12];
	WriteValueLine(&file, kHeaderLine1);
	WriteValueLine(&file, kHeaderLine2);
	WriteValueLine(&file, ConfigVersion);
	WriteValueLine(&file, applicationDirectory);
	WriteValueLine(&file, userName);
	WriteValueLine(&file, imageDirectory);
	WriteValueLine(&file, proportionalFamily);
	WriteValueLine(&file, fixedFamily);
	WriteValueLine(&file, itoa(proportionalSize, number));
	WriteValueLine(&file, itoa(fixedSize, number));
}
