#include "app/ReviewLaunch.h"

#include "common/PassHistoryName.h"
#include "common/Paths.h"

#include <QFileInfo>

ReviewRequest reviewRequest(const CatalogueEntry& entry, const QString& dataFolder,
                            const QString& recording, const ReviewStudent& student)
{
    const CatalogueEntry files = prefixedEntry(entry, dataFolder);
    ReviewRequest request;
    request.lessonSound = files.SoundFile;
    request.lessonTiming = files.TimingFile;
    request.text = files.TextFile;
    request.recording = coursePath(recording);
    const QString studentTiming = replaceLastThree(request.recording, QStringLiteral("txt"));
    if (QFileInfo::exists(studentTiming))
        request.studentTiming = studentTiming;
    request.kind = entry.exerciseKind();
    request.student = student.name;
    if (!student.progressFile.isEmpty())
        request.historyFile = passHistoryName(coursePath(student.progressFile));
    request.keepsPass = student.keepsPass;
    request.exercise = {int(entry.Kind), entry.TextFile};
    return request;
}

QString passFiguresTip(const ReviewRequest& request)
{
    const PassRecord now = passRecordOf(request, {});
    if (!request.historyFile.isEmpty()) {
        const QList<PassRecord> passes = readPassHistory(request.historyFile).records;
        for (auto pass = passes.rbegin(); pass != passes.rend(); ++pass)
            if (pass->recording == now.recording && pass->recordingStamp == now.recordingStamp)
                return figuresText(*pass);
    }
    const ReviewMaterial material = loadReview(request);
    if (!material.recording)
        return {};
    return figuresText(material.figures);
}

std::optional<CourseError> keepFinishedPassOf(const ReviewRequest& request)
{
    if (!QFileInfo::exists(request.recording))
        return std::nullopt;
    const ReviewMaterial material = loadReview(request);
    if (!material.recording)
        return std::nullopt;
    return keepPass(request, material.figures);
}
