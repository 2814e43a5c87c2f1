#include "app/AppImages.h"

#include "widgets/PicturePaths.h"
#include "widgets/Pictures.h"

#include <algorithm>

QIcon toolBarImage(int index)
{
    static const char* const paths[] = {pictures::toolNewUser, pictures::toolSelectUser,
                                        pictures::toolTeacher, pictures::toolExecute,
                                        pictures::toolReport,  pictures::toolExit};
    return QIcon(renderSvg(QString::fromLatin1(paths[std::clamp(index, 0, 5)]), QSize(32, 32)));
}

QIcon treeImage(TreeImage image)
{
    static const char* const paths[TreeImageCount] = {pictures::treeHeading, pictures::treeToDo,
                                                      pictures::treeDone};
    return QIcon(renderSvg(QString::fromLatin1(paths[int(image)]), QSize(16, 16)));
}

QPixmap splashPicture(QSize size)
{
    return renderSvg(QString::fromLatin1(pictures::splash), size);
}
