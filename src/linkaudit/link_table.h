#pragma once

#include <QString>
#include <array>
#include <vector>

namespace tolvera {

// The fields of a link table, in their order.
enum LinkField { LF_SEQ, LF_HTTP, LF_GGSL, LF_PR, LF_BDSL, LF_BDKZ, LF_LZS, LF_FL, LF_LJQZ };
inline constexpr int kLinkFieldCount = LF_LJQZ + 1;

struct LinkFieldDefinition {
    const char *name; // "seq", "http" ...
    bool isInteger;   // a 32-bit signed integer; otherwise text
    int width;        // bytes of GBK text; 0 for the integer
};

// One row: "seq" and the texts of the eight text fields (index LF_HTTP .. LF_LJQZ).
struct LinkRow {
    qint32 seq = 0;
    std::array<QString, kLinkFieldCount> texts; // texts[LF_SEQ] is unused
    const QString &text(LinkField field) const { return texts[field]; }
};

// An in-memory table of harvested links: nine typed fields, rows in the order they
// were appended, lookup on "http" ignoring letter case. A text longer than its
// field is stored cut to its first width bytes of GBK (GB18030), never in the
// middle of a character; lookups cut the text they look for the same way, so a
// long host finds its stored copy.
class LinkTable {
public:
    static const std::array<LinkFieldDefinition, kLinkFieldCount> &definitions();

    // A new, empty table with the same field definitions.
    LinkTable emptyCopy() const { return {}; }

    void clear() { rows_.clear(); }
    void append(qint32 seq, const QString &http); // the other fields stay empty
    void setText(int row, LinkField field, const QString &text);

    bool containsHttp(const QString &host) const;
    int count() const { return static_cast<int>(rows_.size()); }
    const LinkRow &row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
    const std::vector<LinkRow> &rows() const { return rows_; }

private:
    std::vector<LinkRow> rows_;
};

// The longest start of the text whose GB18030 bytes fit the width.
QString cutToBytes(const QString &text, int width);

} // namespace tolvera
