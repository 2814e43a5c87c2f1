#include "app/AppStart.h"

#include "app/Catalogue.h"
#include "common/CourseError.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <memory>

namespace {

const QLatin1String CourseFolderKey("CourseFolder");
const QLatin1String Modes("ABCD");

std::unique_ptr<QSettings> userSettings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Quillfern"), QStringLiteral("TolvarenDemo"));
}

bool isCatalogue(const QString& relativePath)
{
    for (QChar mode : Modes)
        if (relativePath == catalogueFileName(mode))
            return true;
    return false;
}

bool copyMissing(const QDir& from, const QDir& to, const QString& relative, QString* message)
{
    const QString target = to.filePath(relative);
    if (QFileInfo::exists(target))
        return true;
    if (QDir().mkpath(QFileInfo(target).path()) && QFile::copy(from.filePath(relative), target))
        return true;
    *message = CourseError{QDir::toNativeSeparators(target), 0,
                           QStringLiteral("не удалось скопировать учебный курс в папку \"%1\"")
                               .arg(QDir::toNativeSeparators(to.path()))}
                   .userText();
    return false;
}

} // namespace

StartOptions parseStartOptions(const QStringList& arguments)
{
    StartOptions options;
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--no-splash"))
            options.splash = false;
        else if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            options.action = StartOptions::Action::Help;
        else if (argument == QLatin1String("--version"))
            options.action = StartOptions::Action::Version;
        else if (argument == QLatin1String("--check"))
            options.action = StartOptions::Action::Check;
        else if (argument.startsWith(QLatin1String("--")) || !options.courseFolder.isEmpty())
            options.error = QStringLiteral("Неизвестный параметр: %1").arg(argument);
        else
            options.courseFolder = argument;
    }
    if (options.action == StartOptions::Action::Check && options.courseFolder.isEmpty())
        options.error = QStringLiteral("Не указана папка курса для проверки");
    return options;
}

QString usageText()
{
    return QStringLiteral(
        "Использование: tolvaren [--no-splash] [ПАПКА_КУРСА]\n"
        "Курс немецкого языка на слух для говорящих по-русски.\n"
        "\n"
        "  ПАПКА_КУРСА   папка с каталогами InitRegA.txt ... InitRegD.txt; без неё\n"
        "                берётся текущая папка, если в ней есть курс, иначе папка\n"
        "                прошлого запуска, иначе копия учебного курса в\n"
        "                ~/.local/share/tolvaren/demo-course\n"
        "  --no-splash   запуск без заставки и музыки\n"
        "  --check ПАПКА_КУРСА\n"
        "                проверить курс: прочитать каталоги и все файлы, которые они\n"
        "                называют, и вывести ошибки по одной в строке как\n"
        "                «файл:строка: что не так»; код выхода 0, если ошибок нет,\n"
        "                1, если они есть, 2 при неверных параметрах\n"
        "  --align [--kind lesson|lexicon|questions|statements] [--voice ГОЛОС]\n"
        "          [--force] ЗАПИСЬ ТЕКСТ [РАЗМЕТКА]\n"
        "                найти по записи начало и конец каждой строки текста и\n"
        "                записать файл времени курса (без РАЗМЕТКИ — на стандартный\n"
        "                вывод); код выхода 0, 1, если границы некоторых строк\n"
        "                сомнительны, 2 при неверных параметрах или данных\n"
        "  --help        показать эту справку и выйти\n"
        "  --version     показать версию и выйти\n");
}

QString versionText()
{
    return QStringLiteral("tolvaren " TOLVAREN_VERSION "\n");
}

bool holdsCourse(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    const QDir dir(folder);
    for (QChar mode : Modes)
        if (!QFileInfo(dir.filePath(catalogueFileName(mode))).isFile())
            return false;
    return true;
}

CourseChoice chooseCourseFolder(const CoursePlaces& places)
{
    if (!places.commandLine.isEmpty())
        return {places.commandLine};
    for (const QString& folder : {places.startFolder, places.remembered, places.userDemo})
        if (holdsCourse(folder))
            return {folder};
    if (holdsCourse(places.installedDemo))
        return {places.userDemo, true};
    return {};
}

bool copyCourse(const QString& from, const QString& to, QString* message)
{
    const QDir source(from);
    QStringList files;
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << source.relativeFilePath(it.next());
    // The catalogues last: only a finished copy holds a course.
    std::stable_partition(files.begin(), files.end(),
                          [](const QString& file) { return !isCatalogue(file); });
    for (const QString& file : files)
        if (!copyMissing(source, QDir(to), file, message))
            return false;
    return true;
}

CoursePlaces coursePlaces(const QString& commandLine)
{
    CoursePlaces places;
    places.commandLine = commandLine;
    places.startFolder = QDir::currentPath();
    places.remembered = userSettings()->value(CourseFolderKey).toString();
    // Installed as share/tolvaren/demo-course beside the program's bin/ folder;
    // the build tree has the same shape, so a built program finds it too.
    const QDir installed(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/" TOLVAREN_DATA_FROM_BIN "/demo-course"));
    if (installed.exists())
        places.installedDemo = installed.canonicalPath();
    places.userDemo = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                      QStringLiteral("/tolvaren/demo-course");
    return places;
}

bool openCourseFolder(const QString& commandLine, bool* demoCopied, QString* message)
{
    const CoursePlaces places = coursePlaces(commandLine);
    const CourseChoice choice = chooseCourseFolder(places);
    *demoCopied = false;
    if (choice.folder.isEmpty()) {
        *message = QStringLiteral("Курс не найден: в папке \"%1\" нет каталогов "
                                  "InitRegA.txt ... InitRegD.txt, а учебный курс не установлен.")
                       .arg(QDir::toNativeSeparators(places.startFolder));
        return false;
    }
    if (choice.copyDemo && !copyCourse(places.installedDemo, choice.folder, message))
        return false;
    if (!QDir::setCurrent(choice.folder)) {
        *message = QStringLiteral("Папка курса \"%1\" не найдена").arg(choice.folder);
        return false;
    }
    *demoCopied = choice.copyDemo;
    // Written only when it changed: rewriting the settings file flushes it to disk.
    if (QDir::currentPath() != places.remembered)
        userSettings()->setValue(CourseFolderKey, QDir::currentPath());
    return true;
}

QString demoCopiedText(const QString& folder)
{
    return QStringLiteral("Для вас подготовлен учебный курс: он скопирован в папку «%1».\n"
                          "Эта копия будет открываться при следующих запусках.")
        .arg(QDir::toNativeSeparators(folder));
}
