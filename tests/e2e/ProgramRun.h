#pragma once

// The real program started as a separate process, and the X server it may
// show its windows on: what the whole-program tests share.
#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>

// A private X server for one test.
class XServer {
public:
    XServer();
    ~XServer();
    QString display() const { return display_; }

    // The titles of every window on the screen.
    QString windowList() const;

private:
    QProcess server_;
    QString display_;
};

// Waits until the window list shows the title; false after the time is up.
bool waitForTitle(const XServer& x, const QString& title, int timeoutMs);

// How the program is started beyond the platform: its arguments, the folder
// it starts in (the test's own when empty) and environment variables of its
// own, over the test's environment and a temporary home.
struct ProgramStart {
    QStringList arguments;
    QString workingFolder;
    QProcessEnvironment environment;
    // The largest file the program may write (ulimit -f), in bytes; none when negative.
    qint64 fileSizeLimit = -1;
};

class Program {
public:
    Program(const QString& course, const QString& platform, const QString& display = {},
            bool splash = false);
    Program(const ProgramStart& start, const QString& platform, const QString& display = {});
    ~Program();

    bool running();
    qint64 pid() const { return process_.processId(); }
    // True once the window waits for the user.
    bool waitForIdle(int timeoutMs = 20000);
    // Sends the signal (SIGTERM unless told) and expects an ordinary end with exit code 0.
    void terminateCleanly(int signal = SIGTERM);

private:
    QTemporaryDir home_;
    QProcess process_;
    QByteArray output_;
};
