#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <functional>

namespace tolvera::test {

// Runs an action that may answer with a modal message box; presses the box's OK
// and returns its text (empty when none came).
inline QString messageShownBy(const std::function<void()> &action) {
    QString text;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&text] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        }
    });
    poll.start(10);
    action();
    return text;
}

inline QString clickForMessage(QAbstractButton *button) {
    return messageShownBy([button] { QTest::mouseClick(button, Qt::LeftButton); });
}

// Types into a box as a user does: a click (which takes a placeholder away), the
// old text selected and deleted, then the new text (ASCII: QTest types no other).
inline void typeInto(QLineEdit *box, const QString &text) {
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

// Catches every address the program hands to a browser, so that no test ever
// starts one; registered for the schemes given while it lives.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(QStringList schemes = {"http", "https", "file", "javascript"})
        : schemes_(std::move(schemes)) {
        for (const QString &scheme : schemes_)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override {
        for (const QString &scheme : schemes_)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }

private:
    QStringList schemes_;
};

} // namespace tolvera::test
