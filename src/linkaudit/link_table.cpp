#include "linkaudit/link_table.h"

#include "platform/charset.h"

namespace tolvera {

const std::array<LinkFieldDefinition, kLinkFieldCount> &LinkTable::definitions() {
    static const std::array<LinkFieldDefinition, kLinkFieldCount> fields = {{
        {"seq", true, 0},
        {"http", false, 30},
        {"ggsl", false, 20},
        {"Pr", false, 20},
        {"bdsl", false, 20},
        {"bdkz", false, 20},
        {"lzs", false, 20},
        {"fl", false, 20},
        {"ljqz", false, 20},
    }};
    return fields;
}

QString cutToBytes(const QString &text, int width) {
    if (encodeGbk(text).size() <= width)
        return text;
    qsizetype used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const qsizetype length = text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        used += encodeGbk(text.mid(end, length)).size();
        if (used > width)
            break;
        end += length;
    }
    return text.left(end);
}

void LinkTable::append(qint32 seq, const QString &http) {
    LinkRow row;
    row.seq = seq;
    rows_.push_back(std::move(row));
    setText(count() - 1, LF_HTTP, http);
}

void LinkTable::setText(int row, LinkField field, const QString &text) {
    rows_.at(static_cast<std::size_t>(row)).texts[field] =
        cutToBytes(text, definitions()[field].width);
}

bool LinkTable::containsHttp(const QString &host) const {
    const QString probe = cutToBytes(host, definitions()[LF_HTTP].width);
    for (const LinkRow &row : rows_)
        if (row.text(LF_HTTP).compare(probe, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace tolvera
