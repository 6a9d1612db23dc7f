#pragma once

#include <QString>
#include <QStringList>

namespace tolvera {
class TForm1;
}

namespace demo {

// Presses 查询 for the site, waits for the run to end, asks for the keyword's
// positions and waits again. False when a run did not end in time.
bool performOverviewRuns(tolvera::TForm1 &form);

// Presses the friend-link tab's 查询 and waits until the audit and every worker
// have ended. False when it did not end in time.
bool performAudit(tolvera::TForm1 &form);

// The figures that stayed empty or show a failure text, by control name (a grid
// cell as "StringGrid1[row,column]"): what a demo against the simulated web must
// never show.
QStringList missingOverviewFigures(const tolvera::TForm1 &form);
QStringList missingAuditFigures(const tolvera::TForm1 &form);

} // namespace demo
