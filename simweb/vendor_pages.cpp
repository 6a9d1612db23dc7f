#include "vendor_pages.h"

#include "platform/charset.h"

namespace fakeweb {

void installVendorPages(FakeWeb &web) {
    const QByteArray left = tolvera::encodeGbk(
        QStringLiteral("<html><body><p>站长工具推荐：网站优化服务</p></body></html>"));
    web.route(kVendorLeftPath, Reply{200, left.toStdString(), "text/html; charset=gbk"});
    web.route(kVendorBootPath,
              Reply{200,
                    "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                    "charset=utf-8\"></head><body>新版本 V2.03 已发布</body></html>",
                    "text/html"});
}

} // namespace fakeweb
