// The report, the teacher console with its password, and the printed report,
// driven through their controls.
#include "support/ModalDriver.h"
#include "support/TempCourse.h"
#include "users/DlgChPassPrep.h"
#include "users/DlgPassWord.h"
#include "users/FormPrepod.h"
#include "users/FormReport.h"
#include "users/ReportPrinter.h"
#include "users/TeacherPassword.h"
#include "users/UserSession.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ChBxImgTransD1QF.h"
#include "widgets/DialogResult.h"
#include "widgets/HelpContext.h"

#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QThread>
#include <gtest/gtest.h>

namespace {
// The head of a sound file: what a recording must at least start with to be taken back.
const QByteArray WavHead("RIFF\0\0\0\0WAVE", 12);
// A code a catalogue may store that has no window.
const ExerciseKind Unnamed9 = ExerciseKind(9);

// Catalogue D: a heading, a lexicon, questions, an interpretation, a
// translation kept with its recording, and an entry that launches nothing.
const QList<ReportEntry> EntriesD{{"Урок 1", ExerciseKind::Heading},
                                  {"Лексика", ExerciseKind::LexiconPreview},
                                  {"Вопросы", ExerciseKind::Questions},
                                  {"Перевод", ExerciseKind::TrainerWithWait},
                                  {"Пересказ", ExerciseKind::InterpretationListening},
                                  {"Пусто", Unnamed9}};
const QList<ReportEntry> EntriesC{{"Урок 1", ExerciseKind::Heading},
                                  {"Слушать", ExerciseKind::LessonListening},
                                  {"Перевод", ExerciseKind::Interpretation}};

class ReportWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        course.writeLines("InitRegD.txt", QStringList(6, "e"));
        course.writeLines("InitRegC.txt", QStringList(3, "e"));
        session.loadUserList();
        ivan = add("Ivan", "D", "p1");
        olga = add("Olga", "C", "");
        ASSERT_TRUE(session.changeUser(ivan).isEmpty());
        course.write("Report/Ivan/Ivan4.wav", WavHead);
        ASSERT_TRUE(session.markDone(3, ExerciseKind::Questions, {2, 7, ""}).isEmpty());
        ASSERT_TRUE(
            session.markDone(4, ExerciseKind::TrainerWithWait, {0, 0, ivanFolder() + "Ivan4.wav"})
                .isEmpty());
        ASSERT_TRUE(session
                        .markDone(5, ExerciseKind::InterpretationListening,
                                  {0, 0, ivanFolder() + "Ivan5.wav"})
                        .isEmpty());
    }
    void TearDown() override { EXPECT_TRUE(modalActionsDone()); }

    int add(const QString& name, const QString& mode, const QString& password)
    {
        return session
            .addUser({name, password, password, defaultProgressPath(course.path(), name), mode})
            .index.value_or(-1);
    }
    QString ivanFolder() const { return course.filePath("Report/Ivan/"); }
    QStringList rows(const QListWidget* list) const
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    int rowOfEntry(const QListWidget* list, int entry) const
    {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->data(Qt::UserRole).toInt() == entry)
                return i;
        return -1;
    }

    TempCourse course;
    UserSession session;
    int ivan = -1;
    int olga = -1;
};

const QString Seven = "       ";
} // namespace

TEST_F(ReportWindows, StudentSeesTheReportAndTakesBackARecording)
{
    TFormReport report(session);
    EXPECT_EQ(report.windowTitle(), "Отчет");
    EXPECT_FALSE(report.BtnImgDeleteFile->isEnabled());
    whenModal([&](QWidget* window) {
        ASSERT_EQ(window, &report);
        QListWidget* list = report.ListBoxReport;
        EXPECT_EQ(rows(list),
                  (QStringList{"   Раздел: Урок 1", Seven + "Лексика - Не выполнено",
                               Seven + "Вопросы - Выполнено, Ошибок - 28%",
                               Seven + "Перевод - Выполнено", Seven + "Пересказ - Выполнено"}));
        EXPECT_FALSE(list->item(0)->data(TFormReport::DoneRole).toBool());
        EXPECT_TRUE(list->item(2)->data(TFormReport::DoneRole).toBool());
        // Plain listening keeps its recording, questions have none, a heading is never done.
        for (int entry : {5, 3, 1, 2}) {
            list->setCurrentRow(rowOfEntry(list, entry));
            EXPECT_FALSE(report.BtnImgDeleteFile->isEnabled()) << entry;
        }
        const int row = rowOfEntry(list, 4);
        list->setCurrentRow(row);
        ASSERT_TRUE(report.BtnImgDeleteFile->isEnabled());
        QTest::mouseClick(report.BtnImgDeleteFile, Qt::LeftButton);
        EXPECT_EQ(list->item(row)->text(), Seven + "Перевод - Не выполнено");
        EXPECT_FALSE(list->item(row)->data(TFormReport::DoneRole).toBool());
        EXPECT_FALSE(QFile::exists(ivanFolder() + "Ivan4.wav"));
        // A second press on the same row does nothing more.
        QTest::mouseClick(report.BtnImgDeleteFile, Qt::LeftButton);
        clickButton(&report, "Закрыть");
    });
    EXPECT_EQ(report.execute(EntriesD), DialogResult::OK);
    EXPECT_FALSE(ReadProgress(ivanFolder() + "Ivan.rep", 6).table.record(4).done());
}

TEST_F(ReportWindows, AFailedDeletionIsToldAndTheRowStays)
{
    course.write("elsewhere/Ivan4.wav", WavHead);
    ASSERT_TRUE(session
                    .markDone(4, ExerciseKind::TrainerWithWait,
                              {0, 0, course.filePath("elsewhere/Ivan4.wav")})
                    .isEmpty());
    TFormReport report(session);
    MessageAnswers messages;
    QStringList& said = messages.said;
    whenModal([&](QWidget*) {
        QListWidget* list = report.ListBoxReport;
        const int row = rowOfEntry(list, 4);
        list->setCurrentRow(row);
        QTest::mouseClick(report.BtnImgDeleteFile, Qt::LeftButton);
        EXPECT_EQ(list->item(row)->text(), Seven + "Перевод - Выполнено");
        EXPECT_TRUE(list->item(row)->data(TFormReport::DoneRole).toBool());
        clickButton(&report, "Закрыть");
    });
    report.execute(EntriesD);
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].startsWith("Внимание|")) << said[0].toStdString();
    EXPECT_TRUE(said[0].contains("elsewhere")) << said[0].toStdString();
    EXPECT_TRUE(QFile::exists(course.filePath("elsewhere/Ivan4.wav")));
    EXPECT_TRUE(session.isDone(4));
}

namespace {
struct Played {
    QString mode;
    int entry = 0;
    QString recording;
    bool consoleHidden = false;
};
} // namespace

TEST_F(ReportWindows, ConsoleShowsMemoryForTheCurrentUserAndFilesForOthersAndWritesNothing)
{
    // Ivan's file no longer says what memory holds; Olga's is cut short.
    ASSERT_FALSE(WriteProgress(ivanFolder() + "Ivan.rep", ProgressTable(6)));
    course.write("Report/Olga/Olga.rep", course.read("Report/Olga/Olga.rep").left(300));
    const QStringList files{"Users.eng", "Report/Ivan/Ivan.rep", "Report/Olga/Olga.rep"};
    QList<QByteArray> before;
    for (const QString& file : files)
        before << course.read(file);

    std::vector<Played> played;
    TFormPrepod* console = nullptr;
    ConsoleCourse consoleCourse{
        [](const QString& mode) { return mode == "D" ? EntriesD : EntriesC; },
        [&](const QString& mode, int entry, const QString& recording) {
            played.push_back({mode, entry, recording, !console->isVisible()});
        }};
    TFormPrepod prepod(session, consoleCourse);
    console = &prepod;
    EXPECT_EQ(prepod.windowTitle(), "Переподаватель");
    EXPECT_TRUE(prepod.CheckBoxChek->Checked());
    MessageAnswers messages;
    QStringList& said = messages.said;
    whenModal([&](QWidget* window) {
        ASSERT_EQ(window, &prepod);
        EXPECT_EQ(rows(prepod.ListBoxUsers), (QStringList{"Ivan - Режим D", "Olga - Режим C"}));
        EXPECT_EQ(prepod.EditPassword->text(), "p1");
        EXPECT_TRUE(prepod.EditPassword->isReadOnly());
        QListWidget* report = prepod.ListBoxReport;
        EXPECT_EQ(report->item(rowOfEntry(report, 3))->text(),
                  Seven + "Вопросы - Выполнено, Ошибок - 28%");
        EXPECT_FALSE(prepod.BitBtnPlay->isEnabled());
        for (int entry : {3, 5}) {
            report->setCurrentRow(rowOfEntry(report, entry));
            EXPECT_FALSE(prepod.BitBtnPlay->isEnabled()) << entry;
        }
        report->setCurrentRow(rowOfEntry(report, 4));
        ASSERT_TRUE(prepod.BitBtnPlay->isEnabled());
        QTest::mouseClick(prepod.BitBtnPlay, Qt::LeftButton);
        EXPECT_TRUE(prepod.isVisible());
        // A recording that is gone is told, and nothing plays.
        QFile::remove(ivanFolder() + "Ivan4.wav");
        EXPECT_TRUE(prepod.BitBtnPlay->isEnabled()) << "the same row after playing";
        QTest::mouseClick(prepod.BitBtnPlay, Qt::LeftButton);
        // Olga's short file: the rows it can, and a message naming the file.
        prepod.ListBoxUsers->setCurrentRow(1);
        EXPECT_EQ(prepod.EditPassword->text(), "");
        EXPECT_EQ(rows(report), (QStringList{"   Раздел: Урок 1", Seven + "Слушать - Не выполнено",
                                             Seven + "Перевод - Не выполнено"}));
        clickButton(&prepod, "Выход");
    });
    EXPECT_EQ(execDialog(prepod), DialogResult::OK);
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].mode, "D");
    EXPECT_EQ(played[0].entry, 4);
    EXPECT_EQ(played[0].recording, ivanFolder() + "Ivan4.wav");
    EXPECT_TRUE(played[0].consoleHidden);
    ASSERT_EQ(said.size(), 2) << said.join("\n").toStdString();
    EXPECT_TRUE(said[0].startsWith("Ошибка|") && said[0].contains("Ivan4.wav"))
        << said[0].toStdString();
    EXPECT_TRUE(said[1].contains("Olga.rep")) << said[1].toStdString();
    for (int i = 0; i < files.size(); ++i)
        EXPECT_EQ(course.read(files[i]), before[i]) << files[i].toStdString();
}

namespace {
struct Reviewed {
    QString user;
    int entry = 0;
    QString recording;
    bool keepsPass = false;
};

// Hooks that note every review opened and give a tip naming the entry.
PassReviewHooks notingHooks(std::vector<Reviewed>& reviewed)
{
    return {[&reviewed](QWidget*, const UserRecord& user, int entry, const QString& recording,
                        bool keepsPass) {
                reviewed.push_back({user.name(), entry, recording, keepsPass});
            },
            [](const UserRecord& user, int entry, const QString&) {
                return QStringLiteral("Речь %1 %2").arg(user.name()).arg(entry);
            }};
}

// As the mouse does it: a click, then the second press that makes it double.
void doubleClickRow(QListWidget* list, int row)
{
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}
} // namespace

TEST_F(ReportWindows, DoneRecordingsShowTheirFiguresAndOpenTheirReview)
{
    std::vector<Reviewed> reviewed;
    TFormReport report(session);
    report.setPassReview(notingHooks(reviewed));
    whenModal([&](QWidget*) {
        QListWidget* list = report.ListBoxReport;
        report.resize(640, 480);
        EXPECT_EQ(list->item(rowOfEntry(list, 4))->toolTip(), "Речь Ivan 4");
        EXPECT_EQ(list->item(rowOfEntry(list, 4))->text(), Seven + "Перевод - Выполнено");
        // Questions, a listening kept with a name but never recorded, a lexicon not done.
        for (int entry : {3, 5, 2}) {
            EXPECT_EQ(list->item(rowOfEntry(list, entry))->toolTip(), "") << entry;
            doubleClickRow(list, rowOfEntry(list, entry));
        }
        EXPECT_TRUE(reviewed.empty());
        doubleClickRow(list, rowOfEntry(list, 4));
        ASSERT_EQ(reviewed.size(), 1u);
        // Taken back, the row is no longer a pass to review.
        QTest::mouseClick(report.BtnImgDeleteFile, Qt::LeftButton);
        EXPECT_EQ(list->item(rowOfEntry(list, 4))->toolTip(), "");
        doubleClickRow(list, rowOfEntry(list, 4));
        clickButton(&report, "Закрыть");
    });
    report.execute(EntriesD);
    ASSERT_EQ(reviewed.size(), 1u);
    EXPECT_EQ(reviewed[0].user, "Ivan");
    EXPECT_EQ(reviewed[0].entry, 4);
    EXPECT_EQ(reviewed[0].recording, ivanFolder() + "Ivan4.wav");
    EXPECT_TRUE(reviewed[0].keepsPass);

    reviewed.clear();
    ConsoleCourse consoleCourse{
        [](const QString& mode) { return mode == "D" ? EntriesD : EntriesC; },
        {},
        notingHooks(reviewed)};
    ASSERT_TRUE(
        session.markDone(4, ExerciseKind::TrainerWithWait, {0, 0, ivanFolder() + "Ivan4.wav"})
            .isEmpty());
    TFormPrepod prepod(session, consoleCourse);
    whenModal([&](QWidget*) {
        QListWidget* list = prepod.ListBoxReport;
        EXPECT_EQ(list->item(rowOfEntry(list, 4))->toolTip(), "Речь Ivan 4");
        doubleClickRow(list, rowOfEntry(list, 3));
        doubleClickRow(list, rowOfEntry(list, 4));
        clickButton(&prepod, "Выход");
    });
    execDialog(prepod);
    ASSERT_EQ(reviewed.size(), 1u);
    EXPECT_EQ(reviewed[0].entry, 4);
    EXPECT_FALSE(reviewed[0].keepsPass) << "the console only reads";
}

TEST(ReportConsole, WithoutUsersTheListsStayEmptyAndNothingNeedsAUser)
{
    TempCourse course;
    UserSession session;
    session.loadUserList();
    TFormPrepod prepod(session, {});
    whenModal([&](QWidget*) {
        EXPECT_EQ(prepod.ListBoxUsers->count(), 0);
        EXPECT_EQ(prepod.ListBoxReport->count(), 0);
        EXPECT_FALSE(prepod.BitBtnPlay->isEnabled());
        EXPECT_FALSE(prepod.BitBtn3->isEnabled());
        clickButton(&prepod, "Выход");
    });
    prepod.exec();
}

namespace {
class TeacherPassword : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    }
    void TearDown() override { EXPECT_TRUE(modalActionsDone()); }

    // The prompt: the help context it has while shown, the text typed, the button.
    void prompt(const QString& typed, const QString& button)
    {
        whenModal([=, this](QWidget* window) {
            contextSeen = helpContextOf(window);
            QTest::keyClicks(password.EditPassWord, typed);
            clickButton(window, button);
        });
    }

    QTemporaryDir settings;
    TDlgPassWord password;
    int contextSeen = -1;
};
} // namespace

TEST_F(TeacherPassword, OpenUntilSetThenOnlyWithTheExactPassword)
{
    EXPECT_TRUE(teacherLogin(password)) << "no password: no prompt";
    EXPECT_EQ(helpContextOf(&password), 0);

    TDlgChPassPrep change;
    MessageAnswers messages;
    QStringList& said = messages.said;
    whenModal([&](QWidget* window) {
        ASSERT_EQ(window, &change);
        EXPECT_EQ(change.windowTitle(), "Изменить преподавательский пароль");
        auto confirm = [&] { clickButton(&change, "Подтверждние"); };
        confirm();
        QTest::keyClicks(change.Edit1, "Secret");
        confirm();
        QTest::keyClicks(change.Edit2, "secret");
        confirm();
        EXPECT_TRUE(change.isVisible()) << "stays open while a check fails";
        change.Edit2->clear();
        QTest::keyClicks(change.Edit2, "Secret");
        confirm();
    });
    EXPECT_EQ(execDialog(change), DialogResult::OK);
    EXPECT_EQ(said, (QStringList{"Ошибка|Не введен пароль.", "Ошибка|Пароль не подтвержден.",
                                 "Ошибка|Пароль и подтверждение не индентичны"}));
    EXPECT_EQ(storedTeacherPassword(), "Secret");
    const QString file =
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Quillfern", "TolvarenDemo")
            .fileName();
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_TRUE(QFile::permissions(file) & QFile::ReadOwner);
    EXPECT_FALSE(QFile::permissions(file) & others) << "only its owner reads the password";

    said.clear();
    prompt("secret", "OK");
    EXPECT_FALSE(teacherLogin(password)) << "letter case counts";
    EXPECT_EQ(said, QStringList{"Ошибка|Неправильный пароль"});
    EXPECT_EQ(contextSeen, 90);
    EXPECT_EQ(helpContextOf(&password), 0);

    prompt("Secret", "Отмена");
    EXPECT_FALSE(teacherLogin(password));
    EXPECT_EQ(helpContextOf(&password), 0);

    prompt("Secret", "OK");
    EXPECT_TRUE(teacherLogin(password));
    EXPECT_EQ(helpContextOf(&password), 0);

    // A cancelled change keeps the password; a shown dialog starts empty.
    whenModal([&](QWidget*) {
        EXPECT_TRUE(change.Edit1->text().isEmpty());
        QTest::keyClicks(change.Edit1, "x");
        clickButton(&change, "Отмена");
    });
    change.exec();
    EXPECT_EQ(storedTeacherPassword(), "Secret");
}

namespace {
struct PdfWord {
    int page = 0;
    double x = 0;
    double y = 0;
    QString text;
};

// The words of a PDF with their page (from 1) and top-left corner in points.
std::vector<PdfWord> pdfWords(const QString& pdf, int* pages)
{
    QProcess tool;
    tool.start("pdftotext", {"-bbox", pdf, "-"});
    EXPECT_TRUE(tool.waitForFinished(30000)) << "pdftotext (poppler-utils) is needed";
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    std::vector<PdfWord> words;
    *pages = 0;
    static const QRegularExpression item(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re");
    for (auto it = item.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        if (match.captured(0).startsWith("<page"))
            ++*pages;
        else
            words.push_back({*pages, match.captured(1).toDouble(), match.captured(2).toDouble(),
                             match.captured(3)});
    }
    return words;
}
} // namespace

TEST(ReportPrinting, APdfHoldsTheTextsOnThePagesAndPlacesTheLayoutGave)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setFullPage(true);
    QList<ReportEntry> entries;
    for (int lesson = 1; lesson <= 30; ++lesson)
        entries << ReportEntry{QString("Урок %1").arg(lesson), ExerciseKind::Heading}
                << ReportEntry{QString("Лексика%1").arg(lesson), ExerciseKind::LexiconPreview}
                << ReportEntry{QString("Вопросы%1").arg(lesson), ExerciseKind::Questions};
    ReportPrintInput input{printer.width(),
                           printer.height(),
                           "Иван",
                           "B",
                           QDateTime(QDate(2026, 12, 7), QTime(9, 5)),
                           entries,
                           ProgressTable(int(entries.size())),
                           false};
    input.progress.record(3).setDone(true);
    input.progress.record(3).setResult(14);
    const QList<PrintPage> layout = reportPrintLayout(input);
    ASSERT_TRUE(printReportPages(printer, layout));

    // TOLVAREN_SCREENSHOTS=folder keeps the printed report to look at.
    if (const QString keep = qEnvironmentVariable("TOLVAREN_SCREENSHOTS"); !keep.isEmpty())
        QFile::copy(pdf, QDir(keep).filePath("report.pdf"));
    int pages = 0;
    const std::vector<PdfWord> words = pdfWords(pdf, &pages);
    ASSERT_GE(layout.size(), 2);
    EXPECT_EQ(pages, layout.size());
    const double scale = 72.0 / printer.resolution();
    // Where the model put a text, the PDF has its first word, within 3 points;
    // leading spaces move the word right by at most half a cell height each.
    auto near = [&](int page, const PrintText& text) {
        const QString first = text.text.simplified().section(' ', 0, 0);
        const qsizetype spaces = text.text.indexOf(first);
        const double left = text.x * scale;
        const double right = left + spaces * text.fontHeight * 0.5 * scale;
        for (const PdfWord& word : words)
            if (word.page == page && word.text == first && word.x > left - 3 &&
                word.x < right + 3 && std::abs(word.y - text.y * scale) < 3)
                return true;
        return false;
    };
    int checked = 0;
    for (int page = 1; page <= layout.size(); ++page)
        for (const PrintText& text : layout[page - 1].texts) {
            if (text.text.trimmed().isEmpty())
                continue;
            EXPECT_TRUE(near(page, text)) << page << ": " << text.text.toStdString();
            ++checked;
        }
    EXPECT_GT(checked, 100);
}

namespace {
// The private print queue that scripts/test starts (scripts/print-server):
// a PDF printer that writes each job into a folder of its own.
struct PrintQueue {
    QString name = qEnvironmentVariable("TOLVAREN_PRINTER");
    QString out = qEnvironmentVariable("TOLVAREN_PRINT_OUT");

    static QString lpstat(const QStringList& arguments)
    {
        QProcess tool;
        tool.start("lpstat", arguments);
        EXPECT_TRUE(tool.waitForFinished(10000));
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }
    // Every job the queue has taken, printed or not.
    qsizetype jobs() const
    {
        return lpstat({"-W", "all", "-o", name}).split('\n', Qt::SkipEmptyParts).size();
    }
    // True once no job waits or prints; false after a minute.
    bool waitIdle() const
    {
        for (QDeadlineTimer deadline(60000); !lpstat({"-o", name}).isEmpty(); QThread::msleep(200))
            if (deadline.hasExpired())
                return false;
        return true;
    }
    QStringList pdfs() const { return QDir(out).entryList({"*.pdf"}, QDir::Files); }
};

int pdfPages(const QString& pdf)
{
    QProcess tool;
    tool.start("pdfinfo", {pdf});
    EXPECT_TRUE(tool.waitForFinished(30000)) << "pdfinfo (poppler-utils) is needed";
    static const QRegularExpression pages(R"(\nPages:\s+(\d+))");
    return pages.match(QString::fromLocal8Bit(tool.readAllStandardOutput())).captured(1).toInt();
}

// The print dialog's own button: the dialog's language may differ.
void pressPrintDialog(QWidget* dialog, QDialogButtonBox::StandardButton which)
{
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    ASSERT_TRUE(buttons && buttons->button(which)) << dialog->metaObject()->className();
    buttons->button(which)->click();
}
} // namespace

TEST(ReportPrinting, TheConsolePrintsALongReportOnAPrintQueueAndACancelledDialogPrintsNothing)
{
    const PrintQueue queue;
    if (queue.name.isEmpty())
        GTEST_SKIP() << "no print queue: scripts/test starts one with scripts/print-server, "
                        "which needs root";
    QList<ReportEntry> entries;
    for (int lesson = 1; lesson <= 30; ++lesson)
        entries << ReportEntry{QString("Урок %1").arg(lesson), ExerciseKind::Heading}
                << ReportEntry{QString("Лексика%1").arg(lesson), ExerciseKind::LexiconPreview};
    TempCourse course;
    course.writeLines("InitRegD.txt", QStringList(entries.size(), "e"));
    UserSession session;
    session.loadUserList();
    session.addUser({"Ivan", "", "", defaultProgressPath(course.path(), "Ivan"), "D"});
    TFormPrepod prepod(session, {[&](const QString&) { return entries; }, {}});
    const qsizetype jobsBefore = queue.jobs();
    const QStringList pdfsBefore = queue.pdfs();
    qsizetype pages = 0;
    whenModal([&](QWidget*) {
        QTest::mouseClick(prepod.CheckBoxChek, Qt::LeftButton); // every row, done or not
        whenModal([](QWidget* dialog) { pressPrintDialog(dialog, QDialogButtonBox::Cancel); });
        QTest::mouseClick(prepod.BitBtn3, Qt::LeftButton);
        EXPECT_EQ(queue.jobs(), jobsBefore) << "a cancelled dialog prints nothing";
        whenModal([&](QWidget* dialog) {
            QPrinter* printer = static_cast<QPrintDialog*>(dialog)->printer();
            EXPECT_EQ(printer->printerName(), queue.name);
            pressPrintDialog(dialog, QDialogButtonBox::Ok);
            pages =
                reportPrintLayout(prepod.printInput(printer->width(), printer->height())).size();
        });
        QTest::mouseClick(prepod.BitBtn3, Qt::LeftButton);
        clickButton(&prepod, "Выход");
    });
    prepod.exec();
    ASSERT_TRUE(queue.waitIdle()) << "the job did not print within a minute";
    EXPECT_EQ(queue.jobs(), jobsBefore + 1);
    QStringList printed = queue.pdfs();
    for (const QString& old : pdfsBefore)
        printed.removeAll(old);
    ASSERT_EQ(printed.size(), 1) << "in " << queue.out.toStdString();
    EXPECT_GE(pages, 2);
    EXPECT_EQ(pdfPages(QDir(queue.out).filePath(printed[0])), pages);
}

TEST(ReportPrinting, WithoutAnyPrinterTheTeacherIsToldAndNothingOpens)
{
    // No print server answers at this address, so the system has no printer.
    qputenv("CUPS_SERVER", QTemporaryDir().filePath("no-cups.sock").toLocal8Bit());
    TempCourse course;
    course.writeLines("InitRegD.txt", QStringList(6, "e"));
    UserSession session;
    session.loadUserList();
    session.addUser({"Ivan", "", "", defaultProgressPath(course.path(), "Ivan"), "D"});
    TFormPrepod prepod(session, {[](const QString&) { return EntriesD; }, {}});
    MessageAnswers messages;
    QStringList& said = messages.said;
    whenModal([&](QWidget*) {
        QTest::mouseClick(prepod.BitBtn3, Qt::LeftButton);
        clickButton(&prepod, "Выход");
    });
    prepod.exec();
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].startsWith("Ошибка|") && said[0].contains("принтер"))
        << said[0].toStdString();
    EXPECT_TRUE(modalActionsDone());
}
