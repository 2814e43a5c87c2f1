#include "users/FormPrepod.h"

#include "common/FileProblems.h"
#include "common/FileWatch.h"
#include "common/Paths.h"
#include "dialogs/DlgMessage.h"
#include "users/DlgChPassPrep.h"
#include "users/DlgPassWord.h"
#include "users/ReportPrinter.h"
#include "users/TeacherPassword.h"
#include "users/UserDialogs.h"
#include "users/UserSession.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ButtonPictures.h"
#include "widgets/ChBxImgTransD1QF.h"
#include "widgets/HelpContext.h"
#include "widgets/Look.h"

#include <QApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {
QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(look::arial(14, true));
    return label;
}

TBtnImgTransD1QF* pictureButton(const QString& label, QSize size, QWidget* parent)
{
    auto* button = new TBtnImgTransD1QF(parent);
    button->setText(label);
    dressButton(*button, labelButtonPictures(label, size));
    return button;
}
} // namespace

TFormPrepod::TFormPrepod(const UserSession& session, ConsoleCourse course, QWidget* parent)
    : QDialog(parent), ListBoxUsers(new QListWidget(this)), ListBoxReport(new QListWidget(this)),
      EditPassword(new QLineEdit(this)), DlgChPassPrep(new TDlgChPassPrep(this)), session_(session),
      course_(std::move(course)), progressWatch_(new FileWatch(this))
{
    setWindowTitle(QStringLiteral("Переподаватель"));
    setDialogBackground(this);
    setHelpContext(this, 60);
    ListBoxUsers->setObjectName(QStringLiteral("ListBoxUsers"));
    ListBoxUsers->setFont(look::arial(15));
    ListBoxReport->setObjectName(QStringLiteral("ListBoxReport"));
    ListBoxReport->setFont(look::arial(12));
    ListBoxReport->setUniformItemSizes(true);
    ListBoxReport->setStyleSheet(QStringLiteral("QListWidget::item { height: 15px; }"));
    // Named as the headings above them say.
    ListBoxUsers->setAccessibleName(QStringLiteral("Имя ученика"));
    ListBoxReport->setAccessibleName(QStringLiteral("Отчет ученика"));
    EditPassword->setAccessibleName(QStringLiteral("Пароль"));
    EditPassword->setObjectName(QStringLiteral("EditPassword"));
    EditPassword->setReadOnly(true);
    EditPassword->setFont(look::arial(15));
    makeButtons();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 12, 14, 12);
    grid->setHorizontalSpacing(14);
    grid->addWidget(heading(QStringLiteral("Имя ученика"), this), 0, 0);
    grid->addWidget(ListBoxUsers, 1, 0);
    grid->addWidget(heading(QStringLiteral("Пароль"), this), 2, 0);
    grid->addWidget(EditPassword, 3, 0);
    grid->addWidget(heading(QStringLiteral("Отчет ученика"), this), 0, 1);
    grid->addWidget(ListBoxReport, 1, 1, 3, 1);
    auto* print = new QHBoxLayout;
    print->addWidget(BitBtnPlay);
    print->addWidget(BitBtn3);
    print->addWidget(CheckBoxChek);
    print->addStretch();
    grid->addLayout(print, 4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn2);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtnClose);
    grid->addLayout(buttons, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    resize(900, 560);
}

void TFormPrepod::makeButtons()
{
    BitBtnPlay = pictureButton(QStringLiteral("Воспроизведение"), {170, 35}, this);
    BitBtn3 = pictureButton(QStringLiteral("Печать"), {110, 35}, this);
    CheckBoxChek = new TChBxImgTransD1QF(this);
    dressCheckBox(*CheckBoxChek);
    CheckBoxChek->SetCaption(QStringLiteral("Печать только выполненых"));
    CheckBoxChek->setFont(look::arial(14));
    CheckBoxChek->SetChecked(true);
    CheckBoxChek->setMinimumWidth(260);
    BitBtn2 = makeDialogButton(QStringLiteral("Изменить пароль\nпреподавателя"),
                               TBtnImgD1QF::ButtonKind::Custom, this);
    // Two lines of the face's lettering, which takes 3/7 of the face's height.
    dressButton(*BitBtn2, labelButtonPictures(BitBtn2->Caption(), {190, 38}));
    BitBtn2->setFixedSize(190, 38);
    BitBtn1 = makeDialogButton(QStringLiteral("Помощь"), TBtnImgD1QF::ButtonKind::Custom, this);
    BitBtnClose = makeDialogButton(QStringLiteral("Выход"), TBtnImgD1QF::ButtonKind::OK, this);
    BitBtnPlay->setEnabled(false);
    connect(ListBoxUsers, &QListWidget::currentRowChanged, this, &TFormPrepod::ListBoxUsersClick);
    connect(ListBoxReport, &QListWidget::currentRowChanged, this, &TFormPrepod::ListBoxReportClick);
    connect(ListBoxReport, &QListWidget::itemDoubleClicked, this,
            &TFormPrepod::ListBoxReportDblClick);
    connect(BitBtnPlay, &TBtnImgTransD1QF::clicked, this, &TFormPrepod::BitBtnPlayClick);
    connect(BitBtn3, &TBtnImgTransD1QF::clicked, this, &TFormPrepod::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormPrepod::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormPrepod::BitBtn1Click);
    connect(progressWatch_, &FileWatch::changed, this, &TFormPrepod::refreshReport);
}

void TFormPrepod::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Back from playing a recording the teacher finds the same user and row.
    if (!playing_)
        FormShow();
}

void TFormPrepod::FormShow()
{
    {
        const QSignalBlocker quiet(ListBoxUsers);
        ListBoxUsers->clear();
        for (int i = 0; i < session_.users().count(); ++i)
            ListBoxUsers->addItem(userRowText(session_.users().at(i)));
    }
    ListBoxUsers->setFocus();
    if (ListBoxUsers->count() > 0)
        ListBoxUsers->setCurrentRow(0); // runs ListBoxUsersClick
    else
        ListBoxUsersClick();
    BitBtnPlay->setEnabled(false);
}

void TFormPrepod::ListBoxUsersClick()
{
    const int user = ListBoxUsers->currentRow();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool chosen = user >= 0 && user < session_.users().count();
    EditPassword->setText(chosen ? session_.users().at(user).password() : QString());
    const QString problem = chosen ? loadProgress(user) : QString();
    if (!chosen) {
        entries_.clear();
        copy_ = ProgressTable();
    }
    BitBtnPlay->setEnabled(false);
    BitBtn3->setEnabled(chosen);
    {
        const QSignalBlocker quiet(ListBoxReport);
        ListBoxReport->clear();
        for (const ReportRow& row : reportRows(entries_, copy_)) {
            auto* item = new QListWidgetItem(row.text, ListBoxReport);
            item->setData(EntryRole, row.entry);
        }
        if (chosen)
            setPassTips(*ListBoxReport, EntryRole, entries_, copy_, session_.users().at(user),
                        course_.review);
    }
    QApplication::restoreOverrideCursor();
    if (!problem.isEmpty())
        ShowDlgMessage(problem, QStringLiteral("Внимание"), MessageIcon::Warning);
}

QString TFormPrepod::loadProgress(int user)
{
    const UserRecord& record = session_.users().at(user);
    entries_ = course_.entries ? course_.entries(record.mode()) : QList<ReportEntry>();
    // Progress of this run not yet written is in memory: the current named
    // user is shown from there, everyone else from the file.
    if (session_.holdsCurrentProgress(record)) {
        progressWatch_->watch({});
        copy_ = session_.progress();
        return {};
    }
    progressWatch_->watch(coursePath(record.progressFile()));
    ProgressRead read = ReadProgress(coursePath(record.progressFile()), int(entries_.size()));
    copy_ = read.table;
    return read.problem;
}

void TFormPrepod::refreshReport()
{
    const int user = ListBoxUsers->currentRow();
    if (!isVisible() || user < 0 || user >= session_.users().count())
        return;
    // A file caught missing or unreadable is looked at again at its next
    // change; the teacher was told when the user was chosen.
    const ProgressRead read =
        ReadProgress(coursePath(session_.users().at(user).progressFile()), int(entries_.size()));
    if (!read.problem.isEmpty() || read.table == copy_)
        return;
    copy_ = read.table;
    const QList<ReportRow> rows = reportRows(entries_, copy_);
    for (int i = 0; i < rows.size() && i < ListBoxReport->count(); ++i)
        if (ListBoxReport->item(i)->text() != rows[i].text)
            ListBoxReport->item(i)->setText(rows[i].text);
    ListBoxReportClick();
}

int TFormPrepod::selectedEntry() const
{
    const QListWidgetItem* item = ListBoxReport->currentItem();
    const int entry = item ? item->data(EntryRole).toInt() : 0;
    return copy_.isEntry(entry) && entry <= entries_.size() ? entry : 0;
}

void TFormPrepod::ListBoxReportClick()
{
    const int entry = selectedEntry();
    BitBtnPlay->setEnabled(entry > 0 && copy_.record(entry).done() &&
                           recordsVoice(entries_.at(entry - 1).kind) &&
                           !copy_.record(entry).text().isEmpty());
}

void TFormPrepod::BitBtnPlayClick()
{
    const int entry = selectedEntry();
    if (entry == 0 || !course_.play)
        return;
    const QString recording = copy_.record(entry).text();
    const QString path = coursePath(recording);
    if (!QFileInfo::exists(path) || isSpecialFile(path)) {
        const QString why = isSpecialFile(path) ? SpecialFileText : UnreadableFileText;
        showFileProblems({CourseError{recording, 0, why}.userText()}, FileFault::Error);
        return;
    }
    // Out of sight while the lesson plays, yet still running: the dialog's own
    // hide would end its modal loop and close the console.
    playing_ = true;
    QWidget::setVisible(false);
    course_.play(session_.users().at(ListBoxUsers->currentRow()).mode(), entry, recording);
    QWidget::setVisible(true);
    playing_ = false;
}

void TFormPrepod::ListBoxReportDblClick()
{
    const int entry = selectedEntry();
    const QString recording = reviewedRecording(entries_, copy_, entry);
    if (!recording.isEmpty() && course_.review.open)
        course_.review.open(this, session_.users().at(ListBoxUsers->currentRow()), entry, recording,
                            false);
}

void TFormPrepod::BitBtn1Click()
{
    showHelpTopic(QStringLiteral("Prepod"));
}

void TFormPrepod::BitBtn2Click()
{
    DlgChPassPrep->exec();
}

ReportPrintInput TFormPrepod::printInput(int pageWidth, int pageHeight) const
{
    const int user = ListBoxUsers->currentRow();
    const UserRecord& record = session_.users().at(user);
    return {
        pageWidth, pageHeight, record.name(),          record.mode(), QDateTime::currentDateTime(),
        entries_,  copy_,      CheckBoxChek->Checked()};
}

void TFormPrepod::BitBtn3Click()
{
    if (ListBoxUsers->currentRow() < 0)
        return;
    printWithMessages(this, [this](int pageWidth, int pageHeight) {
        return reportPrintLayout(printInput(pageWidth, pageHeight));
    });
}

void printWithMessages(QWidget* parent, const ReportLayout& layout)
{
    const PrintResult result = printReport(parent, layout);
    QString problem;
    switch (result.outcome) {
    case PrintResult::Outcome::Printed:
    case PrintResult::Outcome::Cancelled:
        return;
    case PrintResult::Outcome::NoPrinter:
        problem = QStringLiteral("В системе не установлен ни один принтер. Установите "
                                 "принтер и повторите печать.");
        break;
    case PrintResult::Outcome::Failed:
        problem = QStringLiteral("Не удалось начать печать на принтере \"%1\".").arg(result.detail);
        break;
    case PrintResult::Outcome::NoModule:
        problem = result.detail + QStringLiteral("\rПечать невозможна.");
        break;
    }
    ShowDlgMessage(problem, QStringLiteral("Ошибка"), MessageIcon::Error);
}

bool teacherLogin(TDlgPassWord& prompt)
{
    const QString stored = storedTeacherPassword();
    setHelpContext(&prompt, 90);
    bool open = stored.isEmpty();
    if (!open && execDialog(prompt) == DialogResult::OK) {
        open = prompt.password() == stored;
        if (!open)
            ShowDlgMessage(QStringLiteral("Неправильный пароль"), QStringLiteral("Ошибка"),
                           MessageIcon::Error);
    }
    setHelpContext(&prompt, 0);
    return open;
}
