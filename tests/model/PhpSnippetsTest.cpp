// The Insert/PHP snippets: each is valid PHP 8 and runs with php-cli on a posted form whose
// values try to break out (quotes, a dollar sign, a script tag), echoing them escaped.
#include "model/PhpSnippets.h"
#include "support/ExternalTools.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using testsupport::PhpLintErrors;
using testsupport::RunProcess;

const QByteArray kHostile = "It's \"quoted\" $HOME <script>alert(1)</script>";

// Runs a snippet in a folder of its own, as if the form had been posted; the mail command
// is a stub that keeps the message. Returns the page text; mail gets what was mailed.
// method and fields tell the request: without fields nothing is posted.
QByteArray RunSnippet(const CString& snippet, const QTemporaryDir& dir, QByteArray* mail = nullptr,
                      const char* method = "POST", bool fields = true)
{
    const QString record = dir.filePath(QStringLiteral("mail.txt"));
    const QString stub = dir.filePath(QStringLiteral("sendmail.sh"));
    QFile s(stub);
    EXPECT_TRUE(s.open(QIODevice::WriteOnly));
    s.write("#!/bin/sh\ncat > '" + record.toUtf8() + "'\n");
    s.close();
    s.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString page = dir.filePath(QStringLiteral("page.php"));
    QFile p(page);
    EXPECT_TRUE(p.open(QIODevice::WriteOnly));
    p.write("<?php\r\n" + QByteArray(snippet.GetString()) + "\r\n?>\r\n");
    p.close();
    const QString runner = dir.filePath(QStringLiteral("run.php"));
    QFile r(runner);
    EXPECT_TRUE(r.open(QIODevice::WriteOnly));
    const QByteArray posted = fields ? "$_SERVER['HTTP_USER_AGENT'] = $_POST['name'] = "
                                       "'It\\'s \"quoted\" $HOME <script>alert(1)</script>'; $_POST['x'] = '3'; $_POST['y'] = '4'; "
                                     : "$_POST = [];";
    r.write("<?php $_SERVER['REQUEST_METHOD'] = '" + QByteArray(method) + "'; " + posted
            + " $_REQUEST = $_POST; chdir(" + QByteArray("'") + dir.path().toUtf8() + "'); include 'page.php';");
    r.close();
    const testsupport::ProcessResult result =
        RunProcess(QStringLiteral("php"), {QStringLiteral("-d"), QStringLiteral("sendmail_path=") + stub,
                                           QStringLiteral("-d"), QStringLiteral("error_reporting=E_ALL"),
                                           QStringLiteral("-d"), QStringLiteral("display_errors=stderr"), runner});
    EXPECT_TRUE(result.started) << "php-cli is needed";
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_FALSE(result.err.contains("Fatal")) << result.err.constData();
    EXPECT_FALSE(result.err.contains("Deprecated")) << result.err.constData();
    if (mail) {
        QFile m(record);
        *mail = m.open(QIODevice::ReadOnly) ? m.readAll() : QByteArray();
    }
    return result.out;
}

TEST(PhpSnippets, TitlesInOrder)
{
    EXPECT_STREQ(PhpSnippetTitle(0), "Empty PHP");
    EXPECT_STREQ(PhpSnippetTitle(5), "Send all form fields by email");
    EXPECT_STREQ(PhpSnippetTitle(9), "Insert HTML from external file");
    EXPECT_EQ(PhpSnippetTitle(10), nullptr);
    EXPECT_EQ(PhpSnippetTitle(-1), nullptr);
    EXPECT_TRUE(BuildPhpSnippet(0, "a@b.c").IsEmpty());
    EXPECT_TRUE(BuildPhpSnippet(10, "a@b.c").IsEmpty());
    EXPECT_EQ(BuildPhpSnippet(3, "a@b.c"), CString("echo date('Y-m-d');"));
    EXPECT_EQ(BuildPhpSnippet(9, "a@b.c"), CString("include('externalfile.inc');"));
}

TEST(PhpSnippets, EachLintsAndRunsOnPhp8)
{
    const char* const address = "o'brien\\@example.com";
    for (int row = 1; row < kPhpSnippetCount; ++row) {
        SCOPED_TRACE(row);
        const CString code = BuildPhpSnippet(row, address);
        EXPECT_FALSE(code.IsEmpty());
        EXPECT_EQ(PhpLintErrors("<?php\r\n" + QByteArray(code.GetString()) + "\r\n?>"), QByteArray());
        for (const char* gone : {"each(", "insert(", "return;"})
            EXPECT_LT(code.Find(gone), 0) << gone;
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QByteArray mail;
        const QByteArray page = RunSnippet(code, dir, &mail);
        EXPECT_FALSE(page.contains("<script>")) << page.constData();
        if (row == 2 || row == 4 || row == 5 || row == 6) {
            EXPECT_TRUE(page.contains("It&#039;s &quot;quoted&quot; $HOME &lt;script&gt;")) << page.constData();
        }
        if (row == 4 || row == 5 || row == 6) {
            EXPECT_TRUE(page.contains("name : ")) << page.constData();
            EXPECT_FALSE(page.contains("x : 3")) << "the image button's coordinates are left out";
        }
        if (row == 5) {
            EXPECT_TRUE(mail.contains("To: o'brien\\@example.com")) << mail.constData();
            EXPECT_TRUE(mail.contains("Subject: Email Subject")) << mail.constData();
            EXPECT_TRUE(mail.contains("name : " + kHostile)) << "the mail is plain text: " << mail.constData();
        }
        if (row == 6) {
            QFile data(QDir(dir.path()).filePath(QStringLiteral("mydata.txt")));
            ASSERT_TRUE(data.open(QIODevice::ReadOnly));
            const QByteArray text = data.readAll();
            EXPECT_TRUE(text.startsWith("*** ")) << text.constData();
            EXPECT_TRUE(text.contains("***************************\r\n\r\n"));
        }
        if (row == 7) {
            EXPECT_EQ(page.trimmed(), QByteArray("1"));
            EXPECT_EQ(RunSnippet(code, dir).trimmed(), QByteArray("2")) << "the count goes on";
        }
        if (row == 8) {
            EXPECT_TRUE(page.startsWith("PHP Version: 8")) << page.constData();
        }
    }
}

// A visit that posted nothing mails nothing; an address that is not plain is mailed to but
// never written into the headers.
TEST(PhpSnippets, TheMailerSendsOnlyPostedFieldsAndKeepsOddAddressesOutOfTheHeaders)
{
    const CString code = BuildPhpSnippet(5, "me@example.com");
    struct Case {
        const char* method;
        bool fields;
        bool mailed;
    } const cases[] = {{"GET", false, false}, {"POST", false, false}, {"GET", true, false}, {"POST", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.method) + (c.fields ? " with fields" : " without fields"));
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QByteArray mail;
        RunSnippet(code, dir, &mail, c.method, c.fields);
        EXPECT_EQ(!mail.isEmpty(), c.mailed) << mail.constData();
        if (c.mailed) {
            EXPECT_TRUE(mail.contains("From: me@example.com\r\n")) << mail.constData();
        }
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QByteArray mail;
    RunSnippet(BuildPhpSnippet(5, "me@example.com\nBcc: victim@example.org"), dir, &mail);
    EXPECT_FALSE(mail.contains("From:")) << mail.constData();
    EXPECT_FALSE(mail.contains("\nBcc:")) << "no header line of its own: " << mail.constData();
    EXPECT_TRUE(mail.contains("name : ")) << "the fields still go: " << mail.constData();
}

TEST(PhpSnippets, TheMailAddressComesFromTheCaller)
{
    EXPECT_GE(BuildPhpSnippet(5, "first@example.com").Find("$youremail = 'first@example.com';"), 0);
    EXPECT_GE(BuildPhpSnippet(5, "a'b@example.com").Find("$youremail = 'a\\'b@example.com';"), 0);
}

} // namespace
