// Per-character formatting of rich text (Paragraph and Marquee): the run records kept in
// the item's data block, their HTML, the bridge to a text document for editing, and the
// layout that turns the text into the item's text bitmap.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/DataBlock.h"
#include "framework/core/Types.h"
#include <cstdint>

class CItem;
class CPageOutput;
class CParagraphItem;
class QTextCharFormat;
class QTextDocument;

// One record per character; seven little-endian 32-bit words.
struct CTextRun {
    std::uint32_t color = 0; // COLORREF; a top byte of 0xFF inherits the item colour
    std::int32_t bold = 0;
    std::int32_t italic = 0;
    std::int32_t decoration = 0; // 0 none, 1 underline, 2 line-through
    std::int32_t monospace = 0;
    std::int32_t link = 0; // low 16 bits: key into the paragraph's link map
    std::int32_t size = 0; // 0 = item size, 1..7 = size steps

    friend bool operator==(const CTextRun&, const CTextRun&) = default;
};
static_assert(sizeof(CTextRun) == 28);

constexpr int kTextRunBytes = 28;
constexpr std::uint32_t kRunColorInherit = 0xFFFFFFFFu;
// Longest text the editing bridge reads back.
constexpr int kMaxRichTextUnits = 65534;

// The link number of a character travels in its text format under this property
// (QTextFormat::UserProperty + 1); 0 is no link.
constexpr int kLinkProperty = 0x100000 + 1;

// Records in a run block.
int GetTextRunCount(const CDataBlock& block);
// Record index of the block; a record beyond the block reads as all zero.
CTextRun GetTextRun(const CDataBlock& block, int index);
// Writes record index when it lies inside the block.
void SetTextRun(CDataBlock& block, int index, const CTextRun& run);
// A zero-filled block of count records.
void AllocateTextRuns(CDataBlock& block, int count);

// Size steps: editor height in twips, and the point size of an item whose every
// character has the step.
int RunSizeTwips(int step);
int RunSizePoints(int step);
// The step of a height in twips (1..7).
int RunSizeStepOfTwips(int twips);

// The item-wide character format applied to the whole text before the runs.
struct CRichCharFormat {
    CString face;
    int heightTwips = 0;
    COLORREF color = 0;
    int bold = 0, italic = 0, underline = 0, strikeout = 0;
    friend bool operator==(const CRichCharFormat&, const CRichCharFormat&) = default;
};

// Opens the item's own link around its text: "<a ...>" with the link's attributes
// (relative to the page's folder). Links never nest and an <a> always has an address:
// when the text holds links of its own (they win) or the item's link has no address,
// only the link's title is kept, on a "<span>". Returns the closing tag to write after
// the text; empty when nothing was opened.
CString OpenItemLink(const CItem& item, CPageOutput& out);

// The item's text as inline HTML; see TextRuns.cpp for how tags nest.
void WriteRichText(CItem& item, CPageOutput& out);

// The item-wide format as a text format, with no link number.
QTextCharFormat RichCharFormatToText(const CRichCharFormat& cf);

// Builds the item-wide format from the layout font and colour; a changed format calls
// the item's OnResized. With a document, applies it to all text and sets the alignment.
void SetRichEditFont(CParagraphItem& item, QTextDocument* doc);
// Puts the text and the per-character formats into the document; sets the editor
// background so that the text contrasts with it.
void LoadRichEdit(CParagraphItem& item, QTextDocument* doc, bool linkStyle);
// Replaces the item's text and runs by the document's content.
void ReadRichEdit(CParagraphItem& item, const QTextDocument* doc);
// Whether fonts can be used (a GUI application exists); text is measured only then.
bool CanLayOutText();
// Lays the text out at width pixels and replaces the item's text bitmap: width x the
// laid-out height, background pixels fully transparent. Sets the measured size.
void MeasureRichText(CParagraphItem& item, int width);
