#pragma once

#include <QString>

namespace tolvera {

// The position texts of the keyword ranking besides the number itself.
inline constexpr char16_t kNoEntries[] = u"can not get"; // no result entry on the page

// Percent-encodes every GBK byte of the text, letters and digits included, with
// upper-case hex: "abc" -> "%61%62%63", 中文 -> "%D6%D0%CE%C4", a space -> "%20".
QString URLencode(const QString &text);

// The position of the site among the result entries of one results page: the
// number of the first entry (counted from 1) whose matched text contains the site
// as typed, "0" when entries are there but none shows the site (or anything
// failed), kNoEntries when the page has no entry or could not be fetched.
QString getph(const QString &site, const QString &address, const QString &keyword,
              const QString &charset, const QString &pattern);

// The same position on a results page text that has arrived (getHTML's text), no fetch.
QString phFromPage(const QString &site, const QString &page, const QString &keyword,
                   const QString &pattern);

// One engine of the ranking: where it is asked and how its result entries look.
struct RankEngine {
    QString (*address)(const QString &keyword); // the keyword as typed, trimmed
    const char16_t *charset;
    const char16_t *entryPattern;
};
extern const RankEngine kBaiduRank;  // Tthread18
extern const RankEngine kGoogleRank; // Tthread19

// getph on the engine's first results page of 100 for the keyword.
QString rankOn(const RankEngine &engine, const QString &site, const QString &keyword);

} // namespace tolvera
