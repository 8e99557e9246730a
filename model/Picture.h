// A picture the document keeps as an object of its own (textures of fills): the source
// file's bytes, its format, the decoded picture and the effect settings from which the
// rendering is made: frame shape and frame, inversion, channel swap, drop shadow and
// edge fades. At generation it writes itself into the output folder.
#pragma once
#include "framework/core/DataBlock.h"
#include "framework/core/PackedBitmap.h"
#include "framework/core/Types.h"
#include "model/Dib.h"
#include "model/SiteObject.h"

class CPublishContext;

class CPicture : public CSiteObject {
public:
    enum Format { FormatUnknown = -1, FormatPng = 1, FormatJpeg = 2, FormatGif = 3, FormatBmp = 4 };

    CPicture();
    ~CPicture() override = default;

    // The name the last export wrote; before that, name + the extension of the format
    // (the bare name for an unknown format).
    CString GetFileName() const override;
    // The picture's own record (the root record is not part of it).
    void Serialize(CArchive& ar, int version) override;

    // The values the record has no place for (the shadow transparency), kept in the
    // project file's extension section.
    void SerializeExtra(CArchive& ar, int version);

    // Reads a picture file: its bytes, its title as name and its format from its first
    // bytes (the extension only when they tell nothing), then decodes and renders. 1 when
    // the picture was decoded; 0 otherwise (the bytes read are kept). The old bytes stay
    // until the new ones are read.
    int LoadFile(const CString& path);
    static int FormatFromExtension(const CString& path);
    // Decodes the source bytes into the picture (PNG, JPEG, GIF or BMP, told by their
    // first bytes, else by the format) and sets the natural size; false when nothing was
    // decoded (the picture is then empty).
    bool DecodeSource();
    // Builds the rendering from the picture and the effects.
    virtual void Render();
    // Writes the picture into the context's output root: the source bytes unchanged when
    // no effect changes the pixels, else the rendering as PNG (JPEG for a plain colour
    // change of an opaque picture). The name is settled first (safe, unique among the
    // files written) and kept as the picture's file name.
    void Export(CPublishContext& context);
    // Whether an effect changes the shape or the transparency of the picture.
    bool HasShapeEffects() const;

    CDib m_rendering;
    CDib m_picture;
    CString m_strName;
    int m_nPictureId = 0;
    int m_nFormat = 0;
    int m_nWidth = 0, m_nHeight = 0;
    int m_nSupersampling = 2;
    int m_nStoredWord = 0;
    int m_nFrameWidth = 0;
    int m_nFrameShading = 0;
    int m_nShape = 0;
    int m_nCornerRadius = 16;
    COLORREF m_crFrame = 0;
    int m_nFadeLeft = 0, m_nFadeRight = 0, m_nFadeTop = 0, m_nFadeBottom = 0;
    int m_nFadeWidth = 30;
    int m_nFadeKind = 0;
    int m_bShadow = 0;
    int m_nShadowOffset = 2;
    int m_nShadowTransparency = 0;
    int m_nShadowSoftness = 4;
    COLORREF m_crShadow = 0;
    int m_bInvert = 0;
    int m_nChannelSwap = 0;
    // Pattern texture settings (not archived): colours, orientation (1 horizontal,
    // 2 vertical, 3 and 4 diagonal), gap and line thickness in pixels, transparency in
    // tenths.
    COLORREF m_crPatternBack = 0xFFFFFF;
    COLORREF m_crPatternLine = 0xDDDDDD;
    int m_nPatternOrientation = 0;
    int m_nPatternGap = 2;
    int m_nPatternThickness = 0;
    int m_nPatternTransparency = 0;
};

// Picture file formats told by their first bytes; FormatUnknown when none matches.
int SniffPictureFormat(const BYTE* data, std::size_t size);
// Decodes picture bytes in memory: by their first bytes, else by format (0 and 1 PNG,
// 2 JPEG, 3 GIF, 4 BMP). Null when nothing decodes.
PackedBitmapPtr DecodePictureData(const BYTE* data, std::size_t size, int format);
// The extension (".png", ".jpg", ".gif", ".bmp") of a format; empty for others.
const char* PictureFormatExtension(int format);
// Encodes a JPEG of quality step x 10 into bytes; false when it could not be made.
bool EncodeJpegData(const CPackedBitmap& bitmap, int qualityStep, CDataBlock& out);
// JPEG of quality 80, or PNG, into bytes; false when it could not be made.
bool EncodePictureData(const CPackedBitmap& bitmap, bool jpeg, CDataBlock& out);
// True when a pixel of the bitmap is not fully opaque.
bool HasTransparency(const CDib& dib);
// Renders the picture clipped to its frame shape with the frame into its rendering.
void DrawFrameMask(CPicture& picture);
