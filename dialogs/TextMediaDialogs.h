// Small item dialogs of the Insert menu: text span, preformatted text, e-mail link, video
// stream, YouTube video and shape. DText, DEmail and DShape edit their item; the others
// carry plain members the opener copies. The opener holds the edit scope around them.
#pragma once
#include "controls/DialogTemplate.h"
#include "framework/ui/Dialog.h"
#include "model/WString.h"

class CEmailItem;
class CShapeItem;
class CTextItem;

extern const DlgTemplate kTextTemplate;
extern const DlgTemplate kPreformattedTextTemplate;
extern const DlgTemplate kEmailTemplate;
extern const DlgTemplate kVideoStreamTemplate;
extern const DlgTemplate kYouTubeTemplate;
extern const DlgTemplate kShapeTemplate;

// The video id of a link: the "v" query value when there is one, else the last path
// segment without its query and fragment ("watch?v=abc&t=10" and "youtu.be/abc?t=5" give
// "abc"). A bare id stays as it is.
CString ExtractVideoId(const CString& link);
// The embed address shown in DYouTube's "Source:" (arguments after a "?" added when they
// lack one).
CString YouTubeSource(const CString& id, const CString& arguments);

class DText : public CDialog {
public:
    explicit DText(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CTextItem* m_pItem = nullptr;
};

class DPreformattedText : public CDialog {
public:
    explicit DPreformattedText(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CWString m_strText;
    int m_bAllowTags = 0;
};

class DEmail : public CDialog {
public:
    explicit DEmail(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CEmailItem* m_pItem = nullptr;
};

class DVideoStream : public CDialog {
public:
    explicit DVideoStream(QWidget* parent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_strPath = "https://media.example.org/samples/video.mp4";
    int m_nWidth = 445, m_nHeight = 364;
    int m_bAutostart = 1;
    int m_bNavigation = 1;
};

// m_strLink holds the video id after OK (the id taken from the typed link).
class DYouTube : public CDialog {
public:
    explicit DYouTube(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_strLink;
    CString m_strArguments;
    int m_nWidth = 445, m_nHeight = 364;

private:
    void ShowSource();
};

// Works on copies of the shape's fields: a value refused at OK leaves the shape as it was.
class DShape : public CDialog {
public:
    explicit DShape(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    // Shows and enables the controls for the chosen shape, fill and line width.
    void UpdateVisibility();

    CShapeItem* m_pItem = nullptr;

private:
    void OnText();

    int m_nShape = 0, m_nWidth = 100, m_nHeight = 100, m_nRadius = 0, m_nFill = 0;
    COLORREF m_crFill = 0, m_crGradient = 0, m_crLine = 0;
    int m_b2Way = 0, m_nFillStyle = 0, m_nLineWidth = 0, m_nLineStyle = 0, m_nOpacity = 0;
    double m_dAngle = 0;
    int m_bAntialiased = 0, m_bBehind = 0;
};
