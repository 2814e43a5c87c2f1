#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// The programs of one classroom run: started at once, each a class_driver.
class Classroom {
public:
    // Starts a driver; prefix runs before it (for example to give it another
    // host name).
    void start(const QStringList& args, const QStringList& prefix = {});
    // Waits for every driver started; false (with the reason added to
    // failures()) when one does not end in time or ends with a fault.
    bool finish(int timeoutMs);

    const QStringList& failures() const { return failures_; }
    // Every lock wait of every driver, in ms, and the reports the consoles read.
    const QList<qint64>& waits() const { return waits_; }
    int reads() const { return reads_; }

private:
    void collect(QProcess& driver);

    std::vector<std::unique_ptr<QProcess>> drivers_;
    QStringList failures_;
    QList<qint64> waits_;
    int reads_ = 0;
};

// What the drivers must have left in the course folder: the students' marks
// and take-backs in their progress files, the kept users of the churners and
// none of the deleted, every file valid byte for byte, no lock file. Returns
// the faults found.
QStringList checkCourse(const QString& course, const QStringList& students,
                        const QStringList& churnPrefixes, int churnRounds);

// "median 12 ms, largest 340 ms of 812 waits"
QString waitFigures(QList<qint64> waits);
