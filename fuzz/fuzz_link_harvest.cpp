// The friend-link harvest on a home page that has arrived: the first line is the
// address as typed into the audit's box, the rest the page (UTF-8, lowered as
// getHTML delivers it).

#include "fetch/text.h"
#include "fuzz_input.h"
#include "linkaudit/harvest.h"
#include "linkaudit/link_table.h"
#include "platform/charset.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using fuzzing::require;
    fuzzing::Input input(data, size);
    const QString own = tolvera::ownAddress(QString::fromUtf8(input.line()));
    const QString page = tolvera::asciiLower(QString::fromUtf8(input.rest()));

    tolvera::LinkTable table;
    const QString count = tolvera::harvestPage(table, page, own);
    require(count == QString::number(table.count()), "the harvest returns the table's row count",
            count);

    const int width = tolvera::LinkTable::definitions()[tolvera::LF_HTTP].width;
    for (int i = 0; i < table.count(); ++i) {
        const tolvera::LinkRow &row = table.row(i);
        const QString &host = row.text(tolvera::LF_HTTP);
        require(row.seq == i + 1, "rows are numbered from 1");
        require(!host.isEmpty(), "no empty host");
        require(!host.contains(own), "the site itself is no friend", host);
        require(tolvera::encodeGbk(host).size() <= width, "a host fits its field", host);
        for (int j = 0; j < i; ++j)
            require(table.row(j).text(tolvera::LF_HTTP).compare(host, Qt::CaseInsensitive) != 0,
                    "every host once", host);
    }

    // Harvesting the same page again finds every host in the table already.
    const int before = table.count();
    tolvera::harvestPage(table, page, own);
    require(table.count() == before, "a second harvest of the page adds nothing");
    return 0;
}
