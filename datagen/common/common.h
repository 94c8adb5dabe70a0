#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>
#include <string>

namespace tessivo::datagen {

// Raised for input the generator refuses (a missing package file, a record that does not
// encode, duplicate keys...). main() prints the message and exits non-zero without writing.
struct GenError : std::runtime_error {
    explicit GenError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// The 6,763 hanzi of GB2312 levels 1 and 2 (rows 0xB0..0xF7, cells 0xA1..0xFE, without
// 0xD7FA..0xD7FE), in code order, each as a one-character string.
const QStringList& gb2312Hanzi();

// Reads a whole UTF-8 text file; GenError naming the file (and the Debian/npm package that
// should provide it, when given) if it cannot be read.
QString readUtf8File(const QString& path, const QString& package = {});

// Writes `bytes` to `path` atomically (temporary file, then rename); GenError on failure.
void writeFileAtomically(const QString& path, const QByteArray& bytes);

// A tool's main: runs `body` and returns its exit status. A failure, the generator's own
// (GenError) or any other exception, becomes the line "<tool>: <what>" on stderr and status 1.
int runTool(const char* tool, const std::function<int()>& body);

// A progress line on stderr, rewritten in place: "label: n/total".
class Progress {
public:
    Progress(QString label, int total);
    void step(int n = 1);
    void done();

private:
    void print(bool force);
    QString label_;
    int total_;
    int count_ = 0;
    int lastPercent_ = -1;
};

}  // namespace tessivo::datagen
