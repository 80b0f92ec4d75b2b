/*
 * BStringItem lives with BListItem; this header is for code that names it.
 */
#ifndef _STRING_ITEM_H
#define _STRING_ITEM_H

#include <ListItem.h>

#endif	// _STRING_ITEM_H
