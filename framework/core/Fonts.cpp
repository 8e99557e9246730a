#include "framework/core/Fonts.h"

#include "framework/core/Paths.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QHash>
#include <QtCore/QTemporaryDir>
#include <QtCore/QXmlStreamReader>
#include <QtGui/QFont>
#include <memory>
#include <mutex>

namespace tessel {
namespace {

struct FontState {
    std::once_flag once;
    bool installed = false;
    QString file;
    QHash<QString, QString> aliases; // keys lower case
    std::unique_ptr<QTemporaryDir> dir;
};

FontState& State()
{
    static FontState state;
    return state;
}

QString FindConf(const QString& given)
{
    QStringList candidates;
    if (!given.isEmpty())
        candidates << given;
    else {
        const QString program = ProgramFolder().ToQString();
        // Installed: beside the program; in a source checkout: its data folder.
        candidates << program + QStringLiteral("fonts.conf") << program + QStringLiteral("data/fonts.conf")
                   << program + QStringLiteral("../data/fonts.conf");
        const QString source = qEnvironmentVariable("TESSEL_SOURCE_DIR");
        if (!source.isEmpty())
            candidates << source + QStringLiteral("/data/fonts.conf");
    }
    for (const QString& c : candidates) {
        if (QFileInfo(c).isFile())
            return QFileInfo(c).absoluteFilePath();
    }
    return QString();
}

// <alias><family>From</family><prefer><family>To</family></prefer></alias>
QHash<QString, QString> ReadAliases(const QString& path)
{
    QHash<QString, QString> aliases;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return aliases;
    QXmlStreamReader xml(&file);
    QString from, to;
    bool inAlias = false, inPrefer = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("alias")) {
                inAlias = true;
                from.clear();
                to.clear();
            } else if (xml.name() == QLatin1String("prefer")) {
                inPrefer = true;
            } else if (inAlias && xml.name() == QLatin1String("family")) {
                const QString family = xml.readElementText().trimmed();
                if (inPrefer && to.isEmpty())
                    to = family;
                else if (!inPrefer && from.isEmpty())
                    from = family;
            }
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("prefer"))
                inPrefer = false;
            else if (xml.name() == QLatin1String("alias")) {
                if (!from.isEmpty() && !to.isEmpty())
                    aliases.insert(from.toLower(), to);
                inAlias = false;
            }
        }
    }
    if (xml.hasError())
        aliases.clear();
    return aliases;
}

QString XmlEscaped(const QString& s)
{
    return s.toHtmlEscaped();
}

} // namespace

bool InstallFontSubstitutes(const QString& confPath)
{
    FontState& s = State();
    std::call_once(s.once, [&] {
        const QString conf = FindConf(confPath);
        if (conf.isEmpty())
            return;
        QHash<QString, QString> aliases = ReadAliases(conf);
        if (aliases.isEmpty())
            return;
        // fontconfig reads FONTCONFIG_FILE once, when it is first used: a file that
        // includes the system configuration, then ours.
        auto dir = std::make_unique<QTemporaryDir>();
        if (dir->isValid()) {
            QString system = qEnvironmentVariable("FONTCONFIG_FILE");
            if (system.isEmpty())
                system = QStringLiteral("/etc/fonts/fonts.conf");
            QFile out(dir->filePath(QStringLiteral("fonts.conf")));
            if (out.open(QIODevice::WriteOnly)) {
                const QString text = QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n<fontconfig>\n"
                                                    "  <include ignore_missing=\"yes\">%1</include>\n  <include>%2</include>\n</fontconfig>\n")
                                         .arg(XmlEscaped(system), XmlEscaped(conf));
                if (out.write(text.toUtf8()) > 0 && out.flush()) {
                    out.close();
                    qputenv("FONTCONFIG_FILE", QFile::encodeName(out.fileName()));
                }
            }
            s.dir = std::move(dir);
        }
        // Qt resolves these itself too, whatever fontconfig was told earlier.
        for (auto it = aliases.cbegin(); it != aliases.cend(); ++it)
            QFont::insertSubstitution(it.key(), it.value());
        s.aliases = std::move(aliases);
        s.file = conf;
        s.installed = true;
    });
    return s.installed;
}

QString SubstituteFace(const QString& face)
{
    const FontState& s = State();
    const auto it = s.aliases.constFind(face.toLower());
    return it == s.aliases.cend() ? face : it.value();
}

QString FontSubstitutesFile()
{
    return State().file;
}

} // namespace tessel
