#pragma once

// What a screen reader learns of a window through Qt's accessibility
// interfaces: one row per object in the window's accessible tree, so that a
// test can hold a table of the controls it expects against it.
#include <QAccessible>
#include <QList>
#include <QString>

class QWidget;

struct AccessibleRow {
    QAccessible::Role role = QAccessible::NoRole;
    QString name;
    QString description;
    bool checked = false;
    bool focusable = false;

    bool operator==(const AccessibleRow&) const = default;
};

// Every object under the window, depth first, that is shown; hidden controls
// are left out as a screen reader leaves them.
QList<AccessibleRow> accessibleRows(QWidget* window);

// The first shown row of that role and name; a row with NoRole when there is none.
AccessibleRow accessibleRow(QWidget* window, QAccessible::Role role, const QString& name);

// Readable rows for a failure message.
std::string describeRows(const QList<AccessibleRow>& rows);
