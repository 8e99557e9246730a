#include "model/Clipboard.h"
#include "model/OutputPaths.h"

#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/core/Colors.h"
#include "framework/core/Dc.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Png.h"
#include "model/GroupItem.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/Picture.h"
#include "model/PublishContext.h"
#include "model/WString.h"
#include "model/items/ImageCloneItem.h"

#include <algorithm>

#include <cstring>
#include <map>
#include <memory>
#include <vector>

bool IsPictureItemType(int type)
{
    return type == ITEM_IMAGE || type == ITEM_GIF || type == ITEM_IMAGE_BUTTON || type == ITEM_SHAPE || type == ITEM_ARTISTIC_TEXT;
}

namespace {

int NextSerial()
{
    const int serial = GetObjectCounter() + 1;
    SetObjectCounter(serial);
    return serial;
}

} // namespace

void WriteSelection(const CGroupItem& group, CArchive& ar, bool clonePictures)
{
    ar << std::int32_t(group.CountFlaggedChildren());
    // The clones stand in for their pictures until the extras are written too.
    std::vector<std::unique_ptr<CItem>> standIns;
    std::vector<CItem*> written;
    for (const auto& child : group.GetChildren()) {
        if (!child->m_bSelected)
            continue;
        CItem* item = child.get();
        if (clonePictures && IsPictureItemType(item->m_nType)) {
            auto clone = std::make_unique<CImageCloneItem>();
            clone->m_nSourceId = item->m_nSerial;
            clone->m_strText = item->m_strText;
            clone->m_bSelected = 1;
            clone->m_nWidth = item->m_nWidth;
            clone->m_nHeight = item->m_nHeight;
            clone->m_nX = item->m_nX;
            clone->m_nY = item->m_nY;
            clone->m_bPositioned = 1;
            item = clone.get();
            standIns.push_back(std::move(clone));
        }
        ar << std::int32_t(item->m_nType);
        item->Serialize(ar, kVersionMemory);
        written.push_back(item);
    }
    for (CItem* item : written)
        item->SerializeExtra(ar, kVersionMemory);
}

const char* GetPasteNamePattern(int type)
{
    switch (type) {
    case 2: return "Div%d";
    case 4: return "Input%d";
    case 5: return "Combo%d";
    case 6: return "Button%d";
    case 7: return "TextArea%d";
    case 8: return "Check%d";
    case 9: return "Radio%d";
    case 10: return "Link%d";
    case 11: return "%d";
    case 12: return "Pre%d";
    case 13: return "Image%d";
    case 14: return "Text%d";
    case 16: return "ImageButton%d";
    case 17: return "Form%d";
    case 18: return "YouTube%d";
    case 19: return "Map%d";
    case 20: return "Video%d";
    case 21: return "Shape%d";
    case 22: return "Flash%d";
    case 23: return "Marquee%d";
    case 24: return "PHP%d";
    case 25: return "Gallery%d";
    case 26: return "Clone%d";
    case 27: return "Audio%d";
    case 28: return "GIF%d";
    case 29: return "Menu%d";
    case 30: return "Email%d";
    case 31: return "PayPal%d";
    case 32: return "Date%d";
    case 33: return "List%d";
    case 34: return "Table%d";
    case 37: return "Symbol%d";
    case 41: return "Slider%d";
    default: return nullptr;
    }
}

int PasteItems(CGroupItem& group, CArchive& ar, int& counter, bool rename)
{
    std::int32_t count = 0;
    ar >> count;
    // Every item takes at least its type code: a count the bytes cannot hold is damage.
    if (count < 0)
        throw CArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    ar.CheckCount(count, 4);
    // The whole stream is read before the group sees any of it, so that damage anywhere
    // (a short record, an unknown type code) leaves the group as it was.
    std::vector<std::unique_ptr<CItem>> scratch;
    scratch.reserve(std::size_t(count));
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t type = 0;
        ar >> type;
        std::unique_ptr<CItem> item(CreateItem(type));
        if (!item)
            throw CArchiveException(CArchiveException::badClass, ar.m_strFileName);
        item->Serialize(ar, kVersionMemory);
        scratch.push_back(std::move(item));
    }
    for (auto& item : scratch)
        item->SerializeExtra(ar, kVersionMemory);
    std::vector<CItem*> pasted;
    for (auto& item : scratch) {
        pasted.push_back(item.get());
        group.AddChild(item.release());
    }

    // Fresh serials at every depth, so that no reference by serial becomes ambiguous;
    // clones whose source was pasted with them follow it.
    CItemList all;
    for (CItem* item : pasted) {
        all.push_back(item);
        item->CollectItems(all);
    }
    std::map<int, int> renumbered;
    for (CItem* item : all) {
        const int fresh = NextSerial();
        renumbered.emplace(item->m_nSerial, fresh);
        item->m_nSerial = fresh;
    }
    for (CItem* item : all)
        if (auto* clone = dynamic_cast<CImageCloneItem*>(item)) {
            auto it = renumbered.find(clone->m_nSourceId);
            if (it != renumbered.end())
                clone->m_nSourceId = it->second;
        }

    if (rename) {
        // Pasted objects are new on the server, at every depth.
        for (CItem* item : all)
            item->m_nUploadState = 0;
        for (CItem* item : pasted) {
            if (!item->m_strBaseName.IsEmpty())
                item->m_strBaseName.Format("File%d", counter);
            if (const char* pattern = GetPasteNamePattern(item->m_nType)) {
                item->m_strName = CString::Formatted(pattern, counter);
                ++counter;
            }
        }
    }
    return int(pasted.size());
}

int PasteItemStream(CGroupItem& group, const void* data, std::size_t size, int& counter, bool rename)
{
    const int serials = GetObjectCounter();
    const int names = counter;
    try {
        CMemFile file(static_cast<const BYTE*>(data), size);
        CArchive ar(&file, CArchive::load);
        return PasteItems(group, ar, counter, rename);
    } catch (const CArchiveException&) {
    } catch (const CMemoryException&) {
    }
    SetObjectCounter(serials);
    counter = names;
    return -1;
}

int ExportFileRecord(CSiteObject& record, CPublishContext& context)
{
    CString name = record.GetFileName();
    // The name comes from a project file: it may not lead outside the output folder.
    if (name.Find('/') >= 0 || name.Find('\\') >= 0 || name.IsEmpty() || name[0] == '.')
        name = SafeFileNameText(name);
    if (name.IsEmpty())
        name.Format("%d", record.m_nSerial);
    const CString path = context.m_strOutputRoot + name;
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite))
        return 0;
    if (record.m_blob.Size())
        file.Write(record.m_blob.Data(), UINT(record.m_blob.Size()));
    file.Close();
    context.AddFile(path, name, kPublishFileScript, &record.m_nUploadState);
    return 1;
}

CString GetFolderPath(const CSiteObject* page)
{
    CString path;
    int depth = 0;
    for (const CSiteObject* f = page ? page->m_pParent : nullptr; f && depth < 256; f = f->m_pParent, ++depth)
        path = f->GetFileName() + "/" + path;
    return path;
}

void MakeSafeFileName(CSiteObject& object, const char* text)
{
    object.m_strBaseName = SafeFileNameText(text);
    if (object.m_strBaseName.IsEmpty())
        object.m_strBaseName.Format("%d", object.m_nSerial);
}

void SetNameFromText(CItem& item, const char* text)
{
    if (!text)
        return;
    if (!*text) {
        item.m_strName.Empty();
        return;
    }
    CString kept;
    for (const char* p = text; *p; ++p) {
        const unsigned char c = (unsigned char)*p;
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')
            kept += char(c);
    }
    const unsigned char first = kept.IsEmpty() ? 0 : (unsigned char)kept[0];
    if ((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z'))
        item.m_strName = kept;
    else
        item.m_strName = "id" + kept;
}

int DrawTextWithFallback(CDC* dc, const CWString* text, RECT* rect)
{
    if (!dc || !rect)
        return 0;
    const QString s = (text && !text->IsEmpty()) ? text->ToQString() : QStringLiteral(" ");
    return dc->DrawText(s, rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
}

CString GetPictureCaption(const CPicture& picture)
{
    return CString::Formatted("%s [ %d x %d ]", picture.GetFileName().GetString(), picture.m_nWidth, picture.m_nHeight);
}

bool StorePictureBytes(CPicture& picture)
{
    const CDib& source = picture.m_rendering.IsValid() ? picture.m_rendering : picture.m_picture;
    PackedBitmapPtr packed = source.CopyToGlobal();
    if (!packed)
        return false;
    CDataBlock bytes;
    const bool jpeg = picture.m_nFormat == CPicture::FormatJpeg;
    if (!EncodePictureData(*packed, jpeg, bytes))
        return false;
    // Every other format is stored as PNG from here on.
    if (!jpeg)
        picture.m_nFormat = CPicture::FormatPng;
    picture.m_blob.Swap(bytes);
    picture.m_nUploadState = 0;
    return true;
}

bool ResizePicture(CPicture& picture, int width, int height)
{
    if (width < 1 || height < 1 || width > CDib::kMaxSide || height > CDib::kMaxSide)
        return false;
    CDib scaled = picture.m_rendering.IsValid() ? picture.m_rendering : picture.m_picture;
    if (!scaled.IsValid())
        return false;
    scaled.Resample(width, height);
    PackedBitmapPtr packed = scaled.CopyToGlobal();
    std::vector<BYTE> png;
    CDataBlock bytes;
    if (!packed || !SavePNGData(*packed, png) || !bytes.Assign(png.data(), png.size()))
        return false;
    picture.m_blob.Swap(bytes);
    picture.m_nFormat = CPicture::FormatPng;
    picture.m_picture = scaled;
    picture.m_nWidth = width;
    picture.m_nHeight = height;
    picture.m_nUploadState = 0;
    picture.Render();
    return true;
}

bool CropPictureHolder(CPicture& picture, CRect rect)
{
    rect.NormalizeRect();
    // Only what lies on the picture can be kept.
    rect.IntersectRect(rect, CRect(0, 0, picture.m_picture.GetWidth(), picture.m_picture.GetHeight()));
    if (rect.Width() < 1 || rect.Height() < 1 || !picture.m_picture.IsValid())
        return false;
    CDib cut;
    cut.Create(rect.Width(), rect.Height());
    picture.m_picture.CopyTo(cut, -rect.left, -rect.top);
    picture.m_picture = cut;
    picture.m_rendering = cut;
    picture.m_nWidth = rect.Width();
    picture.m_nHeight = rect.Height();
    return StorePictureBytes(picture);
}

bool MakePatternTexture(CPicture& picture)
{
    const int w = picture.m_nWidth, h = picture.m_nHeight;
    if (w < 1 || h < 1 || w >= CDib::kMaxSide || h >= CDib::kMaxSide)
        return false;
    const int tenths = std::clamp(picture.m_nPatternTransparency, 0, 10);
    const std::uint32_t t = std::uint32_t(tenths * 255 / 10) << 24;
    const std::uint32_t back = (tessel::ColorRefToPixel(picture.m_crPatternBack) & 0x00FFFFFFu) | t;
    const std::uint32_t line = (tessel::ColorRefToPixel(picture.m_crPatternLine) & 0x00FFFFFFu) | t;
    const int thickness = std::clamp(picture.m_nPatternThickness, 0, 1000);
    const int period = std::clamp(picture.m_nPatternGap, 0, 1000) + thickness + 2;
    CDib& r = picture.m_rendering;
    r.Create(w, h);
    if (!r.IsValid())
        return false;
    r.FillRect(back);
    r.BeginPixels();
    switch (picture.m_nPatternOrientation) {
    case 1:
        for (int y0 = 0; y0 < h; y0 += period)
            for (int i = 0; i <= thickness; ++i)
                for (int x = 0; x < w; ++x)
                    r.SetPixel(x, y0 + i, line);
        break;
    case 2:
        for (int x0 = 0; x0 < w; x0 += period)
            for (int i = 0; i <= thickness; ++i)
                for (int y = 0; y < h; ++y)
                    r.SetPixel(x0 + i, y, line);
        break;
    case 3:
        for (int s0 = -h; s0 < w; s0 += period)
            for (int i = 0; i <= thickness; ++i)
                for (int y = 0; y < h; ++y)
                    r.SetPixel(s0 + i + y, y, line);
        break;
    case 4:
        for (int s0 = 0; s0 < w + h; s0 += period)
            for (int i = 0; i <= thickness; ++i)
                for (int y = 0; y < h; ++y)
                    r.SetPixel(s0 + i - y, y, line);
        break;
    default: break;
    }
    r.EndPixels();
    r.SetOpaqueFlag(tenths == 0 ? 1 : 0);
    picture.m_strName.Format("%dx%d-%d", w, h, int(picture.m_crPatternBack));
    picture.m_picture = r;
    picture.m_nFormat = CPicture::FormatPng;
    picture.m_strThirdName.Empty();
    return StorePictureBytes(picture);
}

namespace {

void Outline(CDC* dc, int x, int y, std::initializer_list<std::pair<int, int>> points)
{
    if (!dc)
        return;
    dc->MoveTo(x, y);
    for (const auto& p : points)
        dc->LineTo(x + p.first, y + p.second);
    dc->LineTo(x, y);
}

constexpr COLORREF kTrack = RGB(0xEF, 0xEE, 0xEA);
constexpr COLORREF kButton = RGB(0xD0, 0xD0, 0xE0);
constexpr int kBar = 17;

} // namespace

void DrawArrowGlyph(CDC* dc, int x, int y)
{
    Outline(dc, x, y, {{-3, -3}, {-4, -2}, {0, 2}, {4, -2}, {3, -3}});
}

void DrawRightArrowGlyph(CDC* dc, int x, int y)
{
    Outline(dc, x, y, {{-3, -3}, {-2, -4}, {2, 0}, {-2, 4}, {-3, 3}});
}

void DrawUpArrowGlyph(CDC* dc, int x, int y)
{
    Outline(dc, x, y, {{3, 3}, {4, 2}, {0, -2}, {-4, 2}, {-3, 3}});
}

void DrawLeftArrowGlyph(CDC* dc, int x, int y)
{
    Outline(dc, x, y, {{3, 3}, {2, 4}, {-2, 0}, {2, -4}, {3, -3}});
}

void DrawVertScrollBar(const CItem& item, CDC* dc, int height)
{
    if (!dc)
        return;
    const int h = height > 0 ? height : item.m_nHeight;
    const int left = item.m_nWidth - kBar;
    dc->FillSolidRect(CRect(left, 0, item.m_nWidth, h), kTrack);
    dc->FillSolidRect(CRect(left, 0, item.m_nWidth, kBar), kButton);
    dc->FillSolidRect(CRect(left, h - kBar, item.m_nWidth, h), kButton);
    DrawUpArrowGlyph(dc, left + kBar / 2, 7);
    DrawArrowGlyph(dc, left + kBar / 2, h - 8);
}

void DrawHorzScrollBar(const CItem& item, CDC* dc, int width)
{
    if (!dc)
        return;
    const int w = width > 0 ? width : item.m_nWidth;
    const int top = item.m_nHeight - kBar;
    dc->FillSolidRect(CRect(0, top, w, item.m_nHeight), kTrack);
    dc->FillSolidRect(CRect(0, top, kBar, item.m_nHeight), kButton);
    dc->FillSolidRect(CRect(w - kBar, top, w, item.m_nHeight), kButton);
    DrawLeftArrowGlyph(dc, 7, top + kBar / 2);
    DrawRightArrowGlyph(dc, w - 8, top + kBar / 2);
}
