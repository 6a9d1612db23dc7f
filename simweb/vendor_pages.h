#pragma once

#include "fake_web.h"

namespace fakeweb {

// The maker's two pages shown in the window's panes: the side page in GBK bytes
// declared by the header, the bottom strip in UTF-8 declared only by its meta.
inline constexpr const char *kVendorLeftPath = "/ad/tool_Left.html";
inline constexpr const char *kVendorBootPath = "/ad/tool_boot.html";
void installVendorPages(FakeWeb &web);

} // namespace fakeweb
