#include "drills/FormQuestEnd.h"

#include "dialogs/SharedDialogs.h"
#include "widgets/FitText.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

namespace {
QLabel* addLabel(QWidget* parent, const QString& text, const QRect& area)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(area);
    return label;
}
} // namespace

TFormQuestEnd::TFormQuestEnd(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Результаты упражнения"));
    setFixedSize(553, 234);
    StringGridRes = new QTableWidget(GridRows, 3, this);
    StringGridRes->setGeometry(6, 6, 541, 160);
    StringGridRes->verticalHeader()->hide();
    StringGridRes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A table to read, not to pick from: no cell stands out as chosen. Tab
    // still reaches it, so that the arrows read it cell by cell.
    StringGridRes->setSelectionMode(QAbstractItemView::NoSelection);
    StringGridRes->setFocusPolicy(Qt::TabFocus);
    StringGridRes->setAccessibleName(QStringLiteral("Результаты упражнения"));
    StringGridRes->verticalHeader()->setDefaultSectionSize(20);
    // The statement column takes what the two answer columns leave, so that
    // the answers are in sight without scrolling sideways.
    StringGridRes->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    StringGridRes->setColumnWidth(1, 58);
    StringGridRes->setColumnWidth(2, 80);

    QLabel* total = addLabel(this, QStringLiteral("Всего вопросов:"), {10, 174, 150, 18});
    LabelCount = addLabel(this, QString(), {165, 174, 60, 18});
    QLabel* wrong = addLabel(this, QStringLiteral("Неправильных ответов:"), {10, 194, 150, 18});
    fitLabels({total, wrong}, font());
    LabelError = addLabel(this, QString(), {165, 194, 60, 18});
    LabelComent = addLabel(this, QString(), {10, 214, 300, 18});
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setDefault(true);
    BitBtn1->setGeometry(460, 190, 80, 28);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TFormQuestEnd* FormQuestEnd()
{
    return sharedDialog<TFormQuestEnd>();
}
