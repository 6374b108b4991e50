#include "views/export/AtomicFileWrite.h"

#include "views/export/ExportError.h"

#include <QFileInfo>
#include <QSaveFile>

namespace moravel {

namespace {

[[noreturn]] void fail(const QString& fileName, const QString& reason) {
    throw ExportError(QStringLiteral("Cannot save \"%1\": %2.").arg(QFileInfo(fileName).absoluteFilePath(), reason));
}

}  // namespace

// QSaveFile writes to a temporary file beside the target and renames it over
// the target at commit; it removes the temporary file when it is not
// committed. A write that stops short (the disk full, the size limit) is not
// an error to QSaveFile, and its commit would rename the shortened file into
// place: the rest is written until it goes or a write fails with the reason.
void WriteFileAtomically(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) fail(fileName, file.errorString());
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) fail(fileName, file.errorString());
        done += written;
    }
    if (!file.commit()) fail(fileName, file.errorString());
}

}  // namespace moravel
