// A menu bar whose entries may each open one drop-down of further entries.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"
#include <memory>
#include <vector>

class CMenuEntry {
public:
    // A new entry leads to the site root.
    CMenuEntry();
    // The entry record: link, caption, colour, the two kept numbers, the number.
    void SerializeMenuEntry(CArchive& ar, int version);

    CWString m_strCaption;
    CItemLink m_link;
    COLORREF m_crColor = 0xFF000000;
    // The entry's own bold (first) and italic (second): 1 ticked, else the level's look.
    int m_nArchivedFirst = 0, m_nArchivedSecond = 0;
    int m_nX = 0, m_nY = 0;
    int m_nNumber = 0; // bar: its index; drop-down: the index of its bar entry
    int m_nWidth = 0, m_nHeight = 0;
};

class CMenuItem : public CItem {
public:
    CMenuItem()
    {
        m_nType = ITEM_MENU;
        m_nWidth = 600;
        m_nHeight = 35;
        m_nTextAlign = 0;
        m_bPositioned = 1;
        m_nWidthMode = 0;
        m_nHeightMode = 0;
        m_nPadding = 8;
        m_crText = 0xFFFFFF;
        m_nBold = 1;
        m_nItalic = 0;
        m_nDecoration = 0;
        MakeFillAndPadding();
        if (m_pFill)
            m_pFill->m_nLength = 30;
        m_dropFill.m_crColor = 0xC0FFFF;
        m_dropBorder.m_color = 0x808080;
        m_dropBorder.m_nWidth = 1;
        m_dropBorder.m_nStyle = 1;
    }
    void Serialize(CArchive& ar, int version) override;
    void SerializeExtra(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    bool ExportFiles(CPublishContext& context) override;

    void WriteSubmenuHtml(const CMenuEntry& entry, CPageOutput& out);
    int CountSameLevelChildren(const CMenuEntry& entry) const;
    // The prefix of the menu's script names, classes and ids: its name as an identifier.
    CString GetScriptName() const;
    // Whether a bar entry is bold or italic of its own, and the bar's font made so.
    static bool HasOwnFont(const CMenuEntry& e) { return e.m_nArchivedFirst == 1 || e.m_nArchivedSecond == 1; }
    LOGFONT EntryFont(const CMenuEntry& e) const;

    std::vector<std::unique_ptr<CMenuEntry>> m_topEntries;
    std::vector<std::unique_ptr<CMenuEntry>> m_dropEntries;
    int m_nDropWidth = 200;
    CFillStyle m_dropFill;
    CBorderSide m_dropBorder;
    COLORREF m_crBarHover = 0xFFFFFF;
    COLORREF m_crDropText = 0;
    COLORREF m_crDropHighlight = 0x80FFFF;
    COLORREF m_crDropHover = 0;
    COLORREF m_crSeparator = 0xFFFFFF;
    CString m_strDropFace;
    int m_nSeparator = 1;
    int m_nDropSize = 10;
    int m_nDropBold = 0, m_nDropItalic = 0, m_nDropDecoration = 0;
    int m_nBarHoverBold = 1, m_nBarHoverItalic = 0, m_nBarHoverDecoration = 0;
    int m_nDropHoverBold = 0, m_nDropHoverItalic = 0, m_nDropHoverDecoration = 0;
    COLORREF m_crPaint = 0;
};
