#include "app/LaunchTable.h"

namespace {
const QString listened = QStringLiteral("Вы прослушали текст урока.");

LaunchSpec simple(LaunchOp op, const QString& outcome)
{
    LaunchSpec spec;
    spec.op = op;
    spec.outcomeText = outcome;
    return spec;
}

LaunchSpec trainer(int helpTopic, bool records)
{
    LaunchSpec spec = simple(LaunchOp::TransNoText, listened);
    spec.helpTopic = helpTopic;
    spec.records = records;
    spec.marking = Marking::Recording;
    return spec;
}
} // namespace

LaunchSpec launchSpecFor(int kind, QChar treeMode)
{
    const bool easyMode = treeMode == QLatin1Char('C') || treeMode == QLatin1Char('D');
    LaunchSpec spec;
    switch (kind) {
    case 1:
        return simple(LaunchOp::LexicDemo, QStringLiteral("Вы просмотрели лексику урока."));
    case 2:
        return simple(LaunchOp::Lexic, QStringLiteral("Вы успешно выполнили упражнение."));
    case 3:
        return simple(LaunchOp::QuestDemo, QStringLiteral("Вы просмотрели вопросы к тексту."));
    case 4:
        spec = trainer(0, true);
        spec.soundChecks = true;
        spec.textAllowed = easyMode;
        spec.outcomeText = QStringLiteral("Вы перевели текст.");
        return spec;
    case 5:
        return simple(LaunchOp::WorkText, workTextOutcome(false));
    case 6:
        spec = simple(LaunchOp::QuestDown, QString());
        spec.marking = Marking::ErrorPercent;
        return spec;
    case 7:
        spec = simple(LaunchOp::QuestTrFl, QString());
        spec.marking = Marking::Grade;
        return spec;
    case 8:
        spec = trainer(0, false);
        spec.textAllowed = easyMode;
        return spec;
    case 11:
        return trainer(110, false);
    case 12:
        spec = trainer(140, true);
        spec.waitAllowed = true;
        return spec;
    case 13:
        return trainer(150, true);
    case 14:
        spec = trainer(160, true);
        spec.transAllowed = true;
        return spec;
    case 15:
        spec = trainer(170, true);
        spec.textAllowed = true;
        return spec;
    default:
        return spec;
    }
}

QString workTextOutcome(bool withRecording)
{
    return withRecording ? QStringLiteral("Вы анализировали свой перевод") : listened;
}
