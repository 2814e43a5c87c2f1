#include "users/FormReport.h"

#include "dialogs/DlgMessage.h"
#include "users/UserDialogs.h"
#include "users/UserSession.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ButtonPictures.h"
#include "widgets/HelpContext.h"
#include "widgets/Look.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {
constexpr int RowHeight = 18;

// Rows of a fixed height, the text 2 pixels from the left at the row's top,
// bold when the exercise is done.
class ReportRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect,
                          option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        QFont font = option.font;
        font.setBold(index.data(TFormReport::DoneRole).toBool());
        painter->setFont(font);
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                          index.data(Qt::DisplayRole).toString());
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), RowHeight};
    }
};
} // namespace

TFormReport::TFormReport(UserSession& session, QWidget* parent)
    : QDialog(parent), ListBoxReport(new QListWidget(this)),
      BtnImgDeleteFile(new TBtnImgTransD1QF(this)),
      BtnImgD1QF1(
          makeDialogButton(QStringLiteral("Помошь"), TBtnImgD1QF::ButtonKind::Custom, this)),
      BtnImgClose(makeDialogButton(QStringLiteral("Закрыть"), TBtnImgD1QF::ButtonKind::OK, this)),
      session_(session)
{
    setWindowTitle(QStringLiteral("Отчет"));
    setDialogBackground(this);
    setHelpContext(this, 70);

    ListBoxReport->setObjectName(QStringLiteral("ListBoxReport"));
    ListBoxReport->setFont(look::arial(16));
    ListBoxReport->setItemDelegate(new ReportRowDelegate(ListBoxReport));
    ListBoxReport->setUniformItemSizes(true);
    ListBoxReport->setAccessibleName(QStringLiteral("Отчет"));
    QPalette white = ListBoxReport->palette();
    white.setColor(QPalette::Base, Qt::white);
    ListBoxReport->setPalette(white);

    BtnImgDeleteFile->setObjectName(QStringLiteral("BtnImgDeleteFile"));
    BtnImgDeleteFile->setText(QStringLiteral("Удалить звуковй файл"));
    dressButton(*BtnImgDeleteFile,
                labelButtonPictures(QStringLiteral("Удалить звуковй файл"), {200, 35}));
    BtnImgDeleteFile->setEnabled(false);

    connect(ListBoxReport, &QListWidget::currentRowChanged, this, &TFormReport::ListBoxReportClick);
    connect(ListBoxReport, &QListWidget::itemDoubleClicked, this,
            &TFormReport::ListBoxReportDblClick);
    connect(BtnImgDeleteFile, &TBtnImgTransD1QF::clicked, this, &TFormReport::BitBtn1Click);
    connect(BtnImgD1QF1, &QPushButton::clicked, this, &TFormReport::BtnImgD1QF1Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtnImgDeleteFile);
    buttons->addStretch();
    buttons->addWidget(BtnImgD1QF1);
    buttons->addWidget(BtnImgClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(ListBoxReport);
    layout->addLayout(buttons);
    resize(640, 480);
}

DialogResult TFormReport::execute(const QList<ReportEntry>& entries)
{
    entries_ = entries;
    ListBoxReport->clear();
    for (const ReportRow& row : reportRows(entries_, session_.progress())) {
        auto* item = new QListWidgetItem(row.text, ListBoxReport);
        item->setData(EntryRole, row.entry);
        item->setData(DoneRole, session_.isDone(row.entry));
    }
    setPassTips(*ListBoxReport, EntryRole, entries_, session_.progress(), *session_.currentUser(),
                passReview_);
    return execDialog(*this);
}

int TFormReport::entryOfRow(int row) const
{
    const QListWidgetItem* item = ListBoxReport->item(row);
    return item ? item->data(EntryRole).toInt() : 0;
}

ExerciseKind TFormReport::kindOfRow(int row) const
{
    const int entry = entryOfRow(row);
    return entry >= 1 && entry <= entries_.size() ? entries_.at(entry - 1).kind
                                                  : ExerciseKind::Heading;
}

void TFormReport::ListBoxReportClick()
{
    const int row = ListBoxReport->currentRow();
    BtnImgDeleteFile->setEnabled(session_.isDone(entryOfRow(row)) && recordsVoice(kindOfRow(row)));
}

void TFormReport::BitBtn1Click()
{
    const int row = ListBoxReport->currentRow();
    const int entry = entryOfRow(row);
    if (entry == 0)
        return;
    showFileProblems(session_.takeBackRecording(entry, kindOfRow(row)), FileFault::Warning);
    showRow(row);
}

void TFormReport::showRow(int row)
{
    QListWidgetItem* item = ListBoxReport->item(row);
    const int entry = entryOfRow(row);
    if (auto line = reportLine(entries_.at(entry - 1), session_.progress().record(entry)))
        item->setText(*line);
    item->setData(DoneRole, session_.isDone(entry));
    if (reviewedRecording(entries_, session_.progress(), entry).isEmpty())
        item->setToolTip({});
}

void TFormReport::ListBoxReportDblClick(QListWidgetItem* item)
{
    const int entry = item->data(EntryRole).toInt();
    const QString recording = reviewedRecording(entries_, session_.progress(), entry);
    if (!recording.isEmpty() && passReview_.open)
        passReview_.open(this, *session_.currentUser(), entry, recording, true);
}

void TFormReport::BtnImgD1QF1Click()
{
    showHelpTopic(QStringLiteral("Report"));
}
