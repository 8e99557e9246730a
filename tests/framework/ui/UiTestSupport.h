// Shared pieces of the GUI tests: one QApplication for the program, and a recorder of
// message boxes.
#pragma once
#include "framework/core/MessageBox.h"

#include <vector>

struct RecordedMessage {
    CString text;
    CString caption;
    unsigned type;
};

// Records every message box while alive and answers with a fixed button.
class MessageRecorder {
public:
    explicit MessageRecorder(int answer = IDOK)
    {
        m_previous = SetMessageBoxHandler([this, answer](const CString& text, const CString& caption, unsigned type) {
            messages.push_back({text, caption, type});
            return answer;
        });
    }
    ~MessageRecorder() { SetMessageBoxHandler(std::move(m_previous)); }
    std::vector<RecordedMessage> messages;

private:
    MessageBoxHandler m_previous;
};
