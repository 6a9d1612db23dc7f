#pragma once

#include <QString>
#include <optional>

namespace tolvera {

// Two decimals as the audit rounds: divide by 0.01, take the nearest whole number
// (a tie goes to the even neighbour), multiply by 0.01, in double precision.
double roundTo2(double value);

// The shortest general decimal form with at most 15 significant digits: 1/3 rounded
// shows as "0.33", 3/10 as "0.3", a whole 2 as "2".
QString numberText(double value);

// The value of a text that is a decimal whole number (an optional sign, then digits
// only); nothing for any other text, "..." and the getters' failure texts included.
std::optional<qint64> wholeNumber(const QString &text);

// The value of a text that is a decimal number, as the summary reads its labels.
std::optional<double> decimalNumber(const QString &text);

} // namespace tolvera
