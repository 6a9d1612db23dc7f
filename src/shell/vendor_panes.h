#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <memory>
#include <optional>

class QTextBrowser;

namespace tolvera {

// The text of a page, decoded as every fetched page is (the header's or the page's
// declaration, else UTF-8), its letters as they are; nothing when the declared set
// is one the decoder does not know.
std::optional<QString> decodeVendorPage(const QByteArray &body, const QByteArray &contentType);

// One light browser pane showing a page of EP_VENDOR_AD. "qrc:" stands for the
// program's own bundled pages. Anything else is probed with a TCP connect (2 s)
// and fetched with the project's HTTP client off the window's thread; the page
// reaches the pane through a queued call on the pane, so a late answer after the
// window is gone is dropped, and an answer of an older load never overwrites a
// newer one. An unreachable page leaves the pane empty, silently.
// A pane shows the page's text and nothing else: it loads no picture, style sheet or
// file that the page names, and a link clicked in it goes to the user's browser
// through the program's one web-address opener, never anywhere else.
class VendorPane : public QObject {
    Q_OBJECT
public:
    VendorPane(QTextBrowser *pane, QString path);
    ~VendorPane() override;

    void load();
    QTextBrowser *pane() const { return pane_; }

signals:
    // On the window's thread when a load has ended, with or without a page.
    void settled(bool loaded);

private:
    // Where a fetch thread hands its page: it posts to the pane while the pane lives,
    // and the pane closes the mailbox before it goes.
    struct Mailbox;

    void deliver(unsigned generation, bool loaded, const QString &html);
    void openLink(const QUrl &link) const;

    QTextBrowser *pane_;
    QString path_;
    QUrl shownAddress_; // what relative links in the shown page stand on
    std::shared_ptr<Mailbox> mailbox_;
    unsigned generation_ = 0;
};

} // namespace tolvera
