// The browser control as a view: navigates to a local file or an address and reports
// what the page wrote to its console.
#pragma once
#include "framework/core/CString.h"

#include <QtWidgets/QWidget>
#include <functional>
#include <vector>

class QWebEngineView;

class CHtmlView : public QWidget {
public:
    explicit CHtmlView(QWidget* parent = nullptr);
    ~CHtmlView() override;

    // A local path (absolute or relative) or an address with a scheme.
    void Navigate2(const CString& target);
    CString GetLocationURL() const;
    // 1 while a page loads, 0 when done or nothing was asked for.
    bool GetBusy() const { return m_bBusy; }
    // The outcome of the last load: true when it succeeded.
    bool LastLoadSucceeded() const { return m_bLastOk; }

    struct ConsoleMessage {
        int level; // 0 info, 1 warning, 2 error
        CString text;
        int line;
    };
    const std::vector<ConsoleMessage>& ConsoleMessages() const { return m_console; }
    // Runs a script in the page; the result's text goes to done.
    void RunScript(const CString& script, std::function<void(const QString&)> done);
    QWebEngineView* Browser() const { return m_pBrowser; }
    // Called after every load with its outcome.
    std::function<void(bool ok)> m_onLoaded;

private:
    QWebEngineView* m_pBrowser;
    std::vector<ConsoleMessage> m_console;
    bool m_bBusy = false;
    bool m_bLastOk = false;
};

// The URL of a local path or an address.
class QUrl TargetToUrl(const CString& target);
