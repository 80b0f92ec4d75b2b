/*
 * File panels that list only directories and files with given extensions.
 *
 * An extension matches when one of the (up to four) listed extensions is a
 * case-insensitive prefix of it, so "htm" also lists "html" and "HTM".
 */
#ifndef QUILLORA_EXTENSIONS_FILE_PANEL_H
#define QUILLORA_EXTENSIONS_FILE_PANEL_H

#include <FilePanel.h>

class ExtensionsFileFilter : public BRefFilter {
public:
	ExtensionsFileFilter(char* ext1, char* ext2, char* ext3,
		char* ext4 = nullptr);
	virtual ~ExtensionsFileFilter();

	virtual bool Filter(const entry_ref* ref, BNode* node, struct stat* st,
		const char* filetype);

	// Fields, in this order.
	char* ext1;
	char* ext2;
	char* ext3;
	char* ext4;
};

class ExtensionsFilePanel : public BFilePanel {
public:
	ExtensionsFilePanel(char* ext1, char* ext2, char* ext3,
		file_panel_mode mode, BMessenger* target, entry_ref* startDirectory,
		bool allowMultipleSelection, BMessage* message, bool modal,
		bool hideWhenDone, char* ext4 = nullptr);
	virtual ~ExtensionsFilePanel();

private:
	ExtensionsFileFilter* fFilter;
};

#endif	// QUILLORA_EXTENSIONS_FILE_PANEL_H
