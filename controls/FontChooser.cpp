#include "controls/FontChooser.h"

#include "framework/ui/Translation.h"

#include <QtWidgets/QFontDialog>
#include <utility>

namespace {
FontDialogHook& Hook()
{
    static FontDialogHook hook;
    return hook;
}

// What the dialog may change; everything else of the description stays as it was.
void TakeChoice(LOGFONT& lf, const LOGFONT& chosen)
{
    lf.lfHeight = chosen.lfHeight;
    lf.lfWeight = chosen.lfWeight;
    lf.lfItalic = chosen.lfItalic;
    std::copy(std::begin(chosen.lfFaceName), std::end(chosen.lfFaceName), std::begin(lf.lfFaceName));
}
} // namespace

FontDialogHook SetFontDialogHook(FontDialogHook hook) { return std::exchange(Hook(), std::move(hook)); }

int ChooseFontDlg(LOGFONT& lf, QWidget* parent)
{
    LOGFONT chosen = lf;
    if (Hook()) {
        if (!Hook()(chosen))
            return 0;
    } else {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, QFontFromLogFont(lf), parent, UiTranslate("Font").ToQString(),
                                                QFontDialog::DontUseNativeDialog | QFontDialog::ScalableFonts |
                                                    QFontDialog::NonScalableFonts);
        if (!ok)
            return 0;
        chosen = LogFontFromQFont(font);
    }
    TakeChoice(lf, chosen);
    return 1;
}
