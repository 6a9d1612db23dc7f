#pragma once

#include "fake_web.h"

#include <functional>
#include <string>

namespace fakeweb {

// The deterministic figures of the rank services for a site: the same site always
// gets the same answers.
int simulatedPageRank(const std::string &site); // 0 to 9
long simulatedAlexaRank(const std::string &site);
std::string simulatedSnapshotDate(const std::string &host); // "2026-12-0N"
inline constexpr char kSimulatedHomeTitle[] = "示例网站 - 首页";
inline constexpr int kThumbnailWidth = 120;
inline constexpr int kThumbnailHeight = 90;
inline constexpr char kThumbnailCookie[] = "thumbsession=7f3a9c";

// One call per service, each routing the paths that service answers.
// The lookup knows every site for which `known` says so (every site when empty);
// for the others it answers a page without a value.
void installPageRank(FakeWeb &web, std::function<bool(const std::string &)> known = {});
void installAlexaChina(FakeWeb &web);
void installHomePage(FakeWeb &web); // "/" answers a home page titled kSimulatedHomeTitle
// A JPEG thumbnail for any site; the first answer to a client without the
// session cookie sets it, as the real service does.
void installThumbnails(FakeWeb &web);

// Thumbnail answers that tests route in place of the picture.
Reply thumbnailJpeg(int width, int height);
Reply thumbnailPng();
Reply thumbnailGif();
Reply thumbnailGarbage();
Reply thumbnailRedirect(const std::string &location);
Reply thumbnailError(int status);

} // namespace fakeweb
