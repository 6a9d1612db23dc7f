#include "shell/links_tab.h"

#include "fetch/text.h"
#include "linkaudit/audit_numbers.h"
#include "linkaudit/audit_run.h"
#include "linkaudit/harvest.h"
#include "shell/input_texts.h"
#include "shell/picture_button.h"
#include "shell/tform1.h"
#include "shell/url_opener.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>

namespace tolvera {

namespace {

struct GridColumn {
    const char16_t *header;
    int width;
};
constexpr GridColumn kGridColumns[kAuditColumns] = {
    {u"序号", 30},     {u"链接地址", 150}, {u"谷歌收录", 69}, {u"Pr", 30},       {u"百度收录", 59},
    {u"百度快照", 59}, {u"链接数", 59},    {u"反链", 59},     {u"获取权重", 59},
};

// The table's fields shown in columns 0 to 7; column 8 has none.
constexpr LinkField kColumnFields[] = {LF_SEQ,  LF_HTTP, LF_GGSL, LF_PR,
                                       LF_BDSL, LF_BDKZ, LF_LZS,  LF_FL};

QString cellText(const QTableWidget *grid, int row, int column) {
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

void setCell(QTableWidget *grid, int row, int column, const QString &text) {
    if (QTableWidgetItem *item = grid->item(row, column))
        item->setText(text);
    else
        grid->setItem(row, column, new QTableWidgetItem(text));
}

// Shows what was done so far while the window thread is about to block: no click
// or close may reach the window in between and run a command inside a command.
void repaintWithoutInput() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

LinksTab::LinksTab(TForm1 &form)
    : DeliveryReceiver(nullptr)
    , form_(form)
    , controls_(form.links())
    , channel_(std::make_shared<DeliveryChannel>(this))
    , linkStop_(std::make_shared<StopFlag>(0)) {
    controls_.StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(controls_.Button4, &QAbstractButton::clicked, this, &LinksTab::Button4Click);
    connect(controls_.Button5, &QAbstractButton::clicked, this, &LinksTab::Button5Click);
    connect(controls_.StringGrid1, &QTableWidget::cellDoubleClicked, this,
            &LinksTab::StringGrid1DblClick);
    connect(form.Timer2(), &QTimer::timeout, this, &LinksTab::Timer2Timer);
}

LinksTab::~LinksTab() {
    channel_->close();
}

void LinksTab::Button4Click() {
    if (givesNothing(controls_.Edit8, kAddressHint)) {
        QMessageBox::information(&form_, kApplicationTitle, kAskForAddress);
        controls_.Edit8->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!form_.saveSetting(settings_keys::kAddress1, controls_.Edit8->text()))
        return;
    const QString address = trimControls(controls_.Edit8->text());
    const RunTicket run = ledger_.start(RunKind::Audit);
    reset();
    repaintWithoutInput();

    client1_.clear();
    getqty1(client1_, controls_.Edit8->text()); // blocks for the home page, within the fetch limits
    emit harvested(client1_.count());
    if (client1_.count() == 0)
        return;

    initStringGrid(client1_);
    controls_.Button4->setEnabled(false);
    repaintWithoutInput();
    QTableWidget *grid = controls_.StringGrid1;
    QStringList hosts;
    for (int row = 0; row < grid->rowCount(); ++row) {
        for (int column = kGoogleColumn; column < kAuditColumns; ++column)
            if (trimControls(cellText(grid, row, column)).isEmpty())
                setCell(grid, row, column, kWaiting);
        hosts << trimControls(cellText(grid, row, kHostColumn));
    }
    startAudit(hosts, address, channel_, linkStop_, run);
    emit auditLaunched();
}

void LinksTab::Button5Click() {
    linkStop_->store(1);
}

void LinksTab::Timer2Timer() {
    if (controls_.RzProgressBar2->value() == 100) {
        linkStop_->store(0);
        controls_.Button4->setEnabled(true);
    } else if (linkStop_->load() == 1) {
        controls_.Button4->setEnabled(true);
        linkStop_->store(0);
    }
}

void LinksTab::reset() {
    for (QLabel *label : controls_.labels)
        label->clear();
    linkStop_->store(0);
    controls_.StringGrid1->hide();
    controls_.StringGrid1->setRowCount(0);
    controls_.RzProgressBar2->setValue(0);
}

void LinksTab::initStringGrid(const LinkTable &table) {
    QTableWidget *grid = controls_.StringGrid1;
    grid->show();
    grid->setColumnCount(kAuditColumns);
    grid->setRowCount(table.count());
    QStringList headers;
    for (int column = 0; column < kAuditColumns; ++column) {
        grid->setColumnWidth(column, kGridColumns[column].width);
        headers << QString::fromUtf16(kGridColumns[column].header);
    }
    grid->setHorizontalHeaderLabels(headers);
    controls_.labels[0]->setText(QString::number(table.count()));
    for (int row = 0; row < table.count(); ++row) {
        const LinkRow &link = table.row(row);
        for (int column = 0; column < kAuditColumns - 1; ++column) {
            const LinkField field = kColumnFields[column];
            const QString text =
                field == LF_SEQ ? QString::number(link.seq) : trimControls(link.text(field));
            setCell(grid, row, column, text);
        }
    }
}

void LinksTab::StringGrid1DblClick(int row, int column) {
    if (column == kHostColumn)
        openInBrowser(QStringLiteral("http://") +
                      trimControls(cellText(controls_.StringGrid1, row, column)));
}

void LinksTab::receive(const Delivery &delivery) {
    if (!ledger_.isCurrent(delivery.run) || delivery.target.isEmpty())
        return; // a newer audit owns the tab now; own-site workers take no part in the bar
    const QString *text = std::get_if<QString>(&delivery.answer);
    if (delivery.target == QLatin1String("StringGrid1")) {
        QTableWidget *grid = controls_.StringGrid1;
        if (text && delivery.row >= 0 && delivery.row < grid->rowCount())
            setCell(grid, delivery.row, delivery.column, *text);
    } else if (delivery.target == QLatin1String("RzProgressBar2")) {
        // Summaries arrive in the order they were made; the bar never goes back.
        QProgressBar *bar = controls_.RzProgressBar2;
        bar->setValue(std::max(bar->value(), delivery.share));
    } else if (text) {
        if (QLabel *label = form_.findChild<QLabel *>(delivery.target)) {
            label->setText(*text);
            if (label == controls_.labels[1] || label == controls_.labels[4])
                updateValidOutput();
        }
    }
}

int LinksTab::links() const {
    return controls_.StringGrid1->rowCount();
}

void LinksTab::updateValidOutput() {
    const std::optional<double> own = decimalNumber(controls_.labels[4]->text());
    const std::optional<double> average = decimalNumber(controls_.labels[1]->text());
    controls_.labels[9]->setText(own && average && links() > 0
                                     ? numberText(roundTo2((*own + *average) / links()))
                                     : QString());
}

} // namespace tolvera
