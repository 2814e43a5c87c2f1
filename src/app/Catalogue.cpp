#include "app/Catalogue.h"

#include "common/LineFile.h"
#include "common/Paths.h"
#include "common/ShortString.h"

#include <algorithm>
#include <limits>
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
        const auto tab = std::find(line_.begin() + pos_, line_.end(), u'\t');
        if (tab == line_.end())
            return std::nullopt;
        const QStringView field(line_.begin() + pos_, tab);
        pos_ = tab - line_.begin() + 1;
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

// A whole decimal number as catalogues store it: spaces around it, an optional
// sign, digits only. Nothing when the field is no such number or does not fit
// in 64 bits. (The digits are summed negatively so that the smallest number
// fits too.)
std::optional<qint64> wholeNumber(QStringView text)
{
    text = text.trimmed();
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.mid(1);
    if (text.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9' || __builtin_mul_overflow(value, 10, &value) ||
            __builtin_sub_overflow(value, c.unicode() - u'0', &value))
            return std::nullopt;
    }
    if (negative)
        return value;
    if (value == std::numeric_limits<qint64>::min())
        return std::nullopt;
    return -value;
}

std::optional<QString> readNumber(FieldReader& reader, const char* name, int min, int max,
                                  qint64* target)
{
    const std::optional<QStringView> field = reader.next();
    if (!field)
        return missingField(name);
    const std::optional<qint64> number = wholeNumber(*field);
    if (!number)
        return QStringLiteral("поле %1: \"%2\" не число").arg(QLatin1String(name), *field);
    const qint64 value = *number;
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

std::variant<CatalogueEntry, QString> parseCatalogueLine(QStringView line)
{
    CatalogueEntry entry;
    FieldReader reader(line);
    qint64 anchor = 0, infoKind = 0, kind = 0;
    std::optional<QStringView> isChild;
    std::optional<QString> error = readText(reader, "Title", &entry.Title);
    if (!error && !(isChild = reader.next()))
        error = missingField("IsChild");
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
    entry.IsChild = *isChild != QLatin1String("0");
    entry.Anchor = qint32(anchor);
    entry.InfoKind = quint8(infoKind);
    entry.Kind = quint8(kind);
    entry.PictureFile = reader.rest().left(ShortStringMax).toString();
    return entry;
}

std::variant<CatalogueEntries, CourseError> parseCatalogue(const QList<QStringView>& lines,
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
    auto text = readCourseText(fileName, CodePage::Cp1251);
    if (auto* error = std::get_if<CourseError>(&text))
        return *error;
    return parseCatalogue(courseLineViews(std::get<QString>(text)), fileName);
}

QString catalogueFileName(QChar mode)
{
    return QStringLiteral("InitReg%1.txt").arg(mode);
}

std::vector<CourseError> Catalogues::LoadCatalogues()
{
    modes_ = {};
    faults_ = {};
    std::vector<CourseError> faults;
    for (QChar mode : {u'A', u'B', u'C', u'D'}) {
        auto loaded = loadCatalogue(catalogueFileName(mode));
        if (auto* error = std::get_if<CourseError>(&loaded)) {
            faults.push_back(*error);
            faults_[modeSlot(mode)] = *error;
        } else {
            modes_[modeSlot(mode)] = std::get<CatalogueEntries>(std::move(loaded));
        }
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

const std::optional<CourseError>& Catalogues::fault(QChar mode) const
{
    static const std::optional<CourseError> none;
    const int slot = modeSlot(mode);
    return slot < 0 ? none : faults_[slot];
}

void Catalogues::setEntries(QChar mode, CatalogueEntries entries)
{
    if (modeSlot(mode) < 0)
        return;
    modes_[modeSlot(mode)] = std::move(entries);
    faults_[modeSlot(mode)].reset();
}

Catalogues& courseCatalogues()
{
    static Catalogues catalogues;
    return catalogues;
}

CatalogueEntry prefixedEntry(const CatalogueEntry& entry, const QString& dataFolder)
{
    CatalogueEntry copy = entry;
    for (QString* name : {&copy.TextFile, &copy.TransFile, &copy.PictureFile})
        *name = coursePath(dataFolder + *name);
    for (QString* name : {&copy.SoundFile, &copy.TimingFile})
        if (!name->isEmpty())
            *name = coursePath(dataFolder + *name);
    return copy;
}
