// Tests of the counter text conversion.
#include <gtest/gtest.h>

#include <climits>

#include "toolkit/counters.h"

namespace {

struct ValidText {
    const char* text;
    int value;
};

class StrToIntOfAWholeNumber : public testing::TestWithParam<ValidText> {};

TEST_P(StrToIntOfAWholeNumber, GivesItsValue) {
    EXPECT_EQ(toolkit::StrToInt(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Counters, StrToIntOfAWholeNumber,
    testing::Values(ValidText{"0", 0}, ValidText{"10", 10}, ValidText{"+7", 7}, ValidText{"-1", -1},
                    ValidText{"-0", 0}, ValidText{"007", 7},
                    ValidText{"0000000000000000000000042", 42}, ValidText{"2147483647", INT_MAX},
                    ValidText{"+2147483647", INT_MAX}, ValidText{"-2147483648", INT_MIN},
                    ValidText{"-02147483648", INT_MIN}));

class StrToIntOfOtherText : public testing::TestWithParam<const char*> {};

TEST_P(StrToIntOfOtherText, ThrowsTheConversionErrorNamingTheText) {
    const QString text = QString::fromUtf8(GetParam());
    try {
        toolkit::StrToInt(text);
        FAIL() << "no error for '" << GetParam() << "'";
    } catch (const toolkit::ConversionError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

INSTANTIATE_TEST_SUITE_P(Counters, StrToIntOfOtherText,
                         testing::Values("", "+", "-", "1.5", "1,5", " 1", "1 ", "1 2", "\t3",
                                         "--1", "+-1", "-+1", "1-", "1+", "12a", "abc", "0x10",
                                         "1e3",
                                         "\xD9\xA1\xD9\xA2",  // Arabic-Indic digits one and two
                                         "\xEF\xBC\x92",      // fullwidth digit two
                                         "2147483648", "-2147483649", "4294967296",
                                         "99999999999999999999", "-9223372036854775808",
                                         "18446744073709551617",
                                         "12345678901234567890123456789012345678901234567890"));

TEST(ConversionError, CarriesTheExactMessageInUtf8) {
    try {
        toolkit::StrToInt(QStringLiteral("12 м"));
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "'12 \xD0\xBC' is not a valid integer value");
    }
}

TEST(ConversionError, QuotesPercentSignsInTheTextLiterally) {
    try {
        toolkit::StrToInt(QStringLiteral("%1%2"));
        FAIL() << "no error";
    } catch (const toolkit::ConversionError& error) {
        EXPECT_STREQ(error.what(), "'%1%2' is not a valid integer value");
    }
}

struct NumberText {
    int value;
    const char* text;
};

class IntToStrOfANumber : public testing::TestWithParam<NumberText> {};

TEST_P(IntToStrOfANumber, IsPlainDecimalThatReadsBack) {
    const QString text = toolkit::IntToStr(GetParam().value);
    EXPECT_EQ(text, QString::fromLatin1(GetParam().text));
    EXPECT_EQ(toolkit::StrToInt(text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Counters, IntToStrOfANumber,
                         testing::Values(NumberText{0, "0"}, NumberText{10, "10"},
                                         NumberText{-1, "-1"}, NumberText{INT_MAX, "2147483647"},
                                         NumberText{INT_MIN, "-2147483648"}));

}  // namespace
