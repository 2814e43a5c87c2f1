// A lesson of any bytes (split at zero bytes into the text, translation,
// timing, pictures, comments and a student recording's timing): loading never
// fails hard, what it reads keeps the tables' shapes, and the syntagm view
// lays the text out and scrolls it for every current syntagm.
#include "FuzzSupport.h"
#include "listening/Lesson.h"
#include "listening/SyntagmLayout.h"

namespace {
void checkTiming(const TimingTable& table, int count)
{
    check(table.size() == count + 1);
    check(table[0].isHeading());
    for (const TimingEntry& entry : table)
        check(entry.begin >= 0 && entry.begin <= entry.end);
}

void checkView(const QStringList& text, bool hideHeadings)
{
    SyntagmLayout view;
    view.HideHeadings = hideHeadings;
    view.SetText(text);
    const auto widthOf = [](const QString& piece, quint8 style) {
        return int(piece.size()) * ((style & StyleBold) ? 9 : 7);
    };
    view.SetNBegin(1);
    view.SetNEnd(int(text.size()) - 1);
    view.SetFlagSelMultSint(true);
    for (int position = 0; position < text.size(); ++position) {
        view.SetPosition(position);
        for (const DrawnRun& run : view.Paint(QSize(320, 240), 20, widthOf))
            check(!run.text.isEmpty());
        check(view.places().size() == text.size());
        for (const SyntagmPlace& place : view.places())
            check(place.startLine <= place.endLine && place.endLine <= view.lastLine());
        for (int step = 0; step < 3; ++step)
            view.ScrollStep(240);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir dir;
    const QList<QByteArray> parts = fuzzBytes(data, size).split('\0');
    const auto file = [&](const char* name, int part) {
        return writeFuzzFile(dir, QString::fromLatin1(name), parts.value(part));
    };
    const bool student = parts.size() > 5;
    const LessonFileNames names{file("Text.txt", 0), file("Trans.txt", 1), file("TextTim.txt", 2),
                                file("Pict.txt", 3),
                                student ? dir.filePath("Ivan4.wav") : QString()};
    file("Text.apc", 4);
    if (student)
        file("Ivan4.txt", 5);
    const Lesson lesson = loadLesson(names);

    checkTiming(lesson.timing, lesson.count());
    checkTiming(lesson.studentTiming, lesson.count());
    check(lesson.studentTimingFound == student);
    check(!lesson.pictures.isEmpty() && lesson.pictures[0].name.isEmpty());
    for (const TimingEntry& entry : lesson.timing)
        check(pictureAt(lesson.pictures, entry.end) < lesson.pictures.size());
    if (lesson.count() <= 200)
        checkView(lesson.text, size % 2 == 1);
    return 0;
}
