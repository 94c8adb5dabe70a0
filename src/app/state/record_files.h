#pragma once

#include "lookup/charcode_file.h"
#include "phrases/phrase_file.h"

#include <QString>

#include <future>

namespace tessivo {

// The two record files of a program folder, opened and checked together.
struct RecordFiles {
    QString folder;
    CharCodeFile characters;  // wwbb11.dat
    PhraseFile phrases;       // wwbb11cz.dat
    QString error;            // empty when both are open

    // Opens wwbb11.dat, then wwbb11cz.dat; the first failure leaves both closed and its message
    // in `error`.
    static RecordFiles open(const QString& folder);
};

// Opens the record files on a thread of its own from construction, so that a start can set up
// everything else meanwhile: checking them is the longest step before the window can show. It may
// be made before the application object, on the thread that will make it.
class RecordFilesAhead {
public:
    explicit RecordFilesAhead(const QString& folder);
    RecordFilesAhead(const RecordFilesAhead&) = delete;
    RecordFilesAhead& operator=(const RecordFilesAhead&) = delete;
    ~RecordFilesAhead();  // waits for the thread when the files were not taken

    const QString& folder() const { return folder_; }
    // The files, once their thread is done. Only the first call has them; later ones say so.
    RecordFiles take();

private:
    QString folder_;
    std::future<RecordFiles> opening_;
    bool taken_ = false;
};

}  // namespace tessivo
