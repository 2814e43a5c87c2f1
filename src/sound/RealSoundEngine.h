#pragma once

#include "sound/SinkFeeder.h"
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

// The sound device through Qt Multimedia: libsndfile decodes the file,
// QAudioSink is fed the bytes of the range and then silence until the range
// has been played, from a thread of its own (SinkFeeder); QAudioSource
// records into the file as the samples come. The play position is what the
// device reports as played, not what was handed to it, so that what the
// windows highlight is what is heard, and at a slower tempo it is that time
// scaled back to the file's; the recording position is what the
// device is capturing now, not what has reached the file, so that a
// recording holds at position p what was heard at p.
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
    void setTempo(int percent) override { tempo_ = percent; }
    void halt() override;
    int save() override;
    void moved(const QString& path) override { path_ = path; }
    float takeInputPeak() override;

private:
    FeedRange feedRange(qint64 from, qint64 to, const QAudioFormat& format);
    bool rangeTaken() const;
    void checkPlayEnd();
    bool stalled(qint64 progress);
    void sinkStateChanged();
    void finishPlay(int error);
    void releaseSink();
    qint64 recordedFrame() const;
    void checkRecordEnd();
    bool writeInput(qint64 lastFrame);
    void notePeak(qint64 frames);
    void sourceStateChanged();
    void finishRecording(int error, qint64 frame);
    void stopRecording(qint64 frame);
    void releaseSource();
    int closeRecordingFile();

    QString path_;
    SoundFileInfo info_;
    std::unique_ptr<SoundReader> reader_;
    qint64 position_ = 0; // while neither playing nor recording

    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<SinkFeeder> feeder_; // while sink_ plays
    qint64 from_ = 0;
    qint64 to_ = 0;
    int tempo_ = 100;
    int playTempo_ = 100;  // the tempo of the play under way
    qint64 feedUs_ = 0;    // how long the range's frames play
    qint64 feedBytes_ = 0; // the same in the sink's format
    qint64 takenSlackBytes_ = 0;
    QTimer endTimer_; // a play's end, or a recording's
    qint64 lastProgress_ = -1;
    QElapsedTimer sinceProgress_;

    std::unique_ptr<QAudioSource> source_;
    QPointer<QIODevice> input_; // the source deletes it when the server dies
    std::unique_ptr<RecordingFile> recording_;
    QAudioFormat recordFormat_;
    QByteArray partialFrame_;
    qint64 startFrame_ = 0; // where the file stood when the device started
    qint64 limitFrame_ = 0;
    float inputPeak_ = 0; // since the last takeInputPeak
};
