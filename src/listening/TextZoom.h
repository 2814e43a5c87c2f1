#pragma once

#include <QString>

// How large the listening windows draw their texts: a step from the designed
// size, an eighth of it a step, kept for each student in the program's
// settings so that the text is as the student left it.
class TextZoom {
public:
    static constexpr int Smallest = -3; // five eighths of the designed size
    static constexpr int Largest = 12;  // two and a half times

    // The anonymous student (an empty name) has a size of the own too.
    explicit TextZoom(const QString& student);

    int step() const { return step_; }
    // False, and nothing changes, beyond the smallest or the largest size.
    bool change(int steps);
    void reset();
    // A size of the design (pixels) at this step.
    int scaled(int designed) const;

private:
    void save() const;

    QString key_;
    int step_ = 0;
};
