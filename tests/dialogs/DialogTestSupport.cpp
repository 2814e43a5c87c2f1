#include "DialogTestSupport.h"

#include <QDataStream>
#include <QDialog>
#include <QEvent>
#include <QIODevice>
#include <QTimer>

ShowCounter::ShowCounter(QDialog* dialog) : dialog_(dialog)
{
    dialog->installEventFilter(this);
}

bool ShowCounter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == dialog_ && event->type() == QEvent::Show) {
        ++shows;
        QTimer::singleShot(0, dialog_, &QDialog::accept);
    }
    return false;
}

QByteArray silentWav(int ms)
{
    const quint32 rate = 22050;
    const quint32 dataBytes = rate * 2 * quint32(ms) / 1000;
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << rate << rate * 2 << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    wav.append(QByteArray(int(dataBytes), '\0'));
    return wav;
}
