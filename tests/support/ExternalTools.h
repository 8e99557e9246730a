// Real checkers the tests hand generated output to: tidy for HTML, php -l for PHP,
// node --check for JavaScript, Debian's python3 (with Pillow) for pictures.
#pragma once
#include <QtCore/QByteArray>
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

// Runs a Python script with Debian's interpreter (which has python3-pil).
inline ProcessResult RunPython(const QByteArray& script, const QStringList& args = {})
{
    QStringList a{QStringLiteral("-c"), QString::fromUtf8(script)};
    a += args;
    return RunProcess(QStringLiteral("/usr/bin/python3"), a);
}

} // namespace testsupport
