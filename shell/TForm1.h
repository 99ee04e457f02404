#pragma once

#include <QWidget>

class QTimer;

// The splash window "Form1": borderless, on top of the program's other windows, shown at
// start-up and hidden by the first tick of its timer. It has no border, button or key that
// closes it.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);

    QTimer *timer() const { return m_timer; }

public slots:
    // The timer's tick: closes (hides) the window. The timer keeps running; later ticks
    // close the already hidden window again, to no effect.
    void Timer1Timer();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QTimer *m_timer = nullptr;
};
