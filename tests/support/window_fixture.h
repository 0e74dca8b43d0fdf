#pragma once

#include "planner_window.h"
#include "scripted_services.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <memory>

namespace tessnivar {

inline constexpr const char* kLists[] = {"subnetList", "startList", "endList"};

// A main window in its start state over scripted services, its controls found by name as a user
// or a screen reader finds them.
struct WindowFixture {
    ScriptedServices services;
    std::unique_ptr<PlannerWindow> window = std::make_unique<PlannerWindow>(services);

    template <typename T = QWidget> T* control(const QString& name) const {
        return window->template findChild<T*>(name);
    }
    QLineEdit* box(const QString& name) const { return control<QLineEdit>(name); }
    QLineEdit* octet(int index) const { return box("octetEdit" + QString::number(index)); }
    QSpinBox* spinner() const { return control<QSpinBox>("bitsSpinner"); }
    QAbstractItemView* list(const QString& name) const { return control<QAbstractItemView>(name); }
    QAction* menu(const QString& name) const { return control<QAction>(name); }

    // Replaces the box's text by typing, one keystroke at a time.
    void type(QLineEdit* target, const QString& text) const {
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        for (const QChar c : text) {
            // QTest maps only ASCII to keys; other characters arrive as text, as from an IME.
            if (c.unicode() < 128)
                QTest::keyClick(target, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), {});
        }
    }
    void typeAddress(const QString& a, const QString& b, const QString& c, const QString& d) {
        for (int i = 0; const QString& text : {a, b, c, d})
            type(octet(i++), text);
    }
    // Steps the spinner up, one key at a time.
    void stepSpinner(int steps) const {
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(spinner(), Qt::Key_Up);
    }
    void calculate() const { QTest::mouseClick(control("calculateButton"), Qt::LeftButton); }
    // Write File, the format question answered with format (Yes: CSV) and Save As with name.
    void writeFile(MessageAnswer format, const std::optional<QString>& name) {
        services.answers.push_back(format);
        services.fileNames.push_back(name);
        menu("writeFileAction")->trigger();
    }
    // The selected row of each of the three lists, -1 for none.
    QList<int> selectedRows() const {
        QList<int> rows;
        for (const char* name : kLists)
            rows << list(name)->selectionModel()->selectedRows().value(0).row();
        return rows;
    }
    // Row i as the three lists show it: number, start and end, tab-separated.
    QString row(int i) const {
        QStringList texts;
        for (int column = 0; const char* name : kLists)
            texts << list(name)->model()->index(i, column++).data().toString();
        return texts.join('\t');
    }
};

} // namespace tessnivar
