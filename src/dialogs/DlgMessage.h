#pragma once

#include "common/CourseError.h"

#include <QString>
#include <QStringList>

// The pictures of the message window, by the icon codes of the system's
// message boxes.
enum class MessageIcon : int { Error = 16, Question = 32, Warning = 48, Information = 64 };

// The program's message window: text, caption and picture. Modal; returns
// when the user closed it.
void ShowDlgMessage(const QString& text, const QString& caption, MessageIcon icon);

// How much a fault in a file weighs: an error stopped what was asked; a
// warning tells what the program worked around and went on.
enum class FileFault { Error, Warning };

// Every fault in a file is told here, one message window per text (the text
// a CourseError gives, or a window's own fixed wording). An error shows the
// error picture under "Ошибка", a warning the warning picture under
// "Внимание"; a window whose faults have a caption of their own gives it.
void showFileProblems(const QStringList& texts, FileFault weight,
                      const QString& caption = QString());
void showFileProblems(const QList<CourseError>& faults, FileFault weight,
                      const QString& caption = QString());
