#include "linkaudit/audit_numbers.h"

#include <cmath>

namespace tolvera {

double roundTo2(double value) {
    return std::nearbyint(value / 0.01) * 0.01;
}

QString numberText(double value) {
    return QString::number(value, 'g', 15);
}

std::optional<qint64> wholeNumber(const QString &text) {
    qsizetype digitsFrom = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    if (digitsFrom == text.size())
        return std::nullopt;
    for (qsizetype i = digitsFrom; i < text.size(); ++i)
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

std::optional<double> decimalNumber(const QString &text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

} // namespace tolvera
