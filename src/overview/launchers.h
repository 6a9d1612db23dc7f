#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tolvera {

// The overview's clickable controls: every count cell, the engine names over the
// count grid (Image2 to Image6) and the thumbnail (Image1).
const QStringList &launcherControls();

// The address a click on the control opens for the domain (Edit1's text trimmed
// of blanks and control characters): a count cell its row's request address, an
// engine name the engine's home page, the thumbnail the domain itself. Nothing
// for the thumbnail with an empty domain, or for a control that opens nothing.
std::optional<QString> launcherAddress(const QString &control, const QString &domain);

} // namespace tolvera
