#include "dialogs/Texture.h"

#include "controls/ColorControl.h"
#include "framework/ui/DataExchange.h"
#include "model/Picture.h"

namespace {
const DlgControl kTextureControls[] = {
    {IDC_STATIC, DlgKind::Static, "Size:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "x", nullptr, kDlgBeside},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "pixels", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Pattern:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "None|Horizontal Lines|Vertical Lines|Diagonal Lines Down|Diagonal Lines Up",
     kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Line Size:", nullptr, 0},
    {1019, DlgKind::Combo, nullptr, "1px|2px|3px|4px|5px|6px|7px|8px|9px|10px", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Space:", nullptr, 0},
    {1020, DlgKind::Combo, nullptr, "1px|2px|3px|4px|5px|6px|7px|8px|9px|10px", kDlgBeside},
    {1026, DlgKind::Color, "Fill Color", nullptr, 0},
    {1045, DlgKind::Color, "Pattern Color", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
} // namespace

const DlgTemplate kTextureTemplate{342, "Texture", true, kTextureControls};

DTexture::DTexture(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kTextureTemplate); }

void DTexture::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_nWidth);
    DDV_MinMaxInt(pDX, m_nWidth, 1, 3000);
    DDX_Text(pDX, 1001, m_nHeight);
    DDV_MinMaxInt(pDX, m_nHeight, 1, 3000);
    DDX_CBIndex(pDX, 1018, m_nPattern);
    DDX_CBIndex(pDX, 1019, m_nLineSize);
    DDX_CBIndex(pDX, 1020, m_nSpace);
    DdxUserData(pDX, 1026, m_crFill);
    DdxUserData(pDX, 1045, m_crPattern);
}

void DTexture::ApplyTo(CPicture& picture) const
{
    picture.m_nWidth = m_nWidth;
    picture.m_nHeight = m_nHeight;
    picture.m_nPatternOrientation = m_nPattern;
    // the pattern draws thickness + 1 pixels per line and leaves gap + 1 pixels between
    picture.m_nPatternThickness = m_nLineSize;
    picture.m_nPatternGap = m_nSpace;
    picture.m_crPatternBack = m_crFill & 0xFFFFFF;
    picture.m_crPatternLine = m_crPattern & 0xFFFFFF;
}
