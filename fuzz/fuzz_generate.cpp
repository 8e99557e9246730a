// libFuzzer target: a project loaded from arbitrary bytes and then generated in every mode
// (previews, upload, export), so that the writers meet every value a damaged file can give.
// A bad file must end in one of our exceptions or a message, never a crash or an overflow.
#include "document/Generate.h"
#include "document/KJDoc.h"
#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/core/MessageBox.h"
#include "model/PublishContext.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static bool quiet = [] {
        SetMessageBoxHandler([](const CString&, const CString&, unsigned) { return IDOK; });
        return true;
    }();
    (void)quiet;
    static QTemporaryDir out;
    if (!out.isValid())
        return 0;
    CKJDoc doc;
    try {
        CMemFile file(data, size);
        CArchive ar(&file, CArchive::load);
        doc.Serialize(ar);
    } catch (const CException&) {
        return 0;
    }
    doc.SetTitle("fuzz");
    for (int mode : {kPublishEditorPreview, kPublishBrowserPreview, kPublishUpload, kPublishExport}) {
        CPublishContext context;
        context.m_strOutputFolder = CString::FromQString(out.filePath(QStringLiteral("site")));
        context.m_nMode = mode;
        context.m_bUploadAll = 1;
        try {
            CString error;
            GenerateWebsite(doc, context, &error);
        } catch (const CException&) {
        }
        QDir(out.filePath(QStringLiteral("site"))).removeRecursively();
    }
    return 0;
}
