/*
 * BMimeType: a MIME type string ("text/html"), checked for form.
 *
 * There is no MIME database behind it: types of files are guessed from their
 * names (and from the ELF magic for programs).
 */
#ifndef _MIME_TYPE_H
#define _MIME_TYPE_H

#include <string>

#include <StorageDefs.h>

struct entry_ref;

class BMimeType {
public:
								BMimeType();
								BMimeType(const char* mimeType);
								BMimeType(const BMimeType& other);
	virtual						~BMimeType();

			status_t			SetTo(const char* mimeType);
			status_t			SetType(const char* mimeType);
			void				Unset();
			status_t			InitCheck() const;

	// NULL when not initialised.
			const char*			Type() const;
			bool				IsValid() const;
			bool				IsSupertypeOnly() const;
			status_t			GetSupertype(BMimeType* supertype) const;

	// Case-insensitive, as MIME types are.
			bool				operator==(const BMimeType& type) const;
			bool				operator==(const char* type) const;
			BMimeType&			operator=(const BMimeType& other);

	static	bool				IsValid(const char* mimeType);

	// From the file name's extension ("page.HTML" gives "text/html"); a name
	// without a known extension gives "application/octet-stream".
	static	status_t			GuessMimeType(const char* filename,
									BMimeType* type);
	// Also looks at the file: directories, links and programs get their own
	// types.
	static	status_t			GuessMimeType(const entry_ref* file,
									BMimeType* type);
	static	status_t			GuessMimeType(const void* buffer, int32 length,
									BMimeType* type);

private:
			std::string			fType;
			status_t			fCStatus;
};

#endif	// _MIME_TYPE_H
