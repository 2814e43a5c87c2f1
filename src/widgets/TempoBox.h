#pragma once

#include <QComboBox>

// The choice of the listening tempo, "100 %" down to "50 %": it opens at the
// tempo the student chose last and keeps every new choice for the student
// (common/Tempo.h). Ctrl+Down and Ctrl+Up step slower and faster while it has
// the focus, and anywhere in a window that catches them for it.
class TempoBox : public QComboBox {
    Q_OBJECT
public:
    explicit TempoBox(QWidget* parent = nullptr);

    int tempo() const;
    void setTempo(int percent);
    void stepSlower();
    void stepFaster();
    // Ctrl+Down and Ctrl+Up step the tempo wherever the focus is in the
    // window, before a list or a slider there takes them for itself.
    void catchKeysIn(QWidget* window);

signals:
    void tempoChosen(int percent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void keepChoice();
};
