#include <gtest/gtest.h>

#include "core/ReservationText.h"

namespace {

ReservationRecord Filled(int32_t v) {
    ReservationRecord r;
    r.displayMethod = r.colour = r.dateOn = r.fromMonth = r.fromDay = r.toMonth = r.toDay = v;
    r.timeOn = r.fromHour = r.fromMinute = r.toHour = r.toMinute = v;
    r.timerOn = r.timerHours = r.timerMinuteIndex = r.timerPeriodMs = v;
    return r;
}

}  // namespace

TEST(StandardText, FormatsMethodDigitThenColour) {
    EXPECT_EQ(StandardText(1, 12632256), "112632256");
    EXPECT_EQ(StandardText(2, 16777215), "216777215");
    EXPECT_EQ(StandardText(0, 0), "00");
}

TEST(StandardText, ParsesBackAndReadsTheDefaultAsBlack) {
    ReservationRecord r;
    EXPECT_EQ(ParseStandardText("216777215", r), 2);
    EXPECT_EQ(r.displayMethod, 2);
    EXPECT_EQ(r.colour, 16777215);

    ReservationRecord d = Filled(7);
    EXPECT_EQ(ParseStandardText("00", d), 2);
    EXPECT_EQ(d.displayMethod, 0);
    EXPECT_EQ(d.colour, 0);
}

TEST(StandardText, TheLongerLayoutGivesMethodAndColourOnly) {
    ReservationRecord r;
    EXPECT_EQ(ParseStandardText("216744512 1020004300 0000000000 101295400000", r), 2);
    EXPECT_EQ(r.displayMethod, 2);
    EXPECT_EQ(r.colour, 16744512);
    EXPECT_EQ(r.dateOn, 0);
    EXPECT_EQ(r.timerPeriodMs, 0);
}

TEST(ReservationText, FormatsTheDocumentedExamples) {
    ReservationRecord a;
    a.displayMethod = 2;
    a.colour = 16744512;
    a.dateOn = 1;
    a.fromMonth = 2;
    a.fromDay = 0;
    a.toMonth = 4;
    a.toDay = 30;
    a.timerOn = 1;
    a.timerHours = 1;
    a.timerMinuteIndex = 29;
    a.timerPeriodMs = 5400000;
    EXPECT_EQ(ReservationText(a), "216744512 1020004300 0000000000 101295400000");

    ReservationRecord b;
    b.timeOn = 1;
    b.fromHour = 9;
    b.toHour = 17;
    b.toMinute = 30;
    EXPECT_EQ(ReservationText(b), "00 0000000000 1090017300 000000");
}

TEST(ReservationText, ParsesTheDocumentedExamples) {
    ReservationRecord a;
    EXPECT_EQ(ParseReservationText("216744512 1020004300 0000000000 101295400000", a), 18);
    EXPECT_EQ(a.displayMethod, 2);
    EXPECT_EQ(a.colour, 16744512);
    EXPECT_EQ(a.dateOn, 1);
    EXPECT_EQ(a.fromMonth, 2);
    EXPECT_EQ(a.fromDay, 0);
    EXPECT_EQ(a.toMonth, 4);
    EXPECT_EQ(a.toDay, 30);
    EXPECT_EQ(a.timeOn, 0);
    EXPECT_EQ(a.timerOn, 1);
    EXPECT_EQ(a.timerHours, 1);
    EXPECT_EQ(a.timerMinuteIndex, 29);
    EXPECT_EQ(a.timerPeriodMs, 5400000);

    ReservationRecord b;
    EXPECT_EQ(ParseReservationText("00 0000000000 1090017300 000000", b), 18);
    EXPECT_EQ(b.timeOn, 1);
    EXPECT_EQ(b.fromHour, 9);
    EXPECT_EQ(b.fromMinute, 0);
    EXPECT_EQ(b.toHour, 17);
    EXPECT_EQ(b.toMinute, 30);
    EXPECT_EQ(b.timerOn, 0);
    EXPECT_EQ(b.timerPeriodMs, 0);
}

TEST(ReservationText, RoundTripsEveryFieldAndAnyPeriodWithTheTimerOff) {
    ReservationRecord r;
    r.displayMethod = 4;
    r.colour = 4227327;
    r.dateOn = 1;
    r.fromMonth = 11;
    r.fromDay = 30;
    r.toMonth = 0;
    r.toDay = 9;
    r.timeOn = 1;
    r.fromHour = 23;
    r.fromMinute = 59;
    r.toHour = 0;
    r.toMinute = 1;
    r.timerOn = 0;
    r.timerHours = 11;
    r.timerMinuteIndex = 58;
    r.timerPeriodMs = 0;
    ReservationRecord back;
    ASSERT_EQ(ParseReservationText(ReservationText(r), back), 18);
    EXPECT_EQ(ReservationText(back), ReservationText(r));
    EXPECT_EQ(back.timerPeriodMs, 0);
    EXPECT_EQ(back.fromDay, 30);
    EXPECT_EQ(back.timerMinuteIndex, 58);
}

TEST(ReservationText, ReservedConversionsAreReadAndThrownAway) {
    ReservationRecord r;
    // Reserved fields 8 and 14 hold 77 and 5: they are consumed, nothing changes.
    EXPECT_EQ(ParseReservationText("00 102030405077 106070809005 1010220", r), 18);
    EXPECT_EQ(r.toDay, 5);
    EXPECT_EQ(r.timeOn, 1);
    EXPECT_EQ(r.toMinute, 9);
    EXPECT_EQ(r.timerOn, 1);
    EXPECT_EQ(r.timerPeriodMs, 20);
}

TEST(ReservationText, ResidentDropsTimerHoursAndMinuteIndex) {
    ReservationRecord r = Filled(3);
    EXPECT_EQ(ParseReservationText("216744512 1020004300 0000000000 101295400000", r, TimerFields::Drop), 18);
    EXPECT_EQ(r.timerHours, 3);
    EXPECT_EQ(r.timerMinuteIndex, 3);
    EXPECT_EQ(r.timerPeriodMs, 5400000);
}

TEST(ReservationText, StopsAtTheFirstFailingConversionAndKeepsTheRest) {
    ReservationRecord r = Filled(7);
    // Method and colour, then the date group ends after the month.
    EXPECT_EQ(ParseReservationText("112345 103", r), 4);
    EXPECT_EQ(r.displayMethod, 1);
    EXPECT_EQ(r.colour, 12345);
    EXPECT_EQ(r.dateOn, 1);
    EXPECT_EQ(r.fromMonth, 3);   // "%02d" takes what there is
    EXPECT_EQ(r.fromDay, 7);     // not reached
    EXPECT_EQ(r.timerPeriodMs, 7);

    ReservationRecord e = Filled(7);
    EXPECT_EQ(ParseReservationText("", e), 0);
    EXPECT_EQ(e.displayMethod, 7);

    ReservationRecord x = Filled(7);
    EXPECT_EQ(ParseReservationText("2abc", x), 1);  // a letter where the colour's digits go
    EXPECT_EQ(x.displayMethod, 2);
    EXPECT_EQ(x.colour, 7);

    ReservationRecord s = Filled(7);
    EXPECT_EQ(ParseReservationText("-1", s), 0);  // a sign alone fills a one-character field
    EXPECT_EQ(s.displayMethod, 7);
}

TEST(ReservationText, FieldWidthsAndBlanksFollowFormattedScanning) {
    ReservationRecord r;
    // No blanks between the groups: a blank in the format also matches none.
    EXPECT_EQ(ParseReservationText("0255", r), 2);
    EXPECT_EQ(r.colour, 255);  // "%d" takes every digit, so the groups run together

    ReservationRecord b;
    // Runs of blanks and tabs between groups, blanks before a conversion.
    EXPECT_EQ(ParseReservationText("1  5 \t 1 1 2 3 4 0   1 5 6 7 8 0 1 1 2 3", b), 18);
    EXPECT_EQ(b.colour, 5);
    EXPECT_EQ(b.fromMonth, 1);
    EXPECT_EQ(b.toDay, 4);
    EXPECT_EQ(b.toMinute, 8);
    EXPECT_EQ(b.timerPeriodMs, 3);

    ReservationRecord n;
    // "%02d" takes a sign and one digit; the value is kept as read.
    EXPECT_EQ(ParseReservationText("00 1-5", n), 4);
    EXPECT_EQ(n.fromMonth, -5);
}

TEST(ReservationText, HugeNumbersSaturateInsteadOfOverflowing) {
    ReservationRecord r;
    EXPECT_EQ(ParseStandardText("099999999999999999999", r), 2);
    EXPECT_EQ(r.colour, 2147483647);
    EXPECT_EQ(ParseStandardText("0-99999999999999999999", r), 2);
    EXPECT_EQ(r.colour, -2147483647 - 1);
}
