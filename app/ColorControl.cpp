#include "app/ColorControl.h"

#include "framework/core/ColorConversions.h"
#include "framework/core/Colors.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSlider>
#include <QtWidgets/QToolButton>

#include <cmath>
#include <cstdlib>

namespace {
bool g_registered = false;

constexpr COLORREF kNoColorBit = 0xFF000000u;

// Colour ids of the dialog.
enum : int {
    IDC_RED = 1001,
    IDC_GREEN = 1002,
    IDC_BLUE = 1003,
    IDC_NOCOLOR = 1013,
    IDC_HEX = 1016,
    IDC_SPIN_RED = 1021,
    IDC_SPIN_GREEN = 1022,
    IDC_SPIN_BLUE = 1023,
    IDC_SLIDER_RED = 1027,
    IDC_SLIDER_GREEN = 1028,
    IDC_SLIDER_BLUE = 1029,
    IDC_WELL = 1041,
    IDC_WEBLIST = 1056,
    IDC_WHEEL = 3000,
    IDC_BAR = 3001,
};

void PaintSwatch(QPainter& p, QRect r, COLORREF color)
{
    // A rectangle of r.width() x r.height() pixels: the outline is its outer pixels.
    if (tessel::ColorIsUnset(color)) {
        p.fillRect(r, Qt::white);
        p.setPen(Qt::black);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
        return;
    }
    p.fillRect(r, tessel::ColorRefToQColor(color));
    p.setPen(Qt::black);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

// Up and down arrows beside an edit; up raises the value.
class CSpinButton : public QWidget {
public:
    CSpinButton(QWidget* parent, std::function<void(int)> onDelta) : QWidget(parent)
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        for (int delta : {-1, 1}) {
            auto* b = new QToolButton(this);
            b->setArrowType(delta < 0 ? Qt::UpArrow : Qt::DownArrow);
            b->setAutoRepeat(true);
            b->setFixedSize(16, 11);
            connect(b, &QToolButton::clicked, this, [onDelta, delta] { onDelta(delta); });
            layout->addWidget(b);
        }
    }
};
} // namespace

// ---- the web colour table

const std::vector<WebColor>& WebColors()
{
    static const std::vector<WebColor> table = [] {
        static const char* const names[] = {
            "black", "dimgray", "gray", "darkgray", "silver", "lightgray", "gainsboro", "white", "red", "lime", "blue",
            "aqua", "yellow", "fuchsia", "green", "maroon", "navy", "olive", "purple", "teal", "darkslategray",
            "slategray", "lightslategray", "snow", "honeydew", "mintcream", "azure", "aliceblue", "ghostwhite",
            "whitesmoke", "seashell", "beige", "oldlace", "floralwhite", "ivory", "antiquewhite", "linen",
            "lavenderblush", "mistyrose", "cornsilk", "blanchedalmond", "bisque", "navajowhite", "wheat", "burlywood",
            "tan", "rosybrown", "sandybrown", "goldenrod", "darkgoldenrod", "peru", "chocolate", "saddlebrown", "sienna",
            "brown", "indianred", "lightcoral", "salmon", "darksalmon", "lightsalmon", "crimson", "firebrick", "darkred",
            "coral", "tomato", "orangered", "darkorange", "orange", "gold", "lightyellow", "lemonchiffon", "papayawhip",
            "moccasin", "peachpuff", "palegoldenrod", "khaki", "darkkhaki", "yellowgreen", "greenyellow", "chartreuse",
            "lawngreen", "palegreen", "lightgreen", "mediumspringgreen", "springgreen", "limegreen", "mediumseagreen",
            "seagreen", "forestgreen", "darkgreen", "olivedrab", "darkolivegreen", "darkseagreen", "darkcyan",
            "mediumaquamarine", "lightseagreen", "darkcyan", "aquamarine", "turquoise", "lightcyan", "paleturquoise",
            "cadetblue", "steelblue", "lightsteelblue", "powderblue", "lightblue", "skyblue", "lightskyblue",
            "deepskyblue", "dodgerblue", "cornflowerblue", "mediumslateblue", "royalblue", "mediumblue", "darkblue",
            "midnightblue", "indigo", "slateblue", "darkslateblue", "mediumslateblue", "mediumpurple", "amethyst",
            "blueviolet", "darkviolet", "darkorchid", "darkmagenta", "orchid", "mediumorchid", "lavender", "thistle",
            "plum", "violet"};
        std::vector<WebColor> t;
        for (const char* name : names) {
            // Every name is a CSS colour name but amethyst.
            const QColor c = std::strcmp(name, "amethyst") == 0 ? QColor(0x99, 0x66, 0xCC) : QColor::fromString(QLatin1String(name));
            t.push_back({name, RGB(c.red(), c.green(), c.blue())});
        }
        return t;
    }();
    return table;
}

int FindWebColor(COLORREF color)
{
    const auto& t = WebColors();
    for (int i = int(t.size()) - 1; i >= 0; --i)
        if (t[size_t(i)].color == color)
            return i;
    return -1;
}

// ---- the colour button

CColorButton::CColorButton(const QString& caption, bool noColorAllowed, QWidget* parent)
    : QWidget(parent), m_caption(caption), m_bNoColorAllowed(noColorAllowed)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
}

void CColorButton::SetColor(COLORREF color)
{
    m_color = color;
    update();
}

void CColorButton::SetCaption(const QString& caption)
{
    m_caption = caption;
    if (isEnabled())
        repaint();
}

QSize CColorButton::sizeHint() const { return QSize(24 + fontMetrics().horizontalAdvance(m_caption) + 4, 22); }

void CColorButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintSwatch(p, QRect(0, 0, 20, 20), m_color);
    if (m_bPressed && !tessel::ColorIsUnset(m_color)) {
        p.setPen(Qt::black);
        p.setBrush(tessel::ColorRefToQColor(m_color));
        p.drawRect(QRect(1, 1, 17, 17));
    }
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QRect text(24, 4, width() - 24, fontMetrics().height());
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_caption);
    if (hasFocus()) {
        QRect focus = fontMetrics().boundingRect(m_caption).translated(24, 4 + fontMetrics().ascent());
        p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        p.drawRect(focus.adjusted(-1, -1, 1, 1));
    }
}

void CColorButton::Press()
{
    m_bPressed = true;
    repaint(0, 0, 20, 20);
}

void CColorButton::Release()
{
    m_bPressed = false;
    repaint(0, 0, 20, 20);
    Click();
}

void CColorButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !m_bPressed)
        Press();
    else
        QWidget::mousePressEvent(event);
}

void CColorButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_bPressed)
        Release();
    else
        QWidget::mouseReleaseEvent(event);
}

void CColorButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !m_bPressed && !event->isAutoRepeat())
        Press();
    else
        QWidget::keyPressEvent(event);
}

void CColorButton::keyReleaseEvent(QKeyEvent* event)
{
    if (m_bPressed && !event->isAutoRepeat())
        Release();
    else
        QWidget::keyReleaseEvent(event);
}

void CColorButton::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void CColorButton::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

void CColorButton::Click()
{
    COLORREF color = m_color;
    if (!ChooseColorDlg(color, CString::FromQString(m_caption), m_bNoColorAllowed))
        return;
    SetColor(color);
    repaint();
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* dialog = dynamic_cast<CDialog*>(w)) {
            for (int id : dialog->ControlIds())
                if (dialog->GetDlgItem(id) == this) {
                    dialog->SendNotify(id, NM_CLICK);
                    break;
                }
            break;
        }
}

void RegisterColorButtonClass() { g_registered = true; }
bool IsColorButtonClassRegistered() { return g_registered; }

CColorButton* CreateColorButton(CDialog* dialog, int id, const char* caption, bool noColorAllowed)
{
    return dialog->AddControl(id, new CColorButton(QString::fromUtf8(caption), noColorAllowed, dialog));
}

void DdxUserData(CDataExchange* pDX, int id, COLORREF& color)
{
    auto* button = dynamic_cast<CColorButton*>(pDX->PrepareCtrl(id));
    if (!button)
        return;
    if (pDX->m_bSaveAndValidate)
        color = button->GetColor();
    else
        button->SetColor(color);
}

// ---- spectrum controls

CColorSpectrum::CColorSpectrum(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }

void CColorSpectrum::SetSize(int width, int height)
{
    if (m_buffer.width() != width || m_buffer.height() != height)
        m_buffer = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    resize(width, height);
}

void CColorSpectrum::SetPixel(int x, int y, COLORREF color)
{
    if (x < 0 || y < 0 || x >= m_buffer.width() || y >= m_buffer.height())
        return;
    m_buffer.setPixel(x, y, 0xFF000000u | tessel::ColorRefToPixel(color & 0x00FFFFFFu));
}

void CColorSpectrum::Fill(COLORREF color) { m_buffer.fill(tessel::ColorRefToQColor(color)); }

void CColorSpectrum::PointToValue(int x, int y)
{
    m_x = x;
    m_y = y;
}

void CColorSpectrum::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!isEnabled()) {
        p.fillRect(rect(), QColor(0x80, 0x80, 0x80));
        return;
    }
    if (m_buffer.isNull())
        return;
    p.drawImage(0, 0, m_buffer);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(QRect(m_x - 3, m_y - 3, 7, 7), Qt::white);
}

void CColorSpectrum::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_bDragging = true;
    PointToValue(int(event->position().x()), int(event->position().y()));
    update();
    if (m_notify)
        m_notify();
    setFocus(Qt::MouseFocusReason);
}

void CColorSpectrum::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_bDragging)
        return;
    PointToValue(int(event->position().x()), int(event->position().y()));
    update();
    if (m_notify)
        m_notify();
}

void CColorSpectrum::mouseReleaseEvent(QMouseEvent*) { m_bDragging = false; }

CColorWheel::CColorWheel(QWidget* parent) : CColorSpectrum(parent) {}

void CColorWheel::Draw(int brightness)
{
    m_nBrightness = brightness;
    const int w = m_buffer.width(), h = m_buffer.height();
    m_dRadius = w / 2.0;
    const double r = m_dRadius;
    Fill(tessel::QColorToColorRef(palette().color(QPalette::Button)));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = x - r, dy = r - y;
            double d = std::sqrt(dx * dx + dy * dy);
            if (d == 0)
                d = 1;
            if (d >= r)
                continue;
            int hue = int(std::acos(dx / d) * 180.0 / M_PI);
            hue = std::clamp(hue, 0, 180);
            if (dy < 0)
                hue = 360 - hue;
            double s = d * 100.0 / r;
            if (d <= 2)
                s = 0;
            if (d >= r - 2)
                s = 100;
            SetPixel(x, y, tessel::HueToRgb(unsigned(hue % 360), unsigned(s), unsigned(brightness)));
        }
}

void CColorWheel::SetSelectionFrom(int hue, int saturation)
{
    m_dRadius = m_buffer.width() / 2.0;
    const double s = saturation * m_dRadius / 100.0;
    const double a = hue * M_PI / 180.0;
    m_x = int(m_dRadius + std::cos(a) * s);
    m_y = int(m_dRadius - std::sin(a) * s);
}

void CColorWheel::PointToValue(int x, int y)
{
    const double r = m_dRadius > 0 ? m_dRadius : m_buffer.width() / 2.0;
    const double dx = x - r, dy = r - y;
    const double dist = std::sqrt(dx * dx + dy * dy);
    const double d = dist == 0 ? 1 : dist;
    int hue = dist == 0 ? 0 : std::clamp(int(std::acos(dx / d) * 180.0 / M_PI), 0, 180);
    if (dy < 0)
        hue = 360 - hue;
    m_nHue = hue % 360;
    if (dist <= r) {
        m_x = x;
        m_y = y;
        m_nSaturation = int(dist * 100.0 / r);
    } else {
        m_nSaturation = 100;
        SetSelectionFrom(m_nHue, 100);
    }
}

CBrightnessBar::CBrightnessBar(QWidget* parent) : CColorSpectrum(parent) {}

void CBrightnessBar::Draw(int hue, int saturation)
{
    const int w = m_buffer.width(), h = m_buffer.height();
    if (h <= 0)
        return;
    for (int y = 0; y <= h; ++y) {
        const COLORREF c = tessel::HueToRgb(unsigned(hue % 360), unsigned(saturation), unsigned(100 - y * 100 / h));
        for (int x = 0; x < w; ++x)
            SetPixel(x, y, c);
    }
}

void CBrightnessBar::SetSelectionFrom(int brightness)
{
    m_nBrightness = brightness;
    const int h = m_buffer.height();
    m_x = m_buffer.width() / 2;
    m_y = std::clamp((100 - brightness) * h / 100, 0, h);
}

void CBrightnessBar::PointToValue(int x, int y)
{
    const int h = std::max(m_buffer.height(), 1);
    m_x = m_buffer.width() / 2;
    m_y = std::clamp(y, 0, h);
    (void)x;
    m_nBrightness = 100 - m_y * 100 / h;
}

// ---- the well

CColorWell::CColorWell(QWidget* parent) : QWidget(parent) { setMinimumSize(60, 60); }

void CColorWell::SetNewColor(COLORREF color)
{
    m_newColor = color;
    repaint();
}

void CColorWell::SetColors(COLORREF newColor, COLORREF oldColor)
{
    m_newColor = newColor;
    m_oldColor = oldColor;
}

void CColorWell::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int quarter = height() / 4;
    PaintSwatch(p, QRect(0, 0, width(), quarter), m_oldColor);
    PaintSwatch(p, QRect(0, quarter, width(), height() - quarter), m_newColor);
}

// ---- the dialog

DChooseColor::DChooseColor(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("Choose Color"));
    auto* spectrum = new QWidget(this);
    spectrum->setFixedSize(300, 250);
    m_pWheel = new CColorWheel(spectrum);
    m_pWheel->setGeometry(32, 32, 200, 200);
    m_pWheel->SetSize(200, 200);
    m_pBar = new CBrightnessBar(spectrum);
    m_pBar->setGeometry(258, 32, 20, 200);
    m_pBar->SetSize(20, 200);
    AddControl(IDC_WHEEL, m_pWheel);
    AddControl(IDC_BAR, m_pBar);

    auto* grid = new QGridLayout;
    static const char* const names[] = {"Red:", "Green:", "Blue:"};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(names[i]), this), i, 0);
        QLineEdit* edit = CreateEdit(IDC_RED + i);
        edit->setMaxLength(3);
        edit->setFixedWidth(48);
        grid->addWidget(edit, i, 1);
        auto* spin = new CSpinButton(this, [this, i](int delta) { Spin(i, delta); });
        AddControl(IDC_SPIN_RED + i, spin);
        grid->addWidget(spin, i, 2);
        QSlider* slider = CreateSlider(IDC_SLIDER_RED + i);
        slider->setRange(0, 255);
        grid->addWidget(slider, i, 3);
        OnNotify(IDC_RED + i, EN_CHANGE, [this, i] { ComponentEdited(i); });
        OnNotify(IDC_SLIDER_RED + i, SLN_POSCHANGE, [this, i] { SliderMoved(i); });
    }
    grid->addWidget(new QLabel(QStringLiteral("Hex:"), this), 3, 0);
    QLineEdit* hex = CreateEdit(IDC_HEX);
    hex->setMaxLength(6);
    hex->setFixedWidth(72);
    grid->addWidget(hex, 3, 1, 1, 2);
    grid->addWidget(CreateCheck(IDC_NOCOLOR, "No Color"), 3, 3);
    grid->addWidget(new QLabel(QStringLiteral("Web Colors:"), this), 4, 0, 1, 2);
    m_pWebList = CreateCombo(IDC_WEBLIST);
    m_pWebList->setMaxVisibleItems(20);
    grid->addWidget(m_pWebList, 4, 2, 1, 2);
    m_pWell = AddControl(IDC_WELL, new CColorWell(this));
    OnNotify(IDC_HEX, EN_CHANGE, [this] { HexEdited(); });
    OnNotify(IDC_HEX, EN_KILLFOCUS, [this] { HexText(); });
    OnNotify(IDC_WEBLIST, CBN_SELCHANGE, [this] { WebChosen(); });
    OnNotify(IDC_NOCOLOR, BN_CLICKED, [this] { NoColorClicked(); });
    m_pWheel->m_notify = [this] { WheelChanged(); };
    m_pBar->m_notify = [this] { BarChanged(); };

    auto* right = new QVBoxLayout;
    right->addLayout(grid);
    right->addWidget(m_pWell, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CreateButton(IDOK, "OK", true));
    buttons->addWidget(CreateButton(IDCANCEL, "Cancel"));
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(spectrum);
    layout->addLayout(right);
}

void DChooseColor::Split()
{
    m_red = GetRValue(m_currentColor);
    m_green = GetGValue(m_currentColor);
    m_blue = GetBValue(m_currentColor);
}

void DChooseColor::Compose()
{
    m_currentColor = RGB(m_red, m_green, m_blue) | (m_bNoColor ? kNoColorBit : 0);
    m_pWell->SetNewColor(m_currentColor);
}

void DChooseColor::DecimalTexts()
{
    for (int i = 0; i < 3; ++i)
        SetDlgItemText(IDC_RED + i, CString::Formatted("%d", Component(i)));
}

void DChooseColor::SliderPositions()
{
    for (int i = 0; i < 3; ++i)
        if (auto* s = static_cast<QSlider*>(GetDlgItem(IDC_SLIDER_RED + i))) {
            s->setValue(Component(i));
            s->repaint();
        }
}

void DChooseColor::HexText() { SetDlgItemText(IDC_HEX, CString::Formatted("%02X%02X%02X", m_red, m_green, m_blue)); }

void DChooseColor::Hsv() { tessel::RgbToHsv(m_red, m_green, m_blue, m_nHue, m_nSaturation, m_nBrightness); }

void DChooseColor::WheelAndBar()
{
    m_pBar->Draw(m_nHue, m_nSaturation);
    m_pBar->SetSelectionFrom(m_nBrightness);
    m_pWheel->m_nHue = m_nHue;
    m_pWheel->m_nSaturation = m_nSaturation;
    m_pWheel->SetSelectionFrom(m_nHue, m_nSaturation);
    m_pWheel->setEnabled(!m_bNoColor);
    m_pBar->setEnabled(!m_bNoColor);
    m_pWheel->repaint();
    m_pBar->repaint();
}

void DChooseColor::WebSelection()
{
    const QSignalBlocker block(m_pWebList);
    m_pWebList->setCurrentIndex(FindWebColor(m_currentColor));
}

void DChooseColor::SetColor(COLORREF color)
{
    m_currentColor = color;
    Split();
    DecimalTexts();
    HexText();
    SliderPositions();
    Hsv();
    WheelAndBar();
    Compose();
}

void DChooseColor::EnableColorControls()
{
    const bool on = !m_bNoColor;
    m_pWheel->setEnabled(on);
    m_pBar->setEnabled(on);
    for (int id : {IDC_WEBLIST, IDC_SLIDER_RED, IDC_SLIDER_GREEN, IDC_SLIDER_BLUE, IDC_SPIN_RED, IDC_SPIN_GREEN,
                   IDC_SPIN_BLUE, IDC_RED, IDC_GREEN, IDC_BLUE, IDC_HEX})
        EnableDlgItem(id, on);
}

BOOL DChooseColor::OnInitDialog()
{
    CDialog::OnInitDialog();
    setWindowTitle(m_strCaption.ToQString());
    TranslateWindow(this);
    if (tessel::ColorIsUnset(m_initialColor))
        m_bNoColor = TRUE;
    m_pWell->SetColors(m_initialColor, m_initialColor);
    Split();
    Hsv();
    m_pWheel->Draw(100); // the wheel always shows full brightness
    DecimalTexts();
    SliderPositions();
    WheelAndBar();
    HexText();
    if (m_bNoColorAllowed)
        EnableDlgItem(IDC_NOCOLOR, TRUE);
    else {
        EnableDlgItem(IDC_NOCOLOR, FALSE);
        m_currentColor &= 0x00FFFFFFu;
    }
    CheckDlgButton(IDC_NOCOLOR, m_bNoColor ? 1 : 0);
    EnableColorControls();

    // The web colours with their swatches; every entry equal to the initial colour is
    // selected as it is added, so the last one stays selected.
    const QSignalBlocker block(m_pWebList);
    m_pWebList->clear();
    m_pWebList->setIconSize(QSize(16, 12));
    for (const WebColor& w : WebColors()) {
        QPixmap swatch(16, 12);
        QPainter p(&swatch);
        p.fillRect(swatch.rect(), tessel::ColorRefToQColor(w.color));
        p.setPen(Qt::black);
        p.drawRect(0, 0, 15, 11);
        p.end();
        m_pWebList->addItem(QIcon(swatch), QString::fromLatin1(w.name), QVariant::fromValue(uint(w.color)));
        if (w.color == m_initialColor)
            m_pWebList->setCurrentIndex(m_pWebList->count() - 1);
    }
    if (FindWebColor(m_initialColor) < 0)
        m_pWebList->setCurrentIndex(-1);
    return TRUE;
}

void DChooseColor::OnOK()
{
    Compose();
    EndDialog(IDOK);
}

void DChooseColor::ComponentEdited(int index)
{
    QWidget* edit = GetDlgItem(IDC_RED + index);
    if (!edit || !edit->hasFocus())
        return;
    const CString text = GetDlgItemText(IDC_RED + index).Left(32);
    const int value = std::atoi(text);
    if (value == Component(index))
        return;
    Component(index) = BYTE(std::clamp(value, 0, 255));
    if (auto* s = static_cast<QSlider*>(GetDlgItem(IDC_SLIDER_RED + index)))
        s->setValue(Component(index));
    Compose();
    Hsv();
    WheelAndBar();
    WebSelection();
}

void DChooseColor::HexEdited()
{
    QWidget* edit = GetDlgItem(IDC_HEX);
    if (!edit || !edit->hasFocus())
        return;
    const unsigned long v = std::strtoul(GetDlgItemText(IDC_HEX), nullptr, 16);
    // RRGGBB as typed, turned into red-low order.
    m_currentColor = RGB(int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF));
    Split();
    DecimalTexts();
    SliderPositions();
    Hsv();
    WheelAndBar();
    Compose();
}

void DChooseColor::Spin(int index, int delta)
{
    BYTE& c = Component(index);
    if (delta > 0)
        c = BYTE(std::max(0, c - 1));
    else
        c = BYTE(std::min(255, c + 1));
    SetDlgItemText(IDC_RED + index, CString::Formatted("%d", c));
    if (auto* s = static_cast<QSlider*>(GetDlgItem(IDC_SLIDER_RED + index)))
        s->setValue(c);
    Compose();
    Hsv();
    WheelAndBar();
    HexText();
    WebSelection();
}

void DChooseColor::SliderMoved(int index)
{
    auto* s = static_cast<QSlider*>(GetDlgItem(IDC_SLIDER_RED + index));
    if (!s || !s->hasFocus())
        return;
    Component(index) = BYTE(s->value());
    DecimalTexts();
    HexText();
    Hsv();
    WheelAndBar();
    Compose();
    WebSelection();
}

void DChooseColor::WheelChanged()
{
    if (m_pWheel->m_nHue == m_nHue && m_pWheel->m_nSaturation == m_nSaturation)
        return;
    m_nHue = m_pWheel->m_nHue;
    m_nSaturation = m_pWheel->m_nSaturation;
    if (m_nBrightness == 0)
        m_nBrightness = 100;
    m_currentColor = tessel::HueToRgb(unsigned(m_nHue), unsigned(m_nSaturation), unsigned(m_nBrightness)) & 0x00FFFFFFu;
    Split();
    DecimalTexts();
    HexText();
    WebSelection();
    SliderPositions();
    Compose();
    m_pBar->Draw(m_nHue, m_nSaturation);
    m_pBar->SetSelectionFrom(m_nBrightness);
    m_pBar->repaint();
}

void DChooseColor::BarChanged()
{
    if (m_pBar->m_nBrightness == m_nBrightness)
        return;
    m_nBrightness = m_pBar->m_nBrightness;
    m_currentColor = tessel::HueToRgb(unsigned(m_nHue), unsigned(m_nSaturation), unsigned(m_nBrightness)) & 0x00FFFFFFu;
    Split();
    DecimalTexts();
    WebSelection();
    HexText();
    SliderPositions();
    Compose();
}

void DChooseColor::WebChosen()
{
    const int index = m_pWebList->currentIndex();
    if (index < 0)
        return;
    SetColor(COLORREF(m_pWebList->itemData(index).toUInt()));
}

void DChooseColor::NoColorClicked()
{
    m_bNoColor = IsDlgButtonChecked(IDC_NOCOLOR) ? TRUE : FALSE;
    SetColor(m_bNoColor ? (m_currentColor | kNoColorBit) : (m_currentColor & 0x00FFFFFFu));
    EnableColorControls();
}

int ChooseColorDlg(COLORREF& color, const CString& caption, BOOL noColorAllowed)
{
    DChooseColor dlg;
    dlg.m_initialColor = color;
    dlg.m_currentColor = color;
    dlg.m_strCaption = caption;
    dlg.m_bNoColorAllowed = noColorAllowed;
    if (dlg.DoModal() != IDOK)
        return 0;
    color = dlg.m_currentColor;
    return 1;
}
