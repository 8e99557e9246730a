// The extension section at the end of a project file: the values the 9.2 layout has no
// place for. Today's section is a marker, the length of its body and a CRC-32 of it, so that
// a cut or damaged section is noticed; files with the older marker (no length) still load.
// A section that cannot be read leaves every value it holds at its default and says so.
#pragma once
#include "framework/core/CArchive.h"
#include "framework/core/CString.h"
#include <functional>

namespace project {

inline constexpr char kExtraMarkerV1[8] = {'T', 'S', 'L', 'X', 'T', 'R', 'A', '1'};
inline constexpr char kExtraMarkerV2[8] = {'T', 'S', 'L', 'X', 'T', 'R', 'A', '2'};
// No body of ours comes near this; a larger stated length is damage.
inline constexpr std::uint32_t kMaxExtraLength = 256u * 1024 * 1024;

using ExtrasIo = std::function<void(CArchive&)>;

// Marker, length, checksum and the body that writeExtras writes.
void WriteExtensionSection(CArchive& ar, const ExtrasIo& writeExtras);

enum class ExtensionStatus { Absent, Read, Reset };

// Reads the section at the archive's position (after the last field of the layout).
// writeExtras, called first, records the values as they are without the section (their
// defaults); readExtras reads them. On damage (unknown marker, cut, wrong checksum, a body
// that does not parse) the recorded defaults are read back and Reset is returned; the
// caller tells the user with ExtensionResetMessage.
ExtensionStatus ReadExtensionSection(CArchive& ar, const ExtrasIo& readExtras, const ExtrasIo& writeExtras);

// The same without recording the defaults first (recording them walks the whole project):
// any damage throws CExtensionDamaged, possibly after some values were read, and the
// caller reads the file again with the section left out (ExtensionStatus::Reset).
struct CExtensionDamaged {};
ExtensionStatus ReadExtensionSectionOnce(CArchive& ar, const ExtrasIo& readExtras);

// "The extra settings at the end of <file> were damaged ..." naming the values reset.
CString ExtensionResetMessage(const CString& fileName);

} // namespace project
