#include "model/TextRuns.h"
#include "framework/core/Colors.h"
#include "model/Folder.h"
#include "model/HtmlWriting.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/TextStyle.h"
#include "model/items/ParagraphItem.h"

#include <QtGui/QAbstractTextDocumentLayout>
#include <QtGui/QFontMetricsF>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

// ---------------------------------------------------------------- run block

int GetTextRunCount(const CDataBlock& block)
{
    return int(std::min<std::size_t>(block.Size() / kTextRunBytes, std::size_t(0x7FFFFFFF)));
}

CTextRun GetTextRun(const CDataBlock& block, int index)
{
    CTextRun run;
    if (index < 0 || index >= GetTextRunCount(block)) {
        // A record the block does not hold: no formatting, the item's colour.
        run.color = kRunColorInherit;
        return run;
    }
    std::uint32_t words[7];
    std::memcpy(words, block.Data() + std::size_t(index) * kTextRunBytes, sizeof words);
    run.color = words[0];
    run.bold = std::int32_t(words[1]);
    run.italic = std::int32_t(words[2]);
    run.decoration = std::int32_t(words[3]);
    run.monospace = std::int32_t(words[4]);
    run.link = std::int32_t(words[5]);
    run.size = std::int32_t(words[6]);
    return run;
}

void SetTextRun(CDataBlock& block, int index, const CTextRun& run)
{
    if (index < 0 || index >= GetTextRunCount(block))
        return;
    const std::uint32_t words[7] = {run.color, std::uint32_t(run.bold), std::uint32_t(run.italic), std::uint32_t(run.decoration),
                                    std::uint32_t(run.monospace), std::uint32_t(run.link), std::uint32_t(run.size)};
    std::memcpy(block.Data() + std::size_t(index) * kTextRunBytes, words, sizeof words);
}

void AllocateTextRuns(CDataBlock& block, int count)
{
    block.Free();
    if (count <= 0)
        return;
    if (block.Allocate(std::size_t(count) * kTextRunBytes))
        std::memset(block.Data(), 0, block.Size());
}

namespace {

constexpr int kStepTwips[8] = {0, 150, 180, 240, 270, 360, 480, 640};
constexpr int kStepPoints[8] = {0, 8, 9, 12, 13, 18, 24, 36};

} // namespace

int RunSizeTwips(int step)
{
    return step >= 1 && step <= 7 ? kStepTwips[step] : 0;
}

int RunSizePoints(int step)
{
    return step >= 1 && step <= 7 ? kStepPoints[step] : 0;
}

int RunSizeStepOfTwips(int twips)
{
    for (int step = 1; step <= 6; ++step)
        if (twips <= kStepTwips[step])
            return step;
    return 7;
}

// ---------------------------------------------------------------- HTML

namespace {

// The tags of a run, outermost first. Tags nest strictly: a change at one level closes
// that level and every level inside it, then reopens what the new record needs.
enum RunTag { TAG_LINK, TAG_TT, TAG_FONT, TAG_S, TAG_U, TAG_B, TAG_I, TAG_COUNT };

const char* const kCloseTags[TAG_COUNT] = {"</a>", "</tt>", "</font>", "</s>", "</u>", "</b>", "</i>"};

std::uint32_t NormalColor(std::uint32_t c)
{
    return !tessel::ColorIsUnset(c) ? c : kRunColorInherit;
}

bool StyleDiffers(const CTextRun& a, const CTextRun& b)
{
    return a.italic != b.italic || a.bold != b.bold || a.decoration != b.decoration || NormalColor(a.color) != NormalColor(b.color)
        || a.monospace != b.monospace || a.size != b.size;
}

class RunTagStack {
public:
    explicit RunTagStack(CPageOutput& out) : m_out(out) {}

    bool IsOpen(RunTag tag) const { return std::find(m_open.begin(), m_open.end(), tag) != m_open.end(); }
    void Open(RunTag tag, const CString& text)
    {
        m_out.Append(text);
        m_open.push_back(tag);
    }
    // Closes every tag down to the first one at level `from` or deeper.
    void CloseFrom(RunTag from)
    {
        while (!m_open.empty() && m_open.back() >= from) {
            m_out.Append(kCloseTags[m_open.back()]);
            m_open.pop_back();
        }
    }
    void CloseAll()
    {
        while (!m_open.empty()) {
            m_out.Append(kCloseTags[m_open.back()]);
            m_open.pop_back();
        }
    }

private:
    CPageOutput& m_out;
    std::vector<RunTag> m_open;
};

} // namespace

namespace {

// True when a run of the item's text carries a link that is written.
bool HasRunLinks(const CItem& item)
{
    const auto* paragraph = dynamic_cast<const CParagraphItem*>(&item);
    if (!paragraph)
        return false;
    const int count = GetTextRunCount(item.m_blob);
    for (int i = 0; i < count; ++i) {
        const int id = GetTextRun(item.m_blob, i).link & 0xFFFF;
        if (id != 0 && paragraph->FindRunLink(id))
            return true;
    }
    return false;
}

} // namespace

CString OpenItemLink(const CItem& item, CPageOutput& out)
{
    CString attributes;
    item.m_link.BuildHref(attributes, GetRelativePath(out.m_pPageFolder, item.m_link.m_pTargetFolder));
    if (attributes.IsEmpty())
        return CString();
    if (attributes.Find(" href=") >= 0 && !HasRunLinks(item)) {
        out.Append("<a" + attributes + ">");
        return "</a>";
    }
    CItemLink titleOnly;
    titleOnly.m_wstrTitle.Copy(item.m_link.m_wstrTitle);
    CString title;
    titleOnly.BuildHref(title, nullptr);
    if (title.IsEmpty())
        return CString();
    out.Append("<span" + title + ">");
    return "</span>";
}

void WriteRichText(CItem& item, CPageOutput& out)
{
    const CRawTextScope raw(out, item.m_bRawText);
    const CDataBlock& block = item.m_blob;
    if (GetTextRunCount(block) == 0) {
        out.AppendText(item.m_strText);
        return;
    }
    auto* paragraph = dynamic_cast<CParagraphItem*>(&item);
    const char16_t* text = item.m_strText.GetBuffer();
    const int length = item.m_strText.GetLength();

    RunTagStack tags(out);
    CTextRun previous;
    int index = 0;
    char16_t prevUnit = 0;
    for (int i = 0; i < length; ++i) {
        const char16_t unit = text[i];
        const CTextRun run = GetTextRun(block, index);
        // The second half of a surrogate pair follows its first half directly.
        const bool lowHalf = unit >= 0xDC00 && unit <= 0xDFFF && prevUnit >= 0xD800 && prevUnit <= 0xDBFF;
        if (!lowHalf) {
            const bool styleChanged = StyleDiffers(run, previous);
            const bool linkChanged = (run.link & 0xFFFF) != (previous.link & 0xFFFF);
            if (linkChanged)
                tags.CloseFrom(TAG_LINK);
            else if (styleChanged)
                tags.CloseFrom(TAG_TT);
            if (linkChanged && (run.link & 0xFFFF) != 0 && paragraph) {
                if (const CItemLink* link = paragraph->FindRunLink(run.link & 0xFFFF)) {
                    CString attributes;
                    link->BuildHref(attributes, GetRelativePath(out.m_pPageFolder, link->m_pTargetFolder));
                    tags.Open(TAG_LINK, "<a" + attributes + ">");
                }
            }
            if (run.monospace && !tags.IsOpen(TAG_TT))
                tags.Open(TAG_TT, "<tt>");
            if (!tags.IsOpen(TAG_FONT)) {
                CString size, colour;
                if (run.size != 0)
                    size.Format("size=\"%d\"", run.size);
                if (!tessel::ColorIsUnset(run.color))
                    colour = "color=\"" + ColorToHtml(run.color) + "\"";
                if (!size.IsEmpty() || !colour.IsEmpty())
                    tags.Open(TAG_FONT, "<font " + size + (!size.IsEmpty() && !colour.IsEmpty() ? " " : "") + colour + ">");
            }
            if (run.decoration == 2 && !tags.IsOpen(TAG_S))
                tags.Open(TAG_S, "<s>");
            if (run.decoration == 1 && !tags.IsOpen(TAG_U))
                tags.Open(TAG_U, "<u>");
            if (run.bold && !tags.IsOpen(TAG_B))
                tags.Open(TAG_B, "<b>");
            if (run.italic && !tags.IsOpen(TAG_I))
                tags.Open(TAG_I, "<i>");
            previous = run;
        }
        EscapeHtmlChar(out, unit);
        prevUnit = unit;
        if (unit != u'\n')
            ++index;
    }
    tags.CloseAll();
}

// ---------------------------------------------------------------- editing bridge

namespace {

static_assert(kLinkProperty == QTextFormat::UserProperty + 1);

int HeightTwips(const LOGFONT& lf)
{
    const int pixels = lf.lfHeight == 0 ? 13 : std::abs(int(lf.lfHeight));
    return pixels * 15;
}

int TwipsToPixels(int twips)
{
    return std::max(1, int(std::lround(twips / 15.0)));
}

CString FaceOf(const QTextCharFormat& f)
{
    const QStringList families = f.fontFamilies().toStringList();
    return families.isEmpty() ? CString() : CString::FromQString(families.front());
}

QTextCharFormat ToQt(const CRichCharFormat& cf)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{cf.face.ToQString()});
    f.setProperty(QTextFormat::FontPixelSize, TwipsToPixels(cf.heightTwips));
    f.setForeground(tessel::ColorRefToQColor(cf.color));
    f.setFontWeight(cf.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(cf.italic != 0);
    f.setFontUnderline(cf.underline != 0);
    f.setFontStrikeOut(cf.strikeout != 0);
    f.setProperty(kLinkProperty, 0);
    return f;
}

// The document text of the item: every CR LF, lone CR or lone LF a paragraph break.
// Records are consumed by every unit but a line feed, so positions and records match.
struct DocText {
    QString text;
    std::vector<int> record; // record index of each document position
};

DocText MakeDocText(const CWString& source)
{
    DocText d;
    const char16_t* p = source.GetBuffer();
    const int n = source.GetLength();
    int index = 0;
    for (int i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (c == u'\n') {
            if (i > 0 && p[i - 1] == u'\r')
                continue;
            d.text += QChar(u'\n');
            d.record.push_back(index);
            continue;
        }
        d.text += c == u'\r' ? QChar(u'\n') : QChar(c);
        d.record.push_back(index++);
    }
    return d;
}

Qt::Alignment AlignmentOf(int textAlign)
{
    switch (textAlign) {
    case 1: return Qt::AlignRight;
    case 2: return Qt::AlignHCenter;
    case 3: return Qt::AlignJustify;
    default: return Qt::AlignLeft;
    }
}

void ApplyBlockFormat(QTextDocument* doc, Qt::Alignment alignment, double lineHeight)
{
    QTextCursor c(doc);
    c.select(QTextCursor::Document);
    QTextBlockFormat bf;
    bf.setAlignment(alignment);
    bf.setTopMargin(0);
    bf.setBottomMargin(0);
    if (lineHeight > 0)
        bf.setLineHeight(lineHeight, QTextBlockFormat::FixedHeight);
    c.mergeBlockFormat(bf);
}

// Format of every document position; a paragraph break carries the format the next
// block starts with.
std::vector<QTextCharFormat> PositionFormats(const QTextDocument* doc)
{
    std::vector<QTextCharFormat> formats(size_t(std::max(0, doc->characterCount())));
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            for (int k = 0; k < frag.length(); ++k) {
                const size_t pos = size_t(frag.position() + k);
                if (pos < formats.size())
                    formats[pos] = frag.charFormat();
            }
        }
        const QTextBlock next = b.next();
        const size_t sep = size_t(b.position() + b.length() - 1);
        if (next.isValid() && sep < formats.size())
            formats[sep] = next.charFormat();
    }
    return formats;
}

} // namespace

QTextCharFormat RichCharFormatToText(const CRichCharFormat& cf) { return ToQt(cf); }

void SetRichEditFont(CParagraphItem& item, QTextDocument* doc)
{
    CRichCharFormat cf;
    cf.face = CString(item.m_lfText->lfFaceName, int(strnlen(item.m_lfText->lfFaceName, sizeof item.m_lfText->lfFaceName)));
    cf.heightTwips = HeightTwips(item.m_lfText);
    cf.color = item.m_crLayoutText & 0xFFFFFF;
    cf.bold = item.m_lfText->lfWeight == FW_BOLD;
    cf.italic = item.m_lfText->lfItalic != 0;
    cf.underline = item.m_lfText->lfUnderline != 0;
    cf.strikeout = item.m_lfText->lfStrikeOut != 0;
    if (!(cf == item.m_charFormat))
        item.OnResized();
    item.m_charFormat = cf;
    if (!doc)
        return;
    QTextCursor c(doc);
    c.select(QTextCursor::Document);
    c.setCharFormat(ToQt(cf));
    ApplyBlockFormat(doc, AlignmentOf(item.m_nTextAlign), 0);
}

void LoadRichEdit(CParagraphItem& item, QTextDocument* doc, bool linkStyle)
{
    const COLORREF text = item.m_crLayoutText;
    item.m_crEditorBack = RGB(255 - GetRValue(text), 255 - GetGValue(text), 255 - GetBValue(text));
    if (!doc)
        return;

    const DocText dt = MakeDocText(item.m_strText);
    doc->setPlainText(dt.text);
    const CRichCharFormat& base = item.m_charFormat;

    int lineHeight = item.m_nLineHeight > 0 ? item.m_nLineHeight : 0;
    if (lineHeight <= 0 && item.m_pBaseStyle && item.m_pBaseStyle->m_nLineHeight > 0)
        lineHeight = item.m_pBaseStyle->m_nLineHeight;
    const double lineTwips = lineHeight > 0 ? (10.0 * lineHeight + 100.0) * base.heightTwips / 100.0 : 0.0;
    ApplyBlockFormat(doc, AlignmentOf(item.m_nTextAlign), lineTwips / 15.0);

    QTextCursor all(doc);
    all.select(QTextCursor::Document);
    all.setCharFormat(ToQt(base));
    const int count = GetTextRunCount(item.m_blob);
    if (count == 0)
        return;

    struct RunFormat {
        CRichCharFormat cf;
        bool hasBack = false;
        COLORREF back = 0;
    };
    auto formatOf = [&](const CTextRun& run) {
        RunFormat rf;
        CRichCharFormat& cf = rf.cf;
        cf = base;
        int bold = item.m_nBold == 1, italic = item.m_nItalic == 1, decoration = item.m_nDecoration;
        if (run.monospace)
            cf.face = "Courier New";
        if (run.size >= 1 && run.size <= 7)
            cf.heightTwips = RunSizeTwips(run.size);
        if ((run.link & 0xFFFF) != 0 && linkStyle && item.m_pLinkStyle) {
            const CLinkStyle& ls = *item.m_pLinkStyle;
            if (!tessel::ColorIsUnset(ls.m_crColor))
                cf.color = ls.m_crColor & 0xFFFFFF;
            if (!tessel::ColorIsUnset(ls.m_crBack)) {
                rf.hasBack = true;
                rf.back = ls.m_crBack & 0xFFFFFF;
            }
            bold = ls.m_nBold == 1;
            italic = ls.m_nItalic == 1;
            decoration = ls.m_nDecoration;
        }
        if (!tessel::ColorIsUnset(run.color))
            cf.color = run.color & 0xFFFFFF;
        // A record's 0 leaves the starting value: the item's, or the link style's.
        if (run.bold == 1)
            bold = 1;
        if (run.italic == 1)
            italic = 1;
        if (run.decoration > 0)
            decoration = run.decoration;
        else if (!((run.link & 0xFFFF) != 0 && linkStyle && item.m_pLinkStyle))
            decoration = 0;
        cf.bold = bold;
        cf.italic = italic;
        cf.underline = decoration == 1;
        cf.strikeout = decoration == 2;
        return rf;
    };

    // Neighbours with equal records take their format in one step.
    for (size_t pos = 0; pos < dt.record.size();) {
        const CTextRun run = GetTextRun(item.m_blob, dt.record[pos]);
        size_t end = pos + 1;
        while (end < dt.record.size() && GetTextRun(item.m_blob, dt.record[end]) == run)
            ++end;
        const RunFormat rf = formatOf(run);
        QTextCharFormat f = ToQt(rf.cf);
        f.setProperty(kLinkProperty, run.link & 0xFFFF);
        if (rf.hasBack)
            f.setBackground(tessel::ColorRefToQColor(rf.back));
        QTextCursor c(doc);
        c.setPosition(int(pos));
        c.setPosition(int(end), QTextCursor::KeepAnchor);
        c.setCharFormat(f);
        pos = end;
    }

    // The editor background contrasts with the mean colour of the text.
    long long sum[3] = {};
    for (int i = 0; i < count; ++i) {
        const COLORREF colour = formatOf(GetTextRun(item.m_blob, i)).cf.color;
        sum[0] += GetRValue(colour);
        sum[1] += GetGValue(colour);
        sum[2] += GetBValue(colour);
    }
    const int length = item.m_strText.GetLength();
    if (length > 0) {
        const double r = double(sum[0] / length), g = double(sum[1] / length), b = double(sum[2] / length);
        const int brightness = std::min(255, int(std::sqrt(0.241 * r * r + 0.691 * g * g + 0.068 * b * b)));
        const int v = 254 - (6 * brightness) / 7;
        item.m_crEditorBack = RGB(v, v, v);
    }
}

void ReadRichEdit(CParagraphItem& item, const QTextDocument* doc)
{
    if (!doc)
        return;
    QString plain = doc->toPlainText();
    // One position per unit, the paragraph breaks included.
    plain.replace(QChar::ParagraphSeparator, QChar(u'\n'));
    const std::vector<QTextCharFormat> formats = PositionFormats(doc);
    int positions = std::min<int>(int(plain.size()), kMaxRichTextUnits);

    std::u16string text;
    text.reserve(size_t(positions) + 16);
    for (int i = 0; i < positions; ++i) {
        const char16_t c = plain.at(i).unicode();
        if (c == u'\n')
            text += u"\r\n";
        else
            text += c;
    }
    if (int(text.size()) > kMaxRichTextUnits) {
        // The cut never leaves half a line break.
        text.resize(size_t(kMaxRichTextUnits));
        if (!text.empty() && text.back() == u'\r')
            text.pop_back();
    }
    item.m_strText.SetText(text.c_str());
    const int length = int(text.size());
    AllocateTextRuns(item.m_blob, length);

    const CRichCharFormat& stored = item.m_charFormat;
    std::vector<CTextRun> runs;
    int pos = 0;
    for (int u = 0; u < length; ++u) {
        if (text[size_t(u)] == u'\n')
            continue;
        const QTextCharFormat f = size_t(pos) < formats.size() ? formats[size_t(pos)] : QTextCharFormat();
        ++pos;
        CTextRun run;
        const int link = f.intProperty(kLinkProperty);
        run.link = link > 0 && link <= 0xFFFF ? link : 0;
        const COLORREF colour = f.foreground().style() == Qt::NoBrush ? stored.color : tessel::QColorToColorRef(f.foreground().color());
        run.color = colour != stored.color ? colour : kRunColorInherit;
        const int px = f.hasProperty(QTextFormat::FontPixelSize) ? f.intProperty(QTextFormat::FontPixelSize) : TwipsToPixels(stored.heightTwips);
        const int twips = px * 15;
        run.size = twips == stored.heightTwips ? 0 : RunSizeStepOfTwips(twips);
        run.bold = f.fontWeight() >= QFont::Bold && item.m_nBold != 1 ? 1 : 0;
        run.italic = f.fontItalic() && item.m_nItalic != 1 ? 1 : 0;
        if (f.fontUnderline() && item.m_nDecoration != 1)
            run.decoration = 1;
        else if (f.fontStrikeOut() && item.m_nDecoration != 2)
            run.decoration = 2;
        run.monospace = FaceOf(f).Left(7) == "Courier" ? 1 : 0;
        runs.push_back(run);
    }
    for (size_t i = 0; i < runs.size(); ++i)
        SetTextRun(item.m_blob, int(i), runs[i]);

    if (!runs.empty()) {
        const std::uint32_t first = runs.front().color;
        if (first != kRunColorInherit && std::all_of(runs.begin(), runs.end(), [first](const CTextRun& r) { return r.color == first; })) {
            item.m_crText = first;
            for (size_t i = 0; i < runs.size(); ++i) {
                runs[i].color = kRunColorInherit;
                SetTextRun(item.m_blob, int(i), runs[i]);
            }
        }
        const int step = runs.front().size;
        if (step >= 1 && step <= 7 && std::all_of(runs.begin(), runs.end(), [step](const CTextRun& r) { return r.size == step; })) {
            item.m_nFontSize = RunSizePoints(step);
            for (size_t i = 0; i < runs.size(); ++i) {
                runs[i].size = 0;
                SetTextRun(item.m_blob, int(i), runs[i]);
            }
        }
    }
    item.OnResized();
}

// ---------------------------------------------------------------- layout

bool CanLayOutText()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

void MeasureRichText(CParagraphItem& item, int width)
{
    item.m_dib2.Free();
    item.m_nTextWidth = 0;
    item.m_nTextHeight = 0;
    // Fonts need the GUI application; without one (command-line tools) nothing is laid out.
    if (width < 1 || !CanLayOutText())
        return;
    width = std::min(width, CDib::kMaxSide - 1);

    QTextDocument doc;
    doc.setDocumentMargin(0);
    doc.setTextWidth(width);
    SetRichEditFont(item, &doc);
    LoadRichEdit(item, &doc, true);

    // A line break at the very end opens no empty line in the browser (a last <br>
    // ends its line only), so the empty block after it takes no room here either.
    double textHeight = doc.documentLayout()->documentSize().height();
    const QTextBlock last = doc.lastBlock();
    if (last.isValid() && last.text().isEmpty() && last.previous().isValid())
        textHeight = doc.documentLayout()->blockBoundingRect(last.previous()).bottom();
    const int textBottom = std::clamp(int(std::ceil(textHeight)), 1, CDib::kMaxSide - 1);
    // The picture keeps the descenders of the last line even where the box ends.
    const int height = std::clamp(int(std::ceil(doc.documentLayout()->documentSize().height())), textBottom, CDib::kMaxSide - 1);
    const COLORREF back = item.m_crEditorBack & 0xFFFFFF;
    const QRgb backRgb = tessel::ColorRefToQColor(back).rgb() & 0xFFFFFFu;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(tessel::ColorRefToQColor(back));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        // A set line height puts its extra room above the text here; the browser shares
        // it out above and below (half-leading), so the text moves up by half of it.
        const double fixed = doc.begin().blockFormat().lineHeightType() == QTextBlockFormat::FixedHeight
            ? doc.begin().blockFormat().lineHeight() : 0.0;
        if (fixed > 0) {
            const QTextBlock::iterator first = doc.begin().begin();
            const QFontMetricsF metrics(first.atEnd() ? doc.defaultFont() : first.fragment().charFormat().font());
            painter.translate(0, -std::max(0.0, (fixed - metrics.height()) / 2));
        }
        doc.drawContents(&painter);
    }

    CDib& dib = item.m_dib2;
    dib.Create(width, height);
    if (!dib.IsValid())
        return;
    dib.SetOpaqueFlag(0);
    dib.BeginPixels();
    for (int y = 0; y < height; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = line[x] & 0xFFFFFFu;
            dib.SetPixel(x, y, rgb == backRgb ? (0xFF000000u | rgb) : rgb);
        }
    }
    dib.EndPixels();
    item.m_nTextWidth = width;
    item.m_nTextHeight = textBottom;
}
