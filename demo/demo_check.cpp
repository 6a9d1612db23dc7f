#include "demo_check.h"

#include "queries/result_texts.h"
#include "runs/worker_threads.h"
#include "shell/overview_tab.h"
#include "shell/picture_button.h"
#include "shell/tform1.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableWidget>
#include <functional>

namespace demo {

namespace {

using tolvera::TForm1;

bool waitFor(const std::function<bool()> &done) {
    QDeadlineTimer deadline(60'000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
    return done();
}

// The bar at 100, the timer's next tick has given the buttons back, and every
// worker has delivered.
bool overviewEnded(const TForm1 &form) {
    return form.overviewTab().progress() >= 100 && form.overview().BitBtn1->isEnabled() &&
           form.overview().BitBtn2->isEnabled() && tolvera::runningThreads() == 0;
}

bool auditEnded(const TForm1 &form) {
    return form.links().RzProgressBar2->value() == 100 && form.links().Button4->isEnabled() &&
           tolvera::runningThreads() == 0;
}

bool isFailure(const QString &text) {
    static const QStringList failures = {QString(),
                                         QStringLiteral("0"),
                                         QStringLiteral("..."),
                                         QStringLiteral("can not get"),
                                         QString::fromUtf16(tolvera::kNotFound),
                                         QString::fromUtf16(tolvera::kLookupError),
                                         QString::fromUtf16(tolvera::kPageRankError)};
    return failures.contains(text.trimmed());
}

} // namespace

bool performOverviewRuns(TForm1 &form) {
    form.overview().BitBtn1->click();
    if (!waitFor([&form] { return overviewEnded(form); }))
        return false;
    form.overview().BitBtn2->click();
    return waitFor([&form] { return overviewEnded(form); });
}

bool performAudit(TForm1 &form) {
    form.links().Button4->click();
    return waitFor([&form] { return auditEnded(form); });
}

QStringList missingOverviewFigures(const TForm1 &form) {
    QStringList missing;
    for (const char *name : {"Edit2", "Edit3", "Edit4", "Edit6", "Edit7", "TXTBDPH1", "TXTGGPH1"})
        if (isFailure(form.findChild<QLineEdit *>(QLatin1String(name))->text()))
            missing << QLatin1String(name);
    if (isFailure(form.overview().Edit5->text()))
        missing << QStringLiteral("Edit5");
    for (const auto &engine : form.overview().counts)
        for (const QLineEdit *cell : engine)
            if (!cell->text().endsWith(QStringLiteral("---")) && isFailure(cell->text()))
                missing << cell->objectName();
    if (form.overview().Image1->pixmap().isNull())
        missing << QStringLiteral("Image1");
    return missing;
}

QStringList missingAuditFigures(const TForm1 &form) {
    QStringList missing;
    const QTableWidget *grid = form.links().StringGrid1;
    if (grid->rowCount() == 0)
        missing << QStringLiteral("StringGrid1");
    for (int row = 0; row < grid->rowCount(); ++row)
        for (int column = 0; column < grid->columnCount(); ++column) {
            const QTableWidgetItem *item = grid->item(row, column);
            // A site that does not link back passes on a weight of 0, rightly.
            const bool zeroWeight = column == 8 && item && item->text() == QStringLiteral("0");
            if (!item || (isFailure(item->text()) && !zeroWeight))
                missing << QStringLiteral("StringGrid1[%1,%2]").arg(row).arg(column);
        }
    for (const QLabel *label : form.links().labels)
        if (isFailure(label->text()))
            missing << label->objectName();
    return missing;
}

} // namespace demo
