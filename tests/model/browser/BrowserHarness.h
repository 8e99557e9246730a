// Shared pieces of the browser-control tests: a page that keeps the console's errors,
// outside addresses blocked (no network needed), scripts run and waited for, and the
// start-up settings under which a page without a view still runs its timers at speed.
#pragma once

#include <QtCore/QCoreApplication>
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
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line, const QString&) override
    {
        if (level == ErrorMessageLevel)
            errors << QStringLiteral("%1: %2").arg(line).arg(message);
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
