// Reading the user list and a student's start through the user switch, with 3
// and with 300 students on the list (each with a folder and a progress file of
// a 50-entry catalogue), the way a class's machines start on one course folder:
//   users_bench [--benchmark_...]
#include "users/UserSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {
constexpr int Entries = 50;

// One course folder per class size, made once and kept for the whole run.
const QString& classFolder(int students)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    static std::map<int, QString> paths;
    if (auto found = paths.find(students); found != paths.end())
        return found->second;
    auto dir = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(dir->path());
    QDir().mkpath(QStringLiteral("Report"));
    QFile catalogue(QStringLiteral("InitRegA.txt"));
    catalogue.open(QIODevice::WriteOnly);
    for (int entry = 1; entry <= Entries; ++entry)
        catalogue.write(
            QStringLiteral("Exercise %1\t1\t1\t0\t\t1\t\t\t\t\t\r\n").arg(entry).toLatin1());
    catalogue.close();
    UserSession session;
    session.loadUserList();
    for (int i = 0; i < students; ++i) {
        const QString name = QStringLiteral("Student%1").arg(i);
        session.addUser({name, "", "", defaultProgressPath(dir->path(), name), "A"});
    }
    paths[students] = dir->path();
    folders[students] = std::move(dir);
    return paths[students];
}

void ReadUserList(benchmark::State& state)
{
    QDir::setCurrent(classFolder(int(state.range(0))));
    for (auto _ : state) {
        UserListLoad load = LoadUserList();
        benchmark::DoNotOptimize(load.table.count());
    }
}
BENCHMARK(ReadUserList)->Arg(3)->Arg(300)->Unit(benchmark::kMicrosecond);

// What a machine of the class does at start: the list is read, the student
// chosen (its progress locked and read), and at the end written and unlocked.
void StartAsStudent(benchmark::State& state)
{
    const int students = int(state.range(0));
    QDir::setCurrent(classFolder(students));
    for (auto _ : state) {
        UserSession session;
        session.loadUserList();
        session.changeUser(students / 2);
        session.markDone(1, ExerciseKind::LexiconPreview, {});
        benchmark::DoNotOptimize(session.close());
    }
}
BENCHMARK(StartAsStudent)->Arg(3)->Arg(300)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
