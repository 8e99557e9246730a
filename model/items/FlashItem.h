// A Flash movie whose bytes are the data block.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"
#include <array>

class CFlashItem : public CItem {
public:
    CFlashItem()
    {
        m_nType = ITEM_FLASH;
        m_bPositioned = 1;
        m_strExtension = ".swf";
        MakeFillAndPadding();
    }

    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void Draw(CDC* dc) override;
    // Writes the movie bytes; true when the item has them.
    bool ExportFiles(CPublishContext& context) override;

    // Reads the movie header of the data block: version, length, frame size (which becomes
    // the item size), rate and count. 1 when read; 0 for no or a damaged header, which
    // leaves the item as it was. A compressed header is inflated only as far as needed.
    int ReadSwfHeader();

    // Header reader steps over the reader buffer; reads past its end give zero bits.
    unsigned SwfReadU8();
    unsigned SwfReadU16();
    std::uint32_t SwfReadU32();
    std::uint32_t SwfReadBits(int n);
    CRect SwfReadRect();
    double SwfReadFixed8();

    // The address the page refers to: the written file, or the source address (the first
    // name of the root record).
    CString GetMovieAddress() const;

    int m_nMovieVersion = 6;
    std::uint32_t m_nFileLength = 0;
    int m_nFrameRate = 0;
    int m_nFrameCount = 0;
    int m_nReaderPos = 0;
    int m_nReaderBit = 0;
    // The header bytes while they are read: more than the largest header takes, plus
    // room for the reader's look-ahead.
    std::array<unsigned char, 40> m_reader{};
    int m_nReaderSize = 0;
    CString m_strFlashVars;
    int m_nWindowMode = 1; // 0 none, 1 opaque, 2 transparent
    COLORREF m_crBackground = 0xFFFFFFFF;

protected:
    // A movie read from a file sizes the item from its header.
    void OnBlobLoaded(const CString& title) override;
};
