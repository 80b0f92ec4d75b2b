/*
 * Recovery files: copies of a page's unsaved state, taken while it is being
 * edited (Autosaver), so that a crash, a kill or a power cut costs at most
 * the last few seconds of work. The page offers a copy newer than its file
 * when it is opened again.
 *
 * There is one file per page file, in the folder kRecoveryFolder (the
 * storage kit puts it at $XDG_STATE_HOME/Quillora/recovery, by default
 * ~/.local/state/Quillora/recovery), named after the page's file name and a
 * hash of its absolute path, so that pages of the same name in different
 * folders keep apart. A file holds a few header lines and then the bytes:
 *
 *   Quillora recovery 1
 *   Page: /the/page's/absolute/path.html      ('%', CR and LF as %25 %0D %0A)
 *   Time: 1714567890123456 2024-05-01 14:51:30  (microseconds since 1970,
 *                                              then the local time for people)
 *   Document: 123456                           (bytes that follow)
 *   HTML editor: 120000                        (only when it had text of its own)
 *   (an empty line)
 *   the document, then the HTML editor's text
 *
 * The document is what "Save page" would have written. The HTML editor's
 * text is kept as well when it had been edited since it last matched the
 * page, since those edits are in no document yet.
 */
#ifndef QUILLORA_RECOVERY_FILE_H
#define QUILLORA_RECOVERY_FILE_H

#include <SupportDefs.h>

#include <string>

#include "ReplaceFile.h"

extern const char* const kRecoveryFolder;

// The recovery file of the page at `pagePath` (an absolute path), inside
// kRecoveryFolder.
std::string recovery_file_for(const char* pagePath);

struct RecoveryCopy {
	std::string pagePath;
	// When the copy was taken: microseconds since 1970 (real_time_clock_usecs).
	bigtime_t time = 0;
	std::string document;
	bool hasSource = false;
	std::string source;
};

// The header lines of a recovery file, up to and with the empty line.
std::string recovery_header(const char* pagePath, bigtime_t time,
	size_t documentLength, bool hasSource, size_t sourceLength);

// Reads a recovery file. False when there is none, or what is there is not
// a whole recovery file (nothing is then offered from it).
bool read_recovery_copy(const char* recoveryPath, RecoveryCopy* copy);

// Writes a recovery file whole or not at all (replace_file): the header,
// then the pieces. Makes the folder (only the user may look into it) and
// clears away new files that a killed writer left half-written. Safe to call
// from any thread.
status_t write_recovery_copy(const char* recoveryPath,
	const std::string& header, const FilePiece* body, int32 count);

// Removes a recovery file; a missing one is fine.
void remove_recovery_copy(const char* recoveryPath);

// The local time of a copy as the question about it shows it:
// "2024-05-01 at 14:51:30".
std::string recovery_time_text(bigtime_t time);

#endif	// QUILLORA_RECOVERY_FILE_H
