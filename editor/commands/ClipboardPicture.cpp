#include "editor/commands/ClipboardPicture.h"

#include "document/EditScope.h"
#include "document/ImageItemImport.h"
#include "document/KJDoc.h"
#include "editor/KJView.h"
#include "framework/core/Colors.h"
#include "framework/core/MessageBox.h"
#include "framework/core/Png.h"
#include "framework/ui/Translation.h"
#include "model/Clipboard.h"
#include "model/Dib.h"
#include "model/FillStyle.h"
#include "model/OutputPaths.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/PictureFiles.h"
#include "model/WString.h"
#include "model/items/ImageItem.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

#include <memory>
#include <vector>

CString PastedPictureName(const CWString& typed)
{
    CString ascii;
    typed.ToAsciiName(ascii);
    CString name;
    for (int i = 0; i < ascii.GetLength(); ++i) {
        const unsigned char c = (unsigned char)ascii[i];
        if (c == ' ')
            name += '_';
        else if ((c >= 'A' && c <= 'Z'))
            name += char(c - 'A' + 'a');
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.')
            name += char(c);
    }
    // no hidden name, no "..": the name stays one plain file name
    while (!name.IsEmpty() && name[0] == '.')
        name = name.Mid(1);
    if (name.IsEmpty())
        name = "image";
    return name;
}

bool PastePicture(CKJView& view, const QImage& image, const CWString& typedName, bool jpeg, int placement)
{
    CKJDoc* doc = view.GetProject();
    if (!doc || !view.m_pContainer)
        return false;
    std::vector<BYTE> bytes;
    PackedBitmapPtr packed;
    if (!image.isNull() && image.width() < CDib::kMaxSide && image.height() <= CDib::kMaxSide) {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        CDib dib;
        dib.Create(argb.width(), argb.height());
        dib.BeginPixels();
        for (int y = 0; y < argb.height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < argb.width(); ++x)
                dib.SetPixel(x, y, tessel::QRgbToPixel(row[x]));
        }
        dib.EndPixels();
        packed = dib.CopyToGlobal();
    }
    const bool encoded = packed && (jpeg ? WriteJpegData(*packed, 9, bytes) : SavePNGData(*packed, bytes));
    QTemporaryDir folder;
    const CString name = PastedPictureName(typedName);
    const CString path = CString::FromQString(folder.path()) + "/" + name + (jpeg ? ".jpg" : ".png");
    bool written = false;
    if (encoded && folder.isValid()) {
        QFile file(path.ToQString());
        written = file.open(QIODevice::WriteOnly) &&
                  file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) == qint64(bytes.size());
    }
    if (!written) {
        AfxMessageBox(UiTranslate("The picture could not be pasted."), MB_ICONEXCLAMATION);
        return false;
    }

    if (placement == PastePictureImage) {
        std::unique_ptr<CImageItem> item(CreateImageItemFromFile(*doc, path));
        if (!item)
            return false; // the reader has said why
        CEditScope scope(*doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Paste Image");
        SetNameFromText(*item, name.GetString());
        ++doc->m_nImageCounter;
        item->RecalcLayout();
        view.AddItemToPage(item.release(), true);
        return true;
    }

    auto picture = std::make_unique<CPicture>();
    if (!picture->LoadFile(path)) {
        AfxMessageBox(UiTranslate("The picture could not be pasted."), MB_ICONEXCLAMATION);
        return false;
    }
    CFillStyle* fill = placement == PastePictureBackground ? view.m_pContainer->m_pFill.get() : &doc->m_websiteBackground;
    if (!fill)
        return false;
    CEditScope scope(*doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Paste Image");
    if (placement != PastePictureBackground)
        scope.TouchSite(); // every page shows the browser background
    scope.SetHint(HINT_TEXTURES);
    picture->Render();
    CPicture* texture = picture.get();
    doc->m_textures.push_back(std::move(picture));
    fill->m_nKind = CFillStyle::KindPicture;
    fill->m_pPicture = texture;
    fill->m_nPictureId = texture->m_nSerial;
    fill->Render(true);
    view.update();
    return true;
}
