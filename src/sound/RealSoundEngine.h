#pragma once

#include "sound/SoundEngine.h"
#include "sound/SoundFile.h"

#include <QAudioFormat>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

class QAudioSink;
class QAudioSource;
class QIODevice;
class RangeFeed;

// The sound device through Qt Multimedia: libsndfile decodes the file,
// QAudioSink plays the bytes of the range and nothing beyond, QAudioSource
// records into the file as the samples come. The position is what the
// device reports as played, not what was handed to it, so that what the
// windows highlight is what is heard.
class RealSoundEngine : public QObject, public SoundEngine {
public:
    RealSoundEngine();
    ~RealSoundEngine() override;

    int open(const QString& path) override;
    void close() override;
    qint64 length() const override;
    qint64 position() const override;
    int play(qint64 from, qint64 to) override;
    int record(qint64 from, qint64 to) override;
    void halt() override;
    int save() override;

private:
    qint64 playedMs() const;
    void checkPlayEnd();
    void sinkStateChanged();
    void finishPlay(int error);
    void releaseSink();
    void drainInput();
    bool writeInput();
    void sourceStateChanged();
    void finishRecording(int error);
    void releaseSource();
    int closeRecordingFile();

    QString path_;
    SoundFileInfo info_;
    std::unique_ptr<SoundReader> reader_;
    qint64 position_ = 0; // while neither playing nor recording

    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<RangeFeed> feed_;
    qint64 from_ = 0;
    qint64 to_ = 0;
    qint64 feedUs_ = 0; // duration of the frames handed to the sink
    QTimer endTimer_;
    qint64 lastPlayed_ = -1;
    QElapsedTimer sinceProgress_;

    std::unique_ptr<QAudioSource> source_;
    QPointer<QIODevice> input_; // the source deletes it when the server dies
    std::unique_ptr<RecordingFile> recording_;
    QAudioFormat recordFormat_;
    QByteArray partialFrame_;
    qint64 limitFrame_ = 0;
};
