#pragma once

#include <QIcon>
#include <QPixmap>

// Pictures of the course shell, rendered from our own drawings.

// Tool bar picture 0..5 (new user, select user, teacher, start, report, exit), 32 x 32.
QIcon toolBarImage(int index);
// The pictures of the course tree's nodes.
enum class TreeImage { Heading, ToDo, Done };
inline constexpr int TreeImageCount = 3;
// A tree node picture, 16 x 16.
QIcon treeImage(TreeImage image);
// The splash picture at the given size.
QPixmap splashPicture(QSize size);
