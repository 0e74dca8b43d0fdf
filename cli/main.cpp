// tessnivar-report: the report of a subnet plan, written from the command line.

#include "command_line.h"
#include "planned_report.h"

#include <QFile>
#include <QString>
#include <cstdio>
#include <unistd.h>

namespace {

using namespace tessnivar;

// Exit statuses, one per kind of failure, so that scripts can tell them apart.
enum ExitStatus { kWritten = 0, kUsageError = 1, kPlanRefused = 2, kWriteFailed = 3 };

void PrintError(const std::string& text) {
    std::fputs(("tessnivar-report: " + text + "\n").c_str(), stderr);
}

int Report(const ReportRequest& request) {
    const auto planned = PlanReport(request);
    if (const auto* refusal = std::get_if<PlanRefusal>(&planned)) {
        PrintError(refusal->reason);
        return kPlanRefused;
    }
    const auto& plan = std::get<PlannedReport>(planned);
    const PlannedRows rows(plan);

    if (request.outputFile) {
        const QString fileName = QString::fromStdString(*request.outputFile);
        if (const auto error =
                WriteReportFile(fileName, request.form, plan.fields, plan.figures, rows)) {
            PrintError("cannot write " + error->fileName.toLocal8Bit().toStdString() + ": " +
                       error->reason.toLocal8Bit().toStdString());
            return kWriteFailed;
        }
        return kWritten;
    }
    QFile out;
    if (!out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered,
                  QFileDevice::DontCloseHandle) ||
        !WriteReport(out, request.form, plan.fields, plan.figures, rows)) {
        PrintError("cannot write the standard output: " +
                   out.errorString().toLocal8Bit().toStdString());
        return kWriteFailed;
    }
    return kWritten;
}

} // namespace

int main(int argc, char* argv[]) {
    // Arguments come in the user's encoding and are held as UTF-8, as the window holds what is
    // typed into its boxes.
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(QString::fromLocal8Bit(argv[i]).toStdString());

    const CommandLine commandLine = ParseCommandLine(arguments);
    if (const auto* usage = std::get_if<UsageError>(&commandLine)) {
        PrintError(usage->problem);
        std::fputs((UsageLine() + "\n").c_str(), stderr);
        return kUsageError;
    }
    if (std::holds_alternative<HelpRequest>(commandLine)) {
        std::fputs(HelpText().c_str(), stdout);
        return kWritten;
    }
    if (std::holds_alternative<VersionRequest>(commandLine)) {
        std::fputs(VersionLine().c_str(), stdout);
        return kWritten;
    }
    return Report(std::get<ReportRequest>(commandLine));
}
