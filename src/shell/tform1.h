#pragma once

#include "platform/settings_file.h"

#include <QWidget>
#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QProgressBar;
class QTabWidget;
class QTableWidget;
class QTextBrowser;
class QTimer;

namespace tolvera {

class LinksTab;
class OverviewTab;
class PictureButton;
class Placeholder;
class TrayController;
class VendorPane;

inline const QString kApplicationTitle = QStringLiteral("Tolvera站长工具 V2.03");

// The controls of the site-overview tab, for the runs that fill them.
struct OverviewControls {
    QLineEdit *Edit1, *TXTGJ1;
    PictureButton *BitBtn1, *Button3, *BitBtn2;
    QProgressBar *RzProgressBar1;
    QLineEdit *Edit2, *Edit3, *Edit4, *Edit6, *Edit7;
    QLabel *Edit5, *Image1;
    std::array<QLabel *, 5> engineLinks; // Image2..Image6: Baidu, Google, Yahoo, Sogou, Youdao
    QLineEdit *TXTBDPH1, *TXTGGPH1;
    // counts[engine][row]: engines BD, GG, YH, SG, YD; rows 1 to 6 as TXT..1 to TXT..6.
    std::array<std::array<QLineEdit *, 6>, 5> counts;
};

// The controls of the friend-link tab.
struct LinkControls {
    QLineEdit *Edit8;
    PictureButton *Button4, *Button5;
    QProgressBar *RzProgressBar2;
    QTableWidget *StringGrid1;
    std::array<QLabel *, 10> labels; // Label1 .. Label10
};

// The main window: its controls, the placeholders, the tray, the vendor panes and
// the settings file. The runs of the two tabs live in objects of their own and
// reach the controls through overview() and links().
class TForm1 : public QWidget {
    Q_OBJECT
public:
    struct Options {
        bool trayAvailable;     // whether the desktop has a system tray
        QString settingsFolder; // empty: the user's documents folder
    };
    static Options defaultOptions();

    explicit TForm1(const Options &options = defaultOptions());
    ~TForm1() override;

    const OverviewControls &overview() const { return overview_; }
    const LinkControls &links() const { return links_; }
    QTimer *Timer1() const { return timer1_; }
    QTimer *Timer2() const { return timer2_; }
    QMenu *PopupMenu1() const { return popupMenu1_; }
    TrayController &tray() const { return *tray_; }
    VendorPane &leftPane() const { return *leftPane_; }
    VendorPane &bottomPane() const { return *bottomPane_; }
    const SettingsFile &settings() const { return settings_; }
    OverviewTab &overviewTab() const { return *overviewTab_; }
    LinksTab &linksTab() const { return *linksTab_; }

    // Whether a box shows only its placeholder: the commands treat it as empty.
    bool showsPlaceholder(const QLineEdit *box) const;

    // Writes one key of the settings file. On failure shows "Unable to write to
    // <path>" in the program's error box and returns false: the command stops.
    bool saveSetting(const QString &key, const QString &value);

    void N1Click();
    void N2Click();

signals:
    void closed(); // the window was closed by any means: the program ends

protected:
    void showEvent(QShowEvent *event) override; // FormShow
    void changeEvent(QEvent *event) override;   // wmsyscommand's minimise
    void closeEvent(QCloseEvent *event) override;

private:
    void formCreate(const Options &options);
    void collectControls();
    void restoreInput(QLineEdit *box, const QString &key);

    SettingsFile settings_;
    OverviewControls overview_{};
    LinkControls links_{};
    QTimer *timer1_ = nullptr;
    QTimer *timer2_ = nullptr;
    QMenu *popupMenu1_ = nullptr;
    TrayController *tray_ = nullptr;
    VendorPane *leftPane_ = nullptr;
    VendorPane *bottomPane_ = nullptr;
    std::array<Placeholder *, 3> placeholders_{};
    std::unique_ptr<OverviewTab> overviewTab_;
    std::unique_ptr<LinksTab> linksTab_; // Client1 lives with it
};

} // namespace tolvera
