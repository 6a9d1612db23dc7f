#include "fetch/text.h"

namespace tolvera {

QString asciiLower(QString text) {
    // A plain loop over the code units: pages run to megabytes, and this form lets
    // the compiler process many characters per instruction.
    char16_t *units = reinterpret_cast<char16_t *>(text.data());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t u = units[i];
        units[i] = static_cast<char16_t>(static_cast<char16_t>(u - u'A') < 26 ? u + 32 : u);
    }
    return text;
}

QString trimControls(const QString &text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

} // namespace tolvera
