#pragma once

#include "common/CourseCodes.h"
#include "common/CourseError.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <variant>
#include <vector>

// One line of a catalogue: a node of the course tree and, for an exercise,
// the names of its data files (relative to the data folder).
struct CatalogueEntry {
    QString Title;
    bool IsChild = false;
    qint32 Anchor = 0;
    quint8 InfoKind = 0;
    QString InfoFile;
    quint8 Kind = 0;
    QString TextFile;
    QString TransFile;
    QString SoundFile;
    QString TimingFile;
    QString PictureFile;

    // The stored codes by name; any stored byte converts, unnamed ones mean
    // nothing to launch or to show.
    ExerciseKind exerciseKind() const { return ExerciseKind(Kind); }
    DescriptionKind descriptionKind() const { return DescriptionKind(InfoKind); }

    bool operator==(const CatalogueEntry&) const = default;
};

// The entries of one work mode. Element 0 is an all-zero entry that is never
// shown, so that element i is line i of the file.
using CatalogueEntries = std::vector<CatalogueEntry>;

// Parses one catalogue line. The error names the field that is wrong; the
// caller adds the file and the line number.
std::variant<CatalogueEntry, QString> parseCatalogueLine(QStringView line);

// Parses the lines of one catalogue file into entries 1..n (plus element 0).
std::variant<CatalogueEntries, CourseError> parseCatalogue(const QList<QStringView>& lines,
                                                           const QString& fileName);

// Reads and parses one catalogue file of the current folder.
std::variant<CatalogueEntries, CourseError> loadCatalogue(const QString& fileName);

// "InitRegA.txt" for mode 'A'.
QString catalogueFileName(QChar mode);

// The four catalogues of the course, one per work mode 'A' to 'D'. Filled once
// at start and read by every part of the program that needs a mode's entries.
class Catalogues {
public:
    // Reads InitRegA.txt to InitRegD.txt from the current folder: every intact
    // catalogue is loaded, a missing or damaged one stays empty. The faults, one
    // for each catalogue that could not be loaded, in the order A to D.
    std::vector<CourseError> LoadCatalogues();

    // Entries of a mode (with element 0); empty for a letter outside A..D.
    const CatalogueEntries& entries(QChar mode) const;
    int count(QChar mode) const;
    // The entry at a 1-based index; the zero entry for an index out of range.
    const CatalogueEntry& entry(QChar mode, int index) const;
    // Why a mode's catalogue could not be loaded; nothing when it was.
    const std::optional<CourseError>& fault(QChar mode) const;

    // For tests and tools that build catalogues in memory.
    void setEntries(QChar mode, CatalogueEntries entries);

private:
    std::array<CatalogueEntries, 4> modes_;
    std::array<std::optional<CourseError>, 4> faults_;
};

// The catalogues of this run.
Catalogues& courseCatalogues();

// A copy of the entry ready to launch: the data folder before its file names,
// always before the text, translation and picture list files, and before the
// sound and timing files only when they are named (an empty name tells the
// window there is nothing to play or to cut). Names use the platform's separator.
CatalogueEntry prefixedEntry(const CatalogueEntry& entry, const QString& dataFolder);
