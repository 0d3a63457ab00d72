#include "cli/batch.h"

#include "calc/calcview.h"
#include "calc/json.h"
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

// A first line that names the columns is a heading, in any quoting. Our own
// results file starts with a longer one; its rows are read by their first
// four columns.
enum class Heading { none, input, results };

Heading headingOf(const CsvSplit& split) {
    const std::string results = csvHeading();
    std::string seen;
    for (std::size_t i = 0; i < split.filled && i < split.fields.size(); ++i) {
        seen += (i == 0 ? "" : ",") + std::string(trimmed(split.fields[i]));
    }
    if (!split.error.empty() || split.filled > split.fields.size()) {
        return Heading::none;
    }
    if (seen == joined(inputColumns)) {
        return Heading::input;
    }
    return seen + "\n" == results ? Heading::results : Heading::none;
}

// The characters that make a spreadsheet run a cell as a formula; an echoed
// cell starting with one gets an apostrophe first.
constexpr std::string_view formulaStarts = "=+-@\t\r";

std::string tooManyFields() {
    return "too many fields (expected " + joined(inputColumns) + ")";
}

std::string tooLong() {
    return "line longer than " + numberText(lineCap) + " bytes";
}

// The errors of a line that could not be read as fields. A results file
// holds only what was read of such a line, so it keeps the error.
bool isLineError(std::string_view error) {
    return error == tooManyFields() || error == tooLong() || error == unclosedQuote ||
           error == textAfterQuote || error == loneSurrogate || error == halfCharacter;
}

Row calculateRow(CsvSplit split, bool fromResults) {
    Row row;
    std::move(split.fields.begin(), split.fields.begin() + 4, row.fields.begin());
    if (!split.error.empty()) {
        row.calc.error = split.error;
        return row;
    }
    // Spreadsheets end rows with empty fields to line them up.
    if (split.filled > row.fields.size() && !fromResults) {
        row.calc.error = tooManyFields();
        return row;
    }
    if (fromResults && isLineError(split.fields.back())) {
        row.calc.error = split.fields.back();
        return row;
    }
    if (fromResults) {
        for (std::string& f : row.fields) {
            if (f.size() > 1 && f.front() == '\'' && formulaStarts.find(f[1]) != f.npos) {
                f.erase(0, 1); // the apostrophe our own output put there
            }
        }
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
    row.calc = calculate(*kind, row.fields[1], chosen, "");
    return row;
}

void appendCsvRow(std::string& out, const Row& row, bool forTerminal) {
    for (const std::string& f : row.fields) {
        const bool formula = !f.empty() && formulaStarts.find(f.front()) != f.npos;
        const std::string cell = (formula ? "'" : "") + f;
        appendCsvField(out, forTerminal ? withHiddenEscaped(cell) : cell);
        out += ',';
    }
    for (const std::string& t : row.calc.texts) {
        appendCsvField(out, withoutDisplayBlanks(t));
        out += ',';
    }
    appendCsvField(out, row.calc.error);
    out += '\n';
}

void appendJsonRow(std::string& out, const Row& row, bool forTerminal) {
    out += '{';
    for (std::size_t i = 0; i < inputColumns.size(); ++i) {
        out += '"';
        out += inputColumns[i];
        out += "\":";
        calc::appendJsonString(out, row.fields[i], forTerminal);
        out += ',';
    }
    appendJsonResults(out, row.calc);
    if (!row.calc.roomJson.empty()) {
        out += ",\"room\":" + row.calc.roomJson;
    }
    out += ",\"error\":";
    if (row.calc.ok) {
        out += "null";
    } else {
        calc::appendJsonString(out, row.calc.error);
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

int runBatch(std::istream& in, std::string_view source, BatchFormat format, std::ostream& out,
             std::ostream& err) {
    constexpr std::size_t flushAt = 1 << 16;
    // Nothing reaches the output before the input has given its first bytes,
    // so an unreadable input leaves it empty.
    std::string pending = format.json ? "" : csvHeading();
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
    bool fromResults = false;
    std::size_t lineNumber = 0;
    std::string raw;
    LineReader::Got got;
    while ((got = reader.next(raw)) == LineReader::Got::line || got == LineReader::Got::tooLong ||
           got == LineReader::Got::badText) {
        started = true;
        ++lineNumber;
        Row row;
        if (got == LineReader::Got::tooLong) {
            row.calc.error = tooLong();
        } else if (got == LineReader::Got::badText) {
            row.calc.error = std::string(reader.problem());
        } else {
            // Blank lines and comments, indented ones too, are no rows.
            if (const std::string_view content = trimmed(raw);
                content.empty() || content.front() == '#') {
                continue;
            }
            CsvSplit split = splitCsvLine(validUtf8(raw));
            if (std::exchange(firstRow, false)) {
                const Heading heading = headingOf(split);
                if (heading != Heading::none) {
                    fromResults = heading == Heading::results;
                    continue;
                }
            }
            row = calculateRow(std::move(split), fromResults);
        }
        const std::string where = "screencalc: row " + numberText(lineNumber) + ": ";
        if (!row.calc.ok) {
            failed = true;
            writeAll(err, where + row.calc.error + "\n");
        }
        for (const std::string& notice : row.calc.notices) {
            writeAll(err, where + notice + "\n");
        }
        if (format.json) {
            appendJsonRow(pending, row, format.forTerminal);
        } else {
            appendCsvRow(pending, row, format.forTerminal);
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
