// Every control of the main window by name: kind, geometry, tab order, text, look.
#include "hermetic_home.h"
#include "shell/caption_backdrop.h"
#include "shell/picture_button.h"
#include "shell/tform1.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>
#include <map>

using tolvera::TForm1;

namespace {

struct Expected {
    QString name;
    QString kind; // class name
    QString parent;
    QRect geometry; // empty: laid out by the page control
    int tabOrder;   // -1: no tab stop of its own
    QString text;   // for boxes and labels; "*" when not checked
};

QString blanks(int n) {
    return QString(n, ' ');
}

std::vector<Expected> expectedControls() {
    const QString any = "*";
    std::vector<Expected> rows = {
        {"RzBackground3", "tolvera::CaptionBackdrop", "Form1", {-11, -34, 800, 600}, -1, any},
        {"RzPageControl1", "QTabWidget", "Form1", {0, 63, 787, 476}, -1, any},
        {"WebBrowser2", "QTextBrowser", "Form1", {-3, 537, 777, 29}, -1, any},
        {"RzBmpButton1", "QLabel", "Form1", {637, 63, 145, 22}, -1, ""},
        {"RzBackground1", "tolvera::CaptionBackdrop", "TabSheet1", {-6, -27, 806, 475}, -1, any},
        {"Edit1", "QLineEdit", "TabSheet1", {99, 18, 260, 18}, 1, "请输入要查询的网址"},
        {"BitBtn1", "tolvera::PictureButton", "TabSheet1", {371, 15, 59, 25}, 2, "查询"},
        {"Button3", "tolvera::PictureButton", "TabSheet1", {441, 15, 59, 25}, 3, "停止"},
        {"RzProgressBar1", "QProgressBar", "TabSheet1", {553, 13, 228, 28}, -1, "0 %"},
        {"Edit2", "QLineEdit", "TabSheet1", {90, 68, 151, 17}, 17, ""},
        {"Edit3", "QLineEdit", "TabSheet1", {90, 90, 151, 17}, 18, ""},
        {"Edit6", "QLineEdit", "TabSheet1", {90, 114, 151, 17}, 19, ""},
        {"Edit7", "QLineEdit", "TabSheet1", {90, 138, 151, 17}, 20, ""},
        {"Edit4", "QLineEdit", "TabSheet1", {90, 160, 151, 17}, 21, ""},
        {"Edit5", "QLabel", "TabSheet1", {93, 181, 157, 13}, -1, blanks(18)},
        {"Image1", "QLabel", "TabSheet1", {338, 65, 164, 147}, -1, ""},
        {"TXTGJ1", "QLineEdit", "TabSheet1", {552, 83, 139, 18}, 4, "请输入关键字"},
        {"BitBtn2", "tolvera::PictureButton", "TabSheet1", {695, 78, 59, 25}, 5, "查询"},
        {"TXTBDPH1", "QLineEdit", "TabSheet1", {597, 127, 65, 17}, 16, ""},
        {"TXTGGPH1", "QLineEdit", "TabSheet1", {597, 163, 65, 17}, 15, ""},
        {"WebBrowser1", "QTextBrowser", "TabSheet1", {550, 183, 231, 264}, 23, any},
        {"Image2", "QLabel", "TabSheet1", {136, 258, 45, 19}, -1, ""},
        {"Image3", "QLabel", "TabSheet1", {212, 259, 46, 17}, -1, ""},
        {"Image4", "QLabel", "TabSheet1", {289, 260, 44, 15}, -1, ""},
        {"Image5", "QLabel", "TabSheet1", {364, 258, 43, 18}, -1, ""},
        {"Image6", "QLabel", "TabSheet1", {439, 258, 40, 19}, -1, ""},
        {"RzBackground2", "tolvera::CaptionBackdrop", "TabSheet2", {-6, -27, 796, 477}, -1, any},
        {"Edit8", "QLineEdit", "TabSheet2", {98, 17, 261, 20}, 0, "请输入要查询的网址"},
        {"Button4", "tolvera::PictureButton", "TabSheet2", {369, 14, 59, 25}, 1, "查询"},
        {"Button5", "tolvera::PictureButton", "TabSheet2", {439, 14, 59, 25}, 2, "停止"},
        {"RzProgressBar2", "QProgressBar", "TabSheet2", {553, 12, 227, 28}, -1, "0 %"},
        {"StringGrid1", "QTableWidget", "TabSheet2", {-2, 77, 784, 314}, 3, any},
        {"Label1", "QLabel", "TabSheet2", {152, 399, 40, 16}, -1, blanks(8)},
        {"Label2", "QLabel", "TabSheet2", {309, 399, 40, 16}, -1, blanks(8)},
        {"Label3", "QLabel", "TabSheet2", {445, 399, 65, 16}, -1, blanks(13)},
        {"Label4", "QLabel", "TabSheet2", {569, 399, 65, 16}, -1, blanks(13)},
        {"Label5", "QLabel", "TabSheet2", {693, 399, 65, 16}, -1, blanks(13)},
        {"Label9", "QLabel", "TabSheet2", {152, 426, 65, 16}, -1, blanks(13)},
        {"Label10", "QLabel", "TabSheet2", {309, 426, 39, 16}, -1, blanks(13)},
        {"Label6", "QLabel", "TabSheet2", {445, 426, 65, 16}, -1, blanks(13)},
        {"Label7", "QLabel", "TabSheet2", {569, 426, 65, 16}, -1, blanks(13)},
        {"Label8", "QLabel", "TabSheet2", {693, 426, 65, 16}, -1, blanks(13)},
    };
    // The count grid as the original window defines it.
    const char *engines[] = {"BD", "GG", "YH", "SG", "YD"};
    const int lefts[] = {125, 202, 278, 353, 426}, widths[] = {73, 71, 70, 69, 69};
    const int tops[] = {286, 313, 339, 365, 390, 417};
    const std::map<QString, int> firstRows = {
        {"TXTBD1", 0},  {"TXTBD2", 6},  {"TXTGG2", 7},  {"TXTGG1", 8},  {"TXTYH2", 9},
        {"TXTYH1", 10}, {"TXTSG1", 11}, {"TXTSG2", 12}, {"TXTYD2", 13}, {"TXTYD1", 14}};
    for (int e = 0; e < 5; ++e)
        for (int r = 0; r < 6; ++r) {
            const QString name = QString("TXT%1%2").arg(engines[e]).arg(r + 1);
            const int order = r < 2 ? firstRows.at(name) : 25 + 4 * e + (r - 2);
            const QString text = e == 2 && r >= 2 ? "         ---" : "";
            rows.push_back(
                {name, "QLineEdit", "TabSheet1", {lefts[e], tops[r], widths[e], 17}, order, text});
        }
    return rows;
}

QString shownText(const QWidget *w) {
    if (auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->text();
    if (auto *bar = qobject_cast<const QProgressBar *>(w))
        return bar->text();
    return {};
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm1> form;

private slots:
    void init() {
        form = std::make_unique<TForm1>(TForm1::Options{false, QString()});
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() { form.reset(); }

    void everyControlHasItsKindPlaceAndText() {
        for (const Expected &row : expectedControls()) {
            const QWidget *w = form->findChild<QWidget *>(row.name);
            QVERIFY2(w, qPrintable(row.name));
            QCOMPARE(QString(w->metaObject()->className()), row.kind);
            QCOMPARE(w->parentWidget()->objectName(), row.parent);
            QVERIFY2(w->geometry() == row.geometry, qPrintable(row.name));
            if (row.text != "*")
                QVERIFY2(shownText(w) == row.text, qPrintable(row.name + ": " + shownText(w)));
        }
    }

    void tabOrderRunsAsNumberedOnEachPage() {
        for (const QString page : {"TabSheet1", "TabSheet2"}) {
            std::map<int, QWidget *> expected;
            for (const Expected &row : expectedControls())
                if (row.parent == page && row.tabOrder >= 0)
                    expected[row.tabOrder] = form->findChild<QWidget *>(row.name);
            QWidget *first = expected.begin()->second;
            QList<QWidget *> chain{first};
            for (QWidget *w = first->nextInFocusChain(); w != first; w = w->nextInFocusChain())
                if (w->parentWidget() && w->parentWidget()->objectName() == page &&
                    (w->focusPolicy() & Qt::TabFocus))
                    chain << w;
            QList<QWidget *> wanted;
            for (const auto &[order, w] : expected)
                wanted << w;
            QCOMPARE(chain, wanted);
        }
    }

    void windowIsFixedCentredAndTitled() {
        QCOMPARE(form->size(), QSize(786, 565));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(form->windowTitle(), QString("Tolvera站长工具 V2.03"));
        QCOMPARE(form->palette().color(QPalette::Window), QColor(184, 222, 241));
        const QList<QSize> sizes = form->windowIcon().availableSizes();
        for (const int s : {16, 32, 48, 64, 128})
            QVERIFY2(sizes.contains(QSize(s, s)), qPrintable(QString::number(s)));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        // Centred as a whole, frame included; the platform may add a few pixels of frame.
        const QPoint offset = form->frameGeometry().center() - screen.center();
        QVERIFY(qAbs(offset.x()) <= 3 && qAbs(offset.y()) <= 3);
    }

    void firstTabShowsAndGridIsHidden() {
        auto *pages = form->findChild<QTabWidget *>("RzPageControl1");
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(pages->tabText(0), QString("收录查询"));
        QCOMPARE(pages->tabText(1), QString("友情链接"));
        QVERIFY(form->findChild<QWidget *>("TabSheet1")->isVisible());
        QVERIFY(!form->findChild<QWidget *>("TabSheet2")->isVisible());
        QVERIFY(form->findChild<QTableWidget *>("StringGrid1")->isHidden());
    }

    void boxesLookAsTheWindowDefines() {
        auto base = [&](const char *name) {
            return form->findChild<QLineEdit *>(name)->palette().color(QPalette::Base);
        };
        for (const char *name : {"Edit1", "TXTGJ1", "Edit8"})
            QCOMPARE(base(name), QColor(251, 251, 251));
        for (const char *name : {"TXTBDPH1", "TXTGGPH1"})
            QCOMPARE(base(name), QColor(238, 246, 249));
        for (const Expected &row : expectedControls()) {
            auto *edit = form->findChild<QLineEdit *>(row.name);
            if (!edit)
                continue;
            QVERIFY2(!edit->hasFrame(), qPrintable(row.name));
            QCOMPARE(edit->isReadOnly(),
                     row.name != "Edit1" && row.name != "TXTGJ1" && row.name != "Edit8");
            QCOMPARE(edit->font().pixelSize(), 15);
            const bool link =
                row.name.startsWith("TXT") && !row.name.contains("PH") && row.name != "TXTGJ1";
            if (link)
                QCOMPARE(edit->cursor().shape(), Qt::PointingHandCursor);
        }
        for (const char *name : {"Image1", "Image2", "Image3", "Image4", "Image5", "Image6",
                                 "BitBtn1", "BitBtn2", "Button3", "Button4", "Button5"})
            QCOMPARE(form->findChild<QWidget *>(name)->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(form->findChild<QLabel *>("Edit5")->font().pixelSize(), 12);
        QCOMPARE(form->findChild<QWidget *>("Label3")->font().family(), QString("Verdana"));
        QCOMPARE(form->findChild<QWidget *>("Label3")->font().pixelSize(), 13);
        QCOMPARE(form->findChild<QWidget *>("StringGrid1")->font().pixelSize(), 12);
        QCOMPARE(form->font().pixelSize(), 11);
    }

    void pictureButtonsShowAFacePerState() {
        auto *button = form->findChild<tolvera::PictureButton *>("BitBtn1");
        QCOMPARE(button->currentFace(), tolvera::PictureButton::Up);
        button->setDown(true);
        QCOMPARE(button->currentFace(), tolvera::PictureButton::Down);
        button->setDown(false);
        button->setCheckable(true);
        button->setChecked(true);
        QCOMPARE(button->currentFace(), tolvera::PictureButton::StayDown);
        button->setEnabled(false);
        QCOMPARE(button->currentFace(), tolvera::PictureButton::Disabled);
        // Each face is a picture of its own, of the button's size.
        for (const char *caption : {"query", "stop"}) {
            QList<QImage> faces;
            for (const char *state : {"up", "down", "staydown", "disabled"})
                faces << QImage(QString(":/art/%1_%2.png").arg(caption, state));
            for (int a = 0; a < faces.size(); ++a) {
                QCOMPARE(faces[a].size(), QSize(59, 25));
                for (int b = a + 1; b < faces.size(); ++b)
                    QVERIFY(faces[a] != faces[b]);
            }
        }
    }

    void everyPaintedCaptionIsThere() {
        QStringList captions;
        for (const auto *backdrop : form->findChildren<tolvera::CaptionBackdrop *>())
            captions << backdrop->captions();
        const QStringList wanted = {"检测网址",
                                    "查询域名:",
                                    "查询网站:",
                                    "世界排名:",
                                    "全国排名:",
                                    "Page Rank:",
                                    "Sogou Rank:",
                                    "查询对应关键词",
                                    "百度:",
                                    "谷歌:",
                                    "搜索引擎收录以及反向链接结果",
                                    "搜索引擎",
                                    "百度",
                                    "谷歌",
                                    "雅虎",
                                    "搜狗",
                                    "有道",
                                    "收录数量",
                                    "反向链接",
                                    "一天内收录",
                                    "一周内收录",
                                    "一月内收录",
                                    "一年内收录",
                                    "链接报告",
                                    "共计链接:",
                                    "平均获取PR:",
                                    "谷歌收录:",
                                    "谷歌反链:",
                                    "谷歌PR:",
                                    "有效链接:",
                                    "有效输出PR:",
                                    "百度收录:",
                                    "百度反链:",
                                    "更新日期:"};
        for (const QString &caption : wanted)
            QVERIFY2(captions.contains(caption), qPrintable(caption));
    }

    void timersTickAndTheTrayMenuIsThere() {
        for (QTimer *timer : {form->Timer1(), form->Timer2()}) {
            QVERIFY(timer->isActive());
            QCOMPARE(timer->interval(), 500);
        }
        QCOMPARE(form->Timer1()->objectName(), QString("Timer1"));
        auto *menu = form->findChild<QMenu *>("PopupMenu1");
        QVERIFY(menu);
        const QList<QAction *> items = menu->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0]->objectName(), QString("N1"));
        QVERIFY(items[0]->text().startsWith("工具") && items[0]->text().endsWith("窗"));
        QCOMPARE(items[0]->text().size(), 4);
        QCOMPARE(items[1]->objectName(), QString("N2"));
        QCOMPARE(items[1]->text(), QString("退出工具"));
    }

    void runsReachTheirControlsThroughTheTabStructs() {
        QCOMPARE(form->overview().counts[2][4]->objectName(), QString("TXTYH5"));
        QCOMPARE(form->overview().engineLinks[4]->objectName(), QString("Image6"));
        QCOMPARE(form->links().labels[9]->objectName(), QString("Label10"));
        QCOMPARE(form->links().StringGrid1->objectName(), QString("StringGrid1"));
    }
};

TOLVERA_GUI_TEST_MAIN(LayoutTest)
#include "layout_test.moc"
