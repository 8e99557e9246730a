#include "model/items/FlashItem.h"
#include "model/Escaping.h"
#include "framework/core/CFile.h"
#include "framework/core/Colors.h"
#include "framework/core/Dc.h"
#include "framework/core/MessageBox.h"
#include "model/HtmlWriting.h"
#include "model/ItemPlaceholder.h"
#include "model/items/MediaFrame.h"
#include "model/OutputPaths.h"
#include "model/PageOutput.h"
#include "model/PictureFiles.h"
#include "model/PublishContext.h"
#include <zlib.h>
#include <algorithm>
#include <cstring>

using archive_io::Io;

namespace {

// Signature, version byte and length word.
constexpr int kSwfPrefix = 8;
// Header bytes after the prefix that the reader may use: a frame rectangle of at most
// 5 + 4 x 31 bits (17 bytes), rate and count.
constexpr int kSwfBody = 21;

} // namespace

void CFlashItem::Serialize(CArchive& ar, int version)
{
    CItem::Serialize(ar, version);
    Io(ar, m_nWindowMode);
    if (ar.IsStoring() || version >= 88) {
        Io(ar, m_strFlashVars);
        std::uint32_t c = m_crBackground;
        Io(ar, c);
        m_crBackground = c;
    }
}

unsigned CFlashItem::SwfReadU8()
{
    m_nReaderBit = 0;
    const unsigned v = m_nReaderPos < int(m_reader.size()) ? m_reader[size_t(m_nReaderPos)] : 0;
    ++m_nReaderPos;
    return v;
}

unsigned CFlashItem::SwfReadU16()
{
    const unsigned lo = SwfReadU8();
    return lo | (SwfReadU8() << 8);
}

std::uint32_t CFlashItem::SwfReadU32()
{
    const std::uint32_t lo = SwfReadU16();
    return lo | (std::uint32_t(SwfReadU16()) << 16);
}

std::uint32_t CFlashItem::SwfReadBits(int n)
{
    if (n <= 0)
        return 0;
    n = std::min(n, 32);
    // Eight bytes cover any 32 bits at any bit offset.
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) {
        const int at = m_nReaderPos + i;
        v = (v << 8) | (at >= 0 && at < int(m_reader.size()) ? m_reader[size_t(at)] : 0);
    }
    v <<= m_nReaderBit;
    m_nReaderBit += n;
    m_nReaderPos += m_nReaderBit / 8;
    m_nReaderBit %= 8;
    return std::uint32_t(v >> (64 - n));
}

CRect CFlashItem::SwfReadRect()
{
    m_nReaderBit = 0;
    const int nbits = int(SwfReadBits(5));
    auto readSigned = [&]() -> int {
        if (nbits == 0)
            return 0;
        const std::uint32_t raw = SwfReadBits(nbits);
        const std::uint32_t sign = std::uint32_t(1) << (nbits - 1);
        return int(std::int64_t(raw ^ sign) - std::int64_t(sign));
    };
    const int xmin = readSigned();
    const int xmax = readSigned();
    const int ymin = readSigned();
    const int ymax = readSigned();
    if (m_nReaderBit != 0) {
        m_nReaderBit = 0;
        ++m_nReaderPos;
    }
    return CRect(xmin, ymin, xmax, ymax);
}

double CFlashItem::SwfReadFixed8()
{
    return SwfReadU16() / 256.0;
}

int CFlashItem::ReadSwfHeader()
{
    m_nReaderPos = 0;
    m_nReaderBit = 0;
    m_reader.fill(0);
    m_nReaderSize = 0;
    const unsigned char* data = m_blob.Data();
    const std::size_t size = data ? m_blob.Size() : 0;
    if (size < kSwfPrefix)
        return 0;
    if ((data[0] != 'F' && data[0] != 'C') || data[1] != 'W' || data[2] != 'S')
        return 0;
    std::memcpy(m_reader.data(), data, kSwfPrefix);
    int available = kSwfPrefix;
    if (data[0] == 'C') {
        // Only the few header bytes are inflated; the stated length is never trusted.
        z_stream zs{};
        if (inflateInit(&zs) != Z_OK)
            return 0;
        zs.next_in = const_cast<Bytef*>(data + kSwfPrefix);
        zs.avail_in = uInt(std::min<std::size_t>(size - kSwfPrefix, 0x7FFFFFFF));
        zs.next_out = m_reader.data() + kSwfPrefix;
        zs.avail_out = kSwfBody;
        int rc = Z_OK;
        while (zs.avail_out > 0 && rc == Z_OK)
            rc = inflate(&zs, Z_SYNC_FLUSH);
        const int produced = kSwfBody - int(zs.avail_out);
        inflateEnd(&zs);
        // Running out of input or output is expected; anything else is a damaged stream.
        if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) {
            ShowMessageBox(CString::Formatted("Error uncompressing SWF file: %d", rc), "SWF Import", MB_OK | MB_ICONERROR);
            m_reader.fill(0);
            return 0;
        }
        available += produced;
        m_reader[0] = 'F';
    } else {
        const int body = int(std::min<std::size_t>(size - kSwfPrefix, kSwfBody));
        std::memcpy(m_reader.data() + kSwfPrefix, data + kSwfPrefix, size_t(body));
        available += body;
    }
    m_nReaderSize = available;
    m_nReaderPos = 3;
    const int version = int(SwfReadU8());
    const std::uint32_t length = SwfReadU32();
    // The rectangle's size is known from its first five bits.
    const int nbits = m_reader[kSwfPrefix] >> 3;
    const int needed = kSwfPrefix + (5 + 4 * nbits + 7) / 8 + 4;
    if (available < needed) {
        m_reader.fill(0);
        return 0;
    }
    const CRect frame = SwfReadRect();
    const int rate = int(SwfReadFixed8());
    const int count = int(SwfReadU16());
    m_nMovieVersion = version;
    m_nFileLength = length;
    m_nWidth = int((std::int64_t(frame.right) - frame.left) / 20);
    m_nHeight = int((std::int64_t(frame.bottom) - frame.top) / 20);
    m_nFrameRate = rate;
    m_nFrameCount = count;
    m_reader.fill(0);
    return 1;
}

void CFlashItem::OnBlobLoaded(const CString& title)
{
    CItem::OnBlobLoaded(title);
    ReadSwfHeader();
}

CString CFlashItem::GetMovieAddress() const
{
    if (!m_blob.IsEmpty())
        return UrlEncodePath(SafeObjectFileName(*this));
    return UrlEscapeUnsafe(m_strThirdName);
}

bool CFlashItem::ExportFiles(CPublishContext& context)
{
    if (!CItem::ExportFiles(context))
        return false;
    if (m_blob.IsEmpty())
        return false; // no movie: nothing to write
    const CString name = SafeObjectFileName(*this);
    const CString local = context.m_strOutputRoot + context.m_strCurrentFolder + name;
    return context.AddWrittenFile(WriteFileBytes(local, m_blob.Data(), m_blob.Size()), local, context.m_strCurrentFolder + name, kPublishFileFlash,
        &m_nUploadState);
}

void CFlashItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    if (HasNoPaintedBorder(*this)) {
        if (!tessel::ColorIsUnset(m_crBackground))
            dc->FillSolidRect(0, 0, m_nWidth, m_nHeight, m_crBackground & 0xFFFFFF);
        DrawMediaOutline(*this, dc);
    }
    DrawPlaceholder(*this, dc, m_blob.IsEmpty() ? m_strThirdName : GetFileName(), 0x8000);
}

void CFlashItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    WriteTextBoxStyle(out);
    // <embed> carries the player's settings as its own attributes: the <param> children
    // of an <object> are obsolete markup.
    out.Append("<embed");
    WriteIdClassTitle(out);
    CString style = GetStyle();
    if (!m_bPositioned) {
        if (m_nBlockAlign == 0)
            style += "margin-right:auto;";
        else if (m_nBlockAlign == 1)
            style += "margin-left:auto;";
        else if (m_nBlockAlign == 2)
            style += "margin-right:auto;margin-left:auto;";
    }
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    if (m_nTabIndex > 0)
        out.AppendAttributeInt("tabindex", m_nTabIndex);
    const CString address = GetMovieAddress();
    if (!address.IsEmpty())
        out.AppendAttribute("src", address);
    out.Append(CString::Formatted(" type=\"application/x-shockwave-flash\" width=\"%d\" height=\"%d\"", m_nWidth, m_nHeight));
    if (!tessel::ColorIsUnset(m_crBackground))
        out.AppendAttribute("bgcolor", ColorToHtml(m_crBackground));
    if (!m_strFlashVars.IsEmpty())
        out.AppendAttribute("flashvars", m_strFlashVars);
    if (m_nWindowMode == 1 || m_nWindowMode == 2)
        out.AppendAttributeSz("wmode", m_nWindowMode == 1 ? "opaque" : "transparent");
    out.Append(" play=\"true\" loop=\"true\" allowfullscreen=\"true\" quality=\"high\">");
    WriteParagraphEnd(out);
    out.AppendLine();
}
