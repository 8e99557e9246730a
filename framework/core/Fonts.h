// Faces are named by the names pages were made with (Arial, Verdana, Wingdings...);
// data/fonts.conf maps the ones this system lacks to installed fonts.
#pragma once
#include <QtCore/QString>

namespace tessel {
// Loads the aliases of fonts.conf (the given file, else fonts.conf beside the program or
// in a data folder beside or above it, else under TESSEL_SOURCE_DIR): points fontconfig
// at a configuration that includes the system's and ours, and registers the same
// aliases with Qt. Call once at start-up, before the first font is used; later calls
// change nothing. Returns whether aliases are installed.
bool InstallFontSubstitutes(const QString& confPath = QString());
// The installed face that stands in for face (face itself when it has no alias).
QString SubstituteFace(const QString& face);
// The fonts.conf in use, empty when none was found.
QString FontSubstitutesFile();
}
