#include "cli/batch.h"

#include "calc/calcview.h"
#include "cli/calculation.h"
#include "cli/line_reader.h"
#include "cli/output.h"
#include "cli/room.h"
#include "cli/screencalc_cli.h"
#include "cli/text.h"

#include <optional>
#include <ostream>
#include <utility>

namespace screencalc {

namespace {

std::string_view trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string joined(const std::array<std::string_view, 4>& words) {
    std::string out;
    for (const std::string_view w : words) {
        out += out.empty() ? "" : ",";
        out += w;
    }
    return out;
}

struct Row {
    std::array<std::string, 4> fields; // entry, text, ratio, frame as given
    Calculation calc;
};

Row calculateRow(std::string_view line) {
    Row row;
    CsvSplit split = splitCsvLine(line);
    row.fields = std::move(split.fields);
    if (!split.error.empty()) {
        row.calc.error = split.error;
        return row;
    }
    if (split.count > row.fields.size()) {
        row.calc.error = "too many fields (expected " + joined(inputColumns) + ")";
        return row;
    }

    // An empty field keeps the default.
    const auto given = [](std::string_view field) {
        return field.empty() ? std::nullopt : std::optional(field);
    };
    const std::string_view word = trimmed(row.fields[0]);
    if (word == "room") {
        row.calc = calculateRoomRow(row.fields[1], given(trimmed(row.fields[2])),
                                    given(trimmed(row.fields[3])));
        return row;
    }
    const EntryKind* kind = entryNamed(word);
    if (kind == nullptr) {
        row.calc.error = (word.empty() ? "the entry is missing" : "unknown entry " + quoted(word)) +
                         " (" + entryChoices() + ")";
        return row;
    }

    const Selection chosen =
        selectionNamed(given(trimmed(row.fields[2])), given(trimmed(row.fields[3])));
    if (!chosen.error.empty()) {
        row.calc.error = chosen.error;
        return row;
    }
    // The text goes in as it stands: a pasted text is not trimmed either.
    row.calc = calculate(*kind, row.fields[1], chosen.ratio, chosen.frame);
    return row;
}

void appendCsvRow(std::string& out, const Row& row) {
    for (const std::string& f : row.fields) {
        // A spreadsheet would run an echoed cell that starts like a formula;
        // the usual apostrophe keeps it text.
        if (!f.empty() && std::string_view("=+-@\t\r").find(f.front()) != std::string_view::npos) {
            appendCsvField(out, "'" + f);
        } else {
            appendCsvField(out, f);
        }
        out += ',';
    }
    for (const std::string& t : row.calc.texts) {
        appendCsvField(out, withoutDisplayBlanks(t));
        out += ',';
    }
    appendCsvField(out, row.calc.error);
    out += '\n';
}

void appendJsonRow(std::string& out, const Row& row) {
    out += '{';
    for (std::size_t i = 0; i < inputColumns.size(); ++i) {
        out += '"';
        out += inputColumns[i];
        out += "\":";
        appendJsonString(out, row.fields[i]);
        out += ',';
    }
    appendJsonResults(out, row.calc);
    out += ",\"error\":";
    if (row.calc.ok) {
        out += "null";
    } else {
        appendJsonString(out, row.calc.error);
    }
    out += "}\n";
}

} // namespace

std::string csvHeading() {
    std::string out = joined(inputColumns);
    for (const calc::ResultLabel& label : calc::resultLabels) {
        out += ',';
        out += label.name;
    }
    return out + ",error\n";
}

int runBatch(std::istream& in, std::string_view source, bool json, std::ostream& out,
             std::ostream& err) {
    constexpr std::size_t flushAt = 1 << 16;
    // Nothing reaches the output before the input has given its first bytes,
    // so an unreadable input leaves it empty.
    std::string pending = json ? "" : csvHeading();
    bool started = false;
    bool writeFailed = false;
    // Every computed row goes out before the program waits for input or
    // stops; the first failed write ends the run.
    const auto flush = [&] {
        if (writeFailed || !emit(out, err, pending)) {
            writeFailed = true;
            return false;
        }
        pending.clear();
        return true;
    };
    LineReader reader(in, [&] { return !started || pending.empty() || flush(); });

    bool failed = false;
    bool firstRow = true;
    std::size_t lineNumber = 0;
    std::string raw;
    LineReader::Got got;
    while ((got = reader.next(raw)) == LineReader::Got::line || got == LineReader::Got::tooLong) {
        started = true;
        ++lineNumber;
        Row row;
        if (got == LineReader::Got::tooLong) {
            row.calc.error = "line longer than " + numberText(lineCap) + " bytes";
        } else {
            std::string_view view = raw;
            if (lineNumber == 1 && view.starts_with("\xEF\xBB\xBF")) {
                view.remove_prefix(3); // the byte order mark that spreadsheets write
            }
            // Blank lines and comments, indented ones too, are no rows.
            if (const std::string_view content = trimmed(view);
                content.empty() || content.front() == '#') {
                continue;
            }
            const std::string line = validUtf8(view);
            if (std::exchange(firstRow, false) && line == joined(inputColumns)) {
                continue; // a heading, as our own CSV output starts with
            }
            row = calculateRow(line);
        }
        const std::string where = "screencalc: row " + numberText(lineNumber) + ": ";
        if (!row.calc.ok) {
            failed = true;
            writeAll(err, where + row.calc.error + "\n");
        } else if (!row.calc.notice.empty()) {
            writeAll(err, where + row.calc.notice + "\n");
        }
        if (json) {
            appendJsonRow(pending, row);
        } else {
            appendCsvRow(pending, row);
        }
        // A long line may be followed by endless skipping: show what came before.
        if ((pending.size() >= flushAt || got == LineReader::Got::tooLong) && !flush()) {
            return exitFailed;
        }
    }
    if (got == LineReader::Got::failed) {
        if (!reader.readAny()) {
            writeAll(err, "screencalc: cannot read " + std::string(source) + ": " +
                              reason(reader.error()) + "\n");
            return exitUsage;
        }
        flush();
        writeAll(err, "screencalc: reading the rows failed after row " + numberText(lineNumber) +
                          ": " + reason(reader.error()) + "\n");
        return exitFailed;
    }
    if (!flush()) {
        return exitFailed;
    }
    return failed ? exitFailed : exitComputed;
}

} // namespace screencalc
