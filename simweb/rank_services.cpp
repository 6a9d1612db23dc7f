#include "rank_services.h"

#include "pictures.h"
#include "rank_pages.h"

#include <httplib.h>

namespace fakeweb {

namespace {

unsigned long hashOf(const std::string &text) {
    unsigned long hash = 1469598103934665603UL; // FNV-1a
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211UL;
    }
    return hash;
}

// Alexa links to a site's information page by its name without "www.".
std::string withoutWww(std::string site) {
    for (size_t at = site.find("www."); at != std::string::npos; at = site.find("www."))
        site.erase(at, 4);
    return site;
}

Reply gbPage(std::string body) {
    return Reply{200, std::move(body), "text/html; charset=gb2312"};
}

} // namespace

int simulatedPageRank(const std::string &site) {
    return static_cast<int>(hashOf("pr:" + site) % 10);
}

long simulatedAlexaRank(const std::string &site) {
    return 1 + static_cast<long>(hashOf("alexa:" + site) % 2'000'000);
}

std::string simulatedSnapshotDate(const std::string &host) {
    return "2026-12-0" + std::to_string(1 + hashOf("kz:" + host) % 9);
}

void installPageRank(FakeWeb &web, std::function<bool(const std::string &)> known) {
    web.route("/getpr.asp", [known](const httplib::Request &req) {
        const std::string site = req.get_param_value("queryurl");
        if (known && !known(site))
            return gbPage("<html><body><p>No PageRank data for " + site + "</p></body></html>");
        return gbPage(pageRankPage(site, simulatedPageRank(site)));
    });
}

void installAlexaChina(FakeWeb &web) {
    web.route("/search", [](const httplib::Request &req) {
        const std::string site = withoutWww(req.get_param_value("q"));
        return gbPage(alexaSearchPage(site, simulatedAlexaRank(site)));
    });
}

void installHomePage(FakeWeb &web) {
    web.route("/", Reply{200, homePage(kSimulatedHomeTitle), "text/html; charset=utf-8"});
}

void installThumbnails(FakeWeb &web) {
    const Reply picture = thumbnailJpeg(kThumbnailWidth, kThumbnailHeight);
    web.route("/webthumb.php", [picture](const httplib::Request &req) {
        Reply reply = picture;
        if (req.get_header_value("Cookie").find(kThumbnailCookie) == std::string::npos)
            reply.headers.emplace_back("Set-Cookie", std::string(kThumbnailCookie) + "; Path=/");
        return reply;
    });
}

Reply thumbnailJpeg(int width, int height) {
    return Reply{200, jpegPicture(width, height), "image/jpeg"};
}

Reply thumbnailPng() {
    return Reply{200, pngPicture(), "image/png"};
}

Reply thumbnailGif() {
    return Reply{200, gifPicture(), "image/gif"};
}

Reply thumbnailGarbage() {
    return Reply{200, "<html><body>thumbnail not ready, try again later</body></html>",
                 "image/jpeg"};
}

Reply thumbnailRedirect(const std::string &location) {
    return Reply{302, "", "text/html", {{"Location", location}}};
}

Reply thumbnailError(int status) {
    // An error page may carry a picture too: the status alone must refuse it.
    return Reply{status, jpegPicture(8, 8), "image/jpeg"};
}

} // namespace fakeweb
