// Shows the exported picture of another picture item of the project, without a file of
// its own.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"

class CImageCloneItem : public CItem {
public:
    CImageCloneItem()
    {
        m_nType = ITEM_IMAGE_CLONE;
        m_bPositioned = 1;
        m_nWidthMode = 1;
        MakeFillAndPadding();
    }

    // The item record, then the source serial.
    void Serialize(CArchive& ar, int version) override;
    void WriteHtml(CPageOutput& out) override;
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    // Writes no file: true when a source is set.
    bool ExportFiles(CPublishContext& context) override;

    // Types whose items a clone may show: Image, Image Button, Artistic Text, Shape, Symbol.
    static bool IsCloneableType(int type);

    int m_nSourceId = 0;
    CItem* m_pSource = nullptr; // not owned; set by the document
    CString m_strKept;
};
