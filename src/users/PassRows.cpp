#include "users/PassRows.h"

#include <QListWidget>

QString reviewedRecording(const QList<ReportEntry>& entries, const ProgressTable& progress,
                          int entry)
{
    if (!progress.isEntry(entry) || entry < 1 || entry > entries.size())
        return {};
    const ProgressRecord& record = progress.record(entry);
    return record.done() && recordsVoice(entries.at(entry - 1).kind) ? record.text() : QString();
}

void setPassTips(QListWidget& list, int entryRole, const QList<ReportEntry>& entries,
                 const ProgressTable& progress, const UserRecord& user,
                 const PassReviewHooks& hooks)
{
    if (!hooks.figures)
        return;
    for (int row = 0; row < list.count(); ++row) {
        QListWidgetItem* item = list.item(row);
        const int entry = item->data(entryRole).toInt();
        const QString recording = reviewedRecording(entries, progress, entry);
        if (!recording.isEmpty())
            item->setToolTip(hooks.figures(user, entry, recording));
    }
}
