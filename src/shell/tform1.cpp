#include "shell/tform1.h"

#include "shell/enter_as_tab.h"
#include "shell/input_texts.h"
#include "shell/links_tab.h"
#include "shell/named_control.h"
#include "shell/overview_tab.h"
#include "shell/picture_button.h"
#include "shell/placeholder.h"
#include "shell/tray_controller.h"
#include "shell/vendor_panes.h"
#include "shell/window_layout.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>

// The artwork and the bundled pages live in a static library: its resources
// must be registered by hand, or the linker drops them.
static void registerAssets() {
    Q_INIT_RESOURCE(assets);
}

namespace tolvera {

namespace {

constexpr int kTimerIntervalMs = 500;

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/art/icon_%1.png").arg(size), QSize(size, size));
    return icon;
}

QTimer *supervisingTimer(QObject *owner, const QString &name) {
    auto *timer = new QTimer(owner);
    timer->setObjectName(name);
    timer->setInterval(kTimerIntervalMs);
    timer->start();
    return timer;
}

} // namespace

TForm1::Options TForm1::defaultOptions() {
    return {QSystemTrayIcon::isSystemTrayAvailable(), QString()};
}

TForm1::TForm1(const Options &options)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , settings_(options.settingsFolder.isEmpty() ? SettingsFile()
                                                 : SettingsFile(options.settingsFolder)) {
    registerAssets();
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(786, 565);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(184, 222, 241));
    setPalette(palette);
    setWindowIcon(programIcon());
    buildWindowLayout(this);
    collectControls();
    formCreate(options);
    overviewTab_ = std::make_unique<OverviewTab>(*this);
    linksTab_ = std::make_unique<LinksTab>(*this);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TForm1::~TForm1() {
    // The runs go first: their channels close before any control they fill is gone.
    overviewTab_.reset();
    linksTab_.reset();
    // FormDestroy: no icon may outlive the window.
    tray_->removeIcon();
}

void TForm1::collectControls() {
    auto edit = [this](const QString &name) { return named<QLineEdit>(this, name); };
    auto label = [this](const QString &name) { return named<QLabel>(this, name); };
    auto button = [this](const QString &name) { return named<PictureButton>(this, name); };
    overview_.Edit1 = edit("Edit1");
    overview_.TXTGJ1 = edit("TXTGJ1");
    overview_.BitBtn1 = button("BitBtn1");
    overview_.Button3 = button("Button3");
    overview_.BitBtn2 = button("BitBtn2");
    overview_.RzProgressBar1 = named<QProgressBar>(this, "RzProgressBar1");
    overview_.Edit2 = edit("Edit2");
    overview_.Edit3 = edit("Edit3");
    overview_.Edit4 = edit("Edit4");
    overview_.Edit6 = edit("Edit6");
    overview_.Edit7 = edit("Edit7");
    overview_.Edit5 = label("Edit5");
    overview_.Image1 = label("Image1");
    for (int i = 0; i < 5; ++i)
        overview_.engineLinks[i] = label(QStringLiteral("Image%1").arg(i + 2));
    overview_.TXTBDPH1 = edit("TXTBDPH1");
    overview_.TXTGGPH1 = edit("TXTGGPH1");
    for (int engine = 0; engine < 5; ++engine)
        for (int row = 0; row < kGridRows; ++row)
            overview_.counts[engine][row] = edit(gridBoxName(engine, row));

    links_.Edit8 = edit("Edit8");
    links_.Button4 = button("Button4");
    links_.Button5 = button("Button5");
    links_.RzProgressBar2 = named<QProgressBar>(this, "RzProgressBar2");
    links_.StringGrid1 = named<QTableWidget>(this, "StringGrid1");
    for (int i = 0; i < 10; ++i)
        links_.labels[i] = label(QStringLiteral("Label%1").arg(i + 1));
}

void TForm1::formCreate(const Options &options) {
    // 1 and 8: Client1 lives with the friend-link tab, made after this; linkLock
    // with the counters of each audit run, which its workers share.
    setWindowTitle(kApplicationTitle); // 2
    auto *pages = named<QTabWidget>(this, "RzPageControl1");
    pages->setTabText(0, QStringLiteral("收录查询")); // 3
    pages->setTabText(1, QStringLiteral("友情链接"));

    popupMenu1_ = new QMenu(this); // 4: the tray icon, not shown yet
    popupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
    QAction *n1 = popupMenu1_->addAction(QStringLiteral("工具显窗"), this, &TForm1::N1Click);
    n1->setObjectName(QStringLiteral("N1"));
    QAction *n2 = popupMenu1_->addAction(QStringLiteral("退出工具"), this, &TForm1::N2Click);
    n2->setObjectName(QStringLiteral("N2"));
    tray_ = new TrayController(this, popupMenu1_, options.trayAvailable);

    pages->setCurrentIndex(0); // 5

    placeholders_ = {new Placeholder(overview_.Edit1, kAddressHint), // 6
                     new Placeholder(overview_.TXTGJ1, kKeywordHint),
                     new Placeholder(links_.Edit8, kAddressHint)};
    for (Placeholder *placeholder : placeholders_)
        placeholder->put();

    restoreInput(overview_.Edit1, settings_keys::kAddress); // 7
    restoreInput(overview_.TXTGJ1, settings_keys::kKeyword);
    restoreInput(links_.Edit8, settings_keys::kAddress1);

    timer1_ = supervisingTimer(this, QStringLiteral("Timer1"));
    timer2_ = supervisingTimer(this, QStringLiteral("Timer2"));
    new EnterAsTab(this);
    leftPane_ = new VendorPane(named<QTextBrowser>(this, "WebBrowser1"),
                               QStringLiteral("/ad/tool_Left.html"));
    bottomPane_ = new VendorPane(named<QTextBrowser>(this, "WebBrowser2"),
                                 QStringLiteral("/ad/tool_boot.html"));
}

void TForm1::restoreInput(QLineEdit *box, const QString &key) {
    const QString value = settings_.read(key);
    if (!value.trimmed().isEmpty())
        box->setText(value);
}

bool TForm1::showsPlaceholder(const QLineEdit *box) const {
    for (const Placeholder *placeholder : placeholders_)
        if (placeholder->parent() == box)
            return placeholder->isShown();
    return false;
}

bool TForm1::saveSetting(const QString &key, const QString &value) {
    if (settings_.write(key, value))
        return true;
    QMessageBox::critical(this, kApplicationTitle, settings_.writeError());
    return false;
}

void TForm1::N1Click() {
    tray_->restore();
}

void TForm1::N2Click() {
    close();
}

void TForm1::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return; // the platform re-exposing the window is not a new showing
    leftPane_->pane()->resize(231, 264);
    bottomPane_->pane()->resize(777, 29);
    leftPane_->load();
    bottomPane_->load();
}

void TForm1::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized))
        tray_->onMinimised();
}

void TForm1::closeEvent(QCloseEvent *event) {
    tray_->removeIcon();
    event->accept();
    emit closed();
}

} // namespace tolvera
