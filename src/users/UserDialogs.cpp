#include "users/UserDialogs.h"

#include "widgets/ButtonPictures.h"
#include "widgets/Look.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

TBtnImgD1QF* makeDialogButton(const QString& label, TBtnImgD1QF::ButtonKind kind, QWidget* parent)
{
    auto* button = new TBtnImgD1QF(parent);
    const QSize size(160, 35); // room for the longest label, "Подтверждние"
    dressButton(*button, labelButtonPictures(label, size));
    button->setFixedSize(size);
    button->SetCaption(label);
    button->SetKind(kind);
    button->SetDefault(kind == TBtnImgD1QF::ButtonKind::OK);
    return button;
}

QLineEdit* makePasswordEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setEchoMode(QLineEdit::Password);
    // The style's own mask is a dot; the course's dialogs show stars.
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    return edit;
}

void setDialogBackground(QWidget* dialog)
{
    look::fillBackground(dialog);
}

QStringList modeDescription(const QString& mode)
{
    if (mode == QLatin1String("A"))
        return {QStringLiteral("Для наиболее подготовленных пользователей. Тренажер по синхронному "
                               "переводу "),
                QStringLiteral("наиболее трудных текстов курса.")};
    if (mode == QLatin1String("B"))
        return {QStringLiteral("Для подготовленных пользователей. Тренажер по синхронному переводу "
                               "текстов "),
                QStringLiteral("средней трудности.")};
    if (mode == QLatin1String("C"))
        return {
            QStringLiteral("Для пользователей, ставящих задачу совершенствования восприятия на "
                           "слух "),
            QStringLiteral("немецкой речи. Будут проработаны все тексты курса и выполнены тесты "
                           "на "),
            QStringLiteral("понимание. Содержит элементы тренажера по синхронному переводу.")};
    return {QStringLiteral("Наиболее легкий режим. Предоставляет те же возможности, что и режим "
                           "C, но здесь "),
            QStringLiteral("пользователь перед каждым текстом проходит предварительную подготовку "
                           "по "),
            QStringLiteral("предстоящим лексическим трудностям.")};
}

QGroupBox* makeModeGroup(const QList<QRadioButton*>& radios, QWidget* parent)
{
    auto* group = new QGroupBox(QStringLiteral("Режим работы пользователя"), parent);
    auto* grid = new QGridLayout(group);
    for (int row = 0; row < radios.size(); ++row) {
        radios[row]->setParent(group);
        grid->addWidget(radios[row], row, 0, Qt::AlignTop);
        // The lines were cut for the classic font; as one paragraph they wrap
        // to whatever font the system gives.
        auto* description = new QLabel(modeDescription(radios[row]->text()).join(QString()), group);
        description->setWordWrap(true);
        description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(description, row, 1);
    }
    grid->setColumnStretch(1, 1);
    return group;
}
