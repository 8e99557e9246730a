// Base of the bitmap-rendered items (Image, Image Button, PayPal, Artistic Text, Symbol,
// Shape): each keeps a normal and a mouse-over look as bitmaps, paints those in the
// editor and publishes them as picture files, with a CSS sprite when it has a
// mouse-over look.
#pragma once
#include "model/Item.h"
#include "model/ItemTypes.h"
#include <memory>
#include <optional>

class CPublishContext;

class CImageItemBase : public CItem {
public:
    CImageItemBase();
    ~CImageItemBase() override;

    // The settled base name followed by ".png".
    CString GetFileName() const override;
    void Serialize(CArchive& ar, int version) override;
    // The item extras, then the shadow transparency, which the record has no place for.
    void SerializeExtra(CArchive& ar, int version) override;
    CString Describe() override;
    void TextSizeDown() override;
    void TextSizeUp() override;
    void WriteHtml(CPageOutput& out) override;
    // Size from the normal look plus the insets (a GIF Image keeps its size). A pending
    // look is measured without drawing where its settings decide its size (NormalLookSize).
    void RecalcLayout() override;
    void Draw(CDC* dc) override;
    // Proportional resize of the render size, then a new normal look.
    void SetRect(int left, int top, int right, int bottom) override;
    // The normal look as PNG and, with a mouse-over look, the sprite.
    bool ExportFiles(CPublishContext& context) override;
    CString GetStyle() override;
    // Whether the item has a mouse-over look.
    virtual bool HasRollover() const;
    // Brings the mouse-over look up to date (here: the colour shift on it as it is).
    virtual void RenderOverState();
    // Renders a look (0 normal, 1 over); here the shared effects pass on it.
    virtual void Render(int state);
    // The size Render(0) would give the normal look, worked out without drawing, and what
    // that render stores besides its pixels (an artistic text's render size) stored as
    // it would. Empty when only drawing tells: no pixels to draw, a picture too large, a
    // shadow whose blur its pixels may reduce. Here: empty.
    virtual std::optional<CSize> MeasureNormalLook();
    // Whether the normal look has pixels, and its size. A pending look is measured
    // without drawing where MeasureNormalLook can (it stays pending: opening a project lays
    // out every page without rendering), else rendered.
    bool NormalLookSize(CSize& size);
    // The size the shared effects of Render (edge fade, rotation, shadow) give a look of
    // the size given; empty when only drawing tells.
    std::optional<CSize> EffectsSize(CSize look) const;

    // The sprite link that replaces the img tag of an item with a mouse-over look.
    void WriteRolloverCss(CPageOutput& out);
    // The base name the output files take: the base name when set, else a safe name made
    // from the item name (or "img" and the serial). Never empty.
    CString GetSafeBaseName() const;
    // Fixes the output base name before any file is named: safe characters, and unique
    // among the files the run has written (name, name_2, name_3, ...) for the main file
    // and the sprite alike. The main file's extension is given. The project's own base
    // name is left as it is.
    void SettleBaseName(CPublishContext& context, const char* extension);
    // The base name of the files the last generation wrote (GetSafeBaseName before any).
    CString GetOutputBaseName() const { return m_strOutputBase.IsEmpty() ? GetSafeBaseName() : m_strOutputBase; }
    // Writes the sprite of both looks; returns 1.
    int ExportRolloverSprite(CPublishContext& context);
    // A look, rendered first when it is out of date.
    CDib& StateBitmap(int state)
    {
        EnsureRendered();
        return m_state[state ? 1 : 0];
    }
    const CDib& StateBitmap(int state) const
    {
        const_cast<CImageItemBase*>(this)->EnsureRendered();
        return m_state[state ? 1 : 0];
    }
    // Loading only reads: it marks the looks out of date, and the first paint, generation
    // or measure renders them. Rendering the normal look again clears the mark.
    void InvalidateRendering() { m_bRenderPending = true; }
    bool IsRenderPending() const { return m_bRenderPending; }
    void EnsureRendered()
    {
        if (m_bRenderPending) {
            m_bRenderPending = false;
            Render(0);
        }
    }

    CString m_strOutputBase; // settled by the last generation (not archived)
    int m_nRenderWidth = 0, m_nRenderHeight = 0;
    int m_nSupersampling = 1;
    CDib m_state[2];
    double m_dRotation = 0.0;
    int m_nFrameShape = 0;
    int m_nCornerRadius = 0;
    int m_nFrameWidth = 0;
    COLORREF m_crFrame = 0;
    COLORREF m_crSecond = 0;
    int m_nShadowKind = 0;
    int m_nShadowOffset = 0;
    int m_nShadowTransparency = 0; // percent, not archived
    int m_nShadowBlur = 4;
    COLORREF m_crShadow = 0;
    LOGFONT m_lf;
    int m_nInteriorShading = 0;
    int m_nFrameShading = 0;
    int m_nEdgeLeft = 0, m_nEdgeRight = 0, m_nEdgeTop = 0, m_nEdgeBottom = 0;
    int m_nEdgeSize = 30;
    int m_nEdgeKind = 0; // 0 none, 1 linear, 2 elliptical
    COLORREF m_crOverShift = 0xFF808080u;
    int m_bShowOverState = 0;
    int m_nArchivedSince88 = 0;
    int m_bFormButton = 0;

private:
    bool m_bRenderPending = false;
};

// The sprite's file name: the safe base name followed by "_over.png".
CString GetRolloverFileName(const CImageItemBase& item);
