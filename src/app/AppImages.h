#pragma once

#include <QIcon>
#include <QPixmap>

// Pictures of the course shell, rendered from our own drawings.

// Tool bar picture 0..5 (new user, select user, teacher, start, report, exit), 32 x 32.
QIcon toolBarImage(int index);
// Tree node picture, 16 x 16: 0 heading, 1 exercise to do, 2 exercise done.
QIcon treeImage(int index);
// The splash picture at the given size.
QPixmap splashPicture(QSize size);
