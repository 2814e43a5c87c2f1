// A second program on a course folder, for the test of two programs working at
// once: adds users, marks their progress, deletes every other one.
// Usage: session_worker COURSE PREFIX ROUNDS
#include "users/UserSession.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace {
bool told(const QList<CourseError>& messages)
{
    for (const CourseError& message : messages)
        std::fprintf(stderr, "%s\n", qPrintable(message.userText()));
    return !messages.isEmpty();
}

int indexOfName(const UserSession& session, const QString& name)
{
    return session.users().indexOfName(name);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || !QDir::setCurrent(args[1]))
        return 2;
    const QString prefix = args[2];
    UserSession session;
    if (told(session.loadUserList()))
        return 1;
    for (int round = 0; round < args[3].toInt(); ++round) {
        const QString name = prefix + QString::number(round);
        const auto added =
            session.addUser({name, "", "", defaultProgressPath(QDir::currentPath(), name), "A"});
        if (told(added.messages) || !added.index)
            return 1;
        if (told(session.changeUser(indexOfName(session, name))) ||
            told(session.markDone(1, ExerciseKind::LexiconPreview, {})))
            return 1;
        if (round % 2 == 1 &&
            told(session.deleteUser(indexOfName(session, prefix + QString::number(round - 1)))))
            return 1;
    }
    return told(session.close()) ? 1 : 0;
}
