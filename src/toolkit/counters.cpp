// Conversion of counter and range text to integers and back.
#include "toolkit/counters.h"

#include <cstdint>
#include <limits>

namespace toolkit {

namespace {

std::string ConversionMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString();
}

}  // namespace

ConversionError::ConversionError(const QString& text)
    : std::runtime_error(ConversionMessage(text)) {}

QString ConversionError::message() const {
    return QString::fromUtf8(what());
}

int StrToInt(const QString& text) {
    QString::size_type position = 0;
    bool negative = false;
    if (position < text.size() && (text[position] == u'+' || text[position] == u'-')) {
        negative = text[position] == u'-';
        ++position;
    }
    if (position == text.size()) {
        throw ConversionError(text);
    }
    // The magnitude is checked against the limit before every step, so even a very long
    // run of digits never overflows; the negative limit is one larger than the positive one.
    const std::int64_t limit = negative
                                   ? -static_cast<std::int64_t>(std::numeric_limits<int>::min())
                                   : std::numeric_limits<int>::max();
    std::int64_t magnitude = 0;
    for (; position < text.size(); ++position) {
        const char16_t character = text[position].unicode();
        if (character < u'0' || character > u'9') {
            throw ConversionError(text);
        }
        magnitude = magnitude * 10 + (character - u'0');
        if (magnitude > limit) {
            throw ConversionError(text);
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

QString IntToStr(int value) {
    return QString::number(value);
}

}  // namespace toolkit
