#include "model/OutputPaths.h"
#include "model/Folder.h"
#include "model/SiteObject.h"

#include <QtCore/QDir>
#include <cstring>

namespace {
// Folder chains are short; the bound only keeps a looping chain finite.
constexpr int kMaxFolderDepth = 256;
} // namespace

CString SafeOutputName(const char* name, const char* fallback)
{
    CString out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name ? name : ""); *p; ++p) {
        const unsigned char c = *p;
        if (c < 0x20 || c == 0x7F || std::strchr("/\\:*?\"<>|#%'`", c))
            continue;
        out += char(c);
    }
    bool dotsOnly = true;
    for (int i = 0; i < out.GetLength() && dotsOnly; ++i)
        dotsOnly = out[i] == '.';
    if (dotsOnly)
        return CString(fallback ? fallback : "file");
    return out;
}

CString SafeFolderPath(const CFolder* folder)
{
    CString path;
    int depth = 0;
    for (const CFolder* f = folder; f && depth < kMaxFolderDepth; f = f->GetParentFolder(), ++depth)
        path = SafeOutputName(f->GetFileName(), "folder") + "/" + path;
    return path;
}

bool IsInsideFolder(const CString& root, const CString& path)
{
    const QString r = QDir::cleanPath(root.ToQString());
    const QString p = QDir::cleanPath(path.ToQString());
    if (r.isEmpty() || p.isEmpty())
        return false;
    const QString prefix = r.endsWith(u'/') ? r : r + u'/';
    return p.startsWith(prefix) && p.size() > prefix.size();
}

CString SafeObjectFileName(const CSiteObject& object)
{
    return SafeOutputName(object.GetFileName(), CString::Formatted("file%d", object.m_nSerial));
}

CString SafeHtmlId(const char* text)
{
    CString name;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text ? text : ""); *p; ++p)
        if ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9') || *p == '_')
            name += char(*p);
    const unsigned char first = name.IsEmpty() ? 0 : (unsigned char)name[0];
    if (!((first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z')))
        name = "id" + name;
    return name;
}

CString SafeFileNameText(const char* text)
{
    CString out;
    for (const char* p = text ? text : ""; *p; ++p) {
        const unsigned char c = (unsigned char)*p;
        if (c <= 32 || c >= 123)
            continue;
        if (c == '.' && out.IsEmpty())
            continue;
        out += std::strchr(":/\\*?<>|", c) ? 'x' : char(c);
    }
    return out;
}
