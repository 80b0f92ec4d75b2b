/*
 * The user's settings: the program's directory, the author name, the image
 * directory and the proportional and fixed font families and sizes. The
 * application owns one Config; every other part reads its fields directly.
 *
 * Settings file (ten lines, each ended by one line feed):
 *   1-2  two fixed header lines
 *   3    ConfigVersion ("1.000")
 *   4-8  applicationDirectory, userName, imageDirectory, proportionalFamily,
 *        fixedFamily
 *   9-10 proportionalSize, fixedSize in decimal
 * Line 4 records where the program was when the file was written; at every
 * start the folder of the running program replaces it (the stored one is
 * only used when the program's own file cannot be found).
 * A value is written verbatim except that line feeds and carriage returns in
 * it become blanks, so that no value can shift the lines after it.
 */
#ifndef QUILLORA_CONFIG_H
#define QUILLORA_CONFIG_H

#include <SupportDefs.h>

class Page;

class Config {
public:
	Config();
	~Config();

	// Reads the settings file into the fields; true if all ten lines were
	// there and the version matched.
	bool Init();
	// Writes all fields to the settings file (unless writing is switched
	// off, see SetWritable).
	void Save();
	// Every field to its default, the font families chosen from the
	// installed fonts; a missing kind of font is fatal.
	void SetStandardValues();
	// Opens the settings window on this configuration for the page. Lives
	// with the settings window.
	void Setup(Page* page);

	static const char* ConfigVersion;
	// Where the file lives, as the program names it (the storage kit maps
	// /boot/home/config/settings to the desktop's configuration folder).
	static const char* SettingsDirectory;
	static const char* SettingsFile;

	// The batch modes read the settings but must never write them: with
	// writing switched off Save() does nothing. On by default.
	static void SetWritable(bool writable);
	static bool IsWritable();

	// True if the installed family has the styles "Italic", "Bold" and
	// "Bold Italic" (exact names): the proportional font needs all three.
	static bool HasTextStyles(const char* family);

	// The settings of the running program: the Config constructed last and
	// not yet destroyed, or null.
	static Config* Current();

	// True when the program's folder lies under /usr: the program was
	// installed for the whole system (by a package or an install to
	// /usr/local), which also provides its menu entry and its command.
	bool IsInstalledSystemWide() const;

	// True when the constructor found no usable settings file and wrote a
	// fresh one (the program's first start).
	bool IsFirstStart() const { return fFirstStart; }

	// Fields, in this order.
	char* applicationDirectory;
	char* userName;
	char* imageDirectory;
	int32 proportionalSize;
	int32 fixedSize;
	char* proportionalFamily;
	char* fixedFamily;

private:
	void _FreeStrings();
	// Sets applicationDirectory to the running program's folder; false when
	// the program's file cannot be found. Then, with `report`, the failure
	// is told and the folder emptied; without, the folder is left alone.
	bool _FindApplicationDirectory(bool report);
	void _AskToQuit();

	bool fFirstStart;
	bool fFontsReported;

	static bool sWritable;
	static Config* sCurrent;
};

#endif	// QUILLORA_CONFIG_H
