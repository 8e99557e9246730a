#include "framework/core/Profile.h"

#include <QtCore/QSettings>

namespace {
QString& ApplicationName()
{
    static QString name = QStringLiteral("Tessel Web Designer");
    return name;
}

QSettings Settings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Varnelo"), ApplicationName());
}

QString Key(const char* section, const char* entry)
{
    return QString::fromUtf8(section) + QLatin1Char('/') + QString::fromUtf8(entry);
}
} // namespace

void tessel::SetProfileApplication(const QString& application) { ApplicationName() = application; }

int GetProfileInt(const char* section, const char* entry, int defaultValue)
{
    bool ok = false;
    int v = Settings().value(Key(section, entry)).toInt(&ok);
    return ok ? v : defaultValue;
}

CString GetProfileString(const char* section, const char* entry, const char* defaultValue)
{
    QVariant v = Settings().value(Key(section, entry));
    if (!v.isValid())
        return CString(defaultValue);
    return CString::FromQString(v.toString());
}

QByteArray GetProfileBinary(const char* section, const char* entry)
{
    return Settings().value(Key(section, entry)).toByteArray();
}

bool WriteProfileInt(const char* section, const char* entry, int value)
{
    QSettings s = Settings();
    s.setValue(Key(section, entry), value);
    s.sync();
    return s.status() == QSettings::NoError;
}

bool WriteProfileString(const char* section, const char* entry, const char* value)
{
    QSettings s = Settings();
    if (value)
        s.setValue(Key(section, entry), QString::fromUtf8(value));
    else
        s.remove(Key(section, entry));
    s.sync();
    return s.status() == QSettings::NoError;
}

bool WriteProfileBinary(const char* section, const char* entry, const QByteArray& value)
{
    QSettings s = Settings();
    s.setValue(Key(section, entry), value);
    s.sync();
    return s.status() == QSettings::NoError;
}
