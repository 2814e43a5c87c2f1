#pragma once

#include <QByteArray>

class QFile;

// Reads an open file to its end, or its first `most` bytes, as the file
// server holds it now. A network file system keeps a file's size for a while
// (sshfs, NFS), and so does QFile once asked; reads that stop at a kept size
// would return a list rewritten longer by another machine a moment ago short,
// and it would be written back without the users it gained. So the server is
// asked for the size again, and the file is read until the reads end.
QByteArray readFresh(QFile& file, qint64 most = -1);
