#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

namespace tolvera {

// What a pattern object raises: an invalid pattern, or an item asked for at or
// beyond the number of matches. Callers turn it into their own error text.
class RegExpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TMatch {
public:
    explicit TMatch(QString value)
        : value_(std::move(value)) {}
    const QString &Value() const { return value_; }

private:
    QString value_;
};

class TMatchCollection {
public:
    explicit TMatchCollection(QStringList values)
        : values_(std::move(values)) {}
    int Count() const { return static_cast<int>(values_.size()); }
    TMatch Item(int index) const; // throws RegExpError outside [0, Count)

private:
    QStringList values_;
};

// The pattern object every query uses: JavaScript-like regular expressions
// ([\s\S]+?, lazy and leftmost) over QRegularExpression (PCRE2).
class TRegExp {
public:
    QString Pattern;
    bool IgnoreCase = false;
    bool Global = false;
    bool Multiline = false;

    bool Test(const QString &subject);                // throws RegExpError
    TMatchCollection Execute(const QString &subject); // throws RegExpError

private:
    const QRegularExpression &compiled();

    // Callers Test a page and then Execute the same page: the second search starts
    // where the first one found its match instead of scanning the page again.
    struct Compiled {
        QString pattern;
        QRegularExpression::PatternOptions options;
        QRegularExpression regex;
    };
    std::optional<Compiled> compiled_;
    QString testedSubject_; // shares the caller's buffer, so it cannot change under us
    qsizetype testedMatchStart_ = -1;
};

} // namespace tolvera
