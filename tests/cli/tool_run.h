#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace tessnivar {

// How a run of tessnivar-report ended and what it wrote to its standard output and error.
struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline QString ToolPath() {
    return QStringLiteral(TESSNIVAR_REPORT_TOOL);
}

// Runs program to its end; it must end by itself, not by a signal.
inline ToolRun RunProgram(QProcess& process, const QString& program, const QStringList& arguments) {
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        qFatal("%s did not finish", qPrintable(program));
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// Runs the tool with arguments, in workingDirectory when one is given.
inline ToolRun RunTool(const QStringList& arguments, const QString& workingDirectory = QString()) {
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    return RunProgram(process, ToolPath(), arguments);
}

// Runs the shell command script, in which "$0" is the tool, for what QProcess cannot set up: a
// redirection shared with other commands, or an argument that is not UTF-8.
inline ToolRun RunShell(const QString& script, const QString& workingDirectory = QString()) {
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    return RunProgram(process, QStringLiteral("/bin/sh"), {"-c", script, ToolPath()});
}

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteAll(const QString& path, const QByteArray& contents) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace tessnivar
