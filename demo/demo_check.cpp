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

// A count of 0 is what a failed count query shows; a PageRank, a weight or a
// number of valid links of 0 is a real value.
enum class Zero { IsFailure, IsAValue };

bool isFailure(const QString &text, Zero zero = Zero::IsFailure) {
    static const QStringList failures = {QString(),
                                         QStringLiteral("..."),
                                         QStringLiteral("can not get"),
                                         QString::fromUtf16(tolvera::kNotFound),
                                         QString::fromUtf16(tolvera::kLookupError),
                                         QString::fromUtf16(tolvera::kPageRankError)};
    const QString shown = text.trimmed();
    return failures.contains(shown) || (zero == Zero::IsFailure && shown == QStringLiteral("0"));
}

// The audit's columns and labels whose value may rightly be 0.
constexpr int kPageRankColumn = 3;
constexpr int kWeightColumn = 8;
bool zeroIsAValue(const QString &label) {
    static const QStringList labels = {"Label2", "Label5", "Label9", "Label10"};
    return labels.contains(label);
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
    for (const char *name : {"Edit2", "Edit3", "Edit4", "Edit6", "Edit7", "TXTBDPH1", "TXTGGPH1"}) {
        const Zero zero = qstrcmp(name, "Edit4") == 0 ? Zero::IsAValue : Zero::IsFailure;
        if (isFailure(form.findChild<QLineEdit *>(QLatin1String(name))->text(), zero))
            missing << QLatin1String(name);
    }
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
            const Zero zero = column == kPageRankColumn || column == kWeightColumn
                                  ? Zero::IsAValue
                                  : Zero::IsFailure;
            if (!item || isFailure(item->text(), zero))
                missing << QStringLiteral("StringGrid1[%1,%2]").arg(row).arg(column);
        }
    for (const QLabel *label : form.links().labels)
        if (isFailure(label->text(),
                      zeroIsAValue(label->objectName()) ? Zero::IsAValue : Zero::IsFailure))
            missing << label->objectName();
    return missing;
}

} // namespace demo
