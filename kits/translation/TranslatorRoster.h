/*
 * BTranslatorRoster: the installed translators. Here the host's image
 * readers stand behind one default roster.
 */
#ifndef _TRANSLATOR_ROSTER_H
#define _TRANSLATOR_ROSTER_H

#include <TranslationDefs.h>

class BTranslatorRoster {
public:
	BTranslatorRoster();
	virtual ~BTranslatorRoster();

	static BTranslatorRoster* Default();
};

#endif	// _TRANSLATOR_ROSTER_H
