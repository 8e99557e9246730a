#include "document/WordCount.h"

#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "document/Upload.h"
#include "framework/core/NumberFormat.h"
#include "model/HeaderFooterItem.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/Picture.h"
#include "model/PublishContext.h"
#include "model/Translate.h"
#include "model/WString.h"

#include <QtCore/QFile>
#include <algorithm>
#include <QtCore/QSaveFile>
#include <QtCore/QTemporaryDir>
#include <limits>
#include <vector>

namespace {
const char kSignature[] = "\xEF\xBB\xBF";
}

int CountWords(const CWString& text)
{
    CString ascii;
    text.ToAsciiName(ascii);
    std::string s(ascii.GetString());
    for (char& c : s)
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return 0;
    s = s.substr(first, s.find_last_not_of(' ') - first + 1);
    int words = 1;
    for (size_t i = 1; i + 1 < s.size(); ++i)
        if (s[i] == ' ' && s[i + 1] != ' ')
            ++words;
    return words;
}

CSiteCounts CountSiteTexts(const CKJDoc& doc)
{
    CItemList items;
    doc.CollectAllItems(items);
    CSiteCounts counts;
    counts.pages = int(doc.m_pages.size());
    counts.files = counts.pages + int(doc.m_fileRecords.size());
    for (const CItem* item : items) {
        const int type = item->m_nType;
        if (type == 13 || type == 16 || type == 21 || type == 11) {
            ++counts.images;
            ++counts.files;
        }
        counts.characters += item->m_strText.GetLength();
        counts.words += CountWords(item->m_strText);
    }
    return counts;
}

namespace {
// The upload states a generation run may list, and what they held before it.
std::vector<std::pair<int*, int>> UploadStates(CKJDoc& doc)
{
    std::vector<std::pair<int*, int>> states;
    auto keep = [&](int& state) { states.emplace_back(&state, state); };
    CItemList items;
    doc.CollectAllItems(items);
    for (CItem* item : items)
        keep(item->m_nUploadState);
    for (auto& list : {&doc.m_headerBands, &doc.m_footerBands})
        for (auto& band : *list)
            keep(band->m_nUploadState);
    for (auto& master : doc.m_masters)
        keep(master->m_nUploadState);
    for (auto& texture : doc.m_textures)
        keep(texture->m_nUploadState);
    for (auto& file : doc.m_fileRecords)
        keep(file->m_nUploadState);
    doc.ForEachFill([&](CFillStyle& fill) { keep(fill.m_nUploadState); });
    keep(doc.m_nCssUploadState);
    keep(doc.m_nSiteFilesUploadState);
    return states;
}
} // namespace

bool MeasureSiteBytes(CKJDoc& doc, std::int64_t& bytes)
{
    // Measuring is no upload: what the run lists for sending goes back to "changed", so
    // the project is as it was (a state the run found changed stays changed).
    const std::vector<std::pair<int*, int>> before = UploadStates(doc);
    QTemporaryDir folder;
    CPublishContext context(doc.GetTitle().GetString());
    const bool written = GenerateForUpload(doc, context, true, folder);
    for (const auto& [state, old] : before)
        if (*state == kUploadListed && old != kUploadListed)
            *state = old == kUploadDone ? kUploadChanged : old;
    for (const auto& file : context.GetFiles()) {
        std::vector<int*> listed = file->m_sharedStates;
        listed.push_back(file->m_pUploadState);
        for (int* state : listed)
            if (state && *state == kUploadListed
                && std::none_of(before.begin(), before.end(), [&](const auto& b) { return b.first == state; }))
                *state = kUploadChanged;
    }
    if (!written)
        return false;
    bytes = 0;
    for (const auto& file : context.GetFiles())
        if (!file->m_bDirectory)
            bytes += file->m_nSize;
    return true;
}

CString WordCountLabels() { return Translate("Pages:\r\nCharacters:\r\nWords:\r\nImages:\r\nFiles:\r\nBytes:\r\nWeight:"); }

CString WordCountValues(const CSiteCounts& c)
{
    return CString::Formatted("%d\r\n%d\r\n%d\r\n%d\r\n%d\r\n%lld\r\n", c.pages, c.characters, c.words, c.images,
                              c.files, static_cast<long long>(c.bytes))
        + FormatFileSize(c.bytes);
}

QByteArray EscapeTextLine(const CWString& text)
{
    const QByteArray utf8 = text.ToQString().toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + 8);
    for (const char c : utf8) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        default: out += c; break;
        }
    }
    return out;
}

CWString UnescapeTextLine(const QByteArray& line)
{
    QByteArray out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\' && i + 1 < line.size()) {
            const char n = line[i + 1];
            const char decoded = n == 'r' ? '\r' : n == 't' ? '\t' : n == 'n' ? '\n' : n == '\\' ? '\\' : 0;
            if (decoded) {
                out += decoded;
                ++i;
                continue;
            }
        }
        out += c;
    }
    CWString text;
    text.FromUtf8(out.constData());
    return text;
}

QByteArray ExportTextBytes(const CKJDoc& doc)
{
    CItemList items;
    doc.CollectAllItems(items);
    QByteArray out(kSignature);
    for (const CItem* item : items) {
        if (item->m_strText.IsEmpty())
            continue;
        out += QByteArray("[") + QByteArray::number(item->m_nSerial) + "]=";
        out += EscapeTextLine(item->m_strText);
        out += "\r\n\r\n";
    }
    return out;
}

bool ExportTexts(const CKJDoc& doc, const CString& path, CString* error)
{
    QSaveFile file(path.ToQString());
    if (!file.open(QIODevice::WriteOnly) || file.write(ExportTextBytes(doc)) < 0 || !file.commit()) {
        if (error)
            *error = Translate("Cannot write file") + " " + path;
        return false;
    }
    return true;
}

TextImportResult ImportTextBytes(CKJDoc& doc, const QByteArray& bytes, int* changed)
{
    if (changed)
        *changed = 0;
    if (!bytes.startsWith(kSignature))
        return TextImportResult::NotUtf8;
    CItemList items;
    doc.CollectAllItems(items);
    std::vector<std::pair<CItem*, CWString>> updates;
    for (QByteArray line : bytes.mid(3).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line[0] != '[' || line.indexOf("]=", 1) < 0)
            continue;
        qsizetype end = 1;
        while (end < line.size() && line[end] >= '0' && line[end] <= '9')
            ++end;
        const qsizetype equals = line.indexOf('=');
        if (equals < end)
            continue;
        bool ok = false;
        const long long number = line.mid(1, end - 1).toLongLong(&ok);
        if (!ok || number <= 0 || number > std::numeric_limits<int>::max())
            continue;
        const CWString value = UnescapeTextLine(line.mid(equals + 1));
        for (CItem* item : items)
            if (item->m_nSerial == int(number))
                updates.emplace_back(item, value);
    }
    if (updates.empty())
        return TextImportResult::Done;
    CEditScope scope(doc);
    for (auto& [item, text] : updates) {
        item->m_strText = text;
        item->RecalcLayout();
        scope.Touch(item);
    }
    scope.SetHint(HINT_REPAINT);
    doc.ClearUndo();
    if (changed)
        *changed = int(updates.size());
    return TextImportResult::Done;
}
