#pragma once

#include <QString>
#include <functional>

class QWidget;

// The windows' help context numbers, each an anchor of the help file.
namespace helpContext {
inline constexpr int MainWindow = 10;
inline constexpr int NewUser = 20;
inline constexpr int SelectUsers = 30;
inline constexpr int ChangeUser = 40;
inline constexpr int TeacherConsole = 60;
inline constexpr int Report = 70;
inline constexpr int TeacherPassword = 90;
inline constexpr int TrainerListening = 110;
inline constexpr int LessonText = 130;
inline constexpr int TrainerWithWait = 140;
inline constexpr int TrainerRecording = 150;
inline constexpr int TrainerWithTranslation = 160;
inline constexpr int TrainerWithText = 170;
inline constexpr int StudentRecording = 180;
} // namespace helpContext

// Help contexts and topics of windows. The help viewer lives with the main
// window; the controls only find the context or topic and hand it to the
// handlers the program set.
void setHelpContext(QWidget* window, int context);
// The context of the widget or of its nearest parent that has one; 0 if none.
int helpContextOf(const QWidget* widget);
// A window whose help is a named topic ("Lexic") rather than a context number.
void setHelpTopic(QWidget* window, const QString& topic);
void setHelpHandler(std::function<void(int context)> handler);
void setHelpTopicHandler(std::function<void(const QString& topic)> handler);
void showHelpContext(int context);
void showHelpTopic(const QString& topic);
// The help of the widget's nearest window (itself or a parent) that has a
// topic or a context; the start of the help when none has. F1 and the
// windows' help buttons open it.
void showHelpFor(const QWidget* widget);
