#pragma once

#include <string>
#include <string_view>

namespace qv {

// The element of a number by n mod 5: 1 水, 2 火, 3 木, 4 金, 0 土 (01 水, 02 火, ... 05 土).
// The remainder is taken the mathematical way, so every integer has an element.
std::string_view ElementOf(long long n);

// The trigram of a number at position (n - 1) mod 8 of 乾 兑 离 震 巽 坎 艮 坤 (01 乾, 08 坤,
// 09 乾 again). Used for the reds, the blue and a draw's ordinal alike (ordinal 8 is 坤).
std::string_view TrigramOf(long long n);

// "A", "B" or "C" for a remainder by 3 of 1, 2 or 0.
char RemainderLetter(long long n);

// The mathematical remainder: 0 <= result < divisor for any sign of value.
long long FloorMod(long long value, long long divisor);

// Appends the decimal text of value.
void AppendInt(std::string& out, long long value);

} // namespace qv
