// The two registry texts: any text parses without harm, and a record whose
// fields fit their conversions comes back unchanged from its own text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "core/ReservationText.h"

namespace {

// Folds a value into 0..modulus-1, the range its conversion writes and reads back.
int32_t Fold(int32_t value, int32_t modulus) { return static_cast<int32_t>(((value % modulus) + modulus) % modulus); }

bool SameNumbers(const ReservationRecord& a, const ReservationRecord& b) {
    return a.displayMethod == b.displayMethod && a.colour == b.colour && a.dateOn == b.dateOn &&
           a.fromMonth == b.fromMonth && a.fromDay == b.fromDay && a.toMonth == b.toMonth && a.toDay == b.toDay &&
           a.timeOn == b.timeOn && a.fromHour == b.fromHour && a.fromMinute == b.fromMinute &&
           a.toHour == b.toHour && a.toMinute == b.toMinute && a.timerOn == b.timerOn &&
           a.timerHours == b.timerHours && a.timerMinuteIndex == b.timerMinuteIndex &&
           a.timerPeriodMs == b.timerPeriodMs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    ReservationRecord kept;
    const int keptCount = ParseReservationText(text, kept, TimerFields::Keep);
    FUZZ_CHECK(keptCount >= 0 && keptCount <= 18);
    ReservationRecord dropped;
    FUZZ_CHECK(ParseReservationText(text, dropped, TimerFields::Drop) == keptCount);
    FUZZ_CHECK(dropped.timerHours == 0 && dropped.timerMinuteIndex == 0);
    ReservationRecord standard;
    const int standardCount = ParseStandardText(text, standard);
    FUZZ_CHECK(standardCount >= 0 && standardCount <= 2);

    // "%1d" writes one digit and "%02d" two only for values that small; the
    // colour and the period are "%d" and take any value.
    ReservationRecord r = kept;
    for (int32_t* one : {&r.displayMethod, &r.dateOn, &r.timeOn, &r.timerOn}) *one = Fold(*one, 10);
    for (int32_t* two : {&r.fromMonth, &r.fromDay, &r.toMonth, &r.toDay, &r.fromHour, &r.fromMinute, &r.toHour,
                         &r.toMinute, &r.timerHours, &r.timerMinuteIndex}) {
        *two = Fold(*two, 100);
    }
    ReservationRecord back;
    FUZZ_CHECK(ParseReservationText(ReservationText(r), back) == 18);
    FUZZ_CHECK(SameNumbers(r, back));
    ReservationRecord standardBack;
    FUZZ_CHECK(ParseStandardText(StandardText(r.displayMethod, r.colour), standardBack) == 2);
    FUZZ_CHECK(standardBack.displayMethod == r.displayMethod && standardBack.colour == r.colour);
    return 0;
}
