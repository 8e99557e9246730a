// Per-user settings ("profile") on QSettings: organisation "Varnelo", application
// "Tessel Web Designer" (or the name a program sets at start-up), INI format.
#pragma once
#include "framework/core/CString.h"
#include <QtCore/QByteArray>

namespace tessel {
// Sets the application name under which the settings are kept (the FTP explorer has its own).
void SetProfileApplication(const QString& application);
}

int GetProfileInt(const char* section, const char* entry, int defaultValue);
CString GetProfileString(const char* section, const char* entry, const char* defaultValue = "");
QByteArray GetProfileBinary(const char* section, const char* entry);
bool WriteProfileInt(const char* section, const char* entry, int value);
bool WriteProfileString(const char* section, const char* entry, const char* value);
bool WriteProfileBinary(const char* section, const char* entry, const QByteArray& value);
