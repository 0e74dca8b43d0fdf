// The code held to the model of oracle.h for one input, by the property tests and the fuzz
// targets alike: Calculate, the rows, a type-ahead search and the report's lines. Plain C++.
#pragma once

#include "oracle.h"
#include "report_content.h"
#include "row_search.h"
#include "subnet_plan.h"

#include <memory>

namespace properties {

// What the code and the model make of the first part where they differ; both empty when none.
struct Sides {
    std::string code, model;
};

// A type-ahead search: text typed into the list of kind, looking from row from (modulo rows).
struct Search {
    tessnivar::RowText kind;
    std::size_t from;
    std::string typed;
};

// Calculate on the octet texts with the bits text; the report with subnets and hosts as typed
// after it (empty: the plan's own counts); the search among the first rows.
inline Sides PlanDifference(const tessnivar::OctetTexts& t, const std::string& bitsText,
                            const std::string& subnets, const std::string& hosts,
                            const Search& search) {
    using namespace tessnivar;
    Sides sides;
    const auto differ = [&sides](std::string code, std::string model) {
        sides = code == model ? Sides{} : Sides{std::move(code), std::move(model)};
        return !sides.code.empty() || !sides.model.empty();
    };
    const auto joined = [](std::string text, const auto& lines) {
        for (const std::string& line : lines)
            text += "\n" + line;
        return text;
    };
    const std::int64_t bits = std::strtoll(bitsText.c_str(), nullptr, 10);
    const oracle::Plan model = oracle::MakePlan(t, bits);
    const char modelClass = model.addressClass ? model.addressClass : '-';
    const std::string modelText =
        joined(model.refused.empty()
                   ? "plan " + model.mask + " " + modelClass + " " + std::to_string(model.subnets) +
                         "x" + std::to_string(model.hosts)
                   : model.refused + " " + modelClass,
               model.message);
    const auto made = MakePlan(t, bits);
    if (!made.ok()) {
        const PlanRefusal* refusal = &made.error();
        const char* kinds[] = {"class", "bits", "network", "octet"};
        const bool named = refusal->error != PlanError::FirstOctetAbove223;
        const bool lines = refusal->error >= PlanError::NotNetworkAddress;
        differ(joined(kinds[int(refusal->error)] + std::string(" ") +
                          (named ? "ABC"[int(refusal->addressClass)] : '-'),
                      lines ? RefusalLines(*refusal, t) : std::vector<std::string>{}),
               modelText);
        return sides;
    }
    const SubnetPlan& plan = made.value();
    if (differ("plan " + plan.figures.maskText + " " + "ABC"[int(plan.addressClass)] + " " +
                   std::to_string(plan.figures.subnetCount) + "x" +
                   std::to_string(plan.figures.hostsPerSubnet),
               modelText))
        return sides;

    // The first rows, each written into exactly the room its writer asks for, and the last:
    // stepped to when the start's octets are not all bytes, else as plain address arithmetic.
    const std::size_t n = plan.rows.size();
    const bool bytes = std::all_of(model.start.begin() + 1, model.start.end(),
                                   [](std::int64_t o) { return o >= 0 && o <= 255; });
    const auto rows =
        oracle::Rows(model.start, model.hosts, bytes ? std::min(n, std::size_t{1024}) : n);
    const auto column = std::make_unique<char[]>(kMaxColumnRowChars);
    const auto record = std::make_unique<char[]>(kMaxCsvRowChars);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SubnetRow row = plan.rows.row(i);
        const bool marked = i == 0 || i + 1 == n;
        if (differ(std::string(column.get(), WriteColumnRow(column.get(), row, marked)) + "\n" +
                       std::string(record.get(), WriteCsvRow(record.get(), row, marked)) +
                       (IsMarkedRow(i, n) == marked ? "" : " marked wrongly"),
                   oracle::ColumnRow(rows[i], marked) + "\n" + oracle::CsvRow(rows[i], marked)))
            return sides;
    }
    const SubnetRow last = plan.rows.row(n - 1);
    const oracle::Row lastModel =
        rows.size() == n ? rows.back() : oracle::RowAt(model.start, model.hosts, n - 1);
    if (differ(last.subnetNumber() + " " + last.startIp() + " " + last.endIp(),
               lastModel.number + " " + lastModel.start + " " + lastModel.end))
        return sides;

    const auto found =
        FindRowStartingWith(SubnetRows(plan.rows.start(), model.hosts, int(rows.size())),
                            search.kind, search.typed, search.from % rows.size());
    std::string oracle::Row::*const kinds[] = {&oracle::Row::number, &oracle::Row::start,
                                               &oracle::Row::end};
    const auto looked = oracle::FirstStartingWith(rows, kinds[int(search.kind)], search.typed,
                                                  search.from % rows.size());
    if (differ(search.typed + " found at " + std::to_string(found.value_or(-1)),
               search.typed + " found at " + std::to_string(looked.value_or(-1))))
        return sides;

    const ReportFields fields{t, model.mask, bitsText,
                              subnets.empty() ? std::to_string(n) : subnets,
                              hosts.empty() ? std::to_string(model.hosts) : hosts};
    const auto figures = ComputeReportFigures(fields);
    const auto summary =
        oracle::Summary(oracle::Value(fields.subnets), oracle::Value(fields.hosts));
    differ(figures ? joined("", OpeningLines(fields, *figures)) : "refused",
           summary ? joined("", oracle::Opening(
                                    {t, fields.mask, fields.bits, fields.subnets, fields.hosts},
                                    *summary))
                   : "refused");
    return sides;
}

} // namespace properties
