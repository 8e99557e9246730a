// The designer's pictures: toolbar icons from the SVG files under resources/toolbar
// (Qt resources, so they stay sharp at every size and are edited as pictures); the splash
// picture, the Welcome dialog's banner and strip and the program icon composed in code.
#pragma once
#include "framework/core/Types.h"
#include <QtGui/QIcon>
#include <QtGui/QImage>
#include <QtGui/QPixmap>

// An SVG picture of the program's resources (":/toolbar/...", ":/tree/...") drawn at
// size x size; transparent when the file is missing.
QPixmap ResourcePicture(const QString& path, int size);
// An icon for a command id; a neutral square for ids without their own picture.
QIcon CommandIcon(UINT id);
// 400 x 347.
QImage SplashPicture();
// 693 x 114 and 36 x 270.
QImage WelcomeBanner();
QImage WelcomeStrip();
QImage ProgramIcon(int size);
