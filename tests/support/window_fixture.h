#pragma once

#include "scripted_services.h"
#include "planner_window.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <memory>

namespace tessnivar {

// A main window in its start state over services of type ServicesT (scripted unless a test
// needs the program's own), with its controls found by name as a user or a screen reader finds
// them.
template <typename ServicesT> struct BasicWindowFixture {
    ServicesT services;
    std::unique_ptr<PlannerWindow> window;

    BasicWindowFixture() : window(std::make_unique<PlannerWindow>(services)) {}

    template <typename T = QWidget> T* control(const char* name) const {
        auto* found = window->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLineEdit* box(const char* name) const { return control<QLineEdit>(name); }
    QLineEdit* octet(int index) const {
        return box(QByteArray("octetEdit").append(char('0' + index)).constData());
    }
    QSpinBox* spinner() const { return control<QSpinBox>("bitsSpinner"); }
    QAbstractItemView* list(const char* name) const { return control<QAbstractItemView>(name); }
    QAction* menu(const char* name) const { return control<QAction>(name); }

    // Replaces the box's text by typing, one keystroke at a time.
    void type(QLineEdit* target, const QString& text) const {
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        for (const QChar c : text) {
            // QTest maps only ASCII to keys; other characters arrive as text, as from an IME.
            if (c.unicode() < 128)
                QTest::keyClick(target, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }
    void typeAddress(const QString& a, const QString& b, const QString& c, const QString& d) {
        type(octet(0), a);
        type(octet(1), b);
        type(octet(2), c);
        type(octet(3), d);
    }
    void stepSpinner(int steps) const {
        for (int i = 0; i < std::abs(steps); ++i)
            QTest::keyClick(spinner(), steps > 0 ? Qt::Key_Up : Qt::Key_Down);
    }
    void calculate() const {
        QTest::mouseClick(control<QPushButton>("calculateButton"), Qt::LeftButton);
    }

    // Write File, the format question answered with format (Yes: CSV) and Save As with name.
    void writeFile(MessageAnswer format, const std::optional<QString>& name) {
        services.answers.push_back(format);
        services.fileNames.push_back(name);
        menu("writeFileAction")->trigger();
    }

    // Each message box shown so far as "title: text".
    QStringList messagesShown() const {
        QStringList shown;
        for (const auto& message : services.messages)
            shown << message.title + ": " + message.text;
        return shown;
    }

    int rowCount(const char* listName) const { return list(listName)->model()->rowCount(); }
    // The column of the shared result rows that a list shows: number, start or end.
    static int columnOf(const char* listName) {
        return QByteArray(listName) == "subnetList" ? 0 : QByteArray(listName) == "startList" ? 1 : 2;
    }
    QString rowText(const char* listName, int row) const {
        return list(listName)->model()->index(row, columnOf(listName)).data().toString();
    }
    int selectedRow(const char* listName) const {
        const auto selected = list(listName)->selectionModel()->selectedIndexes();
        return selected.isEmpty() ? -1 : selected.first().row();
    }
    // The selected row of each list, -1 for none.
    QList<int> selectedRows() const {
        return {selectedRow("subnetList"), selectedRow("startList"), selectedRow("endList")};
    }
    // Row i of the three lists: number, start and end.
    QStringList row(int i) const {
        return {rowText("subnetList", i), rowText("startList", i), rowText("endList", i)};
    }
};

using WindowFixture = BasicWindowFixture<ScriptedServices>;

} // namespace tessnivar
