#include "shell/PlaceholderWindow.h"

#include <QLabel>
#include <QVBoxLayout>

PlaceholderWindow::PlaceholderWindow(const QString &caption, const QString &name, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    resize(420, 160);
    auto *layout = new QVBoxLayout(this);
    auto *notice = new QLabel(QStringLiteral("Em construção"), this);
    notice->setObjectName(QStringLiteral("l_aviso"));
    notice->setAlignment(Qt::AlignCenter);
    layout->addWidget(notice);
}
