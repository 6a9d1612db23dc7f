#pragma once

#include "platform/instance_lock.h"
#include "shell/tform1.h"

class QApplication;

namespace tolvera {

inline const QString kInstanceLockName = QStringLiteral("ZUDA");
inline const QString kAlreadyRunning = QStringLiteral("Tolvera站长查询工具，正在运行中...");

// The program after its single-instance check: a second start only says that the
// tool is running and ends; the first shows the window and runs until it closes.
int runProgram(QApplication &app, InstanceLock::State lock, const TForm1::Options &options);

} // namespace tolvera
