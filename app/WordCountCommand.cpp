#include "app/WordCountCommand.h"

#include "controls/FileChooser.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "document/WordCount.h"
#include "framework/core/MessageBox.h"
#include "model/Translate.h"

#include <QtCore/QFile>

namespace {
void ExportStep(CKJDoc& doc)
{
    CFileChooser chooser;
    chooser.SetFilter("Text (*.txt)|*.txt");
    if (!chooser.DoSave())
        return;
    const std::vector<CString> paths = chooser.GetPathNames();
    if (paths.empty())
        return;
    CString error;
    if (!ExportTexts(doc, paths.front(), &error))
        AfxMessageBox(error, MB_ICONERROR);
}

void ImportStep(CKJDoc& doc)
{
    if (AfxMessageBox("This command will load text strings from a file and replace all text in your current project.",
                      MB_YESNO)
        != IDYES)
        return;
    CFileChooser chooser;
    chooser.SetFilter("Text (*.txt)|*.txt||");
    chooser.AddFlags(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
    if (!chooser.DoOpen())
        return;
    const std::vector<CString> paths = chooser.GetPathNames();
    if (paths.empty())
        return;
    QFile file(paths.front().ToQString());
    if (!file.open(QIODevice::ReadOnly)) {
        AfxMessageBox(Translate("Cannot read file") + " " + paths.front(), MB_ICONERROR);
        return;
    }
    const QByteArray bytes = file.readAll();
    if (ImportTextBytes(doc, bytes) == TextImportResult::NotUtf8)
        AfxMessageBox("The file must be in UTF-8 format.", MB_ICONEXCLAMATION);
}
} // namespace

void RunWordCount(CKJDoc& doc, const WordCountDialogRunner& dialog)
{
    CSiteCounts counts = CountSiteTexts(doc);
    if (!MeasureSiteBytes(doc, counts.bytes))
        return;
    switch (dialog(WordCountLabels(), WordCountValues(counts))) {
    case kWordCountExport: ExportStep(doc); break;
    case kWordCountImport: ImportStep(doc); break;
    default: break;
    }
}

void RunWebsiteStatistics(CKJDoc& doc, const StatisticsDialogRunner& dialog)
{
    CString code = doc.m_strAnalytics;
    if (!dialog(code) || code == doc.m_strAnalytics)
        return;
    CEditScope scope(doc);
    scope.TouchSite();
    doc.m_strAnalytics = code;
}
