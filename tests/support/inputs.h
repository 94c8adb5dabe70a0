#pragma once

// Real-data tests read their inputs from the configured build folders. A missing input is a
// failure, never a skip: a suite that skips silently would pass without testing anything.
#include <QFileInfo>
#include <QString>

#include <gtest/gtest.h>

#define ASSERT_INPUT_EXISTS(path)                                                                  \
    ASSERT_TRUE(QFileInfo::exists(path)) << "missing test input " << qPrintable(QString(path))     \
                                         << ": build the project (the data generator) first"
