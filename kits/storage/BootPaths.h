/*
 * BeOS locations on the host.
 *
 * The program names BeOS locations literally ("/boot/home/config/settings/...").
 * Every storage and launch call passes its paths through translate_boot_path()
 * first, so the mapping lives here and nowhere else:
 *
 *   /boot/home/config/settings/...       $XDG_CONFIG_HOME/... (default ~/.config/...)
 *   /boot/home/config/var/...            $XDG_STATE_HOME/... (default ~/.local/state/...):
 *                                        what a program keeps between its runs
 *   /boot/home/config/be/Applications/...  ~/.local/bin/...
 *   /boot/home/...                       $HOME/...
 *   /boot/beos/apps/NetPositive          the user's web browser (web_browser_command)
 *   anything else                        unchanged
 *
 * Paths handed back by the kits (BPath::Path(), BEntry::GetPath()) are the
 * translated host paths: they name real files the user can find, and feeding
 * them back in gives the same files.
 */
#ifndef _BOOT_PATHS_H
#define _BOOT_PATHS_H

#include <string>
#include <vector>

#include <SupportDefs.h>

namespace BPrivate {

// Writes the host path for `path` into `out`. Returns true when `path` was a
// BeOS location that got translated, false when it is used as given (then
// `out` is the path as given). In a path below /boot, "." and ".." that step
// through BeOS's own folders are resolved first, so every spelling of a
// location maps alike ("/boot/home/.." is "/boot", not $HOME's parent).
// A null path gives false and an empty `out`.
bool translate_boot_path(const char* path, std::string& out);

// Convenience form of the above.
std::string boot_path(const char* path);

// For calls that create something at `path`: when `path` lies inside one of
// the translated locations, the host folder that location maps onto (~/.config,
// ~/.local/bin, $HOME) is created if it is missing, because on BeOS those
// folders always existed. Folders below it are the caller's business, as they
// were on BeOS. Returns the translated path.
std::string boot_path_for_create(const char* path);

// The host folders behind the BeOS locations, with the environment as it is now.
std::string home_directory();
std::string config_directory();		// $XDG_CONFIG_HOME or ~/.config
std::string data_directory();		// $XDG_DATA_HOME or ~/.local/share
std::string state_directory();		// $XDG_STATE_HOME or ~/.local/state
std::string user_bin_directory();	// ~/.local/bin

// Looks `name` up in $PATH; empty when not found or not executable.
std::string find_in_path(const char* name);

// The BeOS browser's place, which load_image() starts as the user's browser.
bool is_web_browser_path(const char* path);

// The argument vector (program first, as a path) that shows `url` in the
// user's web browser: the first usable command of $BROWSER, else the
// desktop's default handler for https and http addresses, else xdg-open,
// and never the running program itself. Without a `url` none is passed.
// Empty when there is no browser. (WebBrowser.cpp)
std::vector<std::string> web_browser_command(const char* url);

}	// namespace BPrivate

#endif	// _BOOT_PATHS_H
