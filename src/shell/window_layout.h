#pragma once

#include <QRgb>
#include <QString>
#include <vector>

class QWidget;

namespace tolvera {

// What a control of the window is; each kind maps to one widget class.
enum class ControlKind {
    Backdrop,    // CaptionBackdrop: a background picture with its painted captions
    PageControl, // QTabWidget
    Page,        // a tab page of the page control
    Input,       // QLineEdit the user types into
    Result,      // read-only QLineEdit
    LinkBox,     // read-only QLineEdit with the hand cursor, opens a page when clicked
    TextLabel,   // transparent QLabel
    Picture,     // QLabel showing a picture stretched to its frame
    ClickArea,   // transparent QLabel with the hand cursor
    QueryButton, // PictureButton reading 查询
    StopButton,  // PictureButton reading 停止
    ProgressBar, // QProgressBar
    Browser,     // QTextBrowser, the light pane for the vendor pages
    Badge,       // QLabel with the product badge
    Grid,        // QTableWidget
};

inline constexpr int kNoTabStop = -1;

// One control of the window. Positions are relative to the parent's client area.
struct ControlRow {
    QString name;
    ControlKind kind;
    QString parent; // empty for the window itself
    int x, y, w, h;
    int tabOrder = kNoTabStop; // among the parent's controls
    QString text = {};
    QRgb background = 0; // 0: the kind's own colour
    int fontPixels = 0;  // 0: the parent's font
    const char *fontFamily = nullptr;
};

// Every control of the window, in creation order (which is back to front among siblings).
const std::vector<ControlRow> &windowLayout();

// Creates every control of the layout under the window.
void buildWindowLayout(QWidget *window);

// The count grid: its engines (columns) and kinds of count (rows).
inline constexpr const char *kGridEngines[] = {"BD", "GG", "YH", "SG", "YD"};
inline constexpr int kGridRows = 6;
QString gridBoxName(int engine, int row); // "TXTBD1" ... "TXTYD6"

} // namespace tolvera
