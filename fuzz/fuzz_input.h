#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzzing {

// A fuzzer's input read front to back: leading lines for the parameters a parser
// takes besides its bytes, then the rest as the bytes themselves.
class Input {
public:
    Input(const uint8_t *data, size_t size)
        : bytes_(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size))) {}

    // The next line without its line end ("\n" or "\r\n"); the rest when no line end is left.
    QByteArray line() {
        const qsizetype end = bytes_.indexOf('\n', at_);
        QByteArray line = bytes_.mid(at_, end < 0 ? -1 : end - at_);
        at_ = end < 0 ? bytes_.size() : end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        return line;
    }

    QByteArray rest() {
        QByteArray rest = bytes_.mid(at_);
        at_ = bytes_.size();
        return rest;
    }

private:
    QByteArray bytes_;
    qsizetype at_ = 0;
};

// A broken promise of the code under test: reported, then a crash for libFuzzer.
inline void require(bool holds, const char *promise) {
    if (holds)
        return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

inline void require(bool holds, const char *promise, const QString &detail) {
    if (!holds)
        std::fprintf(stderr, "%s\n", detail.toUtf8().constData());
    require(holds, promise);
}

// A site as a user types it into the site box: letters, digits, dots, hyphens and a
// port's colon. The getters put it into their patterns unescaped, so a typed
// bracket or quantifier is the user's own doing; the page is what comes from outside.
inline QString typedSite(const QByteArray &line) {
    QString site;
    for (const char c : line.left(64)) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == ':';
        if (ok)
            site.append(QLatin1Char(c));
    }
    return site;
}

} // namespace fuzzing
