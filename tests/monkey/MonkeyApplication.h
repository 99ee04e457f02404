#pragma once

// The test's application object: an exception that leaves an event handler would otherwise
// unwind through Qt's event dispatch (undefined behaviour, usually a crash far from its
// cause). Here it is caught at the dispatch, recorded as a failure, and the run goes on to
// report it. The program's own guard must have caught it first, so any catch here is a fault.

#include "MonkeyLog.h"

#include <QApplication>
#include <QEvent>
#include <exception>

namespace monkey
{

class MonkeyApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        // Taken before dispatch: the receiver may be gone when the exception arrives.
        const char *receiverClass = receiver ? receiver->metaObject()->className() : "null";
        const int type = event ? int(event->type()) : -1;
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &error) {
            escaped(receiverClass, type, QString::fromUtf8(error.what()));
        } catch (...) {
            escaped(receiverClass, type, QStringLiteral("(not a std::exception)"));
        }
        return false;
    }

private:
    static void escaped(const char *receiverClass, int type, const QString &what)
    {
        Log::instance().fail(QStringLiteral("exception escaped to the event loop while a %1 "
                                            "handled event type %2: %3")
                                 .arg(QString::fromLatin1(receiverClass))
                                 .arg(type)
                                 .arg(what));
    }
};

} // namespace monkey
