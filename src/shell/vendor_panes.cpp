#include "shell/vendor_panes.h"

#include "fetch/gethtml.h"
#include "platform/connection_probe.h"
#include "platform/http_client.h"
#include "queries/endpoints.h"
#include "runs/worker_threads.h"
#include "shell/url_opener.h"

#include <QFile>
#include <QTextBrowser>
#include <QTextDocument>
#include <mutex>

namespace tolvera {

namespace {

constexpr std::chrono::milliseconds kProbeLimit{2000};
const QString kBundled = QStringLiteral("qrc:");

// The pane's document: every resource a page names (a picture, a style sheet, a
// file path) is answered with nothing, so that no page can make the pane read a
// local file or reach out to the network.
class TextOnlyDocument : public QTextDocument {
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int, const QUrl &) override { return {}; }
};

} // namespace

struct VendorPane::Mailbox {
    std::mutex lock;
    VendorPane *receiver = nullptr;
};

std::optional<QString> decodeVendorPage(const QByteArray &body, const QByteArray &contentType) {
    return decodedPage(contentType, body, QStringLiteral("utf-8"));
}

VendorPane::VendorPane(QTextBrowser *pane, QString path)
    : QObject(pane)
    , pane_(pane)
    , path_(std::move(path))
    , mailbox_(std::make_shared<Mailbox>()) {
    mailbox_->receiver = this;
    pane_->setDocument(new TextOnlyDocument(pane_));
    pane_->setOpenLinks(false);
    connect(pane_, &QTextBrowser::anchorClicked, this, &VendorPane::openLink);
}

VendorPane::~VendorPane() {
    const std::lock_guard guard(mailbox_->lock);
    mailbox_->receiver = nullptr;
}

void VendorPane::load() {
    const unsigned generation = ++generation_;
    const QString base = endpoint(EP_VENDOR_AD);
    shownAddress_ = QUrl(base + path_);
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
        std::optional<QString> page;
        if (response.ok && response.status == 200)
            page = decodeVendorPage(response.body, response.contentType);
        const bool loaded = page.has_value();
        const QString html = page.value_or(QString());
        const std::lock_guard guard(mailbox->lock);
        if (VendorPane *target = mailbox->receiver)
            QMetaObject::invokeMethod(
                target,
                [target, generation, loaded, html] { target->deliver(generation, loaded, html); },
                Qt::QueuedConnection);
    });
}

void VendorPane::openLink(const QUrl &link) const {
    openInBrowser(shownAddress_.resolved(link).toString());
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
