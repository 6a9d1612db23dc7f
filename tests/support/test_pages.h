#pragma once

#include "platform/charset.h"

#include <QString>
#include <string>

// Small helpers for building test pages as the bytes that go on the wire.
namespace testpages {

inline std::string gbk(const char *utf8) {
    return tolvera::encodeGbk(QString::fromUtf8(utf8)).toStdString();
}

inline QString text(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// A host name no resolver accepts: a label over 63 characters cannot be put into
// a DNS query, so resolution fails on this machine without sending anything.
inline QString unresolvableHost() {
    return QStringLiteral("http://") + QString(70, u'a') + QStringLiteral(".invalid");
}

} // namespace testpages
