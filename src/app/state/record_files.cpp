#include "app/state/record_files.h"

#include <QDir>
#include <QThread>

#include <system_error>

namespace tessivo {

RecordFiles RecordFiles::open(const QString& folder) {
    RecordFiles files;
    files.folder = folder;
    const QDir dir(folder);
    if (!files.characters.open(dir.filePath(QStringLiteral("wwbb11.dat")))) {
        files.error = files.characters.errorString();
        return files;
    }
    if (!files.phrases.open(dir.filePath(QStringLiteral("wwbb11cz.dat")))) {
        files.error = files.phrases.errorString();
        files.characters.close();
    }
    return files;
}

RecordFilesAhead::RecordFilesAhead(const QString& folder) : folder_(folder) {
    // Qt takes the first thread that asks for its thread data as the main thread. Made before the
    // application object, this would otherwise race the worker's first QFile for that title.
    QThread::currentThread();
    try {
        opening_ = std::async(std::launch::async, [folder] { return RecordFiles::open(folder); });
    } catch (const std::system_error&) {
        // No thread to be had: take() opens them itself.
    }
}

RecordFilesAhead::~RecordFilesAhead() {
    if (opening_.valid()) opening_.wait();
}

RecordFiles RecordFilesAhead::take() {
    if (taken_) {
        RecordFiles none;
        none.folder = folder_;
        none.error = QStringLiteral("the record files of %1 were taken already").arg(folder_);
        return none;
    }
    taken_ = true;
    return opening_.valid() ? opening_.get() : RecordFiles::open(folder_);
}

}  // namespace tessivo
