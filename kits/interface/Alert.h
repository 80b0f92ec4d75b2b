/*
 * BAlert: a modal window with a message, an icon and up to three buttons.
 *
 * Go() shows the alert and waits for a button; the caller's looper gets no
 * messages meanwhile, every other looper goes on. Enter presses the last
 * (default) button, Escape the first when there are several. The alert
 * deletes itself when it closes.
 *
 * A responder (kit extension) answers alerts without showing them: tests and
 * the program's batch modes install one with BAlert::SetResponder().
 */
#ifndef _ALERT_H
#define _ALERT_H

#include <InterfaceDefs.h>
#include <Window.h>

#include <mutex>
#include <string>
#include <vector>

class BBitmap;
class BButton;
class BInvoker;
class BTextView;

namespace BPrivate { class AlertView; }

enum alert_type {
	B_EMPTY_ALERT = 0,
	B_INFO_ALERT,
	B_IDEA_ALERT,
	B_WARNING_ALERT,
	B_STOP_ALERT
};

enum button_spacing {
	B_EVEN_SPACING = 0,
	B_OFFSET_SPACING
};

// Answers an alert in place of the user: returns the index of the button
// pressed (0 .. count - 1).
class BAlertResponder {
public:
	virtual						~BAlertResponder();
	virtual	int32				Respond(const char* title, const char* text,
									const char* const buttons[3],
									int32 count) = 0;
};

// Records every alert and answers from a queue of answers (button labels or
// indexes); with the queue empty it presses the default answer (an index;
// negative counts from the last button, so -1 is the default button).
class BRecordingAlertResponder : public BAlertResponder {
public:
								BRecordingAlertResponder(
									int32 defaultAnswer = -1);
	virtual						~BRecordingAlertResponder();

			void				AnswerWithLabel(const char* label);
			void				AnswerWithIndex(int32 index);
			void				SetDefaultAnswer(int32 index);

			int32				CountAlerts() const;
			std::string			TitleAt(int32 index) const;
			std::string			TextAt(int32 index) const;
			std::vector<std::string> ButtonsAt(int32 index) const;
			int32				AnswerAt(int32 index) const;
			std::string			LastText() const;
			void				Clear();

	virtual	int32				Respond(const char* title, const char* text,
									const char* const buttons[3],
									int32 count);

private:
	struct Record {
		std::string title;
		std::string text;
		std::vector<std::string> buttons;
		int32 answer;
	};
	struct Answer {
		std::string label;
		int32 index;
	};

	mutable std::mutex			fLock;
	std::vector<Record>			fRecords;
	std::vector<Answer>			fAnswers;
	int32						fDefault;
};

class BAlert : public BWindow {
public:
								BAlert(const char* title, const char* text,
									const char* button0,
									const char* button1 = NULL,
									const char* button2 = NULL,
									button_width width = B_WIDTH_AS_USUAL,
									alert_type type = B_INFO_ALERT);
								BAlert(const char* title, const char* text,
									const char* button0, const char* button1,
									const char* button2, button_width width,
									button_spacing spacing,
									alert_type type = B_INFO_ALERT);
	virtual						~BAlert();

	// Escape, B_ENTER or a letter that presses button `index`.
			void				SetShortcut(int32 index, char key);
			char				Shortcut(int32 index) const;

			int32				Go();
			status_t			Go(BInvoker* invoker);

	virtual	void				MessageReceived(BMessage* message);
	virtual	void				DispatchMessage(BMessage* message,
									BHandler* handler);
	virtual	bool				QuitRequested();

			BButton*			ButtonAt(int32 index) const;
			BTextView*			TextView() const { return fTextView; }
			int32				CountButtons() const { return fButtonCount; }
			alert_type			Type() const { return fType; }

	static	BPoint				AlertPosition(float width, float height);

	// NULL removes the responder. The responder is not owned.
	static	void				SetResponder(BAlertResponder* responder);
	static	BAlertResponder*	Responder();

private:
	friend class BPrivate::AlertView;

			void				_Init(const char* text, const char* button0,
									const char* button1, const char* button2,
									button_width width, button_spacing spacing,
									alert_type type);
			void				_Layout();
			void				_Pressed(int32 index);

			BPrivate::AlertView* fView;
			BTextView*			fTextView;
			BButton*			fButtons[3];
			char				fKeys[3];
			int32				fButtonCount;
			alert_type			fType;
			button_width		fWidthStyle;
			button_spacing		fSpacing;
			BInvoker*			fInvoker;
			int32*				fResultSlot;
			bool				fAnswered;
};

#endif	// _ALERT_H
