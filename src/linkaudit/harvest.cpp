#include "linkaudit/harvest.h"

#include "fetch/gethtml.h"
#include "fetch/text.h"
#include "platform/tregexp.h"

namespace tolvera {

namespace {

const QString kLinkStart = QStringLiteral("href=http://");

// What a link's text is cut at, in this order: the path, the query, then the
// attributes that the removed spaces ran into the address.
QString beforeFirst(const QString &text, const QString &mark) {
    const qsizetype at = text.indexOf(mark);
    return at < 0 ? text : text.left(at);
}

QString beforeAttribute(const QString &text, const QString &attribute) {
    const QString trimmed = trimControls(text);
    return trimmed.contains(attribute) ? beforeFirst(trimmed, attribute) : text;
}

bool mentionsExcluded(const QString &linkText) {
    for (const QString &domain : excludedDomains())
        if (linkText.contains(domain))
            return true;
    return false;
}

} // namespace

const QStringList &excludedDomains() {
    static const QStringList domains = {
        QStringLiteral("baidu.com"),     QStringLiteral("yahoo.com"),
        QStringLiteral("google.com"),    QStringLiteral("google.cn"),
        QStringLiteral("google.com.hk"), QStringLiteral("miibeian.gov.cn"),
        QStringLiteral("qq.com"),        QStringLiteral("soso.com"),
        QStringLiteral("sina.com.cn"),   QStringLiteral("163.com"),
    };
    return domains;
}

QString ownAddress(const QString &address) {
    return asciiLower(trimControls(address)).remove(u' ');
}

QString friendHost(const QString &match, const QString &own) {
    QString text = match;
    for (const char16_t removed : {u'\n', u'\r', u' ', u'"', u'\'', u'>'})
        text.remove(QChar(removed));
    if (trimControls(text.left(kLinkStart.size())) != kLinkStart || mentionsExcluded(text))
        return {};
    text.remove(kLinkStart);
    text = beforeFirst(beforeFirst(text, QStringLiteral("/")), QStringLiteral("?"));
    text =
        beforeAttribute(beforeAttribute(text, QStringLiteral("target=")), QStringLiteral("title="));
    if (text.contains(own) || trimControls(text).isEmpty())
        return {};
    return text;
}

QString getqty1(LinkTable &table, const QString &address) {
    try {
        const QString own = ownAddress(address);
        return harvestPage(table, getHTML(QStringLiteral("http://") + own, QStringLiteral("utf-8")),
                           own);
    } catch (...) {
        return QStringLiteral("0");
    }
}

QString harvestPage(LinkTable &table, const QString &page, const QString &own) {
    try {
        TRegExp links;
        links.Global = true;
        links.Multiline = true;
        links.IgnoreCase = true;
        links.Pattern = QStringLiteral("href=([\\s\\S]+?)>");
        if (!links.Test(page))
            return QStringLiteral("0");
        const TMatchCollection matches = links.Execute(page);
        qint32 counter = 0;
        for (int i = 0; i < matches.Count(); ++i) {
            const QString host = friendHost(matches.Item(i).Value(), own);
            if (host.isEmpty() || table.containsHttp(host))
                continue;
            table.append(++counter, host);
        }
        return QString::number(table.count());
    } catch (...) {
        return QStringLiteral("0");
    }
}

} // namespace tolvera
