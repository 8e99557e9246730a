#include "editor/commands/ClipboardPicture.h"

#include "dialogs/SizeDialogs.h"
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
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>

#include <algorithm>

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

namespace {

// Encodes the bitmap in memory and writes it as name + ".jpg" or ".png" into the private
// folder; the path written, or empty (a message shown) when that failed.
CString WritePictureFile(const CDib& dib, bool jpeg, const QTemporaryDir& folder, const CString& name)
{
    std::vector<BYTE> bytes;
    PackedBitmapPtr packed = dib.IsValid() ? dib.CopyToGlobal() : nullptr;
    const bool encoded = packed && (jpeg ? WriteJpegData(*packed, 9, bytes) : SavePNGData(*packed, bytes));
    const CString path = CString::FromQString(folder.path()) + "/" + name + (jpeg ? ".jpg" : ".png");
    bool written = false;
    if (encoded && folder.isValid()) {
        QFile file(path.ToQString());
        written = file.open(QIODevice::WriteOnly) &&
                  file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) == qint64(bytes.size());
    }
    if (written)
        return path;
    AfxMessageBox(UiTranslate("The picture could not be pasted."), MB_ICONEXCLAMATION);
    return CString();
}

} // namespace

bool PastePicture(CKJView& view, const CDib& picture, const CWString& typedName, bool jpeg, int placement)
{
    CKJDoc* doc = view.GetProject();
    if (!doc || !view.m_pContainer)
        return false;
    QTemporaryDir folder;
    const CString name = PastedPictureName(typedName);
    const CString path = WritePictureFile(picture, jpeg, folder, name);
    if (path.IsEmpty())
        return false;

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

    auto texture = std::make_unique<CPicture>();
    if (!texture->LoadFile(path)) {
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
    texture->Render();
    CPicture* added = texture.get();
    // through the document, so that a cancelled change takes the texture out again
    doc->AddTexture(std::move(texture));
    fill->m_nKind = CFillStyle::KindPicture;
    fill->m_pPicture = added;
    // fills name their picture by its picture id: Undo and reading the file reconnect by it
    fill->m_nPictureId = added->m_nPictureId;
    fill->Render(true);
    view.update();
    return true;
}

bool PasteMetafile(CKJView& view, const QByteArray& svg)
{
    CKJDoc* doc = view.GetProject();
    if (!doc || !view.m_pContainer)
        return false;
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        AfxMessageBox(UiTranslate("The drawing on the clipboard cannot be read."), MB_ICONEXCLAMATION);
        return false;
    }
    const QSize natural = renderer.defaultSize();
    DMetafileRaster dlg(&view);
    dlg.m_nWidth = std::clamp(natural.width(), 1, 2000);
    dlg.m_nHeight = std::clamp(natural.height(), 1, 2000);
    dlg.m_bAntialiased = 1;
    if (dlg.DoModal() != IDOK)
        return false;
    const int scale = dlg.m_bAntialiased ? 2 : 1;
    const int w = std::clamp(dlg.m_nWidth, 1, 2000) * scale, h = std::clamp(dlg.m_nHeight, 1, 2000) * scale;
    // drawn on black and on white: what differs is what the drawing left uncovered
    auto draw = [&](Qt::GlobalColor background) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(background);
        QPainter painter(&image);
        renderer.render(&painter, QRectF(0, 0, w, h));
        return image;
    };
    const QImage onBlack = draw(Qt::black), onWhite = draw(Qt::white);
    CDib dib;
    dib.Create(w, h);
    dib.BeginPixels();
    for (int y = 0; y < h; ++y) {
        const QRgb* a = reinterpret_cast<const QRgb*>(onBlack.constScanLine(y));
        const QRgb* b = reinterpret_cast<const QRgb*>(onWhite.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const std::uint32_t colour = tessel::QRgbToPixel(a[x]) & 0x00FFFFFFu;
            dib.SetPixel(x, y, (a[x] & 0x00FFFFFFu) == (b[x] & 0x00FFFFFFu) ? colour : (colour | 0xFF000000u));
        }
    }
    dib.EndPixels();
    if (scale == 2)
        dib.Resample(w / 2, h / 2);
    QTemporaryDir folder;
    const CString path = WritePictureFile(dib, false, folder, CString::Formatted("MetaFile%d", doc->m_nImageCounter));
    std::unique_ptr<CImageItem> item(path.IsEmpty() ? nullptr : CreateImageItemFromFile(*doc, path));
    if (!item)
        return false; // said why; nothing changed
    CEditScope scope(*doc, view.m_pCurrentPage, view.m_pContainer, nullptr, "Paste Metafile");
    ++doc->m_nImageCounter;
    item->m_strName.Format("img%d", doc->m_nItemCounter++);
    item->RecalcLayout();
    view.AddItemToPage(item.release(), true);
    return true;
}
