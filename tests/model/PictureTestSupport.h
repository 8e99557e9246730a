// Small fixtures shared by the picture, image item and clipboard tests: bitmaps, encoded
// bytes, records in memory and Pillow reading back what was written.
#pragma once
#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/core/Png.h"
#include "model/Dib.h"
#include "model/Picture.h"
#include "support/ExternalTools.h"

#include <QtCore/QFile>
#include <QtCore/QString>
#include <QtCore/QStringList>

#include <vector>

namespace picturetest {

// A w x h bitmap of one pixel value (0xTTRRGGBB).
inline CDib Solid(int w, int h, std::uint32_t pixel)
{
    CDib d;
    d.Create(w, h);
    d.FillRect(pixel);
    return d;
}

// A bitmap whose pixel (x, y) is (x * 8, y * 8, 100), opaque: every place has its own colour.
inline CDib Gradient(int w, int h)
{
    CDib d;
    d.Create(w, h);
    d.BeginPixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            d.SetPixel(x, y, std::uint32_t((x * 8) & 0xFF) << 16 | std::uint32_t((y * 8) & 0xFF) << 8 | 100u);
    d.EndPixels();
    return d;
}

inline std::vector<BYTE> PngBytes(const CDib& dib)
{
    std::vector<BYTE> out;
    SavePNGData(*dib.CopyToGlobal(), out);
    return out;
}

inline std::vector<BYTE> JpegBytes(const CDib& dib)
{
    CDataBlock block;
    EncodeJpegData(*dib.CopyToGlobal(), 9, block);
    return std::vector<BYTE>(block.Data(), block.Data() + block.Size());
}

// A 2 x 1 GIF: a red and a blue pixel.
inline std::vector<BYTE> GifBytes()
{
    static const BYTE kGif[] = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF,
        ',', 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0x44, 0x0A, 0, ';'};
    return std::vector<BYTE>(kGif, kGif + sizeof kGif);
}

inline QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteAll(const QString& path, const std::vector<BYTE>& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) == qint64(bytes.size());
}

template <typename T> std::vector<BYTE> Store(T& object, int version = 92)
{
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        object.Serialize(ar, version);
        ar.Close();
    }
    return f.Bytes();
}

template <typename T> void Load(T& object, const std::vector<BYTE>& bytes, int version = 92)
{
    CMemFile f(bytes.data(), bytes.size());
    CArchive ar(&f, CArchive::load);
    object.Serialize(ar, version);
}

// An item's record as a project stores it: its fields, then its extras.
template <typename T> std::vector<BYTE> StoreWithExtras(T& item)
{
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        item.Serialize(ar, 92);
        item.SerializeExtra(ar, 92);
        ar.Close();
    }
    return f.Bytes();
}

// Reads such a record; true when it was read to its end.
template <typename T> bool LoadWithExtras(T& item, const std::vector<BYTE>& bytes)
{
    CMemFile f(bytes.data(), bytes.size());
    CArchive ar(&f, CArchive::load);
    item.Serialize(ar, 92);
    item.SerializeExtra(ar, 92);
    return ar.GetRemaining() == 0;
}

// What Pillow makes of a file: "FORMAT WxH MODE" and the RGBA of the given pixels.
struct PillowView {
    QString format;
    int width = 0, height = 0;
    QString mode;
    std::vector<std::uint32_t> rgba; // 0xRRGGBBAA per asked pixel
    bool ok = false;
};

inline PillowView ReadWithPillow(const QString& path, const std::vector<std::pair<int, int>>& points = {})
{
    QStringList args{path};
    for (const auto& p : points)
        args << QString::number(p.first) << QString::number(p.second);
    const QByteArray script =
        "import sys\n"
        "from PIL import Image\n"
        "im = Image.open(sys.argv[1]); im.load()\n"
        "print(im.format, im.size[0], im.size[1], im.mode)\n"
        "rgba = im.convert('RGBA')\n"
        "a = sys.argv[2:]\n"
        "for i in range(0, len(a), 2):\n"
        "    r, g, b, al = rgba.getpixel((int(a[i]), int(a[i + 1])))\n"
        "    print((r << 24) | (g << 16) | (b << 8) | al)\n";
    testsupport::ProcessResult r = testsupport::RunPython(script, args);
    PillowView v;
    if (r.exitCode != 0)
        return v;
    const QStringList lines = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return v;
    const QStringList head = lines[0].split(' ');
    if (head.size() < 4)
        return v;
    v.format = head[0];
    v.width = head[1].toInt();
    v.height = head[2].toInt();
    v.mode = head[3];
    for (int i = 1; i < lines.size(); ++i)
        v.rgba.push_back(std::uint32_t(lines[i].toULongLong()));
    v.ok = true;
    return v;
}

inline int OpacityOf(std::uint32_t pixel)
{
    return 255 - int(pixel >> 24);
}

} // namespace picturetest
