// A picture the document keeps as an object of its own (textures of fills): the source
// file's bytes, its format, the decoded picture and the effect settings from which the
// rendering is made. The effects rendering is not built yet: the rendering stays empty.
#pragma once
#include "framework/core/Types.h"
#include "model/Dib.h"
#include "model/SiteObject.h"

class CPicture : public CSiteObject {
public:
    enum Format { FormatUnknown = -1, FormatPng = 1, FormatJpeg = 2, FormatGif = 3, FormatBmp = 4 };

    CPicture();
    ~CPicture() override = default;

    // name + the extension of the format (the bare name for an unknown format).
    CString GetFileName() const override;
    // The picture's own record (the root record is not part of it).
    void Serialize(CArchive& ar, int version) override;

    // Reads a picture file: its bytes, its title as name and its format from the extension.
    // 1 when the picture was decoded; 0 otherwise (the bytes read are kept).
    int LoadFile(const CString& path);
    static int FormatFromExtension(const CString& path);
    // Decodes the source bytes into the picture by the format (PNG for 0 and 1, JPEG for
    // 2) and sets the natural size; false when nothing was decoded (the picture is then
    // empty). GIF and BMP sources are kept but not decoded here.
    bool DecodeSource();

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
};
