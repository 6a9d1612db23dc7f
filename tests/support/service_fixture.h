#pragma once

#include "fake_web.h"
#include "queries/endpoints.h"

#include <QString>
#include <gtest/gtest.h>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

// Failures show texts as text, not as arrays of UTF-16 code units.
inline void PrintTo(const QString &text, std::ostream *out) {
    *out << '"' << text.toStdString() << '"';
}

namespace testpages {

// One simulated server standing in for the services a test names; every endpoint
// is back at its compiled-in host after the test, whatever the test changed.
class ServiceTest : public testing::Test {
protected:
    void pointAt(std::initializer_list<tolvera::Endpoint> services) {
        for (const tolvera::Endpoint e : services)
            tolvera::setEndpoint(e, base());
    }
    void TearDown() override {
        for (int i = 0; i < tolvera::kEndpointCount; ++i) {
            const auto e = static_cast<tolvera::Endpoint>(i);
            tolvera::setEndpoint(e, tolvera::defaultEndpoint(e));
        }
    }
    QString base() const { return QString::fromStdString(web.base()); }
    std::vector<std::string> targets() const {
        std::vector<std::string> seen;
        for (const auto &request : web.requests())
            seen.push_back(request.target);
        return seen;
    }

    fakeweb::FakeWeb web;
};

} // namespace testpages
