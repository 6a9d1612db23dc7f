#include "queries/getkz.h"

#include "queries/endpoints.h"
#include "queries/getter_frame.h"
#include "queries/result_texts.h"

namespace tolvera {

namespace {

QString addressLinePrefix(const QString &address) {
    return QStringLiteral("<font color=\"#008000\"><b>") + address + QStringLiteral("</b>/");
}

// A plain keyword search: no operator in front of the host.
QString snapshotAddress(const QString &address) {
    return endpoint(EP_BAIDU) + QStringLiteral("/s?wd=") + address;
}

// The host goes in unescaped: its dots match any character, and a bracket in it
// can make the pattern invalid, which gives the error text.
QString snapshotPattern(const QString &address) {
    return addressLinePrefix(address) + QStringLiteral("([\\s\\S]+?)</font>");
}

// Exact removals: a host typed in capitals keeps the page's own lower-case prefix.
QString snapshotCut(QString match, const QString &address) {
    match.remove(addressLinePrefix(address));
    match.remove(QStringLiteral("</font>"));
    return match;
}

constexpr GetterRecipe kSnapshot{
    .address = snapshotAddress,
    .charset = u"GB2312",
    .pattern = snapshotPattern,
    .item = 0,
    .cut = snapshotCut,
    .errorText = kLookupError,
};

} // namespace

QString getkz(const QString &address) {
    return runGetter(kSnapshot, address);
}

QString kzFromPage(const QString &page, const QString &address) {
    return cutFromPage(kSnapshot, page, address);
}

} // namespace tolvera
