#pragma once

#include "runs/delivery_channel.h"
#include "runs/run_ledger.h"
#include "runs/worker.h"

#include <QHash>
#include <memory>

class QWidget;

namespace tolvera {

class TForm1;
struct OverviewControls;

// The site overview tab at work: the site query run, the keyword ranking, the
// supervising timer and the launchers. Workers deliver through the channel; a
// delivery of a run that a newer run of its kind has superseded is dropped.
class OverviewTab : public DeliveryReceiver {
    Q_OBJECT
public:
    explicit OverviewTab(TForm1 &form);
    ~OverviewTab() override; // closes the channel: later deliveries are dropped

    void BitBtn1Click(); // starts a site run
    void Button3Click(); // requests a stop
    void BitBtn2Click(); // starts a keyword ranking
    void Timer1Timer();
    void clearSiteFields();
    void clearph();
    void launch(const QString &control); // TXTBD1Click ... Image6Click

    std::uint8_t siteStop() const { return siteStop_->load(); }
    int progress() const { return progress_; } // may pass 100 when runs overlap

    void receive(const Delivery &delivery) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool siteGiven(); // says so and puts the focus into Edit1 when not
    void setProgress(int value);
    void show(QWidget *target, const Answer &answer);

    TForm1 &form_;
    const OverviewControls &controls_;
    std::shared_ptr<DeliveryChannel> channel_;
    std::shared_ptr<StopFlag> siteStop_;
    RunLedger ledger_;
    int progress_ = 0;
    QHash<QString, QWidget *> targets_; // the fields workers fill, by name
};

} // namespace tolvera
