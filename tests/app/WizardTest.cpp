// The Website Wizard driven through its pages as a user does (controls set by id, buttons
// clicked), over a new project window; the generated site checked by tidy and in the
// browser control; and the Word Count and Statistics commands.
#include "AppTestSupport.h"
#include "app/DesignerApp.h"
#include "app/MainFrame.h"
#include "app/ProjectDocument.h"
#include "app/Wizard.h"
#include "app/WordCountCommand.h"
#include "dialogs/FormDialogs.h"
#include "dialogs/SliderDialogs.h"
#include "dialogs/SmallPropertyDialogs.h"
#include "app/AppResources.h"
#include "controls/ColorControl.h"
#include "controls/FileChooser.h"
#include "document/Generate.h"
#include "document/WordCount.h"
#include "model/Page.h"
#include "model/items/FormItem.h"
#include "model/items/FormFieldItem.h"
#include "document/KJDoc.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/ImageItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/SliderItem.h"
#include "support/Artifacts.h"
#include "support/ExternalTools.h"
#include "framework/core/Profile.h"
#include "framework/ui/Shell.h"
#include "tests/model/browser/BrowserHarness.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWebEngineWidgets/QWebEngineView>
#include <QtCore/QTimer>
#include <QtCore/QEventLoop>

namespace {
CString SourceWizardFolder()
{
    const QByteArray root = qgetenv("TESSEL_SOURCE_DIR");
    const QString base = root.isEmpty() ? QStringLiteral(TESSEL_SOURCE_DIR_DEFAULT) : QString::fromLocal8Bit(root);
    return CString::FromQString(QDir::cleanPath(base + QStringLiteral("/data/wizard"))) + "/";
}

void Pick(CDialog& page, int id, int index)
{
    auto* combo = qobject_cast<QComboBox*>(page.GetDlgItem(id));
    ASSERT_NE(combo, nullptr) << id;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}
void Click(CDialog& dlg, int id)
{
    auto* button = qobject_cast<QAbstractButton*>(dlg.GetDlgItem(id));
    ASSERT_NE(button, nullptr) << id;
    ASSERT_TRUE(button->isEnabled()) << id;
    button->click();
}
void Type(CDialog& page, int id, const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(page.GetDlgItem(id));
    ASSERT_NE(edit, nullptr) << id;
    edit->setText(text);
}
void SetColour(CDialog& page, int id, COLORREF colour)
{
    auto* button = dynamic_cast<CColorButton*>(page.GetDlgItem(id));
    ASSERT_NE(button, nullptr) << id;
    button->SetColor(colour);
    page.SendNotify(id, NM_CLICK);
}
bool Enabled(const CDialog& dlg, int id) { return dlg.GetDlgItem(id) && dlg.GetDlgItem(id)->isEnabled(); }

// What the wizard's hook does with the sheet.
using Script = std::function<int(CPropertySheet& sheet)>;

class Wizard : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearProfile();
        RegisterProjectDocumentType();
        m_previousModal = CDialog::SetModalHook([this](CDialog& dlg) -> int {
            if (auto* sheet = dynamic_cast<CPropertySheet*>(&dlg)) {
                ++sheets;
                return script ? script(*sheet) : IDCANCEL;
            }
            return otherDialogs ? otherDialogs(dlg) : IDCANCEL;
        });
        m_previousChooser = CFileChooser::SetDialogHook([this](CFileChooser& chooser, bool) {
            chooserFolders.push_back(chooser.GetInitialFolder());
            if (chooserAnswer.isEmpty())
                return false;
            chooser.SetSelection(CString(), {CString::FromQString(chooserAnswer)});
            return true;
        });
        m_previousShell = tessel::SetShellHook([this](const CString& target, bool) {
            opened.push_back(target);
            return true;
        });
        app = std::make_unique<CDesignerApp>();
        app->m_strProgramFolder = CString::FromQString(m_program.path()) + "/";
        app->m_arguments = {QStringLiteral("new")};
        ASSERT_TRUE(app->InitInstance());
        app->MainFrame()->resize(1280, 860);
    }
    void TearDown() override
    {
        app.reset();
        CDialog::SetModalHook(m_previousModal);
        CFileChooser::SetDialogHook(m_previousChooser);
        tessel::SetShellHook(m_previousShell);
        QApplication::processEvents();
    }
    CProjectDocument* OnlyProject()
    {
        const auto docs = app->GetOpenDocuments();
        return docs.size() == 1 ? dynamic_cast<CProjectDocument*>(docs[0]) : nullptr;
    }
    // Step 1 with its Next; the wizard's pictures come from the source tree.
    static void LeaveFirstPage(CPropertySheet& sheet)
    {
        CPropertyPage* first = sheet.GetPage(0);
        Click(sheet, ID_WIZNEXT);
        ASSERT_EQ(sheet.GetActiveIndex(), 1) << first->windowTitle().toStdString();
    }
    // The sheet over the main window with the live canvas behind it.
    void Screenshot(CPropertySheet& sheet, const char* name)
    {
        CMainFrame* frame = app->MainFrame();
        frame->show();
        sheet.adjustSize();
        QApplication::processEvents();
        QImage shot = frame->grab().toImage();
        const QImage wizard = sheet.grab().toImage();
        QPainter painter(&shot);
        painter.drawImage((shot.width() - wizard.width()) / 2, (shot.height() - wizard.height()) / 2, wizard);
        painter.end();
        EXPECT_TRUE(shot.save(testsupport::ArtifactPath(QStringLiteral("screenshots/wizard-%1.png").arg(QString::fromLatin1(name)))));
    }

    std::unique_ptr<CDesignerApp> app;
    Script script;
    int sheets = 0;
    // The answers of the dialogs the wizard's pages open.
    std::function<int(CDialog&)> otherDialogs;
    std::vector<CString> chooserFolders, opened;
    QString chooserAnswer;
    QTemporaryDir m_program;

private:
    CDialog::ModalHook m_previousModal;
    CFileChooser::DialogHook m_previousChooser;
    tessel::ShellHook m_previousShell;
};

// Points the wizard's record at the source pictures: the first page's Next reads them.
void UseSourcePictures(CPropertySheet& sheet)
{
    // The pages share one record; the first page reaches it.
    static_cast<DWizardPages*>(sheet.GetPage(0))->State().wizardFolder = SourceWizardFolder();
}
} // namespace

TEST_F(Wizard, FileCommandAndWelcomeChoiceOpenTheWizardOverANewProject)
{
    script = [this](CPropertySheet& sheet) {
        EXPECT_TRUE(sheet.IsWizard());
        EXPECT_EQ(sheet.GetPageCount(), 8);
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_EQ(sheet.GetWizardButtons(), UINT(PSWIZB_NEXT));
        // A new project window exists behind the wizard.
        EXPECT_EQ(app->GetOpenDocuments().size(), size_t(sheets));
        EXPECT_NE(dynamic_cast<CProjectDocument*>(app->GetOpenDocuments().back()), nullptr);
        return IDCANCEL;
    };
    ASSERT_TRUE(app->MainFrame()->SendCommand(ID_WEBSITE_WIZARD));
    EXPECT_EQ(sheets, 1);
    ASSERT_NE(OnlyProject(), nullptr);
    // Cancelled on step 1: the new project's own site, unmarked.
    EXPECT_EQ(OnlyProject()->Project().m_pages.size(), 1u);
    EXPECT_FALSE(OnlyProject()->IsModified());

    app->ActOnWelcomeChoice(1, CString());
    EXPECT_EQ(sheets, 2);
    EXPECT_EQ(app->GetOpenDocuments().size(), 2u);
}

TEST_F(Wizard, CancelAfterStepOneKeepsTheBuiltSiteMarked)
{
    script = [](CPropertySheet& sheet) {
        UseSourcePictures(sheet);
        LeaveFirstPage(sheet);
        EXPECT_EQ(sheet.GetWizardButtons(), UINT(PSWIZB_NEXT)) << "no way back to step 1";
        return IDCANCEL;
    };
    ASSERT_TRUE(app->MainFrame()->SendCommand(ID_WEBSITE_WIZARD));
    CProjectDocument* doc = OnlyProject();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->Project().m_pages.size(), 14u);
    EXPECT_TRUE(doc->IsModified()) << "a cancelled wizard's site is not lost without a question";
    // Another open project is not touched.
}

TEST_F(Wizard, EveryPageEditsTheSiteLiveAndFinishAddsTheContactForm)
{
    app->OnFileNew();
    ASSERT_EQ(app->GetOpenDocuments().size(), 1u);
    CDocument* other = app->GetOpenDocuments()[0];
    auto* otherProject = dynamic_cast<CProjectDocument*>(other);
    const size_t otherPages = otherProject->Project().m_pages.size();

    QTemporaryDir pictures;
    QImage wide(1800, 300, QImage::Format_RGB32);
    wide.fill(QColor(20, 120, 200));
    ASSERT_TRUE(wide.save(pictures.filePath(QStringLiteral("wide.png"))));
    chooserAnswer = pictures.filePath(QStringLiteral("wide.png"));

    CWizardState* state = nullptr;
    script = [&](CPropertySheet& sheet) {
        UseSourcePictures(sheet);
        CPropertyPage& pages = *sheet.GetPage(0);
        Type(pages, 2005, QStringLiteral("Write us"));
        Click(pages, 1205); // no "Driving Directions"
        Screenshot(sheet, "1-pages");
        LeaveFirstPage(sheet);
        state = &static_cast<DWizardPages&>(pages).State();

        CPropertyPage& company = *sheet.GetPage(1);
        Type(company, 1303, QStringLiteral("Tessel & Co"));
        Type(company, 1204, QStringLiteral("Pages that <build> themselves"));
        Click(sheet, ID_WIZNEXT);
        EXPECT_EQ(state->companyItem->m_strText.ToQString(), QStringLiteral("Tessel & Co"));
        EXPECT_EQ(state->sloganItem->m_nX + state->sloganItem->m_nWidth, 870);

        CPropertyPage& style = *sheet.GetPage(2);
        EXPECT_EQ(sheet.GetWizardButtons(), UINT(PSWIZB_BACK | PSWIZB_NEXT));
        // "Create Slideshow": the New Slider dialog with the page width, then the slider
        // heads the home page; Cancel changes nothing
        CString sliderWidth;
        otherDialogs = [&](CDialog& d) -> int {
            auto* slider = dynamic_cast<DNewSlider*>(&d);
            if (!slider)
                return IDCANCEL;
            sliderWidth.Format("%d x %d", slider->m_nWidth, slider->m_nHeight);
            slider->m_paths = {CString::FromQString(chooserAnswer), CString::FromQString(chooserAnswer)};
            slider->m_nFrameTime = 2;
            return IDOK;
        };
        Click(style, 1027);
        EXPECT_EQ(sliderWidth, CString("900 x 300"));
        auto* show = dynamic_cast<CSliderItem*>(state->slideshow);
        EXPECT_NE(show, nullptr);
        EXPECT_EQ(show ? show->m_frames.size() : 0u, 2u);
        EXPECT_EQ(show ? show->m_nInterval : 0, 2);
        EXPECT_EQ(static_cast<CWizardPage&>(style).Doc().m_pages.front()->GetChildren().front().get(), state->slideshow);
        EXPECT_EQ(state->mainImage, nullptr);
        otherDialogs = [](CDialog&) { return int(IDCANCEL); };
        Click(style, 1027);
        EXPECT_EQ(state->slideshow, show) << "a cancelled slideshow leaves the one there";
        otherDialogs = nullptr;
        Pick(style, 1018, 2); // "Green"
        EXPECT_EQ(state->menuButtons[0]->m_crSecond, COLORREF(0x00CC9C));
        Pick(style, 1020, 1);
        Pick(style, 1021, 3);
        Click(style, 1025); // "Change Image"
        EXPECT_EQ(state->slideshow, nullptr) << "the main image takes the slideshow's place";
        EXPECT_EQ(chooserFolders.back(), SourceWizardFolder() + "theme/");
        EXPECT_EQ(state->mainImage->m_picture.GetWidth(), 900);
        EXPECT_EQ(state->mainImage->m_picture.GetHeight(), 150);
        Click(style, 1028);
        EXPECT_EQ(opened.back(), CString(kWizardPhotoShop));
        Screenshot(sheet, "3-style");
        Click(sheet, ID_WIZNEXT);

        CPropertyPage& buttons = *sheet.GetPage(3);
        Pick(buttons, 1039, 1); // "Square"
        EXPECT_EQ(state->menuButtons[0]->m_nX, 285);
        EXPECT_EQ(state->menuButtons[0]->m_nRenderHeight, 80);
        SetColour(buttons, 1019, 0x3366CC);
        EXPECT_EQ(state->menuButtons[3]->m_crSecond, COLORREF(0x3366CC));
        EXPECT_EQ(state->mainButton->m_crSecond, COLORREF(0x3366CC));
        Click(buttons, 1009);
        EXPECT_EQ(state->menuButtons[2]->m_bGlass, 0) << "Green had glass on; the box turns it off";
        Screenshot(sheet, "4-buttons");
        Click(sheet, ID_WIZNEXT);

        CPropertyPage& slogan = *sheet.GetPage(4);
        Click(slogan, 1202);
        EXPECT_EQ(state->sloganItem->m_lf.lfWeight, 700);
        Click(sheet, ID_WIZNEXT);

        CPropertyPage& background = *sheet.GetPage(5);
        Pick(background, 1018, 0); // "Solid"
        SetColour(background, 1026, 0x224466);
        Click(sheet, ID_WIZNEXT);

        CPropertyPage& contact = *sheet.GetPage(6);
        // "Customize Form" edits a copy of the options: OK keeps the dialog's, Cancel not
        auto& contactPage = static_cast<DWizardContact&>(contact);
        const CContactFormOptions before = contactPage.m_options;
        Pick(contact, 1018, 0);
        EXPECT_FALSE(Enabled(contact, 1025)) << "no form, nothing to customize";
        Pick(contact, 1018, 1);
        for (const bool ok : {false, true}) {
            otherDialogs = [&](CDialog& d) -> int {
                auto* form = dynamic_cast<DInsertForm*>(&d);
                if (!form)
                    return IDCANCEL;
                EXPECT_EQ(form->m_options, contactPage.m_options);
                form->m_options[0] = 1;
                form->m_options[6] = !form->m_options[6];
                return ok ? IDOK : IDCANCEL;
            };
            Click(contact, 1025);
            EXPECT_EQ(contactPage.m_options[6], ok ? !before[6] : before[6]) << ok;
        }
        otherDialogs = nullptr;
        Type(contact, 1000, QStringLiteral("owner@example.com\nBcc: x@y.z"));
        {
            MessageRecorder refused;
            Click(sheet, ID_WIZNEXT);
            EXPECT_EQ(sheet.GetActiveIndex(), 6) << "a refused address keeps the page";
            EXPECT_EQ(refused.messages.size(), 1u);
        }
        Type(contact, 1000, QStringLiteral("owner@example.com"));
        Click(sheet, ID_WIZNEXT);
        EXPECT_EQ(sheet.GetWizardButtons(), UINT(PSWIZB_BACK | PSWIZB_FINISH));
        Click(sheet, ID_WIZFINISH);
        return sheet.GetResult();
    };
    ASSERT_TRUE(app->MainFrame()->SendCommand(ID_WEBSITE_WIZARD));
    auto* doc = dynamic_cast<CProjectDocument*>(app->GetOpenDocuments().back());
    ASSERT_NE(doc, nullptr);
    CKJDoc& project = doc->Project();
    ASSERT_EQ(project.m_pages.size(), 14u) << "thirteen pages and the thank-you page";
    EXPECT_EQ(project.m_pages[7]->m_title.ToQString(), QStringLiteral("Write us"));
    EXPECT_EQ(project.m_pages.back()->m_strExtension, CString(".php"));
    EXPECT_EQ(project.m_websiteBackground.m_nKind, int(CFillStyle::KindColor));
    EXPECT_EQ(project.m_websiteBackground.m_crColor, COLORREF(0x224466));
    EXPECT_EQ(project.m_styles.m_styles[0].m_strFamily, CString("Georgia"));
    EXPECT_EQ(project.m_styles.m_styles[0].m_crText, COLORREF(0xFF0000));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(GetProfileString("Current", "Email", ""), CString("owner@example.com"));
    EXPECT_EQ(otherProject->Project().m_pages.size(), otherPages) << "the other project is untouched";
    EXPECT_FALSE(otherProject->IsModified());

    // The whole site, exported: every page passes tidy and loads without a console error.
    QTemporaryDir out;
    CString written;
    project.SetTitle("Wizard Site");
    ASSERT_TRUE(ExportWebsiteToFolder(project, CString::FromQString(out.path()), &written));
    QDir site(written.ToQString());
    // Pages are PHP pages unless the user says otherwise; the browser reads them as HTML.
    QStringList pages = site.entryList({QStringLiteral("*.php"), QStringLiteral("*.html")}, QDir::Files);
    EXPECT_EQ(pages.size(), 14) << pages.join(QLatin1Char(' ')).toStdString();
    ASSERT_TRUE(site.exists(QStringLiteral("send_form.php")));
    browsertest::Browser browser;
    for (const QString& name : pages) {
        QFile f(site.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QByteArray bytes = f.readAll();
        if (name == QStringLiteral("send_form.php"))
            continue; // the mail script: php -l below
        EXPECT_EQ(testsupport::TidyErrors(bytes), QByteArray()) << name.toStdString();
        const QString twin = site.filePath(QStringLiteral("check-") + QFileInfo(name).completeBaseName() + QStringLiteral(".html"));
        QFile t(twin);
        ASSERT_TRUE(t.open(QIODevice::WriteOnly));
        t.write(bytes);
        t.close();
        browser.page.errors.clear();
        ASSERT_TRUE(browsertest::LoadFile(browser.page, twin)) << name.toStdString();
        browsertest::Settle(browser.page);
        EXPECT_TRUE(browser.page.errors.isEmpty()) << name.toStdString() << ": " << browser.page.errors.join(QLatin1Char('\n')).toStdString();
    }
    // The mail script of the thank-you page is valid PHP.
    QFile php(site.filePath(QStringLiteral("send_form.php")));
    ASSERT_TRUE(php.open(QIODevice::ReadOnly));
    const QByteArray phpPage = php.readAll();
    EXPECT_TRUE(phpPage.contains("$youremail = 'owner@example.com';"));
    EXPECT_EQ(testsupport::PhpLintErrors(phpPage), QByteArray());

    // The contact page's form: its validation in the browser.
    const QString contactFile = site.filePath(QStringLiteral("check-") + project.m_pages[7]->m_strBaseName.ToQString() + QStringLiteral(".html"));
    {
        QFile c(site.filePath(project.m_pages[7]->GetFileName().ToQString()));
        ASSERT_TRUE(c.open(QIODevice::ReadOnly));
        EXPECT_TRUE(c.readAll().contains("action=\"send_form.php\"")) << "the form posts to the script";
    }
    ASSERT_TRUE(browsertest::LoadFile(browser.page, contactFile));
    browsertest::Settle(browser.page);
    EXPECT_TRUE(browser.page.errors.isEmpty()) << browser.page.errors.join(QLatin1Char('\n')).toStdString();

    // The home page in the browser control, as a picture.
    QWebEngineView view;
    view.resize(1100, 900);
    view.show();
    {
        QEventLoop loop;
        QObject::connect(&view, &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
        view.load(QUrl::fromLocalFile(site.filePath(QStringLiteral("check-index.html"))));
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    browsertest::Wait(800);
    EXPECT_TRUE(view.grab().save(testsupport::ArtifactPath(QStringLiteral("screenshots/wizard-home-browser.png"))));
}

TEST_F(Wizard, NoContactFormMakesNoPageAndStoresNoAddress)
{
    script = [](CPropertySheet& sheet) {
        UseSourcePictures(sheet);
        LeaveFirstPage(sheet);
        for (int step = 1; step < 6; ++step)
            Click(sheet, ID_WIZNEXT);
        CPropertyPage& contact = *sheet.GetPage(6);
        EXPECT_EQ(sheet.GetActiveIndex(), 6);
        EXPECT_TRUE(Enabled(contact, 1000));
        Pick(contact, 1018, 0);
        EXPECT_FALSE(Enabled(contact, 1000)) << "no address without a form";
        Type(contact, 1000, QStringLiteral("not an address"));
        Click(sheet, ID_WIZNEXT);
        Click(sheet, ID_WIZFINISH);
        return sheet.GetResult();
    };
    ASSERT_TRUE(app->MainFrame()->SendCommand(ID_WEBSITE_WIZARD));
    CProjectDocument* doc = OnlyProject();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->Project().m_pages.size(), 14u) << "every subpage, no thank-you page";
    for (const auto& page : doc->Project().m_pages)
        EXPECT_NE(page->m_strBaseName, CString("send_form"));
    EXPECT_EQ(GetProfileString("Current", "Email", "none"), CString("none"));
    EXPECT_TRUE(doc->IsModified());
}

TEST(ContactFormInBrowser, RequiredCountryAsksUntilOneIsChosen)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    doc.SetTitle("Form Site");
    CContactFormOptions all{};
    all.fill(1);
    CFormItem* form = doc.BuildContactForm(all);
    for (const auto& child : form->GetChildren())
        if (child->m_strName == form->m_strName + "Country")
            static_cast<CFormFieldItem*>(child.get())->m_bRequired = 1;
    form->m_nX = 20;
    form->m_nY = 20;
    doc.m_pages[0]->AddChild(form);
    doc.m_pages[0]->m_nHeight = 1000;
    doc.m_pages[0]->m_strExtension = ".html";
    QTemporaryDir out;
    CString written;
    ASSERT_TRUE(ExportWebsiteToFolder(doc, CString::FromQString(out.path()), &written));
    const QString page = QDir(written.ToQString()).filePath(QStringLiteral("index.html"));
    ASSERT_TRUE(QFile::exists(page)) << page.toStdString() << " " << QDir(written.ToQString()).entryList().join(QLatin1Char(' ')).toStdString();
    QFile f(page);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(testsupport::TidyErrors(f.readAll()), QByteArray());
    browsertest::Browser browser;
    ASSERT_TRUE(browsertest::LoadFile(browser.page, page));
    browsertest::Settle(browser.page);
    const QString check = QStringLiteral(
        "(function() { window.__said = ''; window.alert = function(m) { window.__said = m; };"
        " const f = document.forms[0]; const s = f.elements['%1'];"
        " s.selectedIndex = %2; const ok = f.onsubmit(); return (ok ? 'pass' : 'stop') + '|' + __said + '|' + s.options.length; })()");
    const QString country = (form->m_strName + "Country").ToQString();
    EXPECT_EQ(browsertest::RunScript(browser.page, check.arg(country).arg(0)).toString(), QStringLiteral("stop|Choose your country.|201"));
    EXPECT_EQ(browsertest::RunScript(browser.page, check.arg(country).arg(43)).toString(), QStringLiteral("pass||201"));
    EXPECT_EQ(browsertest::RunScript(browser.page, QStringLiteral("document.forms[0].elements['%1'].options[43].text").arg(country)).toString(),
              QStringLiteral("Cote d'Ivoire"));
    EXPECT_TRUE(browser.page.errors.isEmpty()) << browser.page.errors.join(QLatin1Char('\n')).toStdString();
}

namespace {
QByteArray ProjectBytes(CKJDoc& doc)
{
    static int n = 0;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p%1.kjproj").arg(++n));
    EXPECT_TRUE(doc.OnSaveDocument(CString::FromQString(path)));
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
} // namespace

TEST(WordCountCommand, EveryCancelLeavesTheProjectAsItWas)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    doc.SetTitle("Counted");
    CParagraphItem* p = doc.NewParagraph();
    p->m_strText = "Hello  big\tworld";
    doc.m_pages[0]->AddChild(p);
    const QByteArray before = ProjectBytes(doc);
    CString labels, values;
    auto answer = [&](int result) {
        return [&, result](const CString& l, const CString& v) {
            labels = l;
            values = v;
            return result;
        };
    };
    const auto previousChooser = CFileChooser::SetDialogHook([](CFileChooser&, bool) { return false; });
    RunWordCount(doc, answer(IDCANCEL));
    EXPECT_EQ(labels, CString("Pages:\r\nCharacters:\r\nWords:\r\nImages:\r\nFiles:\r\nBytes:\r\nWeight:"));
    EXPECT_EQ(values.Left(16), CString("1\r\n16\r\n3\r\n0\r\n1\r\n"));
    EXPECT_EQ(ProjectBytes(doc), before);
    RunWordCount(doc, answer(kWordCountExport)); // the file dialog cancelled
    EXPECT_EQ(ProjectBytes(doc), before);
    {
        MessageRecorder no(IDNO);
        RunWordCount(doc, answer(kWordCountImport));
        EXPECT_EQ(no.messages.size(), 1u);
    }
    EXPECT_EQ(ProjectBytes(doc), before);
    {
        MessageRecorder yes(IDYES);
        RunWordCount(doc, answer(kWordCountImport)); // yes, then the file dialog cancelled
    }
    EXPECT_EQ(ProjectBytes(doc), before);
    RunWebsiteStatistics(doc, [](CString& code) {
        code = "<script>counted()</script>";
        return false;
    });
    EXPECT_EQ(ProjectBytes(doc), before);
    EXPECT_FALSE(doc.IsModified());
    CFileChooser::SetDialogHook(previousChooser);
}

TEST(WordCountCommand, ExportThenImportThroughTheDialogs)
{
    CKJDoc doc;
    doc.ResetToNewSite();
    CParagraphItem* p = doc.NewParagraph();
    p->m_strText = "Original text";
    doc.m_pages[0]->AddChild(p);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("texts.txt"));
    const auto previousChooser = CFileChooser::SetDialogHook([&](CFileChooser& chooser, bool) {
        chooser.SetSelection(CString(), {CString::FromQString(file)});
        return true;
    });
    RunWordCount(doc, [](const CString&, const CString&) { return int(kWordCountExport); });
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    EXPECT_TRUE(bytes.contains("]=Original text\r\n"));
    bytes.replace("Original text", "Übersetzter Text");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    {
        MessageRecorder yes(IDYES);
        RunWordCount(doc, [](const CString&, const CString&) { return int(kWordCountImport); });
    }
    EXPECT_EQ(p->m_strText.ToQString(), QStringLiteral("Übersetzter Text"));
    EXPECT_TRUE(doc.IsModified());
    // A file without the signature is refused with the message.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[1]=x\r\n");
    f.close();
    {
        MessageRecorder yes(IDYES);
        RunWordCount(doc, [](const CString&, const CString&) { return int(kWordCountImport); });
        ASSERT_EQ(yes.messages.size(), 2u);
        EXPECT_EQ(yes.messages[1].text, CString("The file must be in UTF-8 format."));
    }
    CFileChooser::SetDialogHook(previousChooser);

    doc.SetModifiedFlag(false);
    doc.m_pages[0]->m_nUploadState = 2;
    RunWebsiteStatistics(doc, [](CString& code) {
        code = "<script>counted()</script>";
        return true;
    });
    EXPECT_EQ(doc.m_strAnalytics, CString("<script>counted()</script>"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_pages[0]->m_nUploadState, 0);
}

TEST_F(Wizard, WebsiteStatisticsCommandEditsTheCodeInItsDialog)
{
    ASSERT_TRUE(app->MainFrame()->SendCommand(ID_FILE_NEW));
    CProjectDocument* project = OnlyProject();
    ASSERT_NE(project, nullptr);
    CKJDoc& doc = project->Project();
    doc.m_strAnalytics = "<script>old()</script>";
    doc.SetModifiedFlag(false);
    struct Case { bool ok; const char* expected; bool modified; };
    for (const Case c : {Case{false, "<script>old()</script>", false}, Case{true, "<script>counted()</script>", true}}) {
        SCOPED_TRACE(c.ok ? "OK" : "Cancel");
        CString shown;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& dlg) -> int {
            if (!dynamic_cast<DAnalytics*>(&dlg))
                return IDCANCEL;
            shown = dlg.GetDlgItemText(1000);
            dlg.SetDlgItemText(1000, "<script>counted()</script>");
            if (c.ok)
                dlg.OnOK();
            else
                dlg.OnCancel();
            return dlg.GetResult();
        });
        EXPECT_TRUE(app->MainFrame()->SendCommand(ID_WEBSITE_STATISTICS));
        CDialog::SetModalHook(previous);
        EXPECT_EQ(shown, CString("<script>old()</script>")) << "the dialog opens on the project's code";
        EXPECT_EQ(doc.m_strAnalytics, CString(c.expected));
        EXPECT_EQ(doc.IsModified(), c.modified);
    }
}

TEST_F(Wizard, BrowserBackgroundAndClassesOpenTheirDialogsFromTheProject)
{
    ASSERT_TRUE(app->MainFrame()->SendCommand(ID_FILE_NEW));
    CProjectDocument* project = OnlyProject();
    ASSERT_NE(project, nullptr);
    CKJDoc& doc = project->Project();
    doc.SetModifiedFlag(false);
    std::vector<std::string> shown;
    bool ok = false;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& dlg) -> int {
        shown.push_back(typeid(dlg).name());
        if (!ok)
            return IDCANCEL;
        dlg.OnOK();
        return dlg.GetResult();
    });
    EXPECT_TRUE(app->MainFrame()->SendCommand(ID_BACKGROUND_BROWSER));
    EXPECT_FALSE(doc.IsModified()) << "Cancel changes nothing";
    ok = true;
    EXPECT_TRUE(app->MainFrame()->SendCommand(ID_BACKGROUND_BROWSER));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(app->MainFrame()->SendCommand(ID_STYLE_CLASSES));
    CDialog::SetModalHook(previous);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_NE(shown[0].find("DBackground"), std::string::npos) << shown[0];
    EXPECT_NE(shown[2].find("DClassList"), std::string::npos) << shown[2];
}
