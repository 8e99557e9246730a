#include "document/ExtensionSection.h"

#include "framework/core/CFile.h"
#include "framework/core/Exceptions.h"

#include <zlib.h>

#include <cstring>
#include <vector>

namespace project {

namespace {

std::uint32_t Crc(const BYTE* data, std::size_t size)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes 32-bit lengths: feed it in pieces
    while (size > 0) {
        const uInt piece = uInt(std::min<std::size_t>(size, 1u << 30));
        crc = crc32(crc, data, piece);
        data += piece;
        size -= piece;
    }
    return std::uint32_t(crc);
}

std::vector<BYTE> Record(const ExtrasIo& writeExtras)
{
    CMemFile mem;
    CArchive ar(&mem, CArchive::store);
    writeExtras(ar);
    ar.Close();
    return mem.Bytes();
}

// Reads extras from bytes; false when they do not parse.
bool ReadFrom(const std::vector<BYTE>& bytes, const ExtrasIo& readExtras)
{
    CMemFile mem(bytes.data(), bytes.size());
    CArchive ar(&mem, CArchive::load);
    try {
        readExtras(ar);
    } catch (const CArchiveException&) {
        return false;
    } catch (const CFileException&) {
        return false;
    }
    return true;
}

} // namespace

void WriteExtensionSection(CArchive& ar, const ExtrasIo& writeExtras)
{
    const std::vector<BYTE> body = Record(writeExtras);
    ar.Write(kExtraMarkerV2, sizeof kExtraMarkerV2);
    ar << std::uint32_t(body.size()) << Crc(body.data(), body.size());
    ar.Write(body.data(), body.size());
}

namespace {

// The section at the archive's position; reset() is what a damaged one gives.
template <typename Reset>
ExtensionStatus ReadSection(CArchive& ar, const ExtrasIo& readExtras, Reset&& reset)
{
    if (ar.GetRemaining() < sizeof kExtraMarkerV2)
        return reset();
    char marker[sizeof kExtraMarkerV2];
    ar.Read(marker, sizeof marker);
    if (std::memcmp(marker, kExtraMarkerV2, sizeof marker) == 0) {
        if (ar.GetRemaining() < 8)
            return reset();
        std::uint32_t length = 0, crc = 0;
        ar >> length >> crc;
        if (length > kMaxExtraLength || length > ar.GetRemaining())
            return reset();
        std::vector<BYTE> body(length);
        ar.Read(body.data(), body.size());
        if (Crc(body.data(), body.size()) != crc || !ReadFrom(body, readExtras))
            return reset();
        return ExtensionStatus::Read;
    }
    if (std::memcmp(marker, kExtraMarkerV1, sizeof marker) == 0) {
        // The older section has no length: read in place; a cut shows as a short read.
        try {
            readExtras(ar);
        } catch (const CArchiveException&) {
            return reset();
        } catch (const CFileException&) {
            return reset();
        }
        return ExtensionStatus::Read;
    }
    return reset();
}

} // namespace

ExtensionStatus ReadExtensionSection(CArchive& ar, const ExtrasIo& readExtras, const ExtrasIo& writeExtras)
{
    if (ar.GetRemaining() == 0)
        return ExtensionStatus::Absent; // a file of the plain 9.2 layout
    const std::vector<BYTE> defaults = Record(writeExtras);
    return ReadSection(ar, readExtras, [&] {
        ReadFrom(defaults, readExtras);
        return ExtensionStatus::Reset;
    });
}

ExtensionStatus ReadExtensionSectionOnce(CArchive& ar, const ExtrasIo& readExtras)
{
    if (ar.GetRemaining() == 0)
        return ExtensionStatus::Absent;
    return ReadSection(ar, readExtras, []() -> ExtensionStatus { throw CExtensionDamaged(); });
}

CString ExtensionResetMessage(const CString& fileName)
{
    return CString::Formatted(
        "The extra settings at the end of %s are damaged. These were reset to their defaults: the transparency of "
        "the site backgrounds and of item fills, picture shadow transparency, and the extra settings of text styles, "
        "style classes, header and footer bands, pages, masters and item actions. Saving the project writes them "
        "whole again.",
        fileName.IsEmpty() ? "the project" : fileName.GetString());
}

} // namespace project
