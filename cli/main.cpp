// tessnivar-report: the report of a subnet plan, written from the command line.

#include "command_line.h"
#include "planned_report.h"
#include "quoted_name.h"
#include "report_files.h"
#include "safe_write.h"
#include "standard_streams.h"

#include <QString>
#include <cstdio>
#include <unistd.h>

namespace {

using namespace tessnivar;

// Exit statuses, one per kind of failure, so that scripts can tell them apart.
enum ExitStatus { kWritten = 0, kUsageError = 1, kPlanRefused = 2, kWriteFailed = 3 };

// Each line on standard error, the first naming the tool.
void PrintError(const std::vector<std::string>& lines) {
    std::string text = "tessnivar-report: ";
    for (const std::string& line : lines)
        text += line + "\n";
    std::fputs(text.c_str(), stderr);
}

std::string StreamName(int fd) {
    return fd == STDERR_FILENO ? "the standard error" : "the standard output";
}

// kWritten, or kWriteFailed once the reason for a failed write is on standard error.
int WriteOutcome(const std::string& target, const Status& written) {
    if (written.ok())
        return kWritten;
    PrintError({"cannot write " + QuotedName(target) + ": " + written.error().reason});
    return kWriteFailed;
}

// The octet texts as the window holds what is typed into its boxes: in UTF-8, read from the
// user's encoding.
OctetTexts TypedOctets(const OctetTexts& given) {
    OctetTexts typed;
    for (std::size_t i = 0; i < given.size(); ++i)
        typed[i] = QString::fromLocal8Bit(given[i]).toStdString();
    return typed;
}

int Report(ReportRequest request) {
    request.octets = TypedOctets(request.octets);
    const auto planned = PlanReport(request);
    if (!planned.ok()) {
        PrintError(RefusalLines(planned.error(), request));
        return kPlanRefused;
    }
    const PlannedReport& plan = planned.value();

    // A FILE that is this process's own standard output or error is written through the
    // descriptor the shell opened, appending or from its position: replacing the file would
    // throw away what the shell wrote there before and cut off what it writes after.
    const auto stream = request.outputFile ? StandardStreamOpenOn(*request.outputFile)
                                           : std::optional<int>(STDOUT_FILENO);
    if (stream)
        return WriteOutcome(StreamName(*stream), WriteReport(*stream, request.form, plan.fields,
                                                             plan.figures, plan.rows));
    return WriteOutcome(*request.outputFile, WriteReportFile(*request.outputFile, request.form,
                                                             plan.fields, plan.figures, plan.rows));
}

} // namespace

int main(int argc, char* argv[]) {
    // The arguments stay the bytes given, so that the file name reaches the system unchanged.
    const std::vector<std::string> arguments(argv + 1, argv + argc);

    const auto parsed = ParseCommandLine(arguments);
    if (!parsed.ok()) {
        PrintError({parsed.error().problem, UsageLine()});
        return kUsageError;
    }
    const Command& command = parsed.value();
    if (std::holds_alternative<HelpRequest>(command))
        return WriteOutcome(StreamName(STDOUT_FILENO), WriteAll(STDOUT_FILENO, HelpText()));
    if (std::holds_alternative<VersionRequest>(command))
        return WriteOutcome(StreamName(STDOUT_FILENO), WriteAll(STDOUT_FILENO, VersionLine()));
    return Report(std::get<ReportRequest>(command));
}
