// Precompiled header: standard and Qt headers used almost everywhere.
#pragma once
#ifdef __cplusplus
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QFile>
#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#endif
