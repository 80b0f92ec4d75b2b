/*
 * BSeparatorItem lives with BMenuItem; this header is for code that names it.
 */
#ifndef _SEPARATOR_ITEM_H
#define _SEPARATOR_ITEM_H

#include <MenuItem.h>

#endif	// _SEPARATOR_ITEM_H
