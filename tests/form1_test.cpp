#include <clocale>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTest>

#include "analysis/analysis.h"
#include "analysis/memory_guard.h"
#include "tests/window_test_support.h"
#include "ui/app/image_box.h"
#include "ui/app/session.h"
#include "ui/app/wrapping_button.h"
#include "ui/parameter/form1.h"

namespace {

const char kWarning[] = "Il numero di campioni deve essere abbastanza elevato, es. : N = 1000";

class Form1Test : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ui::Session> session_;
  ui::Form1* form_ = nullptr;

  template <class T>
  T* Find(const char* name) {
    return test::Find<T>(form_, name);
  }
  QLineEdit* Field(const char* name) { return Find<QLineEdit>(name); }
  QString Caption(const char* name) { return Find<QLabel>(name)->text(); }
  void Compute() { QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton); }
  QStringList Results() { return {Caption("Label5"), Caption("Label9"), Caption("Label12")}; }

 private slots:
  void init() {
    session_ = test::StartSession();
    QVERIFY(session_ != nullptr);
    form_ = &session_->form1();
  }
  void cleanup() { session_.reset(); }

  void opensWithDefaultsAndFocusInN() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Circuito RLC parallelo"));
    QCOMPARE(form_->size(), QSize(1001, 571));
    const char* names[] = {"Text1", "Text2", "Text3", "Text6", "Text7", "Text4", "Text8"};
    const char* texts[] = {"1", "400", "1e-5", "0.1", "159", "1000", "10"};
    for (int i = 0; i < 7; ++i) {
      QCOMPARE(Field(names[i])->text(), QString::fromLatin1(texts[i]));
      QVERIFY(Field(names[i])->alignment() & Qt::AlignRight);
    }
    for (const char* name : {"Label5", "Label9", "Label12"}) {
      QLabel* box = Find<QLabel>(name);
      QVERIFY(box->text().isEmpty());
      QCOMPARE(box->palette().color(QPalette::Window), QColor(255, 255, 255));
      QVERIFY(box->frameShape() != QFrame::NoFrame);
    }
    QCOMPARE(QApplication::focusWidget(), Field("Text4"));
    QCOMPARE(form_->palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Midlight));
    QCOMPARE(Find<QPushButton>("Command1")->text(), QStringLiteral("calcola valori "));
    QCOMPARE(Find<QPushButton>("Command2")->text(), QStringLiteral("grafico di \"v(t)\" a regime"));
  }

  void tabFollowsTheTabIndices() {
    const char* order[] = {"Text4",    "Text2",    "Text1",    "Command2", "Command1",
                           "Text3",    "Text6",    "Text7",    "Text8",    "Picture1",
                           "Picture2", "Picture3", "Picture4", "Text4"};
    for (size_t i = 0; i + 1 < std::size(order); ++i) {
      QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(order[i]));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text4"));
  }

  void everyCaptionFitsItsControl() {
    for (QLabel* label : form_->findChildren<QLabel*>()) {
      const QRect room = label->contentsRect();
      const QRect needed = label->fontMetrics().boundingRect(
          room, Qt::TextWordWrap | int(label->alignment()), label->text());
      QVERIFY2(needed.height() <= room.height() && needed.width() <= room.width(),
               qPrintable(label->objectName()));
    }
    // The multi-line description takes its three lines.
    QLabel* description = Find<QLabel>("Label23");
    QVERIFY(description->fontMetrics().horizontalAdvance(description->text()) >
            2 * description->width());
    for (auto* button : form_->findChildren<ui::WrappingButton*>()) {
      const QRect room = button->CaptionRect();
      const QRect needed = button->fontMetrics().boundingRect(
          room, Qt::TextWordWrap | Qt::AlignCenter, button->text());
      QVERIFY2(room.contains(needed), qPrintable(button->objectName()));
    }
    QCOMPARE(QFontInfo(Find<QLabel>("Label19")->font()).family(),
             QStringLiteral("Liberation Sans"));
    QVERIFY(Find<QLabel>("Label19")->font().bold());
  }

  void imagesKeepTheirNaturalSize() {
    const struct {
      const char* name;
      QSize size;
      const char* file;
    } images[] = {{"Picture1", {550, 351}, "schematic.svg"},
                  {"Picture2", {96, 43}, "formula_fris.svg"},
                  {"Picture3", {87, 40}, "formula_vpicco.svg"},
                  {"Picture4", {90, 52}, "formula_qris.svg"}};
    for (const auto& image : images) {
      auto* box = Find<ui::ImageBox>(image.name);
      QCOMPARE(box->natural_size(), image.size);
      // What the box shows is the image rendered at its natural size from
      // the upper-left corner of the contents, clipped: never stretched.
      QImage expected(image.size, QImage::Format_RGB32);
      expected.fill(Qt::white);
      QPainter painter(&expected);
      QSvgRenderer(QStringLiteral(":/") + image.file)
          .render(&painter, QRectF(QPointF(), image.size));
      painter.end();
      const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
      const QRect contents = box->contentsRect();
      const QRect visible =
          QRect(QPoint(), image.size).intersected(QRect(QPoint(), contents.size()));
      int ink = 0;
      for (int y = 0; y < visible.height(); ++y) {
        for (int x = 0; x < visible.width(); ++x) {
          const QRgb pixel = shown.pixel(contents.topLeft() + QPoint(x, y));
          QCOMPARE(pixel, expected.pixel(x, y));
          ink += qGray(pixel) < 128;
        }
      }
      QVERIFY2(ink > 100, image.name);  // a drawing, not an empty box
    }
  }

  void layoutPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");  // pixels, twips / 15
    QTest::newRow("Is field") << "Text1" << QRect(98, 63, 120, 29);
    QTest::newRow("N field") << "Text4" << QRect(98, 217, 120, 22);
    QTest::newRow("N symbol") << "Label4" << QRect(77, 224, 15, 15);
    QTest::newRow("NP description") << "Label20" << QRect(231, 252, 183, 15);
    QTest::newRow("compute") << "Command1" << QRect(343, 77, 127, 57);
    QTest::newRow("plot") << "Command2" << QRect(96, 344, 127, 50);
    QTest::newRow("peak result") << "Label12" << QRect(574, 77, 141, 22);
    QTest::newRow("fris unit") << "Label21" << QRect(721, 119, 29, 15);
    QTest::newRow("description") << "Label23" << QRect(21, 7, 890, 43);
    QTest::newRow("schematic") << "Picture1" << QRect(432, 200, 550, 348);
    QTest::newRow("peak formula") << "Picture3" << QRect(770, 70, 91, 43);
  }

  void layoutPlaces() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QCOMPARE(Find<QWidget>(qPrintable(name))->geometry(), geometry);
  }

  void aFieldOfAnyLengthIsKeptAndChecked() {
    test::MessageRecorder messages;
    const QString long_one = QString(40000, QLatin1Char('0')) + QLatin1Char('1');
    Field("Text1")->setFocus();
    Field("Text1")->selectAll();
    Field("Text1")->insert(long_one);  // as a paste does
    QCOMPARE(Field("Text1")->text(), long_one);
    Compute();
    QCOMPARE(messages.shown, QStringList());
    QCOMPARE(Caption("Label12"), QStringLiteral("2.61E+02"));
  }

  void aZeroResistanceFaultsBeforeAnyArray() {
    test::MessageRecorder messages;
    test::TypeInto(Field("Text2"), "0");
    Compute();
    QCOMPARE(messages.shown, QStringList{"Divisione per zero"});
    QVERIFY(!session_->state().v_t.allocated());
  }

  void resizingMovesNothing() {
    QList<QRect> before;
    const auto children = form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) before.append(child->geometry());
    form_->resize(1300, 800);
    QApplication::processEvents();
    for (int i = 0; i < children.size(); ++i) QCOMPARE(children[i]->geometry(), before[i]);
  }

  void computesTheDefaults() {
    test::MessageRecorder messages;
    Compute();
    QCOMPARE(messages.shown, QStringList());
    QCOMPARE(Results(), (QStringList{"4.00E+00", "1.5915E+02", "2.61E+02"}));
    Compute();  // twice: the same captions
    QCOMPARE(Results(), (QStringList{"4.00E+00", "1.5915E+02", "2.61E+02"}));
  }

  void computesUnderAnItalianLocale() {
    // The user's locale changes the separator of the results only: typed
    // numbers keep the point, even with the C library set to Italian.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const char* old = std::setlocale(LC_ALL, "it_IT.UTF-8");
    test::MessageRecorder messages;
    Compute();
    std::setlocale(LC_ALL, "C");
    QCOMPARE(messages.shown, QStringList());
    QCOMPARE(Results(), (QStringList{"4,00E+00", "1,5915E+02", "2,61E+02"}));
    Q_UNUSED(old);
  }

  void noPeriodGivesAZeroPeak() {
    test::MessageRecorder messages;
    test::TypeInto(Field("Text8"), "0");
    Compute();
    QCOMPARE(Results(), (QStringList{"4.00E+00", "1.5915E+02", "0.00E+00"}));
  }

  void fieldMessages_data() {
    // Every message is checked against its text in the analysis tests; these
    // rows prove the window's path: its fields, the box, the order.
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("shown");
    const QString invalid_tail = QString::fromUtf8(
        "numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad "
        "es: 1.23 , 1E-5 , 5E3");
    QTest::newRow("Is empty") << "Text1"
                              << "" << QStringList{"Hai dimenticato di scrivere la corrente Is"};
    QTest::newRow("C invalid") << "Text3"
                               << "abc"
                               << QStringList{QString::fromUtf8(
                                                  "Errore di inserimento dati per il valore della "
                                                  "capacità C in F . Puoi scrivere soltanto ") +
                                              invalid_tail};
    QTest::newRow("N empty: warning, then missing")
        << "Text4"
        << "" << QStringList{kWarning, "Hai dimenticato di scrivere il numero dei campioni N"};
    QTest::newRow("NP invalid")
        << "Text8"
        << "1O"
        << QStringList{
               "Errore di inserimento dati per numero dei periodi visualizzati NP. Puoi "
               "scrivere soltanto Puoi scrivere soltanto " +
               invalid_tail};
  }

  void fieldMessages() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QStringList, shown);
    test::MessageRecorder messages;
    Compute();
    const QStringList before = Results();
    test::TypeInto(Field(qPrintable(field)), text);
    Compute();
    QCOMPARE(messages.shown, shown);
    QCOMPARE(Results(), before);  // a failed check changes nothing else
    QCOMPARE(Field(qPrintable(field))->text(), text);
  }

  void stopsAtTheFirstFailedField() {
    test::MessageRecorder messages;
    test::TypeInto(Field("Text1"), "");
    test::TypeInto(Field("Text2"), "abc");
    test::TypeInto(Field("Text4"), "");
    Compute();
    QCOMPARE(messages.shown, QStringList{"Hai dimenticato di scrivere la corrente Is"});
    QCOMPARE(Results(), (QStringList{"", "", ""}));
  }

  void sampleCountWarning_data() {
    QTest::addColumn<QString>("n");
    QTest::addColumn<bool>("warns");
    QTest::addColumn<QString>("peak");
    QTest::newRow("999.6 warns, then runs with N = 1000") << "999.6" << true << "2.61E+02";
    QTest::newRow("1e3") << "1e3" << false << "2.61E+02";
    QTest::newRow("1000") << "1000" << false << "2.61E+02";
    QTest::newRow("500 warns, then runs") << "500" << true << "";
  }

  void sampleCountWarning() {
    QFETCH(QString, n);
    QFETCH(bool, warns);
    QFETCH(QString, peak);
    test::MessageRecorder messages;
    test::TypeInto(Field("Text4"), n);
    Compute();
    QCOMPARE(messages.shown, warns ? QStringList{kWarning} : QStringList());
    QCOMPARE(Caption("Label5"), QStringLiteral("4.00E+00"));
    if (!peak.isEmpty()) QCOMPARE(Caption("Label12"), peak);
    QVERIFY(!Caption("Label12").isEmpty());
  }

  void faultsShowTheirTextAndTheProgramGoesOn_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("R = 0") << "Text2"
                           << "0" << QStringList{"Divisione per zero"};
    QTest::newRow("f = 0") << "Text7"
                           << "0" << QStringList{"Divisione per zero"};
    QTest::newRow("N = 0") << "Text4"
                           << "0" << QStringList{kWarning, "Divisione per zero"};
    QTest::newRow("L = 0") << "Text6"
                           << "0" << QStringList{"Divisione per zero"};
    QTest::newRow("C = 0") << "Text3"
                           << "0" << QStringList{"Divisione per zero"};
    QTest::newRow("L C < 0") << "Text6"
                             << "-0.1" << QStringList{"Argomento non valido"};
    QTest::newRow("Is beyond double") << "Text1"
                                      << "1e400" << QStringList{"Overflow"};
    QTest::newRow("N beyond double") << "Text4"
                                     << "1e400" << QStringList{"Overflow"};
    QTest::newRow("N beyond int32") << "Text4"
                                    << "3e9" << QStringList{"Overflow"};
    QTest::newRow("negative N") << "Text4"
                                << "-5"
                                << QStringList{kWarning, "Indice non compreso nell'intervallo"};
    QTest::newRow("100 NP beyond int32") << "Text8"
                                         << "30000000" << QStringList{"Overflow"};
    QTest::newRow("unstable run") << "Text3"
                                  << "1e-9" << QStringList{"Overflow"};
    QTest::newRow("arrays beyond memory") << "Text4"
                                          << "2147483646" << QStringList{"Memoria insufficiente"};
  }

  void faultsShowTheirTextAndTheProgramGoesOn() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QStringList, shown);
    if (text == "2147483646" && analysis::AvailableMemoryBytes() > (uint64_t{64} << 30))
      QSKIP("this machine has 64 GiB free");
    test::MessageRecorder messages;
    Compute();
    QCOMPARE(messages.shown, QStringList());
    QLineEdit* box = Field(qPrintable(field));
    const QString valid = box->text();
    test::TypeInto(box, text);
    if (text == "1e-9") {  // too few samples for so small a capacitor
      test::TypeInto(Field("Text7"), "1");
      test::TypeInto(Field("Text4"), "1000");
    }
    Compute();
    QCOMPARE(messages.shown, shown);
    QCOMPARE(Results(), (QStringList{"4.00E+00", "1.5915E+02", "2.61E+02"}));
    QCOMPARE(box->text(), text);
    QVERIFY(form_->isVisible());
    // The window still works: a valid compute succeeds.
    messages.shown.clear();
    test::TypeInto(box, valid);
    test::TypeInto(Field("Text7"), "159");
    test::TypeInto(Field("Text8"), "1");
    Compute();
    QCOMPARE(messages.shown, QStringList());
    QCOMPARE(Caption("Label12"), QStringLiteral("2.61E+02"));
  }
};

}  // namespace

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
