#include "support/AccessibleRows.h"

#include <QAccessibleInterface>
#include <QWidget>

namespace {
void collect(QAccessibleInterface* node, QList<AccessibleRow>& rows, int depth)
{
    for (int i = 0; node && depth < 20 && i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child || child->state().invisible)
            continue;
        rows.append({child->role(), child->text(QAccessible::Name),
                     child->text(QAccessible::Description), bool(child->state().checked),
                     bool(child->state().focusable)});
        collect(child, rows, depth + 1);
    }
}
} // namespace

QList<AccessibleRow> accessibleRows(QWidget* window)
{
    QList<AccessibleRow> rows;
    collect(QAccessible::queryAccessibleInterface(window), rows, 0);
    return rows;
}

AccessibleRow accessibleRow(QWidget* window, QAccessible::Role role, const QString& name)
{
    for (const AccessibleRow& row : accessibleRows(window))
        if (row.role == role && row.name == name)
            return row;
    return {};
}

std::string describeRows(const QList<AccessibleRow>& rows)
{
    QString out;
    for (const AccessibleRow& row : rows)
        out += QStringLiteral("%1 \"%2\" \"%3\"%4\n")
                   .arg(int(row.role), 0, 16)
                   .arg(row.name, row.description,
                        row.checked ? QStringLiteral(" checked") : QString());
    return out.toStdString();
}
