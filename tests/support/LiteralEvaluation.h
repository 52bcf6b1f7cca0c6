#pragma once
// The evaluation read literally: three local times built per enabled window per
// record on every call. The reference that the cached Evaluator must agree with.

#include <ctime>

#include "core/DisplayOrder.h"
#include "core/ReservationRecord.h"

bool LiteralDateWindowHolds(const ReservationRecord& record, std::time_t now);
bool LiteralTimeWindowHolds(const ReservationRecord& record, std::time_t now);
void LiteralEvaluate(ReservationTable& table, const OrderTable& order, int count, std::time_t now);
