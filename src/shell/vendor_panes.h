#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QTextBrowser;

namespace tolvera {

// The text of a page as its header or its own meta element declares it; UTF-8
// when neither names a set the decoder knows.
QString decodeVendorPage(const QByteArray &body, const QByteArray &contentType);

// One light browser pane showing a page of EP_VENDOR_AD. "qrc:" stands for the
// program's own bundled pages. Anything else is probed with a TCP connect (2 s)
// and fetched with the project's HTTP client off the window's thread; the page
// reaches the pane through a queued call on the pane, so a late answer after the
// window is gone is dropped, and an answer of an older load never overwrites a
// newer one. An unreachable page leaves the pane empty, silently.
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

    QTextBrowser *pane_;
    QString path_;
    std::shared_ptr<Mailbox> mailbox_;
    unsigned generation_ = 0;
};

} // namespace tolvera
