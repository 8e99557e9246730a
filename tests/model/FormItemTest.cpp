#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "model/GroupItem.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/CheckBoxItem.h"
#include "model/items/DatePickerItem.h"
#include "model/items/FormItem.h"
#include "model/items/InputFieldItem.h"
#include "model/items/ListControlItem.h"
#include "model/items/RadioChoiceItem.h"
#include "model/items/SubmitButtonItem.h"
#include "model/items/TextAreaItem.h"
#include "support/ExternalTools.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <vector>

namespace {

template <typename T> T* Field(const char* name, int y)
{
    auto* f = new T;
    f->m_strName = name;
    f->m_nX = 10;
    f->m_nY = y;
    f->RecalcLayout();
    return f;
}

// A positioned form without fill or padding.
std::unique_ptr<CFormItem> Form(const char* name)
{
    auto form = std::make_unique<CFormItem>();
    form->m_strName = name;
    form->m_bPositioned = 1;
    form->m_nWidth = 400;
    form->m_nHeight = 300;
    form->m_nWidthMode = 1;
    form->m_nHeightMode = 1;
    form->m_pFill.reset();
    form->m_pPadding.reset();
    form->m_nSerial = 42;
    return form;
}

CString Body(CItem& item, int mode = kPublishExport)
{
    CPageOutput out;
    out.m_nMode = mode;
    item.WriteHtml(out);
    return out.m_strBody;
}

TEST(FormHtml, StartTagHiddenInputsAndEnd)
{
    struct Case {
        const char* what;
        std::function<void(CFormItem&)> set;
        const char* expectedStart; // after "<form id=..."; %S the style attribute
        const char* expectedHidden;
    };
    const Case cases[] = {
        {"defaults: post, no action", [](CFormItem&) {}, "%S method=\"post\">\r\n", ""},
        {"get, url-encoded, action in a new window", [](CFormItem& f) {
             f.m_nMethod = 1;
             f.m_nEncoding = 1;
             f.m_link.m_nKind = 2;
             f.m_link.m_strUrl = "send.php?a=1&b=\"2\"";
             f.m_link.m_bNewWindow = 1;
         }, "%S action=\"send.php?a=1&amp;b=%222%22\" target=\"_blank\" method=\"get\" enctype=\"application/x-www-form-urlencoded\">\r\n", ""},
        {"unknown method, multipart", [](CFormItem& f) {
             f.m_nMethod = 5;
             f.m_nEncoding = 2;
         }, "%S enctype=\"multipart/form-data\">\r\n", ""},
        {"hidden lines with CR LF, a trailing empty line", [](CFormItem& f) { f.m_strText.SetText(u"a=1\r\nb=2\r\n"); }, "%S method=\"post\">\r\n",
            "<input type=\"hidden\" name=\"a\" value=\"1\">\r\n<input type=\"hidden\" name=\"b\" value=\"2\">\r\n<input type=\"hidden\" name=\"\" value=\"\">\r\n"},
        {"line without '=' and a second '=', quotes escaped", [](CFormItem& f) { f.m_strText.SetText(u"flag\nk=v=w\nq=\"x\"<"); }, "%S method=\"post\">\r\n",
            "<input type=\"hidden\" name=\"flag\" value=\"flag\">\r\n<input type=\"hidden\" name=\"k\" value=\"v=w\">\r\n<input type=\"hidden\" name=\"q\" value=\"&quot;x&quot;<\">\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto form = Form("f1");
        c.set(*form);
        CString start = c.expectedStart;
        const CString style = form->GetStyle();
        start.Replace("%S", style.IsEmpty() ? CString() : " style=\"" + style + "\"");
        EXPECT_EQ(Body(*form), "<form id=\"f1\"" + start + c.expectedHidden + "</form>\r\n");
    }
}

TEST(FormHtml, ValidationFunctionOnlyForRequiredDirectFields)
{
    auto form = Form("contact");
    auto* name = Field<CInputFieldItem>("name", 10);
    name->m_bRequired = 1;
    name->m_nMinLength = 2;
    auto* notRequired = Field<CInputFieldItem>("other", 40);
    notRequired->m_nMinLength = 5; // rules of a field that is not required are not asked
    auto* send = Field<CSubmitButtonItem>("send", 70);
    send->m_bRequired = 1; // a button has no rules and does not count
    form->AddChild(notRequired);
    form->AddChild(send);
    EXPECT_FALSE(form->HasRequiredField());
    EXPECT_EQ(Body(*form).Find("onSubmit"), -1);
    auto* nested = new CGroupItem;
    auto* inner = Field<CCheckBoxItem>("inner", 0);
    inner->m_bRequired = 1;
    nested->AddChild(inner);
    form->AddChild(nested);
    EXPECT_FALSE(form->HasRequiredField());
    form->AddChild(name);
    ASSERT_TRUE(form->HasRequiredField());
    const CString html = Body(*form);
    EXPECT_EQ(html.Left(html.Find("<form")),
        CString("<script type=\"text/javascript\">\r\nfunction validatecontact(form) { \r\n"
                "if(form.name.value.length==0) { alert('This field is required.'); form.name.focus(); return false; }"
                "if(form.name.value.length<2) { alert('This field must have at least 2 characters.'); form.name.focus(); return false; }"
                "\r\n return true; } </script>\r\n"));
    EXPECT_NE(html.Find(" method=\"post\" onSubmit=\"return validatecontact(this);\">"), -1);
}

TEST(FormHtml, ScriptNameIsAnIdentifier)
{
    auto form = Form("my form-1");
    auto* box = Field<CCheckBoxItem>("ok", 10);
    box->m_bRequired = 1;
    form->AddChild(box);
    const CString html = Body(*form);
    EXPECT_NE(html.Find("function validatemy_form_1(form) { "), -1);
    EXPECT_NE(html.Find("onSubmit=\"return validatemy_form_1(this);\""), -1);
}

TEST(FormHtml, RawTextOfAChildDoesNotReachTheNext)
{
    auto form = Form("f");
    auto* raw = Field<CRadioChoiceItem>("r", 10);
    raw->m_bRawText = 1;
    raw->m_strText.SetText(u"<b>A</b>=1");
    raw->RecalcLayout();
    auto* box = Field<CCheckBoxItem>("c", 80);
    box->m_strText.SetText(u"x<y");
    form->AddChild(raw);
    form->AddChild(box);
    const CString html = Body(*form);
    EXPECT_NE(html.Find("<td><b>A</b></td>"), -1);
    EXPECT_NE(html.Find("&nbsp;x&lt;y</span>"), -1);
}

// A form with one of every field, placed on a whole page.
std::unique_ptr<CFormItem> FullForm()
{
    auto form = Form("order");
    form->m_strText.SetText(u"source=web\nnote=\"quoted\" & <angled>");
    auto* name = Field<CInputFieldItem>("name", 10);
    name->m_bRequired = 1;
    name->m_strRequiredMessage.SetText(u"Please, don't forget your name");
    name->m_strRequiredChars.SetText(u"]");
    name->m_strRuleMessage.SetText(u"It's missing a ]");
    form->AddChild(name);
    auto* area = Field<CTextAreaItem>("msg", 40);
    area->m_strText.SetText(u"</textarea><b>");
    form->AddChild(area);
    auto* list = Field<CListControlItem>("colour", 110);
    list->m_strText.SetText(u"Red=r\nGreen=g");
    list->RecalcLayout();
    form->AddChild(list);
    form->AddChild(Field<CDatePickerItem>("day", 140));
    auto* box = Field<CCheckBoxItem>("agree", 170);
    box->m_bRequired = 1;
    form->AddChild(box);
    auto* radio = Field<CRadioChoiceItem>("size", 190);
    radio->m_strText.SetText(u"S=1\nM=2");
    radio->RecalcLayout();
    form->AddChild(radio);
    auto* send = Field<CSubmitButtonItem>("send", 260);
    send->m_strText.SetText(u"Send");
    form->AddChild(send);
    return form;
}

QByteArray WholePage(CFormItem& form, CString* css = nullptr)
{
    CPageOutput out;
    out.m_nMode = kPublishExport;
    out.m_wstrTitle.SetText(u"Order");
    form.WriteHtml(out);
    if (css)
        *css = out.m_strPageCss;
    out.AssemblePage();
    return QByteArray(out.m_strFinalPage.GetString());
}

TEST(FormHtml, PageWithEveryFieldIsValid)
{
    auto form = FullForm();
    for (int flowing = 0; flowing < 2; ++flowing) {
        SCOPED_TRACE(flowing ? "flowing" : "positioned");
        form->m_bPositioned = !flowing;
        for (const auto& child : form->GetChildren())
            child->m_bPositioned = !flowing;
        const QByteArray page = WholePage(*form);
        EXPECT_EQ(testsupport::TidyErrors(page), QByteArray()) << page.constData();
        const int start = page.indexOf("<script type=\"text/javascript\">\r\nfunction");
        ASSERT_GE(start, 0);
        const int end = page.indexOf("</script>", start);
        EXPECT_EQ(testsupport::JsSyntaxErrors(page.mid(start + 33, end - start - 33)), QByteArray());
    }
}

// The validation function run by node against sample inputs: returns the alerts and
// results, one line per sample.
QByteArray RunValidation(CFormItem& form, const QByteArray& samples)
{
    const QByteArray page = WholePage(form);
    const int start = page.indexOf("function validate");
    const int end = page.indexOf("</script>", start);
    const QByteArray script = page.mid(start, end - start) + "\n"
        "var said = ''; function alert(m) { said = m; }\n"
        "function field(v) { return { value: v, checked: v === 'on', selectedIndex: 0, options: [{ value: v }], focus: function() {} }; }\n"
        "var samples = " + samples + ";\n"
        "samples.forEach(function(s) { said = ''; var form = {}; for (var k in s) form[k] = field(s[k]);"
        " var r = validateorder(form); console.log(r + ':' + said); });\n";
    QTemporaryDir dir;
    QFile file(dir.filePath("run.js"));
    file.open(QIODevice::WriteOnly);
    file.write(script);
    file.close();
    const testsupport::ProcessResult r = testsupport::RunProcess("node", {dir.filePath("run.js")});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    return r.out;
}

TEST(FormValidationRun, ApostrophesAndBracketsNeverDisableIt)
{
    auto form = FullForm();
    const QByteArray out = RunValidation(*form,
        "[{ name: '', agree: 'on' },"
        " { name: 'abc', agree: 'on' },"
        " { name: 'a]c', agree: 'off' },"
        " { name: 'a]c', agree: 'on' }]");
    EXPECT_EQ(out, QByteArray("false:Please, don't forget your name\n"
                              "false:It's missing a ]\n"
                              "false:The checkbox must be checked.\n"
                              "true:\n"));
}

// ------------------------------------------------------------------ the mailer

struct MailerRun {
    QTemporaryDir dir;
    CString mailer;
    QByteArray mailerText;
    CString action;

    // Exports the form into a folder of the output and writes its page body.
    bool Export(CFormItem& form, int mode, const char* folder = "")
    {
        CPublishContext context;
        context.m_strOutputRoot = CString::FromQString(dir.path()) + "/";
        context.m_strCurrentFolder = folder;
        context.m_nMode = mode;
        QDir(dir.path()).mkpath(folder);
        form.ExportFiles(context);
        if (context.GetFileCount() == 0)
            return false;
        const CPublishFile& file = context.GetFile(context.GetFileCount() - 1);
        mailer = file.m_strLocalPath;
        EXPECT_EQ(file.m_nKind, kPublishFileScript);
        QFile f(mailer.ToQString());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        mailerText = f.readAll();
        CPageOutput out;
        out.m_nMode = mode;
        form.WriteHtml(out);
        const int a = out.m_strBody.Find(" action=\"");
        const int b = out.m_strBody.Find("\"", a + 9);
        action = out.m_strBody.Mid(a + 9, b - a - 9);
        return true;
    }

    // Runs the mailer with php-cli as if posted, with the mail command a stub that
    // records the message. Returns the recorded message (empty when none was sent).
    QByteArray Post(const QByteArray& method, const QByteArray& postArray, QByteArray* page = nullptr, bool mailFails = false)
    {
        const QString record = dir.filePath("mail.txt");
        QFile::remove(record);
        const QString stub = dir.filePath("sendmail.sh");
        QFile s(stub);
        s.open(QIODevice::WriteOnly);
        s.write(mailFails ? QByteArray("#!/bin/sh\ncat > /dev/null\nexit 1\n") : "#!/bin/sh\ncat > '" + record.toUtf8() + "'\n");
        s.close();
        s.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString runner = dir.filePath("run.php");
        QFile r(runner);
        r.open(QIODevice::WriteOnly);
        r.write("<?php $_SERVER['REQUEST_METHOD'] = '" + method + "'; $_POST = " + postArray + "; include '" + QByteArray(mailer.GetString()) + "';");
        r.close();
        const testsupport::ProcessResult p = testsupport::RunProcess("php", {"-d", "sendmail_path=" + stub, runner});
        EXPECT_EQ(p.exitCode, 0) << p.out.constData() << p.err.constData();
        if (page)
            *page = p.out;
        QFile m(record);
        return m.open(QIODevice::ReadOnly) ? m.readAll() : QByteArray();
    }
};

std::unique_ptr<CFormItem> MailForm(const char* address)
{
    auto form = Form("mailme");
    form->m_link.m_nKind = 3;
    form->m_link.m_strEmail = address;
    form->m_link.m_strSubject = "Order from 'the' site\\";
    form->m_link.m_strBody = "Thanks, it's sent \"</script><?php echo 1; ?>";
    form->m_link.m_strPicture = "thanks.html?a=1&b=\"2\"";
    return form;
}

TEST(FormMailer, WrittenBesideThePageAndValidPhp)
{
    struct Case {
        const char* what;
        int mode;
        const char* folder;
        const char* expectedName;
    };
    const Case cases[] = {
        {"export at the top", kPublishExport, "", "form42mailer.php"},
        {"upload inside a folder", kPublishUpload, "shop/", "form42mailer.php"},
        {"browser preview", kPublishBrowserPreview, "", "form42mailer.php.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto form = MailForm("shop@example.com");
        MailerRun run;
        ASSERT_TRUE(run.Export(*form, c.mode, c.folder));
        EXPECT_EQ(run.mailer, CString::FromQString(run.dir.path()) + "/" + c.folder + c.expectedName);
        EXPECT_EQ(run.action, CString(c.expectedName));
        EXPECT_EQ(testsupport::PhpLintErrors(run.mailerText), QByteArray());
        // The project itself is unchanged by the run.
        EXPECT_EQ(form->m_link.m_strUrl, CString());
        const bool preview = c.mode < kPublishUpload;
        EXPECT_EQ(run.mailerText.contains("PHP Code Works only on the Server."), preview);
    }
}

TEST(FormMailer, NoMailerWithoutAUsableAddress)
{
    for (const char* address : {"", "@example.com", "nobody", "a@b.c\r\nBcc: x@y.z", "a@b.c\nX: y"}) {
        SCOPED_TRACE(address);
        auto form = MailForm(address);
        MailerRun run;
        EXPECT_FALSE(run.Export(*form, kPublishExport));
        EXPECT_TRUE(QDir(run.dir.path()).entryList(QDir::Files).isEmpty());
    }
    auto notMail = MailForm("a@b.c");
    notMail->m_link.m_nKind = 2;
    MailerRun run;
    EXPECT_FALSE(run.Export(*notMail, kPublishExport));
}

TEST(FormMailer, SendsThePostedFieldsWithoutInjectedHeaders)
{
    auto form = MailForm("shop@example.com");
    MailerRun run;
    ASSERT_TRUE(run.Export(*form, kPublishExport));
    QByteArray page;
    const QByteArray mail = run.Post("POST",
        "['name' => \"Eve\\r\\nBcc: victim@example.org\", 'x' => '5', 'y' => '6', 'msg' => \"it's <b>\", 'sizes' => ['S', 'M']]", &page);
    ASSERT_FALSE(mail.isEmpty());
    const int split = mail.indexOf("\n\n") >= 0 ? mail.indexOf("\n\n") : mail.indexOf("\r\n\r\n");
    ASSERT_GT(split, 0);
    const QByteArray headers = mail.left(split);
    const QByteArray body = mail.mid(split);
    EXPECT_TRUE(headers.contains("To: shop@example.com")) << headers.constData();
    EXPECT_TRUE(headers.contains("Subject: Order from 'the' site\\")) << headers.constData();
    EXPECT_TRUE(headers.contains("From: shop@example.com"));
    EXPECT_FALSE(headers.contains("Bcc")) << headers.constData();
    EXPECT_FALSE(headers.contains("victim"));
    EXPECT_TRUE(body.contains("name : Eve\r\nBcc: victim@example.org\n"));
    EXPECT_TRUE(body.contains("msg : it's <b>\n"));
    EXPECT_TRUE(body.contains("sizes : S, M\n"));
    EXPECT_FALSE(body.contains("x : 5"));
    EXPECT_FALSE(body.contains("y : 6"));
    // What the visitor sees: the next page and the alert, both escaped for their places.
    EXPECT_TRUE(page.contains("content=\"1; url=thanks.html?a=1&amp;b=&quot;2&quot;\""));
    EXPECT_TRUE(page.contains("alert(\"Thanks, it\\'s sent \\x22\\x3C/script>\\x3C?php echo 1; ?>\");</script></body></html>")) << page.constData();
}

TEST(FormMailer, SendsNothingWithoutAPostWithContent)
{
    auto form = MailForm("shop@example.com");
    form->m_link.m_strPicture = "";
    MailerRun run;
    ASSERT_TRUE(run.Export(*form, kPublishExport));
    QByteArray page;
    EXPECT_EQ(run.Post("GET", "['a' => 'b']", &page), QByteArray());
    EXPECT_TRUE(page.contains("url=/\""));
    EXPECT_EQ(run.Post("POST", "[]"), QByteArray());
    EXPECT_EQ(run.Post("POST", "['x' => '1', 'y' => '2']"), QByteArray());

    // A subject that would start a header line of its own stays one line: its breaks
    // are blanks in the mailer, so the mail goes out without a header of the subject's.
    auto broken = MailForm("shop@example.com");
    broken->m_link.m_strSubject = "Hi\r\nBcc: victim@example.org";
    MailerRun second;
    ASSERT_TRUE(second.Export(*broken, kPublishExport));
    EXPECT_EQ(testsupport::PhpLintErrors(second.mailerText), QByteArray());
    EXPECT_TRUE(second.mailerText.contains("$subject = 'Hi  Bcc: victim@example.org';")) << second.mailerText.constData();
    const QByteArray mail = second.Post("POST", "['a' => 'b']");
    EXPECT_TRUE(mail.contains("Subject: Hi  Bcc: victim@example.org\r\n") || mail.contains("Subject: Hi  Bcc: victim@example.org\n")) << mail.constData();
    EXPECT_FALSE(mail.startsWith("Bcc:") || mail.contains("\nBcc:")) << mail.constData();
}

TEST(FormMailer, VisitorLearnsWhetherTheMailWentOut)
{
    const QByteArray sent = "alert(\"Thanks, it\\'s sent \\x22\\x3C/script>\\x3C?php echo 1; ?>\");";
    const QByteArray failed = "alert(\"The form could not be sent.\");";
    struct Case {
        const char* what;
        const char* subject;
        const char* method;
        const char* post;
        bool mailFails;
        bool expectSent;
    };
    const Case cases[] = {
        {"a mail goes out", "Order", "POST", "['a' => 'b']", false, true},
        // line breaks of a subject become blanks: the mail goes out and says so
        {"subject with a line break", "Hi\r\nBcc: victim@example.org", "POST", "['a' => 'b']", false, true},
        {"subject with a line break, the mail command fails", "Hi\nthere", "POST", "['a' => 'b']", true, false},
        {"the mail command fails", "Order", "POST", "['a' => 'b']", true, false},
        {"nothing posted", "Order", "GET", "[]", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto form = MailForm("shop@example.com");
        form->m_link.m_strSubject = c.subject;
        MailerRun run;
        ASSERT_TRUE(run.Export(*form, kPublishExport));
        QByteArray page;
        const QByteArray mail = run.Post(c.method, c.post, &page, c.mailFails);
        EXPECT_EQ(!mail.isEmpty(), c.expectSent && !c.mailFails);
        EXPECT_EQ(page.contains(sent), c.expectSent) << page.constData();
        EXPECT_EQ(page.contains(failed), !c.expectSent) << page.constData();
    }
}

// ------------------------------------------------------------------ records

using Bytes = std::vector<BYTE>;

template <typename F> Bytes Store(F&& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    return file.Bytes();
}

template <typename F> std::uint64_t Load(const Bytes& bytes, F&& read)
{
    CMemFile file(bytes.data(), bytes.size());
    CArchive ar(&file, CArchive::load);
    read(ar);
    return ar.GetRemaining();
}

TEST(FormRecords, RoundTripKeepsEveryField)
{
    auto form = FullForm();
    form->m_nMethod = 1;
    form->m_nEncoding = 2;
    form->m_nOption = 7;
    auto* input = static_cast<CInputFieldItem*>(form->GetChild(0));
    input->m_nMaxLength = 12;
    input->m_nInputType = 1;
    input->m_bReadOnly = 1;
    input->m_wstrPlaceholder.SetText(u"hint");
    input->m_strForbiddenChars.SetText(u"<>");
    auto* date = static_cast<CDatePickerItem*>(form->GetChild(3));
    date->m_nDayCount = 30;
    date->m_bWeekdays[6] = 0;
    date->m_nDayOffset = 2;
    auto* send = static_cast<CSubmitButtonItem*>(form->GetChild(6));
    send->m_nButtonKind = 1;
    send->m_crHoverText = 0x123456;
    send->m_dHoverTransition = 0.25;
    send->m_nHoverBold = 1;
    const Bytes bytes = Store([&](CArchive& ar) { form->Serialize(ar, kVersionCurrent); form->SerializeExtra(ar, kVersionCurrent); });
    CFormItem copy;
    copy.m_pFill.reset(); // as the source: a form without fill or padding record
    copy.m_pPadding.reset();
    EXPECT_EQ(Load(bytes, [&](CArchive& ar) { copy.Serialize(ar, kVersionCurrent); copy.SerializeExtra(ar, kVersionCurrent); }), 0u);
    EXPECT_EQ(copy.m_nMethod, 1);
    EXPECT_EQ(copy.m_nEncoding, 2);
    EXPECT_EQ(copy.m_nOption, 7);
    ASSERT_EQ(copy.GetChildCount(), 7);
    auto* i2 = dynamic_cast<CInputFieldItem*>(copy.GetChild(0));
    ASSERT_NE(i2, nullptr);
    EXPECT_EQ(i2->m_nMaxLength, 12);
    EXPECT_EQ(i2->m_nInputType, 1);
    EXPECT_EQ(i2->m_bReadOnly, 1);
    EXPECT_EQ(i2->m_bRequired, 1);
    EXPECT_EQ(i2->m_wstrPlaceholder, input->m_wstrPlaceholder);
    EXPECT_EQ(i2->m_strForbiddenChars, input->m_strForbiddenChars);
    EXPECT_EQ(i2->m_strRuleMessage, input->m_strRuleMessage);
    auto* d2 = dynamic_cast<CDatePickerItem*>(copy.GetChild(3));
    ASSERT_NE(d2, nullptr);
    EXPECT_EQ(d2->m_nDayCount, 30);
    EXPECT_EQ(d2->m_bWeekdays[6], 0);
    EXPECT_EQ(d2->m_nDayOffset, 2);
    auto* s2 = dynamic_cast<CSubmitButtonItem*>(copy.GetChild(6));
    ASSERT_NE(s2, nullptr);
    EXPECT_EQ(s2->m_nButtonKind, 1);
    EXPECT_EQ(s2->m_crHoverText, 0x123456u);
    EXPECT_EQ(s2->m_dHoverTransition, 0.25);
    EXPECT_EQ(s2->m_nHoverBold, 1);
    // Writing the copy gives the same bytes.
    const Bytes again = Store([&](CArchive& ar) { copy.Serialize(ar, kVersionCurrent); copy.SerializeExtra(ar, kVersionCurrent); });
    ASSERT_EQ(again.size(), bytes.size());
    size_t firstDiff = 0;
    while (firstDiff < bytes.size() && again[firstDiff] == bytes[firstDiff])
        ++firstDiff;
    EXPECT_EQ(firstDiff, bytes.size());
}

TEST(FormRecords, FormsOfOlderVersionsKeepTheirMailDefaults)
{
    // A link record as versions before 8.5 wrote it: kind, new window, target, address,
    // arguments, title; nothing of the mail settings.
    for (int version : {82, 83, 84}) {
        SCOPED_TRACE(version);
        const Bytes bytes = Store([](CArchive& ar) {
            ar << std::int32_t(3) << std::int32_t(0) << std::int32_t(0) << CString("send.php") << CString();
            CWString title;
            title.Serialize(ar);
        });
        CFormItem form;
        EXPECT_EQ(Load(bytes, [&](CArchive& ar) { form.m_link.Serialize(ar, version); }), 0u);
        EXPECT_EQ(form.m_link.m_nKind, 3);
        EXPECT_EQ(form.m_link.m_strUrl, CString("send.php"));
        EXPECT_EQ(form.m_link.m_strSubject, CString("Form from website."));
        EXPECT_EQ(form.m_link.m_strBody, CString("The form has been sent."));
        EXPECT_EQ(form.m_link.m_strPicture, CString("https://www.example.com/"));
    }
}

} // namespace
