#include "widgets/AccessibleControls.h"

#include "widgets/ChBxImgTransD1QF.h"
#include "widgets/PrgssBarQF.h"

#include <QAccessibleWidget>

namespace {

class CheckBoxAccessible : public QAccessibleWidget {
public:
    explicit CheckBoxAccessible(TChBxImgTransD1QF* box)
        : QAccessibleWidget(box, box->Radio() ? QAccessible::RadioButton : QAccessible::CheckBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        QString said = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && said.isEmpty())
            said = box()->Caption();
        return said;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = box()->Checked();
        // The box's own Enabled greys it and stops it toggling.
        s.disabled = s.disabled || !box()->Enabled();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{box()->Radio() ? pressAction() : toggleAction()} +
               QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction() || action == toggleAction())
            box()->click();
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        if (action == pressAction() || action == toggleAction())
            return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    TChBxImgTransD1QF* box() const { return static_cast<TChBxImgTransD1QF*>(widget()); }
};

class ProgressAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ProgressAccessible(TPrgssBarQF* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        QString said = QAccessibleWidget::text(t);
        if (t == QAccessible::Value && said.isEmpty())
            said = QStringLiteral("%1 %").arg(percent());
        return said;
    }

    QVariant currentValue() const override { return bar()->Position(); }
    // The bar shows what the program does; nobody sets it from outside.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return bar()->Max(); }
    QVariant minimumValue() const override { return bar()->Min(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    TPrgssBarQF* bar() const { return static_cast<TPrgssBarQF*>(widget()); }
    int percent() const
    {
        const int span = bar()->Max() - bar()->Min();
        return span < 1 ? 0 : (bar()->Position() - bar()->Min()) * 100 / span;
    }
};

QAccessibleInterface* accessibleControl(const QString& className, QObject* object)
{
    if (className == QLatin1String("TChBxImgTransD1QF"))
        return new CheckBoxAccessible(static_cast<TChBxImgTransD1QF*>(object));
    if (className == QLatin1String("TPrgssBarQF"))
        return new ProgressAccessible(static_cast<TPrgssBarQF*>(object));
    if (className == QLatin1String("ChoiceGroup"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    return nullptr;
}

} // namespace

void installAccessibleControls()
{
    static const bool installed = (QAccessible::installFactory(&accessibleControl), true);
    Q_UNUSED(installed);
}

ChoiceGroup::ChoiceGroup(const QString& name, QWidget* parent) : QWidget(parent)
{
    installAccessibleControls();
    setAccessibleName(name);
}
