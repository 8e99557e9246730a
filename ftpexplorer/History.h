// The program-wide history log: every connection, transfer, deletion and failure, in the
// order logged, kept until the program ends.
#pragma once
#include "framework/core/CString.h"
#include <ctime>
#include <functional>
#include <vector>

struct CHistoryEvent {
    CString m_strEvent;
    CString m_strDescription;
    std::time_t m_time = 0; // local time of logging
    int m_nIcon = 0;
};

// History icons.
enum : int {
    HISTORY_FOLDER = 0,
    HISTORY_UPLOADED = 1,
    HISTORY_DOWNLOADED = 2,
    HISTORY_ERROR = 3,
    HISTORY_CONNECTED = 4,
    HISTORY_DISCONNECTED = 5,
    HISTORY_DELETED = 6,
};

CHistoryEvent AddHistoryEvent(const CString& event, const CString& description, int icon);
const std::vector<CHistoryEvent>& GetHistoryEvents();
// Logs a name from a listing that was not used because it could leave its folder.
void LogUnsafeName(const CString& name, const CString& folder);
// Called after each new event (the history window refreshes itself).
void SetHistoryListener(std::function<void(const CHistoryEvent&)> listener);
// For tests.
void ClearHistoryEvents();
