#include "ftpexplorer/History.h"
#include "ftpexplorer/FtpTranslate.h"

namespace {
std::vector<CHistoryEvent>& Events()
{
    static std::vector<CHistoryEvent> events;
    return events;
}
std::function<void(const CHistoryEvent&)>& Listener()
{
    static std::function<void(const CHistoryEvent&)> listener;
    return listener;
}
} // namespace

CHistoryEvent AddHistoryEvent(const CString& event, const CString& description, int icon)
{
    Events().push_back(CHistoryEvent {event, description, std::time(nullptr), icon});
    if (Listener())
        Listener()(Events().back());
    return Events().back();
}

const std::vector<CHistoryEvent>& GetHistoryEvents()
{
    return Events();
}

void SetHistoryListener(std::function<void(const CHistoryEvent&)> listener)
{
    Listener() = std::move(listener);
}

void ClearHistoryEvents()
{
    Events().clear();
}

void LogUnsafeName(const CString& name, const CString& folder)
{
    AddHistoryEvent(FtpFormat("Failed:%s", {name.GetString()}),
                    FtpFormat("Unsafe file name skipped in %s", {folder.GetString()}), HISTORY_ERROR);
}
