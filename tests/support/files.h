#pragma once

// Reading and writing whole files in tests.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace tessivo::testing {

// The file's bytes, or "<missing>" when it cannot be read.
inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

}  // namespace tessivo::testing
