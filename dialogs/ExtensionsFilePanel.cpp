/*
 * File panels that list directories and files with given extensions.
 */
#include "ExtensionsFilePanel.h"

#include <Entry.h>

#include <string.h>
#include <sys/stat.h>

#include "Functions.h"


ExtensionsFileFilter::ExtensionsFileFilter(char* first, char* second,
	char* third, char* fourth)
	:
	ext1(newtext(first)),
	ext2(newtext(second)),
	ext3(newtext(third)),
	ext4(newtext(fourth))
{
}


ExtensionsFileFilter::~ExtensionsFileFilter()
{
	delete[] ext1;
	delete[] ext2;
	delete[] ext3;
	delete[] ext4;
}


bool
ExtensionsFileFilter::Filter(const entry_ref* ref, BNode* /*node*/,
	struct stat* st, const char* /*filetype*/)
{
	// Directories are always listed so that the user can move through them.
	if (st != nullptr && S_ISDIR(st->st_mode))
		return true;

	BEntry entry(ref, true);
	char name[B_FILE_NAME_LENGTH];
	if (entry.GetName(name) != B_OK)
		return false;

	// A dot in first place starts a hidden name, not an extension.
	const char* dot = strrchr(name, '.');
	if (dot == nullptr || dot == name)
		return false;
	const char* extension = dot + 1;

	const char* extensions[4] = { ext1, ext2, ext3, ext4 };
	for (const char* wanted : extensions) {
		if (wanted != nullptr && strcmpxcase(wanted, extension))
			return true;
	}
	return false;
}


ExtensionsFilePanel::ExtensionsFilePanel(char* ext1, char* ext2, char* ext3,
	file_panel_mode mode, BMessenger* target, entry_ref* startDirectory,
	bool allowMultipleSelection, BMessage* message, bool modal,
	bool hideWhenDone, char* ext4)
	:
	BFilePanel(mode, target, startDirectory, 0, allowMultipleSelection,
		message, nullptr, modal, hideWhenDone),
	fFilter(new ExtensionsFileFilter(ext1, ext2, ext3, ext4))
{
	SetRefFilter(fFilter);
}


ExtensionsFilePanel::~ExtensionsFilePanel()
{
	// The panel does not own its filter.
	SetRefFilter(nullptr);
	delete fFilter;
}
