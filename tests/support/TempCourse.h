#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary course folder that is the current folder while the object lives;
// the previous current folder comes back afterwards.
class TempCourse {
public:
    TempCourse();
    ~TempCourse();
    TempCourse(const TempCourse&) = delete;
    TempCourse& operator=(const TempCourse&) = delete;

    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

    // Writes a file (folders made as needed), relative to the course folder.
    void write(const QString& name, const QByteArray& bytes) const;
    // Writes text lines in a single-byte code page with CR LF line ends.
    void writeLines(const QString& name, const QStringList& lines, bool cp1250 = false) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

// The folder of committed test files (tests/data).
QString testDataPath(const QString& name);
