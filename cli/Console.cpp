#include "cli/Console.h"

#include <cstdio>

namespace tavi::cli
{

namespace
{

void print(std::FILE *stream, const QString &text)
{
    QByteArray bytes = text.toLocal8Bit();
    if (!bytes.endsWith('\n'))
        bytes += '\n';
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

void printOut(const QString &text)
{
    print(stdout, text);
}

void printError(const QString &message)
{
    print(stderr, QStringLiteral("tavi: ") + message);
}

} // namespace tavi::cli
