#include "frame/AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextEdit>

#include <algorithm>
#include <climits>

namespace AccessibleNames
{

namespace
{

// A caption as it is read: no accelerator marks, no markup, no line breaks, no colon.
QString readable(const QLabel *label)
{
    QString text = label->text();
    if (label->textFormat() != Qt::PlainText && Qt::mightBeRichText(text))
        text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    text.remove(QLatin1Char('&'));
    text = text.simplified();
    while (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

bool isCaption(const QWidget *widget, const QWidget *window)
{
    const auto *label = qobject_cast<const QLabel *>(widget);
    return label && label->isVisibleTo(window) && !readable(label).isEmpty() &&
           label->pixmap().isNull();
}

// The captions beside `control` under the same parent, in the parent's coordinates.
struct Beside {
    const QLabel *before = nullptr;
    const QLabel *after = nullptr;
    const QLabel *above = nullptr;
};

Beside captionsBeside(const QWidget *control, const QWidget *window)
{
    Beside found;
    const QRect at = control->geometry();
    int before = INT_MAX, after = INT_MAX, above = INT_MAX;
    for (const QObject *sibling : control->parentWidget()->children()) {
        const auto *label = qobject_cast<const QLabel *>(sibling);
        if (!label || !isCaption(label, window))
            continue;
        const QRect r = label->geometry();
        const bool sameLine = r.center().y() >= at.top() - 2 && r.center().y() <= at.bottom() + 2;
        if (sameLine && r.right() <= at.left() + 2 && at.left() - r.right() < before) {
            before = at.left() - r.right();
            found.before = label;
        } else if (sameLine && r.left() >= at.right() - 2 && r.left() - at.right() < after &&
                   r.left() - at.right() < 80) {
            after = r.left() - at.right();
            found.after = label;
        } else if (r.bottom() <= at.top() + 2 && r.right() > at.left() && r.left() < at.right() &&
                   at.top() - r.bottom() < above && at.top() - r.bottom() < 40) {
            above = at.top() - r.bottom();
            found.above = label;
        }
    }
    return found;
}

// The heading of the panel a control stands in: the topmost caption of the nearest ancestor
// that has one above the control.
QString panelHeading(const QWidget *control, const QWidget *window)
{
    for (const QWidget *w = control; w && w != window; w = w->parentWidget()) {
        const QWidget *parent = w->parentWidget();
        if (!parent)
            break;
        const QLabel *top = nullptr;
        for (const QObject *child : parent->children()) {
            const auto *label = qobject_cast<const QLabel *>(child);
            if (label && isCaption(label, window) &&
                label->geometry().bottom() <= w->geometry().top() + 2 &&
                (!top || label->geometry().top() < top->geometry().top()))
                top = label;
        }
        if (top)
            return readable(top);
    }
    return QString();
}

bool isLabelled(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QComboBox *>(widget) ||
           qobject_cast<const QAbstractSpinBox *>(widget) ||
           qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QTextEdit *>(widget);
}

// Whether a label elsewhere names the widget as its buddy.
bool hasBuddy(const QWidget *widget, const QWidget *window)
{
    const QList<QLabel *> labels = window->findChildren<QLabel *>();
    return std::any_of(labels.begin(), labels.end(),
                       [widget](const QLabel *label) { return label->buddy() == widget; });
}

void nameOne(QWidget *widget, QWidget *window)
{
    if (!widget->accessibleName().isEmpty())
        return;
    // An editor inside a combo box or a grid is announced through its owner.
    if (qobject_cast<QComboBox *>(widget->parentWidget()) ||
        qobject_cast<QAbstractItemView *>(widget->parentWidget()))
        return;
    if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        const QString text = button->text().remove(QLatin1Char('&')).simplified();
        if (text.isEmpty() && !button->toolTip().isEmpty())
            button->setAccessibleName(button->toolTip());
        return;
    }
    if (isLabelled(widget) || qobject_cast<QAbstractItemView *>(widget)) {
        if (!widget->parentWidget())
            return;
        const Beside beside = captionsBeside(widget, window);
        if (beside.after && widget->accessibleDescription().isEmpty())
            widget->setAccessibleDescription(readable(beside.after));
        if (isLabelled(widget) && hasBuddy(widget, window))
            return;
        QString name = beside.before  ? readable(beside.before)
                       : beside.above ? readable(beside.above)
                                      : QString();
        if (name.isEmpty())
            name = panelHeading(widget, window);
        if (!name.isEmpty())
            widget->setAccessibleName(name);
        return;
    }
    // A panel that takes the focus is announced by its heading.
    if (auto *frame = qobject_cast<QFrame *>(widget);
        frame && frame->focusPolicy() != Qt::NoFocus && !qobject_cast<QLabel *>(frame)) {
        for (const QObject *child : frame->children())
            if (const auto *label = qobject_cast<const QLabel *>(child);
                label && isCaption(label, window)) {
                frame->setAccessibleName(readable(label));
                return;
            }
    }
}

class Namer : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow())
            nameControls(static_cast<QWidget *>(watched));
        return false;
    }
};

} // namespace

void nameControls(QWidget *window)
{
    for (QWidget *widget : window->findChildren<QWidget *>())
        nameOne(widget, window);
}

void install(QApplication *application)
{
    application->installEventFilter(new Namer(application));
}

} // namespace AccessibleNames
