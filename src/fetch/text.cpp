#include "fetch/text.h"

namespace tolvera {

QString asciiLower(QString text) {
    for (QChar &c : text) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
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
