// Whole-process start against a reference program, run in turns so both see
// the same load on the machine.
//   start_bench [--runs=N] [--entries=N] [--course=DIR]
// With --entries the program opens a made course of N entries and is set
// against plain_tree on the same catalogues; without it the program opens the
// course folder (the demo course by default) against empty_window and against
// the same window drawing text (empty_window --text). Each run
// lasts from the start until the process says "idle"; at that moment its CPU
// time (all threads, from /proc) and its peak memory are read, then it is
// ended. Prints the median with min-max of each and the ratios of the medians.
#include "BenchCourse.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

struct Run {
    double wallMs = 0;
    double cpuMs = 0;
    double peakMiB = 0;
};

// CPU time of every thread of a process, in ms.
double cpuMsOf(pid_t pid)
{
    double ns = 0;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        std::ifstream stat((tasks + u'/' + task + QStringLiteral("/schedstat")).toStdString());
        double onCpu = 0;
        stat >> onCpu;
        ns += onCpu;
    }
    return ns / 1e6;
}

double peakMiBOf(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

bool waitForIdle(int fd)
{
    std::string seen;
    pollfd wait{fd, POLLIN, 0};
    char buffer[256];
    while (seen.find("idle\n") == std::string::npos) {
        if (poll(&wait, 1, 60000) <= 0)
            return false;
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        seen.append(buffer, size_t(got));
    }
    return true;
}

bool runOnce(const std::vector<std::string>& command, Run* run)
{
    int out[2];
    if (pipe(out) != 0)
        return false;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        std::vector<char*> argv;
        for (const std::string& part : command)
            argv.push_back(const_cast<char*>(part.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    const bool idle = waitForIdle(out[0]);
    run->wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run->cpuMs = cpuMsOf(pid);
    run->peakMiB = peakMiBOf(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    close(out[0]);
    return idle;
}

struct Summary {
    double median, low, high;
};

Summary summarise(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.front(), values.back()};
}

void print(const char* name, const char* unit, const std::vector<double>& values)
{
    const Summary s = summarise(values);
    std::printf("  %-8s %9.1f %s  (%.1f-%.1f)\n", name, s.median, unit, s.low, s.high);
}

struct Series {
    Series(std::string name, std::vector<std::string> command)
        : name(std::move(name)), command(std::move(command))
    {
    }
    std::string name;
    std::vector<std::string> command;
    std::vector<double> wall, cpu, peak;
    void add(const Run& run)
    {
        wall.push_back(run.wallMs);
        cpu.push_back(run.cpuMs);
        peak.push_back(run.peakMiB);
    }
    void report() const
    {
        std::printf("%s\n", name.c_str());
        print("wall", "ms ", wall);
        print("cpu", "ms ", cpu);
        print("peak", "MiB", peak);
    }
};

std::string option(const QStringList& arguments, const QString& name, const QString& fallback)
{
    for (const QString& argument : arguments)
        if (argument.startsWith(name + u'='))
            return argument.mid(name.size() + 1).toStdString();
    return fallback.toStdString();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const int runs = std::stoi(option(arguments, QStringLiteral("--runs"), QStringLiteral("11")));
    const int entries =
        std::stoi(option(arguments, QStringLiteral("--entries"), QStringLiteral("0")));
    QTemporaryDir home, course;
    std::string folder =
        option(arguments, QStringLiteral("--course"), QStringLiteral(DEMO_COURSE_DIR));
    if (entries > 0) {
        writeBenchCourse(course.path(), entries);
        folder = course.path().toStdString();
    }
    // The program remembers its course folder in the user's settings: a home
    // of its own keeps that away from the person running the benchmark.
    setenv("HOME", home.path().toLocal8Bit().constData(), 1);
    setenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit().constData(),
           1);
    setenv("TOLVAREN_REPORT_IDLE", "1", 1);
    if (!getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<Series> series{{"program", {TOLVAREN_BINARY, "--no-splash", folder}}};
    if (entries > 0)
        series.push_back({"plain_tree", {PLAIN_TREE_BINARY, folder}});
    else
        series.insert(series.end(), {{"empty_window", {EMPTY_WINDOW_BINARY}},
                                     {"text_window", {EMPTY_WINDOW_BINARY, "--text"}}});
    for (int i = 0; i < runs; ++i)
        for (Series& one : series) {
            Run run;
            if (!runOnce(one.command, &run)) {
                std::fprintf(stderr, "%s did not get to its idle window\n", one.name.c_str());
                return 1;
            }
            one.add(run);
        }
    std::printf("%d interleaved runs, %s\n", runs,
                entries > 0 ? (std::to_string(entries) + " entries").c_str() : folder.c_str());
    for (const Series& one : series)
        one.report();
    const auto ratio = [](const std::vector<double>& a, const std::vector<double>& b) {
        return summarise(a).median / summarise(b).median;
    };
    const Series& program = series.front();
    for (auto reference = series.begin() + 1; reference != series.end(); ++reference)
        std::printf("against %-12s wall x%.2f  cpu x%.2f  peak x%.2f\n", reference->name.c_str(),
                    ratio(program.wall, reference->wall), ratio(program.cpu, reference->cpu),
                    ratio(program.peak, reference->peak));
    return 0;
}
