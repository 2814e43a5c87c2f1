#pragma once

#include <QIcon>
#include <QPixmap>

// Pictures of the course shell, in one place so that the drawn pictures can
// replace these stand-ins without touching the windows.

// Tool bar picture 0..5 (new user, select user, teacher, start, report, exit).
QIcon toolBarImage(int index);
// Tree node picture: 0 heading, 1 exercise to do, 2 exercise done.
QIcon treeImage(int index);
// The splash picture at the given size.
QPixmap splashPicture(QSize size);
