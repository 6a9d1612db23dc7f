#pragma once

#include <QString>
#include <QStringList>

namespace tolvera {
class TForm1;
}

namespace demo {

// Presses 查询 for the site, waits for the bar to reach 100, then asks for the
// keyword's positions and waits again. False when a run did not end in time.
bool performRuns(tolvera::TForm1 &form);

// The figures of the overview tab that stayed empty or show a failure text, by
// control name: what a demo against the simulated web must never show.
QStringList missingFigures(const tolvera::TForm1 &form);

} // namespace demo
