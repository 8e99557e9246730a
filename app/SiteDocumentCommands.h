// The site-wide commands the project document answers: Page/Width, Website/Strings,
// Website/Settings, View/Raw CSS and View/Word Count. Each runs in one edit scope; a
// cancelled dialog changes nothing.
#pragma once

class CKJDoc;
class QWidget;

void OnPageWidth(CKJDoc& doc, QWidget* parent);
void OnWebsiteStrings(CKJDoc& doc, QWidget* parent);
void OnViewRawCss(CKJDoc& doc, QWidget* parent);
// The root address, the global title and the social-network tab. The root address is
// remembered for new projects too.
void OnWebsiteSettings(CKJDoc& doc, QWidget* parent);
void OnViewWordCount(CKJDoc& doc, QWidget* parent);
