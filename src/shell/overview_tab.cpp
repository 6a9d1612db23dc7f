#include "shell/overview_tab.h"

#include "fetch/text.h"
#include "overview/launchers.h"
#include "overview/site_workers.h"
#include "runs/channel_sink.h"
#include "shell/input_texts.h"
#include "shell/named_control.h"
#include "shell/picture_button.h"
#include "shell/tform1.h"
#include "shell/url_opener.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>

namespace tolvera {

namespace {

// The fields a site run empties; the time-window cells keep the last run's values
// until they are overwritten.
constexpr const char *kSiteFields[] = {"TXTBD1", "TXTBD2", "TXTGG1", "TXTGG2", "TXTYH1", "TXTYH2",
                                       "TXTSG1", "TXTSG2", "TXTYD1", "TXTYD2", "Edit2",  "Edit3",
                                       "Edit4",  "Edit5",  "Edit6",  "Edit7"};

QPixmap pixmapOf(const Picture &picture) {
    const QImage image(reinterpret_cast<const uchar *>(picture.rgb.constData()), picture.width,
                       picture.height, picture.width * 3, QImage::Format_RGB888);
    return QPixmap::fromImage(image.copy()); // the image only borrows the bytes
}

void setText(QWidget *target, const QString &text) {
    if (auto *box = qobject_cast<QLineEdit *>(target)) {
        box->setText(text);
        box->setCursorPosition(0); // a long text shows its start, as the user reads it
    } else if (auto *label = qobject_cast<QLabel *>(target))
        label->setText(text);
}

} // namespace

OverviewTab::OverviewTab(TForm1 &form)
    : DeliveryReceiver(nullptr)
    , form_(form)
    , controls_(form.overview())
    , channel_(std::make_shared<DeliveryChannel>(this))
    , siteStop_(std::make_shared<StopFlag>(0)) {
    for (const auto *rows : {&siteWorkers(), &keywordWorkers()})
        for (const WorkerRow &row : *rows)
            for (const WorkerStep &step : row.steps)
                targets_.insert(QLatin1String(step.target),
                                named(&form, QLatin1String(step.target)));
    for (const QString &name : launcherControls())
        named(&form, name)->installEventFilter(this);

    connect(controls_.BitBtn1, &QAbstractButton::clicked, this, &OverviewTab::BitBtn1Click);
    connect(controls_.Button3, &QAbstractButton::clicked, this, &OverviewTab::Button3Click);
    connect(controls_.BitBtn2, &QAbstractButton::clicked, this, &OverviewTab::BitBtn2Click);
    connect(form.Timer1(), &QTimer::timeout, this, &OverviewTab::Timer1Timer);
}

OverviewTab::~OverviewTab() {
    channel_->close();
}

bool OverviewTab::siteGiven() {
    if (!givesNothing(controls_.Edit1, kAddressHint))
        return true;
    QMessageBox::information(&form_, kApplicationTitle, kAskForAddress);
    controls_.Edit1->setFocus(Qt::OtherFocusReason);
    return false;
}

void OverviewTab::BitBtn1Click() {
    if (!siteGiven() || !form_.saveSetting(settings_keys::kAddress, controls_.Edit1->text()))
        return;
    const RunTicket run = ledger_.start(RunKind::Site);
    clearSiteFields();
    clearph();
    controls_.BitBtn1->setEnabled(false);
    // One copy of the domain for every request of the run.
    const WorkerInput input{trimControls(controls_.Edit1->text()), QString()};
    startWorkers(siteWorkers(), input, channel_, siteStop_, run);
}

void OverviewTab::Button3Click() {
    siteStop_->store(1);
}

void OverviewTab::BitBtn2Click() {
    if (!siteGiven())
        return;
    if (givesNothing(controls_.TXTGJ1, kKeywordHint)) {
        QMessageBox::information(&form_, kApplicationTitle, kAskForKeyword);
        controls_.TXTGJ1->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!form_.saveSetting(settings_keys::kKeyword, controls_.TXTGJ1->text()))
        return;
    const RunTicket run = ledger_.start(RunKind::Keyword);
    clearph();
    controls_.BitBtn2->setEnabled(false);
    const WorkerInput input{trimControls(controls_.Edit1->text()),
                            trimControls(controls_.TXTGJ1->text())};
    startWorkers(keywordWorkers(), input, channel_, siteStop_, run);
}

void OverviewTab::Timer1Timer() {
    if (progress_ >= 100) {
        siteStop_->store(0);
        controls_.BitBtn1->setEnabled(true);
        controls_.BitBtn2->setEnabled(true);
    } else if (siteStop_->load() == 1) {
        controls_.BitBtn1->setEnabled(true);
        controls_.BitBtn2->setEnabled(true);
        siteStop_->store(0);
    }
}

void OverviewTab::clearSiteFields() {
    setProgress(0);
    for (const char *name : kSiteFields)
        setText(targets_.value(QLatin1String(name)), QString());
    controls_.Image1->clear();
}

void OverviewTab::clearph() {
    setProgress(0);
    controls_.TXTBDPH1->clear();
    controls_.TXTGGPH1->clear();
}

void OverviewTab::launch(const QString &control) {
    const QString domain = trimControls(controls_.Edit1->text());
    if (const std::optional<QString> address = launcherAddress(control, domain))
        openInBrowser(*address);
}

void OverviewTab::receive(const Delivery &delivery) {
    if (!ledger_.isCurrent(delivery.run))
        return; // a newer run of this kind owns the fields and the bar now
    if (delivery.target.isEmpty())
        setProgress(progress_ + delivery.share);
    else if (QWidget *target = targets_.value(delivery.target))
        show(target, delivery.answer);
}

void OverviewTab::show(QWidget *target, const Answer &answer) {
    if (const QString *text = std::get_if<QString>(&answer))
        setText(target, *text);
    else if (const Picture *picture = std::get_if<Picture>(&answer))
        if (auto *label = qobject_cast<QLabel *>(target))
            label->setPixmap(pixmapOf(*picture));
}

void OverviewTab::setProgress(int value) {
    progress_ = value;
    controls_.RzProgressBar1->setValue(std::clamp(value, 0, 100));
}

bool OverviewTab::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const auto *control = static_cast<QWidget *>(watched);
        if (mouse->button() == Qt::LeftButton &&
            control->rect().contains(mouse->position().toPoint()))
            launch(control->objectName());
    }
    return false;
}

} // namespace tolvera
