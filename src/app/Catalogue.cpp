#include "app/Catalogue.h"

#include "common/LineFile.h"
#include "common/ShortString.h"

#include <optional>

namespace {

const CatalogueEntry zeroEntry{};
const CatalogueEntries noEntries{};

int modeSlot(QChar mode)
{
    const int slot = mode.unicode() - u'A';
    return slot >= 0 && slot < 4 ? slot : -1;
}

// Reads the fields from the front of a line one by one, as the file format is
// defined by tab positions: the last field is whatever is left.
class FieldReader {
public:
    explicit FieldReader(QStringView line) : line_(line) {}

    std::optional<QStringView> next()
    {
        const qsizetype tab = line_.indexOf(QLatin1Char('\t'), pos_);
        if (tab < 0)
            return std::nullopt;
        const QStringView field = line_.mid(pos_, tab - pos_);
        pos_ = tab + 1;
        return field;
    }
    QStringView rest() const { return line_.mid(pos_); }

private:
    QStringView line_;
    qsizetype pos_ = 0;
};

QString missingField(const char* name)
{
    return QStringLiteral("нет поля %1").arg(QLatin1String(name));
}

std::optional<QString> readText(FieldReader& reader, const char* name, QString* target)
{
    const std::optional<QStringView> field = reader.next();
    if (!field)
        return missingField(name);
    *target = field->left(ShortStringMax).toString();
    return std::nullopt;
}

std::optional<QString> readNumber(FieldReader& reader, const char* name, int min, int max,
                                  qint64* target)
{
    const std::optional<QStringView> field = reader.next();
    if (!field)
        return missingField(name);
    bool ok = false;
    const qint64 value = field->trimmed().toLongLong(&ok);
    if (!ok)
        return QStringLiteral("поле %1: \"%2\" не число").arg(QLatin1String(name), *field);
    if (value < min || value > max)
        return QStringLiteral("поле %1: число %2 вне диапазона %3..%4")
            .arg(QLatin1String(name))
            .arg(value)
            .arg(min)
            .arg(max);
    *target = value;
    return std::nullopt;
}

} // namespace

std::variant<CatalogueEntry, QString> parseCatalogueLine(const QString& line)
{
    CatalogueEntry entry;
    FieldReader reader(line);
    qint64 anchor = 0, infoKind = 0, kind = 0;
    QString isChild;
    std::optional<QString> error = readText(reader, "Title", &entry.Title);
    if (!error)
        error = readText(reader, "IsChild", &isChild);
    if (!error)
        error = readNumber(reader, "Anchor", INT32_MIN, INT32_MAX, &anchor);
    if (!error)
        error = readNumber(reader, "InfoKind", 0, 255, &infoKind);
    if (!error)
        error = readText(reader, "InfoFile", &entry.InfoFile);
    if (!error)
        error = readNumber(reader, "Kind", 0, 255, &kind);
    for (QString* file : {&entry.TextFile, &entry.TransFile, &entry.SoundFile, &entry.TimingFile})
        if (!error)
            error = readText(reader, "файла упражнения", file);
    if (error)
        return *error;
    entry.IsChild = isChild != QLatin1String("0");
    entry.Anchor = qint32(anchor);
    entry.InfoKind = quint8(infoKind);
    entry.Kind = quint8(kind);
    entry.PictureFile = reader.rest().left(ShortStringMax).toString();
    return entry;
}

std::variant<CatalogueEntries, CourseError> parseCatalogue(const QStringList& lines,
                                                           const QString& fileName)
{
    CatalogueEntries entries(lines.size() + 1);
    for (int i = 1; i <= lines.size(); ++i) {
        auto parsed = parseCatalogueLine(lines[i - 1]);
        if (auto* what = std::get_if<QString>(&parsed))
            return CourseError{fileName, i, *what};
        entries[i] = std::get<CatalogueEntry>(std::move(parsed));
    }
    return entries;
}

std::variant<CatalogueEntries, CourseError> loadCatalogue(const QString& fileName)
{
    auto lines = readCourseLines(fileName, CodePage::Cp1251);
    if (auto* error = std::get_if<CourseError>(&lines))
        return *error;
    return parseCatalogue(std::get<QStringList>(lines), fileName);
}

QString catalogueFileName(QChar mode)
{
    return QStringLiteral("InitReg%1.txt").arg(mode);
}

std::vector<CourseError> Catalogues::LoadCatalogues()
{
    modes_ = {};
    std::vector<CourseError> faults;
    for (QChar mode : {u'A', u'B', u'C', u'D'}) {
        auto loaded = loadCatalogue(catalogueFileName(mode));
        if (auto* error = std::get_if<CourseError>(&loaded))
            faults.push_back(*error);
        else
            modes_[modeSlot(mode)] = std::get<CatalogueEntries>(std::move(loaded));
    }
    return faults;
}

const CatalogueEntries& Catalogues::entries(QChar mode) const
{
    const int slot = modeSlot(mode);
    return slot < 0 ? noEntries : modes_[slot];
}

int Catalogues::count(QChar mode) const
{
    return std::max<int>(0, int(entries(mode).size()) - 1);
}

const CatalogueEntry& Catalogues::entry(QChar mode, int index) const
{
    const CatalogueEntries& list = entries(mode);
    return index >= 1 && index < int(list.size()) ? list[index] : zeroEntry;
}

void Catalogues::setEntries(QChar mode, CatalogueEntries entries)
{
    if (modeSlot(mode) >= 0)
        modes_[modeSlot(mode)] = std::move(entries);
}

Catalogues& courseCatalogues()
{
    static Catalogues catalogues;
    return catalogues;
}
