// The template of every property dialog built on a table, for the dialogs and their tests.
#pragma once
#include "controls/DialogTemplate.h"

extern const DlgTemplate kGridTemplate;
extern const DlgTemplate kFontTemplate;
extern const DlgTemplate kFontStyleTemplate;
extern const DlgTemplate kInsertCharacterTemplate;
extern const DlgTemplate kCodeViewTemplate;
extern const DlgTemplate kCssTemplate;
extern const DlgTemplate kLinkTemplate;
extern const DlgTemplate kPositionTemplate;
extern const DlgTemplate kResizeTemplate;
extern const DlgTemplate kBoxResizeTemplate;
extern const DlgTemplate kMetafileRasterTemplate;
extern const DlgTemplate kPageWidthTemplate;
extern const DlgTemplate kPageHeightTemplate;
extern const DlgTemplate kOpacityTemplate;
extern const DlgTemplate kOverlappingTemplate;
extern const DlgTemplate kTabIndexTemplate;
extern const DlgTemplate kPaddingTemplate;
extern const DlgTemplate kBodyMarginTemplate;
extern const DlgTemplate kBorderTemplate;
extern const DlgTemplate kBorderRadiusTemplate;
extern const DlgTemplate kBoxShadowTemplate;
extern const DlgTemplate kColumnsTemplate;
extern const DlgTemplate kCropTemplate;
extern const DlgTemplate kDropShadowTemplate;
extern const DlgTemplate kDuplicateTemplate;
extern const DlgTemplate kEdgeFadeoutTemplate;
extern const DlgTemplate kFileNodeTemplate;
extern const DlgTemplate kEditTextTemplate;
