#include "shell/window_layout.h"

#include "shell/caption_backdrop.h"
#include "shell/picture_button.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <algorithm>
#include <map>

namespace tolvera {

namespace {

using K = ControlKind;

constexpr QRgb kInputColour = qRgb(251, 251, 251);
constexpr QRgb kPositionColour = qRgb(238, 246, 249);
constexpr int kBoxFont = 15;

const QString blanks(int n) {
    return QString(n, QLatin1Char(' '));
}

// The count grid: column lefts and widths per engine, row tops per kind, tab orders.
constexpr int kGridLeft[] = {125, 202, 278, 353, 426};
constexpr int kGridWidth[] = {73, 71, 70, 69, 69};
constexpr int kGridTop[] = {286, 313, 339, 365, 390, 417};
// Rows 1 and 2 in the order the original window's tab stops run; rows 3 to 6
// column by column from 25.
constexpr int kGridTabOrder[5][2] = {{0, 6}, {8, 7}, {10, 9}, {11, 12}, {14, 13}};

int gridTabOrder(int engine, int row) {
    return row < 2 ? kGridTabOrder[engine][row] : 25 + engine * 4 + (row - 2);
}

std::vector<ControlRow> makeLayout() {
    std::vector<ControlRow> rows = {
        // The window, back to front.
        {"RzBackground3", K::Backdrop, "", -11, -34, 800, 600},
        {"RzPageControl1", K::PageControl, "", 0, 63, 787, 476},
        {"TabSheet1", K::Page, "RzPageControl1", 0, 0, 0, 0},
        {"TabSheet2", K::Page, "RzPageControl1", 0, 0, 0, 0, kNoTabStop, {}, 0, 13, "Verdana"},
        {"WebBrowser2", K::Browser, "", -3, 537, 777, 29},
        {"RzBmpButton1", K::Badge, "", 637, 63, 145, 22},

        // Site overview.
        {"RzBackground1", K::Backdrop, "TabSheet1", -6, -27, 806, 475},
        {"Edit1", K::Input, "TabSheet1", 99, 18, 260, 18, 1, {}, kInputColour},
        {"BitBtn1", K::QueryButton, "TabSheet1", 371, 15, 59, 25, 2},
        {"Button3", K::StopButton, "TabSheet1", 441, 15, 59, 25, 3},
        {"RzProgressBar1",
         K::ProgressBar,
         "TabSheet1",
         553,
         13,
         228,
         28,
         kNoTabStop,
         {},
         qRgb(236, 244, 251)},
        {"Edit2", K::Result, "TabSheet1", 90, 68, 151, 17, 17},
        {"Edit3", K::Result, "TabSheet1", 90, 90, 151, 17, 18},
        {"Edit6", K::Result, "TabSheet1", 90, 114, 151, 17, 19},
        {"Edit7", K::Result, "TabSheet1", 90, 138, 151, 17, 20},
        {"Edit4", K::Result, "TabSheet1", 90, 160, 151, 17, 21},
        {"Edit5", K::TextLabel, "TabSheet1", 93, 181, 157, 13, kNoTabStop, blanks(18), 0, 12},
        {"Image1", K::Picture, "TabSheet1", 338, 65, 164, 147},
        {"TXTGJ1", K::Input, "TabSheet1", 552, 83, 139, 18, 4, {}, kInputColour},
        {"BitBtn2", K::QueryButton, "TabSheet1", 695, 78, 59, 25, 5},
        {"TXTBDPH1", K::Result, "TabSheet1", 597, 127, 65, 17, 16, {}, kPositionColour},
        {"TXTGGPH1", K::Result, "TabSheet1", 597, 163, 65, 17, 15, {}, kPositionColour},
        {"WebBrowser1", K::Browser, "TabSheet1", 550, 183, 231, 264, 23},
        {"Image2", K::ClickArea, "TabSheet1", 136, 258, 45, 19},
        {"Image3", K::ClickArea, "TabSheet1", 212, 259, 46, 17},
        {"Image4", K::ClickArea, "TabSheet1", 289, 260, 44, 15},
        {"Image5", K::ClickArea, "TabSheet1", 364, 258, 43, 18},
        {"Image6", K::ClickArea, "TabSheet1", 439, 258, 40, 19},

        // Friend-link audit.
        {"RzBackground2", K::Backdrop, "TabSheet2", -6, -27, 796, 477},
        {"Edit8",
         K::Input,
         "TabSheet2",
         98,
         17,
         261,
         20,
         0,
         {},
         kInputColour,
         kBoxFont,
         "MS Sans Serif"},
        {"Button4", K::QueryButton, "TabSheet2", 369, 14, 59, 25, 1},
        {"Button5", K::StopButton, "TabSheet2", 439, 14, 59, 25, 2},
        {"RzProgressBar2",
         K::ProgressBar,
         "TabSheet2",
         553,
         12,
         227,
         28,
         kNoTabStop,
         {},
         qRgb(232, 241, 246)},
        {"StringGrid1", K::Grid, "TabSheet2", -2, 77, 784, 314, 3, {}, 0, 12, "MS Sans Serif"},
        {"Label1", K::TextLabel, "TabSheet2", 152, 399, 40, 16, kNoTabStop, blanks(8)},
        {"Label2", K::TextLabel, "TabSheet2", 309, 399, 40, 16, kNoTabStop, blanks(8)},
        {"Label3", K::TextLabel, "TabSheet2", 445, 399, 65, 16, kNoTabStop, blanks(13)},
        {"Label4", K::TextLabel, "TabSheet2", 569, 399, 65, 16, kNoTabStop, blanks(13)},
        {"Label5", K::TextLabel, "TabSheet2", 693, 399, 65, 16, kNoTabStop, blanks(13)},
        {"Label9", K::TextLabel, "TabSheet2", 152, 426, 65, 16, kNoTabStop, blanks(13)},
        {"Label10", K::TextLabel, "TabSheet2", 309, 426, 39, 16, kNoTabStop, blanks(13)},
        {"Label6", K::TextLabel, "TabSheet2", 445, 426, 65, 16, kNoTabStop, blanks(13)},
        {"Label7", K::TextLabel, "TabSheet2", 569, 426, 65, 16, kNoTabStop, blanks(13)},
        {"Label8", K::TextLabel, "TabSheet2", 693, 426, 65, 16, kNoTabStop, blanks(13)},
    };
    for (int engine = 0; engine < 5; ++engine) {
        for (int row = 0; row < kGridRows; ++row) {
            const bool neverFilled = engine == 2 && row >= 2; // Yahoo has no time windows
            rows.push_back({gridBoxName(engine, row), K::LinkBox, "TabSheet1", kGridLeft[engine],
                            kGridTop[row], kGridWidth[engine], 17, gridTabOrder(engine, row),
                            neverFilled ? blanks(9) + QStringLiteral("---") : QString()});
        }
    }
    return rows;
}

QFont fontFor(const ControlRow &row, const QFont &inherited) {
    QFont font = inherited;
    if (row.fontFamily)
        font.setFamilies({QString::fromLatin1(row.fontFamily)});
    if (row.fontPixels)
        font.setPixelSize(row.fontPixels);
    return font;
}

QWidget *lineEdit(const ControlRow &row, bool readOnly, QRgb fallback) {
    auto *edit = new QLineEdit(row.text);
    edit->setFrame(false);
    edit->setReadOnly(readOnly);
    edit->setTextMargins(0, 0, 0, 0);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, QColor::fromRgb(row.background ? row.background : fallback));
    edit->setPalette(palette);
    return edit;
}

QWidget *label(const ControlRow &row, bool hand) {
    auto *text = new QLabel(row.text);
    text->setAttribute(Qt::WA_TranslucentBackground);
    if (hand)
        text->setCursor(Qt::PointingHandCursor);
    return text;
}

QWidget *progressBar(const ControlRow &row) {
    auto *bar = new QProgressBar;
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setFormat(QStringLiteral("%p %"));
    bar->setAlignment(Qt::AlignCenter);
    bar->setStyleSheet(QStringLiteral("QProgressBar { border: 0; background: %1; color: "
                                      "rgb(8, 211, 239); } QProgressBar::chunk { background: "
                                      "rgb(8, 211, 239); }")
                           .arg(QColor::fromRgb(row.background).name()));
    return bar;
}

QWidget *pageControl() {
    auto *pages = new QTabWidget;
    pages->setDocumentMode(true);
    pages->tabBar()->setDrawBase(false);
    pages->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { width: 130px; height: 22px; font-family: 'MS Sans Serif'; font-size: "
        "15px; color: rgb(240, 238, 225); background: rgb(184, 222, 241); "
        "border-top-left-radius: 6px; border-top-right-radius: 6px; margin-right: 2px; }"
        "QTabBar::tab:selected, QTabBar::tab:hover { color: blue; background: rgb(217, 233, "
        "248); }"));
    return pages;
}

QWidget *grid() {
    auto *table = new QTableWidget;
    table->setFrameShape(QFrame::NoFrame);
    table->verticalHeader()->hide(); // no fixed column
    table->verticalHeader()->setDefaultSectionSize(20);
    table->hide(); // until an audit fills it
    return table;
}

QWidget *browser() {
    auto *pane = new QTextBrowser;
    pane->setFrameShape(QFrame::NoFrame);
    pane->setOpenLinks(false); // a pane shows what it is given and navigates nowhere
    return pane;
}

QWidget *create(const ControlRow &row) {
    switch (row.kind) {
    case K::Backdrop:
        return new CaptionBackdrop(row.name);
    case K::PageControl:
        return pageControl();
    case K::Page: {
        auto *page = new QWidget;
        page->setAutoFillBackground(true);
        QPalette palette = page->palette();
        palette.setColor(QPalette::Window, QColor(217, 233, 248));
        page->setPalette(palette);
        return page;
    }
    case K::Input:
        return lineEdit(row, false, kInputColour);
    case K::Result:
        return lineEdit(row, true, qRgb(255, 255, 255));
    case K::LinkBox: {
        QWidget *box = lineEdit(row, true, qRgb(255, 255, 255));
        box->setCursor(Qt::PointingHandCursor);
        return box;
    }
    case K::TextLabel:
        return label(row, false);
    case K::Picture: {
        auto *picture = static_cast<QLabel *>(label(row, true));
        picture->setScaledContents(true);
        return picture;
    }
    case K::ClickArea:
        return label(row, true);
    case K::QueryButton:
        return new PictureButton(QStringLiteral("查询"), QStringLiteral(":/art/query"));
    case K::StopButton:
        return new PictureButton(QStringLiteral("停止"), QStringLiteral(":/art/stop"));
    case K::ProgressBar:
        return progressBar(row);
    case K::Browser:
        return browser();
    case K::Badge: {
        auto *badge = new QLabel;
        badge->setPixmap(QPixmap(QStringLiteral(":/art/badge.png")));
        return badge;
    }
    case K::Grid:
        return grid();
    }
    return new QWidget;
}

void setTabOrders(const std::map<QString, QWidget *> &made) {
    std::vector<const ControlRow *> stops;
    for (const ControlRow &row : windowLayout())
        if (row.tabOrder != kNoTabStop)
            stops.push_back(&row);
    std::stable_sort(stops.begin(), stops.end(), [](const ControlRow *a, const ControlRow *b) {
        return a->parent != b->parent ? a->parent < b->parent : a->tabOrder < b->tabOrder;
    });
    for (std::size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(made.at(stops[i - 1]->name), made.at(stops[i]->name));
}

} // namespace

QString gridBoxName(int engine, int row) {
    return QStringLiteral("TXT%1%2").arg(QLatin1String(kGridEngines[engine])).arg(row + 1);
}

const std::vector<ControlRow> &windowLayout() {
    static const std::vector<ControlRow> rows = makeLayout();
    return rows;
}

void buildWindowLayout(QWidget *window) {
    std::map<QString, QWidget *> made;
    for (const ControlRow &row : windowLayout()) {
        QWidget *parent = row.parent.isEmpty() ? window : made.at(row.parent);
        QWidget *widget = create(row);
        widget->setObjectName(row.name);
        const int fontPixels =
            row.fontPixels ? row.fontPixels
            : (row.kind == K::Input || row.kind == K::Result || row.kind == K::LinkBox) ? kBoxFont
                                                                                        : 0;
        ControlRow styled = row;
        styled.fontPixels = fontPixels;
        if (row.kind == K::Page) {
            auto *pages = static_cast<QTabWidget *>(parent);
            pages->addTab(widget, QString());
        } else {
            widget->setParent(parent);
            widget->setGeometry(row.x, row.y, row.w, row.h);
        }
        if (fontPixels || row.fontFamily)
            widget->setFont(fontFor(styled, widget->font()));
        made.emplace(row.name, widget);
    }
    setTabOrders(made);
}

} // namespace tolvera
