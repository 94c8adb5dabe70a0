#include "platform/gbk_codec.h"

#include <gtest/gtest.h>

#include <thread>

using namespace tessivo;

TEST(GbkCodec, KeysAreSignedSixteenBitGbkCodes) {
    EXPECT_EQ(gbk::charKey(u"啊"), std::optional<std::int16_t>(0xB0A1 - 65536));
    EXPECT_EQ(gbk::charKey(u"啊中"), gbk::charKey(u"啊"));  // first character only
    EXPECT_EQ(gbk::charKey(u"a"), std::optional<std::int16_t>('a'));
    EXPECT_LT(*gbk::charKey(u"啊"), *gbk::charKey(u"中"));
    EXPECT_LT(*gbk::charKey(u"齄"), *gbk::charKey(u"a"));  // every double-byte key is negative
}

TEST(GbkCodec, RefusesWhatGbkCannotHold) {
    EXPECT_FALSE(gbk::encode(u"A😀B").has_value());
    EXPECT_FALSE(gbk::charKey(u"😀").has_value());
    EXPECT_FALSE(gbk::charKey(u"").has_value());
    EXPECT_EQ(gbk::encode(u"a?b"), QByteArray("a?b"));  // a real '?' is kept
}

TEST(GbkCodec, RefusesInvalidOrTruncatedBytes) {
    EXPECT_FALSE(gbk::decode("A\xB0").has_value());     // truncated double-byte character
    EXPECT_FALSE(gbk::decode("A\xFF" "B").has_value());  // not a GBK byte
    EXPECT_FALSE(gbk::decode("\xA1\x40").has_value());   // user-defined area
    EXPECT_EQ(gbk::decode("\xB0\xA1"), QStringLiteral("啊"));
}

TEST(GbkCodec, RoundTripsPunctuationUsedByTheInterface) {
    for (const QString& text : {QStringLiteral("↑↓【】“”★＋"), QStringLiteral("查询↓"), QStringLiteral("取消皮肤.urf")}) {
        const auto bytes = gbk::encode(text);
        ASSERT_TRUE(bytes.has_value()) << text.toStdString();
        EXPECT_EQ(gbk::decode(*bytes), text);
    }
}

TEST(GbkCodec, WhatIsWrittenReadsBackAndKeysAgree) {
    // The euro sign is GBK's one-byte 0x80: its key is that byte, read from text or from bytes,
    // so a record of it would be found.
    const auto euro = gbk::encode(u"€");
    ASSERT_EQ(euro, QByteArray("\x80"));
    EXPECT_EQ(gbk::charKey(u"€"), gbk::keyOfBytes(*euro));
    EXPECT_EQ(gbk::keyOfBytes(QByteArray("\x80\x20")), 0x80);
    EXPECT_EQ(gbk::keyOfBytes(QByteArray("\xB0\xA1")), gbk::charKey(u"啊"));
    // Private-use characters would get bytes that decode refuses: they are not written at all.
    EXPECT_FALSE(gbk::encode(QString(QChar(0xE202))).has_value());
    EXPECT_FALSE(gbk::encode(QStringLiteral("a") + QChar(0xE000)).has_value());
}

TEST(GbkCodec, ValidityCheckAgreesWithDecodingForEveryOneAndTwoByteText) {
    using namespace tessivo::gbk;
    // The check remembers verdicts per character, so it is asked twice: a wrong remembered
    // verdict would show on the second pass.
    for (int pass = 0; pass < 2; ++pass) {
        for (int b0 = 0; b0 < 256; ++b0) {
            const char one[] = {static_cast<char>(b0)};
            ASSERT_EQ(isValid(QByteArrayView(one, 1)), decode(QByteArrayView(one, 1)).has_value()) << b0;
            for (int b1 = 0; b1 < 256; ++b1) {
                const char two[] = {static_cast<char>(b0), static_cast<char>(b1)};
                ASSERT_EQ(isValid(QByteArrayView(two, 2)), decode(QByteArrayView(two, 2)).has_value()) << b0 << ' ' << b1;
            }
        }
    }
    // Longer texts: valid characters around an invalid one, and a lead byte cut off at the end.
    const QByteArray word = *encode(QStringLiteral("中文abc"));
    EXPECT_TRUE(isValid(word));
    EXPECT_FALSE(isValid(word + "\x81"));
    EXPECT_FALSE(isValid(QByteArray("\xD6\xD0\xA1\x20", 4)));
    EXPECT_TRUE(isValid(QByteArray("a\x80" "b", 3)));
    EXPECT_EQ(isValid(QByteArray("\xFF" "a", 2)), decode(QByteArray("\xFF" "a", 2)).has_value());
}

TEST(GbkCodec, VerdictsAreSharedSafelyByThreadsJudgingAtOnce) {
    using namespace tessivo::gbk;
    // Two threads judge every pair at once, the first call of the run among them: each verdict
    // matches decoding, whichever thread wrote it.
    const auto judgeAll = [] {
        for (int b0 = 0x80; b0 < 256; ++b0) {
            for (int b1 = 0; b1 < 256; ++b1) {
                const char two[] = {static_cast<char>(b0), static_cast<char>(b1)};
                ASSERT_EQ(isValid(QByteArrayView(two, 2)), decode(QByteArrayView(two, 2)).has_value()) << b0 << ' ' << b1;
            }
        }
    };
    std::thread first(judgeAll);
    std::thread second(judgeAll);
    first.join();
    second.join();
}
