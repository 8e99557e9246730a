#include "controls/FontChooser.h"

#include <QtWidgets/QFontDialog>

#include <algorithm>

namespace {
FontDialogHook& Hook()
{
    static FontDialogHook hook;
    return hook;
}
} // namespace

FontDialogHook SetFontDialogHook(FontDialogHook hook)
{
    FontDialogHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

int ChooseFontDlg(LOGFONT& lf, QWidget* parent)
{
    LOGFONT chosen = lf;
    if (Hook()) {
        if (!Hook()(chosen))
            return 0;
    } else {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, QFontFromLogFont(lf), parent, QString(),
                                                QFontDialog::DontUseNativeDialog);
        if (!ok)
            return 0;
        const LOGFONT picked = LogFontFromQFont(font);
        chosen.lfHeight = picked.lfHeight;
        chosen.lfWeight = picked.lfWeight;
        chosen.lfItalic = picked.lfItalic;
        chosen.lfUnderline = picked.lfUnderline;
        chosen.lfStrikeOut = picked.lfStrikeOut;
        std::copy(std::begin(picked.lfFaceName), std::end(picked.lfFaceName), chosen.lfFaceName);
    }
    chosen.lfFaceName[sizeof chosen.lfFaceName - 1] = 0;
    lf = chosen;
    return 1;
}
