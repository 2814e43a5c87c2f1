#include "MainWindowDriver.h"

#include <QSignalSpy>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

void showMainWindow(TFormMain& main)
{
    QSignalSpy finished(&main, &TFormMain::startupFinished);
    main.show();
    EXPECT_TRUE(finished.wait(5000)) << "the first show did not finish";
}

QTreeWidgetItem* nodeOfEntry(const TFormMain& main, int entry)
{
    for (QTreeWidgetItemIterator it(main.TreeView); *it; ++it)
        if ((*it)->data(0, TFormMain::EntryRole).toInt() == entry)
            return *it;
    ADD_FAILURE() << "no node for entry " << entry;
    return nullptr;
}

int imageOfEntry(const TFormMain& main, int entry)
{
    const QTreeWidgetItem* item = nodeOfEntry(main, entry);
    return item ? item->data(0, TFormMain::ImageRole).toInt() : -1;
}
