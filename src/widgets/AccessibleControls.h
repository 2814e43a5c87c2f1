#pragma once

#include <QWidget>

// Our picture controls tell a screen reader what they are, as Qt's own
// controls do: the check box its role (check box, or radio button when it is
// one of a group of choices), its name and whether it is checked; the
// progress bar its value; a choice group its name. The picture buttons need
// nothing of their own: they are Qt buttons whose text (never drawn) is
// their name and whose tool tip (the keys) their description.
//
// Installs the interfaces once; every control of ours calls it when made.
void installAccessibleControls();

// A plain container of choice boxes that a screen reader hears as a group
// under its accessible name, so that "1 of 4" and the group's name come with
// each choice. It draws nothing.
class ChoiceGroup : public QWidget {
    Q_OBJECT
public:
    ChoiceGroup(const QString& name, QWidget* parent);
};
