#pragma once

#include "linkaudit/link_table.h"

#include <QString>
#include <QStringList>

namespace tolvera {

// The portals, engines and registry whose links are never friend links: a link
// whose text mentions one of them anywhere is dropped.
const QStringList &excludedDomains();

// The address as the harvest compares it: trimmed, lower-cased, every space removed.
QString ownAddress(const QString &address);

// Fetches the home page "http://" + ownAddress(address) and appends to the table,
// numbered from 1, every host it links to over plain http that is not the site
// itself, not excluded and not in the table yet. Returns the table's row count
// after harvesting, or "0" when the page holds no link or anything failed (rows
// appended before a failure stay). Blocks for one fetch; any thread.
QString getqty1(LinkTable &table, const QString &address);

// The same harvest over a home page text that has arrived (getHTML's text), no fetch;
// `own` is the site's ownAddress().
QString harvestPage(LinkTable &table, const QString &page, const QString &own);

// The link text of one match of "href=...>", cleaned and cut down to its host; empty
// when the link is no friend link of the site at `own` (an ownAddress()).
QString friendHost(const QString &match, const QString &own);

} // namespace tolvera
