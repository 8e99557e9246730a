// Shared pieces of the browser-control tests: a page that keeps the console's errors,
// outside addresses blocked (no network needed), scripts run and waited for, and the
// start-up settings under which a page without a view still runs its timers at speed.
#pragma once

#include <QtCore/QCoreApplication>
#include <QtCore/QDeadlineTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QStringList>
#include <QtCore/QTimer>
#include <QtCore/QUrl>
#include <QtCore/QVariant>
#include <QtWebEngineCore/QWebEnginePage>
#include <QtWebEngineCore/QWebEngineProfile>
#include <QtWebEngineCore/QWebEngineUrlRequestInterceptor>

namespace browsertest {

class Blocker : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        if (!info.requestUrl().isLocalFile())
            info.block(true);
    }
};

class ConsolePage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    QStringList errors;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line, const QString& source) override
    {
        if (level == ErrorMessageLevel)
            errors << QStringLiteral("%1:%2: %3").arg(source).arg(line).arg(message);
    }
};

// A page in its own profile that reaches local files only.
struct Browser {
    QWebEngineProfile profile;
    Blocker blocker;
    ConsolePage page{&profile};
    Browser() { profile.setUrlRequestInterceptor(&blocker); }
};

inline void Wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

inline QVariant RunScript(QWebEnginePage& page, const QString& script)
{
    QVariant result;
    QEventLoop loop;
    page.runJavaScript(script, [&](const QVariant& v) {
        result = v;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    return result;
}

inline bool LoadFile(QWebEnginePage& page, const QString& path)
{
    QEventLoop loop;
    bool loaded = false;
    const auto connection = QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, [&](bool ok) {
        loaded = ok;
        loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    page.load(QUrl::fromLocalFile(path));
    loop.exec();
    QObject::disconnect(connection);
    return loaded;
}

// Polls until ready() holds, running the event loop between looks: a state, not a time,
// ends the wait. False when the ceiling passed first (kept generous for a loaded machine).
template <class Ready>
bool WaitFor(Ready ready, int ceilingMs = 15000, int stepMs = 20)
{
    const QDeadlineTimer deadline(ceilingMs);
    while (!ready()) {
        if (deadline.hasExpired())
            return false;
        Wait(stepMs);
    }
    return true;
}

// After the load event: the document and every picture in it complete. The script's
// answer also comes after any console message the page sent before it.
inline bool Settle(QWebEnginePage& page, int ceilingMs = 15000)
{
    return WaitFor([&] {
        return RunScript(page, QStringLiteral("document.readyState === 'complete' && Array.from(document.images).every(i => i.complete)")).toBool();
    }, ceilingMs);
}

// Replaces the page's setTimeout and clearTimeout by a queue the test runs by hand
// (FireTimers), so a test of a delay checks the delay asked for and what happens when
// it runs out, without waiting for it. Call after the load.
inline void TakeOverTimers(QWebEnginePage& page)
{
    RunScript(page, QStringLiteral(
        "window.__timers = [];"
        "window.setTimeout = function(f, ms) { __timers.push({f: f, ms: ms || 0, live: true}); return __timers.length; };"
        "window.clearTimeout = function(id) { if (id > 0 && id <= __timers.length) __timers[id - 1].live = false; };"
        "0"));
}

// The delays of the timers now waiting, in the order they were set ("1000", "" for none).
inline QString PendingTimers(QWebEnginePage& page)
{
    return RunScript(page, QStringLiteral("__timers.filter(t => t.live).map(t => t.ms).join(' ')")).toString();
}

// Runs every waiting timer as if its time had come.
inline void FireTimers(QWebEnginePage& page)
{
    RunScript(page, QStringLiteral(
        "(function() { const due = __timers.filter(t => t.live); due.forEach(t => t.live = false);"
        " due.forEach(t => typeof t.f === 'function' ? t.f() : (0, eval)(t.f)); })(); 0"));
}

// Before the application object: no sandbox, no GPU, and timers of a page without a
// view (counted as hidden) are not slowed down.
inline void PrepareEnvironment()
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu --disable-background-timer-throttling --disable-renderer-backgrounding --disable-backgrounding-occluded-windows");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace browsertest
