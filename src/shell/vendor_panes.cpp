#include "shell/vendor_panes.h"

#include "platform/charset.h"
#include "platform/connection_probe.h"
#include "platform/http_client.h"
#include "queries/endpoints.h"
#include "runs/worker_threads.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <mutex>

namespace tolvera {

namespace {

constexpr std::chrono::milliseconds kProbeLimit{2000};
const QString kBundled = QStringLiteral("qrc:");

QString declaredCharset(const QByteArray &text) {
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*[\"']?([\\w.:-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto match = charset.match(QString::fromLatin1(text));
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

struct VendorPane::Mailbox {
    std::mutex lock;
    VendorPane *receiver = nullptr;
};

QString decodeVendorPage(const QByteArray &body, const QByteArray &contentType) {
    for (const QString &name : {declaredCharset(contentType), declaredCharset(body.left(4096))})
        if (!name.isEmpty())
            if (const auto text = decodeCharset(body, name))
                return *text;
    return QString::fromUtf8(body);
}

VendorPane::VendorPane(QTextBrowser *pane, QString path)
    : QObject(pane)
    , pane_(pane)
    , path_(std::move(path))
    , mailbox_(std::make_shared<Mailbox>()) {
    mailbox_->receiver = this;
}

VendorPane::~VendorPane() {
    const std::lock_guard guard(mailbox_->lock);
    mailbox_->receiver = nullptr;
}

void VendorPane::load() {
    const unsigned generation = ++generation_;
    const QString base = endpoint(EP_VENDOR_AD);
    if (base == kBundled) {
        QFile page(QLatin1Char(':') + path_);
        const bool loaded = page.open(QIODevice::ReadOnly);
        deliver(generation, loaded, loaded ? QString::fromUtf8(page.readAll()) : QString());
        return;
    }
    const QString address = base + path_;
    startThread([mailbox = mailbox_, address, generation] {
        HttpResponse response;
        if (canConnect(address, kProbeLimit)) {
            HttpRequest request;
            request.address = address;
            response = httpGet(request);
        }
        const bool loaded = response.ok && response.status == 200;
        const QString html =
            loaded ? decodeVendorPage(response.body, response.contentType) : QString();
        const std::lock_guard guard(mailbox->lock);
        if (VendorPane *target = mailbox->receiver)
            QMetaObject::invokeMethod(
                target,
                [target, generation, loaded, html] { target->deliver(generation, loaded, html); },
                Qt::QueuedConnection);
    });
}

void VendorPane::deliver(unsigned generation, bool loaded, const QString &html) {
    if (generation != generation_)
        return;
    if (loaded)
        pane_->setHtml(html);
    else
        pane_->clear();
    emit settled(loaded);
}

} // namespace tolvera
