#pragma once

#include "linkaudit/link_table.h"
#include "runs/delivery_channel.h"
#include "runs/run_ledger.h"
#include "runs/worker.h"

#include <memory>

namespace tolvera {

class TForm1;
struct LinkControls;

// The friend-link tab at work: the harvest into Client1, the audit of every linked
// site, the own-site figures, the summary, the supervising timer and the double
// click that opens a host. Deliveries of a superseded audit are dropped.
class LinksTab : public DeliveryReceiver {
    Q_OBJECT
public:
    explicit LinksTab(TForm1 &form);
    ~LinksTab() override; // closes the channel: later deliveries are dropped

    void Button4Click(); // harvests, then starts the audit
    void Button5Click(); // requests a stop
    void Timer2Timer();
    void initStringGrid(const LinkTable &table);
    void StringGrid1DblClick(int row, int column);

    std::uint8_t linkStop() const { return linkStop_->load(); }
    const LinkTable &Client1() const { return client1_; }

    void receive(const Delivery &delivery) override;

signals:
    void harvested(int links); // Client1 is filled; the grid is about to be laid out
    // The grid is laid out and the workers handed to the thread that starts them:
    // the click's handler returns to the window's event loop.
    void auditLaunched();

private:
    void reset();
    void updateValidOutput(); // Label10 from Label5 and Label2, whenever either changes
    int links() const;

    TForm1 &form_;
    const LinkControls &controls_;
    std::shared_ptr<DeliveryChannel> channel_;
    std::shared_ptr<StopFlag> linkStop_;
    RunLedger ledger_;
    LinkTable client1_;
};

} // namespace tolvera
