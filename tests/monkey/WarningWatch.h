#pragma once

// While the monkey runs, a warning from Qt is a fault of the program (an editor closed twice,
// an index out of range, a widget in the wrong window's tab order) and fails the run. The
// offscreen platform's note that it cannot pass size hints on is no fault and is dropped.

#include "MonkeyLog.h"

#include <QString>
#include <QtGlobal>

namespace monkey
{

class WarningWatch
{
public:
    WarningWatch() { previous() = qInstallMessageHandler(&handle); }
    ~WarningWatch() { qInstallMessageHandler(previous()); }

    WarningWatch(const WarningWatch &) = delete;
    WarningWatch &operator=(const WarningWatch &) = delete;

private:
    static QtMessageHandler &previous()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }

    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (message.contains(QLatin1String("does not support propagateSizeHints")))
            return;
        if (type == QtWarningMsg || type == QtCriticalMsg)
            Log::instance().fail(QStringLiteral("Qt warned: ") + message);
        if (previous())
            previous()(type, context, message);
    }
};

} // namespace monkey
