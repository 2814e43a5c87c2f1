#pragma once

#include "app/FormMain.h"

#include <QTreeWidgetItem>

// Shows the main window and waits until its first show has finished.
void showMainWindow(TFormMain& main);

// The tree node of a catalogue entry; nullptr (and a test failure) when there is none.
QTreeWidgetItem* nodeOfEntry(const TFormMain& main, int entry);

// The picture a node shows: 0 heading, 1 to do, 2 done; -1 without a node.
int imageOfEntry(const TFormMain& main, int entry);
