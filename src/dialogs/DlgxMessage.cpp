#include "dialogs/DlgxMessage.h"

#include "dialogs/DlgMessage.h"
#include "dialogs/SharedDialogs.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/Look.h"
#include "widgets/Memo.h"
#include "widgets/PicturePaths.h"
#include "widgets/Pictures.h"

#include <QLabel>
#include <QPainter>

int iconPictureIndex(int iconCode)
{
    const int high = (iconCode & 0xff) >> 4;
    return high >= 1 && high <= 4 ? high - 1 : 3;
}

TDlgxMessage::TDlgxMessage(QWidget* parent)
    : TDlgFrame({379, 211}, QString(), parent), ImageIcon(new QLabel(this)),
      MemoMess(new TMemo(this)),
      BtnImgD1QF1(makeButton(QStringLiteral("OK"), {198, 166}, DialogResult::OK))
{
    setObjectName(QStringLiteral("DlgxMessage"));
    ImageIcon->setObjectName(QStringLiteral("ImageIcon"));
    ImageIcon->setGeometry(toWindow({86, 16, 32, 32}));

    setTextArea({134, 16, 229, 135});
    MemoMess->setObjectName(QStringLiteral("MemoMess"));
    MemoMess->setGeometry(toWindow(textArea()));
    MemoMess->setFittedFont(look::arial(15));
    MemoMess->SetAlignment(Qt::AlignHCenter);

    BtnImgD1QF1->setObjectName(QStringLiteral("BtnImgD1QF1"));
    BtnImgD1QF1->SetDefault(true);
}

void TDlgxMessage::setMessage(const QString& text, const QString& caption, int iconCode)
{
    // Drawn for the first message: the window is made at the start, and many
    // runs of the program never show a message.
    if (ImageListIcon.isEmpty())
        for (const char* path : {pictures::iconError, pictures::iconQuestion, pictures::iconWarning,
                                 pictures::iconInformation})
            ImageListIcon.append(renderSvg(QString::fromLatin1(path), {32, 32}));
    iconIndex_ = iconPictureIndex(iconCode);
    QPixmap icon(ImageIcon->size());
    icon.fill(palette().color(QPalette::Button));
    QPainter(&icon).drawPixmap(0, 0, ImageListIcon[iconIndex_]);
    ImageIcon->setPixmap(icon);
    MemoMess->Clear();
    MemoMess->Add(text);
    SetCaption(caption);
}

TDlgxMessage* DlgxMessage()
{
    return sharedDialog<TDlgxMessage>();
}

void ShowDlgMessage(const QString& text, const QString& caption, MessageIcon icon)
{
    TDlgxMessage* dialog = DlgxMessage();
    dialog->setMessage(text, caption, int(icon));
    dialog->exec();
}

void showFileProblems(const QStringList& texts, FileFault weight, const QString& caption)
{
    const bool error = weight == FileFault::Error;
    const QString shownCaption = !caption.isEmpty() ? caption
                                 : error            ? QStringLiteral("Ошибка")
                                                    : QStringLiteral("Внимание");
    for (const QString& text : texts)
        ShowDlgMessage(text, shownCaption, error ? MessageIcon::Error : MessageIcon::Warning);
}

void showFileProblems(const QList<CourseError>& faults, FileFault weight, const QString& caption)
{
    showFileProblems(userTexts(faults), weight, caption);
}
