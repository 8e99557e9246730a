// Fixed pieces of the project file layout: the 20-byte header, the version number and
// the scrambled FTP password. Kept apart from the document so they are tested alone.
#pragma once
#include "framework/core/CArchive.h"
#include "framework/core/CString.h"

namespace project {

inline constexpr char kMagic[] = "VARNELO@WEBPROJ"; // 15 bytes in the file
inline constexpr int kMagicLength = 15;
inline constexpr char kVersionText[] = " 9.2"; // written as 5 bytes with a NUL
inline constexpr int kVersionTextLength = 5;
inline constexpr int kCurrentVersion = 92;
// The version argument that marks an in-memory copy (undo snapshots, clipboard).
inline constexpr int kMemoryVersion = 0x10000;

// Ten times the decimal number of a version text ("9.2" -> 92, " 8.4" -> 84), taken
// from its digits, never through floating point. -1 when the text holds no number.
int ParseVersionText(const CString& text);

// Reads the 20-byte header: throws the archive exception on a wrong magic or a text that
// is no version; returns the version and the text (up to the first NUL) in *text.
// Does not judge whether the version is too new.
int ReadHeader(CArchive& ar, CString* text);
void WriteHeader(CArchive& ar);

// The message shown for a file of a newer version.
CString NewerVersionMessage(const CString& versionText);

// The FTP password as the file stores it: int32 count, then one int32 per character.
void WritePassword(CArchive& ar, const CString& password);
CString ReadPassword(CArchive& ar);

} // namespace project
