#include "ReservationText.h"

#include <cstdio>
#include <limits>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Formatted scanning over a byte string, for the two conversions the texts use.
// Values beyond 32 bits saturate instead of overflowing.
class Scanner {
public:
    explicit Scanner(const std::string& text) : text_(text) {}

    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    }

    // width 0: no limit.
    bool Int(size_t width, int32_t& out) {
        SkipBlanks();
        size_t limit = width == 0 ? text_.size() : std::min(text_.size(), pos_ + width);
        size_t p = pos_;
        bool negative = false;
        if (p < limit && (text_[p] == '+' || text_[p] == '-')) {
            negative = text_[p] == '-';
            ++p;
        }
        if (p >= limit || !IsDigit(text_[p])) return false;
        int64_t value = 0;
        for (; p < limit && IsDigit(text_[p]); ++p) {
            if (value <= std::numeric_limits<int32_t>::max()) value = value * 10 + (text_[p] - '0');
        }
        if (negative) value = -value;
        if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
        if (value < std::numeric_limits<int32_t>::min()) value = std::numeric_limits<int32_t>::min();
        out = static_cast<int32_t>(value);
        pos_ = p;
        return true;
    }

private:
    const std::string& text_;
    size_t pos_ = 0;
};

// One step of a format: a conversion of the given width into a field (nullptr:
// read and thrown away), or a blank.
struct Step {
    size_t width;              // 0: "%d"
    int32_t ReservationRecord::*field;
    bool blank;
};

constexpr Step Conv(size_t width, int32_t ReservationRecord::*field) { return {width, field, false}; }
constexpr Step Skip(size_t width) { return {width, nullptr, false}; }
constexpr Step Blank() { return {0, nullptr, true}; }

using R = ReservationRecord;

constexpr Step kReservationFormat[] = {
    Conv(1, &R::displayMethod), Conv(0, &R::colour), Blank(),
    Conv(1, &R::dateOn), Conv(2, &R::fromMonth), Conv(2, &R::fromDay), Conv(2, &R::toMonth),
    Conv(2, &R::toDay), Skip(0), Blank(),
    Conv(1, &R::timeOn), Conv(2, &R::fromHour), Conv(2, &R::fromMinute), Conv(2, &R::toHour),
    Conv(2, &R::toMinute), Skip(0), Blank(),
    Conv(1, &R::timerOn), Conv(2, &R::timerHours), Conv(2, &R::timerMinuteIndex),
    Conv(0, &R::timerPeriodMs),
};

template <size_t N>
int Scan(const std::string& text, const Step (&format)[N], ReservationRecord& record,
         bool dropTimerFields) {
    Scanner scanner(text);
    int converted = 0;
    for (const Step& step : format) {
        if (step.blank) {
            scanner.SkipBlanks();
            continue;
        }
        int32_t value = 0;
        if (!scanner.Int(step.width, value)) break;
        ++converted;
        if (step.field == nullptr) continue;
        if (dropTimerFields && (step.field == &R::timerHours || step.field == &R::timerMinuteIndex)) continue;
        record.*step.field = value;
    }
    return converted;
}

}  // namespace

std::string StandardText(int32_t displayMethod, int32_t colour) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%1d%d", static_cast<int>(displayMethod), static_cast<int>(colour));
    return buffer;
}

int ParseStandardText(const std::string& text, ReservationRecord& record) {
    static constexpr Step kStandardFormat[] = {Conv(1, &R::displayMethod), Conv(0, &R::colour)};
    return Scan(text, kStandardFormat, record, false);
}

std::string ReservationText(const ReservationRecord& r) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer,
                  "%1d%d %1d%02d%02d%02d%02d%d %1d%02d%02d%02d%02d%d %1d%02d%02d%d",
                  r.displayMethod, r.colour,
                  r.dateOn, r.fromMonth, r.fromDay, r.toMonth, r.toDay, 0,
                  r.timeOn, r.fromHour, r.fromMinute, r.toHour, r.toMinute, 0,
                  r.timerOn, r.timerHours, r.timerMinuteIndex, r.timerPeriodMs);
    return buffer;
}

int ParseReservationText(const std::string& text, ReservationRecord& record, TimerFields timerFields) {
    return Scan(text, kReservationFormat, record, timerFields == TimerFields::Drop);
}
