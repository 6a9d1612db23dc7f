#include "platform/tregexp.h"

#include <QHash>
#include <mutex>

namespace tolvera {

namespace {

// Compiled patterns shared by every pattern object of the process: an audit runs
// the same few patterns thousands of times at once, and compiling one (with its
// JIT code) costs far more than matching a page. A compiled QRegularExpression is
// safe to match from many threads. Patterns that embed a site vary without end,
// so the cache starts over when it is full instead of growing.
class CompiledPatterns {
public:
    static QRegularExpression get(const QString &pattern,
                                  QRegularExpression::PatternOptions options) {
        static CompiledPatterns &cache = *new CompiledPatterns; // outlives every worker
        const Key key{pattern, options.toInt()};
        const std::lock_guard guard(cache.lock_);
        if (const auto it = cache.compiled_.constFind(key); it != cache.compiled_.cend())
            return *it;
        if (cache.compiled_.size() >= kCapacity)
            cache.compiled_.clear();
        QRegularExpression regex(pattern, options);
        regex.optimize(); // compiled and JIT-compiled once, before it is shared
        cache.compiled_.insert(key, regex);
        return regex;
    }

private:
    using Key = std::pair<QString, int>;
    static constexpr qsizetype kCapacity = 512;
    std::mutex lock_;
    QHash<Key, QRegularExpression> compiled_;
};

// A text that owns its buffer: the copy we keep holds a reference to it, so the
// caller cannot change or free it under us (a write detaches first). Raw data
// (QString::fromRawData) and literals own nothing: their bytes may be rewritten in
// place, so a Test on them is never remembered.
bool ownsBuffer(const QString &text) {
    return const_cast<QString &>(text).data_ptr().d_ptr() != nullptr;
}

bool sameText(const QString &a, const QString &b) {
    return a.constData() == b.constData() && a.size() == b.size();
}

} // namespace

TMatch TMatchCollection::Item(int index) const {
    if (index < 0 || index >= Count())
        throw RegExpError("match index " + std::to_string(index) + " out of range");
    return TMatch(values_.at(index));
}

const QRegularExpression &TRegExp::compiled() {
    QRegularExpression::PatternOptions options;
    if (IgnoreCase)
        options |= QRegularExpression::CaseInsensitiveOption;
    if (Multiline)
        options |= QRegularExpression::MultilineOption;
    if (!compiled_ || compiled_->pattern != Pattern || compiled_->options != options) {
        testedSubject_.clear();
        testedMatchStart_ = -1;
        QRegularExpression regex = CompiledPatterns::get(Pattern, options);
        if (!regex.isValid()) {
            compiled_.reset();
            throw RegExpError("invalid pattern: " + regex.errorString().toStdString());
        }
        compiled_ = Compiled{Pattern, options, std::move(regex)};
    }
    return compiled_->regex;
}

bool TRegExp::Test(const QString &subject) {
    const QRegularExpressionMatch m = compiled().match(subject);
    if (ownsBuffer(subject)) {
        testedSubject_ = subject;
        testedMatchStart_ = m.hasMatch() ? m.capturedStart(0) : -1;
    } else {
        testedSubject_.clear();
        testedMatchStart_ = -1;
    }
    return m.hasMatch();
}

TMatchCollection TRegExp::Execute(const QString &subject) {
    const QRegularExpression &regex = compiled();
    qsizetype from = 0;
    if (!testedSubject_.isNull() && sameText(subject, testedSubject_)) {
        if (testedMatchStart_ < 0)
            return TMatchCollection({});
        from = testedMatchStart_;
    }
    QStringList values;
    if (!Global) {
        if (const auto m = regex.match(subject, from); m.hasMatch())
            values.append(m.captured(0));
        return TMatchCollection(std::move(values));
    }
    for (auto it = regex.globalMatch(subject, from); it.hasNext();)
        values.append(it.next().captured(0));
    return TMatchCollection(std::move(values));
}

} // namespace tolvera
