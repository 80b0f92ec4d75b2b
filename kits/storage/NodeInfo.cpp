/*
 * BNodeInfo: a node's type from its attribute, or guessed.
 */
#include <NodeInfo.h>

#include <stdio.h>
#include <string.h>

#include <Entry.h>

BNodeInfo::BNodeInfo()
	:
	fNode(NULL),
	fCStatus(B_NO_INIT)
{
}

BNodeInfo::BNodeInfo(BNode* node)
	:
	fNode(NULL),
	fCStatus(B_NO_INIT)
{
	SetTo(node);
}

BNodeInfo::~BNodeInfo()
{
}

status_t
BNodeInfo::SetTo(BNode* node)
{
	fNode = NULL;
	if (node == NULL)
		return fCStatus = B_BAD_VALUE;
	if (node->InitCheck() != B_OK)
		return fCStatus = node->InitCheck();
	fNode = node;
	return fCStatus = B_OK;
}

status_t
BNodeInfo::InitCheck() const
{
	return fCStatus;
}

status_t
BNodeInfo::GetType(char* type) const
{
	if (type == NULL)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return fCStatus;

	char stored[B_MIME_TYPE_LENGTH];
	ssize_t length = fNode->ReadAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, stored,
		sizeof(stored) - 1);
	if (length > 0) {
		stored[length] = '\0';
		if (BMimeType::IsValid(stored)) {
			strcpy(type, stored);
			return B_OK;
		}
	}

	entry_ref ref;
	BEntry entry(fNode->_Path());
	BMimeType guess;
	status_t status = entry.GetRef(&ref);
	if (status == B_OK)
		status = BMimeType::GuessMimeType(&ref, &guess);
	if (status != B_OK)
		return status;
	snprintf(type, B_MIME_TYPE_LENGTH, "%s", guess.Type());
	return B_OK;
}

status_t
BNodeInfo::SetType(const char* type)
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (type == NULL) {
		status_t status = fNode->RemoveAttr("BEOS:TYPE");
		return status == B_ENTRY_NOT_FOUND ? B_OK : status;
	}
	if (!BMimeType::IsValid(type))
		return B_BAD_VALUE;
	ssize_t written = fNode->WriteAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, type,
		strlen(type) + 1);
	return written < 0 ? (status_t)written : B_OK;
}
