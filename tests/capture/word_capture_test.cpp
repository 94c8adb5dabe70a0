#include "capture/word_capture.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tessivo::capture;

namespace {

// Records every set-up call; `failing` names the call that reports failure.
class RecordingCapture : public WordCapture {
public:
    std::vector<std::string> calls;
    std::string failing;

    bool setCaptureEnabled(bool enabled) override { return record(enabled ? "enabled:true" : "enabled:false"); }
    bool setCaptureMode(int mode) override { return record("mode:" + std::to_string(mode)); }
    bool setCaptureOption(int option) override { return record("option:" + std::to_string(option)); }
    std::optional<int> registerSink(WordCaptureSink* sink) override {
        sink_ = sink;
        if (!record("sink")) return std::nullopt;
        return 7;
    }
    WordCaptureSink* sink_ = nullptr;

private:
    bool record(const std::string& call) {
        calls.push_back(call);
        return call.rfind(failing, 0) != 0 || failing.empty();
    }
};

class NullSink : public WordCaptureSink {
public:
    bool queryWord(const QString&, int, int, const QString&, int, int) override { return true; }
};

}  // namespace

TEST(CaptureSetUp, CallsTheFourSetUpStepsInOrderWithTheirValues) {
    RecordingCapture capture;
    NullSink sink;
    EXPECT_TRUE(setUpCapture(capture, sink));
    EXPECT_EQ(capture.calls, (std::vector<std::string>{"enabled:true", "mode:3", "option:1", "sink"}));
    EXPECT_EQ(capture.sink_, &sink);
}

TEST(CaptureSetUp, AFailedStepIsReportedButTheLaterStepsStillRun) {
    for (const std::string failing : {"enabled", "mode", "option", "sink"}) {
        RecordingCapture capture;
        capture.failing = failing;
        NullSink sink;
        EXPECT_FALSE(setUpCapture(capture, sink)) << failing;
        EXPECT_EQ(capture.calls.size(), 4u) << failing;
        EXPECT_EQ(capture.sink_, &sink) << failing;
    }
}
