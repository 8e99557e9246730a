// The site-wide commands the project document answers: Page/Width, Website/Strings and
// View/Raw CSS. Each runs in one edit scope; a cancelled dialog changes nothing.
#pragma once

class CKJDoc;
class QWidget;

void OnPageWidth(CKJDoc& doc, QWidget* parent);
void OnWebsiteStrings(CKJDoc& doc, QWidget* parent);
void OnViewRawCss(CKJDoc& doc, QWidget* parent);
