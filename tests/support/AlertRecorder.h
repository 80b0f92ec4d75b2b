/*
 * The alert responder the tests install: every alert is recorded and
 * answered (see BRecordingAlertResponder). It answers for as long as it
 * lives and then gives the answering back to whoever had it before.
 */
#ifndef QUILLORA_TEST_ALERT_RECORDER_H
#define QUILLORA_TEST_ALERT_RECORDER_H

#include <Alert.h>

namespace quillora_test {

class AlertRecorder : public BRecordingAlertResponder {
public:
	explicit AlertRecorder(int32 defaultAnswer = -1)
		:
		BRecordingAlertResponder(defaultAnswer),
		fPrevious(BAlert::Responder())
	{
		BAlert::SetResponder(this);
	}

	~AlertRecorder() override
	{
		// A test may have put another responder in place meanwhile; that
		// one stays.
		if (BAlert::Responder() == this)
			BAlert::SetResponder(fPrevious);
	}

	AlertRecorder(const AlertRecorder&) = delete;
	AlertRecorder& operator=(const AlertRecorder&) = delete;

private:
	BAlertResponder* fPrevious;
};

}	// namespace quillora_test

#endif	// QUILLORA_TEST_ALERT_RECORDER_H
