#pragma once

#include "review/PassHistory.h"

#include <QWidget>

// The passes of one exercise side by side, oldest left: the speaking share
// in green (left scale, per cent) and the median lag in blue (right scale,
// seconds), so that the student sees whether the last pass was better.
class PassChart : public QWidget {
    Q_OBJECT
public:
    explicit PassChart(QWidget* parent = nullptr);
    void setPasses(const QList<PassRecord>& passes);
    const QList<PassRecord>& passes() const { return passes_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<PassRecord> passes_;
};
