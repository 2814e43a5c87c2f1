#include "drills/DrillTiming.h"

#include "common/LineFile.h"

DrillTiming readDrillTiming(const QString& path)
{
    DrillTiming result;
    auto read = readCourseLines(path, CodePage::Cp1251);
    if (auto* error = std::get_if<CourseError>(&read)) {
        result.error = *error;
        return result;
    }
    const QStringList lines = std::get<QStringList>(read);
    for (int i = 0; i < lines.size(); ++i) {
        const std::optional<Segment> segment = parseTimingLine(lines[i]);
        if (!segment) {
            result.error =
                CourseError{path, i + 1, QStringLiteral("строка не вида «начало, TAB, конец»")};
            return result;
        }
        result.segments.append(*segment);
    }
    return result;
}
