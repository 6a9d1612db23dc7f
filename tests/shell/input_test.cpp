// Placeholders of the three input boxes and the Enter key.
#include "gui_helpers.h"
#include "hermetic_home.h"
#include "shell/picture_button.h"
#include "shell/tform1.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

using tolvera::TForm1;

class InputTest : public QObject {
    Q_OBJECT

    QTemporaryDir documents;
    std::unique_ptr<TForm1> form;

    QLineEdit *box(const QString &name) { return form->findChild<QLineEdit *>(name); }
    void focusOn(QWidget *w) {
        w->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), w);
    }

private slots:
    void init() {
        form = std::make_unique<TForm1>(TForm1::Options{false, documents.path()});
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QApplication::setActiveWindow(form.get());
    }
    void cleanup() { form.reset(); }

    void clickClearsAndLeavingEmptyRestores_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<int>("page");
        QTest::newRow("Edit1") << "Edit1"
                               << "请输入要查询的网址" << 0;
        QTest::newRow("TXTGJ1") << "TXTGJ1"
                                << "请输入关键字" << 0;
        QTest::newRow("Edit8") << "Edit8"
                               << "请输入要查询的网址" << 1;
    }
    void clickClearsAndLeavingEmptyRestores() {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QFETCH(int, page);
        form->findChild<QTabWidget *>("RzPageControl1")->setCurrentIndex(page);
        QLineEdit *edit = box(name);
        QTRY_VERIFY(edit->isVisible());
        QVERIFY(form->showsPlaceholder(edit));

        QTest::mouseClick(edit, Qt::LeftButton);
        QCOMPARE(edit->text(), QString());
        QTest::keyClicks(edit, "   ");
        focusOn(name == "Edit8" ? static_cast<QWidget *>(form->links().Button4)
                                : static_cast<QWidget *>(form->overview().BitBtn1));
        QCOMPARE(edit->text(), hint); // left blank: the placeholder is back

        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, " seo ");
        focusOn(name == "Edit8" ? static_cast<QWidget *>(form->links().Button5)
                                : static_cast<QWidget *>(form->overview().Button3));
        QCOMPARE(edit->text(), QString(" seo ")); // an input stays as typed
        QTest::mouseClick(edit, Qt::LeftButton);
        QCOMPARE(edit->text(), QString(" seo ")); // a click never clears an input
        QVERIFY(!form->showsPlaceholder(edit));
    }

    void keyboardFocusAloneKeepsThePlaceholder() {
        QLineEdit *edit = box("Edit1");
        focusOn(form->overview().counts[0][0]); // TXTBD1, the stop before Edit1
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(edit->text(), QString("请输入要查询的网址"));
        QVERIFY(form->showsPlaceholder(edit));
    }

    void enterMovesToTheNextControlAndStartsNothing_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("key");
        QTest::newRow("Edit1 Return") << "Edit1"
                                      << "BitBtn1" << int(Qt::Key_Return);
        QTest::newRow("BitBtn1 Enter") << "BitBtn1"
                                       << "Button3" << int(Qt::Key_Enter);
        QTest::newRow("TXTGJ1 Return") << "TXTGJ1"
                                       << "BitBtn2" << int(Qt::Key_Return);
        QTest::newRow("BitBtn2 Return") << "BitBtn2"
                                        << "TXTBD2" << int(Qt::Key_Return);
        QTest::newRow("TXTYD1 Enter") << "TXTYD1"
                                      << "TXTGGPH1" << int(Qt::Key_Enter);
    }
    void enterMovesToTheNextControlAndStartsNothing() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, key);
        int presses = 0;
        for (auto *button : form->findChildren<tolvera::PictureButton *>())
            connect(button, &QAbstractButton::clicked, this, [&] { ++presses; });
        QWidget *start = form->findChild<QWidget *>(from);
        focusOn(start);
        QTest::keyClick(start, Qt::Key(key));
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), to);
        QCOMPARE(presses, 0);
        // Space still presses a focused button: only Enter is taken. (A query button
        // then asks for the address the placeholder stands for.)
        if (auto *button = qobject_cast<tolvera::PictureButton *>(QApplication::focusWidget())) {
            tolvera::test::messageShownBy([button] { QTest::keyClick(button, Qt::Key_Space); });
            QCOMPARE(presses, 1);
        }
    }

    void enterLeavesOtherKeysAlone() {
        QLineEdit *edit = box("TXTGJ1");
        QTest::mouseClick(edit, Qt::LeftButton);
        focusOn(edit);
        QTest::keyClicks(edit, "ab");
        QCOMPARE(edit->text(), QString("ab"));
        QCOMPARE(QApplication::focusWidget(), edit);
    }
};

TOLVERA_GUI_TEST_MAIN(InputTest)
#include "input_test.moc"
