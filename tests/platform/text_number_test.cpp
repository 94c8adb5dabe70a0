#include "platform/text_number.h"

#include <gtest/gtest.h>

using tessivo::leadingNumber;

TEST(LeadingNumber, SignAndDigitsAfterLeadingWhiteSpace) {
    EXPECT_EQ(leadingNumber(u"34"), 34);
    EXPECT_EQ(leadingNumber(u"-2"), -2);
    EXPECT_EQ(leadingNumber(u"+7"), 7);
    EXPECT_EQ(leadingNumber(u"  150"), 150);  // a right-aligned fill coordinate
    EXPECT_EQ(leadingNumber(u"\t 42\r\n"), 42);
    EXPECT_EQ(leadingNumber(u"0042"), 42);
}

TEST(LeadingNumber, StopsAtTheFirstCharacterThatIsNotADigit) {
    EXPECT_EQ(leadingNumber(u"12abc"), 12);
    EXPECT_EQ(leadingNumber(u"-2x"), -2);
    EXPECT_EQ(leadingNumber(u"15 30"), 15);
    EXPECT_EQ(leadingNumber(u"1.9"), 1);
    EXPECT_EQ(leadingNumber(u"１２"), 0);  // full-width digits are not digits here
}

TEST(LeadingNumber, NoDigitIsZero) {
    EXPECT_EQ(leadingNumber(u"abc"), 0);
    EXPECT_EQ(leadingNumber(u""), 0);
    EXPECT_EQ(leadingNumber(u"    "), 0);
    EXPECT_EQ(leadingNumber(u"-"), 0);
    EXPECT_EQ(leadingNumber(u"+ 12"), 0);  // the digits must follow the sign at once
    EXPECT_EQ(leadingNumber(u"--5"), 0);
}

TEST(LeadingNumber, HugeValuesAreHeldAtOneTrillion) {
    EXPECT_EQ(leadingNumber(u"999999999999"), 999'999'999'999LL);
    EXPECT_EQ(leadingNumber(u"1000000000000"), 1'000'000'000'000LL);
    EXPECT_EQ(leadingNumber(u"99999999999999999999"), 1'000'000'000'000LL);
    EXPECT_EQ(leadingNumber(u"-99999999999999999999"), -1'000'000'000'000LL);
}
