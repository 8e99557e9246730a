#include "framework/web/HtmlView.h"

#include <QtCore/QFileInfo>
#include <QtCore/QUrl>
#include <QtWebEngineCore/QWebEnginePage>
#include <QtWebEngineWidgets/QWebEngineView>
#include <QtWidgets/QVBoxLayout>

namespace {
// A page that keeps what scripts write to the console.
class RecordingPage : public QWebEnginePage {
public:
    RecordingPage(QObject* parent, std::vector<CHtmlView::ConsoleMessage>& sink) : QWebEnginePage(parent), m_sink(sink) {}

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                  const QString&) override
    {
        m_sink.push_back({int(level), CString::FromQString(message), line});
    }

private:
    std::vector<CHtmlView::ConsoleMessage>& m_sink;
};
} // namespace

QUrl TargetToUrl(const CString& target)
{
    const QString text = target.ToQString();
    const QUrl url(text);
    // "C:" style or plain paths are files; anything with a scheme of two letters or more is an address.
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

CHtmlView::CHtmlView(QWidget* parent) : QWidget(parent), m_pBrowser(new QWebEngineView(this))
{
    m_pBrowser->setPage(new RecordingPage(m_pBrowser, m_console));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pBrowser);
    connect(m_pBrowser, &QWebEngineView::loadStarted, this, [this] { m_bBusy = true; });
    connect(m_pBrowser, &QWebEngineView::loadFinished, this, [this](bool ok) {
        m_bBusy = false;
        m_bLastOk = ok;
        if (m_onLoaded)
            m_onLoaded(ok);
    });
}

CHtmlView::~CHtmlView() = default;

void CHtmlView::Navigate2(const CString& target)
{
    m_console.clear();
    m_bBusy = true;
    m_pBrowser->load(TargetToUrl(target));
}

CString CHtmlView::GetLocationURL() const { return CString::FromQString(m_pBrowser->url().toString()); }

void CHtmlView::RunScript(const CString& script, std::function<void(const QString&)> done)
{
    m_pBrowser->page()->runJavaScript(script.ToQString(), [done](const QVariant& result) {
        if (done)
            done(result.toString());
    });
}
