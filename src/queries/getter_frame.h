#pragma once

#include <QString>

namespace tolvera {

// What sets one getter apart from the others: every getter fetches one page,
// matches one pattern on it and cuts its value out of one match.
struct GetterRecipe {
    QString (*address)(const QString &input);
    const char16_t *charset; // fallback for a page that declares none
    QString (*pattern)(const QString &input);
    int item; // which match holds the value
    QString (*cut)(QString match, const QString &input);
    const char16_t *errorText;
};

// Fetches the recipe's page for the input and cuts its value: kNotFound when the
// pattern does not match (a failed fetch included), the recipe's error text when
// the pattern object fails (invalid pattern, item beyond the matches). Never throws.
QString runGetter(const GetterRecipe &recipe, const QString &input);

// The recipe's cut on a page text that has arrived: what runGetter does after its
// fetch, with the same texts for no match and for a failing pattern. Never throws.
QString cutFromPage(const GetterRecipe &recipe, const QString &page, const QString &input);

} // namespace tolvera
