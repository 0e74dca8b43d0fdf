// tessnivar-report: the report of a subnet plan, written from the command line.

#include "command_line.h"
#include "planned_report.h"
#include "quoted_name.h"
#include "report_files.h"
#include "standard_streams.h"

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

std::string StreamName(int fd) {
    return fd == STDERR_FILENO ? "the standard error" : "the standard output";
}

// kWritten, or kWriteFailed once the reason for a failed write is on standard error.
int WriteOutcome(const std::string& target, const std::optional<std::string>& failure) {
    if (!failure)
        return kWritten;
    PrintError("cannot write " + QuotedName(target) + ": " + *failure);
    return kWriteFailed;
}

int WriteOutcome(const std::string& target, const std::optional<QString>& failure) {
    return WriteOutcome(target, failure ? std::optional(failure->toStdString()) : std::nullopt);
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
    if (const auto* refusal = std::get_if<std::vector<std::string>>(&planned)) {
        PrintError(refusal->front());
        for (auto line = refusal->begin() + 1; line != refusal->end(); ++line)
            std::fputs((*line + "\n").c_str(), stderr);
        return kPlanRefused;
    }
    const auto& plan = std::get<PlannedReport>(planned);

    // A FILE that is this process's own standard output or error is written through the
    // descriptor the shell opened, appending or from its position: replacing the file would
    // throw away what the shell wrote there before and cut off what it writes after.
    const auto stream = request.outputFile ? StandardStreamOpenOn(*request.outputFile)
                                           : std::optional<int>(STDOUT_FILENO);
    if (stream)
        return WriteOutcome(
            StreamName(*stream),
            WriteReportToDescriptor(*stream, request.form, plan.fields, plan.figures, plan.rows));
    return WriteOutcome(*request.outputFile, WriteReportFile(*request.outputFile, request.form,
                                                             plan.fields, plan.figures, plan.rows));
}

} // namespace

int main(int argc, char* argv[]) {
    // The arguments stay the bytes given, so that the file name reaches the system unchanged.
    const std::vector<std::string> arguments(argv + 1, argv + argc);

    const CommandLine commandLine = ParseCommandLine(arguments);
    if (const auto* usage = std::get_if<UsageError>(&commandLine)) {
        PrintError(usage->problem);
        std::fputs((UsageLine() + "\n").c_str(), stderr);
        return kUsageError;
    }
    if (std::holds_alternative<HelpRequest>(commandLine))
        return WriteOutcome(StreamName(STDOUT_FILENO), WriteAllTo(STDOUT_FILENO, HelpText()));
    if (std::holds_alternative<VersionRequest>(commandLine))
        return WriteOutcome(StreamName(STDOUT_FILENO), WriteAllTo(STDOUT_FILENO, VersionLine()));
    return Report(std::get<ReportRequest>(commandLine));
}
