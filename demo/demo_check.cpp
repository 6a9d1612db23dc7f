#include "demo_check.h"

#include "queries/result_texts.h"
#include "shell/overview_tab.h"
#include "shell/picture_button.h"
#include "shell/tform1.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>

namespace demo {

namespace {

using tolvera::TForm1;

// The bar at 100, and the timer's next tick has given both buttons back.
bool waitForRunEnd(const TForm1 &form) {
    const auto ended = [&form] {
        return form.overviewTab().progress() >= 100 && form.overview().BitBtn1->isEnabled() &&
               form.overview().BitBtn2->isEnabled();
    };
    QDeadlineTimer deadline(60'000);
    while (!ended() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return ended();
}

bool isFailure(const QString &text) {
    static const QStringList failures = {QString(),
                                         QStringLiteral("0"),
                                         QStringLiteral("can not get"),
                                         QString::fromUtf16(tolvera::kNotFound),
                                         QString::fromUtf16(tolvera::kLookupError),
                                         QString::fromUtf16(tolvera::kPageRankError)};
    return failures.contains(text.trimmed());
}

} // namespace

bool performRuns(TForm1 &form) {
    form.overview().BitBtn1->click();
    if (!waitForRunEnd(form))
        return false;
    form.overview().BitBtn2->click();
    return waitForRunEnd(form);
}

QStringList missingFigures(const TForm1 &form) {
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

} // namespace demo
