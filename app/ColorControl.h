// Colours are chosen with one small control, the colour button, and one dialog with a
// hue/saturation wheel, a brightness bar, RGB and hexadecimal fields and the web colours.
// Colours are COLORREF values; a high byte of 0xFF means no colour.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"
#include "framework/ui/Dialog.h"

#include <QtGui/QImage>
#include <QtWidgets/QWidget>
#include <functional>

class CDataExchange;
class QComboBox;
class QLineEdit;
class QSlider;

enum : UINT { NM_CLICK = UINT(-2) };

struct WebColor {
    const char* name;
    COLORREF color;
};
// The 132 named colours of the dialog, in their order ("darkcyan" and "mediumslateblue" twice).
const std::vector<WebColor>& WebColors();
// Index of the last entry with that colour, -1 when none.
int FindWebColor(COLORREF color);

// The colour button: a 20 x 20 swatch and its caption; a click or the space bar opens the
// colour dialog, stores the result and tells the dialog (NM_CLICK).
class CColorButton : public QWidget {
public:
    CColorButton(const QString& caption, bool noColorAllowed, QWidget* parent);
    COLORREF GetColor() const { return m_color; }
    void SetColor(COLORREF color);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    bool NoColorAllowed() const { return m_bNoColorAllowed; }
    bool IsPressed() const { return m_bPressed; }
    // What a click does: the dialog, and on OK the new colour and the notification.
    void Click();
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Press();
    void Release();

    COLORREF m_color = 0;
    QString m_caption;
    bool m_bNoColorAllowed;
    bool m_bPressed = false;
};

// Makes the colour button available to dialogs ("schcolor"); called once at start-up.
void RegisterColorButtonClass();
bool IsColorButtonClassRegistered();
// A colour button registered in the dialog under id.
CColorButton* CreateColorButton(CDialog* dialog, int id, const char* caption, bool noColorAllowed = false);
// Data exchange of the colour a colour button holds.
void DdxUserData(CDataExchange* pDX, int id, COLORREF& color);

// A control painting a private 32-bit buffer and a 6 x 6 selection square.
class CColorSpectrum : public QWidget {
public:
    explicit CColorSpectrum(QWidget* parent);
    void SetSize(int width, int height);
    void SetPixel(int x, int y, COLORREF color);
    void Fill(COLORREF color);
    QPoint Selection() const { return {m_x, m_y}; }
    const QImage& Buffer() const { return m_buffer; }
    // Moves the selection to a point and takes the value there (base: only moves).
    virtual void PointToValue(int x, int y);
    std::function<void()> m_notify;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    int m_x = 0, m_y = 0;
    bool m_bDragging = false;
    QImage m_buffer;
};

class CColorWheel : public CColorSpectrum {
public:
    explicit CColorWheel(QWidget* parent);
    void Draw(int brightness);
    void SetSelectionFrom(int hue, int saturation);
    void PointToValue(int x, int y) override;
    int m_nBrightness = 100;
    int m_nHue = 0;
    int m_nSaturation = 0;
    double m_dRadius = 0;
};

class CBrightnessBar : public CColorSpectrum {
public:
    explicit CBrightnessBar(QWidget* parent);
    void Draw(int hue, int saturation);
    void SetSelectionFrom(int brightness);
    void PointToValue(int x, int y) override;
    int m_nBrightness = 100;
};

// The old colour (top quarter) above the new one.
class CColorWell : public QWidget {
public:
    explicit CColorWell(QWidget* parent);
    void SetNewColor(COLORREF color);
    void SetColors(COLORREF newColor, COLORREF oldColor);
    COLORREF m_newColor = 0;
    COLORREF m_oldColor = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class DChooseColor : public CDialog {
public:
    explicit DChooseColor(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

    CString m_strCaption;
    BYTE m_red = 0, m_green = 0, m_blue = 0;
    int m_nHue = 0, m_nSaturation = 0, m_nBrightness = 0;
    COLORREF m_initialColor = 0;
    COLORREF m_currentColor = 0;
    BOOL m_bNoColor = FALSE;
    BOOL m_bNoColorAllowed = FALSE;

    CColorWheel* m_pWheel;
    CBrightnessBar* m_pBar;
    CColorWell* m_pWell;
    QComboBox* m_pWebList;

    // The refresh steps.
    void Split();
    void Compose();
    void DecimalTexts();
    void SliderPositions();
    void HexText();
    void Hsv();
    void WheelAndBar();
    void WebSelection();
    void SetColor(COLORREF color);
    void EnableColorControls();

private:
    void ComponentEdited(int index);
    void HexEdited();
    void Spin(int index, int delta);
    void SliderMoved(int index);
    void WheelChanged();
    void BarChanged();
    void WebChosen();
    void NoColorClicked();
    BYTE& Component(int index) { return index == 0 ? m_red : index == 1 ? m_green : m_blue; }
};

// Runs the colour dialog; 1 and the new colour on OK, 0 and the colour untouched otherwise.
int ChooseColorDlg(COLORREF& color, const CString& caption, BOOL noColorAllowed);
