// Files a test leaves for a person to look at (a rendering with no reference yet, a
// screenshot): written to $TESSEL_ARTIFACTS (CTest sets it to test-artifacts in the build
// folder), never into the source tree and never under a fixed name in the temporary folder.
#pragma once
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QString>

#include <cstdlib>
#include <unistd.h>

namespace testsupport {

// The folder for artifacts, created when missing: $TESSEL_ARTIFACTS, or test-artifacts
// beside the test program when it runs on its own.
inline QString ArtifactFolder()
{
    QString folder = qEnvironmentVariable("TESSEL_ARTIFACTS");
    if (folder.isEmpty()) {
        char exe[4096];
        const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
        const QString program = n > 0 ? QString::fromLocal8Bit(exe, int(n)) : QDir::currentPath() + QStringLiteral("/x");
        folder = QFileInfo(program).absolutePath() + QStringLiteral("/test-artifacts");
    }
    QDir().mkpath(folder);
    return folder;
}

// Where the artifact called name goes (any folder in name is created).
inline QString ArtifactPath(const QString& name)
{
    const QString path = ArtifactFolder() + QLatin1Char('/') + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

} // namespace testsupport
