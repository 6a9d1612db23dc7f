#pragma once

#include "platform/instance_lock.h"
#include "shell/tform1.h"

#include <chrono>

class QApplication;

namespace tolvera {

inline const QString kInstanceLockName = QStringLiteral("ZUDA");
inline const QString kAlreadyRunning = QStringLiteral("Tolvera站长查询工具，正在运行中...");

// The program after its single-instance check: a second start only says that the
// tool is running and ends; the first shows the window and runs until it closes.
int runProgram(QApplication &app, InstanceLock::State lock, const TForm1::Options &options);

// How long the end of the program waits for its threads after aborting their requests.
inline constexpr std::chrono::milliseconds kEndLimit{900};

// The end of the program after its window has gone: aborts every request in flight,
// waits for every thread the program started and returns the exit code. A thread
// that does not end in time makes the process leave at once without destroying
// statics, so no thread ever touches a destroyed one.
int endProgram(int code);

} // namespace tolvera
