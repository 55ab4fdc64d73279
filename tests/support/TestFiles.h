#pragma once
// A file's bytes as a test reads them back: empty when it cannot be read.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace mx615::test {

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace mx615::test
