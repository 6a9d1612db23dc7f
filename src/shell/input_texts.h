#pragma once

#include "fetch/text.h"

#include <QLineEdit>
#include <QString>

namespace tolvera {

// The placeholders the input boxes show while empty; every command treats a box
// showing one as empty.
inline const QString kAddressHint = QStringLiteral("请输入要查询的网址");
inline const QString kKeywordHint = QStringLiteral("请输入关键字");

// What a start command says when its box gives nothing.
inline const QString kAskForAddress = QStringLiteral("请输入要查询的网址~~");
inline const QString kAskForKeyword = QStringLiteral("请输入要查询的关键词~~");

// A box a command treats as empty: blank, or showing its placeholder.
inline bool givesNothing(const QLineEdit *box, const QString &placeholder) {
    const QString text = trimControls(box->text());
    return text.isEmpty() || text == placeholder;
}

} // namespace tolvera
