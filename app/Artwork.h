// The designer's pictures, drawn in code so they stay sharp and need no files: toolbar
// icons, the splash picture, the Welcome dialog's banner and strip, the program icon.
#pragma once
#include "framework/core/Types.h"
#include <QtGui/QIcon>
#include <QtGui/QImage>

// An icon for a command id; a neutral square for ids without their own picture.
QIcon CommandIcon(UINT id);
// 400 x 347.
QImage SplashPicture();
// 693 x 114 and 36 x 270.
QImage WelcomeBanner();
QImage WelcomeStrip();
QImage ProgramIcon(int size);
