#include "app/OKBottomDlgAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const char* const ProductText = "<h2>Tolvaren</h2>"
                                "<p>Курс немецкого языка на слух для говорящих по-русски.</p>"
                                "<p>Прослушивание текстов уроков, лексика, вопросы к тексту, "
                                "упражнения на синхронный перевод с записью голоса.</p>"
                                "<p>Версия 0.1</p>";

const char* const DevelopersText =
    "<h3>Разработчики</h3>"
    "<p>Программа: команда Tolvaren</p>"
    "<p>Тексты и озвучивание демонстрационного курса: команда Tolvaren</p>"
    "<p>Издатель: Quillfern</p>";

} // namespace

TOKBottomDlgAbout::TOKBottomDlgAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OKBottomDlgAbout"));
    setWindowTitle(QStringLiteral("О программе"));
    setFixedSize(420, 300);
    PageControl1 = new QTabWidget(this);
    product_ = new QLabel;
    developers_ = new QLabel;
    PageControl1->addTab(makePage(product_), QStringLiteral("О программе"));
    PageControl1->addTab(makePage(developers_), QStringLiteral("Разработчики"));
    (new QVBoxLayout(this))->addWidget(PageControl1);
}

void TOKBottomDlgAbout::setVisible(bool visible)
{
    if (visible && product_->text().isEmpty()) {
        product_->setText(QString::fromUtf8(ProductText));
        developers_->setText(QString::fromUtf8(DevelopersText));
    }
    QDialog::setVisible(visible);
}

QWidget* TOKBottomDlgAbout::makePage(QLabel* label)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    label->setParent(page);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    layout->addWidget(label, 1);
    auto* ok = new QPushButton(QStringLiteral("OK"), page);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
    return page;
}
