// View/Word Count: the size of the site (pages, characters, words, images, files and the
// bytes of the generated site) and the export and import of every item text as one
// UTF-8 file, so the texts can be edited or translated elsewhere.
#pragma once
#include "framework/core/CString.h"

#include <QtCore/QByteArray>
#include <cstdint>

class CKJDoc;
class CWString;

struct CSiteCounts {
    int pages = 0;
    int characters = 0;
    int words = 0;
    int images = 0;
    int files = 0;
    std::int64_t bytes = 0;
};

// Words of a text as the count shows them: runs of non-blanks of its ASCII form.
int CountWords(const CWString& text);
// Pages, characters, words, images and files (no bytes).
CSiteCounts CountSiteTexts(const CKJDoc& doc);
// Generates the whole site into a private temporary folder (removed afterwards) and adds
// up the sizes of the written files. False when the site could not be written.
bool MeasureSiteBytes(CKJDoc& doc, std::int64_t& bytes);
// The two columns of the Word Count dialog.
CString WordCountLabels();
CString WordCountValues(const CSiteCounts& counts);

// The text file: signature, then "[serial]=text" per item with text, escaped, and an
// empty line after each.
QByteArray ExportTextBytes(const CKJDoc& doc);
// Writes the file; false with a message in error when it cannot be written.
bool ExportTexts(const CKJDoc& doc, const CString& path, CString* error);

enum class TextImportResult { Done, NotUtf8 };
// Gives every item named by a line its text, as one change (undo list emptied). Lines
// that do not match the entry form, and numbers no item carries, are skipped.
TextImportResult ImportTextBytes(CKJDoc& doc, const QByteArray& bytes, int* changed = nullptr);
// The escaped form of a text as one line, and back.
QByteArray EscapeTextLine(const CWString& text);
CWString UnescapeTextLine(const QByteArray& line);
