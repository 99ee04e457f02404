#pragma once

// Writing and reading a whole file in a test, to set up a target and to see that it stayed.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

namespace testing
{

inline void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace testing
