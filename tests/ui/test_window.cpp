// The window's rules, checked after every step of seeded random input (typing, pasting, the
// spinner's keys, Calculate, list keys, clicks and Tab; a broken rule is printed with the steps
// that led to it), and what random input cannot reach: the start state, focus, the exact messages
// and Save As.
#include "mask_and_counts.h"
#include "numeric.h"
#include "recording_printer.h"
#include "subnet_plan.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <random>

using namespace tessnivar;

namespace {

struct RandomSession {
    explicit RandomSession(unsigned seed) : random_(seed), log_{"seed " + QString::number(seed)} {
        // A text deleted and typed again is a change too, though it reads the same afterwards.
        for (int i = 0; i < 4; ++i)
            QObject::connect(f_.octet(i), &QLineEdit::textChanged, f_.window.get(),
                             [this, i] { octetsChanged_ |= 1 << i; });
    }

    // Whether every rule held; a broken one is printed with the steps that led to it, in full: a
    // failure message of the test runner would cut them short.
    bool run(int steps) {
        for (int step = 0; step < steps; ++step) {
            f_.services.messages.clear();
            takeStep();
            if (const QString broken = brokenRule(); !broken.isEmpty()) {
                qWarning("%s", qPrintable(broken + "\nafter these steps:\n" + log_.join('\n')));
                return false;
            }
        }
        return true;
    }

    std::string octet(int i) const { return f_.octet(i)->text().toStdString(); }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    template <typename T, int N> const T& pick(const T (&items)[N]) { return items[below(N)]; }
    // Mostly what a user types into an octet box, sometimes anything.
    QString randomText() {
        static const QString kOctets[] = {"0",   "0",   "10",  "172", "192", "223", "16",
                                          "168", "127", "255", "300", "-1",  "1.5", ""};
        QString text = below(3) > 0 ? pick(kOctets) : QString();
        for (int i = text.isEmpty() ? below(5) : 0; i > 0; --i)
            text += QStringLiteral("0123456789012345..+-aZ ")[below(23)];
        return text;
    }

    // Step kinds: 0 type, 1 paste, 2 spinner key, 3 and 4 Calculate, 5 list key, 6 click or
    // Ctrl+click a row, 7 Tab.
    void takeStep() {
        static const char* const kBoxes[] = {"octetEdit0", "octetEdit1",      "octetEdit2",
                                             "octetEdit3", "subnetCountEdit", "hostCountEdit"};
        static const std::pair<Qt::Key, int> kSpinnerKeys[] = {
            {Qt::Key_Up, 1},      {Qt::Key_Up, 1},         {Qt::Key_Down, -1},
            {Qt::Key_PageUp, 10}, {Qt::Key_PageDown, -10}, {Qt::Key_Return, 0}};
        static const std::pair<Qt::Key, int> kListKeys[] = {
            {Qt::Key_Down, 1}, {Qt::Key_Up, -1}, {Qt::Key_End, 1 << 30}, {Qt::Key_Home, -1 << 30}};
        octetsChanged_ = 0;
        expected_.clear();
        const int bits = f_.spinner()->value();
        const int kind = below(8);
        QLineEdit* box = f_.box(pick(kBoxes));
        QAbstractItemView* list = f_.list(pick(kLists));
        const int rows = list->model()->rowCount();
        const int current = list->currentIndex().row();
        const QString text =
            randomText() + (kind == 1 ? pick({"\n", "\r\n", "\u2028"}) + randomText() : "");
        const auto [key, step] = kind == 2 ? pick(kSpinnerKeys) : pick(kListKeys);
        const int row = std::min(rows - 1, list->verticalScrollBar()->value() + below(4));
        const Qt::KeyboardModifier control = below(2) ? Qt::ControlModifier : Qt::NoModifier;
        log_ << QString("%1 %2 \"%3\" %4 %5 %6 %7")
                    .arg(QString::number(kind), box->objectName(), text, list->objectName(),
                         QKeySequence(key).toString(), QString::number(row), control ? "Ctrl" : "");
        countsTyped_ |= kind < 2 && box->objectName().endsWith("CountEdit");
        if (kind == 0)
            control ? f_.type(box, text) : QTest::keyClicks(box, text);
        if (kind == 1) {
            QGuiApplication::clipboard()->setText(text);
            QTest::keySequence(box, QKeySequence::Paste);
        }
        if (kind == 2) {
            QTest::keyClick(f_.spinner(), key);
            // One bit borrowed is skipped: from below to 2, from above to 0.
            const int landed = std::clamp(bits + step, 0, f_.spinner()->maximum());
            expectedBits_ = landed != 1 ? landed : bits == 0 ? 2 : 0;
        }
        if (kind == 3 || kind == 4) {
            auto made = MakePlan({octet(0), octet(1), octet(2), octet(3)}, bits);
            f_.calculate();
            expected_ = made.ok() ? "" : "Subnet Error!";
            if (made.ok()) {
                plan_ = std::move(made.value());
                calculated_ = true;
                ++calculations;
                selected_ = -1;
            }
        }
        if (kind == 5) {
            QTest::keyClick(list, key);
            const int moved = std::min(std::max(current + step, 0), rows - 1);
            // Staying on the current row may or may not select it.
            selected_ = moved != current ? moved : f_.selectedRows()[0];
        }
        if (kind == 6 && row >= 0) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, control,
                              list->visualRect(list->model()->index(row, 0)).center());
            selected_ = control && selected_ == row ? -1 : row;
        }
        if (kind == 7)
            QTest::keyClick(f_.window.get(), Qt::Key_Tab);
        if (octetsChanged_ & 1)
            expectedBits_ = 0;
        const bool bitsChanged = octetsChanged_ & 1 || f_.spinner()->value() != bits;
        countsTyped_ &= !bitsChanged;
        calculated_ &= !bitsChanged && !octetsChanged_;
    }

    QString brokenRule() {
        const QString titles =
            f_.services.messages.replaceInStrings(QRegularExpression(":[\\s\\S]*"), "").join(',');
        // A refused first octet is told once for each keystroke that makes one.
        if (QString(titles).remove(QRegularExpression("^(IP Error!,?)+$")) != expected_)
            return "messages " + titles + " instead of " + expected_;
        const int bits = f_.spinner()->value();
        const auto addressClass = ClassOfFirstOctet(NumericValue(octet(0)));
        if (!addressClass || bits != expectedBits_ || f_.spinner()->minimum() != 0 ||
            f_.spinner()->maximum() != MaxBitsBorrowed(*addressClass) ||
            f_.box("bitsEdit")->text() != QString::number(bits))
            return "the first box, or the spinner's value, range or box, is not as expected";
        const int prefix = ClassMaskBits(*addressClass) + bits;
        if (f_.box("maskEdit")->text() != QString::fromStdString(MaskText(prefix)) ||
            (!countsTyped_ &&
             (f_.box("subnetCountEdit")->text() != QString::number(1 << bits) ||
              f_.box("hostCountEdit")->text() != QString::number(1LL << (32 - prefix)))))
            return "the mask or counts do not follow the first box and the spinner";
        if (f_.menu("printAction")->isEnabled() != calculated_ ||
            f_.menu("writeFileAction")->isEnabled() != calculated_)
            return "Print and Write File are not enabled exactly after Calculate";
        const int rows = plan_ ? static_cast<int>(plan_->rows.size()) : 0;
        // The lists show the columns of one model, each read in full by the row check below.
        if (f_.list("subnetList")->model()->rowCount() != rows)
            return QString("the lists do not hold the %1 rows calculated").arg(rows);
        for (const int i : rows > 0 ? QList{0, rows - 1, below(rows)} : QList<int>()) {
            const SubnetRow r = plan_->rows.row(std::size_t(i));
            if (f_.row(i).toStdString() != r.subnetNumber() + '\t' + r.startIp() + '\t' + r.endIp())
                return QString("row %1 reads %2").arg(i).arg(f_.row(i));
        }
        if (f_.selectedRows() != QList<int>(3, selected_))
            return QString("the lists' selected rows are not all %1").arg(selected_);
        for (const QLineEdit* box : f_.window->findChildren<QLineEdit*>())
            if (box->text().contains(QRegularExpression("[\\r\\n\\x{2028}]")))
                return box->objectName() + " holds a line break";
        return {};
    }

    std::mt19937 random_;
    WindowFixture f_;
    QStringList log_;
    QString expected_;
    std::optional<SubnetPlan> plan_;
    int calculations = 0, octetsChanged_ = 0, expectedBits_ = 0, selected_ = -1;
    bool calculated_ = false, countsTyped_ = false;
};

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void windowKeepsItsRulesUnderRandomInput() {
        RandomSession session(1);
        QVERIFY2(session.run(15000), "a rule of the window was broken, after the steps above");
        QCOMPARE_GT(session.calculations, 60); // it reached plans worth checking
    }

    void startStateFocusAndMessages() {
        WindowFixture f;
        f.window->show();
        QApplication::setActiveWindow(f.window.get());
        for (int i = 0; const char* octet : {"192", "168", "0", "0"})
            QCOMPARE(f.octet(i++)->text(), octet);
        for (const char* next :
             {"startList", "endList", "octetEdit0", "octetEdit1", "octetEdit2", "octetEdit3",
              "maskEdit", "bitsEdit", "bitsSpinner", "calculateButton", "subnetCountEdit",
              "hostCountEdit", "subnetList"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), next);
        }
        // Entering a box selects its text; the fourth hands the focus on at exactly 3 characters.
        f.octet(3)->setFocus();
        QCOMPARE(f.octet(3)->selectedText(), "0");
        QTest::keyClicks(f.octet(3), "12");
        QCOMPARE(QApplication::focusWidget(), f.octet(3));
        QTest::keyClicks(f.octet(3), "8");
        QCOMPARE(QApplication::focusWidget(), f.control("calculateButton"));
        f.octet(2)->setFocus(); // the other boxes keep it
        f.type(f.octet(2), "255");
        QCOMPARE(QApplication::focusWidget(), f.octet(2));
        // Every message of the window, word for word, with the state each one leaves.
        const QTemporaryDir dir;
        const QString plan = dir.filePath("plan");
        f.type(f.octet(0), "224"); // the box then holds 223, which the next message shows
        f.calculate();
        f.type(f.octet(3), "0");
        f.calculate();
        f.menu("printAction")->trigger();
        f.services.printer = [] {
            return std::make_unique<RecordingPrinter>(5, 12);
        };
        f.menu("printAction")->trigger();
        f.writeFile(MessageAnswer::Yes, std::nullopt);
        f.writeFile(MessageAnswer::No, plan + "\n/x");
        // Cancelled before the failing line: a cancelled document needs no word.
        f.services.cancelAfterPage = 1;
        f.menu("printAction")->trigger();
        f.type(f.box("hostCountEdit"), "0");
        f.writeFile(MessageAnswer::No, plan);
        // Beyond what address entry allows: only a spinner maximum above the class's reaches it.
        f.spinner()->setMaximum(7);
        f.stepSpinner(7);
        const QString choose =
            "Choose format: This program has the ability to output files in a comma\r\nseparated "
            "format which can be read by many spreadsheet\r\nprograms.  Would you like to output "
            "the file in this format?\r\nAnswering NO will result in a plain text file, which "
            "can be\r\nread into a word processor.";
        const QStringList expected{
            "IP Error!: The IP you are entering is invalid.\r\nThe first octet must be < 224\r\n"
            "Adjusting vlaues...",
            "Subnet Error!: Sorry: This address cannot be subnetted.\r\nThe address "
            "223.168.255.128 does not represent a network address.\r\nHINT: To be a network "
            "address, the last octet MUST be zero.",
            "Print Error: There is no default printer.\r\nNothing was printed.",
            "Print Error: The printer failed while printing.\r\nThe document was abandoned.",
            choose,
            choose,
            "Write File Error: Cannot write '" + plan + "'$'\\n''/x':\r\nNo such file or directory",
            choose,
            "Report Error: The report cannot be made.\r\nThe subnet and host counts must be "
            "positive numbers.",
            "Tessnivar: There has been an error.\r\nError Code: RC-01"};
        QCOMPARE(f.services.messages, expected);
        // Save As offers the last name chosen.
        QCOMPARE(f.services.offeredNames, (QStringList{"", "", plan + "\n/x"}));
        f.menu("exitAction")->trigger();
        QCOMPARE(f.services.endProgramCalls, 2); // RC-01 and Exit each end the program
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
