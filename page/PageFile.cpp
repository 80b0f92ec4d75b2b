// Writing the page file. A save goes to a new file beside the page that is
// then renamed over it (replace_file), so a write that fails half-way leaves
// the old page as it was. Where that cannot be done the page is written in place: when
// its folder takes no new file (the user may write the page but not the
// folder), and when the page has other names (hard links), which a new file
// renamed over this one would leave holding the old page.

#include "Page.h"

#include <Entry.h>
#include <File.h>
#include <Errors.h>
#include <Path.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "Alerts.h"
#include "Functions.h"
#include "ReplaceFile.h"

void
Page::_ReopenFile()
{
	// The file may have been replaced under the same name since it was
	// opened (by our own saves or by another program); read what the name
	// holds now.
	if (path == nullptr)
		return;
	BEntry entry(path, true);
	uint32 mode = readOnly ? B_READ_ONLY : B_READ_WRITE;
	BFile* reopened = new BFile(&entry, mode);
	if (reopened->InitCheck() != B_OK) {
		delete reopened;
		return;
	}
	delete file;
	file = reopened;
}


bool
Page::_WriteFile(const char* data, size_t length)
{
	if (path == nullptr || readOnly) {
		error("Could not save the page file \"", path, "\": the page is open "
			"for reading only.");
		return false;
	}

	// A link to the page keeps being a link; the file it leads to is
	// written.
	BEntry target(path, true);
	BPath targetPath;
	if (target.InitCheck() != B_OK || target.GetPath(&targetPath) != B_OK) {
		error("Could not save the page file \"", path, "\": its folder "
			"cannot be found.");
		return false;
	}
	// A page the user may not write to stays as it is, even where its
	// folder would let a new file take its place.
	if (target.Exists()) {
		BFile probe(&target, B_WRITE_ONLY);
		if (probe.InitCheck() != B_OK) {
			error("Could not save the page file \"", path, "\": ",
				strerror_status(probe.InitCheck()));
			return false;
		}
		struct stat st;
		if (target.GetStat(&st) == B_OK && st.st_nlink > 1)
			return _WriteInPlace(target, data, length);
	}

	bool notCreated = false;
	FilePiece piece = { data, length };
	status_t status = replace_file(targetPath.Path(), &piece, 1,
		target.Exists() ? &target : nullptr, kDefaultPermissions, &notCreated);
	if (notCreated && target.Exists())
		return _WriteInPlace(target, data, length);
	if (status != B_OK) {
		error("Could not save the page file \"", path, "\": ",
			strerror_status(status));
		return false;
	}

	_ReopenFile();
	return true;
}


bool
Page::_WriteInPlace(const BEntry& target, const char* data, size_t length)
{
	// The page's own bytes are overwritten, so they are kept until the new
	// ones are all written and put back when writing stops half-way (a full
	// disk, a quota): the page is then as it was, as with a failed rename.
	BFile pageFile(&target, B_READ_WRITE);
	status_t status = pageFile.InitCheck();
	std::string old;
	bool restorable = false;
	if (status == B_OK) {
		off_t size = 0;
		if (pageFile.GetSize(&size) == B_OK) {
			old.resize((size_t)size);
			restorable = size == 0
				|| pageFile.ReadAtExactly(0, &old[0], old.size()) == B_OK;
		}
		status = pageFile.WriteAtExactly(0, data, length);
		if (status == B_OK)
			status = pageFile.SetSize((off_t)length);
		if (status == B_OK)
			status = pageFile.Sync();
		if (status != B_OK && restorable) {
			if (pageFile.WriteAtExactly(0, old.data(), old.size()) == B_OK)
				pageFile.SetSize((off_t)old.size());
			pageFile.Sync();
		}
	}
	if (status != B_OK) {
		error("Could not save the page file \"", path, "\": ",
			strerror_status(status));
		return false;
	}
	_ReopenFile();
	return true;
}
