#include "fetch/getqty.h"

#include "fetch/gethtml.h"
#include "platform/tregexp.h"

namespace tolvera {

QString getqty(const QString &address, const QString &charset, const QString &pattern) {
    try {
        return qtyFromPage(getHTML(address, charset), pattern);
    } catch (...) {
        return QStringLiteral("0");
    }
}

QString qtyFromPage(const QString &page, const QString &pattern) {
    try {
        TRegExp re;
        re.Global = true;
        re.Multiline = true;
        re.Pattern = pattern;
        re.IgnoreCase = true;
        if (!re.Test(page))
            return QStringLiteral("0");
        return replacestr(re.Execute(page).Item(0).Value());
    } catch (...) {
        return QStringLiteral("0");
    }
}

QString replacestr(const QString &text) {
    QString withoutClass = text;
    withoutClass.remove(QStringLiteral("rank_font_y2"));
    QString digits;
    for (const QChar c : withoutClass) {
        if (c == u',' || (c >= u'0' && c <= u'9'))
            digits.append(c);
    }
    digits.remove(u',');
    return digits;
}

} // namespace tolvera
