/*
 * BNodeInfo: the type of a node.
 *
 * A type set with SetType() is kept in the extended attribute
 * "user.BEOS:TYPE"; without one the type is guessed from the node's name and
 * contents.
 */
#ifndef _NODE_INFO_H
#define _NODE_INFO_H

#include <Mime.h>
#include <Node.h>

class BNodeInfo {
public:
								BNodeInfo();
								BNodeInfo(BNode* node);
	virtual						~BNodeInfo();

			status_t			SetTo(BNode* node);
			status_t			InitCheck() const;

	// `type` must hold B_MIME_TYPE_LENGTH bytes.
	virtual	status_t			GetType(char* type) const;
	virtual	status_t			SetType(const char* type);

protected:
			BNode*				fNode;
			status_t			fCStatus;
};

#endif	// _NODE_INFO_H
