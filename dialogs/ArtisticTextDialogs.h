// The Artistic Text and Symbol dialogs: both bind straight into the item's fields (the
// opener's edit scope puts everything back on Cancel) and keep the look as the defaults
// for new items of their kind.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"

class CArtisticTextItem;
class CImageItemBase;
class CItem;
class CKJDoc;
class CSymbolItem;

extern const DlgTemplate kArtisticTextTemplate;
extern const DlgTemplate kSymbolTemplate;

// The Drop Shadow dialog on an item's shadow fields; true after OK.
bool EditItemDropShadow(CImageItemBase& item, QWidget* parent);
// The Edge Fade-out dialog on an item's six fade-out values; true after OK.
bool EditItemEdgeFadeout(CImageItemBase& item, QWidget* parent);

// What the two dialogs share: the fill-kind and line rules, the look controls.
class DLetterDialogBase : public CDialog {
public:
    BOOL OnInitDialog() override;

    // Shows the second colour and "2 Way" for a gradient kind only, captioned by the kind.
    void ApplyFillKindRule();
    // Shows each line's colour and style only while its width is above 0.
    void ApplyLineRule();

protected:
    // The fields the two item classes have in common by name, not by base class.
    struct LookFields {
        COLORREF* fill2;
        COLORREF* line2;
        int* lineWidth2;
        int* gradient;
        int* twoWay;
        int* stretch;
        int* outerRelief;
    };

    explicit DLetterDialogBase(QWidget* parent);
    void ExchangeLook(CDataExchange* pDX, CImageItemBase& item, const LookFields& f);
    virtual CImageItemBase* Item() const = 0;
    virtual LookFields Fields() const = 0;
    void ConnectLookHandlers();
};

class DArtisticText : public DLetterDialogBase {
public:
    explicit DArtisticText(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    // The look shown as the defaults for new Artistic Texts.
    void SaveDefaults();

    CArtisticTextItem* m_pItem = nullptr;

protected:
    CImageItemBase* Item() const override;
    LookFields Fields() const override;

private:
    void OnFont();
};

class DSymbol : public DLetterDialogBase {
public:
    explicit DSymbol(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;
    void SaveDefaults();

    CSymbolItem* m_pItem = nullptr;

protected:
    CImageItemBase* Item() const override;
    LookFields Fields() const override;
};

// Item/Properties of an Artistic Text or Symbol inside one edit scope: Cancel gives the
// project back as it was, whatever the sub-dialogs wrote; OK renders and lays the item out
// and keeps its look as the defaults for new items. The dialog's result.
int EditArtisticTextProperties(CKJDoc& doc, CItem* page, CItem* container, CArtisticTextItem* item);
int EditSymbolProperties(CKJDoc& doc, CItem* page, CItem* container, CSymbolItem* item);
