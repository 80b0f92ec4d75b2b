/*
 * BAppFileInfo: what a program file declares about itself: its type, its
 * application signature and the document types it opens.
 *
 * The type and the signature are extended attributes of the file
 * ("user.BEOS:TYPE", "user.BEOS:APP_SIG"). A file without a stored signature
 * that is the running program itself has the signature its BApplication was
 * created with. Supported types become a desktop entry
 * ($XDG_DATA_HOME/applications, default ~/.local/share/applications) named
 * after the signature, which starts the program with the document
 * ("Exec=... %f") and lists the types in its MimeType key, so the desktop
 * offers the program for those documents. GetSupportedTypes() reads that
 * entry back.
 *
 * The BMessage forms are written inline over string-list forms, so the kit
 * itself does not need the application kit; a caller that passes messages
 * links it anyway.
 */
#ifndef _APP_FILE_INFO_H
#define _APP_FILE_INFO_H

#include <string>
#include <vector>

class BMessage;

#include <Message.h>
#include <NodeInfo.h>

class BFile;

class BAppFileInfo : public BNodeInfo {
public:
								BAppFileInfo();
								BAppFileInfo(BFile* file);
	virtual						~BAppFileInfo();

			status_t			SetTo(BFile* file);

	virtual	status_t			GetType(char* type) const;
	virtual	status_t			SetType(const char* type);

	// `signature` must hold B_MIME_TYPE_LENGTH bytes.
			status_t			GetSignature(char* signature) const;
			status_t			SetSignature(const char* signature);

	// "types": one string per supported type.
			status_t			GetSupportedTypes(BMessage* types) const;
			status_t			SetSupportedTypes(const BMessage* types,
									bool syncAll);
			status_t			SetSupportedTypes(const BMessage* types);
			bool				IsSupportedType(const char* type) const;
			bool				Supports(BMimeType* type) const;

	// The same without messages. An empty list removes the desktop entry.
			status_t			GetSupportedTypeList(
									std::vector<std::string>& types) const;
			status_t			SetSupportedTypeList(
									const std::vector<std::string>& types);

	// Where the desktop entry for `signature` lives.
	static	std::string			DesktopEntryPath(const char* signature);

private:
			status_t			_Signature(std::string& signature) const;
};

inline status_t
BAppFileInfo::GetSupportedTypes(BMessage* types) const
{
	if (types == NULL)
		return B_BAD_VALUE;
	std::vector<std::string> list;
	status_t status = GetSupportedTypeList(list);
	if (status != B_OK)
		return status;
	types->RemoveName("types");
	for (const std::string& type : list) {
		status = types->AddString("types", type.c_str());
		if (status != B_OK)
			return status;
	}
	return B_OK;
}

inline status_t
BAppFileInfo::SetSupportedTypes(const BMessage* types, bool /*syncAll*/)
{
	std::vector<std::string> list;
	if (types != NULL) {
		const char* type;
		for (int32 i = 0; types->FindString("types", i, &type) == B_OK; i++) {
			if (!BMimeType::IsValid(type))
				return B_BAD_VALUE;
			list.push_back(type);
		}
	}
	return SetSupportedTypeList(list);
}

inline status_t
BAppFileInfo::SetSupportedTypes(const BMessage* types)
{
	return SetSupportedTypes(types, false);
}

namespace BPrivate {

// Told by BApplication: the signature of the running program, used for its
// own executable when the file stores none.
void set_running_app_signature(const char* signature);
std::string running_app_signature();

}	// namespace BPrivate

#endif	// _APP_FILE_INFO_H
