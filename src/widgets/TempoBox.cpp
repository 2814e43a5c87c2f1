#include "widgets/TempoBox.h"

#include "common/Tempo.h"

#include <QKeyEvent>
#include <QShortcut>

TempoBox::TempoBox(QWidget* parent) : QComboBox(parent)
{
    for (int percent = Tempo::Normal; percent >= Tempo::Slowest; percent -= Tempo::Step)
        addItem(QStringLiteral("%1 %").arg(percent), percent);
    setTempo(Tempo::chosen());
    setToolTip(QStringLiteral("Темп речи: медленнее — Ctrl+Вниз, быстрее — Ctrl+Вверх"));
    setAccessibleName(QStringLiteral("Темп"));
    connect(this, &QComboBox::activated, this, &TempoBox::keepChoice);
}

int TempoBox::tempo() const
{
    return currentData().toInt();
}

void TempoBox::setTempo(int percent)
{
    setCurrentIndex(findData(Tempo::valid(percent)));
}

void TempoBox::stepSlower()
{
    setTempo(Tempo::slower(tempo()));
    keepChoice();
}

void TempoBox::stepFaster()
{
    setTempo(Tempo::faster(tempo()));
    keepChoice();
}

void TempoBox::catchKeysIn(QWidget* window)
{
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down), window), &QShortcut::activated,
            this, &TempoBox::stepSlower);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up), window), &QShortcut::activated, this,
            &TempoBox::stepFaster);
}

void TempoBox::keepChoice()
{
    Tempo::choose(tempo());
    emit tempoChosen(tempo());
}

void TempoBox::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_Down) {
        stepSlower();
        return;
    }
    if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_Up) {
        stepFaster();
        return;
    }
    QComboBox::keyPressEvent(event);
}
