// Real checkers the tests hand generated output to: tidy for HTML, php -l for PHP,
// node for JavaScript, Debian's python3 (with Pillow) for pictures.
#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QList>
#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QStringList>
#include <QtCore/QTemporaryDir>
#include <QtCore/QFile>

namespace testsupport {

struct ProcessResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    bool started = false;
};

inline ProcessResult RunProcess(const QString& program, const QStringList& args, const QByteArray& input = QByteArray(), int timeoutMs = 60000)
{
    ProcessResult r;
    QProcess p;
    // Tools such as npm fail in a working folder that an earlier test removed.
    p.setWorkingDirectory(QDir::tempPath());
    p.start(program, args);
    if (!p.waitForStarted(timeoutMs))
        return r;
    r.started = true;
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(timeoutMs);
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// HTML checked by tidy; returns the errors tidy reports (empty when none). Warnings are ignored.
inline QByteArray TidyErrors(const QByteArray& html)
{
    ProcessResult r = RunProcess(QStringLiteral("tidy"), {QStringLiteral("-q"), QStringLiteral("-e"), QStringLiteral("--show-warnings"), QStringLiteral("no")}, html);
    if (!r.started)
        return "tidy could not be started";
    if (r.exitCode >= 2 || r.exitCode < 0)
        return r.err.isEmpty() ? QByteArray("tidy failed") : r.err;
    return QByteArray();
}

// PHP syntax checked by php -l; returns the error text (empty when valid).
inline QByteArray PhpLintErrors(const QByteArray& code)
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("check.php"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(code);
    f.close();
    ProcessResult r = RunProcess(QStringLiteral("php"), {QStringLiteral("-l"), path});
    if (!r.started)
        return "php could not be started";
    return r.exitCode == 0 ? QByteArray() : r.out + r.err;
}

// JavaScript syntax checked by node --check; returns the error text (empty when valid).
inline QByteArray JsSyntaxErrors(const QByteArray& script)
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("check.js"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(script);
    f.close();
    ProcessResult r = RunProcess(QStringLiteral("node"), {QStringLiteral("--check"), path});
    if (!r.started)
        return "node could not be started";
    return r.exitCode == 0 ? QByteArray() : r.err;
}

// Many scripts checked by one node process (starting node per script is what costs):
// the error text of each, in order, empty for a valid one. Each is compiled as a classic
// script, as a page's script block or handler is, and never run.
inline QList<QByteArray> JsSyntaxErrorsOfEach(const QList<QByteArray>& scripts)
{
    QList<QByteArray> errors;
    if (scripts.isEmpty())
        return errors;
    QJsonArray sources;
    for (const QByteArray& s : scripts)
        sources.append(QString::fromUtf8(s));
    static const char checker[] =
        "const vm = require('vm');"
        "const sources = JSON.parse(require('fs').readFileSync(0, 'utf8'));"
        "process.stdout.write(JSON.stringify(sources.map((s, i) => {"
        "  try { new vm.Script(s, {filename: 'script' + i + '.js'}); return ''; }"
        "  catch (e) { return String(e && e.stack || e); }"
        "})));";
    ProcessResult r = RunProcess(QStringLiteral("node"), {QStringLiteral("-e"), QString::fromLatin1(checker)},
                                 QJsonDocument(sources).toJson(QJsonDocument::Compact));
    const QJsonArray answers = QJsonDocument::fromJson(r.out).array();
    for (int i = 0; i < scripts.size(); ++i) {
        if (!r.started)
            errors << "node could not be started";
        else if (r.exitCode != 0 || answers.size() != scripts.size())
            errors << "the checker failed: " + r.err;
        else
            errors << answers[i].toString().toUtf8();
    }
    return errors;
}

// The Nu HTML checker's jar as the set-up command installs it (npm's global folder), or
// where TESSEL_VNU_JAR points; empty when it is not there.
inline QString VnuJarPath()
{
    const QString own = qEnvironmentVariable("TESSEL_VNU_JAR");
    if (!own.isEmpty())
        return QFile::exists(own) ? own : QString();
    const ProcessResult root = RunProcess(QStringLiteral("npm"), {QStringLiteral("root"), QStringLiteral("-g")});
    const QString jar = QString::fromUtf8(root.out.trimmed()) + QStringLiteral("/vnu-jar/build/dist/vnu.jar");
    return root.exitCode == 0 && QFile::exists(jar) ? jar : QString();
}

// HTML documents checked by the Nu HTML checker in one run; returns its error lines (one
// per error, naming the document by its index in the list), empty when every document is
// valid HTML5. Warnings are not errors.
inline QByteArray VnuErrors(const QList<QByteArray>& documents)
{
    const QString jar = VnuJarPath();
    if (jar.isEmpty())
        return "the Nu HTML checker (vnu-jar) is not installed";
    QTemporaryDir dir;
    QStringList args{QStringLiteral("-jar"), jar, QStringLiteral("--errors-only"), QStringLiteral("--format"), QStringLiteral("gnu")};
    for (qsizetype i = 0; i < documents.size(); ++i) {
        const QString path = dir.filePath(QStringLiteral("%1.html").arg(i));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(documents[i]);
        f.close();
        args << path;
    }
    const ProcessResult r = RunProcess(QStringLiteral("java"), args, QByteArray(), 300000);
    if (!r.started)
        return "java could not be started";
    QByteArray errors = r.out + r.err;
    errors.replace(dir.path().toUtf8() + "/", "");
    return r.exitCode == 0 ? QByteArray() : (errors.isEmpty() ? QByteArray("the checker failed") : errors);
}

// Runs a Python script with Debian's interpreter (which has python3-pil).
inline ProcessResult RunPython(const QByteArray& script, const QStringList& args = {})
{
    QStringList a{QStringLiteral("-c"), QString::fromUtf8(script)};
    a += args;
    return RunProcess(QStringLiteral("/usr/bin/python3"), a);
}

} // namespace testsupport
